#pragma once

#include <QFont>
#include <QList>
#include <QString>

#include <optional>

// The typefaces behind the "defaultFont" choices. Choices 1 and 2 name faces that a Linux
// desktop does not ship, so each choice lists, in order, faces of the same character that
// Debian packages: a light humanist sans for 1, a geometric sans for 2, and for 3 the faces
// drawn to Arial's metrics. The first one fontconfig has installed is used.
struct FontFace
{
    QString family;
    QFont::Weight weight = QFont::Normal;

    bool operator==(const FontFace&) const = default;
};

namespace FontChoices {

// The faces a choice may be drawn in, in order of preference; none for 0 (the system font)
// and for choices this version does not know.
QList<FontFace> candidates(qint64 choice);

// The first candidate installed here; none means the system font.
std::optional<FontFace> installedFace(qint64 choice);

} // namespace FontChoices
