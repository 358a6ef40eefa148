// Times the task list's row heights for 100,000 varied titles: measuring them (words seen for
// the first time, then known), and wrapping them again after the table's width changes, alone
// and through the list model, against the target of 50 ms for a full recomputation. Runs on the
// offscreen platform unless another one is asked for.

#include "BenchTiming.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "text/DateFormatters.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskRowHeights.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int kReminders = 100000;
constexpr int kRuns = 9;
constexpr double kTargetMs = 50.0;

const QStringList kWords = {
    "call",  "buy",    "milk",    "bread",   "report", "review", "garden",    "dentist",
    "plan",  "trip",   "pay",     "rent",    "fix",    "bike",   "email",     "team",
    "books", "clean",  "garage",  "order",   "gift",   "the",    "quarterly", "presentation",
    "Zoë's", "e.g.",   "tickets", "before",  "Friday", "and",    "invoice",   "insurance",
    "about", "urgent", "renew",   "passport"};
// Words the line breaker treats differently, in about one title in twenty; links and fractions
// go to the text engine.
const QStringList kAwkward = {"follow-up", "(later)", "https://example.org/path", "3/4",
                              "Übergrößen-Änderung"};

QList<store::ReminderPtr> makeReminders(const store::CalendarPtr& list)
{
    QRandomGenerator random(20250327);
    QList<store::ReminderPtr> reminders;
    reminders.reserve(kReminders);
    for (int i = 0; i < kReminders; ++i) {
        QStringList title;
        // Mostly short titles, some long enough to wrap several times.
        const int count =
            random.bounded(10) == 0 ? 15 + int(random.bounded(30)) : 2 + int(random.bounded(6));
        for (int w = 0; w < count; ++w)
            title.append(kWords.at(int(random.bounded(kWords.size()))));
        if (random.bounded(20) == 0)
            title.insert(int(random.bounded(title.size())),
                         kAwkward.at(int(random.bounded(kAwkward.size()))));
        auto reminder = std::make_shared<store::Reminder>();
        reminder->calendarItemIdentifier = QStringLiteral("task-%1").arg(i);
        reminder->title = title.join(QLatin1Char(' '));
        reminder->calendar = list;
        if (random.bounded(3) == 0)
            reminder->notes = QStringLiteral("notes");
        reminders.append(reminder);
    }
    return reminders;
}

using BenchTiming::loadAverage;
using BenchTiming::Timing;

// Medians of several runs; `prepare` runs untimed before each.
Timing timeMedian(const std::function<void()>& prepare, const std::function<void()>& work)
{
    return BenchTiming::median(
        kRuns,
        [&work] {
            work();
            return qint64(0);
        },
        prepare);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("prefs.json")));
    setupDefaultPreferences(defaults, nullptr);
    ModeManager mode(defaults, [] { return false; });
    DateFormatters formatters;
    Clock clock;

    auto list = std::make_shared<store::Calendar>();
    list->title = QStringLiteral("Work");
    const QList<store::ReminderPtr> reminders = makeReminders(list);
    const QFont font = mode.fontWithSize(mode.fontSize());

    out << QStringLiteral("%1 task rows, font %2 %3 pt; median of %4 runs; load average %5\n\n")
               .arg(kReminders)
               .arg(font.family())
               .arg(font.pointSizeF())
               .arg(kRuns)
               .arg(loadAverage());
    BenchTiming::Table table(out, 56, false);
    table.header();
    const auto print = [&table](const QString& name, const Timing& timing, double target) {
        table.row(name, timing, target);
    };

    // The height rule alone: titles one by one, and titles measured once and wrapped again.
    TaskRowHeights rule;
    quint64 checksum = 0;
    const auto allRows = [&](int tableWidth) {
        return [&, tableWidth] {
            for (const store::ReminderPtr& reminder : reminders)
                checksum += quint64(
                    rule.rowHeight(reminder->title, !reminder->notes.isEmpty(), tableWidth));
        };
    };
    print(QStringLiteral("one by one, first time (every word measured)"),
          timeMedian(
              [&] {
                  rule.setFont(QFont());
                  rule.setFont(font);
              },
              allRows(420)),
          0);
    print(QStringLiteral("one by one, words known"), timeMedian([] {}, allRows(420)), 0);
    TaskRowHeights::MeasuredTitles measured;
    print(QStringLiteral("measure all titles (words known)"),
          timeMedian([&] { measured.clear(); },
                     [&] {
                         for (const store::ReminderPtr& reminder : reminders)
                             rule.measure(measured, reminder->title);
                     }),
          0);
    int width = 420;
    print(QStringLiteral("wrap measured titles at a new width"),
          timeMedian([&] { width = width == 420 ? 300 : 420; },
                     [&] {
                         for (qsizetype i = 0; i < measured.size(); ++i)
                             checksum += quint64(rule.titleHeight(measured, i, width - 59));
                     }),
          kTargetMs);

    // Through the model, as the pane uses it: content, then the table's width moving.
    TaskListModel model(mode, formatters, clock, defaults);
    print(QStringLiteral("model: setContent (one reset, all heights)"),
          timeMedian([] {}, [&] { model.setContent(reminders, {}); }), 0);
    int modelWidth = 420;
    print(QStringLiteral("model: setWidth (all heights, one layout change)"),
          timeMedian([&] { modelWidth = modelWidth == 420 ? 310 : 420; },
                     [&] { model.setWidth(modelWidth); }),
          kTargetMs);

    int awkwardRows = 0;
    for (const store::ReminderPtr& reminder : reminders) {
        for (const QString& awkward : kAwkward)
            if (reminder->title.toString().contains(awkward)) {
                ++awkwardRows;
                break;
            }
    }
    out << QStringLiteral("\n%1 of %2 titles carry a hyphen, brackets, a link or a fraction; "
                          "checksum %3\n")
               .arg(awkwardRows)
               .arg(kReminders)
               .arg(checksum);
    out << (table.allMet() ? "all targets met\n" : "some targets missed\n");
    return table.allMet() ? 0 : 1;
}
