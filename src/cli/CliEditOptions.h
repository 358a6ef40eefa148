#pragma once

#include "cli/CliEditRequest.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include <optional>

// The options only "show" and "edit" take, and reading "edit"'s request from the parsed
// command line. Edit also takes --list, --notes, --url, --priority, --due and --alarm, which
// it shares with "add" and which the command line's reader owns.
class CliEditOptions
{
public:
    CliEditOptions();

    // Every option here, to be added to the parser.
    QList<QCommandLineOption> all() const;
    // The same, to check that no option is given to a command it does not apply to.
    QList<const QCommandLineOption*> each() const;
    const QCommandLineOption& raw() const { return m_raw; }
    // This class's options "edit" takes.
    QList<const QCommandLineOption*> ofEdit() const;

    struct Shared
    {
        const QCommandLineOption& list;
        const QCommandLineOption& notes;
        const QCommandLineOption& url;
        const QCommandLineOption& priority;
        const QCommandLineOption& due;
        const QCommandLineOption& alarm;
    };
    // The changes asked for; nothing, with a message naming the option, when a value is out of
    // shape or two options contradict each other.
    struct Outcome
    {
        std::optional<CliEditRequest> request;
        QString error;
        int exitCode = 0; // 1 for a bad value, 2 for options that do not go together
    };
    Outcome read(const QCommandLineParser& parser, const Shared& shared) const;

private:
    QCommandLineOption m_raw;
    QCommandLineOption m_title;
    QCommandLineOption m_noDue;
    QCommandLineOption m_time;
    QCommandLineOption m_noTime;
    QCommandLineOption m_repeat;
    QCommandLineOption m_noRepeat;
    QCommandLineOption m_noAlarm;
};
