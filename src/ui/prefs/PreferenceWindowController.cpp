#include "ui/prefs/PreferenceWindowController.h"

#include "ui/prefs/PreferencePanelDelegate.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QScreen>
#include <QToolBar>

PreferenceWindowController::PreferenceWindowController(PreferencePanelDelegate* delegate,
                                                       QWidget* parent)
    : QMainWindow(parent)
    , m_delegate(delegate)
{
    setObjectName(QStringLiteral("PreferenceWindowController"));
    windowDidLoad();
}

PreferenceWindowController::~PreferenceWindowController()
{
    // The pages belong to the delegate, which outlives the window's last use: hand the shown
    // one back rather than let the window delete it.
    if (m_current && centralWidget() == m_current)
        takeCentralWidget();
}

void PreferenceWindowController::windowDidLoad()
{
    m_toolbar = new QToolBar(QStringLiteral("PreferenceWindowController"), this);
    m_toolbar->setObjectName(QStringLiteral("PreferenceWindowController"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(28, 28));
    m_toolbar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    m_group = new QActionGroup(this);
    m_group->setExclusive(true);
    for (const QString& identifier : prefIdentifyAry()) {
        if (QAction* item = itemForItemIdentifier(identifier)) {
            m_items << item;
            m_group->addAction(item);
            m_toolbar->addAction(item);
        }
    }
    selectPanelAtIndex(0);
}

QStringList PreferenceWindowController::prefIdentifyAry()
{
    if (!m_delegate)
        return {};
    if (!m_identifiersBuilt) {
        m_identifiersBuilt = true;
        for (int index = 0; index < m_delegate->countOfPreferencePanels(); ++index) {
            const QString identifier = m_delegate->identifyForPreferencePanelAt(index);
            m_identifiers << (identifier.isEmpty() ? QString::number(index) : identifier);
        }
    }
    return m_identifiers;
}

QAction* PreferenceWindowController::itemForItemIdentifier(const QString& identifier)
{
    const int index = prefIdentifyAry().indexOf(identifier);
    if (index < 0)
        return nullptr;
    auto* item = new QAction(m_delegate->imageForPreferencePanelAt(index),
                             m_delegate->titleForPreferencePanelAt(index), this);
    item->setData(index);
    item->setCheckable(true);
    // Alt+1 … Alt+6 reach the pages from the keyboard alone.
    item->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + index)));
    connect(item, &QAction::triggered, this, [this, item] { switchPanel(item); });
    return item;
}

void PreferenceWindowController::selectPanelAtIndex(int index)
{
    if (index >= 0 && index < m_items.size())
        switchPanel(m_items.at(index));
}

void PreferenceWindowController::reloadItemImages()
{
    if (!m_delegate)
        return;
    for (QAction* item : std::as_const(m_items))
        item->setIcon(m_delegate->imageForPreferencePanelAt(item->data().toInt()));
}

int PreferenceWindowController::currentIndex() const
{
    for (QAction* item : m_items)
        if (item->isChecked())
            return item->data().toInt();
    return -1;
}

void PreferenceWindowController::switchPanel(QAction* item)
{
    if (!item || !m_delegate)
        return;
    const int index = item->data().toInt();
    QWidget* view = m_delegate->panelViewForPreferencePanelAt(index);
    if (!view || view == m_current) {
        // The toolbar checks a clicked button by itself; keep the mark on the page shown.
        if (view && !item->isChecked())
            item->setChecked(true);
        return;
    }
    m_delegate->prefViewWillAppear(view, index);
    item->setChecked(true);

    // Keep the top edge where it is: the window grows or shrinks at the bottom.
    const QRect old = geometry();
    if (m_current && centralWidget() == m_current)
        takeCentralWidget();
    m_current = view;
    setCentralWidget(view);
    view->show();
    const QSize wanted = sizeHint().expandedTo(minimumSizeHint());
    setMinimumSize(minimumSizeHint());
    if (isVisible())
        setGeometry(
            QRect(old.topLeft(), QSize(std::max(old.width(), wanted.width()), wanted.height())));
    else
        resize(std::max(width(), wanted.width()), wanted.height());
    setWindowTitle(item->text());
    // The keyboard starts on the page, so that Tab walks its controls.
    view->setFocus(Qt::OtherFocusReason);
    m_delegate->prefViewDidAppear(view, index);
}

void PreferenceWindowController::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_delegate)
        m_delegate->refreshData();
    QMainWindow::changeEvent(event);
}

void PreferenceWindowController::closeEvent(QCloseEvent* event)
{
    if (m_delegate)
        m_delegate->prefWindowWillClose();
    Q_EMIT closing();
    event->accept();
}
