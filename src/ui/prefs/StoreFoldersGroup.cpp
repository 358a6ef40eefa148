#include "ui/prefs/StoreFoldersGroup.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "prefs/PreferenceKeys.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString stateText(const QString& folder)
{
    switch (StoreFolders::check(folder)) {
    case StoreFolders::State::Usable: {
        const int count = StoreFolders::collectionCount(folder);
        return StoreFoldersGroup::tr("%n list(s) and calendar(s)", nullptr, count);
    }
    case StoreFolders::State::Missing:
        return StoreFoldersGroup::tr("missing");
    case StoreFolders::State::NotAFolder:
        return StoreFoldersGroup::tr("not a folder");
    case StoreFolders::State::Unreadable:
        return StoreFoldersGroup::tr("cannot be read or written");
    }
    return {};
}

} // namespace

StoreFoldersGroup::StoreFoldersGroup(const PreferenceContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_list(new QListWidget(this))
    , m_source(new QLabel(this))
    , m_add(new QPushButton(tr("Add Folder…"), this))
    , m_remove(new QPushButton(tr("Remove"), this))
{
    m_list->setAccessibleName(tr("Store Folders"));
    m_list->setMinimumWidth(420);
    m_list->setFixedHeight(76);
    m_source->setWordWrap(true);
    m_source->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_list);
    column->addLayout(buttons);
    column->addWidget(m_source);
    connect(m_add, &QPushButton::clicked, this, &StoreFoldersGroup::chooseFolder);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = m_list->currentItem())
            removeFolder(item->data(Qt::UserRole).toString());
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &StoreFoldersGroup::updateButtons);
    connect(&m_context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::storeFolders)
            load();
    });
    load();
}

void StoreFoldersGroup::load()
{
    m_list->clear();
    for (const QString& folder : StoreFolders::configuredRoots(m_context.defaults)) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 — %2").arg(QDir::toNativeSeparators(folder), stateText(folder)),
            m_list);
        item->setData(Qt::UserRole, folder);
        item->setToolTip(folder);
    }
    switch (StoreFolders::source(m_context.defaults)) {
    case StoreFolders::Source::Environment:
        m_source->setText(tr("Set by the VELMORAN_STORE environment variable, which takes "
                             "precedence; change it there."));
        break;
    case StoreFolders::Source::Preference:
        m_source->setText(tr("Folders of iCalendar files, one sub-folder per list or calendar, "
                             "as vdirsyncer, khal and todoman keep them."));
        break;
    case StoreFolders::Source::Default:
        m_source->setText(tr("Velmoran's own folder. Add a vdirsyncer, khal or todoman folder "
                             "to work on its lists and calendars."));
        break;
    }
    updateButtons();
}

void StoreFoldersGroup::updateButtons()
{
    const bool settable =
        StoreFolders::source(m_context.defaults) != StoreFolders::Source::Environment;
    m_add->setEnabled(settable);
    m_remove->setEnabled(settable && m_list->currentItem() && m_list->count() > 1);
}

void StoreFoldersGroup::chooseFolder()
{
    if (!m_context.relays.chooseFolder)
        return;
    const QString folder =
        m_context.relays.chooseFolder(window(), tr("Choose a folder of lists and calendars"));
    if (!folder.isEmpty())
        addFolder(folder);
}

bool StoreFoldersGroup::addFolder(const QString& folder)
{
    const StoreFolders::State state = StoreFolders::check(folder);
    if (state != StoreFolders::State::Usable) {
        if (m_context.relays.inform)
            m_context.relays.inform(window(),
                                    {tr("This folder can't be used"),
                                     QStringLiteral("%1\n\n%2")
                                         .arg(QDir::toNativeSeparators(folder), stateText(folder)),
                                     QString()});
        return false;
    }
    useFolders(StoreFolders::withFolder(m_context.defaults, folder));
    return true;
}

void StoreFoldersGroup::removeFolder(const QString& folder)
{
    useFolders(StoreFolders::withoutFolder(m_context.defaults, folder));
}

void StoreFoldersGroup::useFolders(const QStringList& folders)
{
    QVariantList stored;
    for (const QString& folder : folders)
        stored << folder;
    m_context.defaults.setObject(stored, PrefKey::storeFolders);
    // The lists of the new folders replace the old ones without a restart.
    m_context.manager.refreshStore();
    m_context.manager.initStore();
    load();
}
