#include "ui/main/RightViewController.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/detail/DetailLinks.h"
#include "data/detail/EventInfoText.h"
#include "data/detail/TaskDetailEdits.h"
#include "data/location/LocationAlarms.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/common/DescribedComboBox.h"
#include "ui/common/ElidedLineEdit.h"
#include "ui/common/TintedIcon.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/DividerRow.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/InfoRow.h"
#include "ui/main/detail/LinkHighlighter.h"
#include "ui/main/detail/ListSelectorRow.h"
#include "ui/main/detail/LocationRow.h"
#include "ui/main/detail/MapView.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/main/detail/RepeatEditor.h"
#include "ui/main/detail/UrlRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaximumDividers = 6;

QWidget* padded(QWidget* inner, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(10, 0, 12, 0);
    layout->addWidget(inner);
    row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return row;
}

} // namespace

RightViewController::RightViewController(DataManager& manager, ModeManager& modeManager,
                                         const DetailServices& services, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_session(std::make_unique<DetailEditSession>(manager, services))
{
    setAccessibleName(tr("Details"));
    setAutoFillBackground(true);
    m_session->setConfirmation([this](const QString& text) {
        return QMessageBox::question(window(), tr("Open URL"), text,
                                     QMessageBox::Open | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Open;
    });
    connect(m_session.get(), &DetailEditSession::changed, this, &RightViewController::reloadRows);
    connect(m_session.get(), &DetailEditSession::noticeChanged, this,
            &RightViewController::showNotice);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(4);
    auto* header = new QHBoxLayout;
    header->setContentsMargins(8, 0, 12, 0);
    m_collapseButton = new QToolButton(this);
    m_collapseButton->setAutoRaise(true);
    m_collapseButton->setToolTip(tr("Hide Details"));
    m_collapseButton->setAccessibleName(tr("Hide Details"));
    connect(m_collapseButton, &QToolButton::clicked, this, [this] {
        if (m_delegate)
            m_delegate->toggleRightView();
    });
    header->addWidget(m_collapseButton);
    header->addStretch(1);
    m_addSubtaskButton = new QToolButton(this);
    m_addSubtaskButton->setAutoRaise(true);
    m_addSubtaskButton->setText(tr("Add Subtask"));
    m_addSubtaskButton->setToolTip(tr("Add Subtask"));
    m_addSubtaskButton->setAccessibleName(tr("Add Subtask"));
    m_addSubtaskButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_addSubtaskButton->hide();
    m_addSubtaskButton->setEnabled(false);
    connect(m_addSubtaskButton, &QToolButton::clicked, this, [this] {
        if (m_delegate && m_session->reminder())
            m_delegate->addSubtask(m_session->reminder());
    });
    header->addWidget(m_addSubtaskButton);
    layout->addLayout(header);
    m_noticeLabel = new QLabel(this);
    m_noticeLabel->setObjectName(QStringLiteral("detailNotice"));
    m_noticeLabel->setWordWrap(true);
    m_noticeLabel->setContentsMargins(10, 4, 12, 4);
    m_noticeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_noticeLabel->hide();
    layout->addWidget(m_noticeLabel);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The rows take the keyboard, and the area scrolls to the one that has it.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_content = new QWidget(m_scroll);
    m_content->setAutoFillBackground(false);
    m_rowsLayout = new QVBoxLayout(m_content);
    // The rows start below the window's title bar and end well above its lower edge.
    m_rowsLayout->setContentsMargins(0, 36, 0, 50);
    m_rowsLayout->setSpacing(0);
    m_scroll->setWidget(m_content);
    m_scroll->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_scroll, 1);
    buildRows();
    connectEdits();

    resetAppearance();
    reloadRows();
}

RightViewController::~RightViewController()
{
    // The rows are deleted after this object's members: a field that loses the keyboard as it
    // goes ends its editing, and that must not reach the half-destroyed pane and save from it.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void RightViewController::buildRows()
{
    for (int i = 0; i < kMaximumDividers; ++i)
        m_dividers << new DividerRow(m_content);
    for (DetailLabel label :
         {DetailLabel::DueDate, DetailLabel::Completed, DetailLabel::Repeat, DetailLabel::EndRepeat,
          DetailLabel::Alarm, DetailLabel::Location, DetailLabel::Priorities, DetailLabel::List,
          DetailLabel::Url, DetailLabel::Notes}) {
        auto* caption = new QLabel(DetailRowLayout::labelText(label), m_content);
        caption->setContentsMargins(12, 0, 12, 0);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        caption->setFixedHeight(DetailRowLayout::kRowHeight);
        m_labels.insert(label, caption);
    }
    m_title = new GrowingTextEdit(true, m_content);
    m_title->setObjectName(QStringLiteral("detailTitle"));
    m_title->setAccessibleName(tr("Title"));
    m_title->setPadding(DetailRowLayout::kTextRowPadding);
    m_dueRow = new CheckDateRow(m_manager.formatters(), tr("Due Date"), m_content);
    m_dueRow->picker()->setNoTimeFeature(true);
    m_completionRow = new CheckDateRow(m_manager.formatters(), tr("Completed"), m_content);
    m_alarmRow = new CheckDateRow(m_manager.formatters(), tr("Alarm"), m_content);
    m_eventInfo = new InfoRow(m_content);
    m_repeat = new RepeatEditor(m_manager, m_modeManager, m_session->repeat(), m_content);
    m_locationRow = new LocationRow(m_content);
    m_mapRow = new MapView(m_content);
    m_mapRow->setTileCache(&m_session->services().tiles);
    m_priorityRow = new PriorityRow(m_content);
    m_listRow = new ListSelectorRow(m_content);
    m_urlRow = new UrlRow(m_content);
    m_notes = new GrowingTextEdit(false, m_content);
    m_notes->setObjectName(QStringLiteral("detailNotes"));
    m_notes->setAccessibleName(tr("Notes"));
    m_notes->setPadding(DetailRowLayout::kTextRowPadding);
    m_highlighter = new LinkHighlighter(m_notes->document());

    // Wrapped so that the text fields line up with the other rows.
    m_titleRow = padded(m_title, m_content);
    m_notesRow = padded(m_notes, m_content);

    m_emptyLabel = new QLabel(tr("No Task Selected"), m_content);
    m_emptyLabel->setAlignment(Qt::AlignCenter);

    // The keyboard walks the rows from top to bottom; rows not shown are skipped.
    QList<QWidget*> chain{
        m_collapseButton,          m_addSubtaskButton,         m_title,
        m_dueRow->checkBox(),      m_dueRow->picker(),         m_completionRow->checkBox(),
        m_completionRow->picker(), m_repeat->repeatBox(),      m_repeat->endRepeatBox(),
        m_repeat->countField(),    m_repeat->endDatePicker(),  m_alarmRow->checkBox(),
        m_alarmRow->picker(),      m_alarmRow->offsetButton(), m_locationRow->checkBox()};
    for (int i = 0; i < 4; ++i)
        chain << m_priorityRow->button(i);
    chain << m_listRow->comboBox() << m_urlRow->field() << m_notes;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    m_keyboardChain = chain;
}

QWidget* RightViewController::rowWidget(DetailRowKind kind) const
{
    switch (kind) {
    case DetailRowKind::Title:
        return m_titleRow;
    case DetailRowKind::DueDate:
        return m_dueRow;
    case DetailRowKind::CompletionDate:
        return m_completionRow;
    case DetailRowKind::EventInfo:
        return m_eventInfo;
    case DetailRowKind::Repeat:
        return m_repeat->repeatRow();
    case DetailRowKind::EndRepeat:
        return m_repeat->endRepeatRow();
    case DetailRowKind::EndRepeatDetail:
        return m_repeat->endRepeatDetailRow();
    case DetailRowKind::Alarm:
        return m_alarmRow;
    case DetailRowKind::Location:
        return m_locationRow;
    case DetailRowKind::Map:
        return m_mapRow;
    case DetailRowKind::Priorities:
        return m_priorityRow;
    case DetailRowKind::List:
        return m_listRow;
    case DetailRowKind::Url:
        return m_urlRow;
    case DetailRowKind::Notes:
        return m_notesRow;
    case DetailRowKind::Divider:
    case DetailRowKind::Label:
        break;
    }
    return nullptr;
}

// --- following the selection ------------------------------------------------------------

void RightViewController::changeViewWithReminder(const store::ReminderPtr& reminder)
{
    const store::ReminderPtr shown = m_session->reminder();
    const bool another =
        reminder && !(shown && shown->calendarItemIdentifier == reminder->calendarItemIdentifier);
    m_session->showReminder(reminder);
    if (another)
        m_scroll->verticalScrollBar()->setValue(0);
}

void RightViewController::changeViewWithEvent(const store::EventPtr& event)
{
    const store::EventPtr shown = m_session->shownEvent();
    const bool same = event && shown && event->eventIdentifier == shown->eventIdentifier;
    m_session->showEvent(event);
    if (!same)
        m_scroll->verticalScrollBar()->setValue(0);
}

// --- rows ------------------------------------------------------------------------------------

void RightViewController::setAddSubtaskEnabled(bool enabled)
{
    m_addSubtaskButton->setEnabled(enabled);
}

void RightViewController::reloadRows()
{
    m_addSubtaskButton->setVisible(m_session->reminder() != nullptr);
    if (const store::ReminderPtr reminder = m_session->reminder())
        fillReminderRows(*reminder);
    else if (const store::EventPtr event = m_session->shownEvent())
        fillEventRows(*event);
    else
        fillTexts();
    layoutRows();
}

void RightViewController::layoutRows()
{
    QList<QWidget*> wanted;
    int divider = 0;
    const store::ReminderPtr reminder = m_session->reminder();
    const bool located = reminder && DetailRowLayout::hasLocationAlarm(*reminder);
    const std::optional<store::RecurrenceRule>& rule = m_session->repeat().rule();
    const bool ruleHasEnd = rule && rule->recurrenceEnd;
    for (const DetailRow& row : m_session->rows()) {
        QWidget* widget = nullptr;
        if (row.kind == DetailRowKind::Divider)
            widget = m_dividers.value(divider++);
        else if (row.kind == DetailRowKind::Label)
            widget = m_labels.value(row.label);
        else
            widget = rowWidget(row.kind);
        if (!widget)
            continue;
        const int height = DetailRowLayout::fixedHeight(row.kind, located, ruleHasEnd);
        if (row.kind == DetailRowKind::EventInfo) {
            widget->setFixedHeight(m_eventInfo->lines().size() > 2 ? 66 : height);
        } else if (row.kind == DetailRowKind::Location && located) {
            // A long place name takes more lines rather than being cut off.
            widget->setMinimumHeight(height);
            widget->setMaximumHeight(QWIDGETSIZE_MAX);
        } else if (height >= 0 && row.kind != DetailRowKind::Label) {
            widget->setFixedHeight(height);
        }
        wanted << widget;
    }
    if (wanted.isEmpty())
        wanted << m_emptyLabel;
    // Widgets leave the layout without being hidden first: hiding the one with the keyboard
    // would end the edit in it.
    while (QLayoutItem* item = m_rowsLayout->takeAt(0))
        delete item;
    const QSet<QWidget*> shown(wanted.cbegin(), wanted.cend());
    for (QWidget* child : m_content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!shown.contains(child))
            child->hide();
    }
    for (QWidget* widget : std::as_const(wanted)) {
        m_rowsLayout->addWidget(widget, widget == m_emptyLabel ? 1 : 0);
        widget->show();
    }
    if (!wanted.contains(m_emptyLabel))
        m_rowsLayout->addStretch(1);
}

void RightViewController::fillReminderRows(const store::Reminder& reminder)
{
    fillTexts();
    const QDateTime due = TaskDetailEdits::dueDate(reminder);
    if (reminder.completed) {
        m_completionRow->setState(true, reminder.completionDate.toLocalTime(), QString());
    } else if (due.isValid()) {
        m_dueRow->setState(true, due, QString());
    } else {
        m_dueRow->setState(false, {}, tr("No Due Date"));
    }
    m_repeat->showRule();

    const std::optional<store::Alarm> alarm = TaskDetailEdits::shownTimeAlarm(reminder);
    if (alarm) {
        m_alarmRow->setState(true, TaskDetailEdits::alarmFireDate(reminder, *alarm), QString());
        m_alarmRow->picker()->setOverrideText(
            alarm->hasRelativeOffset && alarm->relativeOffset <= 0
                ? TaskDetailEdits::alarmOffsetTitle(int(qRound64(-alarm->relativeOffset)))
                : QString());
    } else {
        m_alarmRow->picker()->setOverrideText(QString());
        m_alarmRow->setState(false, {}, tr("No Alarm"));
    }

    m_locationRow->showReminder(reminder);
    m_mapRow->setRegion(LocationAlarms::mapRegion(reminder));
    m_priorityRow->setLit(
        TaskDetailEdits::priorityButtonForPriority(reminder.priority), m_modeManager.subTextColor(),
        m_modeManager.contrast().readableText(m_modeManager.subTextColor().lighter(150)),
        m_modeManager.alertTextColor());
    m_listRow->setLists(m_manager.lists().visibleListsByCalendar(), reminder.calendar,
                        m_manager.defaults().stringForKey(PrefKey::defaultList),
                        m_modeManager.subTextColor());
}

void RightViewController::fillEventRows(const store::Event& event)
{
    fillTexts();
    m_eventInfo->setLines({EventInfoText::dateText(event, m_manager.formatters()),
                           EventInfoText::locationText(event), EventInfoText::calendarText(event)});
}

// The title, the address and the notes show the session's working copies; only a task's
// are editable. With nothing shown the fields keep their last state, out of sight.
void RightViewController::fillTexts()
{
    const bool editable = bool(m_session->reminder());
    ElidedLineEdit* url = m_urlRow->field();
    if (url->text() != m_session->text(DetailEditSession::Text::Url)) {
        const QSignalBlocker blocker(url);
        m_urlRow->setText(m_session->text(DetailEditSession::Text::Url), editable);
    }
    url->setReadOnly(!editable);
    m_urlRow->updateOpenButton();
    if (!editable && !m_session->shownEvent())
        return;
    m_title->setReadOnly(!editable);
    m_title->setTextKeepingCursor(m_session->text(DetailEditSession::Text::Title));
    fillNotes(editable);
}

void RightViewController::fillNotes(bool editable)
{
    const DetailLinks::NotesDecoration decoration =
        DetailLinks::decorateNotes(m_session->text(DetailEditSession::Text::Notes), editable);
    if (editable && !decoration.readOnly) {
        m_notes->setReadOnly(false);
        m_notes->setTextInteractionFlags(Qt::TextEditorInteraction);
        m_notes->setTextKeepingCursor(m_session->text(DetailEditSession::Text::Notes));
        return;
    }
    // Shown as it is decorated: captions in place of mail links, every link clickable.
    m_notes->setReadOnly(true);
    m_notes->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_notes->clear();
    QTextCursor cursor(m_notes->document());
    qsizetype at = 0;
    for (const DetailLinks::NotesLink& link : decoration.links) {
        cursor.insertText(decoration.text.mid(at, link.start - at), QTextCharFormat());
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorHref(link.url.toString());
        format.setFontUnderline(true);
        format.setForeground(m_modeManager.calendarTodayColor());
        cursor.insertText(decoration.text.mid(link.start, link.length), format);
        at = link.start + link.length;
    }
    cursor.insertText(decoration.text.mid(at), QTextCharFormat());
    m_notes->document()->setModified(false);
    m_notes->moveCursor(QTextCursor::Start);
}

// --- notices, keyboard, appearance -------------------------------------------------------------

void RightViewController::showNotice()
{
    const DetailEditSession::Notice& notice = m_session->notice();
    m_noticeLabel->setText(notice.text);
    m_noticeLabel->setVisible(!notice.text.isEmpty());
    m_noticeLabel->setProperty("error", notice.error);
    QPalette palette = m_noticeLabel->palette();
    palette.setColor(QPalette::WindowText,
                     notice.error ? m_modeManager.alertTextColor() : m_modeManager.subTextColor());
    m_noticeLabel->setPalette(palette);
}

void RightViewController::focusTitle()
{
    m_title->setFocus(Qt::ShortcutFocusReason);
    m_title->moveCursor(QTextCursor::End);
    m_scroll->ensureWidgetVisible(m_title);
}

void RightViewController::keyPressEvent(QKeyEvent* event)
{
    // Every row's control leaves Escape to the pane (a shortcut would also take it from the
    // pane's own pop-overs, which close with it).
    if (event->key() == Qt::Key_Escape && m_delegate) {
        m_delegate->returnToTaskList();
        return;
    }
    QWidget::keyPressEvent(event);
}

void RightViewController::resetAppearance()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, m_modeManager.listBackgroundColor());
    palette.setColor(QPalette::Base, m_modeManager.listBackgroundColor());
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    palette.setColor(QPalette::Text, m_modeManager.darkTextColor());
    palette.setColor(QPalette::ButtonText, m_modeManager.subTextColor());
    setPalette(palette);
    const QColor secondary = m_modeManager.subTextColor();
    const QFont text = m_modeManager.fontWithSize(13);
    m_content->setFont(text);
    m_title->setFont(m_modeManager.fontWithSize(16));
    m_notes->setFont(text);
    QPalette notesPalette = palette;
    notesPalette.setColor(QPalette::Text, secondary);
    m_notes->setPalette(notesPalette);
    m_highlighter->setLinkColor(m_modeManager.calendarTodayColor());
    QPalette captions = palette;
    captions.setColor(QPalette::WindowText, secondary);
    for (QLabel* label : std::as_const(m_labels)) {
        label->setFont(text);
        label->setPalette(captions);
    }
    for (QLabel* label : {m_dueRow->statusLabel(), m_completionRow->statusLabel(),
                          m_alarmRow->statusLabel(), m_locationRow->statusLabel(), m_emptyLabel}) {
        label->setPalette(captions);
    }
    for (DividerRow* divider : std::as_const(m_dividers))
        divider->setColor(m_modeManager.dividerColor());
    m_priorityRow->setButtonFont(text);
    for (CheckDateRow* row : {m_dueRow, m_completionRow, m_alarmRow}) {
        row->setRowFont(text);
        QPalette dates = palette;
        dates.setColor(QPalette::ButtonText, m_modeManager.datePickerLabelColor());
        row->picker()->setPalette(dates);
    }
    m_listRow->comboBox()->setFont(m_modeManager.fontWithSize(12));
    QPalette popUp = captions;
    popUp.setColor(QPalette::ButtonText, secondary);
    popUp.setColor(QPalette::Button, m_modeManager.listBackgroundColor());
    m_listRow->comboBox()->setPalette(popUp);
    m_repeat->resetAppearance();
    m_collapseButton->setIcon(
        TintedIcon::icon(QStringLiteral("ButtonDetails"), m_modeManager.iconColor()));
    m_addSubtaskButton->setIcon(
        TintedIcon::icon(QStringLiteral("ButtonAdd"), m_modeManager.iconColor()));
    m_scroll->setPalette(palette);
    m_content->setPalette(palette);
    reloadRows();
}

void RightViewController::setupVisualEffectStateActiveAlways(bool always)
{
    m_activeAlways = always;
    update();
}
