#!/usr/bin/env python3
"""The instances python-dateutil gives for recurrence rules, as a reference for the
recurrence expander's differential test (tst_recurrencevsdateutil).

Reads one request per line on standard input:
    ID DTSTART RRULE FROM LIMIT
with DTSTART and FROM as naive YYYYMMDDTHHMMSS, and writes one line per request:
    ID INSTANCE...
the rule's instances at or after FROM, at most LIMIT of them, in the same form. Every rule
must carry an UNTIL. A rule that dateutil finds empty gives no instances; one it refuses
otherwise gives "ID ERROR message", and one it is still searching after a second "ID SLOW".
"""

import datetime
import re
import signal
import sys

from dateutil.rrule import rrulestr

FORMAT = "%Y%m%dT%H%M%S"
UNTIL = re.compile(r"UNTIL=(\d{4})")
SECONDS_PER_RULE = 1.0


class Slow(Exception):
    pass


def give_up(_signal, _frame):
    raise Slow()


def answer(line):
    request_id, dtstart, rule, start_at, limit = line.split()
    start = datetime.datetime.strptime(dtstart, FORMAT)
    since = datetime.datetime.strptime(start_at, FORMAT)
    # dateutil tests UNTIL only on the dates a rule yields: a rule that yields nothing is
    # walked to the year 9999. Its year limit, read from the datetime module as it goes, is
    # lowered to the year after UNTIL for the time of the request.
    saved = datetime.MAXYEAR
    datetime.MAXYEAR = int(UNTIL.search(rule).group(1)) + 1
    signal.setitimer(signal.ITIMER_REAL, SECONDS_PER_RULE)
    try:
        instances = []
        for instance in rrulestr(rule, dtstart=start):
            if instance >= since:
                instances.append(instance.strftime(FORMAT))
                if len(instances) >= int(limit):
                    break
        return " ".join([request_id] + instances)
    except ValueError as error:
        if "empty" in str(error):
            return request_id
        return f"{request_id} ERROR {error}".replace("\n", " ")
    except Slow:
        return f"{request_id} SLOW"
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        datetime.MAXYEAR = saved


def main():
    signal.signal(signal.SIGALRM, give_up)
    for line in sys.stdin:
        if line.strip():
            print(answer(line.strip()), flush=False)
    sys.stdout.flush()


if __name__ == "__main__":
    main()
