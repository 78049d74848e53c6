// Prices typed by users and read from host files: "$12.50", " 1250", "-3.5".
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

// Reads a price as a count of its smallest unit. Leading blanks and '$' are skipped; digits follow;
// when `decimals` > 0 and `decimalChar` is not 0, that character may follow with up to `decimals`
// digits (further digits are dropped, fewer are padded with zeros); only blanks may come after. A
// text without the decimal character is already in the smallest unit: with 2 decimals "125",
// "1.25" and "1.257" all give 125 and "1.2" gives 120. False, leaving `value` as it was, when the
// text holds no digit, anything else, or a number too large for the value.
bool ParsePrice(std::string_view text, unsigned decimals, char decimalChar, std::int32_t& value);

// The same, with '-' also allowed among the leading blanks and '$'; a '-' there negates the price.
bool ParseSignedPrice(std::string_view text, unsigned decimals, char decimalChar, std::int32_t& value);

}  // namespace varnel
