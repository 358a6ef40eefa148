// The Smart Add settings with a thousand word rules: reading and rewriting the stored array (every
// switch and sheet does), checking a typed word against all of them, and the sample line,
// typed character by character through the quick-add entry as the tab's preview does.

#include "BenchTiming.h"

#include "entry/SmartAdd.h"
#include "entry/SmartAddPreview.h"
#include "entry/SmartAddSettings.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

template <typename Pass> double millisecondsPerPass(int iterations, Pass pass)
{
    return BenchTiming::nanosecondsPerPass(1, iterations, pass) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    UserDefaults defaults(dir.filePath("prefs.json"));
    setupDefaultPreferences(defaults, nullptr);
    QVariantList stored = defaults.arrayForKey(PrefKey::smartAddRules);
    for (int index = 0; index < 1000; ++index) {
        stored << QVariantMap{{"type", 0},
                              {"resultType", 2},
                              {"word", QStringLiteral("word%1").arg(index)},
                              {"result", "+1"},
                              {"resultUnit", "Day"}};
    }
    defaults.setObject(stored, PrefKey::smartAddRules);
    Clock clock;
    clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    SmartAdd smartAdd(defaults, clock);

    volatile qsizetype sink = 0;
    const double rewrite = millisecondsPerPass(50, [&] {
        SmartAddSettings settings = SmartAddSettings::fromStored(stored);
        settings.toggleSwitch(1);
        sink = settings.toStored().size();
    });
    const double check = millisecondsPerPass(
        50, [&] { sink = qsizetype(checkSmartAddWord("word999x", stored, -1)); });
    const QString line = QStringLiteral("Call Anna about the garden word998 3p !!");
    const double preview = millisecondsPerPass(
        5, [&] { sink = SmartAddPreview::ofLine(smartAdd, line).title.size(); });

    std::printf("rules stored: %lld\n", static_cast<long long>(stored.size()));
    std::printf("read and rewrite the array:        %8.2f ms\n", rewrite);
    std::printf("check a new word against all:      %8.2f ms\n", check);
    std::printf("preview of a %lld-character line:    %8.2f ms\n",
                static_cast<long long>(line.size()), preview);
    std::printf("target: <= 100 ms for each (one keystroke or click): %s\n",
                rewrite <= 100 && check <= 100 && preview <= 100 ? "met" : "MISSED");
    return 0;
}
