#!/usr/bin/env python3
# Reads an iCalendar file with Debian's python3-icalendar and expands it with
# python3-recurring-ical-events over FROM..TO (yyyy-mm-dd): one line per occurrence, "date time summary",
# in local time, sorted. Exit status 3 when the readers are missing.
import sys, datetime
try:
    import icalendar, recurring_ical_events
except ImportError:
    sys.exit(3)
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
first = datetime.date.fromisoformat(sys.argv[2])
last = datetime.date.fromisoformat(sys.argv[3]) + datetime.timedelta(days=1)
# The file's own time zones: a client without a zone database of its own places lessons by these,
# so an occurrence whose offset they give otherwise than the zone's name is reported.
zones = {str(zone['TZID']): zone.to_tz() for zone in calendar.walk('VTIMEZONE')}
lines = []
for event in recurring_ical_events.of(calendar).between(first, last):
    start = event['DTSTART'].dt
    lines.append(f"{start:%Y-%m-%d %H:%M} {start.utcoffset()} {event['SUMMARY']}")
    tzid = event['DTSTART'].params.get('TZID')
    if tzid in zones:
        own = zones[tzid].localize(start.replace(tzinfo=None)).utcoffset()
        if own != start.utcoffset():
            lines.append(f"{start:%Y-%m-%d %H:%M} the file's own {tzid} gives {own}")
print("\n".join(sorted(lines)))
