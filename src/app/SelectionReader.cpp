#include "app/SelectionReader.h"

#include <QClipboard>

std::optional<QString> readSelectedText(const QClipboard* clipboard)
{
    if (!clipboard)
        return std::nullopt;
    if (clipboard->supportsSelection()) {
        const QString selected = clipboard->text(QClipboard::Selection);
        if (!selected.trimmed().isEmpty())
            return selected;
    }
    const QString copied = clipboard->text(QClipboard::Clipboard);
    if (!copied.trimmed().isEmpty())
        return copied;
    return std::nullopt;
}
