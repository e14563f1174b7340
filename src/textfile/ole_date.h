#pragma once
// OLE Automation dates (DATE): a count of days since 30 December 1899 whose
// fraction is the time of day.

namespace oledate {

// The date of a calendar day, with no time part.
double DateSerial(int year, int month, int day);
// The time of day, with no date part.
double TimeSerial(int hour, int minute, int second);

}  // namespace oledate
