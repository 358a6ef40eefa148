#include "ui/entry/QuickAddForm.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "entry/QuickAddRules.h"
#include "entry/SmartAddEntry.h"
#include "entry/SmartAddPatterns.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/TintedIcon.h"
#include "ui/entry/DueDateControl.h"
#include "ui/entry/NoListAlert.h"
#include "ui/entry/NoticeLabel.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitlePointSize = 14;
constexpr int kSmallPointSize = 12;
constexpr int kEnterPointSize = 16;

QFont systemFontOfSize(int pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(pointSize);
    return font;
}

QToolButton* makeImageButton(QWidget* parent, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    return button;
}

} // namespace

QuickAddForm::QuickAddForm(DataManager& manager, ModeManager& modeManager, Arrangement arrangement,
                           QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_entry(std::make_unique<SmartAddEntry>(manager.smartAdd()))
    , m_titleField(new QLineEdit(this))
    , m_enterButton(new QToolButton(this))
    , m_listChooser(new QComboBox(this))
    , m_noDueDateButton(new QPushButton(this))
    , m_dueDate(new DueDateControl(this))
    , m_clearDueDateButton(makeImageButton(this, tr("Clear Due Date")))
    , m_ruleLabel(new QLabel(this))
    , m_undoButton(makeImageButton(this, tr("Undo Smart Add")))
    , m_notice(new NoticeLabel(this))
{
    noListAlert = [](QWidget* parentWindow) { NoListAlert::show(parentWindow); };
    m_titleField->setAccessibleName(tr("Title"));
    m_titleField->setPlaceholderText(tr("New Task"));
    m_titleField->setFrame(false);
    m_titleField->installEventFilter(this);
    m_enterButton->setText(QStringLiteral("↵"));
    m_enterButton->setAccessibleName(tr("Add Task"));
    m_enterButton->setToolTip(tr("Add Task"));
    m_enterButton->setAutoRaise(true);
    m_listChooser->setAccessibleName(tr("List"));
    m_noDueDateButton->setText(tr("No Due Date"));
    m_noDueDateButton->setAccessibleName(tr("No Due Date"));
    m_noDueDateButton->setFlat(true);
    m_noDueDateButton->setAutoDefault(false);
    m_ruleLabel->setAccessibleName(tr("Smart Add"));
    m_ruleLabel->setTextFormat(Qt::PlainText);
    m_notice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(4);
    titleRow->addWidget(m_titleField, 1);
    titleRow->addWidget(m_enterButton);
    auto* dueRow = new QHBoxLayout;
    dueRow->setSpacing(4);
    dueRow->addWidget(m_noDueDateButton, 1);
    dueRow->addWidget(m_dueDate, 2);
    dueRow->addWidget(m_clearDueDateButton);
    auto* ruleRow = new QHBoxLayout;
    ruleRow->setSpacing(4);
    ruleRow->addWidget(m_ruleLabel);
    ruleRow->addWidget(m_undoButton);
    ruleRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    if (arrangement == Arrangement::Stacked) {
        layout->setContentsMargins(12, 10, 12, 10);
        layout->setSpacing(10);
        layout->addLayout(titleRow);
        layout->addWidget(m_listChooser);
        layout->addLayout(dueRow);
        layout->addLayout(ruleRow);
        layout->addWidget(m_notice);
        layout->addStretch(1);
        m_notice->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        auto* dateRow = new QHBoxLayout;
        dateRow->setSpacing(4);
        dateRow->addWidget(m_listChooser, 1);
        dateRow->addLayout(dueRow, 2);
        ruleRow->addWidget(m_notice, 2);
        layout->setContentsMargins(10, 8, 10, 8);
        layout->setSpacing(8);
        layout->addLayout(titleRow);
        layout->addLayout(dateRow);
        layout->addLayout(ruleRow);
    }

    connect(m_titleField, &QLineEdit::textEdited, this, &QuickAddForm::userEditedText);
    connect(m_enterButton, &QToolButton::clicked, this,
            [this] { Q_EMIT returnPressed(Qt::NoModifier); });
    connect(m_noDueDateButton, &QPushButton::clicked, this, &QuickAddForm::noDueDateButtonTapped);
    connect(m_clearDueDateButton, &QToolButton::clicked, this,
            &QuickAddForm::clearDueDateButtonTapped);
    connect(m_undoButton, &QToolButton::clicked, this, [this] {
        m_entry->undo();
        focusTitleField();
    });
    connect(m_dueDate, &DueDateControl::dateTimeEdited, this,
            [this](const QDateTime& date) { m_entry->setDueDate(date); });
    connect(m_dueDate, &DueDateControl::calendarShown, this, &QuickAddForm::calendarShown);
    connect(m_dueDate, &DueDateControl::calendarHidden, this, &QuickAddForm::calendarHidden);
    connect(m_entry.get(), &SmartAddEntry::dueDateChanged, this, &QuickAddForm::showDueDate);
    connect(m_entry.get(), &SmartAddEntry::listRequested, this, &QuickAddForm::listRequested);
    connect(m_entry.get(), &SmartAddEntry::ruleLabelChanged, this, &QuickAddForm::showRuleLabel);

    resetAppearance();
    showDueDate(QDateTime());
    showRuleLabel(QString(), false);
}

QuickAddForm::~QuickAddForm() = default;

// --- setting up ------------------------------------------------------------------------------

void QuickAddForm::setupForm(bool keepTitle)
{
    resetAppearance();
    if (!keepTitle)
        m_titleField->clear();
    fillListChooser();
    setupDueDate(QDateTime());
    m_dueDate->setPresetTime(
        SmartAddPatterns::timeFrom24HourText(m_manager.defaults().stringForKey(PrefKey::alarmTime))
            .value_or(QTime(9, 0)));
    m_entry->setup();
    showRuleLabel(m_entry->ruleLabelText(), m_entry->canUndo());
    focusTitleField();
}

void QuickAddForm::fillListChooser()
{
    m_listChooser->clear();
    m_listArray = m_manager.lists().visibleListsByCalendar();
    if (m_listArray.isEmpty()) {
        // Once the form is on screen, so that the alert has a window to belong to.
        QTimer::singleShot(0, this, [this] {
            if (noListAlert)
                noListAlert(window());
        });
        return;
    }
    for (const store::CalendarPtr& list : std::as_const(m_listArray)) {
        const QColor colour = list->color.isValid() ? list->color : m_modeManager.iconColor();
        m_listChooser->addItem(TintedIcon::icon(QStringLiteral("MenuItemDot"), colour), list->title,
                               list->calendarIdentifier);
    }
    selectDefaultList();
}

void QuickAddForm::selectDefaultList()
{
    // A default list that is not shown leaves the first shown list selected.
    const int index =
        m_listChooser->findData(m_manager.defaults().stringForKey(PrefKey::defaultList));
    m_listChooser->setCurrentIndex(index >= 0 ? index : 0);
}

void QuickAddForm::setupDueDate(const QDateTime& date)
{
    const QDateTime value =
        QuickAddRules::dueDateFor(date, m_manager.clock().now(), m_manager.defaults());
    m_entry->setDueDate(value);
    showDueDate(value);
}

void QuickAddForm::changeToSelectedDate()
{
    setupDueDate(m_manager.dates().selectedDate());
}

void QuickAddForm::changeToList(const QString& listIdentifier)
{
    // By identifier rather than by title: two lists may share a title.
    const int index = m_listChooser->findData(listIdentifier);
    if (!listIdentifier.isEmpty() && index >= 0)
        m_listChooser->setCurrentIndex(index);
}

void QuickAddForm::noDueDateButtonTapped()
{
    setupDueDate(m_manager.clock().now());
}

void QuickAddForm::clearDueDateButtonTapped()
{
    m_entry->setDueDate(QDateTime());
    showDueDate(QDateTime());
    focusTitleField();
}

void QuickAddForm::resetEntry()
{
    m_titleField->clear();
    if (!m_listArray.isEmpty())
        selectDefaultList();
    m_entry->reset();
    showDueDate(QDateTime());
}

void QuickAddForm::focusTitleField()
{
    m_titleField->setFocus(Qt::OtherFocusReason);
    m_titleField->end(false);
}

void QuickAddForm::resetAppearance()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    setPalette(palette);
    QPalette secondary = palette;
    secondary.setColor(QPalette::WindowText, m_modeManager.subTextColor());
    secondary.setColor(QPalette::ButtonText, m_modeManager.subTextColor());
    secondary.setColor(QPalette::Text, m_modeManager.subTextColor());

    m_titleField->setFont(m_modeManager.fontWithSize(kTitlePointSize));
    m_enterButton->setFont(systemFontOfSize(kEnterPointSize));
    m_enterButton->setPalette(secondary);
    m_listChooser->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_listChooser->setPalette(secondary);
    m_noDueDateButton->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_noDueDateButton->setPalette(secondary);
    m_dueDate->setControlFont(m_modeManager.fontWithSize(kSmallPointSize));
    QPalette picker = palette;
    picker.setColor(QPalette::Text, m_modeManager.datePickerLabelColor());
    m_dueDate->setPalette(picker);
    m_ruleLabel->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_ruleLabel->setPalette(secondary);
    m_notice->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_notice->setPalette(secondary);
    const QColor icons = m_modeManager.subTextColor();
    m_clearDueDateButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonClear"), icons));
    m_undoButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonUndo"), icons));
    for (int i = 0; i < m_listArray.size() && i < m_listChooser->count(); ++i) {
        const QColor colour = m_listArray.at(i)->color.isValid() ? m_listArray.at(i)->color
                                                                 : m_modeManager.iconColor();
        m_listChooser->setItemIcon(i, TintedIcon::icon(QStringLiteral("MenuItemDot"), colour));
    }
}

