// Smart Add matcher speed: one matcher pass with the default rules over an 80-character line
// (the quick-add field runs one per keystroke), and a whole one-pass parse of a line full of
// triggers (the "smartadd" command).

#include "BenchTiming.h"

#include "entry/SmartAdd.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A hundred warm-up passes first: the expressions compile on first use.
template <typename Pass> double microsecondsPerPass(int iterations, Pass pass)
{
    return BenchTiming::nanosecondsPerPass(100, iterations, pass) / 1000.0;
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
    Clock clock;
    clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    SmartAdd smartAdd(defaults, clock);
    const QList<SmartAddRule> rules = smartAdd.rulesFromPreferences();

    // Digits, slashes and colons that every pattern family has to look at, but no trigger:
    // all 22 rules run to the end.
    const QString noMatch =
        QStringLiteral("call 12 people about the 3rd floor, 4:1 ratio, 7/0 and 10:7 plans x2 ok");
    // The same length with triggers, the last of them at the very end.
    const QString triggers = QStringLiteral(
        "! call mom about the 3rd floor plans tomorrow 3pm al /work bring slides noon");
    // Only the last default rule matches, at the very end.
    const QString lastRule =
        QStringLiteral("call 12 people about the 3rd floor, 4:1 ratio, 7/0 and 10:7 on saturday");
    const QString line80 = noMatch.leftJustified(80, u' ', true);
    const QString lastRule80 = QString(80 - lastRule.size(), u'x') + lastRule;
    const QString triggers80 = triggers.leftJustified(80, u' ', true);

    volatile bool sink = false;
    const double miss = microsecondsPerPass(
        20000, [&] { sink = smartAdd.checkRules(line80, false, rules, {}, {}, {}).found; });
    const double hit = microsecondsPerPass(
        20000, [&] { sink = smartAdd.checkRules(lastRule80, true, rules, {}, {}, {}).found; });
    const double parse = microsecondsPerPass(
        5000, [&] { sink = smartAdd.parseLine(triggers80, rules).result.dueDate.has_value(); });
    const SmartAddParse result = smartAdd.parseLine(triggers80, rules);
    const SmartAddMatch last = smartAdd.checkRules(lastRule80, true, rules, {}, {}, {});
    if (smartAdd.checkRules(line80, false, rules, {}, {}, {}).found || !last.found ||
        last.rule.word != rules.constLast().word) {
        std::fprintf(stderr, "bench lines do not match as intended\n");
        return 1;
    }

    std::printf("rules: %lld, line length: %lld\n", static_cast<long long>(rules.size()),
                static_cast<long long>(line80.size()));
    std::printf("matcher pass, no trigger (all rules tried): %8.2f us/pass\n", miss);
    std::printf("matcher pass, only the last rule matches:  %8.2f us/pass\n", hit);
    std::printf("one-pass parse (%lld rules applied):         %8.2f us/parse\n",
                static_cast<long long>(result.appliedRules.size()), parse);
    std::printf("target: <= 50 us per matcher pass: %s\n", miss <= 50.0 ? "met" : "MISSED");
    return 0;
}
