#include "platform/desktop/KdeGlobals.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

QString entryKey(const QString& group, const QString& key)
{
    return group + QLatin1Char('\n') + key;
}

} // namespace

KdeGlobals::KdeGlobals()
    : KdeGlobals(cascade())
{}

KdeGlobals::KdeGlobals(const QStringList& files)
{
    for (const QString& path : files)
        read(path);
}

QStringList KdeGlobals::cascade()
{
    // Read from the environment rather than QStandardPaths, whose test mode would move the
    // user's folder somewhere no desktop writes to.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    QStringList files{configHome + QStringLiteral("/kdeglobals")};
    QString configDirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (configDirs.isEmpty())
        configDirs = QStringLiteral("/etc/xdg");
    for (const QString& dir : configDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << dir + QStringLiteral("/kdeglobals");
    return files;
}

void KdeGlobals::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream stream(&file);
    QString group;
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            // A nested group is "[Colors:Button]" in newer files and "[Colors][Button]" in
            // older ones; both name the group by its whole header.
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        QString key = line.left(equals).trimmed();
        // "key[$i]" marks an entry the administrator locked; translated entries ("key[de]")
        // are none of the keys read here.
        if (key.endsWith(QLatin1String("[$i]")))
            key.chop(4);
        const QString name = entryKey(group, key);
        if (!m_values.contains(name))
            m_values.insert(name, line.mid(equals + 1).trimmed());
    }
}

std::optional<QString> KdeGlobals::value(const QString& group, const QString& key) const
{
    const auto found = m_values.constFind(entryKey(group, key));
    if (found == m_values.cend())
        return std::nullopt;
    return *found;
}

std::optional<qreal> KdeGlobals::generalFontPointSize() const
{
    const std::optional<QString> font = value(QStringLiteral("General"), QStringLiteral("font"));
    if (!font)
        return std::nullopt;
    // QFont::toString(): family, point size, pixel size, ...; a point size of -1 means the
    // font was given in pixels.
    const QStringList fields = font->split(QLatin1Char(','));
    bool ok = false;
    const qreal points = fields.value(1).toDouble(&ok);
    if (!ok || points <= 0)
        return std::nullopt;
    return points;
}

std::optional<qreal> KdeGlobals::animationDurationFactor() const
{
    const std::optional<QString> factor =
        value(QStringLiteral("KDE"), QStringLiteral("AnimationDurationFactor"));
    if (!factor)
        return std::nullopt;
    bool ok = false;
    const qreal number = factor->toDouble(&ok);
    if (!ok || number < 0)
        return std::nullopt;
    return number;
}
