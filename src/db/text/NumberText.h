// Numbers as the texts of records, reports and lists: zero-padded and fixed-width numbers, digit
// strings with a decimal point, sums of digit strings, PLU numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// The number of decimal digits of the value; 0 for 0.
std::size_t CountDigits(std::uint32_t value);

// Shorter than `width`: filled on the left with `fill` to the width; otherwise its rightmost
// `width` bytes.
std::string PadLeft(std::string_view text, char fill, std::size_t width);

// The value in decimal, then PadLeft.
std::string FormatLongPadded(std::int64_t value, char fill, std::size_t width);

// The digits with '.' before the last `decimals` of them, a "0" and zeros being added in front
// when there are not enough ("5" with 2 decimals gives "0.05"); a plain copy for 0 decimals.
std::string InsertDecimalPoint(std::string_view digits, std::size_t decimals);

// Sets `a` to the sum of both texts read as decimal numbers, rounded to a whole number and written
// without a point. False, leaving `a` as it was, when the sum needs more than `n` characters.
bool AddNumericStrings(std::string& a, std::string_view b, std::size_t n);

// The PLU number zero-padded to the digit count of `maxPluNo` (the general setup's "Max. PLU No.") and followed
// by two blanks; counts of 4 to 7 digits are used as they are, any other count gives 8. Returns
// the padded width.
std::size_t FormatPluNumber(std::uint32_t number, std::uint32_t maxPluNo, std::string& out);

}  // namespace varnel
