#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QWidget>

class ListChoice;
class OnOffButton;
class QCheckBox;
class QComboBox;
class QTimeEdit;

// The New Task page: the list new tasks go to, whether they get an alarm and at what time,
// and whether a due date is preset without a time.
class NewTaskPage : public QWidget
{
    Q_OBJECT

public:
    NewTaskPage(const PreferenceContext& context, const ListChoice& choice,
                QWidget* parent = nullptr);

    // Refills the default-list pop-up from the shown lists and selects the stored default.
    void resetDefaultListItems();
    // Stores the selected item's list as the default; the first shown list when the stored
    // default is no longer shown.
    void defaultListChanged();

    QComboBox* defaultListPopUp() const { return m_defaultList; }
    OnOffButton* alarmButton() const { return m_alarm; }
    QTimeEdit* alarmTimePicker() const { return m_alarmTime; }
    QCheckBox* noTimeButton() const { return m_noTime; }

private:
    PreferenceContext m_context;
    const ListChoice& m_choice;
    QComboBox* m_defaultList;
    OnOffButton* m_alarm;
    QTimeEdit* m_alarmTime;
    QCheckBox* m_noTime;
};
