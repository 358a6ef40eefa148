#include "ui/main/RightViewController.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/detail/DetailLinks.h"
#include "data/detail/EventInfoText.h"
#include "data/detail/TaskDetailEdits.h"
#include "data/location/LocationAlarms.h"
#include "platform/UserDefaults.h"
#include "platform/geo/TileCache.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/DescribedComboBox.h"
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
#include <QDesktopServices>
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
                                         QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
{
    setAccessibleName(tr("Details"));
    setAutoFillBackground(true);
    m_urlOpener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    m_confirmation = [this](const QString& text) {
        return QMessageBox::question(window(), tr("Open URL"), text,
                                     QMessageBox::Open | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Open;
    };

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
    m_repeat = new RepeatEditor(m_manager, m_modeManager, m_content);
    m_locationRow = new LocationRow(m_content);
    m_mapRow = new MapView(m_content);
    m_mapRow->setTileCache(
        new geo::TileCache([this] { return m_manager.defaults().stringForKey(PrefKey::tileURL); },
                           geo::TileCache::defaultCacheFolder(), this));
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
    QList<QWidget*> chain{m_collapseButton,
                          m_title,
                          m_dueRow->checkBox(),
                          m_dueRow->picker(),
                          m_completionRow->checkBox(),
                          m_completionRow->picker(),
                          m_repeat->repeatBox(),
                          m_repeat->endRepeatBox(),
                          m_repeat->countField(),
                          m_repeat->endDatePicker(),
                          m_alarmRow->checkBox(),
                          m_alarmRow->picker(),
                          m_alarmRow->offsetButton(),
                          m_locationRow->checkBox()};
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

std::optional<store::RecurrenceRule> RightViewController::currentRule() const
{
    return m_repeat->currentRule();
}

QString RightViewController::notice() const
{
    return m_noticeLabel->isHidden() ? QString() : m_noticeLabel->text();
}

// --- following the selection ------------------------------------------------------------

void RightViewController::changeViewWithReminder(const store::ReminderPtr& reminder)
{
    if (!reminder) {
        const store::ReminderPtr gone = m_reminder;
        const bool lostEdits = gone && (titleEdited() || notesEdited() || urlEdited());
        if (gone && m_manager.hasRemindersArray() &&
            !m_manager.tasks().reminderWithIdentifier(gone->calendarItemIdentifier)) {
            showNotice(
                lostEdits
                    ? tr("\"%1\" was deleted or is no longer in a visible list; "
                         "what you typed in it was not saved.")
                          .arg(gone->title)
                    : tr("\"%1\" was deleted or is no longer in a visible list.").arg(gone->title),
                lostEdits);
        } else if (!m_event) {
            clearNotice();
        }
        m_reminder.reset();
        m_event.reset();
        m_seenStamp.reset();
        m_retryTexts = false;
        takeWorkingCopies(false);
        reloadRows();
        return;
    }
    if (m_reminder && m_reminder->calendarItemIdentifier == reminder->calendarItemIdentifier) {
        // The same task again, usually read afresh after a change.
        const bool elsewhere = reminder->origin && m_seenStamp &&
                               reminder->origin->stamp != *m_seenStamp &&
                               !m_manager.tasks().isOwnVersion(*reminder);
        m_reminder = reminder;
        if (reminder->origin)
            m_seenStamp = reminder->origin->stamp;
        const bool conflict = [&] {
            const QString oldTitle = m_titleBase;
            const QString oldNotes = m_notesBase;
            const QString oldUrl = m_urlBase;
            takeWorkingCopies(true);
            return (titleEdited() && m_titleBase != oldTitle) ||
                   (notesEdited() && m_notesBase != oldNotes) ||
                   (urlEdited() && m_urlBase != oldUrl);
        }();
        if (conflict) {
            showNotice(tr("\"%1\" was changed by another program while you were editing it. "
                          "Your text is kept here and replaces theirs when you leave the field.")
                           .arg(reminder->title),
                       true);
            m_retryTexts = false;
        } else if (elsewhere) {
            showNotice(tr("\"%1\" was changed by another program; this is its new version.")
                           .arg(reminder->title),
                       false);
        }
        reloadRows();
        if (m_retryTexts && !conflict) {
            m_retryTexts = false;
            saveEditedTexts();
        }
        return;
    }
    // Another task: whatever was typed for the one before goes to it first.
    saveEditedTexts();
    clearNotice();
    m_event.reset();
    m_reminder = reminder;
    m_seenStamp.reset();
    if (reminder->origin)
        m_seenStamp = reminder->origin->stamp;
    m_retryTexts = false;
    takeWorkingCopies(false);
    reloadRows();
    m_scroll->verticalScrollBar()->setValue(0);
}

void RightViewController::changeViewWithEvent(const store::EventPtr& event)
{
    if (event && m_event && event->eventIdentifier == m_event->eventIdentifier) {
        m_event = event;
        takeWorkingCopies(false);
        reloadRows();
        return;
    }
    if (m_reminder)
        saveEditedTexts();
    clearNotice();
    m_reminder.reset();
    m_seenStamp.reset();
    m_retryTexts = false;
    m_event = event;
    takeWorkingCopies(false);
    reloadRows();
    m_scroll->verticalScrollBar()->setValue(0);
}

void RightViewController::takeWorkingCopies(bool keepEdited)
{
    QString title;
    QString notes;
    QString url;
    if (m_reminder) {
        title = m_reminder->title;
        notes = m_reminder->notes;
        url = DetailLinks::urlFieldText(m_reminder->URL);
    } else if (m_event) {
        title = m_event->title;
        notes = m_event->notes;
        url = DetailLinks::urlFieldText(m_event->URL);
    }
    if (!keepEdited || !titleEdited())
        m_currentTitle = title;
    if (!keepEdited || !notesEdited())
        m_currentNotes = notes;
    if (!keepEdited || !urlEdited()) {
        const QSignalBlocker blocker(m_urlRow->field());
        m_urlRow->setText(url, bool(m_reminder));
    }
    m_titleBase = title;
    m_notesBase = notes;
    m_urlBase = url;
}

bool RightViewController::urlEdited() const
{
    return m_urlRow->field()->isModified() && m_urlRow->field()->text() != m_urlBase;
}

// --- rows ------------------------------------------------------------------------------------

void RightViewController::reloadRows()
{
    if (m_reminder)
        m_rows = DetailRowLayout::rowsForReminder(m_reminder.get());
    else if (m_event)
        m_rows = DetailRowLayout::rowsForEvent();
    else
        m_rows.clear();
    fillRows();
    layoutRows();
}

void RightViewController::layoutRows()
{
    QList<QWidget*> wanted;
    int divider = 0;
    const bool located = m_reminder && DetailRowLayout::hasLocationAlarm(*m_reminder);
    const bool ruleHasEnd = m_repeat->currentRule() && m_repeat->currentRule()->recurrenceEnd;
    for (const DetailRow& row : std::as_const(m_rows)) {
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

void RightViewController::fillRows()
{
    if (m_reminder)
        fillReminderRows(*m_reminder);
    else if (m_event)
        fillEventRows(*m_event);
}

void RightViewController::fillReminderRows(const store::Reminder& reminder)
{
    m_title->setReadOnly(false);
    m_title->setTextKeepingCursor(m_currentTitle);
    const QDateTime due = TaskDetailEdits::dueDate(reminder);
    if (reminder.completed) {
        m_completionRow->setState(true, reminder.completionDate.toLocalTime(), QString());
    } else if (due.isValid()) {
        m_dueRow->setState(true, due, QString());
    } else {
        m_dueRow->setState(false, {}, tr("No Due Date"));
    }
    m_repeat->setupForReminder(reminder);

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
    m_priorityRow->setLit(TaskDetailEdits::priorityButtonForPriority(reminder.priority),
                          m_modeManager.subTextColor(), m_modeManager.subTextColor().lighter(150));
    m_listRow->setLists(m_manager.lists().visibleListsByCalendar(), reminder.calendar,
                        m_manager.defaults().stringForKey(PrefKey::defaultList),
                        m_modeManager.subTextColor());
    m_urlRow->field()->setReadOnly(false);
    m_urlRow->updateOpenButton();
    fillNotes(true);
}

void RightViewController::fillEventRows(const store::Event& event)
{
    m_title->setReadOnly(true);
    m_title->setTextKeepingCursor(m_currentTitle);
    m_eventInfo->setLines({EventInfoText::dateText(event, m_manager.formatters()),
                           EventInfoText::locationText(event), EventInfoText::calendarText(event)});
    m_urlRow->field()->setReadOnly(true);
    m_urlRow->updateOpenButton();
    fillNotes(false);
}

void RightViewController::fillNotes(bool editable)
{
    const DetailLinks::NotesDecoration decoration =
        DetailLinks::decorateNotes(m_currentNotes, editable);
    if (editable && !decoration.readOnly) {
        m_notes->setReadOnly(false);
        m_notes->setTextInteractionFlags(Qt::TextEditorInteraction);
        m_notes->setTextKeepingCursor(m_currentNotes);
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
        format.setForeground(m_modeManager.iconColor());
        cursor.insertText(decoration.text.mid(link.start, link.length), format);
        at = link.start + link.length;
    }
    cursor.insertText(decoration.text.mid(at), QTextCharFormat());
    m_notes->document()->setModified(false);
    m_notes->moveCursor(QTextCursor::Start);
}

// --- notices, keyboard, appearance -------------------------------------------------------------

void RightViewController::showNotice(const QString& text, bool error)
{
    m_noticeLabel->setText(text);
    m_noticeLabel->setProperty("error", error);
    QPalette palette = m_noticeLabel->palette();
    palette.setColor(QPalette::WindowText,
                     error ? QColor(0xE0, 0x3C, 0x31) : m_modeManager.subTextColor());
    m_noticeLabel->setPalette(palette);
    m_noticeLabel->show();
}

void RightViewController::clearNotice()
{
    m_noticeLabel->clear();
    m_noticeLabel->hide();
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
    m_highlighter->setLinkColor(m_modeManager.iconColor());
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
    m_scroll->setPalette(palette);
    m_content->setPalette(palette);
    reloadRows();
}

void RightViewController::setupVisualEffectStateActiveAlways(bool always)
{
    m_activeAlways = always;
    update();
}
