#pragma once

#include <QString>
#include <QStringView>

namespace store {

// The colour of a list or calendar as its folder's "color" file gives it, kept as plain red,
// green and blue so that the store and the command line need no graphics library; the windows
// turn it into their own colour type where they draw. It reads every form the windows' colour
// type reads (#rgb, #rrggbb, #aarrggbb, #rrrgggbbb, #rrrrggggbbbb and the SVG colour names)
// and writes "#rrggbb", so that what a folder holds stays as it always was.
struct CollectionColor
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool valid = false;

    static CollectionColor fromRgb(int red, int green, int blue);
    // Invalid for a text no form above matches.
    static CollectionColor fromText(QStringView text);

    bool isValid() const { return valid; }
    // "#rrggbb" in lower case; empty for no colour.
    QString name() const;

    bool operator==(const CollectionColor& other) const = default;
};

} // namespace store
