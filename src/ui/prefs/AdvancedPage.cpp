#include "ui/prefs/AdvancedPage.h"

#include "ui/common/AccessibleRoles.h"

#include "ui/common/CenteredFlowLayout.h"
#include "ui/prefs/QuickActionsTab.h"
#include "ui/prefs/SmartAddTab.h"
#include "ui/prefs/SmartListTab.h"
#include "ui/prefs/SyncTab.h"

#include <QEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

AdvancedPage::AdvancedPage(const PreferenceContext& context, std::function<void()> blockRefresh,
                           std::function<void()> refreshWindows, QWidget* parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
    , m_smartList(new SmartListTab(context, blockRefresh, this))
    , m_quickActions(new QuickActionsTab(context, blockRefresh, this))
    , m_smartAdd(new SmartAddTab(context, blockRefresh, this))
    , m_sync(new SyncTab(context, std::move(refreshWindows), this))
{
    setObjectName(QStringLiteral("smartPanel"));
    const QStringList titles{tr("Smart List"), tr("Quick Actions"), tr("Smart Add"),
                             tr("Sync Preferences")};
    // In one row where the page is wide enough for the four, else in as many as they take.
    auto* row = new CenteredFlowLayout(18, 0);
    for (int tab = 0; tab < TabCount; ++tab) {
        auto* button = new QPushButton(titles.at(tab), this);
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        QFont font = button->font();
        font.setPointSize(11);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, tab] { smartTabTapped(tab); });
        AccessibleRoles::give(button, QAccessible::PageTab,
                              [this, tab] { return m_currentSmartTab == tab; });
        m_buttons << button;
        row->addWidget(button);
    }
    m_stack->addWidget(m_smartList);
    m_stack->addWidget(m_quickActions);
    m_stack->addWidget(m_smartAdd);
    m_stack->addWidget(m_sync);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 12, 24, 18);
    column->addLayout(row);
    column->addWidget(m_stack, 1);
    setMinimumSize(780, 460);
    setupSmartTab();
}

void AdvancedPage::smartTabTapped(int tab)
{
    if (tab < 0 || tab >= TabCount)
        return;
    const int before = m_currentSmartTab;
    m_currentSmartTab = tab;
    setupSmartTab();
    AccessibleRoles::announceChoice(m_buttons.at(tab), m_buttons.at(before));
}

void AdvancedPage::setupSmartTab()
{
    for (int tab = 0; tab < TabCount; ++tab) {
        QPushButton* button = m_buttons.at(tab);
        QPalette colors = palette();
        // The shown tab's title takes the colour of keyboard focus, the others the text's.
        const QColor color =
            colors.color(tab == m_currentSmartTab ? QPalette::Highlight : QPalette::ButtonText);
        colors.setColor(QPalette::ButtonText, color);
        button->setPalette(colors);
    }
    m_stack->setCurrentIndex(m_currentSmartTab);
}

QWidget* AdvancedPage::shownTab() const
{
    return m_stack->currentWidget();
}

void AdvancedPage::reloadDataForSmartTab()
{
    m_smartList->setupSmartList();
}

void AdvancedPage::reloadAll()
{
    m_smartList->setupSmartList();
    m_quickActions->setupQuickActions();
    m_smartAdd->setupSmartAdd();
    m_sync->setupSyncPreferences();
}

void AdvancedPage::changeEvent(QEvent* event)
{
    // Night mode hands the page a new palette: the titles are coloured from it again.
    if (event->type() == QEvent::PaletteChange && !m_buttons.isEmpty())
        setupSmartTab();
    QWidget::changeEvent(event);
}
