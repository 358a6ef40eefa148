#pragma once

#include "data/exchange/IcsImport.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// What an import of .ics files will do before it does it: how many tasks and events the files
// hold, how many the store has already (skip them or update them, as the user chooses), the
// broken items it will leave out, and the list and calendar the new items go to. Importing
// shows its progress, then what it did.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    ImportDialog(exchange::ImportPlan plan, const QList<store::CalendarPtr>& taskLists,
                 const QList<store::CalendarPtr>& eventCalendars,
                 const store::CalendarPtr& defaultList, QWidget* parent = nullptr);

    QComboBox* taskListBox() const { return m_taskLists; }
    QComboBox* eventCalendarBox() const { return m_eventCalendars; }
    QRadioButton* updateButton() const { return m_update; }
    QLabel* summaryLabel() const { return m_summary; }
    // Runs the import as the Import button does.
    void runImport();

Q_SIGNALS:
    void imported(const exchange::ImportOutcome& outcome);

private:
    static QComboBox* collectionBox(const QList<store::CalendarPtr>& collections,
                                    const store::CalendarPtr& chosen, QWidget* parent);
    void showOutcome(const exchange::ImportOutcome& outcome);

    exchange::ImportPlan m_plan;
    QList<store::CalendarPtr> m_taskListChoices;
    QList<store::CalendarPtr> m_eventCalendarChoices;
    QLabel* m_summary = nullptr;
    QLabel* m_problems = nullptr;
    QComboBox* m_taskLists = nullptr;
    QComboBox* m_eventCalendars = nullptr;
    QRadioButton* m_skip = nullptr;
    QRadioButton* m_update = nullptr;
    QProgressBar* m_progress = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_import = nullptr;
};
