#include "ui/prefs/AdvancedPage.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

AdvancedPage::AdvancedPage(QWidget* parent)
    : QWidget(parent)
    , m_tabs(new QTabBar(this))
{
    setObjectName(QStringLiteral("smartPanel"));
    auto* stack = new QStackedWidget(this);
    const QList<std::pair<QString, QString>> tabs{
        {tr("Smart List"), tr("Tag lists and merged lists will be edited here.")},
        {tr("Quick Actions"), tr("The actions of a task's context menu will be edited here.")},
        {tr("Smart Add"), tr("The words Smart Add understands will be edited here.")},
        {tr("Sync Preferences"), tr("Saved sets of preferences will be managed here.")},
    };
    for (const auto& [title, text] : tabs) {
        m_tabs->addTab(title);
        auto* label = new QLabel(text);
        label->setAlignment(Qt::AlignCenter);
        label->setEnabled(false);
        stack->addWidget(label);
    }
    m_tabs->setExpanding(false);
    connect(m_tabs, &QTabBar::currentChanged, stack, &QStackedWidget::setCurrentIndex);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 18, 24, 18);
    column->addWidget(m_tabs, 0, Qt::AlignHCenter);
    column->addWidget(stack);
    setMinimumSize(560, 260);
}
