#pragma once

#include "platform/store/Reminder.h"
#include "ui/main/detail/CustomRepeatSheet.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class DataManager;
class DatePickerButton;
class ModeManager;
class DescribedComboBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The repeat rows of the detail pane: the repeat selector (presets and "Custom") with the
// hover image that explains a custom rule, the custom sheet, and the end-repeat selector with
// its count and date. It keeps the rule being edited (currentRule) and the end the last choice
// replaced, and hands every new rule to the pane, which saves it.
class RepeatEditor : public QObject
{
    Q_OBJECT

public:
    // Saves `rule` as the task's repeat rule (none: no rule); answers whether it was saved.
    using SaveRule = std::function<bool(const std::optional<store::RecurrenceRule>& rule)>;

    RepeatEditor(DataManager& manager, ModeManager& modeManager, QWidget* rowParent);
    ~RepeatEditor() override;

    void setSaveRule(SaveRule save) { m_saveRule = std::move(save); }

    QWidget* repeatRow() const { return m_repeatRow; }
    QWidget* endRepeatRow() const { return m_endRow; }
    QWidget* endRepeatDetailRow() const { return m_endDetailRow; }
    DescribedComboBox* repeatBox() const { return m_repeatBox; }
    QLabel* hoverImage() const { return m_hoverImage; }
    QComboBox* endRepeatBox() const { return m_endBox; }
    QLineEdit* countField() const { return m_countField; }
    QLabel* countCaption() const { return m_countCaption; }
    DatePickerButton* endDatePicker() const { return m_endPicker; }
    // The sheet, once it was opened.
    CustomRepeatSheet* sheet() const { return m_sheet; }

    // Builds the three rows for the task, taking its rule as the current one.
    void setupForReminder(const store::Reminder& reminder);
    const std::optional<store::RecurrenceRule>& currentRule() const { return m_currentRule; }
    std::optional<store::RecurrenceEnd> savedRecurrenceEnd() const { return m_savedRecurrenceEnd; }
    int previouslySelectedIndex() const { return m_previouslySelectedIndex; }
    // What the hover image explains.
    QString descriptionText() const { return m_description; }
    // Whether the hover image is shown, as it is for a custom rule.
    bool isHoverShown() const { return m_hoverShown; }

    void resetAppearance();

    // The user's choices.
    void repeatChanged(int index);
    void endRepeatChanged(int index, bool fromUser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRows(QWidget* parent);
    void setupRecurrenceRuleDescription();
    void setHoverVisible(bool visible);
    void openCustomRepeatWindow();
    void doneCustomRepeatWindow();
    void cancelCustomRepeatWindow();
    void checkEndRepeatSelectionAvailability();
    void setupEndRepeatDetailInput();
    void saveWhenEndRepeatChanged();
    void save();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    SaveRule m_saveRule;
    std::optional<store::RecurrenceRule> m_currentRule;
    std::optional<store::RecurrenceEnd> m_savedRecurrenceEnd;
    int m_previouslySelectedIndex = 0;
    bool m_hoverShown = false;
    QString m_description;
    QDateTime m_due;

    QWidget* m_repeatRow = nullptr;
    DescribedComboBox* m_repeatBox = nullptr;
    QLabel* m_hoverImage = nullptr;
    QWidget* m_endRow = nullptr;
    QComboBox* m_endBox = nullptr;
    QWidget* m_endDetailRow = nullptr;
    QLineEdit* m_countField = nullptr;
    QLabel* m_countCaption = nullptr;
    DatePickerButton* m_endPicker = nullptr;
    QPointer<CustomRepeatSheet> m_sheet;
};
