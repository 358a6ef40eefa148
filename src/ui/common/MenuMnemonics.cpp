#include "ui/common/MenuMnemonics.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace MenuMnemonics {

QChar of(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        // "Tom & Jerry", a name the user wrote: no mnemonic.
        if (!text.at(i + 1).isSpace())
            return text.at(i + 1).toLower();
    }
    return {};
}

namespace {

// Where in `text` the mnemonic goes: the start of a word first, as a reader looks for it
// there, then any letter or digit.
qsizetype freePosition(const QString& text, const QSet<QChar>& taken)
{
    for (const bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (!c.isLetterOrNumber() || taken.contains(c.toLower()))
                continue;
            if (wordStartsOnly && i > 0 && text.at(i - 1).isLetterOrNumber())
                continue;
            return i;
        }
    }
    return -1;
}

} // namespace

void give(QMenu* menu)
{
    QSet<QChar> taken;
    QList<QAction*> without;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (const QChar letter = of(action->text()); !letter.isNull())
            taken.insert(letter);
        else
            without << action;
    }
    for (QAction* action : std::as_const(without)) {
        // A '&' of a list's name is text; the mnemonic goes before a letter of the name.
        const QString plain = action->text();
        if (plain.trimmed().isEmpty())
            continue;
        const qsizetype position = freePosition(plain, taken);
        if (position < 0) {
            // Marks only ("!!" for a priority): a free digit goes before them.
            for (QChar digit = QLatin1Char('1'); digit <= QLatin1Char('9');
                 digit = QChar(digit.unicode() + 1)) {
                if (taken.contains(digit))
                    continue;
                taken.insert(digit);
                action->setText(QLatin1Char('&') + digit + QLatin1Char(' ') +
                                QString(plain).replace(QLatin1Char('&'), QLatin1String("&&")));
                break;
            }
            continue;
        }
        taken.insert(plain.at(position).toLower());
        QString text = plain.left(position);
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QString rest = plain.mid(position);
        rest.replace(QLatin1Char('&'), QLatin1String("&&"));
        action->setText(text + QLatin1Char('&') + rest);
    }
}

} // namespace MenuMnemonics
