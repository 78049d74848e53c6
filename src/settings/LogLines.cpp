#include "settings/LogLines.h"

#include "platform/LocalTime.h"
#include "platform/OleDate.h"

namespace varnel {
namespace {

constexpr std::size_t kMaxDateField = 48;
constexpr std::size_t kMinDateLength = 5;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string LogDateText(const IClock& clock) { return FormatDateTime(ToLocalParts(clock.WallNow())); }

double LogNow(const IClock& clock) { return ToLocalOleDate(clock.WallNow()); }

LineDate ReadLineDate(std::string_view line, std::string_view separators)
{
    const std::string_view head = line.substr(0, kMaxDateField + 1);
    const std::size_t end = head.find_first_of(separators);
    if (end == std::string_view::npos || end < kMinDateLength) return {};
    for (std::size_t i = 0; i < end; ++i)
        if (IsLineEnd(head[i])) return {};
    if (end + 1 >= line.size() || IsLineEnd(line[end + 1])) return {};
    const auto parts = ParseDateTime(line.substr(0, end));
    if (!parts) return {LineDateKind::Unreadable};
    const auto date = PartsToOleDate(*parts);
    if (!date) return {LineDateKind::Unreadable};
    return {LineDateKind::Dated, *date};
}

std::vector<std::string_view> SplitLogLines(std::string_view log)
{
    std::vector<std::string_view> lines;
    while (!log.empty()) {
        const std::size_t feed = log.find('\n');
        const std::size_t length = feed == std::string_view::npos ? log.size() : feed + 1;
        lines.push_back(log.substr(0, length));
        log.remove_prefix(length);
    }
    return lines;
}

}  // namespace varnel
