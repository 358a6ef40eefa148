#include "platform/store/PeerConfigFiles.h"

#include <QRegularExpression>

#include <optional>

namespace PeerConfigFiles {

namespace {

// A value as the files write it: in double or single quotes (JSON in vdirsyncer, Python in
// todoman) or bare (khal); a comment after a bare value is dropped.
QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')) {
        const QChar quote = value.front();
        const qsizetype end = value.indexOf(quote, 1);
        if (end < 0)
            return {};
        return value.mid(1, end - 1);
    }
    const qsizetype comment = value.indexOf(QLatin1Char('#'));
    if (comment >= 0)
        value.truncate(comment);
    return value.trimmed();
}

struct Setting
{
    QString key;
    QString value;
};

std::optional<Setting> settingOf(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    const QString key = line.left(equals).trimmed();
    if (key.isEmpty() || key.contains(QLatin1Char(' ')))
        return std::nullopt;
    return Setting{key, unquoted(line.mid(equals + 1))};
}

QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

bool isComment(const QString& line)
{
    return line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';'));
}

} // namespace

QStringList vdirsyncerPaths(const QString& text)
{
    QStringList paths;
    bool inStorage = false;
    QString type, path, extension;
    const auto finish = [&] {
        if (inStorage && type == QLatin1String("filesystem") && !path.isEmpty() &&
            (extension.isEmpty() ||
             extension.compare(QLatin1String(".ics"), Qt::CaseInsensitive) == 0))
            paths << path;
        type.clear();
        path.clear();
        extension.clear();
    };
    for (const QString& line : linesOf(text)) {
        if (isComment(line))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            finish();
            inStorage =
                line.startsWith(QLatin1String("[storage ")) && line.endsWith(QLatin1Char(']'));
            continue;
        }
        if (!inStorage)
            continue;
        if (const auto setting = settingOf(line)) {
            if (setting->key == QLatin1String("type"))
                type = setting->value;
            else if (setting->key == QLatin1String("path"))
                path = setting->value;
            else if (setting->key == QLatin1String("fileext"))
                extension = setting->value;
        }
    }
    finish();
    return paths;
}

QStringList khalPaths(const QString& text)
{
    QStringList paths;
    bool inCalendars = false;
    bool inCalendar = false;
    for (const QString& line : linesOf(text)) {
        if (isComment(line))
            continue;
        if (line.startsWith(QLatin1String("[["))) {
            inCalendar = inCalendars;
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            inCalendars = line == QLatin1String("[calendars]");
            inCalendar = false;
            continue;
        }
        if (!inCalendar)
            continue;
        if (const auto setting = settingOf(line)) {
            if (setting->key == QLatin1String("path") && !setting->value.isEmpty())
                paths << setting->value;
        }
    }
    return paths;
}

QStringList todomanPaths(const QString& text)
{
    QStringList paths;
    for (const QString& line : linesOf(text)) {
        if (isComment(line) || line.startsWith(QLatin1Char('[')))
            continue;
        const auto setting = settingOf(line);
        if (!setting || setting->key != QLatin1String("path"))
            continue;
        // Only a literal string; `path = os.path.join(…)` and the like are code we do not run.
        const QString raw = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
        const bool quoted = raw.startsWith(QLatin1Char('"')) || raw.startsWith(QLatin1Char('\''));
        const bool bare = !raw.contains(QLatin1Char('('));
        if ((quoted || bare) && !setting->value.isEmpty())
            paths << setting->value;
    }
    return paths;
}

QString expandPath(const QString& path, const QString& home,
                   const QHash<QString, QString>& environment)
{
    QString expanded = path;
    if (expanded == QLatin1String("~") || expanded.startsWith(QLatin1String("~/")))
        expanded = home + expanded.mid(1);
    static const QRegularExpression variable(
        QStringLiteral(R"(\$(?:\{([A-Za-z_][A-Za-z0-9_]*)\}|([A-Za-z_][A-Za-z0-9_]*)))"));
    QString result;
    qsizetype last = 0;
    auto it = variable.globalMatch(expanded);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += expanded.mid(last, match.capturedStart() - last);
        const QString name = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        result += environment.value(name);
        last = match.capturedEnd();
    }
    result += expanded.mid(last);
    return result;
}

} // namespace PeerConfigFiles
