#include "ui/deleted/RecentlyDeletedWindow.h"

#include "data/DataManager.h"
#include "data/RecentlyDeletedItems.h"
#include "data/StoreSession.h"
#include "prefs/ModeManager.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

RecentlyDeletedWindow::RecentlyDeletedWindow(DataManager& manager, ModeManager& modeManager,
                                             QWidget* parent)
    : QDialog(parent)
    , m_modeManager(modeManager)
    , m_items(new RecentlyDeletedItems(manager.session(), manager.formatters(), this))
    , m_stack(new QStackedWidget(this))
    , m_table(new QTableView(m_stack))
    , m_emptyLabel(new QLabel(RecentlyDeletedItems::emptyText(), m_stack))
    , m_restoreButton(new QPushButton(tr("Restore"), this))
    , m_deleteButton(new QPushButton(tr("Delete Now"), this))
    , m_deleteKey(new QAction(tr("Delete Now"), m_table))
{
    setWindowTitle(tr("Recently Deleted"));
    m_confirmation = [this](const QString& question, const QString& detail,
                            std::function<void(bool)> answer) {
        confirmWithMessageBox(question, detail, std::move(answer));
    };
    m_report = [this](const QString& text, bool failed) { reportInMessageBox(text, failed); };

    m_table->setAccessibleName(tr("Recently Deleted"));
    m_table->setModel(m_items);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list for the buttons instead of walking its cells.
    m_table->setTabKeyNavigation(false);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    QHeaderView* header = m_table->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The title takes what the other columns leave, and is elided rather than the date.
    header->setSectionResizeMode(RecentlyDeletedItems::TitleColumn, QHeaderView::Stretch);
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setWordWrap(true);
    m_stack->addWidget(m_table);
    m_stack->addWidget(m_emptyLabel);

    m_deleteKey->setShortcut(QKeySequence::Delete);
    m_deleteKey->setShortcutContext(Qt::WidgetShortcut);
    m_table->addAction(m_deleteKey);
    connect(m_deleteKey, &QAction::triggered, this, &RecentlyDeletedWindow::deleteSelected);

    // Return in the list presses the default button: Restore.
    m_restoreButton->setDefault(true);
    auto* closeButton = new QPushButton(tr("Close"), this);
    connect(m_restoreButton, &QPushButton::clicked, this, &RecentlyDeletedWindow::restoreSelected);
    connect(m_deleteButton, &QPushButton::clicked, this, &RecentlyDeletedWindow::deleteSelected);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RecentlyDeletedWindow::updateButtons);
    connect(m_items, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_selectedIds.clear();
        for (int row : selectedRows())
            m_selectedIds << m_items->entry(row).id;
    });
    connect(m_items, &QAbstractItemModel::modelReset, this, [this] {
        // What was selected stays selected; when none of it is left, the first row is, so that
        // the keyboard always has something to act on.
        QItemSelection selection;
        for (const QString& id : std::as_const(m_selectedIds)) {
            const int row = m_items->rowOf(id);
            if (row >= 0)
                selection.select(m_items->index(row, 0),
                                 m_items->index(row, RecentlyDeletedItems::ColumnCount - 1));
        }
        if (selection.isEmpty() && m_items->rowCount() > 0)
            selection.select(m_items->index(0, 0),
                             m_items->index(0, RecentlyDeletedItems::ColumnCount - 1));
        QItemSelectionModel* selectionModel = m_table->selectionModel();
        if (!selection.isEmpty())
            selectionModel->setCurrentIndex(selection.indexes().constFirst(),
                                            QItemSelectionModel::NoUpdate);
        selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
        m_stack->setCurrentWidget(m_items->rowCount() > 0 ? static_cast<QWidget*>(m_table)
                                                          : m_emptyLabel);
        updateButtons();
    });
    // Other programs and syncs delete too. Their files reach the trash when the store next
    // reads its folders, which the refresh after a change does; a hidden window reads the trash
    // when it is shown.
    const auto reloadWhenShown = [this] {
        if (isVisible())
            reload();
    };
    connect(&manager.session(), &StoreSession::storeChanged, this, reloadWhenShown);
    connect(&manager, &DataManager::remindersRefreshed, this, reloadWhenShown);
    connect(&modeManager, &ModeManager::redrawWindowsRequested, this,
            &RecentlyDeletedWindow::applyAppearance);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_restoreButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(m_stack, 1);
    layout->addLayout(buttons);

    setMinimumSize(480, 260);
    resize(720, 420);
    applyAppearance();
    updateButtons();
}

RecentlyDeletedWindow::~RecentlyDeletedWindow() = default;

void RecentlyDeletedWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    reload();
    m_table->setFocus();
}

void RecentlyDeletedWindow::reload()
{
    m_items->reload();
}

QList<int> RecentlyDeletedWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    return rows;
}

void RecentlyDeletedWindow::updateButtons()
{
    const bool any = !selectedRows().isEmpty();
    m_restoreButton->setEnabled(any);
    m_deleteButton->setEnabled(any);
    m_deleteKey->setEnabled(any);
}

void RecentlyDeletedWindow::restoreSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const RecentlyDeletedItems::Outcome outcome = m_items->restore(rows);
    if (!outcome.message.isEmpty())
        report(outcome.message, !outcome.failures.isEmpty());
}

void RecentlyDeletedWindow::deleteSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty() || !m_confirmation)
        return;
    // The rows are named by entry: the list may be read again while the question is open.
    QStringList ids;
    for (int row : rows)
        ids << m_items->entry(row).id;
    m_confirmation(RecentlyDeletedItems::deleteQuestion(int(rows.size())),
                   RecentlyDeletedItems::deleteDetail(), [this, ids](bool yes) {
                       if (!yes)
                           return;
                       QList<int> current;
                       for (const QString& id : ids) {
                           const int row = m_items->rowOf(id);
                           if (row >= 0)
                               current << row;
                       }
                       const RecentlyDeletedItems::Outcome outcome = m_items->deleteNow(current);
                       if (!outcome.message.isEmpty())
                           report(outcome.message, true);
                   });
}

void RecentlyDeletedWindow::report(const QString& text, bool failed)
{
    m_lastReport = text;
    if (m_report)
        m_report(text, failed);
}

void RecentlyDeletedWindow::confirmWithMessageBox(const QString& question, const QString& detail,
                                                  std::function<void(bool)> answer)
{
    auto* box = new QMessageBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(tr("Delete Now"));
    box->setText(question);
    box->setInformativeText(detail);
    QPushButton* cancel = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    QPushButton* remove = box->addButton(tr("Delete Now"), QMessageBox::DestructiveRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    connect(box, &QMessageBox::finished, box,
            [box, remove, answer] { answer(box->clickedButton() == remove); });
    box->open();
}

void RecentlyDeletedWindow::reportInMessageBox(const QString& text, bool failed)
{
    auto* box = new QMessageBox(failed ? QMessageBox::Warning : QMessageBox::Information,
                                tr("Recently Deleted"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->open();
}

void RecentlyDeletedWindow::applyAppearance()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    // The night highlight is too light for the light text of every cell (the current one
    // keeps its own colour): selected rows take a deep blue with white text instead.
    if (palette.color(QPalette::Highlight).lightnessF() > 0.6) {
        palette.setColor(QPalette::Highlight, QColor(0x2f, 0x6d, 0xb5));
        palette.setColor(QPalette::HighlightedText, Qt::white);
    }
    setPalette(palette);
    QPalette sub = m_emptyLabel->palette();
    sub.setColor(QPalette::WindowText, m_modeManager.subTextColor());
    m_emptyLabel->setPalette(sub);
}
