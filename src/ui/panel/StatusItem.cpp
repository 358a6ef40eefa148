#include "ui/panel/StatusItem.h"

#include "ui/common/TintedIcon.h"

#include <QLoggingCategory>
#include <QMenu>
#include <QSystemTrayIcon>

Q_LOGGING_CATEGORY(lcStatusItem, "velmoran.tray")

namespace {

// The accent blue reads on light and dark panels alike.
QIcon statusIcon()
{
    return TintedIcon::icon(QStringLiteral("MenuBarIcon"), QColor(124, 181, 229));
}

} // namespace

StatusItem::StatusItem(QObject* parent)
    : QObject(parent)
{}

StatusItem::~StatusItem()
{
    removeView();
    delete m_menu;
}

bool StatusItem::create()
{
    if (m_icon)
        return true;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // The preferences tell the user how to get a tray; the terminal is no place for it.
        if (!m_reportedMissingTray)
            qCDebug(lcStatusItem,
                    "No system tray (no StatusNotifierItem watcher, no XEmbed tray): running "
                    "without the status icon; the panel opens with the second shortcut.");
        m_reportedMissingTray = true;
        return false;
    }
    if (!m_menu) {
        m_menu = new QMenu;
        m_menu->addAction(tr("Show &Panel"), this, [this] {
            if (togglePanel)
                togglePanel();
        });
        m_menu->addAction(tr("&Open Velmoran"), this, [this] {
            if (openMainWindow)
                openMainWindow();
        });
        if (syncNow)
            m_menu->addAction(tr("&Sync Now"), this, [this] { syncNow(); });
        m_menu->addSeparator();
        m_menu->addAction(tr("&Quit Velmoran"), this, [this] {
            if (quit)
                quit();
        });
    }
    m_icon = new QSystemTrayIcon(statusIcon(), this);
    m_icon->setContextMenu(m_menu);
    m_icon->setToolTip(toolTip());
    connect(
        m_icon, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) &&
                togglePanel)
                togglePanel();
        });
    m_icon->show();
    return true;
}

void StatusItem::removeView()
{
    delete m_icon.data();
}

QSystemTrayIcon* StatusItem::trayIcon() const
{
    return m_icon;
}

bool StatusItem::exists() const
{
    return m_icon;
}

QRect StatusItem::geometry() const
{
    return m_icon ? m_icon->geometry() : QRect();
}

void StatusItem::setBadge(const QString& badge)
{
    m_badge = badge;
    if (m_icon)
        m_icon->setToolTip(toolTip());
}

void StatusItem::setSyncStatus(const QString& status)
{
    m_syncStatus = status;
    if (m_icon)
        m_icon->setToolTip(toolTip());
}

QString StatusItem::toolTip() const
{
    const QString name = m_badge.isEmpty() ? tr("Velmoran") : tr("Velmoran (%1)").arg(m_badge);
    return m_syncStatus.isEmpty() ? name : name + QLatin1Char('\n') + m_syncStatus;
}
