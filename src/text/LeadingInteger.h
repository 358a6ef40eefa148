#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <limits>

// The leading whole number of a text as other programs and rule records write one: blanks, a
// sign, digits; what follows is ignored ("+1", "-2", " 3 days"), and a text that does not
// start with a number counts as 0. The magnitude saturates at `limit` instead of overflowing.
inline qint64 leadingInteger(QStringView text,
                             qint64 limit = std::numeric_limits<qint64>::max() / 10 - 9)
{
    QStringView view = text.trimmed();
    bool negative = false;
    if (!view.isEmpty() && (view.front() == u'+' || view.front() == u'-')) {
        negative = view.front() == u'-';
        view = view.sliced(1);
    }
    qint64 value = 0;
    for (const QChar c : view) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + (c.unicode() - u'0'), limit);
    }
    return negative ? -value : value;
}
