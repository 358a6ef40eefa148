#include "prefs/FontChoices.h"

#include <QFontDatabase>

namespace FontChoices {

QList<FontFace> candidates(qint64 choice)
{
    switch (choice) {
    case 1: // "Helvetica Neue Light": light, open and even; Lato comes with fonts-lato.
        return {{QStringLiteral("Helvetica Neue"), QFont::Light},
                {QStringLiteral("Lato"), QFont::Light},
                {QStringLiteral("Open Sans"), QFont::Light},
                {QStringLiteral("Source Sans 3"), QFont::Light}};
    case 2: // "Avenir": round, geometric letters; URW Gothic comes with fonts-urw-base35.
        return {{QStringLiteral("Avenir"), QFont::Normal},
                {QStringLiteral("URW Gothic"), QFont::Normal},
                {QStringLiteral("Quicksand"), QFont::Normal}};
    case 3: // "Arial": its own face where installed, else one with its metrics.
        return {{QStringLiteral("Arial"), QFont::Normal},
                {QStringLiteral("Liberation Sans"), QFont::Normal},
                {QStringLiteral("Arimo"), QFont::Normal},
                {QStringLiteral("Nimbus Sans"), QFont::Normal}};
    default:
        return {};
    }
}

std::optional<FontFace> installedFace(qint64 choice)
{
    for (const FontFace& face : candidates(choice)) {
        if (QFontDatabase::hasFamily(face.family))
            return face;
    }
    return std::nullopt;
}

} // namespace FontChoices
