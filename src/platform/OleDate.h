// Dates as the framework stores them: a double counting days since 30 December 1899, the fraction
// being the time of day (negative values count back, with the fraction still added forwards).
// Texts use one fixed, locale-independent form: "%m/%d/%Y %H:%M:%S".
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// A date-time value as the framework keeps and archives it: the day count and whether it holds a date.
enum class DateTimeStatus : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };
struct COleDateTime {
    double value = 0.0;
    DateTimeStatus status = DateTimeStatus::Valid;
    bool operator==(const COleDateTime&) const = default;
};

struct DateTimeParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTimeParts&) const = default;
};

// Whole seconds, rounded to the nearest; nullopt outside the years 100 to 9999.
std::optional<DateTimeParts> OleDateToParts(double oleDate);
// Nullopt for an invalid calendar date or time.
std::optional<double> PartsToOleDate(const DateTimeParts& parts);

double TimePointToOleDate(std::chrono::system_clock::time_point time);  // in UTC
std::string FormatDateTime(const DateTimeParts& parts);                 // "%m/%d/%Y %H:%M:%S"
// Parses the form FormatDateTime writes; a date alone ("%m/%d/%Y") is midnight.
std::optional<DateTimeParts> ParseDateTime(std::string_view text);

}  // namespace varnel
