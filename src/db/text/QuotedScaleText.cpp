// Quoted scale text fields.
#include "db/text/QuotedScaleText.h"

#include "db/text/BoundedText.h"
#include "db/text/CsvFontCodes.h"
#include "db/text/EscapeCodes.h"
#include "db/text/ScaleFontCodes.h"
#include "db/text/DoubleByteText.h"
#include "db/text/TextBytes.h"
#include "db/text/TextEscapes.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string>

namespace varnel {
namespace {

constexpr char kQuote = '"';
constexpr std::size_t kEndRoom = 3;  // closing quote, comma, 0 byte

constexpr std::uint8_t kLineValue = 13;
constexpr std::uint8_t kFontEValue = 20;
constexpr std::uint8_t kSizeValue = 22;
constexpr std::uint8_t kFValue = 23;

// The letters of the codes that carry a size value, with that value.
struct SizeCode {
    char letter;
    std::uint8_t value;
};
constexpr SizeCode kSizeCodes[] = {{'G', 0}, {'H', 4}, {'I', 7}};

std::uint8_t CsvFontOf(const TextRules& rules, std::uint16_t family, char code)
{
    return UsesAltCsvFonts(rules, family) ? FontCodeToCsvFontAlt(rules, code) : FontCodeToCsvFont(rules, code);
}

char FontCodeOf(const TextRules& rules, std::uint16_t family, std::uint8_t font)
{
    return UsesAltCsvFonts(rules, family) ? CsvFontToFontCodeAlt(rules, font) : CsvFontToFontCode(rules, font);
}

// Appends a value or byte by the quoted-field rule.
void AppendQuotedByte(std::string& field, std::uint8_t byte)
{
    if (byte >= 32 && byte != 127) {
        field += static_cast<char>(byte);
        return;
    }
    field += HexEscape(byte);
}

std::uint8_t DigitValue(char digit) { return static_cast<std::uint8_t>(digit - '0'); }

// The values a code stands for in the quoted text.
struct Values {
    Values(std::initializer_list<std::uint8_t> values) : count(values.size())
    {
        std::copy(values.begin(), values.end(), bytes.begin());
    }
    std::span<const std::uint8_t> Get() const { return std::span(bytes).first(count); }

    std::array<std::uint8_t, 3> bytes{};
    std::size_t count;
};

// The values a code stands for in the family's quoted text; none when the family leaves it out.
std::optional<Values> ValuesOfCode(const TextRules& rules, std::uint16_t family, const EscCode& code)
{
    switch (code.letter) {
    case 'C': return Values{kLineValue, CsvFontOf(rules, family, code.operand)};
    case 'D':
        if (family != 9 && rules.IsDoubleByteMarket() && (code.operand == '1' || code.operand == '5'))
            return std::nullopt;
        return Values{EffectDigitToAttr(code.operand)};
    case 'E':
        if (family != 9 && family != 11) return std::nullopt;
        return Values{kFontEValue, CsvFontOf(rules, family, code.operand)};
    case 'F':
        if (family != 9) return std::nullopt;
        return Values{kFValue, DigitValue(code.operand)};
    default:
        if (family != 9) return std::nullopt;
        for (const SizeCode& size : kSizeCodes)
            if (size.letter == code.letter) return Values{kSizeValue, size.value, DigitValue(code.operand)};
        return std::nullopt;
    }
}

struct EncodedPiece {
    std::string text;
    std::size_t scaleBytes = 0;  // what it takes of the scale's field
    std::size_t consumed = 0;    // input bytes; 0 where the text ends
};

// The quoted form of the character or code at `position` of escape-coded text; a code the family
// does not take gives no text. Every code consumes its 3 bytes, fewer where the text ends inside it.
EncodedPiece EncodePiece(const TextRules& rules, std::uint16_t family, std::string_view source, std::size_t position)
{
    EncodedPiece piece;
    if (source[position] == kEsc) {
        const EscCode code = ReadEscCode(source, position);
        piece.consumed = code.length;
        const std::optional<Values> values = code.Complete() ? ValuesOfCode(rules, family, code) : std::nullopt;
        if (values) {
            for (const std::uint8_t value : values->Get()) AppendQuotedByte(piece.text, value);
            piece.scaleBytes = values->count;
        }
    } else if (source[position] == kQuote) {
        piece.text = "\"\"";
        piece.scaleBytes = 2;
        piece.consumed = 1;
    } else {
        piece.consumed = GetCharLength(source.substr(position), rules.chars);
        for (const char byte : source.substr(position, piece.consumed))
            AppendQuotedByte(piece.text, static_cast<std::uint8_t>(byte));
        piece.scaleBytes = piece.consumed;
    }
    return piece;
}

std::optional<unsigned> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return std::nullopt;
}

// Reads "\x" or "\X" and two hex digits at `position`.
std::optional<std::uint8_t> ReadHexEscape(std::string_view text, std::size_t position)
{
    if (position + 4 > text.size() || text[position] != '\\' ||
        (text[position + 1] != 'x' && text[position + 1] != 'X'))
        return std::nullopt;
    const std::optional<unsigned> high = HexDigitValue(text[position + 2]);
    const std::optional<unsigned> low = HexDigitValue(text[position + 3]);
    if (!high || !low) return std::nullopt;
    return static_cast<std::uint8_t>(*high * 16 + *low);
}

// Reads the quoted text of a field after its opening quote, up to and past its closing quote.
class QuotedFieldReader {
public:
    QuotedFieldReader(const TextRules& rules, std::uint16_t family, std::string_view text, std::size_t position,
                      std::span<char> out)
        : m_rules(rules), m_family(family), m_text(text), m_position(position), m_out(out)
    {
    }

