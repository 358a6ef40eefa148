#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// One change that can be taken back and made again. A step that finds it can no longer do
// either (its file is gone, the store refused) marks itself obsolete and leaves the history.
class UndoStep
{
public:
    explicit UndoStep(QString text)
        : m_text(std::move(text))
    {}
    virtual ~UndoStep() = default;
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

    virtual void undo() = 0;
    virtual void redo() = 0;

    // What the Undo and Redo commands name, as in "Undo Delete Task".
    QString text() const { return m_text; }
    bool isObsolete() const { return m_obsolete; }
    void setObsolete(bool obsolete) { m_obsolete = obsolete; }

private:
    QString m_text;
    bool m_obsolete = false;
};

// The changes the user can undo, newest last, and the ones undone that can be made again. It
// lives beside the data, not in the windows, so that the command line shares the changes'
// code without the graphical toolkit; the Edit menu's Undo and Redo follow its signals. A
// pushed step is made at once (its redo), and a new step drops those undone before it.
// Steps pushed between beginMacro and endMacro are one step, undone newest first.
class UndoHistory : public QObject
{
    Q_OBJECT

public:
    explicit UndoHistory(QObject* parent = nullptr);
    ~UndoHistory() override;

    void push(UndoStep* step);
    void beginMacro(const QString& text);
    void endMacro();
    void clear();

    int count() const { return int(m_steps.size()); }
    int index() const { return m_index; }
    bool canUndo() const;
    bool canRedo() const;
    QString undoText() const;
    QString redoText() const;

public Q_SLOTS:
    void undo();
    void redo();

Q_SIGNALS:
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void undoTextChanged(const QString& text);
    void redoTextChanged(const QString& text);

private:
    class Macro;
    struct State
    {
        bool canUndo = false;
        bool canRedo = false;
        QString undoText;
        QString redoText;
    };
    State state() const;
    void announceChanges(const State& before);
    void dropUndone();

    std::vector<std::unique_ptr<UndoStep>> m_steps;
    std::vector<Macro*> m_openMacros; // owned by m_steps or by the macro around them
    int m_index = 0;
};
