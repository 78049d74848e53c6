// Writing and reading comma-separated fields.
#include "db/text/CsvFields.h"

#include "db/text/DbcsString.h"
#include "db/text/DoubleByteText.h"
#include "db/text/TextBytes.h"

#include <limits>
#include <optional>
#include <type_traits>

namespace varnel {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

std::string_view TextAt(std::span<const char> buffer, std::size_t position)
{
    return TextFrom(std::string_view(buffer.data(), buffer.size()), position);
}

void TerminateAt(std::span<char> buffer, std::size_t at)
{
    if (at < buffer.size()) buffer[at] = '\0';
}

// The offset just past the comma at or after `from`; the text's length when there is none.
std::size_t PastComma(std::string_view text, std::size_t from)
{
    const std::size_t comma = text.find(',', from);
    return comma == kNone ? text.size() : comma + 1;
}

// The offset of the double quote that closes `quoted` (the text after the opening quote), walking
// whole characters and passing over doubled quotes; where the text ends when nothing closes it.
std::size_t ClosingQuote(std::string_view quoted, const CharRule& chars)
{
    std::size_t at = 0;
    for (std::size_t next = NextChar(quoted, 0, chars); next != at; next = NextChar(quoted, at, chars)) {
        if (quoted[at] == '"') {
            if (next >= quoted.size() || quoted[next] != '"') return at;
            ++next;
        }
        at = next;
    }
    return at;
}

// The quoted text (up to its closing quote) with each doubled quote made one, cut to whole
// characters within `maximum` bytes.
std::string Unquote(std::string_view quotedText, std::size_t maximum, const CharRule& chars)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t next = NextChar(quotedText, 0, chars); next != at; next = NextChar(quotedText, at, chars)) {
        if (out.size() + (next - at) > maximum) break;
        out.append(quotedText.substr(at, next - at));
        if (quotedText[at] == '"') ++next;  // the second quote of a doubled pair
        at = next;
    }
    return out;
}

// A quoted field whose opening quote stands at `quote` of `text`: the offset of its closing quote
// and the offset after the field's comma.
struct QuotedField {
    std::string_view content;  // between the quotes, doubled quotes kept
    std::size_t closing;       // offset of the closing quote in the text (or the text's end)
    std::size_t next;          // offset after the field's comma
};

QuotedField ReadQuoted(std::string_view text, std::size_t quote, const CharRule& chars)
{
    const std::string_view quoted = text.substr(quote + 1);
    const std::size_t closing = quote + 1 + ClosingQuote(quoted, chars);
    return {text.substr(quote + 1, closing - quote - 1), closing, PastComma(text, closing + 1)};
}

// In place: terminates the field up to its comma and reads it as a decimal integer.
std::optional<std::int64_t> ReadIntegerInPlace(std::span<char> buffer, std::size_t& position)
{
    const std::string_view text = TextAt(buffer, position);
    const std::size_t end = text.find(',');
    const std::string_view field = text.substr(0, end);
    const std::size_t next = PastComma(text, 0);
    if (end != kNone) TerminateAt(buffer, position + end);
    position += next;

    std::size_t at = field.find_first_not_of(" \t\n\v\f\r");
    if (at == kNone) return std::nullopt;
    const bool negative = field[at] == '-';
    if (field[at] == '-' || field[at] == '+') ++at;
    constexpr std::int64_t kBeyondAnyWidth = std::int64_t{1} << 33;
    std::int64_t number = 0;
    const std::size_t firstDigit = at;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        number = number * 10 + (field[at] - '0');
        if (number >= kBeyondAnyWidth) return std::nullopt;
    }
    if (at == firstDigit) return std::nullopt;
    return negative ? -number : number;
}

template <class Unsigned>
bool ReadUnsignedInPlace(std::span<char> buffer, std::size_t& position, Unsigned& value)
{
    using Signed = std::make_signed_t<Unsigned>;
    const std::optional<std::int64_t> number = ReadIntegerInPlace(buffer, position);
    if (!number || *number < std::numeric_limits<Signed>::min() || *number > std::numeric_limits<Unsigned>::max()) {
        return false;
    }
    value = static_cast<Unsigned>(*number);
    return true;
}

}  // namespace

void CsvAppendInt(std::string& buffer, std::size_t& position, std::int64_t value)
{
    WriteAtPosition(buffer, position, std::to_string(value) + ',');
}

void CsvAppendText(std::string& buffer, std::size_t& position, std::string_view text)
{
    WriteAtPosition(buffer, position, std::string(TextBeforeNul(text)) + ',');
}

void CsvAppendQuoted(std::string& buffer, std::size_t& position, std::string_view text, const CharRule& chars)
{
    text = TextBeforeNul(text);
    std::string quoted = "\"";
    for (std::size_t at = 0, next = NextChar(text, 0, chars); next != at; at = next, next = NextChar(text, at, chars)) {
        const std::string_view character = text.substr(at, next - at);
        quoted.append(character);
        if (character == "\"") quoted += '"';
    }
    quoted += "\",";
    WriteAtPosition(buffer, position, quoted);
}

void CsvAppendComma(std::string& buffer, std::size_t& position) { WriteAtPosition(buffer, position, ","); }

int CsvReadText(std::span<char> buffer, std::size_t& position, std::size_t maximum, std::string& out,
                const CharRule& chars)
{
    const std::string_view text = TextAt(buffer, position);
    const std::size_t stop = text.substr(0, maximum).find_first_of(",\"");
    if (stop != kNone && text[stop] == '"') {
        const QuotedField field = ReadQuoted(text, stop, chars);
        out = Unquote(field.content, maximum, chars);
        position += field.next;
        return 1;
    }
    std::size_t end = stop;
    if (end == kNone) end = text.size() <= maximum ? text.size() : DbcsLeft(text, maximum, chars).size();
    out = text.substr(0, end);
    const std::size_t next = PastComma(text, end);
    TerminateAt(buffer, position + end);
    position += next;
    return 0;
}

void CsvReadField(std::string_view buffer, std::size_t& position, std::size_t maximum, std::string& out,
                  const CharRule& chars)
{
    const std::string_view text = TextFrom(buffer, position);
    out = DbcsLeft(text.substr(0, text.find(',')), maximum, chars);
    position += PastComma(text, 0);
}

bool CsvReadInt(std::span<char> buffer, std::size_t& position, std::uint32_t& value)
{
    return ReadUnsignedInPlace(buffer, position, value);
}

bool CsvReadShort(std::span<char> buffer, std::size_t& position, std::uint16_t& value)
{
    return ReadUnsignedInPlace(buffer, position, value);
}

bool CsvReadByte(std::span<char> buffer, std::size_t& position, std::uint8_t& value)
{
    return ReadUnsignedInPlace(buffer, position, value);
}

std::string_view CsvNextFieldInPlace(std::span<char> buffer, std::size_t& position, const CharRule& chars)
{
    const std::string_view text = TextAt(buffer, position);
    const std::size_t stop = text.find_first_of(",\"");
    if (stop != kNone && text[stop] == '"') {
        const QuotedField field = ReadQuoted(text, stop, chars);
        TerminateAt(buffer, position + field.closing);
        position += field.next;
        return field.content;
    }
    const std::size_t end = stop == kNone ? text.size() : stop;
    const std::size_t next = PastComma(text, end);
    TerminateAt(buffer, position + end);
    position += next;
    return text.substr(0, end);
}

}  // namespace varnel
