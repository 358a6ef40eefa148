#include "platform/Sound.h"

#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <canberra.h>

#include <atomic>

Q_LOGGING_CATEGORY(lcSound, "velmoran.sound")

namespace {

std::atomic<UserDefaults*> g_defaults{nullptr};
std::atomic<int> g_requests{0};
std::atomic<uint32_t> g_nextId{1};

struct Player
{
    QMutex mutex;
    ca_context* context = nullptr;
    bool failed = false;

    // The connection is opened once; a machine without a sound server answers with an error
    // here and every later effect stays silent.
    ca_context* get()
    {
        if (context || failed)
            return context;
        if (ca_context_create(&context) != CA_SUCCESS) {
            context = nullptr;
            failed = true;
            return nullptr;
        }
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Velmoran",
                                CA_PROP_APPLICATION_ID, "velmoran", nullptr);
        const int opened = ca_context_open(context);
        if (opened != CA_SUCCESS) {
            qCInfo(lcSound) << "No sound output:" << ca_strerror(opened);
            ca_context_destroy(context);
            context = nullptr;
            failed = true;
        }
        return context;
    }
};

Player& player()
{
    static Player instance;
    return instance;
}

const char* const kNames[] = {"Notify", "Add_Pull", "Add_Done", "Check",  "Clear",
                              "Move",   "Reveal",   "General",  "Delete", "Hide"};

bool soundOn()
{
    UserDefaults* defaults = g_defaults.load();
    return (defaults ? *defaults : UserDefaults::standardUserDefaults())
        .boolForKey(QStringLiteral("soundOn"));
}

} // namespace

Sound::PreferencesScope::PreferencesScope(UserDefaults* defaults)
    : m_previous(g_defaults.exchange(defaults))
{}

Sound::PreferencesScope::~PreferencesScope()
{
    g_defaults.store(m_previous);
}

QString Sound::fileNameForEffect(int index)
{
    return index >= 0 && index < 10 ? QString::fromLatin1(kNames[index]) : QString();
}

QString Sound::pathForName(const QString& name)
{
    const QString relative = QStringLiteral("sounds/") + name + QStringLiteral(".wav");
    QStringList candidates;
    const QString programFolder = QCoreApplication::applicationDirPath();
    candidates << programFolder + QStringLiteral("/../share/velmoran/") + relative
               << QStringLiteral(VELMORAN_INSTALLED_RESOURCES "/") + relative;
    if (programFolder.startsWith(QStringLiteral(VELMORAN_BUILD_TREE "/")))
        candidates << QStringLiteral(VELMORAN_SOURCE_RESOURCES "/") + relative;
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

void Sound::soundEffect(int index)
{
    const QString name = fileNameForEffect(index);
    if (!name.isEmpty())
        soundEffectWithFileName(name);
}

uint32_t Sound::soundEffectWithFileName(const QString& name)
{
    if (!soundOn())
        return 0;
    ++g_requests;
    const QString path = pathForName(name);
    if (path.isEmpty())
        return 0;
    QMutexLocker lock(&player().mutex);
    ca_context* context = player().get();
    if (!context)
        return 0;
    const uint32_t identifier = g_nextId++;
    // ca_context_play returns at once; the sound server plays the file.
    const int played = ca_context_play(context, identifier, CA_PROP_MEDIA_FILENAME,
                                       QFile::encodeName(path).constData(), nullptr);
    return played == CA_SUCCESS ? identifier : 0;
}

void Sound::stopSoundWithID(uint32_t identifier)
{
    if (identifier == 0)
        return;
    QMutexLocker lock(&player().mutex);
    if (ca_context* context = player().context)
        ca_context_cancel(context, identifier);
}

void Sound::soundEffectRandom()
{
    soundEffect(int(QRandomGenerator::global()->bounded(10)));
}

void Sound::preloadData()
{
    QMutexLocker lock(&player().mutex);
    player().get();
}

int Sound::playRequestCount()
{
    return g_requests.load();
}
