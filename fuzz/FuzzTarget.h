#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <memory>

// One entry point the fuzzers feed: it takes any bytes, runs them through the code the
// application runs on such input, and checks what must hold whatever the input was. The
// libFuzzer harnesses and the suite that replays every input that once failed both call it, so
// the two cannot drift apart.
class FuzzTarget
{
public:
    virtual ~FuzzTarget() = default;

    // What did not hold for this input, one sentence each; empty when everything held. Crashes
    // and hangs are not caught here: the sanitizers and the fuzzer's timeout see those.
    virtual QStringList run(QByteArrayView input) = 0;

    // The target of that name (see names()); null for an unknown name. Targets that keep files
    // work below `workFolder`, which must exist and outlive them.
    static std::unique_ptr<FuzzTarget> create(const QString& name, const QString& workFolder);
    // "ics", "recurrence", "urlcommand", "smartadd", "preferences", "vcard", "geocoder",
    // "tilecache", "peerconfig", "parsecache", "syncoutput", "accounts", "syncedprefs": also
    // the folder names of their regression inputs.
    static QStringList names();
};
