#pragma once

#include "platform/store/CompactText.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QStringView>

#include <cstdio>

// Writes JSON as it is produced, byte for byte in the layout of QJsonDocument's indented form
// (four spaces a level, object keys in the order given, which callers keep sorted as
// QJsonObject does), without building a document first: the command line prints thousands of
// tasks, and building them as QJsonObjects cost more than everything else of a run.
class JsonWriter
{
public:
    JsonWriter() = default;
    // Writes what it has to `sink` whenever a record of the outermost array is complete and
    // enough has gathered, so that a long listing is never held whole in memory.
    explicit JsonWriter(FILE* sink)
        : m_sink(sink)
    {}

    void beginArray();
    void endArray();
    void beginObject();
    void endObject();
    // The key of the next value in the current object.
    void key(QLatin1StringView name);

    void string(QStringView text);
    void string(const QString& text) { string(QStringView(text)); }
    void string(QLatin1StringView text);
    void string(const store::CompactText& text);
    // A string, or null when the text is empty.
    void stringOrNull(QStringView text);
    void stringOrNull(const QString& text) { stringOrNull(QStringView(text)); }
    void stringOrNull(const store::CompactText& text);
    void null();
    void boolean(bool value);
    void integer(qint64 value);
    void number(double value);

    // A writer of further members for the array this one has open, written on another thread
    // say; its take() goes back in with joinMembers(), in the order the members are to stand.
    JsonWriter memberWriter() const;
    void joinMembers(const QByteArray& members);

    // The document so far, ended with a line break once it is complete.
    QByteArray take();
    // Writes the rest to the sink.
    void flush();

private:
    // Room for `count` more bytes after those written, to be filled through the pointer and
    // handed back to wrote(): a value is written with one check of the room, not one a byte.
    char* room(qsizetype count);
    void wrote(const char* end) { m_size = end - m_out.constData(); }
    void append(QByteArrayView bytes);
    // Room for a value of at most `bytes` bytes, after the comma after a previous member and
    // the line the value starts; where the value goes.
    char* startValue(qsizetype bytes);
    template <typename Unit> void quoted(const Unit* units, qsizetype size);
    char* newline(char* out) const;
    qsizetype indent() const { return m_open.size() * 4; }
    void close(char bracket);
    void flushWhenLarge();

    FILE* m_sink = nullptr;
    // Written are the first m_size bytes; the rest is room.
    QByteArray m_out;
    qsizetype m_size = 0;
    // One entry per open array or object: whether it has a member yet.
    QList<bool> m_open;
    bool m_afterKey = false;
    // A listing writes the same few numbers (an alarm's offset) again and again, and Qt's
    // shortest form of a number is slow to find.
    double m_lastNumber = 0;
    QByteArray m_lastNumberText;
};
