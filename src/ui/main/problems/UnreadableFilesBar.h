#pragma once

#include "platform/store/UnreadableFile.h"

#include <QFrame>
#include <QPointer>

class ModeManager;
class QLabel;
class QPushButton;
class StoreSession;
class UnreadableFilesDialog;

// A slim bar above the task list saying how many files of the user's lists could not be read,
// with a button that lists them. It shows itself while there are any and hides when the last
// is fixed, without interrupting what the user is doing.
class UnreadableFilesBar : public QFrame
{
    Q_OBJECT

public:
    UnreadableFilesBar(StoreSession& session, ModeManager& modeManager, QWidget* parent = nullptr);

    void reload();
    void resetAppearance();
    // Opens the list of files (or raises it when open).
    void showFiles();

    QList<store::UnreadableFile> files() const { return m_files; }
    QLabel* label() const { return m_label; }
    QPushButton* showButton() const { return m_showButton; }
    // The list of files while it is open; null otherwise.
    UnreadableFilesDialog* dialog() const;

private:
    StoreSession& m_session;
    ModeManager& m_modeManager;
    QList<store::UnreadableFile> m_files;
    QLabel* m_label = nullptr;
    QPushButton* m_showButton = nullptr;
    QPointer<UnreadableFilesDialog> m_dialog;
};
