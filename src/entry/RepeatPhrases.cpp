#include "entry/RepeatPhrases.h"

#include "entry/RepeatVocabulary.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

using store::RecurrenceDayOfWeek;
using store::RecurrenceEnd;
using store::RecurrenceRule;
using Frequency = RecurrenceRule::Frequency;
using Words = RepeatVocabulary::Words;

// Beyond anything typed on purpose; keeps a stray "every 99999 days" from being taken.
constexpr int kMaxNumber = 999;
constexpr int kDaysToSearch = 8 * 366;
constexpr auto kOptions =
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

QString alternation(QStringList words)
{
    // The longest first, so "monday" is tried before "mon".
    std::sort(words.begin(), words.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (QString& word : words)
        word = QRegularExpression::escape(word);
    return QStringLiteral("(?:") + words.join(u'|') + QStringLiteral(")(?!\\w)");
}

QStringList spellings(const Words& words)
{
    QStringList list;
    for (const auto& [word, value] : words)
        list.append(word);
    return list;
}

// The value of a captured word or number; 0 when it is neither.
int valueOf(const Words& words, const QString& text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number;
    for (const auto& [word, value] : words) {
        if (word.compare(text, Qt::CaseInsensitive) == 0)
            return value;
    }
    return 0;
}

struct Grammar
{
    const RepeatVocabulary* words = nullptr;
    QRegularExpression day;
    QList<std::pair<QRegularExpression, const RepeatVocabulary::Shape*>> shapes;
    QList<QRegularExpression> untils;
    QList<QRegularExpression> counts;
};

QString expand(QString pattern, const RepeatVocabulary& v)
{
    const QString day = alternation(spellings(v.weekdays));
    const QString adverb = alternation(v.dayAdverbs);
    const QString join =
        QStringLiteral("\\s*(?:,|") + v.conjunctions.join(u'|') + QStringLiteral(")\\s*");
    pattern.replace(QStringLiteral("{N}"), QStringLiteral("(?<n>\\d{1,3}(?!\\d)|") +
                                               alternation(spellings(v.numbers)) + u')');
    pattern.replace(QStringLiteral("{UNIT}"),
                    QStringLiteral("(?<unit>") + alternation(spellings(v.units)) + u')');
    pattern.replace(QStringLiteral("{DAYS}"), QStringLiteral("(?<days>") + day +
                                                  QStringLiteral("(?:") + join + day +
                                                  QStringLiteral(")*)"));
    pattern.replace(QStringLiteral("{ADVERBS}"), QStringLiteral("(?<days>") + adverb +
                                                     QStringLiteral("(?:") + join + adverb +
                                                     QStringLiteral(")*)"));
    pattern.replace(QStringLiteral("{DAY}"), QStringLiteral("(?<day>") + day + u')');
    pattern.replace(QStringLiteral("{ORD}"),
                    QStringLiteral("(?<ord>") + alternation(spellings(v.ordinals)) + u')');
    pattern.replace(QStringLiteral("{MD}"), QStringLiteral("(?<md>\\d{1,2})"));
    pattern.replace(QStringLiteral("{MONTH}"), alternation(spellings(v.months)));
    return pattern;
}

QRegularExpression compiled(const QString& pattern)
{
    QRegularExpression expression(pattern, kOptions);
    Q_ASSERT_X(expression.isValid(), "RepeatPhrases", qPrintable(expression.errorString()));
    expression.optimize();
    return expression;
}

Grammar grammarOf(const RepeatVocabulary& v)
{
    Grammar grammar;
    grammar.words = &v;
    grammar.day = compiled(alternation(spellings(v.weekdays)));
    // A phrase stands as words of its own: "dailyness", "Monday's" and "Montags-Meeting" are not
    // repeats.
    for (const RepeatVocabulary::Shape& shape : v.shapes)
        grammar.shapes.append({compiled(QStringLiteral("(?<![\\w'-])(?:") +
                                        expand(shape.pattern, v) + QStringLiteral(")(?![\\w'-])")),
                               &shape});
    for (const QString& pattern : v.untilPatterns)
        grammar.untils.append(compiled(expand(pattern, v) + QStringLiteral("(?![\\w/])")));
    for (const QString& pattern : v.countPatterns)
        grammar.counts.append(compiled(expand(pattern, v) + QStringLiteral("(?![\\w'])")));
    return grammar;
}

const Grammar& grammarFor(const QString& language)
{
    static const Grammar en = grammarOf(RepeatVocabulary::forLanguage(QStringLiteral("en")));
    static const Grammar de = grammarOf(RepeatVocabulary::forLanguage(QStringLiteral("de")));
    static const Grammar fr = grammarOf(RepeatVocabulary::forLanguage(QStringLiteral("fr")));
    if (language == QLatin1StringView("de"))
        return de;
    if (language == QLatin1StringView("fr"))
        return fr;
    return en;
}

QString group(const QRegularExpressionMatch& match, const QString& name)
{
    if (!match.regularExpression().namedCaptureGroups().contains(name))
        return QString();
    return match.captured(name);
}

// Where a quote opened and where it closed (after the closing mark); a quote still open runs to
// the end of the line, as while it is being typed.
QList<std::pair<qsizetype, qsizetype>> quotedRanges(const QString& line)
{
    static const std::pair<QChar, QChar> marks[] = {
        {u'"', u'"'}, {u'\u201C', u'\u201D'}, {u'\u201E', u'\u201C'}, {u'\u00AB', u'\u00BB'}};
    QList<std::pair<qsizetype, qsizetype>> ranges;
    for (qsizetype i = 0; i < line.size(); ++i) {
        for (const auto& [open, close] : marks) {
            if (line.at(i) != open)
                continue;
            const qsizetype end = line.indexOf(close, i + 1);
            const qsizetype after = end < 0 ? line.size() : end + 1;
            ranges.append({i, after});
            i = after - 1;
            break;
        }
    }
    return ranges;
}

bool isQuoted(const QList<std::pair<qsizetype, qsizetype>>& ranges, qsizetype start, qsizetype end)
{
    return std::any_of(ranges.cbegin(), ranges.cend(), [start, end](const auto& range) {
        return start < range.second && end > range.first;
    });
}

// Monday first, as people read a week.
int weekOrder(int dayOfTheWeek)
{
    return (dayOfTheWeek + 5) % 7;
}

std::optional<RecurrenceRule> ruleOf(const Grammar& grammar, const RepeatVocabulary::Shape& shape,
                                     const QRegularExpressionMatch& match)
{
    const RepeatVocabulary& v = *grammar.words;
    RecurrenceRule rule;
    rule.frequency = shape.frequency;
    rule.interval = shape.interval;
    if (const QString unit = group(match, QStringLiteral("unit")); !unit.isEmpty())
        rule.frequency = Frequency(valueOf(v.units, unit));
    if (const QString n = group(match, QStringLiteral("n")); !n.isEmpty()) {
        rule.interval = valueOf(v.numbers, n);
        if (rule.interval < 1 || rule.interval > kMaxNumber)
            return std::nullopt;
    }
    QList<int> days = shape.days;
    if (const QString named = group(match, QStringLiteral("days")); !named.isEmpty()) {
        QRegularExpressionMatchIterator it = grammar.day.globalMatch(named);
        while (it.hasNext()) {
            const int day = valueOf(v.weekdays, it.next().captured());
            if (!days.contains(day))
                days.append(day);
        }
    }
    std::sort(days.begin(), days.end(), [](int a, int b) { return weekOrder(a) < weekOrder(b); });
    for (const int day : days)
        rule.daysOfTheWeek.append(RecurrenceDayOfWeek{day, 0});
    if (const QString ord = group(match, QStringLiteral("ord")); !ord.isEmpty()) {
        const int day = valueOf(v.weekdays, group(match, QStringLiteral("day")));
        rule.daysOfTheWeek = {RecurrenceDayOfWeek{day, valueOf(v.ordinals, ord)}};
    }
    if (const QString md = group(match, QStringLiteral("md")); !md.isEmpty()) {
        const int day = md.toInt();
        if (day < 1 || day > 31)
            return std::nullopt;
        rule.daysOfTheMonth = {day};
    }
    return rule;
}

// An end date typed without a year is the next such day from today on.
QDate endDateOf(const RepeatVocabulary& v, const QRegularExpressionMatch& match, const QDate& today)
{
    const int day = group(match, QStringLiteral("d")).toInt();
    const QString monthDigits = group(match, QStringLiteral("m"));
    const int month = monthDigits.isEmpty() ? valueOf(v.months, group(match, QStringLiteral("mw")))
                                            : monthDigits.toInt();
    const QString yearText = group(match, QStringLiteral("y"));
    if (!yearText.isEmpty()) {
        const int year = yearText.toInt();
        return QDate(yearText.size() == 2 ? 2000 + year : year, month, day);
    }
    for (int year = today.year(); year <= today.year() + 8; ++year) {
        const QDate date(year, month, day);
        if (date.isValid() && date >= today)
            return date;
    }
    return QDate();
}

std::optional<std::pair<RecurrenceEnd, qsizetype>>
endAt(const Grammar& grammar, const QString& line, qsizetype offset, const QDate& today)
{
    for (const QRegularExpression& until : grammar.untils) {
        const QRegularExpressionMatch match =
            until.match(line, offset, QRegularExpression::NormalMatch,
                        QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            continue;
        const QDate date = endDateOf(*grammar.words, match, today);
        if (!date.isValid())
            continue;
        RecurrenceEnd end = RecurrenceEnd::withEndDate(QDateTime(date, QTime(0, 0)));
        end.endDateIsAllDay = true;
        return std::pair{end, match.capturedLength()};
    }
    for (const QRegularExpression& count : grammar.counts) {
        const QRegularExpressionMatch match =
            count.match(line, offset, QRegularExpression::NormalMatch,
                        QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            continue;
        const int times = valueOf(grammar.words->numbers, group(match, QStringLiteral("n")));
        if (times >= 1 && times <= kMaxNumber)
            return std::pair{RecurrenceEnd::withOccurrenceCount(times), match.capturedLength()};
    }
    return std::nullopt;
}

bool dayAllowed(const RecurrenceRule& rule, const QDate& day)
{
    const int weekday = day.dayOfWeek() % 7 + 1;
    if (!rule.daysOfTheWeek.isEmpty()) {
        return std::any_of(rule.daysOfTheWeek.cbegin(), rule.daysOfTheWeek.cend(),
                           [&day, weekday](const RecurrenceDayOfWeek& allowed) {
                               if (allowed.dayOfTheWeek != weekday)
                                   return false;
                               if (allowed.weekNumber > 0)
                                   return (day.day() - 1) / 7 + 1 == allowed.weekNumber;
                               if (allowed.weekNumber < 0)
                                   return (day.daysInMonth() - day.day()) / 7 + 1 ==
                                          -allowed.weekNumber;
                               return true;
                           });
    }
    if (!rule.daysOfTheMonth.isEmpty())
        return rule.daysOfTheMonth.contains(day.day());
    return true;
}

} // namespace

namespace RepeatPhrases {

std::optional<RepeatPhrase> find(const QString& line, const QString& language, const QDate& today)
{
    const Grammar& grammar = grammarFor(language);
    // The typographic apostrophe of "jusqu’au" is the typed one; one UTF-16 unit either way,
    // so places found here are places in the line.
    QString folded = line;
    folded.replace(u'\u2019', u'\'');
    const auto quoted = quotedRanges(folded);

    std::optional<RepeatPhrase> best;
    for (const auto& [expression, shape] : grammar.shapes) {
        QRegularExpressionMatchIterator it = expression.globalMatch(folded);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            const qsizetype start = match.capturedStart();
            if (best && (start > best->location ||
                         (start == best->location && match.capturedLength() <= best->length)))
                break;
            if (isQuoted(quoted, start, match.capturedEnd()))
                continue;
            const auto rule = ruleOf(grammar, *shape, match);
            if (!rule)
                continue;
            best = RepeatPhrase{start, match.capturedLength(), *rule};
            break;
        }
    }
    if (!best)
        return std::nullopt;
    const qsizetype end = best->location + best->length;
    if (const auto ending = endAt(grammar, folded, end, today);
        ending && !isQuoted(quoted, end, end + ending->second)) {
        best->rule.recurrenceEnd = ending->first;
        best->length += ending->second;
    }
    return best;
}

QDate firstDayFrom(const RecurrenceRule& rule, const QDate& from)
{
    for (int offset = 0; offset < kDaysToSearch; ++offset) {
        const QDate day = from.addDays(offset);
        if (dayAllowed(rule, day))
            return day;
    }
    return QDate();
}

} // namespace RepeatPhrases
