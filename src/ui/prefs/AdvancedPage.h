#pragma once

#include <QWidget>

class QTabBar;

// The Advanced page: its four tabs (smart lists, quick actions, Smart Add, preference sets).
// Their contents arrive with their own work; until then each tab says what it will hold.
class AdvancedPage : public QWidget
{
    Q_OBJECT

public:
    explicit AdvancedPage(QWidget* parent = nullptr);

    QTabBar* tabBar() const { return m_tabs; }

private:
    QTabBar* m_tabs;
};
