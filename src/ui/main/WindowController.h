#pragma once

#include <QMainWindow>
#include <QMimeData>

#include <optional>

#include <functional>

class DataManager;
struct DetailServices;
class ModeManager;
class ViewController;

// The main window around the three panes: titled "Velmoran", with the data manager's undo
// stack behind Undo and Redo, and accepting a mail message dragged from a mail program (a
// "message:" link), which becomes a new task.
class WindowController : public QMainWindow
{
    Q_OBJECT

public:
    WindowController(DataManager& manager, ModeManager& modeManager, const DetailServices& services,
                     QWidget* parent = nullptr);

    ViewController* viewController() const { return m_viewController; }
    QAction* undoAction() const { return m_undoAction; }
    QAction* redoAction() const { return m_redoAction; }

    // A dropped message link and the message's subject, or nothing when the drop is not a mail
    // message.
    struct MailDrop
    {
        QString title;
        QString link;
    };
    static std::optional<MailDrop> mailDropFromMimeData(const QMimeData* data);

Q_SIGNALS:
    // The window is closing (it is only hidden); the application saves its frame.
    void closing();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ViewController* m_viewController = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
};
