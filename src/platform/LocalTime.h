// Local wall time: logs and file dates show the date and time of the machine's own time zone.
#pragma once

#include "platform/OleDate.h"

#include <chrono>

namespace varnel {

// The local date and time of an instant, to the whole second.
DateTimeParts ToLocalParts(std::chrono::system_clock::time_point time);

// The instant a local date and time names; when a clock change repeats the hour, the earlier one.
std::chrono::system_clock::time_point FromLocalParts(const DateTimeParts& parts);

// The local date and time of an instant as the framework's day count, for date arithmetic on log dates.
double ToLocalOleDate(std::chrono::system_clock::time_point time);

}  // namespace varnel
