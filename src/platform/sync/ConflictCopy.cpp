#include "platform/sync/ConflictCopy.h"

#include "platform/ReplaceFileContents.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace ConflictCopy {

namespace {

// The content lines of `text`, each with its folded continuations.
QStringList logicalLines(const QString& text)
{
    QStringList lines;
    for (const QString& raw : text.split(QLatin1String("\n"))) {
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!lines.isEmpty() &&
            (line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'))))
            lines.last() += QLatin1String("\r\n") + line;
        else
            lines.append(line);
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString unfolded(const QString& logical)
{
    QString line = logical;
    return line.replace(QLatin1String("\r\n "), QString())
        .replace(QLatin1String("\r\n\t"), QString());
}

// The property name of a content line, upper case ("SUMMARY" of "SUMMARY;LANGUAGE=en:…").
QString nameOf(const QString& line)
{
    qsizetype end = 0;
    while (end < line.size() && line.at(end) != QLatin1Char(':') &&
           line.at(end) != QLatin1Char(';'))
        ++end;
    return line.left(end).toUpper();
}

QString valueOf(const QString& line)
{
    // A parameter value may hold ':' only inside quotes.
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('"'))
            quoted = !quoted;
        else if (line.at(i) == QLatin1Char(':') && !quoted)
            return line.mid(i + 1);
    }
    return {};
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // read() first makes room for as much as it is allowed to read: the size asks for less.
    return QString::fromUtf8(file.read(qMin<qint64>(file.size(), 16 << 20)));
}

bool writeText(const QString& path, const QString& text, bool replace)
{
    if (!replace && QFileInfo::exists(path))
        return false;
    return replaceFileContents(path, text.toUtf8());
}

// The collection folder under `accountFolder` holding the item `uid`.
QString folderHolding(const QString& accountFolder, const QString& uid)
{
    QDirIterator it(accountFolder, {QStringLiteral("*.ics")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (uidOf(readText(path)) == uid)
            return QFileInfo(path).absolutePath();
    }
    return {};
}

} // namespace

QString uidOf(const QString& text)
{
    for (const QString& line : logicalLines(text)) {
        if (nameOf(line) == QLatin1String("UID"))
            return unfolded(valueOf(line));
    }
    return {};
}

QString asCopy(const QString& text, const QString& uid, const QString& newUid)
{
    QStringList out;
    for (const QString& line : logicalLines(text)) {
        const QString name = nameOf(line);
        const QString whole = unfolded(line);
        if (name == QLatin1String("UID") && valueOf(whole) == uid)
            out.append(QStringLiteral("UID:") + newUid);
        else if (name == QLatin1String("SUMMARY"))
            out.append(whole + QLatin1String(" (conflict copy)"));
        else
            out.append(line);
    }
    return out.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

Outcome resolve(const QString& accountFolder, const QString& localFile, const QString& remoteFile)
{
    Outcome outcome;
    const QString local = readText(localFile);
    const QString remote = readText(remoteFile);
    const QString uid = uidOf(local);
    if (uid.isEmpty() || remote.isEmpty()) {
        outcome.error = QStringLiteral("the two versions could not be read");
        return outcome;
    }
    const QString folder = folderHolding(accountFolder, uid);
    if (folder.isEmpty()) {
        outcome.error = QStringLiteral("no task %1 under %2").arg(uid, accountFolder);
        return outcome;
    }
    const QString newUid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString copy = asCopy(local, uid, newUid);
    outcome.copyPath = folder + QLatin1Char('/') + newUid + QLatin1String(".ics");
    // The copy goes first: if anything after it fails, vdirsyncer leaves both sides as they
    // were and the next sync meets the same conflict, with the copy already safe.
    if (!writeText(outcome.copyPath, copy, false) || !writeText(localFile, remote, true)) {
        outcome.error = QStringLiteral("the copy could not be written to %1").arg(folder);
        return outcome;
    }
    for (const QString& line : logicalLines(copy)) {
        if (nameOf(line) == QLatin1String("SUMMARY")) {
            outcome.title = valueOf(unfolded(line));
            break;
        }
    }
    outcome.ok = true;
    return outcome;
}

} // namespace ConflictCopy
