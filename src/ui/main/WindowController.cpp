#include "ui/main/WindowController.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/ViewController.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QMimeData>

namespace {

// A change's name shows as it is written: a '&' in it is no mnemonic.
QString literalText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

WindowController::WindowController(DataManager& manager, ModeManager& modeManager,
                                   const DetailServices& services, QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Velmoran"));
    setObjectName(QStringLiteral("MainWindow"));
    setAccessibleName(QStringLiteral("Velmoran"));
    setAcceptDrops(true);
    m_viewController = new ViewController(manager, modeManager, services, this);
    setCentralWidget(m_viewController);
    m_viewController->resetAppearanceFromPreferences();
    resize(1000, 640);
    WindowPlacement::fitToScreen(this, nullptr);
    // No smaller than the panes' own minimum, at which every view still fits: the layout
    // sets it from the sidebar, the month's seven columns and the detail pane.

    // The system's undo command undoes the data manager's task changes. Its text names the change
    // in one translatable text (Qt's own action glues a prefix to the name, which other
    // languages word differently). The keys are spelled out, as the menu bar's are: the
    // standard ones depend on the platform theme.
    UndoHistory* stack = manager.tasks().undoManager();
    m_undoAction = new QAction(this);
    connect(m_undoAction, &QAction::triggered, stack, &UndoHistory::undo);
    connect(stack, &UndoHistory::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(stack, &UndoHistory::undoTextChanged, m_undoAction, [this](const QString& name) {
        //: %1 names what is undone, as in "Undo Delete Task".
        m_undoAction->setText(name.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(literalText(name)));
    });
    m_undoAction->setEnabled(stack->canUndo());
    m_undoAction->setText(tr("&Undo"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = new QAction(this);
    connect(m_redoAction, &QAction::triggered, stack, &UndoHistory::redo);
    connect(stack, &UndoHistory::canRedoChanged, m_redoAction, &QAction::setEnabled);
    connect(stack, &UndoHistory::redoTextChanged, m_redoAction, [this](const QString& name) {
        //: %1 names what is redone, as in "Redo Delete Task".
        m_redoAction->setText(name.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(literalText(name)));
    });
    m_redoAction->setEnabled(stack->canRedo());
    m_redoAction->setText(tr("&Redo"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

std::optional<WindowController::MailDrop>
WindowController::mailDropFromMimeData(const QMimeData* data)
{
    if (!data)
        return std::nullopt;
    QString link;
    QString title;
    // Mail programs on Linux offer the link with its subject as "URL\nTitle".
    if (data->hasFormat(QStringLiteral("text/x-moz-url"))) {
        const QByteArray raw = data->data(QStringLiteral("text/x-moz-url"));
        const QString text =
            raw.size() >= 2 && (raw.at(1) == 0 || raw.at(0) == 0)
                ? QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.data()), raw.size() / 2)
                : QString::fromUtf8(raw);
        const QStringList lines = text.split(QLatin1Char('\n'));
        link = lines.value(0).trimmed();
        title = lines.value(1).trimmed();
    }
    if (link.isEmpty() && data->hasUrls() && !data->urls().isEmpty())
        link = data->urls().constFirst().toString();
    if (link.isEmpty() && data->hasText())
        link = data->text().trimmed();
    if (!link.startsWith(QLatin1String("message:"), Qt::CaseInsensitive))
        return std::nullopt;
    if (title.isEmpty() && data->hasFormat(QStringLiteral("public.url-name")))
        title = QString::fromUtf8(data->data(QStringLiteral("public.url-name"))).trimmed();
    if (title.isEmpty())
        title = link;
    return MailDrop{title, link};
}

void WindowController::dragEnterEvent(QDragEnterEvent* event)
{
    if (mailDropFromMimeData(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void WindowController::dragMoveEvent(QDragMoveEvent* event)
{
    if (mailDropFromMimeData(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void WindowController::dropEvent(QDropEvent* event)
{
    const std::optional<MailDrop> drop = mailDropFromMimeData(event->mimeData());
    if (!drop) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_viewController->addNewTaskWithTitle(drop->title, drop->link);
}

void WindowController::closeEvent(QCloseEvent* event)
{
    // Closing keeps the window and its panes; reopening brings the same window back.
    Q_EMIT closing();
    event->accept();
}

void WindowController::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        update();
}
