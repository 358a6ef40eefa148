#include "commands/ServicesEntry.h"

#include "commands/UrlCommand.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"

#include <QRegularExpression>

namespace {

// The address forms a link detector finds in running text. The body stops at white space and
// at characters that never stand unescaped in an address.
const QRegularExpression& linkExpression()
{
    static const QRegularExpression expression(
        QStringLiteral(
            R"((?<![\w@.\-])(?:(?:https?|ftp)://|mailto:|www\.)[^\s<>"'`{}|\\^\x{00A0}]+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return expression;
}

// Sentence punctuation after a link belongs to the sentence; a closing bracket belongs to the
// link only when the link opened one.
QString trimTrailingPunctuation(QString link)
{
    static const QString trailing = QStringLiteral(".,;:!?");
    static const QList<QPair<QChar, QChar>> brackets{{u'(', u')'}, {u'[', u']'}};
    bool changed = true;
    while (changed && !link.isEmpty()) {
        changed = false;
        const QChar last = link.back();
        if (trailing.contains(last)) {
            link.chop(1);
            changed = true;
            continue;
        }
        for (const auto& [open, close] : brackets) {
            if (last == close && link.count(open) < link.count(close)) {
                link.chop(1);
                changed = true;
                break;
            }
        }
    }
    return link;
}

bool hasBody(const QString& link)
{
    const qsizetype colon = link.indexOf(u':');
    if (link.startsWith(QLatin1StringView("www."), Qt::CaseInsensitive))
        return link.size() > 4 && link.indexOf(u'.', 4) > 4;
    if (link.startsWith(QLatin1StringView("mailto:"), Qt::CaseInsensitive))
        return link.indexOf(u'@', colon + 1) > colon + 1;
    return link.size() > link.indexOf(QLatin1StringView("://")) + 3;
}

} // namespace

QString firstLinkInText(const QString& text)
{
    QRegularExpressionMatchIterator matches = linkExpression().globalMatch(text);
    while (matches.hasNext()) {
        const QString link = trimTrailingPunctuation(matches.next().captured());
        if (!hasBody(link))
            continue;
        if (link.startsWith(QLatin1StringView("www."), Qt::CaseInsensitive))
            return QStringLiteral("http://") + link;
        return link;
    }
    return QString();
}

VelmoranServices::VelmoranServices(DataManager& manager)
    : m_manager(manager)
{}

bool VelmoranServices::newTaskFromServices(const std::optional<QString>& pasteboardText)
{
    if (!pasteboardText)
        return false;
    // A selection spanning lines still makes a one-line title.
    const QString title = UrlCommand::cleanText(*pasteboardText, false);
    if (title.isEmpty())
        return false;
    bool added = false;
    m_manager.tasks().addReminderWithTitle(
        title, m_manager.lists().defaultList(), std::nullopt, QDateTime(), std::nullopt,
        firstLinkInText(title), QString(), false, std::nullopt,
        [&added](bool saved, store::ReminderPtr) { added = saved; });
    return added;
}
