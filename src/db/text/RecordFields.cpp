#include "db/text/RecordFields.h"

#include "db/text/Bcd.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace varnel {
namespace {

// The largest value that `width` decimal digits hold, by width; widths of 19 and more hold any int64.
constexpr auto kLargestOfWidth = [] {
    std::array<std::uint64_t, 20> largest{};
    for (std::size_t width = 1; width < largest.size(); ++width) largest[width] = largest[width - 1] * 10 + 9;
    return largest;
}();

bool FitsWidth(std::int64_t value, std::size_t width)
{
    return value >= 0 && width > 0 &&
           static_cast<std::uint64_t>(value) <= kLargestOfWidth[std::min(width, kLargestOfWidth.size() - 1)];
}

thread_local std::vector<TracedField>* t_trace = nullptr;

}  // namespace

RecordFieldTrace::RecordFieldTrace(std::vector<TracedField>& into) : m_previous(t_trace) { t_trace = &into; }

RecordFieldTrace::~RecordFieldTrace() { t_trace = m_previous; }

RecordFields::RecordFields(std::span<std::uint8_t> out) : m_out(out), m_trace(t_trace) {}

std::span<std::uint8_t> RecordFields::Claim(std::size_t count, std::string_view field)
{
    if (!Ok()) return {};
    if (count > m_out.size() - m_position) {
        m_full = true;
        return {};
    }
    if (m_trace) m_trace->push_back({m_position, count, field});
    const std::span<std::uint8_t> bytes = m_out.subspan(m_position, count);
    m_position += count;
    return bytes;
}

void RecordFields::Refuse(std::string_view field)
{
    if (!Ok()) return;
    m_refused = true;
    m_refusedField = field;
}

void RecordFields::PutDigits(std::uint64_t value, std::span<std::uint8_t> field)
{
    // The value fits the field (FitsWidth), so its digits never pass the field's width.
    std::array<char, 20> digits;
    const auto length = static_cast<std::size_t>(std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr - digits.data());
    const std::size_t padding = field.size() - std::min(length, field.size());
    std::fill_n(field.begin(), padding, static_cast<std::uint8_t>('0'));
    std::copy_n(digits.begin(), field.size() - padding, field.begin() + static_cast<std::ptrdiff_t>(padding));
}

void RecordFields::Text(std::string_view text, std::string_view field)
{
    const std::span<std::uint8_t> bytes = Claim(text.size(), field);
    if (!bytes.empty()) std::copy(text.begin(), text.end(), bytes.begin());
}

void RecordFields::Byte(std::uint8_t byte)
{
    const std::span<std::uint8_t> field = Claim(1);
    if (!field.empty()) field[0] = byte;
}

void RecordFields::ZeroBytes(std::size_t count)
{
    const std::span<std::uint8_t> field = Claim(count);
    std::ranges::fill(field, std::uint8_t{0});
}

void RecordFields::Decimal(std::string_view field, std::int64_t value, std::size_t width)
{
    if (!FitsWidth(value, width)) return Refuse(field);
    const std::span<std::uint8_t> bytes = Claim(width, field);
    if (!bytes.empty()) PutDigits(static_cast<std::uint64_t>(value), bytes);
}

void RecordFields::HexDigit(std::string_view field, std::int64_t value, bool upperCase)
{
    if (value < 0 || value > 15) return Refuse(field);
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    const std::span<std::uint8_t> bytes = Claim(1, field);
    if (!bytes.empty()) bytes[0] = static_cast<std::uint8_t>(digits[value]);
}

void RecordFields::RightAligned(std::string_view field, std::string_view text, std::size_t width)
{
    if (text.size() > width) return Refuse(field);
    const std::span<std::uint8_t> bytes = Claim(width, field);
    if (bytes.empty()) return;
    const std::size_t fill = width - text.size();
    std::fill_n(bytes.begin(), fill, static_cast<std::uint8_t>('0'));
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(fill));
}

void RecordFields::BlankPadded(std::string_view field, std::int64_t value, std::size_t width)
{
    if (!FitsWidth(value, width)) return Refuse(field);
    const std::span<std::uint8_t> bytes = Claim(width, field);
    if (bytes.empty()) return;
    PutDigits(static_cast<std::uint64_t>(value), bytes);
    for (std::size_t i = 0; i + 1 < bytes.size() && bytes[i] == '0'; ++i) bytes[i] = ' ';
}

void RecordFields::BlankAligned(std::string_view field, std::string_view text, std::size_t width)
{
    const std::string_view cut = text.substr(0, std::min(text.size(), width));
    const std::span<std::uint8_t> bytes = Claim(width, field);
    if (bytes.empty()) return;
    const std::size_t fill = width - cut.size();
    std::fill_n(bytes.begin(), fill, static_cast<std::uint8_t>(' '));
    std::copy(cut.begin(), cut.end(), bytes.begin() + static_cast<std::ptrdiff_t>(fill));
}

void RecordFields::Bcd(std::string_view field, std::int64_t value, std::size_t digits)
{
    if (!FitsWidth(value, digits) || value > 0xFFFFFFFF) return Refuse(field);
    const std::span<std::uint8_t> bytes = Claim(BcdSize(digits), field);
    if (!bytes.empty()) static_cast<void>(PackBcd(bytes, static_cast<std::uint32_t>(value), digits));
}

void RecordFields::BcdText(std::string_view field, std::string_view text, std::size_t digits)
{
    const std::span<std::uint8_t> bytes = Claim(BcdSize(digits), field);
    if (!bytes.empty()) static_cast<void>(PackBcdText(bytes, text, digits));
}

void RecordFields::CsvNumber(std::int64_t value)
{
    std::array<char, 24> digits;
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size() - 1, value).ptr;
    *end = ',';
    Text(std::string_view(digits.data(), static_cast<std::size_t>(end + 1 - digits.data())));
}

void RecordFields::CsvText(std::string_view text)
{
    Text(text);
    Text(",");
}

void RecordFields::CsvEmpty(std::size_t count)
{
    const std::span<std::uint8_t> bytes = Claim(count);
    std::ranges::fill(bytes, static_cast<std::uint8_t>(','));
}

void RecordFields::Advance(std::size_t count) { static_cast<void>(Claim(count, "text")); }

void RecordFields::MoveBackTo(std::size_t position) { m_position = std::min(position, m_position); }

}  // namespace varnel
