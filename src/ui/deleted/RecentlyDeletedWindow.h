#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class DataManager;
class ModeManager;
class QAction;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;
class RecentlyDeletedItems;

// The Recently Deleted window: what this program, other programs and syncs took out of the
// store, with Restore and Delete Now for the selected rows. It reads the trash again whenever
// it is shown and whenever the store changes, since deletions arrive from elsewhere too. The
// rows and what the buttons do are RecentlyDeletedItems'; the window draws and asks.
class RecentlyDeletedWindow : public QDialog
{
    Q_OBJECT

public:
    // Asks whether to go on and answers later (true for "Delete Now").
    using Confirmation = std::function<void(const QString& question, const QString& detail,
                                            std::function<void(bool)> answer)>;
    // Tells the user how a restore or a deletion went; `failed` when something stayed behind.
    using Report = std::function<void(const QString& text, bool failed)>;

    RecentlyDeletedWindow(DataManager& manager, ModeManager& modeManager,
                          QWidget* parent = nullptr);
    ~RecentlyDeletedWindow() override;

    // Seams for tests; by default both are window-modal message boxes.
    void setConfirmation(Confirmation confirmation) { m_confirmation = std::move(confirmation); }
    void setReport(Report report) { m_report = std::move(report); }

    void reload();
    void restoreSelected();
    void deleteSelected();

    RecentlyDeletedItems* items() const { return m_items; }
    QTableView* table() const { return m_table; }
    QPushButton* restoreButton() const { return m_restoreButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QLabel* emptyLabel() const { return m_emptyLabel; }
    // The last report given, for tests.
    QString lastReport() const { return m_lastReport; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QList<int> selectedRows() const;
    void updateButtons();
    void applyAppearance();
    void confirmWithMessageBox(const QString& question, const QString& detail,
                               std::function<void(bool)> answer);
    void reportInMessageBox(const QString& text, bool failed);
    void report(const QString& text, bool failed);

    ModeManager& m_modeManager;
    RecentlyDeletedItems* m_items;
    QStackedWidget* m_stack;
    QTableView* m_table;
    QLabel* m_emptyLabel;
    QPushButton* m_restoreButton;
    QPushButton* m_deleteButton;
    QAction* m_deleteKey;
    Confirmation m_confirmation;
    Report m_report;
    QString m_lastReport;
    // The selection a reload keeps, by entry.
    QStringList m_selectedIds;
};
