#include "ui/main/problems/UnreadableFilesBar.h"

#include "data/StoreSession.h"
#include "prefs/ModeManager.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/problems/UnreadableFilesDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

UnreadableFilesBar::UnreadableFilesBar(StoreSession& session, ModeManager& modeManager,
                                       QWidget* parent)
    : QFrame(parent)
    , m_session(session)
    , m_modeManager(modeManager)
{
    setAccessibleName(tr("Files that could not be read"));
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 4, 10, 4);
    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    m_showButton = new QPushButton(tr("Show Files…"), this);
    m_showButton->setAutoDefault(false);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_showButton);
    connect(m_showButton, &QPushButton::clicked, this, &UnreadableFilesBar::showFiles);
    connect(&m_session, &StoreSession::unreadableFilesChanged, this, &UnreadableFilesBar::reload);
    resetAppearance();
    reload();
}

void UnreadableFilesBar::reload()
{
    const store::EventStore* eventStore = m_session.eventStore();
    m_files = eventStore ? eventStore->unreadableFiles() : QList<store::UnreadableFile>();
    const qsizetype count = m_files.size();
    m_label->setText(tr("%n file(s) in your lists could not be read.", nullptr, int(count)));
    setVisible(count > 0);
    if (m_dialog)
        m_dialog->setFiles(m_files);
}

void UnreadableFilesBar::resetAppearance()
{
    // A notice, not an alarm: a warm tint of the pane's own background.
    const QColor base = m_modeManager.backgroundColor();
    const QColor tint =
        m_modeManager.isNightMode() ? QColor(0x5a, 0x47, 0x1c) : QColor(0xfd, 0xf0, 0xc4);
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, QColor::fromRgbF((base.redF() + 3 * tint.redF()) / 4,
                                                        (base.greenF() + 3 * tint.greenF()) / 4,
                                                        (base.blueF() + 3 * tint.blueF()) / 4));
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    setPalette(palette);
    m_label->setPalette(palette);
    m_label->setFont(m_modeManager.fontWithSize(12));
    if (m_dialog)
        m_dialog->resetAppearance();
}

UnreadableFilesDialog* UnreadableFilesBar::dialog() const
{
    return m_dialog;
}

void UnreadableFilesBar::showFiles()
{
    if (!m_dialog) {
        m_dialog = new UnreadableFilesDialog(m_modeManager, window());
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        WindowPlacement::fitToScreen(m_dialog, window());
    }
    m_dialog->setFiles(m_files);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}