    // Returns the position after the closing quote (the text's end when it has none).
    std::size_t Read()
    {
        while (m_position < m_text.size()) {
            if (m_text[m_position] == kQuote) {
                if (m_position + 1 >= m_text.size() || m_text[m_position + 1] != kQuote) {
                    ++m_position;
                    break;
                }
                Write(std::string_view(&kQuote, 1));
                m_position += 2;
            } else if (const std::optional<std::uint8_t> value = ReadHexEscape(m_text, m_position)) {
                m_position += 4;
                WriteCodeOf(*value);
            } else {
                const std::size_t length = GetCharLength(m_text.substr(m_position), m_rules.chars);
                if (length == 0) break;
                Write(m_text.substr(m_position, length));
                m_position += length;
            }
        }
        m_out.Terminate();
        return m_position;
    }

private:
    // Once a piece does not fit, nothing more is written, so the text stops at a whole piece.
    void Write(std::string_view piece)
    {
        if (!m_full && !m_out.Append(piece, 1)) m_full = true;
    }

    // The value of an operand: an escaped value or a byte of its own. None at the closing quote.
    std::optional<std::uint8_t> ReadOperand()
    {
        if (m_position >= m_text.size() || m_text[m_position] == kQuote) return std::nullopt;
        if (const std::optional<std::uint8_t> value = ReadHexEscape(m_text, m_position)) {
            m_position += 4;
            return value;
        }
        return static_cast<std::uint8_t>(m_text[m_position++]);
    }

    void WriteCodeOf(std::uint8_t value)
    {
        if (const char effect = AttrToEffectDigit(value); effect != '\0') {
            Write(MakeEscCode('D', effect));
        } else if (value == kLineValue || value == kFontEValue) {
            if (const std::optional<std::uint8_t> font = ReadOperand())
                Write(MakeEscCode(value == kLineValue ? 'C' : 'E', FontCodeOf(m_rules, m_family, *font)));
        } else if (value == kSizeValue) {
            const std::optional<std::uint8_t> size = ReadOperand();
            const std::optional<std::uint8_t> digit = size ? ReadOperand() : std::nullopt;
            if (digit) Write(MakeEscCode(SizeLetter(*size), static_cast<char>(*digit + '0')));
        } else if (value == kFValue) {
            if (const std::optional<std::uint8_t> digit = ReadOperand())
                Write(MakeEscCode('F', static_cast<char>(*digit + '0')));
        }
    }

    static char SizeLetter(std::uint8_t value)
    {
        for (const SizeCode& size : kSizeCodes)
            if (size.value == value) return size.letter;
        return kSizeCodes[0].letter;
    }

    const TextRules& m_rules;
    std::uint16_t m_family;
    std::string_view m_text;
    std::size_t m_position;
    BoundedText m_out;
    bool m_full = false;
};

}  // namespace

std::size_t EncodeQuotedScaleText(const TextRules& rules, const CLinkScaleSettings& scale, std::span<char> out,
                                  std::string_view in, std::size_t maxScaleBytes)
{
    const std::uint16_t family = scale.GetScaleType(rules.defaultScaleFamily);
    const std::string_view source = TextBeforeNul(in);
    BoundedText field(out);
    if (!field.Append(kQuote, kEndRoom)) {
        field.Terminate();
        return 0;
    }
    std::size_t scaleBytes = 0;
    std::size_t position = 0;
    while (position < source.size() && scaleBytes < maxScaleBytes) {
        // A run of plain single-byte characters goes in one copy, as far as the field and buffer take it.
        std::size_t run = 0;
        for (; position + run < source.size(); ++run) {
            const auto byte = static_cast<std::uint8_t>(source[position + run]);
            if (byte < 32 || byte == 127 || byte == kQuote || GetCharLength(source.substr(position + run), rules.chars) != 1)
                break;
        }
        if (run > 0) {
            const std::string_view plain = source.substr(position, std::min(run, maxScaleBytes - scaleBytes));
            const std::size_t written = field.AppendBytesThatFit(plain, kEndRoom);
            scaleBytes += written;
            position += written;
            if (written < run) break;
            continue;
        }
        const EncodedPiece piece = EncodePiece(rules, family, source, position);
        if (piece.consumed == 0 || scaleBytes + piece.scaleBytes > maxScaleBytes || !field.Append(piece.text, kEndRoom))
            break;
        scaleBytes += piece.scaleBytes;
        position += piece.consumed;
    }
    static_cast<void>(field.Append("\",", 1));  // kept free by every piece
    field.Terminate();
    return field.Size();
}

std::size_t DecodeQuotedScaleText(const TextRules& rules, const CLinkScaleSettings& scale, std::span<char> out,
                                  std::string_view in, std::size_t& position)
{
    const std::string_view text = TextBeforeNul(in);
    if (position >= text.size()) {  // at or past the end: nothing to read, and the position stays
        BoundedText(out).Terminate();
        return 0;
    }
    const std::size_t start = position;
    const std::size_t fieldStart = text.find_first_of(",\"", start);
    const bool quoted = fieldStart != std::string_view::npos && text[fieldStart] == kQuote;
    std::size_t end = start;
    if (quoted) {
        end = QuotedFieldReader(rules, scale.GetScaleType(rules.defaultScaleFamily), text, fieldStart + 1, out).Read();
    } else {
        BoundedText(out).Terminate();
        end = fieldStart == std::string_view::npos ? text.size() : fieldStart;
    }
    const std::size_t comma = text.find(',', end);
    position = comma == std::string_view::npos ? text.size() : comma + 1;
    return quoted ? position - start : 0;
}

}  // namespace varnel
