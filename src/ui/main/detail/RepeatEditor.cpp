#include "ui/main/detail/RepeatEditor.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/detail/DetailRowLayout.h"
#include "data/detail/RepeatChoices.h"
#include "data/detail/TaskDetailEdits.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailRepeatEdit.h"
#include "ui/common/DescribedComboBox.h"
#include "ui/common/TintedIcon.h"
#include "ui/main/detail/CustomRepeatSheet.h"
#include "ui/main/detail/DatePickerButton.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolTip>

using RepeatChoices::EndChoice;

RepeatEditor::RepeatEditor(DataManager& manager, ModeManager& modeManager, DetailRepeatEdit& edit,
                           QWidget* rowParent)
    : QObject(rowParent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_edit(edit)
{
    buildRows(rowParent);
}

RepeatEditor::~RepeatEditor()
{
    delete m_sheet;
}

void RepeatEditor::buildRows(QWidget* parent)
{
    m_repeatRow = new QWidget(parent);
    m_repeatRow->setFixedHeight(DetailRowLayout::kRowHeight);
    auto* repeatLayout = new QHBoxLayout(m_repeatRow);
    repeatLayout->setContentsMargins(10, 0, 12, 0);
    m_repeatBox = new DescribedComboBox(m_repeatRow);
    m_repeatBox->setObjectName(QStringLiteral("repeatSelector"));
    m_repeatBox->setAccessibleName(tr("Repeat"));
    m_repeatBox->addItems(RepeatChoices::presetTitles());
    m_repeatBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_repeatBox->setMinimumContentsLength(8);
    m_repeatBox->setFrame(false);
    m_hoverImage = new QLabel(m_repeatRow);
    m_hoverImage->setFixedSize(18, 18);
    m_hoverImage->installEventFilter(this);
    repeatLayout->addWidget(m_repeatBox, 1);
    repeatLayout->addWidget(m_hoverImage);
    connect(m_repeatBox, &QComboBox::activated, this, &RepeatEditor::repeatChanged);

    m_endRow = new QWidget(parent);
    m_endRow->setFixedHeight(DetailRowLayout::kRowHeight);
    auto* endLayout = new QHBoxLayout(m_endRow);
    endLayout->setContentsMargins(10, 0, 12, 0);
    m_endBox = new DescribedComboBox(m_endRow);
    m_endBox->setObjectName(QStringLiteral("endRepeatSelector"));
    m_endBox->setAccessibleName(tr("End Repeat"));
    m_endBox->addItems({tr("Never"), tr("End on Date"), tr("End after occurrences")});
    m_endBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_endBox->setMinimumContentsLength(8);
    m_endBox->setFrame(false);
    endLayout->addWidget(m_endBox, 1);
    connect(m_endBox, &QComboBox::activated, this,
            [this](int index) { endRepeatChanged(index, true); });

    m_endDetailRow = new QWidget(parent);
    auto* detailLayout = new QHBoxLayout(m_endDetailRow);
    detailLayout->setContentsMargins(10, 0, 12, 0);
    m_countField = new QLineEdit(m_endDetailRow);
    m_countField->setObjectName(QStringLiteral("endRepeatCount"));
    m_countField->setAccessibleName(tr("Number of Occurrences"));
    m_countField->setMaximumWidth(70);
    m_countCaption = new QLabel(tr("time(s)"), m_endDetailRow);
    m_endPicker = new DatePickerButton(m_manager.formatters(), m_endDetailRow);
    m_endPicker->setObjectName(QStringLiteral("endRepeatDate"));
    m_endPicker->setAccessibleName(tr("End Repeat Date"));
    detailLayout->addWidget(m_countField);
    detailLayout->addWidget(m_countCaption);
    detailLayout->addWidget(m_endPicker, 1);
    connect(m_countField, &QLineEdit::editingFinished, this, [this] {
        if (!m_countField->isModified())
            return;
        m_countField->setModified(false);
        m_countField->setText(QString::number(
            RepeatChoices::numberFromText(m_countField->text(), RepeatChoices::kMaximumCount)));
        saveWhenEndRepeatChanged();
    });
    connect(m_endPicker, &DatePickerButton::popoverDismissed, this,
            &RepeatEditor::saveWhenEndRepeatChanged);
}

void RepeatEditor::showRule()
{
    const QSignalBlocker blockRepeat(m_repeatBox);
    const QSignalBlocker blockEnd(m_endBox);
    m_repeatBox->setCurrentIndex(m_edit.preset());
    setHoverVisible(m_edit.preset() == RepeatChoices::Custom);
    setupRecurrenceRuleDescription();
    m_endBox->setCurrentIndex(int(m_edit.endChoice()));
    setupEndRepeatDetailInput();
    checkEndRepeatSelectionAvailability();
}

void RepeatEditor::setupEndRepeatDetailInput()
{
    m_countCaption->setText(tr("time(s)"));
    m_endPicker->setMinimumDateTime(m_edit.due());
    const std::optional<store::RecurrenceEnd> end =
        m_edit.rule() ? m_edit.rule()->recurrenceEnd : std::nullopt;
    if (end && end->endDate.isValid()) {
        const QDateTime date =
            end->endDateIsAllDay ? end->endDate.date().startOfDay() : end->endDate.toLocalTime();
        m_endPicker->setDateTime(date);
    } else {
        m_countField->setText(
            QString::number(end && end->occurrenceCount > 0 ? end->occurrenceCount : 1));
        m_endPicker->setDateTime(TaskDetailEdits::nextFullHour(m_manager.clock().now()));
    }
    m_countField->setModified(false);
    // A rule may come from another program with an end before its due date: it then has no
    // occurrence after the due date, which the row says.
    const bool early = m_edit.endsBeforeDue();
    m_endPicker->setToolTip(early ? tr("The repeat ends before the due date.") : QString());
    QPalette palette = m_endPicker->palette();
    palette.setColor(QPalette::ButtonText,
                     early ? m_modeManager.alertTextColor() : m_modeManager.datePickerLabelColor());
    m_endPicker->setPalette(palette);
}

void RepeatEditor::setHoverVisible(bool visible)
{
    m_hoverShown = visible;
    m_hoverImage->setVisible(visible);
}

void RepeatEditor::setupRecurrenceRuleDescription()
{
    const QString description = m_edit.description();
    m_repeatBox->setToolTip(description);
    m_repeatBox->setAccessibleDescription(description);
    // "Custom" alone tells nothing; the row reads the rule instead.
    m_repeatBox->setShownText(m_repeatBox->currentIndex() == RepeatChoices::Custom ? description
                                                                                   : QString());
    m_hoverImage->setAccessibleDescription(description);
}

void RepeatEditor::repeatChanged(int index)
{
    // A preset is saved at once, and the rows show the saved task.
    if (!m_edit.choosePreset(index))
        openCustomRepeatWindow();
}

void RepeatEditor::openCustomRepeatWindow()
{
    if (!m_sheet) {
        m_sheet = new CustomRepeatSheet(m_repeatRow->window());
        m_sheet->setWindowModality(Qt::WindowModal);
        connect(m_sheet, &QDialog::accepted, this, &RepeatEditor::doneCustomRepeatWindow);
        connect(m_sheet, &QDialog::rejected, this, &RepeatEditor::cancelCustomRepeatWindow);
    }
    const bool sundayFirst = m_manager.defaults().boolForKey(PrefKey::sundayFirst);
    const QDateTime weekStart = m_manager.dates().thisWeekDate();
    QStringList titles;
    for (int i = 0; i < 7; ++i)
        titles << m_manager.formatters().weekdayFormatter().stringFromDate(weekStart.addDays(i));
    // A task without a due date repeats from today.
    const QDate due = m_edit.due().isValid() ? m_edit.due().date() : m_manager.clock().now().date();
    m_sheet->reset(titles, sundayFirst, due.dayOfWeek(), due.month());
    m_sheet->setPalette(m_modeManager.vibrantAppearance());
    // Presented once the pop-up that chose "Custom" has closed.
    QTimer::singleShot(0, m_sheet, [sheet = m_sheet] {
        if (sheet)
            sheet->open();
    });
}

void RepeatEditor::doneCustomRepeatWindow()
{
    m_edit.chooseCustom(m_sheet->choices());
}

void RepeatEditor::cancelCustomRepeatWindow()
{
    m_edit.cancelCustom();
    showRule();
}

void RepeatEditor::checkEndRepeatSelectionAvailability()
{
    const bool never = m_repeatBox->currentIndex() == RepeatChoices::Never;
    if (never) {
        const QSignalBlocker blocker(m_endBox);
        m_endBox->setCurrentIndex(int(EndChoice::Never));
    }
    m_endBox->setEnabled(!never);
    endRepeatChanged(m_endBox->currentIndex(), false);
}

void RepeatEditor::endRepeatChanged(int index, bool fromUser)
{
    const EndChoice choice = EndChoice(qBound(0, index, 2));
    m_countField->setVisible(choice == EndChoice::AfterCount);
    m_countCaption->setVisible(choice == EndChoice::AfterCount);
    m_endPicker->setVisible(choice == EndChoice::OnDate);
    if (fromUser)
        saveWhenEndRepeatChanged();
}

void RepeatEditor::saveWhenEndRepeatChanged()
{
    const EndChoice choice = EndChoice(qBound(0, m_endBox->currentIndex(), 2));
    const int count =
        RepeatChoices::numberFromText(m_countField->text(), RepeatChoices::kMaximumCount);
    m_edit.chooseEnd(choice, m_endPicker->dateTime(), count);
}

bool RepeatEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_hoverImage) {
        if (event->type() == QEvent::Enter) {
            QToolTip::showText(m_hoverImage->mapToGlobal(QPoint(m_hoverImage->width(), 0)),
                               m_edit.description(), m_hoverImage);
        } else if (event->type() == QEvent::Leave) {
            QToolTip::hideText();
        }
    }
    return QObject::eventFilter(watched, event);
}

void RepeatEditor::resetAppearance()
{
    const QColor secondary = m_modeManager.subTextColor();
    m_hoverImage->setPixmap(TintedIcon::pixmap(QStringLiteral("IconRepeat"), QSize(16, 16),
                                               m_modeManager.iconColor(),
                                               m_hoverImage->devicePixelRatioF()));
    const QFont font = m_modeManager.fontWithSize(13);
    for (QWidget* widget :
         {static_cast<QWidget*>(m_repeatBox), static_cast<QWidget*>(m_endBox),
          static_cast<QWidget*>(m_countField), static_cast<QWidget*>(m_countCaption),
          static_cast<QWidget*>(m_endPicker)}) {
        widget->setFont(font);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::ButtonText, secondary);
        palette.setColor(QPalette::WindowText, secondary);
        palette.setColor(QPalette::Text, m_modeManager.menuTextColor());
        // Pop-ups drawn on the pane itself, as titles rather than buttons.
        palette.setColor(QPalette::Button, m_modeManager.listBackgroundColor());
        widget->setPalette(palette);
    }
    if (m_sheet)
        m_sheet->setPalette(m_modeManager.vibrantAppearance());
}
