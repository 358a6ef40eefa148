#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QWidget>

#include <array>

class QCheckBox;

// The Filters page: for the day, week and month views, whether undated tasks, tasks completed
// on earlier days and calendar events show. The nine boxes are the entries of the "filters"
// dictionary, which every change writes whole.
class FiltersPage : public QWidget
{
    Q_OBJECT

public:
    explicit FiltersPage(const PreferenceContext& context, QWidget* parent = nullptr);

    // Row by row: day, week, month; in each, undated, completed, events.
    QCheckBox* box(int view, int kind) const { return m_boxes.at(view * 3 + kind); }
    void setupFilters();

private:
    void resetFilter();

    PreferenceContext m_context;
    std::array<QCheckBox*, 9> m_boxes{};
};
