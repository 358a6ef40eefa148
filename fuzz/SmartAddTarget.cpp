#include "SmartAddTarget.h"

#include "platform/JsonKeyValueFile.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace {

// Typing is one match per character over every rule; past this length it finds nothing the
// one-pass parse does not.
constexpr qsizetype kMaxTypedLength = 80;

// Moments where date words are easy to get wrong: the Berlin spring and autumn changes, a
// leap day, the turn of a year, an ordinary weekday. The input's length picks one.
QDateTime nowFor(qsizetype choice)
{
    static const QList<QDateTime> moments = {
        QDateTime(QDate(2026, 3, 28), QTime(23, 30)), QDateTime(QDate(2026, 10, 25), QTime(2, 30)),
        QDateTime(QDate(2028, 2, 29), QTime(12, 0)),  QDateTime(QDate(2026, 12, 31), QTime(23, 59)),
        QDateTime(QDate(2026, 12, 9), QTime(10, 0)),
    };
    return moments.at(choice % moments.size());
}

QString matchProblem(const SmartAddMatch& match, const QString& line)
{
    if (!match.found)
        return {};
    if (match.location < 0 || match.length <= 0 || match.location + match.length > line.size())
        return QStringLiteral("A match at %1 of length %2 does not lie in a line of %3")
            .arg(match.location)
            .arg(match.length)
            .arg(line.size());
    if (match.cutFrom(line).size() >= line.size())
        return QStringLiteral("Cutting a match leaves the line as long as it was");
    return {};
}

} // namespace

SmartAddTarget::SmartAddTarget(const QString& workFolder)
    : m_defaults(workFolder + QStringLiteral("/smartadd-preferences.json"))
    , m_smartAdd(m_defaults, m_clock)
    , m_entry(m_smartAdd)
{
    setupDefaultPreferences(m_defaults, nullptr);
    m_defaultRules = m_defaults.objectForKey(PrefKey::smartAddRules);
    m_clock.setNow(nowFor(0));
    m_entry.setup();
}

QStringList SmartAddTarget::run(QByteArrayView input)
{
    m_clock.setNow(nowFor(input.size()));
    const qsizetype separator = input.indexOf('\0');
    const QString line = QString::fromUtf8(separator < 0 ? input : input.first(separator));

    QList<SmartAddRule> rules = m_smartAdd.rulesFromPreferences();
    if (separator >= 0) {
        const QJsonDocument document =
            QJsonDocument::fromJson(input.sliced(separator + 1).toByteArray());
        const QVariantList records = JsonKeyValueFile::decode(document.array()).toList();
        m_defaults.setObject(records, PrefKey::smartAddRules);
        m_customRules = true;
        rules = SmartAddRule::listFromVariant(records);
    } else if (m_customRules) {
        m_defaults.setObject(m_defaultRules, PrefKey::smartAddRules);
        m_customRules = false;
        rules = m_smartAdd.rulesFromPreferences();
    }

    QStringList findings;
    const SmartAddParse parse = m_smartAdd.parseLine(line, rules);
    if (parse.title != parse.remainingText.trimmed())
        findings << QStringLiteral("The title is not the trimmed rest of the line");
    if (parse.remainingText.size() > line.size())
        findings << QStringLiteral("Cutting triggers made the line longer");
    QSet<qint64> groups;
    for (const SmartAddRule& rule : parse.appliedRules) {
        const qint64 group = SmartAddRule::groupOfResultType(rule.resultType).constFirst();
        if (groups.contains(group))
            findings << QStringLiteral("Two rules of result type group %1 applied").arg(group);
        groups.insert(group);
    }
    if (parse.result.dueDate && !parse.result.dueDate->isValid())
        findings << QStringLiteral("The parse gives an invalid due date");

    const SmartAddMatch match = m_smartAdd.checkRules(line, true, rules, {}, {}, {});
    if (const QString problem = matchProblem(match, line); !problem.isEmpty())
        findings << problem;

    m_entry.setup();
    findings += typed(line.left(kMaxTypedLength));
    return findings;
}

QStringList SmartAddTarget::typed(const QString& line)
{
    QStringList findings;
    QString field;
    qsizetype cursor = 0;
    for (const QChar c : line) {
        field.insert(cursor, c);
        ++cursor;
        const std::optional<SmartAddEntry::TextChange> change =
            m_entry.userEditedText(field, cursor);
        if (!change)
            continue;
        if (change->text.size() >= field.size())
            findings << QStringLiteral("Taking a trigger while typing did not shorten the text");
        if (change->cursorPosition < 0 || change->cursorPosition > change->text.size())
            return findings << QStringLiteral("The cursor after a trigger (%1) is outside the "
                                              "text of %2 characters")
                                   .arg(change->cursorPosition)
                                   .arg(change->text.size());
        field = change->text;
        cursor = change->cursorPosition;
    }
    const SmartAddEntry::Submission submission = m_entry.submit(field);
    if (submission.accepted &&
        (submission.title.isEmpty() || submission.title != submission.title.trimmed()))
        findings << QStringLiteral("An added task's title is blank or untrimmed");
    if (submission.accepted && submission.title != submission.text.trimmed())
        findings << QStringLiteral("An added task's title is not the field's trimmed text");
    return findings;
}