// --- following the user ----------------------------------------------------------------------

bool QuickAddForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_titleField && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT returnPressed(key->modifiers() & ~Qt::KeypadModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            Q_EMIT escapePressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuickAddForm::setFieldText(const QString& text, qsizetype cursorPosition)
{
    // A change made here is no edit of the user's: it must not start another match.
    const QSignalBlocker block(m_titleField);
    m_titleField->setText(text);
    m_titleField->setCursorPosition(int(cursorPosition));
}

void QuickAddForm::userEditedText(const QString& text)
{
    QString line = text;
    const QString single = QuickAddRules::singleLineTitle(text);
    if (single != text) {
        line = single;
        setFieldText(line, m_titleField->cursorPosition());
    }
    if (const auto change = m_entry->userEditedText(line, m_titleField->cursorPosition()))
        setFieldText(change->text, change->cursorPosition);
}

void QuickAddForm::showDueDate(const QDateTime& dueDate)
{
    const bool has = dueDate.isValid();
    if (has)
        m_dueDate->setDateTime(dueDate);
    m_noDueDateButton->setVisible(!has);
    m_dueDate->setVisible(has);
    m_clearDueDateButton->setVisible(has);
}

void QuickAddForm::listRequested(const QString& name)
{
    const store::CalendarPtr list =
        m_manager.lists().calendarFromNameOnlyFromSelectedCalendars(name);
    if (list)
        changeToList(list->calendarIdentifier);
}

void QuickAddForm::showRuleLabel(const QString& text, bool undoVisible)
{
    m_ruleLabel->setText(text);
    m_undoButton->setVisible(undoVisible);
}

void QuickAddForm::calendarShown()
{
    m_listChooser->setEnabled(false);
}

void QuickAddForm::calendarHidden()
{
    m_listChooser->setEnabled(true);
    focusTitleField();
}

void QuickAddForm::showNotice(const QString& notice)
{
    m_notice->showNotice(notice);
}

// --- adding ----------------------------------------------------------------------------------

store::CalendarPtr QuickAddForm::selectedList() const
{
    const int index = m_listChooser->currentIndex();
    return index >= 0 && index < m_listArray.size() ? m_listArray.at(index) : nullptr;
}

store::CalendarPtr QuickAddForm::listForAdding(bool* fellBack)
{
    *fellBack = false;
    const store::CalendarPtr chosen = selectedList();
    if (!chosen)
        return nullptr;
    // The store's current record: the list may have been renamed or removed since the chooser
    // was filled.
    if (const store::CalendarPtr current =
            m_manager.lists().calendarByUUID(chosen->calendarIdentifier))
        return current;
    const store::CalendarPtr fallback = m_manager.lists().defaultList();
    if (!fallback)
        return nullptr;
    *fellBack = true;
    showNotice(tr("“%1” is gone; the task went to “%2”.").arg(chosen->title, fallback->title));
    fillListChooser();
    changeToList(fallback->calendarIdentifier);
    return fallback;
}

QuickAddForm::AddResult QuickAddForm::addTask()
{
    if (m_listArray.isEmpty()) {
        if (noListAlert)
            noListAlert(window());
        return AddResult::NoList;
    }
    const QString typed = m_titleField->text();
    const SmartAddEntry::Submission submission = m_entry->submit(typed);
    if (!submission.accepted) {
        setFieldText(submission.text, submission.text.size());
        showNotice(tr("Type a title for the task."));
        return AddResult::Blank;
    }
    bool fellBack = false;
    const store::CalendarPtr list = listForAdding(&fellBack);
    if (!list) {
        if (noListAlert)
            noListAlert(window());
        return AddResult::NoList;
    }

    bool saved = false;
    store::ReminderPtr added;
    TaskOperations& tasks = m_manager.tasks();
    tasks.addReminderWithTitle(submission.title, list, submission.priority, submission.dueDate,
                               std::nullopt, QString(), QString(), submission.alarm, std::nullopt,
                               [&saved, &added](bool ok, const store::ReminderPtr& reminder) {
                                   saved = ok;
                                   added = reminder;
                               });
    if (!saved) {
        // Nothing is lost: the text stays as typed for another try.
        setFieldText(typed, typed.size());
        showNotice(tr("The task could not be saved: %1").arg(tasks.lastSaveError()));
        return AddResult::Failed;
    }
    m_titleField->clear();
    Q_EMIT taskAdded(added);
    return fellBack ? AddResult::AddedToDefaultList : AddResult::Added;
}
