#pragma once

#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <memory>

class DateFormatters;
class QMimeData;
class QTextDocument;

// Text in runs of four styles, as a shared list is handed to mail, notes and the clipboard.
// The runs hold the characters once; the rich and the plain forms are both made from them,
// so the two can never say different things.
class StyledText
{
public:
    enum class Style { Heading, Subheading, Item, Detail };

    struct Run
    {
        QString text;
        Style style = Style::Item;
        bool operator==(const Run&) const = default;
    };

    void append(const QString& text, Style style);
    const QList<Run>& runs() const { return m_runs; }
    bool isEmpty() const { return m_runs.isEmpty(); }

    QString toPlainText() const;
    // Needs a QGuiApplication: the styles use the system font.
    std::unique_ptr<QTextDocument> toDocument() const;
    QString toHtml() const;
    // text/html and text/plain together, ready for QClipboard::setMimeData (which takes it).
    std::unique_ptr<QMimeData> toMimeData() const;

    // The system font at the style's size (heading 16, subheading 14, item 15, detail 13) in
    // a grey: dark grey (1/3) for headings and items, mid grey (1/2) for the rest.
    static QTextCharFormat charFormat(Style style);

private:
    QList<Run> m_runs;
};

// The text a list is shared as: exactly what the centre pane shows, its header, its tasks in
// row order and then its calendar events. Reads the records only and never fails.
class ListExport
{
public:
    ListExport() = delete;

    // "No Tasks", "One Task", "%n Tasks": the subtitle for the number of tasks shown.
    static QString subtitleForTaskCount(qsizetype count);

    static StyledText attributedStringsForSharingListWithTitle(
        const QString& title, const QString& subtitle, const QList<store::ReminderPtr>& reminders,
        const QList<store::EventPtr>& events, const DateFormatters& formatters);
};
