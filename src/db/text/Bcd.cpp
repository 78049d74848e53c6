// Packing and unpacking of BCD fields.
#include "db/text/Bcd.h"

#include "db/text/TextBytes.h"

#include <algorithm>
#include <charconv>

namespace varnel {
namespace {

// Digits are counted from the field's last one: digit 0 is the low nibble of the last byte.
void PutDigit(std::span<std::uint8_t> field, std::size_t fromRight, std::uint8_t digit)
{
    std::uint8_t& byte = field[field.size() - 1 - fromRight / 2];
    byte = static_cast<std::uint8_t>(fromRight % 2 == 0 ? (byte & 0xF0) | digit : (byte & 0x0F) | (digit << 4));
}

std::uint8_t GetDigit(std::span<const std::uint8_t> field, std::size_t fromRight)
{
    const std::uint8_t byte = field[field.size() - 1 - fromRight / 2];
    return static_cast<std::uint8_t>(fromRight % 2 == 0 ? byte & 0x0F : byte >> 4);
}

template <class T>
bool UnpackNumber(T& value, std::span<const std::uint8_t> bcd, std::size_t digits)
{
    const std::string text = UnpackBcdDigits(bcd, digits);
    T number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{}) return false;
    value = number;
    return true;
}

}  // namespace

bool PackBcd(std::span<std::uint8_t> out, std::uint32_t value, std::size_t digits)
{
    if (digits == 0 || out.size() < BcdSize(digits)) return false;
    const std::span<std::uint8_t> field = out.first(BcdSize(digits));
    std::ranges::fill(field, std::uint8_t{0});
    for (std::size_t placed = 0; placed < digits && value != 0; ++placed, value /= 10) {
        PutDigit(field, placed, static_cast<std::uint8_t>(value % 10));
    }
    return value == 0;
}

bool PackBcdShort(std::span<std::uint8_t> out, std::uint16_t value, std::size_t digits)
{
    return PackBcd(out, value, digits);
}

bool PackBcdText(std::span<std::uint8_t> out, std::string_view digitText, std::size_t digits)
{
    if (out.size() < BcdSize(digits)) return false;
    const std::string_view text = TextBeforeNul(digitText).substr(0, digits);
    std::string positions(digits - text.size(), '0');
    positions.append(text);
    std::ranges::fill(out.first(BcdSize(digits)), std::uint8_t{0});
    for (std::size_t i = 0; i < digits; ++i) {
        const char c = positions[i];
        const auto digit = static_cast<std::uint8_t>(c >= '0' && c <= '9' ? c - '0' : 0);
        out[i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? digit << 4 : digit);
    }
    return true;
}

std::string UnpackBcdDigits(std::span<const std::uint8_t> bcd, std::size_t digits)
{
    if (bcd.size() < BcdSize(digits)) return {};
    const std::span<const std::uint8_t> field = bcd.first(BcdSize(digits));
    std::string text(digits, '0');
    for (std::size_t fromRight = 0; fromRight < digits; ++fromRight) {
        text[digits - 1 - fromRight] = static_cast<char>('0' + GetDigit(field, fromRight));
    }
    return text;
}

bool UnpackBcdLong(std::uint32_t& value, std::span<const std::uint8_t> bcd, std::size_t digits)
{
    return UnpackNumber(value, bcd, digits);
}

bool UnpackBcdShort(std::uint16_t& value, std::span<const std::uint8_t> bcd, std::size_t digits)
{
    return UnpackNumber(value, bcd, digits);
}

bool UnpackBcdByte(std::uint8_t& value, std::span<const std::uint8_t> bcd, std::size_t digits)
{
    return UnpackNumber(value, bcd, digits);
}

}  // namespace varnel
