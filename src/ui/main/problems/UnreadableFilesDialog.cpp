#include "ui/main/problems/UnreadableFilesDialog.h"

#include "prefs/ModeManager.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

UnreadableFilesDialog::UnreadableFilesDialog(ModeManager& modeManager, QWidget* parent)
    : QDialog(parent)
    , m_modeManager(modeManager)
    , m_openFolder([](const QUrl& folder) { return QDesktopServices::openUrl(folder); })
{
    setWindowTitle(tr("Files That Could Not Be Read"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("These files in your lists are not shown. They are left as they "
                                "are: fix or remove them in their folder."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_table = new QTreeWidget(this);
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setHeaderLabels({tr("File"), tr("List"), tr("Reason")});
    m_table->setAccessibleName(tr("Files that could not be read"));
    m_table->header()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_openFolderButton = buttons->addButton(tr("Open Folder"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_openFolderButton, &QPushButton::clicked, this,
            &UnreadableFilesDialog::openSelectedFolder);
    connect(m_table, &QTreeWidget::itemActivated, this, &UnreadableFilesDialog::openSelectedFolder);
    connect(m_table, &QTreeWidget::currentItemChanged, this,
            [this] { m_openFolderButton->setEnabled(m_table->currentItem() != nullptr); });
    resize(640, 280);
    resetAppearance();
}

void UnreadableFilesDialog::setFiles(const QList<store::UnreadableFile>& files)
{
    // The selection follows its file through a reload, which comes with every refresh.
    const QTreeWidgetItem* current = m_table->currentItem();
    const QString selectedPath = current ? current->data(0, Qt::UserRole).toString() : QString();
    m_files = files;
    m_table->clear();
    for (const store::UnreadableFile& file : files) {
        auto* item = new QTreeWidgetItem(
            m_table, {QFileInfo(file.path).fileName(), file.listTitle, file.reason()});
        item->setData(0, Qt::UserRole, file.path);
        item->setToolTip(0, QDir::toNativeSeparators(file.path));
        if (file.path == selectedPath || (selectedPath.isEmpty() && !m_table->currentItem()))
            m_table->setCurrentItem(item);
    }
    if (!m_table->currentItem() && m_table->topLevelItemCount() > 0)
        m_table->setCurrentItem(m_table->topLevelItem(0));
    m_table->resizeColumnToContents(0);
    m_table->resizeColumnToContents(1);
    m_openFolderButton->setEnabled(m_table->currentItem() != nullptr);
}

void UnreadableFilesDialog::resetAppearance()
{
    QPalette palette = m_modeManager.vibrantAppearance();
    palette.setColor(QPalette::Window, m_modeManager.backgroundColor());
    palette.setColor(QPalette::Base, m_modeManager.backgroundColor());
    palette.setColor(QPalette::Text, m_modeManager.menuTextColor());
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    setPalette(palette);
}

void UnreadableFilesDialog::openSelectedFolder()
{
    const QTreeWidgetItem* current = m_table->currentItem();
    if (!current)
        return;
    const QString path = current->data(0, Qt::UserRole).toString();
    m_openFolder(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}
