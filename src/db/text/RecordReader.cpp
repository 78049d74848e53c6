#include "db/text/RecordReader.h"

#include "db/text/Bcd.h"
#include "db/text/TextBytes.h"

#include <algorithm>

namespace varnel {
namespace {

// More digits than any field of a record holds: such a text is no number.
constexpr std::size_t kMaxDigits = 18;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::optional<std::span<const std::uint8_t>> RecordReader::Claim(std::size_t count)
{
    if (m_failed || count > m_record.size() - m_position) {
        m_failed = true;
        return std::nullopt;
    }
    const std::span<const std::uint8_t> bytes = m_record.subspan(m_position, count);
    m_position += count;
    return bytes;
}

RecordReader RecordReader::Window(std::size_t count) const
{
    const std::span<const std::uint8_t> rest = Rest();
    return RecordReader(rest.first(std::min(count, rest.size())));
}

std::optional<std::int64_t> RecordReader::Decimal(std::size_t width)
{
    const std::string_view text = Text(width);
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    std::int64_t value = 0;
    for (std::size_t digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (digits == kMaxDigits) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::optional<std::int64_t> RecordReader::HexDigit()
{
    const std::string_view text = Text(1);
    if (text.empty()) return std::nullopt;
    const char c = text[0];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

std::string_view RecordReader::Text(std::size_t width)
{
    const auto bytes = Claim(width);
    if (!bytes) return {};
    return {reinterpret_cast<const char*>(bytes->data()), bytes->size()};
}

std::optional<std::uint8_t> RecordReader::Byte()
{
    const auto bytes = Claim(1);
    if (!bytes) return std::nullopt;
    return (*bytes)[0];
}

std::optional<std::uint32_t> RecordReader::Bcd(std::size_t digits)
{
    const auto bytes = Claim(BcdSize(digits));
    std::uint32_t value = 0;
    if (!bytes || !UnpackBcdLong(value, *bytes, digits)) return std::nullopt;
    return value;
}

std::optional<std::string> RecordReader::BcdText(std::size_t digits)
{
    const auto bytes = Claim(BcdSize(digits));
    if (!bytes) return std::nullopt;
    // Packed from the left: an odd count leaves the last nibble over.
    std::string text = UnpackBcdDigits(*bytes, BcdSize(digits) * 2);
    text.resize(digits);
    return text;
}

std::string_view RecordText(std::span<const std::uint8_t> record)
{
    return TextBeforeNul({reinterpret_cast<const char*>(record.data()), record.size()});
}

}  // namespace varnel
