#include "ui/exchange/ImportDialog.h"

#include "ui/common/SheetLook.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace exchange;

ImportDialog::ImportDialog(ImportPlan plan, const QList<store::CalendarPtr>& taskLists,
                           const QList<store::CalendarPtr>& eventCalendars,
                           const store::CalendarPtr& defaultList, QWidget* parent)
    : QDialog(parent)
    , m_plan(std::move(plan))
{
    setWindowTitle(tr("Import"));
    SheetLook::followParentWindow(this);
    // Room for a summary and a broken item's file and reason on a few lines, not a column.
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    for (const store::CalendarPtr& list : taskLists)
        if (!list->immutable)
            m_taskListChoices.append(list);
    for (const store::CalendarPtr& calendar : eventCalendars)
        if (!calendar->immutable && calendar->holdsEvents)
            m_eventCalendarChoices.append(calendar);

    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(tr("Tasks: %1. Events: %2. Already in Velmoran: %3.")
                               .arg(m_plan.count(ItemKind::Task))
                               .arg(m_plan.count(ItemKind::Event))
                               .arg(m_plan.present()),
                           this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto* form = new QFormLayout;
    m_taskLists = collectionBox(m_taskListChoices, defaultList, this);
    m_taskLists->setAccessibleName(tr("List for tasks"));
    if (m_plan.count(ItemKind::Task) > 0)
        form->addRow(tr("&Tasks go to:"), m_taskLists);
    else
        m_taskLists->hide();
    m_eventCalendars = collectionBox(m_eventCalendarChoices,
                                     calendarForEvents(defaultList, m_eventCalendarChoices), this);
    m_eventCalendars->setAccessibleName(tr("Calendar for events"));
    if (m_plan.count(ItemKind::Event) > 0)
        form->addRow(tr("&Events go to:"), m_eventCalendars);
    else
        m_eventCalendars->hide();
    layout->addLayout(form);

    m_skip = new QRadioButton(tr("&Skip the items already in Velmoran"), this);
    m_update = new QRadioButton(tr("&Update them with the imported version"), this);
    m_skip->setChecked(true);
    auto* present = new QButtonGroup(this);
    present->addButton(m_skip);
    present->addButton(m_update);
    layout->addWidget(m_skip);
    layout->addWidget(m_update);
    m_skip->setVisible(m_plan.present() > 0);
    m_update->setVisible(m_plan.present() > 0);

    m_problems = new QLabel(this);
    m_problems->setWordWrap(true);
    m_problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!m_plan.skipped.isEmpty()) {
        QStringList lines{tr("These items are broken and will be left out:")};
        for (const SkippedItem& item : std::as_const(m_plan.skipped))
            lines << item.text();
        m_problems->setText(lines.join(u'\n'));
    }
    m_problems->setVisible(!m_plan.skipped.isEmpty());
    layout->addWidget(m_problems);

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, int(m_plan.items.size()));
    m_progress->setAccessibleName(tr("Import progress"));
    m_progress->hide();
    layout->addWidget(m_progress);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_import = m_buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setDefault(true);
    m_import->setEnabled(!m_plan.items.isEmpty());
    connect(m_import, &QPushButton::clicked, this, &ImportDialog::runImport);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);
}

QComboBox* ImportDialog::collectionBox(const QList<store::CalendarPtr>& collections,
                                       const store::CalendarPtr& chosen, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const store::CalendarPtr& collection : collections) {
        box->addItem(collection->title);
        if (chosen && collection->calendarIdentifier == chosen->calendarIdentifier)
            box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

void ImportDialog::runImport()
{
    const ImportTargets targets{m_taskListChoices.value(m_taskLists->currentIndex()),
                                m_eventCalendarChoices.value(m_eventCalendars->currentIndex())};
    for (QWidget* choice : std::initializer_list<QWidget*>{m_taskLists, m_eventCalendars, m_skip,
                                                           m_update, m_buttons})
        choice->setEnabled(false);
    m_progress->show();
    // A large file takes a moment: the bar moves, and the window is painted meanwhile.
    const ImportOutcome outcome = exchange::runImport(
        m_plan, targets, m_update->isChecked() ? PresentItems::Update : PresentItems::Skip,
        [this](qsizetype done, qsizetype) {
            if (done % 25 == 0 || done == m_plan.items.size()) {
                m_progress->setValue(int(done));
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
            return true;
        });
    showOutcome(outcome);
    Q_EMIT imported(outcome);
}

void ImportDialog::showOutcome(const ImportOutcome& outcome)
{
    m_summary->setText(tr("Added: %1. Updated: %2. Left as they were: %3. Not imported: %4.")
                           .arg(outcome.added)
                           .arg(outcome.updated)
                           .arg(outcome.left)
                           .arg(m_plan.skipped.size() + outcome.failed.size()));
    QStringList lines;
    for (const SkippedItem& item : m_plan.skipped + outcome.failed)
        lines << item.text();
    m_problems->setText(lines.join(u'\n'));
    m_problems->setVisible(!lines.isEmpty());
    // The Import button is the one that called: taken out and hidden, not deleted.
    m_buttons->setStandardButtons(QDialogButtonBox::Close);
    m_buttons->removeButton(m_import);
    m_import->hide();
    m_buttons->setEnabled(true);
}
