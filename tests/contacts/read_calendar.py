"""A second, independent reader of an exported calendar: one line per event,
UID|SUMMARY|DTSTART|RRULE|TRANSP|TRIGGER (of its one alarm, empty without), in the file's order."""
import sys

import icalendar

with open(sys.argv[1], "rb") as calendar_file:
    calendar = icalendar.Calendar.from_ical(calendar_file.read())
for event in calendar.walk("VEVENT"):
    rule = event.get("RRULE").to_ical().decode()
    alarms = event.walk("VALARM")
    trigger = alarms[0].get("TRIGGER").to_ical().decode() if alarms else ""
    print("|".join([str(event["UID"]), str(event["SUMMARY"]), event.decoded("DTSTART").isoformat(), rule,
                    str(event["TRANSP"]), trigger]))
