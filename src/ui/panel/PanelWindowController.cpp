#include "ui/panel/PanelWindowController.h"

#include "ui/common/AccessibleRoles.h"
#include "ui/common/Motion.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/panel/HourPopover.h"
#include "ui/panel/PanelPlacement.h"
#include "ui/panel/PanelViewController.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QVBoxLayout>

PanelWindowController::PanelWindowController(DataManager& manager, ModeManager& modeManager,
                                             QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_panel(new PanelViewController(manager, modeManager, this))
    , m_onWayland(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    // Nobody sees the title of a frameless window; KWin's rule for the panel finds it by it.
    setWindowTitle(tr("Velmoran Panel"));
    if (m_onWayland)
        m_kwinRule.install(windowTitle());
    setAttribute(Qt::WA_QuitOnClose, false);
    setAccessibleName(tr("Velmoran Panel"));
    AccessibleRoles::give(this, QAccessible::Window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    setFixedWidth(PanelPlacement::kPanelWidth);
    resize(PanelPlacement::kPanelWidth, m_panel->panelHeight());

    m_orderOut.setSingleShot(true);
    m_orderOut.setInterval(kOrderOutMs);
    connect(&m_orderOut, &QTimer::timeout, this, [this] {
        if (!m_hasActivePanel)
            hide();
    });
    m_focusCheck.setSingleShot(true);
    m_focusCheck.setInterval(kFocusSettleMs);
    connect(&m_focusCheck, &QTimer::timeout, this, [this] {
        if (!isActiveWindow() && !ownsWindow(QApplication::activeWindow()))
            focusLost();
    });
    connect(m_panel, &PanelViewController::heightChanged, this,
            &PanelWindowController::heightChanged);
    connect(m_panel, &PanelViewController::escapePressed, this,
            &PanelWindowController::closePanelManually);
}

PanelWindowController::~PanelWindowController() = default;

bool PanelWindowController::ownsWindow(const QWidget* window) const
{
    for (const QWidget* each = window; each; each = each->parentWidget()) {
        if (each == this)
            return true;
    }
    return false;
}

QRect PanelWindowController::placement(int height) const
{
    const QSize size(PanelPlacement::kPanelWidth, height);
    QRect icon = statusIconGeometry ? statusIconGeometry() : QRect();
    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(icon.isValid() ? icon.center() : pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);
    if (!icon.isValid())
        icon = PanelPlacement::iconAtCorner(area, pointer);
    return PanelPlacement::frameForIcon(icon, size, area);
}

void PanelWindowController::openPanel()
{
    if (isVisible() && windowOpacity() >= 1.0 && !m_orderOut.isActive())
        return;
    m_opening = true;
    m_orderOut.stop();
    if (m_fade)
        m_fade->stop();
    // Wayland has no window opacity: Qt's plug-in warns at every change and ignores it, so the
    // panel there comes and goes at once.
    if (!m_onWayland)
        setWindowOpacity(0);
    setGeometry(placement(m_panel->panelHeight()));
    show();
    raise();
    activateWindow();
    repairActivation();
    if (!m_onWayland)
        setWindowOpacity(1);
    m_opening = false;
    m_panel->refreshOnMinuteChange();
    m_panel->form()->focusTitleField();
}

void PanelWindowController::repairActivation()
{
    // A panel hidden and shown again within the moment X11 leaves for the focus to settle is
    // still the focus window when it comes back, so it is never made the active one again: no
    // focus widget, no keys. The shortcut pressed twice quickly does exactly that.
    if (QGuiApplication::focusWindow() == windowHandle() && QApplication::activeWindow() != this) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(this);
        QT_WARNING_POP
    }
}

void PanelWindowController::closePanel()
{
    if (m_panel->isOnTop()) {
        m_hasActivePanel = true;
        return;
    }
    closeUnpinned();
}

void PanelWindowController::closeUnpinned()
{
    m_panel->popover()->hide();
    if (!isVisible())
        return;
    // Without motion, as on Wayland (which has no window opacity), the panel goes at once.
    if (m_onWayland || Motion::isReduced()) {
        hide();
        return;
    }
    if (m_fade)
        m_fade->stop();
    auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(Motion::duration(kFadeOutMs));
    fade->setStartValue(windowOpacity());
    fade->setEndValue(0.0);
    m_fade = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    m_orderOut.start();
}

void PanelWindowController::closePanelManually()
{
    m_hasActivePanel = false;
    closeUnpinned();
}

void PanelWindowController::turnOnOffFromMenuBar()
{
    if (m_hasActivePanel) {
        closePanelManually();
        return;
    }
    if (m_sinceFocusLost.isValid() && m_sinceFocusLost.elapsed() < kReopenGuardMs)
        return;
    m_hasActivePanel = true;
    openPanel();
}

void PanelWindowController::turnOnOffByHotKey()
{
    if (m_hasActivePanel) {
        closePanelManually();
        return;
    }
    m_hasActivePanel = true;
    openPanel();
}

void PanelWindowController::turnOffFromMenuBar()
{
    if (m_hasActivePanel)
        closePanelManually();
}

void PanelWindowController::heightChanged(int height)
{
    if (this->height() == height)
        return;
    const QRect target = placement(height);
    if (m_resize)
        m_resize->stop();
    const int duration = Motion::duration(kResizeMs);
    if (!isVisible() || duration == 0) {
        setGeometry(target);
        return;
    }
    auto* resize = new QPropertyAnimation(this, "geometry", this);
    resize->setDuration(duration);
    resize->setEndValue(target);
    m_resize = resize;
    resize->start(QAbstractAnimation::DeleteWhenStopped);
}

void PanelWindowController::focusLost()
{
    if (m_opening || !isVisible() || !m_hasActivePanel)
        return;
    if (m_panel->isOnTop())
        return;
    m_sinceFocusLost.start();
    closePanelManually();
}

bool PanelWindowController::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        // Judged a moment later: on X11 a window shown again can pass through a deactivation
        // before its activation arrives.
        m_focusCheck.start();
        break;
    case QEvent::Close:
        // Closed by the window system: the panel is no longer meant to be open.
        m_hasActivePanel = false;
        m_panel->popover()->hide();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}
