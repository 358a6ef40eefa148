#pragma once

#include "app/AppDelegate.h"
#include "ui/exchange/ExportDialog.h"
#include "ui/exchange/ImportDialog.h"

#include <QObject>
#include <QPointer>

#include <functional>

class DataManager;

// File → Import… and File → Export… over the main window: the files to import are asked for
// first, then the import window says what will happen; the export window asks which lists and
// then for the file. The file pickers and the alert are seams a test answers.
class ExchangeWindows : public QObject, public ExchangeOpener
{
    Q_OBJECT

public:
    using FilesChooser = std::function<QStringList(QWidget* parent)>;
    using Alert = std::function<void(QWidget* parent, const QString& message)>;

    ExchangeWindows(DataManager& manager, AppDelegate& delegate, QObject* parent = nullptr);
    ~ExchangeWindows() override;

    bool openImport() override;
    bool openExport() override;

    void setImportFilesChooser(FilesChooser chooser) { m_chooseImportFiles = std::move(chooser); }
    void setExportFileChooser(ExportDialog::FileChooser chooser)
    {
        m_chooseExportFile = std::move(chooser);
    }
    void setAlert(Alert alert) { m_alert = std::move(alert); }

    ImportDialog* importDialog() const { return m_import; }
    ExportDialog* exportDialog() const { return m_export; }

private:
    QWidget* mainWindow() const;

    DataManager& m_manager;
    AppDelegate& m_delegate;
    FilesChooser m_chooseImportFiles;
    ExportDialog::FileChooser m_chooseExportFile;
    Alert m_alert;
    QPointer<ImportDialog> m_import;
    QPointer<ExportDialog> m_export;
};
