// Dates in log lines. Every log line that carries a date opens with the local date and time in the
// one fixed form "%m/%d/%Y %H:%M:%S", followed by a separator ("|" in the event log, a tab or "|" in
// the custom and status logs). Trims and the viewer read the date back the same way.
#pragma once

#include "platform/Clock.h"

#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The date and time a new log line begins with.
std::string LogDateText(const IClock& clock);
// Now as a local day count, against which the dates of log lines are compared.
double LogNow(const IClock& clock);

enum class LineDateKind {
    Undated,     // no date field: a continuation of the dated line before it, or a header
    Unreadable,  // a date field that does not parse; such a line is never dropped by a trim
    Dated
};

struct LineDate {
    LineDateKind kind = LineDateKind::Undated;
    double date = 0.0;  // local day count, when Dated
};

// The date field of a line is the text before the first of `separators` within the line's first
// 48 bytes, when it is longer than 4 characters and more text follows the separator on the line.
LineDate ReadLineDate(std::string_view line, std::string_view separators);

// The lines of a log, each with its line feed (the last one without, when the log does not end in one).
std::vector<std::string_view> SplitLogLines(std::string_view log);

}  // namespace varnel
