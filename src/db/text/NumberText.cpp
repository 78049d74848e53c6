// Number texts.
#include "db/text/NumberText.h"

#include "db/text/TextBytes.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace varnel {
namespace {

// The text read as a decimal number the way the C library's atof reads it: leading blanks, a sign,
// digits with an optional point; 0 when it holds no number.
double ReadDecimal(std::string_view text)
{
    text = TextBeforeNul(text);
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) return 0;
    text.remove_prefix(start);
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return value;
}

}  // namespace

std::size_t CountDigits(std::uint32_t value)
{
    std::size_t count = 0;
    for (; value != 0; value /= 10) ++count;
    return count;
}

std::string PadLeft(std::string_view text, char fill, std::size_t width)
{
    text = TextBeforeNul(text);
    if (text.size() >= width) return std::string(text.substr(text.size() - width));
    return std::string(width - text.size(), fill) + std::string(text);
}

std::string FormatLongPadded(std::int64_t value, char fill, std::size_t width)
{
    return PadLeft(std::to_string(value), fill, width);
}

std::string InsertDecimalPoint(std::string_view digits, std::size_t decimals)
{
    std::string text(TextBeforeNul(digits));
    if (decimals == 0) return text;
    if (text.size() < decimals + 1) text.insert(0, decimals + 1 - text.size(), '0');
    text.insert(text.size() - decimals, 1, '.');
    return text;
}

bool AddNumericStrings(std::string& a, std::string_view b, std::size_t n)
{
    double total = std::round(ReadDecimal(a) + ReadDecimal(b));
    if (total == 0) total = 0;  // no "-0"
    char sum[400];              // room for any double written without exponent
    const int length = std::snprintf(sum, sizeof sum, "%.0f", total);
    if (length < 0 || static_cast<std::size_t>(length) > n) return false;
    a.assign(sum, static_cast<std::size_t>(length));
    return true;
}

std::size_t FormatPluNumber(std::uint32_t number, std::uint32_t maxPluNo, std::string& out)
{
    std::size_t width = CountDigits(maxPluNo);
    if (width < 4 || width > 7) width = 8;
    const std::string digits = std::to_string(number);
    // A number wider than the width is written whole, never cut.
    out = std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits + "  ";
    return width;
}

}  // namespace varnel
