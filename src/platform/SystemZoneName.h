#pragma once

#include <QByteArray>
#include <QString>

// Local times become instants through the C library, which looks at /etc/localtime again on
// every conversion while TZ is unset: one stat per conversion, about a second of system time
// for the creation and completion dates of a hundred thousand tasks. Naming the system's zone
// in TZ gives the C library the same rules from the same file without looking again.
//
// The zone is named only when nothing can change by it: /etc/localtime is a link into the zone
// database and the zone it links to is the one Qt reports for the system. A program that named
// the zone no longer follows a change of the system's zone while it runs; it does on its next
// start.
namespace SystemZoneName {

// The zone TZ can name: the path below `zoneDirectory` that `localtimeLink` links to, when
// that is `systemZoneId`; empty when the link is no link, points elsewhere, or names another
// zone.
QByteArray nameable(const QString& localtimeLink, const QString& zoneDirectory,
                    const QByteArray& systemZoneId);

// Names the system's zone in TZ when TZ is unset and the zone can be named. Call before any
// thread starts: the environment is not safe to change while another thread reads it.
void nameInEnvironment();

} // namespace SystemZoneName
