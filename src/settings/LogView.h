// What the event log viewer shows: the dated lines of a range and a content, each with the undated
// lines that belong to it (continuations, copied link logs).
#pragma once

#include <string>
#include <string_view>

namespace varnel {

// Whether a line whose tag (the byte after its "|") is `tag` belongs to `content` (LogContent).
bool IsTagInContent(char tag, int content);

// The runs of `log` whose dated line has a tag of `content` and a date from `from` to `to`
// (inclusive, local day counts); lines before the first dated line belong to no run.
std::string SelectLogLines(std::string_view log, double from, double to, int content);

// 00:00:00 and 23:59:59 of the day of a local day count.
double DayStart(double date);
double DayEnd(double date);

}  // namespace varnel
