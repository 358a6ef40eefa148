#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

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

    void string(const QString& text);
    // A string, or null when the text is empty.
    void stringOrNull(const QString& text);
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
    void beforeValue();
    void newline();
    void close(char bracket);
    void flushWhenLarge();

    FILE* m_sink = nullptr;
    QByteArray m_out;
    // One entry per open array or object: whether it has a member yet.
    QList<bool> m_open;
    bool m_afterKey = false;
};
