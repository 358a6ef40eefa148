#include "entry/SmartAddPreview.h"

#include "entry/SmartAddEntry.h"

#include <QObject>

SmartAddPreview SmartAddPreview::ofLine(const SmartAdd& smartAdd, const QString& line)
{
    SmartAddEntry entry(smartAdd);
    entry.setup();
    SmartAddPreview preview;
    QObject::connect(&entry, &SmartAddEntry::listRequested, &entry,
                     [&preview](const QString& name) { preview.listName = name; });
    QString text;
    qsizetype cursor = 0;
    for (const QChar c : line) {
        text.insert(cursor, c);
        ++cursor;
        if (const auto change = entry.userEditedText(text, cursor)) {
            text = change->text;
            cursor = change->cursorPosition;
        }
    }
    const SmartAddEntry::Submission submission = entry.submit(text);
    preview.accepted = submission.accepted;
    preview.title = submission.title;
    preview.dueDate = submission.dueDate;
    preview.priority = submission.priority;
    preview.alarm = submission.alarm;
    preview.repeat = submission.repeat;
    return preview;
}
