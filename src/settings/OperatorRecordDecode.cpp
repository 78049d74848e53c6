// Operator records that scales send back (layouts in OperatorRecord.h), without their headers.
#include "settings/OperatorRecord.h"

#include "settings/OperatorRecordLayout.h"

#include "db/text/Bcd.h"
#include "db/text/CsvFields.h"
#include "db/text/DbcsString.h"
#include "db/text/EscapeCodes.h"
#include "db/site/GeneralSetup.h"
#include "db/text/NationalChars.h"
#include "db/text/QuotedScaleText.h"
#include "db/text/ScaleFontCodes.h"

#include <charconv>
#include <string>
#include <string_view>

namespace varnel {
namespace {

constexpr std::size_t kBcdNameStart = 3;
constexpr std::size_t kBcdNameBytes = 16;
constexpr std::size_t kNumberFieldBytes = 10;
constexpr std::size_t kPasswordBytes = 6;

// 6 and 8: the id in packed BCD, then the name text from byte 3. A name text that opens with CR holds
// the font in its next byte; the name itself follows.
std::optional<COperator> DecodeBcd(const TextRules& rules, std::span<const std::uint8_t> record)
{
    COperator op;
    if (record.size() < kBcdNameStart || !UnpackBcdShort(op.m_id, record.first(1), 2)) return std::nullopt;
    const std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());
    const bool fontGiven = bytes.size() > kBcdNameStart + 1 && bytes[kBcdNameStart] == kCr;
    const std::string_view stored = bytes.substr(kBcdNameStart + (fontGiven ? 2 : 0));
    std::string name(DbcsLeft(stored, kBcdNameBytes, rules.chars));
    if (rules.market == MarketNorway)
        for (char& byte : name) byte = TranslateChar(byte, NorwayChars().scale, NorwayChars().database);
    if (fontGiven) {
        op.m_font = static_cast<std::uint8_t>(bytes[kBcdNameStart + 1]);
        op.m_name = std::move(name);
    } else {
        op.SetNameText(name, GetDefaultScaleFont(rules));
    }
    return op;
}

// A decimal field of the comma-separated records; false when it is not a number that fits.
template <class T>
bool ReadNumberField(const CharRule& chars, std::string_view text, std::size_t& position, T& value)
{
    std::string field;
    CsvReadField(text, position, kNumberFieldBytes, field, chars);
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc{} && end == field.data() + field.size();
}

// A quoted field of at most `maxBytes` bytes, back in escape-coded text.
std::string ReadQuotedField(const CLinkScaleSettings& scale, const TextRules& rules, std::string_view text,
                            std::size_t& position, std::size_t maxBytes)
{
    std::string field(maxBytes + 1, '\0');
    DecodeQuotedScaleText(rules, scale, field, text, position);
    field.resize(field.find('\0'));
    return field;
}

// 10, 11 and 12: "id," and the quoted name, which opens with ESC 'C' and the font's code; 10 and 12
// then the password, the log-off timer and the access level.
std::optional<COperator> DecodeCsv(const CLinkScaleSettings& scale, const TextRules& rules,
                                   std::span<const std::uint8_t> record, bool nameOnly)
{
    const std::string_view text(reinterpret_cast<const char*>(record.data()), record.size());
    std::size_t position = 0;
    COperator op;
    if (!ReadNumberField(rules.chars, text, position, op.m_id)) return std::nullopt;
    const std::string nameText = ReadQuotedField(scale, rules, text, position, nameOnly ? 36 : 24);
    const EscCode font = nameText.empty() || nameText[0] != kEsc ? EscCode{} : ReadEscCode(nameText, 0);
    if (font.Complete() && font.letter == 'C' && font.operand != '\0') {
        op.m_font = ScaleFontCodeToFont(rules, font.operand);
        op.m_name = nameText.substr(font.length);
    } else {
        op.SetNameText(nameText, GetDefaultScaleFont(rules));
    }
    if (nameOnly) return op;
    op.m_password = ReadQuotedField(scale, rules, text, position, kPasswordBytes);
    // Fields the scale left out keep their defaults.
    ReadNumberField(rules.chars, text, position, op.m_logoffTimer);
    ReadNumberField(rules.chars, text, position, op.m_accessLevel);
    return op;
}

}  // namespace

bool SendsOperatorRecords(std::uint16_t family)
{
    const OperatorLayout layout = OperatorLayoutOf(family);
    return layout != OperatorLayout::Text && layout != OperatorLayout::None;
}

std::optional<COperator> DecodeOperatorRecord(const CLinkScaleSettings& scale, const TextRules& rules,
                                              std::span<const std::uint8_t> record)
{
    switch (OperatorLayoutOf(scale.GetScaleType(rules.defaultScaleFamily))) {
    case OperatorLayout::Bcd: return DecodeBcd(rules, record);
    case OperatorLayout::Csv: return DecodeCsv(scale, rules, record, false);
    case OperatorLayout::CsvNameOnly: return DecodeCsv(scale, rules, record, true);
    case OperatorLayout::Text:
    case OperatorLayout::None: break;
    }
    return std::nullopt;
}

}  // namespace varnel
