#include "platform/OleDate.h"

#include <cmath>
#include <cstdio>

namespace varnel {
namespace {

using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
constexpr double kSecondsPerDay = 86400.0;

bool ValidParts(const DateTimeParts& p)
{
    const year_month_day ymd{year{p.year}, month{static_cast<unsigned>(p.month)}, day{static_cast<unsigned>(p.day)}};
    return p.year >= 100 && p.year <= 9999 && ymd.ok() && p.hour >= 0 && p.hour < 24 && p.minute >= 0 &&
           p.minute < 60 && p.second >= 0 && p.second < 60;
}

}  // namespace

std::optional<DateTimeParts> OleDateToParts(double oleDate)
{
    if (!std::isfinite(oleDate) || oleDate < -657435.0 || oleDate > 2958466.0) return std::nullopt;
    // Before the epoch the whole days count back but the fraction still counts forward in the day.
    double wholeDays = std::trunc(oleDate);
    double fraction = std::fabs(oleDate - wholeDays);
    long long seconds = std::llround(fraction * kSecondsPerDay);
    if (seconds >= 86400) {
        seconds -= 86400;
        wholeDays += oleDate < 0 ? -1 : 1;
    }
    const sys_days date = kEpoch + days{static_cast<long long>(wholeDays)};
    const year_month_day ymd{date};
    DateTimeParts parts;
    parts.year = static_cast<int>(ymd.year());
    parts.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    if (!ValidParts(parts)) return std::nullopt;
    return parts;
}

std::optional<double> PartsToOleDate(const DateTimeParts& parts)
{
    if (!ValidParts(parts)) return std::nullopt;
    const sys_days date{year{parts.year} / month{static_cast<unsigned>(parts.month)} /
                        day{static_cast<unsigned>(parts.day)}};
    const double wholeDays = static_cast<double>((date - kEpoch).count());
    const double fraction = (parts.hour * 3600 + parts.minute * 60 + parts.second) / kSecondsPerDay;
    return wholeDays >= 0 ? wholeDays + fraction : wholeDays - fraction;
}

double TimePointToOleDate(system_clock::time_point time)
{
    const auto sinceEpoch = duration_cast<milliseconds>(time - time_point_cast<milliseconds>(kEpoch));
    return static_cast<double>(sinceEpoch.count()) / (kSecondsPerDay * 1000.0);
}

std::string FormatDateTime(const DateTimeParts& p)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", p.month, p.day, p.year, p.hour, p.minute,
                  p.second);
    return text;
}

std::optional<DateTimeParts> ParseDateTime(std::string_view text)
{
    const std::string copy(text);
    DateTimeParts p;
    p.hour = p.minute = p.second = 0;
    char tail = 0;
    const int n = std::sscanf(copy.c_str(), "%d/%d/%d %d:%d:%d%c", &p.month, &p.day, &p.year, &p.hour, &p.minute,
                              &p.second, &tail);
    if (n != 3 && n != 6) return std::nullopt;
    if (!ValidParts(p)) return std::nullopt;
    return p;
}

}  // namespace varnel
