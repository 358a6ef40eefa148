#include "ui/entry/QuickAddForm.h"

#include "entry/SmartAddEntry.h"
#include "prefs/ModeManager.h"
#include "presentation/entry/QuickAddSession.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/ElidedLabel.h"
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
    , m_modeManager(modeManager)
    , m_session(new QuickAddSession(manager, this))
    , m_titleField(new QLineEdit(this))
    , m_enterButton(new QToolButton(this))
    , m_listChooser(new QComboBox(this))
    , m_noDueDateButton(new QPushButton(this))
    , m_dueDate(new DueDateControl(this))
    , m_clearDueDateButton(makeImageButton(this, tr("Clear Due Date")))
    , m_ruleLabel(new QLabel(this))
    , m_repeatLabel(new ElidedLabel(this))
    , m_undoButton(makeImageButton(this, tr("Undo Smart Add")))
    , m_notice(new NoticeLabel(this))
    , m_parentLabel(new QLabel(this))
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
    m_repeatLabel->setAccessibleName(tr("Repeat"));
    m_repeatLabel->setTextFormat(Qt::PlainText);
    m_notice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_parentLabel->setTextFormat(Qt::PlainText);
    m_parentLabel->setWordWrap(true);
    m_parentLabel->hide();

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
    ruleRow->addWidget(m_repeatLabel, 1);
    ruleRow->addWidget(m_undoButton);
    ruleRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_parentLabel);
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
        m_session->entry().undo();
        focusTitleField();
    });
    connect(m_listChooser, &QComboBox::activated, m_session, &QuickAddSession::chooseIndex);
    connect(m_dueDate, &DueDateControl::dateTimeEdited, this,
            [this](const QDateTime& date) { m_session->entry().setDueDate(date); });
    connect(m_dueDate, &DueDateControl::calendarShown, this, &QuickAddForm::calendarShown);
    connect(m_dueDate, &DueDateControl::calendarHidden, this, &QuickAddForm::calendarHidden);
    connect(m_session, &QuickAddSession::listsChanged, this, &QuickAddForm::showLists);
    connect(m_session, &QuickAddSession::chosenListChanged, m_listChooser,
            &QComboBox::setCurrentIndex);
    connect(m_session, &QuickAddSession::dueDateChanged, this, &QuickAddForm::showDueDate);
    connect(m_session, &QuickAddSession::ruleLabelChanged, this, &QuickAddForm::showRuleLabel);
    connect(m_session, &QuickAddSession::repeatLabelChanged, this, &QuickAddForm::showRepeatLabel);
    connect(m_session, &QuickAddSession::noticeRequested, this, &QuickAddForm::showNotice);
    connect(m_session, &QuickAddSession::parentTaskChanged, this, &QuickAddForm::showParentTask);
    connect(m_session, &QuickAddSession::noListAlertRequested, this, [this] {
        // Once the form is on screen, so that the alert has a window to belong to.
        QTimer::singleShot(0, this, [this] {
            if (noListAlert)
                noListAlert(window());
        });
    });

    resetAppearance();
    showDueDate(QDateTime());
    showRuleLabel(QString(), false);
    showRepeatLabel(QString());
}

QuickAddForm::~QuickAddForm() = default;

// --- setting up ------------------------------------------------------------------------------

void QuickAddForm::setupForm(bool keepTitle)
{
    resetAppearance();
    if (!keepTitle)
        m_titleField->clear();
    m_dueDate->setPresetTime(m_session->presetTime());
    m_session->setup();
    focusTitleField();
}

void QuickAddForm::showLists()
{
    const QSignalBlocker block(m_listChooser);
    m_listChooser->clear();
    for (const store::CalendarPtr& list : m_session->lists())
        m_listChooser->addItem(listIcon(list), list->title, list->calendarIdentifier);
    m_listChooser->setCurrentIndex(m_session->chosenIndex());
}

QIcon QuickAddForm::listIcon(const store::CalendarPtr& list) const
{
    const QColor colour = list->color.isValid() ? qColor(list->color) : m_modeManager.iconColor();
    return TintedIcon::icon(QStringLiteral("MenuItemDot"), colour);
}

void QuickAddForm::setupDueDate(const QDateTime& date)
{
    m_session->startDueDateAt(date);
}

void QuickAddForm::changeToSelectedDate()
{
    m_session->startAtSelectedDate();
}

void QuickAddForm::changeToList(const QString& listIdentifier)
{
    m_session->chooseList(listIdentifier);
}

void QuickAddForm::noDueDateButtonTapped()
{
    m_session->addDueDate();
}

void QuickAddForm::clearDueDateButtonTapped()
{
    m_session->clearDueDate();
    focusTitleField();
}

void QuickAddForm::resetEntry()
{
    m_titleField->clear();
    m_session->reset();
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
    m_parentLabel->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_parentLabel->setPalette(secondary);
    m_repeatLabel->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_repeatLabel->setPalette(secondary);
    m_notice->setFont(m_modeManager.fontWithSize(kSmallPointSize));
    m_notice->setPalette(secondary);
    const QColor icons = m_modeManager.subTextColor();
    m_clearDueDateButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonClear"), icons));
    m_undoButton->setIcon(TintedIcon::icon(QStringLiteral("ButtonUndo"), icons));
    const QList<store::CalendarPtr>& lists = m_session->lists();
    for (int i = 0; i < lists.size() && i < m_listChooser->count(); ++i)
        m_listChooser->setItemIcon(i, listIcon(lists.at(i)));
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
    if (const auto change = m_session->userEditedText(text, m_titleField->cursorPosition()))
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

void QuickAddForm::showRuleLabel(const QString& text, bool undoVisible)
{
    m_ruleLabel->setText(text);
    m_undoButton->setVisible(undoVisible);
}

void QuickAddForm::showRepeatLabel(const QString& text)
{
    // A repeat with its end runs long ("Every Month on Last Friday, until 31/12/2026"): it ends
    // in an ellipsis rather than widen the window, and its tooltip has it whole.
    m_repeatLabel->setFullText(text.isEmpty() ? QString() : tr("↻ %1").arg(text));
    m_repeatLabel->setVisible(!text.isEmpty());
}

void QuickAddForm::calendarShown()
{
    m_listChooser->setEnabled(false);
}

void QuickAddForm::calendarHidden()
{
    m_listChooser->setEnabled(!m_session->parentTask());
    focusTitleField();
}

void QuickAddForm::showParentTask(const QString& title)
{
    const bool bound = m_session->parentTask() != nullptr;
    m_parentLabel->setText(tr("Subtask of “%1”").arg(title));
    m_parentLabel->setVisible(bound);
    // The subtask goes to its parent's list; the chooser shows it and cannot change it.
    m_listChooser->setEnabled(!bound);
}

void QuickAddForm::showNotice(const QString& notice)
{
    m_notice->showNotice(notice);
}

// --- adding ----------------------------------------------------------------------------------

QuickAddForm::AddResult QuickAddForm::addTask()
{
    const QuickAddSession::Addition addition = m_session->addTask(m_titleField->text());
    if (addition.result == AddResult::NoList) {
        if (noListAlert)
            noListAlert(window());
        return addition.result;
    }
    setFieldText(addition.fieldText, addition.fieldText.size());
    if (QuickAddSession::wasAdded(addition.result))
        Q_EMIT taskAdded(addition.added);
    return addition.result;
}
