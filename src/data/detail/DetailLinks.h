#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// The rules of the URL row and the links in the notes: what the URL field shows, what an edit
// of it keeps, what the open button opens and which addresses it opens without asking, and
// how mail links in the notes are shown.
namespace DetailLinks {

// What the URL field shows for a task's URL: nothing, "Mail Link" for a link to a mail
// message, else the address.
QString urlFieldText(const QUrl& url);
// The address an edited URL field keeps: the first link in its text, or "" when it holds none.
QString validatedUrlText(const QString& fieldText);
// The address as text, the way it is compared with the field.
QString urlText(const QUrl& url);

// "message:" links open only with the two slashes after the scheme; mail programs write them
// with and without.
QString withMailSlashes(const QString& text, Qt::CaseSensitivity sensitivity);
QUrl openableUrl(const QUrl& url);

// Whether the open button opens an address directly, only after the user confirmed it (local
// files, unknown schemes), or never (addresses that run code: "javascript:", "data:").
enum class OpenPolicy { Open, Confirm, Refuse };
OpenPolicy openPolicy(const QUrl& url);

// A link in the notes as shown: where it stands in the shown text, what it opens.
struct NotesLink
{
    qsizetype start = 0;
    qsizetype length = 0;
    QUrl url;
};

struct NotesDecoration
{
    QString text;
    bool readOnly = false;
    QList<NotesLink> links;
};
// How the notes are shown. Notes that begin with a mail link are a pointer to that message,
// read-only, and their "message://" links read "Show in Mail"; in editable notes every link
// keeps its own text, so that editing never replaces an address by its caption.
NotesDecoration decorateNotes(const QString& notes, bool editable);

} // namespace DetailLinks
