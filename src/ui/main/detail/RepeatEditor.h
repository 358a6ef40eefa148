#pragma once

#include "ui/main/detail/CustomRepeatSheet.h"

#include <QObject>
#include <QPointer>

class DataManager;
class DetailRepeatEdit;
class DatePickerButton;
class ModeManager;
class DescribedComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The repeat rows of the detail pane: the repeat selector (presets and "Custom") with the
// hover image that explains a custom rule, the custom sheet, and the end-repeat selector with
// its count and date. They show the session's DetailRepeatEdit and hand it the user's choices.
class RepeatEditor : public QObject
{
    Q_OBJECT

public:
    RepeatEditor(DataManager& manager, ModeManager& modeManager, DetailRepeatEdit& edit,
                 QWidget* rowParent);
    ~RepeatEditor() override;

    QWidget* repeatRow() const { return m_repeatRow; }
    QWidget* endRepeatRow() const { return m_endRow; }
    QWidget* endRepeatDetailRow() const { return m_endDetailRow; }
    DescribedComboBox* repeatBox() const { return m_repeatBox; }
    QLabel* hoverImage() const { return m_hoverImage; }
    DescribedComboBox* endRepeatBox() const { return m_endBox; }
    QLineEdit* countField() const { return m_countField; }
    QLabel* countCaption() const { return m_countCaption; }
    DatePickerButton* endDatePicker() const { return m_endPicker; }
    // The sheet, once it was opened.
    CustomRepeatSheet* sheet() const { return m_sheet; }

    // Fills the three rows from the rule being edited.
    void showRule();
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

    DataManager& m_manager;
    ModeManager& m_modeManager;
    DetailRepeatEdit& m_edit;
    bool m_hoverShown = false;

    QWidget* m_repeatRow = nullptr;
    DescribedComboBox* m_repeatBox = nullptr;
    QLabel* m_hoverImage = nullptr;
    QWidget* m_endRow = nullptr;
    DescribedComboBox* m_endBox = nullptr;
    QWidget* m_endDetailRow = nullptr;
    QLineEdit* m_countField = nullptr;
    QLabel* m_countCaption = nullptr;
    DatePickerButton* m_endPicker = nullptr;
    QPointer<CustomRepeatSheet> m_sheet;
};
