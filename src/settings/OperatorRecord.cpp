// The operator send and clear records of each family (layouts in OperatorRecord.h).
#include "settings/OperatorRecord.h"

#include "settings/OperatorRecordLayout.h"

#include "db/text/Bcd.h"
#include "db/text/DbcsString.h"
#include "db/text/EscapeCodes.h"
#include "db/site/GeneralSetup.h"
#include "db/text/NationalChars.h"
#include "db/text/QuotedScaleText.h"
#include "db/text/RecordHeader.h"
#include "db/text/ScaleFontCodes.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

namespace varnel {
namespace {

constexpr std::uint16_t kSendCode = 63;
constexpr std::uint16_t kClearCode = 28;
constexpr std::uint16_t kBcdSendCode = 47;
constexpr std::uint16_t kBcdClearCode = 16;
constexpr std::uint16_t kCsvSendCode = 1027;
constexpr std::uint16_t kCsvClearCode = 27;

constexpr std::uint32_t kHighestTwoDigitId = 99;
constexpr std::size_t kTextNameBytes = 12;
constexpr std::size_t kBcdBodySize = 24;
constexpr std::size_t kBcdNameTextBytes = 19;  // CR, the font byte and the name
constexpr std::size_t kWholeText = std::numeric_limits<std::size_t>::max();

// The 2-digit layouts refuse a larger id rather than send another operator's number.
bool FitsTwoDigits(std::uint32_t id, ScaleRecordOut& out)
{
    if (id <= kHighestTwoDigitId) return true;
    out.refusedField = "operator number";
    return false;
}

std::span<std::uint8_t> Bytes(std::string& text)
{
    return {reinterpret_cast<std::uint8_t*>(text.data()), text.size()};
}

// Copies the finished record into the caller's buffer.
bool Emit(std::string_view record, std::uint16_t code, ScaleRecordOut& out)
{
    if (record.size() > out.buffer.size()) return false;
    std::ranges::transform(record, out.buffer.begin(), [](char byte) { return static_cast<std::uint8_t>(byte); });
    out.length = static_cast<std::uint16_t>(record.size());
    out.code = code;
    return true;
}

enum class Header { Long, Short };

// The record header (the short form for the packed-BCD families), then the body.
bool EmitWithHeader(Header form, std::uint16_t code, std::string_view body, ScaleRecordOut& out)
{
    if (body.size() > 0xFFFF) return false;
    std::string record(kRecordHeaderSize, '\0');
    const RecordHeader header(Bytes(record).first<kRecordHeaderSize>());
    const auto length = static_cast<std::uint16_t>(body.size());
    if (form == Header::Short)
        MakeShortRecordHeader(header, code, length);
    else
        MakeRecordHeader(header, code, length);
    return Emit(record.append(body), code, out);
}

// The text records open with their code, then "02" outside the USA market.
std::string TextOpening(const TextRules& rules, std::uint16_t code, std::uint32_t id)
{
    return rules.market == MarketUsa ? FormatText("%02u%02u", unsigned{code}, unsigned{id})
                                 : FormatText("%02u02%02u", unsigned{code}, unsigned{id});
}

// The quoted field of escape-coded `text`, at most `maxScaleBytes` scale bytes of it.
std::string QuotedField(const CLinkScaleSettings& scale, const TextRules& rules, std::string_view text,
                        std::size_t maxScaleBytes)
{
    std::string field(4 * text.size() + 4, '\0');  // a byte takes at most 4 characters ("\xHH")
    field.resize(EncodeQuotedScaleText(rules, scale, field, text, maxScaleBytes));
    return field;
}

bool EncodeText(const TextRules& rules, const COperator& op, ScaleRecordOut& out)
{
    std::string record = TextOpening(rules, kSendCode, op.m_id);
    const std::string_view name = DbcsLeft(op.m_name, kTextNameBytes, rules.chars);
    record.append(name).append(kTextNameBytes - name.size(), ' ');
    const std::uint16_t market = rules.market;
    if (market == MarketIceland || market == MarketSouthAmerica) {
        const NationalCharTable& table = *ScaleCharsetTableOf(market);
        for (char& byte : record) byte = TranslateChar(byte, table.database, table.scale);
    }
    return Emit(record, kSendCode, out);
}

bool EncodeBcd(const TextRules& rules, const COperator& op, ScaleRecordOut& out)
{
    std::string body(kBcdBodySize, '\0');
    PackBcdShort(Bytes(body).first(1), op.m_id, 2);
    std::string name(DbcsLeft(op.m_name, kBcdNameTextBytes - 2, rules.chars));
    if (rules.market == MarketNorway)
        for (char& byte : name) byte = TranslateChar(byte, NorwayChars().database, NorwayChars().scale);
    const std::string nameText = std::string{kCr, static_cast<char>(op.m_font)} + name;
    body[1] = static_cast<char>(nameText.size());
    body[2] = static_cast<char>(nameText.size() >> 8);
    body.replace(3, nameText.size(), nameText);
    return EmitWithHeader(Header::Short, kBcdSendCode, body, out);
}

bool EncodeCsv(const CLinkScaleSettings& scale, const TextRules& rules, const COperator& op, bool nameOnly,
               ScaleRecordOut& out)
{
    const std::size_t nameBytes = nameOnly ? 28 : 16;
    const std::size_t fieldBytes = nameOnly ? 30 : 24;
    bool effect2 = false;
    const std::string nameText = MakeEscCode('C', FontToScaleFontCode(rules, op.m_font, effect2)) +
                                 std::string(DbcsLeft(op.m_name, nameBytes, rules.chars));
    std::string body = FormatText("%u,", unsigned{op.m_id}) + QuotedField(scale, rules, nameText, fieldBytes);
    if (!nameOnly) {
        // Quoted by the field rule, so that a double quote in a password cannot end the field early.
        body += QuotedField(scale, rules, op.m_password, kWholeText);
        body += FormatText("%u,%u,", unsigned{op.m_logoffTimer}, unsigned{op.m_accessLevel});
    }
    return EmitWithHeader(Header::Long, kCsvSendCode, body, out);
}

}  // namespace

bool TakesOperatorRecords(std::uint16_t family) { return OperatorLayoutOf(family) != OperatorLayout::None; }

bool EncodeOperatorRecord(const CLinkScaleSettings& scale, const TextRules& rules, const COperator& op,
                          ScaleRecordOut& out)
{
    switch (OperatorLayoutOf(scale.GetScaleType(rules.defaultScaleFamily))) {
    case OperatorLayout::Text: return FitsTwoDigits(op.m_id, out) && EncodeText(rules, op, out);
    case OperatorLayout::Bcd: return FitsTwoDigits(op.m_id, out) && EncodeBcd(rules, op, out);
    case OperatorLayout::Csv: return EncodeCsv(scale, rules, op, false, out);
    case OperatorLayout::CsvNameOnly: return EncodeCsv(scale, rules, op, true, out);
    case OperatorLayout::None: break;
    }
    return false;
}

bool EncodeOperatorClearRecord(const CLinkScaleSettings& scale, const TextRules& rules, std::uint32_t id,
                               ScaleRecordOut& out)
{
    switch (OperatorLayoutOf(scale.GetScaleType(rules.defaultScaleFamily))) {
    case OperatorLayout::Text:
        return FitsTwoDigits(id, out) && Emit(TextOpening(rules, kClearCode, id), kClearCode, out);
    case OperatorLayout::Bcd: {
        if (!FitsTwoDigits(id, out)) return false;
        std::string bcd(1, '\0');
        PackBcd(Bytes(bcd), id, 2);
        return Emit(bcd, kBcdClearCode, out);
    }
    case OperatorLayout::Csv:
    case OperatorLayout::CsvNameOnly:
        return EmitWithHeader(Header::Long, kCsvClearCode, FormatText("%u,", unsigned{id}), out);
    case OperatorLayout::None: break;
    }
    return false;
}

}  // namespace varnel
