#include "settings/LogView.h"

#include "platform/OleDate.h"
#include "settings/AppEventLog.h"
#include "settings/LogLines.h"

namespace varnel {
namespace {

double AtTimeOfDay(double date, int hour, int minute, int second)
{
    auto parts = OleDateToParts(date);
    if (!parts) return date;
    parts->hour = hour;
    parts->minute = minute;
    parts->second = second;
    return PartsToOleDate(*parts).value_or(date);
}

}  // namespace

bool IsTagInContent(char tag, int content)
{
    switch (content) {
    case LogContentAll: return true;
    case LogContentGeneral: return tag == 'G';
    case LogContentUserEdits: return tag == 'A' || tag == 'U' || tag == 'D' || tag == 'P';
    case LogContentImports: return tag == 'I';
    case LogContentPriceChanges: return tag == 'P';
    default: return false;
    }
}

std::string SelectLogLines(std::string_view log, double from, double to, int content)
{
    std::string selected;
    bool inAcceptedRun = false;
    for (const std::string_view line : SplitLogLines(log)) {
        const LineDate date = ReadLineDate(line, "|");
        if (date.kind == LineDateKind::Dated) {
            const char tag = line[line.find('|') + 1];
            inAcceptedRun = IsTagInContent(tag, content) && from <= date.date && date.date <= to;
        }
        if (inAcceptedRun) selected += line;
    }
    return selected;
}

double DayStart(double date) { return AtTimeOfDay(date, 0, 0, 0); }

double DayEnd(double date) { return AtTimeOfDay(date, 23, 59, 59); }

}  // namespace varnel
