#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// Plasma's settings that every KDE program shares, read from the kdeglobals files once, when
// made: the user's ($XDG_CONFIG_HOME/kdeglobals) over the system's ($XDG_CONFIG_DIRS), the
// cascade KConfig reads. KConfig writes only what differs from Plasma's defaults, so a key that
// is missing means the default.
class KdeGlobals
{
public:
    // The files of the cascade, the user's first.
    KdeGlobals();
    // `files` in order of precedence, the first that has a key giving it.
    explicit KdeGlobals(const QStringList& files);

    // The user's file and the system's, the user's first, as the environment names them.
    static QStringList cascade();

    std::optional<QString> value(const QString& group, const QString& key) const;
    // The size in points of [General] font ("Noto Sans,10,-1,5,50,0,0,0,0,0"); none when unset
    // or when the entry gives its size in pixels.
    std::optional<qreal> generalFontPointSize() const;
    // [KDE] AnimationDurationFactor: 1 for Plasma's speed, 0 for no animations at all.
    std::optional<qreal> animationDurationFactor() const;

private:
    void read(const QString& path);

    // "group\nkey" to value; a key already there came from a file of higher precedence.
    QHash<QString, QString> m_values;
};
