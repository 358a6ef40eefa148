#include "UrlCommandTarget.h"

#include "FuzzFiles.h"

#include "ReminderFields.h"

#include "commands/UrlCommand.h"
#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "platform/Sound.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"
#include "prefs/DefaultPreferences.h"
#include "text/Global.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

using store::Reminder;
using store::ReminderPtr;

namespace {

constexpr int kMaxCommands = 4;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

UrlCommandTarget::UrlCommandTarget(const QString& workFolder)
    : m_root(workFolder + QStringLiteral("/url-store"))
    , m_defaults(workFolder + QStringLiteral("/url-preferences.json"))
{
    store::LibicalSetup::initialize();
    QDir(m_root).removeRecursively();
    const char* lists[][2] = {{"home", "Home"}, {"work", "Work"}, {"wood", "Wood"}};
    for (int i = 0; i < 3; ++i) {
        const QString folder = m_root + QLatin1Char('/') + QLatin1String(lists[i][0]);
        writeFile(folder + QStringLiteral("/displayname"), lists[i][1]);
        writeFile(folder + QStringLiteral("/order"), QByteArray::number(i));
    }
    // A task for "open" to find: velmoran://open?uuid=seed-task
    writeFile(m_root + QStringLiteral("/home/seed-task.ics"),
              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VTODO\r\n"
              "UID:seed-task\r\nSUMMARY:Seed task\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");

    setupDefaultPreferences(m_defaults, nullptr);
    m_sound.emplace(&m_defaults);
    m_context.emplace(nullptr, &m_defaults);
    m_clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    const QString root = m_root;
    m_manager = std::make_unique<DataManager>(m_defaults, m_clock, [this, root] {
        return std::make_unique<store::EventStore>(QStringList{root}, m_clock);
    });
    m_context.reset();
    m_context.emplace(&m_manager->dates(), &m_defaults);

    QEventLoop loop;
    QObject::connect(m_manager.get(), &DataManager::remindersRefreshed, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    m_manager->initStore();
    loop.exec();
    m_command = std::make_unique<UrlCommand>(*m_manager);
    m_files = storeFiles();
}

UrlCommandTarget::~UrlCommandTarget()
{
    m_command.reset();
    m_manager.reset();
    m_context.reset();
    m_sound.reset();
}

QStringList UrlCommandTarget::storeFiles() const
{
    QStringList files;
    QDirIterator it(m_root, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // The folder lock is created on the first save into a folder and stays, by design.
        if (!path.endsWith(QStringLiteral("/.velmoran.lock")))
            files << path.mid(m_root.size() + 1);
    }
    files.sort();
    return files;
}

QStringList UrlCommandTarget::run(QByteArrayView input)
{
    QStringList findings;
    const QList<QByteArray> lines = input.toByteArray().split('\n');
    QList<ReminderPtr> added;
    for (qsizetype i = 0; i < lines.size() && i < kMaxCommands; ++i) {
        const UrlCommand::Result result = m_command->getUrl(QString::fromUtf8(lines.at(i)));
        if (result.status != UrlCommand::Status::Saved)
            continue;
        if (!result.reminder || !result.reminder->origin) {
            findings << QStringLiteral("A saved task has no file");
            continue;
        }
        const ReminderPtr& reminder = result.reminder;
        added << reminder;
        if (reminder->title.isEmpty() || reminder->title != reminder->title.toString().trimmed())
            findings << QStringLiteral("A saved task's title is blank or untrimmed");
        const QByteArray bytes = FuzzFiles::read(reminder->origin->path());
        const std::optional<store::IcsItem> item = store::IcsItem::parse(bytes);
        if (!item) {
            findings << QStringLiteral("The saved task's file cannot be read");
            continue;
        }
        for (const QString& field : ReminderFields::differences(*reminder, item->toReminder()))
            findings << QStringLiteral("The saved task reads back with another ") + field;
    }
    for (const ReminderPtr& reminder : std::as_const(added)) {
        QString error;
        if (!m_manager->eventStore()->removeReminder(reminder, true, &error))
            findings << QStringLiteral("A saved task cannot be removed: ") + error;
    }
    // Lets the store's change notices and the refresh they start run, as they would between
    // two commands in the application.
    QCoreApplication::processEvents();
    if (const QStringList files = storeFiles(); files != m_files) {
        QStringList extra;
        for (const QString& file : files) {
            if (!m_files.contains(file))
                extra << file;
        }
        findings << QStringLiteral("The store's folders changed; now holding: ") +
                        extra.mid(0, 5).join(QStringLiteral(", "));
    }
    return findings;
}
