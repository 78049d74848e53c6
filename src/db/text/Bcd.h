// Packed BCD fields of the scales' records: two decimal digits a byte, the high digit in the high
// nibble. A field of n digits takes (n + 1) / 2 bytes and is right-aligned: the last digit stands in
// the low nibble of the last byte, and an odd n leaves the first high nibble 0. PackBcdText is the
// one exception: it fills from the left, so an odd n leaves the last low nibble 0.
// A field whose bytes are fewer than its digits need is refused (false, or "") and nothing is
// written or read outside the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

// The bytes a field of `digits` digits takes.
constexpr std::size_t BcdSize(std::size_t digits) { return (digits + 1) / 2; }

// Zeroes the field and puts the value's digits in from the right. False when digits is 0, when `out`
// is too small, or when higher digits of the value were lost (the lowest `digits` digits stand).
bool PackBcd(std::span<std::uint8_t> out, std::uint32_t value, std::size_t digits);
bool PackBcdShort(std::span<std::uint8_t> out, std::uint16_t value, std::size_t digits);

// Places the text (up to `digits` characters) right-aligned in `digits` positions, '0' before it and
// '0' for every character that is not a digit, then packs the positions two a byte from the first.
// False, writing nothing, when `out` is too small.
bool PackBcdText(std::span<std::uint8_t> out, std::string_view digitText, std::size_t digits);

// The field's digits as characters ('0' + nibble, so a nibble above 9 gives a character after '9').
std::string UnpackBcdDigits(std::span<const std::uint8_t> bcd, std::size_t digits);

// The field read as a decimal number up to its first nibble above 9. False, leaving `value` as it
// was, when no digit leads the field or the number does not fit the value's type.
bool UnpackBcdLong(std::uint32_t& value, std::span<const std::uint8_t> bcd, std::size_t digits);
bool UnpackBcdShort(std::uint16_t& value, std::span<const std::uint8_t> bcd, std::size_t digits);
bool UnpackBcdByte(std::uint8_t& value, std::span<const std::uint8_t> bcd, std::size_t digits);

}  // namespace varnel
