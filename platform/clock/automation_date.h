// The platform's automation date: days since 1899-12-30 00:00 as a 64-bit float, the time of
// day as the fraction.
#pragma once

namespace platform {

// The automation date of a local civil date and time of day (proleptic Gregorian calendar).
double AutomationDate(int year, int month, int day, int hour, int minute, int second);

}  // namespace platform
