// Local time through the C library's time-zone rules.
#include "platform/LocalTime.h"

#include <ctime>

namespace varnel {

DateTimeParts ToLocalParts(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return DateTimeParts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::chrono::system_clock::time_point FromLocalParts(const DateTimeParts& parts)
{
    std::tm local{};
    local.tm_year = parts.year - 1900;
    local.tm_mon = parts.month - 1;
    local.tm_mday = parts.day;
    local.tm_hour = parts.hour;
    local.tm_min = parts.minute;
    local.tm_sec = parts.second;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

double ToLocalOleDate(std::chrono::system_clock::time_point time)
{
    // Every valid local time converts; the fallback only keeps the type total.
    return PartsToOleDate(ToLocalParts(time)).value_or(0.0);
}

}  // namespace varnel
