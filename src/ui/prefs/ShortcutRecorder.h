#pragma once

#include "hotkeys/PTKeyCombo.h"

#include <QLatin1StringView>
#include <QWidget>

#include <functional>

class QKeySequenceEdit;
class QLabel;
class QToolButton;
class UserDefaults;

// Records one global shortcut: the user presses a combination, it is stored under its
// preference as {"keyCode", "modifierFlags"} and handed to the shell to grab. A combination the
// window system refuses (another program holds it) is not kept: the previous one is restored
// and the recorder says why.
class ShortcutRecorder : public QWidget
{
    Q_OBJECT

public:
    // `registerHotKey` grabs the stored combination and answers whether the grab held.
    ShortcutRecorder(UserDefaults& defaults, QLatin1StringView key,
                     std::function<bool()> registerHotKey, QWidget* parent = nullptr);

    PTKeyCombo keyCombo() const { return m_combo; }
    // What a recorder does with a proposed combination, as if it had been typed.
    void propose(const QKeySequence& sequence);
    void clear();
    // Shows the stored combination again.
    void load();

    QKeySequenceEdit* editor() const { return m_editor; }
    QString message() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void store(const PTKeyCombo& combo);
    void showCombo();
    void say(const QString& text);

    UserDefaults& m_defaults;
    QLatin1StringView m_key;
    std::function<bool()> m_registerHotKey;
    PTKeyCombo m_combo;
    QKeySequenceEdit* m_editor;
    QToolButton* m_clearButton;
    QLabel* m_message;
    bool m_storing = false;
};
