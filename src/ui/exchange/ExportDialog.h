#pragma once

#include "platform/store/Calendar.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;

// Which lists to write out as one .ics file, with or without their completed tasks; the file
// is asked for last, through `chooseFile` (a file dialog, or a test's answer).
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    // The tasks of the chosen lists; the calendar text and how many tasks it holds.
    using Exporter = std::function<std::pair<QByteArray, qsizetype>(
        const QList<store::CalendarPtr>& lists, bool withCompleted)>;
    using FileChooser = std::function<QString(QWidget* parent)>;

    ExportDialog(const QList<store::CalendarPtr>& lists, const store::CalendarPtr& selected,
                 Exporter exporter, FileChooser chooseFile, QWidget* parent = nullptr);

    QListWidget* listsView() const { return m_lists; }
    QCheckBox* completedBox() const { return m_completed; }
    QLabel* messageLabel() const { return m_message; }
    // Asks for the file and writes it, as the Export button does; false when nothing was
    // written.
    bool exportChosen();

Q_SIGNALS:
    void exported(const QString& path, qsizetype tasks);

private:
    QList<store::CalendarPtr> m_listChoices;
    Exporter m_exporter;
    FileChooser m_chooseFile;
    QListWidget* m_lists = nullptr;
    QCheckBox* m_completed = nullptr;
    QLabel* m_message = nullptr;
};
