#include "platform/store/LibicalSetup.h"

#include <libical/ical.h>

#include <mutex>

namespace store::LibicalSetup {

void initialize()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Never abort the process on a malformed file, and keep unknown tokens as ordinary
        // properties instead of X-LIC-ERROR lines.
        icalerror_set_errors_are_fatal(0);
        ical_set_unknown_token_handling_setting(ICAL_ASSUME_IANA_TOKEN);
        // Zones come from the system's tz database. libical 3.0 names them
        // "/freeassociation.sourceforge.net/Europe/Berlin" whatever prefix is asked for (an
        // empty one falls back to that default), which khal and todoman refuse; so its TZIDs
        // and VTIMEZONEs are never written: ics::makeTimeZone writes plain IANA ones.
        icaltimezone_set_builtin_tzdata(0);
        set_zone_directory("/usr/share/zoneinfo");
        // Build the zone table now, on this thread, so that workers only ever read it, and
        // expand one zone so that libical's lazily set expansion range is set here too.
        // The zone expanded is one without daylight saving time: expanding one with it costs
        // more than a millisecond, at every start of the command line.
        icaltimezone_get_builtin_timezones();
        icaltimezone* utc = icaltimezone_get_utc_timezone();
        for (const char* name : {"Africa/Abidjan", "Europe/Berlin"}) {
            if (icaltimezone* zone = icaltimezone_get_builtin_timezone(name)) {
                icaltimetype probe = icaltime_from_string("20200101T120000");
                icaltimezone_convert_time(&probe, zone, utc);
                break;
            }
        }
    });
}

} // namespace store::LibicalSetup
