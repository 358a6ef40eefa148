#include "TestEnvironment.h"

#include "platform/Clock.h"
#include "platform/i18n/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdlib>
#include <ctime>

namespace {

// The suites read the program's English texts, its plural forms included, whatever the
// machine's language.
void installEnglish()
{
    InterfaceLanguage::install(*QCoreApplication::instance(), true);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglish)

namespace TestEnvironment {

void prepare()
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/velmoran-test-XXXXXX"));
    const QByteArray root = QFile::encodeName(home.path());
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_STATE_HOME", root + "/state");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    // The desktop's own settings (text size, animations) never reach the suites; a suite
    // that sets GNOME's sets them in memory, and one that needs dconf asks for it.
    qputenv("GSETTINGS_BACKEND", "memory");
    qunsetenv("VELMORAN_STORE");
    qunsetenv("VELMORAN_SYNC_DIR");
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", "Europe/Berlin");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Clock::system().reset();
}

QString corpusDir()
{
    return sourceDir() + QStringLiteral("/tests/data/corpus");
}

QString sourceDir()
{
    const QString fromEnvironment = qEnvironmentVariable("VELMORAN_SOURCE_DIR");
    return fromEnvironment.isEmpty() ? QDir::currentPath() : fromEnvironment;
}

QDateTime local(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

} // namespace TestEnvironment
