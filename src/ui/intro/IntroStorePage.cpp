#include "ui/intro/IntroStorePage.h"
#include "platform/store/StoreFolders.h"

#include "platform/store/EventStore.h"
#include "ui/intro/IntroStyle.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

QString shortPath(const QString& path)
{
    const QString home = QDir::homePath();
    if (path == home || path.startsWith(home + QLatin1Char('/')))
        return QLatin1Char('~') + path.mid(home.size());
    return path;
}

} // namespace

IntroStorePage::IntroStorePage(QWidget* parent)
    : QWidget(parent)
    , m_chooseFolder([this] {
        return QFileDialog::getExistingDirectory(this, tr("Choose a Folder of Calendars"),
                                                 QDir::homePath());
    })
    , m_inspect([](const QString& folder) {
        return store::CollectionFinder::forThisUser().inspect(folder);
    })
    , m_text(new QLabel(this))
    , m_ownStore(new QRadioButton(this))
    , m_foundStores(new QRadioButton(tr("The folders you already use:"), this))
    , m_foundList(new QListWidget(this))
    , m_addFolder(new QPushButton(tr("Add Folder…"), this))
    , m_note(new QLabel(this))
{
    m_text->setWordWrap(true);
    m_text->setText(QStringLiteral("- %1\n- %2")
                        .arg(tr("Velmoran keeps your tasks as lists in folders of iCalendar "
                                "files, the ones todoman, khal and vdirsyncer use."),
                             tr("Velmoran also shows Calendar Events to let you manage your "
                                "tasks at a glance with your events.")));
    m_ownStore->setText(
        tr("Velmoran's own folder (%1)").arg(shortPath(StoreFolders::defaultRoot())));
    auto* group = new QButtonGroup(this);
    group->addButton(m_ownStore);
    group->addButton(m_foundStores);
    m_ownStore->setChecked(true);
    connect(m_foundStores, &QRadioButton::toggled, this, &IntroStorePage::updateEnabled);
    m_foundList->setAccessibleName(tr("Found Folders"));
    m_foundList->setMinimumHeight(90);
    IntroStyle::styleButton(m_addFolder, 12);
    connect(m_addFolder, &QPushButton::clicked, this, &IntroStorePage::addFolder);
    m_note->setWordWrap(true);
    m_note->setText(tr("Nothing is moved or copied: Velmoran works on the files where they are."));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    layout->addSpacing(8);
    layout->addWidget(m_ownStore);
    layout->addWidget(m_foundStores);
    layout->addWidget(m_foundList, 1);
    auto* add = new QHBoxLayout;
    add->addWidget(m_note, 1);
    add->addWidget(m_addFolder);
    layout->addLayout(add);
    updateEnabled();
}

QString IntroStorePage::describe(const store::FoundRoot& root)
{
    const QString lists = tr("%n list(s)", nullptr, root.collections);
    const QString tasks = tr("%n task(s)", nullptr, root.tasks);
    const QString events = tr("%n event(s)", nullptr, root.events);
    //: A folder (%1) and how many lists (%2), tasks (%3) and events (%4) it holds; the search
    //: stopped early in the second form.
    QString text = (root.partial ? tr("%1 — %2, %3, %4 or more") : tr("%1 — %2, %3, %4"))
                       .arg(shortPath(root.path), lists, tasks, events);
    if (!root.usedBy.isEmpty())
        text += QStringLiteral(" (%1)").arg(root.usedBy.join(QStringLiteral(", ")));
    return text;
}

void IntroStorePage::setFound(const QList<store::FoundRoot>& found)
{
    m_foundList->clear();
    for (const store::FoundRoot& root : found)
        addRoot(root);
    if (found.isEmpty())
        m_note->setText(tr("No folders of vdirsyncer, khal or todoman were found. Velmoran starts "
                           "with a list \"Reminders\" and a calendar \"Calendar\" in its own "
                           "folder."));
    (found.isEmpty() ? m_ownStore : m_foundStores)->setChecked(true);
    updateEnabled();
}

void IntroStorePage::addRoot(const store::FoundRoot& root)
{
    for (int row = 0; row < m_foundList->count(); ++row) {
        QListWidgetItem* item = m_foundList->item(row);
        if (item->data(kPathRole).toString() == root.path) {
            item->setCheckState(Qt::Checked);
            return;
        }
    }
    auto* item = new QListWidgetItem(describe(root), m_foundList);
    item->setData(kPathRole, root.path);
    item->setToolTip(root.path);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    if (!m_foundList->currentItem())
        m_foundList->setCurrentItem(item);
}

void IntroStorePage::addFolder()
{
    const QString folder = m_chooseFolder ? m_chooseFolder() : QString();
    if (folder.isEmpty())
        return;
    addRoot(m_inspect(folder));
    m_foundStores->setChecked(true);
    m_note->setText(tr("Nothing is moved or copied: Velmoran works on the files where they are."));
    updateEnabled();
}

QStringList IntroStorePage::chosenRoots() const
{
    QStringList roots;
    if (!m_foundStores->isChecked())
        return roots;
    for (int row = 0; row < m_foundList->count(); ++row) {
        const QListWidgetItem* item = m_foundList->item(row);
        if (item->checkState() == Qt::Checked)
            roots << item->data(kPathRole).toString();
    }
    return roots;
}

void IntroStorePage::updateEnabled()
{
    m_foundStores->setEnabled(m_foundList->count() > 0);
    m_foundList->setEnabled(m_foundStores->isChecked());
}
