#include "ui/prefs/PreferenceWindowController.h"

#include "ui/common/AccessibleRoles.h"

#include "ui/prefs/PreferencePanelDelegate.h"

#include "ui/common/WindowPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>

namespace {

// Holds the page shown. It asks for the page's whole size, so that the window opens as large
// as the page wants where the screen allows, and for the page's width (and a scroll bar beside
// it) at least, so that a window shorter than the page scrolls it up and down.
class PageScrollArea : public QScrollArea
{
public:
    // However short the window, this much of the page shows.
    static constexpr int kMinimumHeight = 120;

    explicit PageScrollArea(QWidget* parent)
        : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        // The page's controls take the keyboard; the area around them is no stop of its own.
        setFocusPolicy(Qt::NoFocus);
        // The area scrolls to a control Tab reaches from within the page only; Tab coming round
        // from the page bar, or a click, would leave the control out of sight in a long page.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && widget() && widget()->isAncestorOf(now))
                ensureWidgetVisible(now);
        });
    }

    QSize sizeHint() const override
    {
        return widget() ? widget()->sizeHint().expandedTo(pageMinimum()) : QScrollArea::sizeHint();
    }

    QSize minimumSizeHint() const override
    {
        if (!widget())
            return QScrollArea::minimumSizeHint();
        const QSize page = pageMinimum();
        int width = page.width() + verticalScrollBar()->sizeHint().width();
        // A page wider than the screen scrolls sideways as well; the window's borders are the
        // window manager's.
        if (const QScreen* shownOn = screen())
            width = std::min(width, shownOn->availableGeometry().width() -
                                        (window()->frameGeometry().width() - window()->width()));
        return QSize(width, std::min(page.height(), kMinimumHeight));
    }

private:
    // What the page asks for at least: the minimum it sets itself, else its hint.
    QSize pageMinimum() const
    {
        const QSize hint = widget()->minimumSizeHint();
        return QSize(widget()->minimumWidth() > 0 ? widget()->minimumWidth() : hint.width(),
                     widget()->minimumHeight() > 0 ? widget()->minimumHeight() : hint.height());
    }
};

} // namespace

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
    if (m_current && m_pageArea->widget() == m_current)
        m_pageArea->takeWidget();
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
    m_pageArea = new PageScrollArea(this);
    setCentralWidget(m_pageArea);
    m_group = new QActionGroup(this);
    m_group->setExclusive(true);
    for (const QString& identifier : prefIdentifyAry()) {
        if (QAction* item = itemForItemIdentifier(identifier)) {
            m_items << item;
            m_group->addAction(item);
            m_toolbar->addAction(item);
            // The bar picks the page shown below it: its buttons are page tabs, and the keyboard
            // reaches them (a tool bar's buttons take no focus of their own).
            QWidget* tab = m_toolbar->widgetForAction(item);
            AccessibleRoles::give(tab, QAccessible::PageTab);
            tab->setFocusPolicy(Qt::TabFocus);
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

    // Keep the top edge where it is: the window grows or shrinks at the bottom, as far as the
    // screen reaches; a page taller than that scrolls.
    const QRect old = geometry();
    if (m_current && m_pageArea->widget() == m_current)
        m_pageArea->takeWidget();
    m_current = view;
    m_pageArea->setWidget(view);
    view->show();
    m_pageArea->updateGeometry();
    setMinimumSize(minimumSizeHint().boundedTo(largestSize()));
    const QSize wanted = sizeHint().expandedTo(minimumSizeHint());
    if (isVisible()) {
        const QSize size(std::max(old.width(), wanted.width()), wanted.height());
        setGeometry(QRect(old.topLeft(), size.boundedTo(largestSize()).expandedTo(minimumSize())));
        keepOnScreen();
    } else {
        resize(QSize(std::max(width(), wanted.width()), wanted.height())
                   .boundedTo(largestSize())
                   .expandedTo(minimumSize()));
    }
    setWindowTitle(item->text());
    // The keyboard starts on the page, so that Tab walks its controls.
    view->setFocus(Qt::OtherFocusReason);
    m_delegate->prefViewDidAppear(view, index);
}

QWidget* PreferenceWindowController::currentPage() const
{
    return m_current;
}

QSize PreferenceWindowController::largestSize() const
{
    const QScreen* shownOn = screen();
    if (!shownOn)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The title bar and the borders are the window manager's, known once the window is shown.
    const QRect inner = geometry();
    const QRect outer = frameGeometry();
    return shownOn->availableGeometry().size().shrunkBy(
        QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                 outer.right() - inner.right(), outer.bottom() - inner.bottom()));
}

void PreferenceWindowController::keepOnScreen()
{
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    const QPoint kept =
        WindowPlacement::keptWithin(pos(), frameGeometry().size(), shownOn->availableGeometry());
    if (kept != pos())
        move(kept);
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
