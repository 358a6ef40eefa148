#pragma once

#include "platform/store/UnreadableFile.h"

#include <QDialog>

#include <functional>

class ModeManager;
class QPushButton;
class QTreeWidget;
class QUrl;

// The files of the user's lists that could not be read: each with its list and why, and a way
// to the folder of the selected one in the desktop's file manager, where the user can fix or
// remove it.
class UnreadableFilesDialog : public QDialog
{
    Q_OBJECT

public:
    using FolderOpener = std::function<bool(const QUrl& folder)>;

    explicit UnreadableFilesDialog(ModeManager& modeManager, QWidget* parent = nullptr);

    void setFiles(const QList<store::UnreadableFile>& files);
    void resetAppearance();
    // A seam for tests; by default the desktop's file manager.
    void setFolderOpener(FolderOpener opener) { m_openFolder = std::move(opener); }
    void openSelectedFolder();

    QTreeWidget* table() const { return m_table; }
    QPushButton* openFolderButton() const { return m_openFolderButton; }

private:
    ModeManager& m_modeManager;
    QList<store::UnreadableFile> m_files;
    QTreeWidget* m_table = nullptr;
    QPushButton* m_openFolderButton = nullptr;
    FolderOpener m_openFolder;
};
