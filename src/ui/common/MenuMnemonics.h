#pragma once

#include <QChar>
#include <QString>

class QMenu;

// The letter that picks a menu item from the keyboard. Items whose text is written in the
// program carry their own '&' (and each translation its own); items named by the user's data
// (lists, tags, offsets spelled out at run time) get the first letter of their text that no
// other item of their menu has taken.
namespace MenuMnemonics {

// The mnemonic letter of `text` in lower case, or a null character when it has none.
QChar of(const QString& text);

// Gives every item of `menu` without a mnemonic one of its own letters, or a digit before a
// text of marks only; a '&' the text contains is kept as text. Items for which nothing is left
// keep their text.
void give(QMenu* menu);

} // namespace MenuMnemonics
