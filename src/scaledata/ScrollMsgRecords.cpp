#include "scaledata/ScrollMsgRecords.h"

#include "db/text/CsvFields.h"
#include "db/text/DbcsString.h"
#include "db/text/EscapeCodes.h"
#include "db/text/NationalChars.h"
#include "platform/ByteOrder.h"
#include "scaledata/RowRecordKind.h"

#include <array>
#include <string>

namespace varnel {
namespace {

using namespace scroll_columns;
using Kind = RowRecordKind<CScrollMsgRec, ScrollRecordSite, kColumns>;
using F = LayoutFields<Kind>;
using Field = LayoutField<Kind>;
using Source = Kind::Source;
using Target = Kind::Target;
using Site = ScrollRecordSite;

constexpr std::size_t kEscapeNotation = 4;  // a backslash, 'x' and two characters
constexpr std::uint16_t kLatestTime = 2424;

bool IsUsa(const Site& s) { return s.rules.market == MarketUsa; }
bool IsChina(const Site& s) { return s.rules.market == MarketChina; }
bool IsFamily045(const Site& s) { return s.family == 0 || s.family == 4 || s.family == 5; }
bool IsFamily1(const Site& s) { return s.family == 1; }
bool IsFamily23(const Site& s) { return s.family == 2 || s.family == 3; }
bool IsLongCoded(const Site& s) { return IsFamily045(s) && IsUsa(s); }
bool IsChinaCoded(const Site& s) { return IsFamily045(s) && IsChina(s); }
bool IsShortCoded(const Site& s) { return IsFamily045(s) && !IsUsa(s) && !IsChina(s); }
bool HasTwoDigitNumber(const Site& s) { return IsFamily1(s) && s.rules.ausNzNutrition; }
bool HasOneDigitNumber(const Site& s) { return (IsFamily1(s) && !s.rules.ausNzNutrition) || IsFamily23(s); }
bool IsOneLineFamily23(const Site& s) { return IsFamily23(s) && !s.twoLines; }
bool IsTwoLineFamily23(const Site& s) { return IsFamily23(s) && s.twoLines; }

std::int64_t Consecutive(const Source& s) { return s.row.Get(kConseqMsg) != 0 ? 1 : 0; }

// The text's whole characters within `limit` bytes.
template <std::size_t Limit>
void WriteText(const Source& s, RecordFields& f)
{
    f.Text(DbcsLeft(s.row.GetText(), Limit, s.site.rules.chars), "MessageData");
}

// Two display lines of 19 characters each, the second in font 2.
void WriteTwoLines(const Source& s, RecordFields& f)
{
    constexpr std::size_t kLine = 19;
    const std::string_view text = s.row.GetText();
    f.Text(text.substr(0, kLine), "MessageData");
    f.Text(MakeEscCode('C', '2'));
    if (text.size() > kLine) f.Text(text.substr(kLine, kLine), "MessageData");
}

constexpr Field kTextRecord[] = {
    F::Literal("68").When(IsLongCoded),
    F::Decimal(2, "Message_No", Kind::Key).When(IsLongCoded),
    F::Decimal(2, kDispMode).When(IsLongCoded),
    F::Decimal(2, kDispDate).When(IsLongCoded),
    F::Decimal(4, kDispTime).When(IsLongCoded),
    F::Decimal(2, "ConseqMsg", Consecutive).When(IsLongCoded),
    F::Custom(0, WriteText<96>, nullptr).When(IsLongCoded),
    F::Literal("3601").When(IsChinaCoded),
    F::Decimal(2, "Message_No", Kind::Key).When(IsChinaCoded),
    F::Custom(0, WriteText<100>, nullptr).When(IsChinaCoded),
    F::Literal("3601").When(IsShortCoded),
    F::Decimal(1, "Message_No", Kind::Key).When(IsShortCoded),
    F::Custom(0, WriteText<96>, nullptr).When(IsShortCoded),
    F::Literal("36").When(IsFamily1),
    F::Literal("36").When(IsFamily23),
    F::Decimal(2, "Message_No", Kind::Key).When(HasTwoDigitNumber),
    F::Decimal(1, "Message_No", Kind::Key).When(HasOneDigitNumber),
    F::Custom(0, WriteText<96>, nullptr).When(IsFamily1),
    F::Custom(0, WriteText<96>, nullptr).When(IsOneLineFamily23),
    F::Custom(0, WriteTwoLines, nullptr).When(IsTwoLineFamily23),
};

// ---- The binary record.

void WriteBinaryText(const Source& s, RecordFields& f)
{
    f.Text(DbcsLeft(s.row.GetText(), 98, s.site.rules.chars), "MessageData");
    f.Byte(0);
}
// The text after bytes 13 and 3 (none when either is 0), up to a 0 byte or the record's end.
void ReadBinaryText(const Target& t, RecordReader& r)
{
    const std::optional<std::uint8_t> lineStart = r.Byte();
    const std::optional<std::uint8_t> font = r.Byte();
    const std::span<const std::uint8_t> rest = r.Rest();
    const std::string_view bytes(reinterpret_cast<const char*>(rest.data()), rest.size());
    t.row.SetText(lineStart.value_or(0) != 0 && font.value_or(0) != 0
                      ? DbcsLeft(bytes, 96, t.site.rules.chars)
                      : std::string_view{});
}

constexpr Field kBinaryRecord[] = {
    F::Bcd(2, "Message_No", Kind::Key, Kind::PutKey),
    F::Bcd(2, kDispMode),
    F::Bcd(2, kDispDate),
    F::Bcd(4, kDispTime),
    F::Custom(0, nullptr, ReadBinaryText),
};
constexpr Field kBinaryWrite[] = {
    F::Block(std::span(kBinaryRecord).first(4)),
    F::Literal("\x0D\x03"),
    F::Custom(0, WriteBinaryText, nullptr),
};

// ---- The comma-separated records.

// Writes the quoted text behind its opening notation, cut to `limit` bytes of whole characters,
// each double quote doubled.
void WriteQuoted(const Source& s, RecordFields& f, std::string_view opening, std::size_t limit)
{
    f.Text("\"");
    f.Text(opening);
    for (const char ch : DbcsLeft(s.row.GetText(), limit, s.site.rules.chars))
        f.Text(ch == '"' ? "\"\"" : std::string_view(&ch, 1), "MessageData");
    f.Text("\",");
}

bool IsInverted(const Source& s) { return IsUsa(s.site) && s.row.Get(kIntervalMode) != 0; }

void WriteQuotedA(const Source& s, RecordFields& f) { WriteQuoted(s, f, IsInverted(s) ? "\\x06" : "", 94); }
void WriteQuotedB(const Source& s, RecordFields& f)
{
    WriteQuoted(s, f, IsInverted(s) ? "\\x0D\\x03\\x06" : "\\x0D\\x03", 102);
}

// The text without its escape notations; "\x06" marks it inverted.
void StoreQuotedText(const Target& t, std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        const bool notation = text[i] == '\\' && i + kEscapeNotation <= text.size() &&
                              (text[i + 1] == 'x' || text[i + 1] == 'X');
        if (!notation) {
            plain += text[i++];
            continue;
        }
        if (text.substr(i + 2, 2) == "06") t.row.Set(kIntervalMode, 1);
        i += kEscapeNotation;
    }
    t.row.SetText(DbcsLeft(plain, CScrollMsgRec::kTextMax, t.site.rules.chars));
}

std::string ReadQuoted(const Target& t, CsvFieldReader& r, std::size_t maximum)
{
    std::string text;
    CsvReadText(r.Buffer(), r.Position(), maximum, text, t.site.rules.chars);
    return text;
}

void ReadQuotedA(const Target& t, CsvFieldReader& r) { StoreQuotedText(t, ReadQuoted(t, r, 4 * CScrollMsgRec::kTextMax)); }
void ReadQuotedB(const Target& t, CsvFieldReader& r)
{
    constexpr std::size_t kDropped = 3;
    const std::string text = ReadQuoted(t, r, 103);
    StoreQuotedText(t, text.size() >= kDropped ? std::string_view(text).substr(kDropped) : std::string_view{});
}

constexpr Field kCsvA[] = {
    F::CsvNumber("Message_No", Kind::Key, Kind::PutKey),
    F::CsvNumber(kDispMode),
    F::CsvNumber(kDispDate),
    F::CsvNumber(kDispTime),
    F::CsvCustom(WriteQuotedA, ReadQuotedA),
    F::CsvNumber(kConseqMsg),
};
constexpr Field kCsvB[] = {
    F::CsvNumber("Message_No", Kind::Key, Kind::PutKey),
    F::CsvEmpty(2),
    F::CsvNumber(kSize),
    F::CsvNumber(kSpeed),
    F::CsvNumber(kFlash),
    F::CsvNumber(kFlashSpeed),
    F::CsvCustom(WriteQuotedB, ReadQuotedB),
};

// ---- The Data Save record.

constexpr std::size_t kDataSaveTextMax = 94;
constexpr std::size_t kDataSaveTextWidth = kDataSaveTextMax + 1;  // and at least one 0 byte

void WriteDataSaveTime(const Source& s, RecordFields& f)
{
    std::array<std::uint8_t, 2> time{};
    StoreLe16(time.data(), s.row.Get(kDispTime));
    f.Byte(time[0]);
    f.Byte(time[1]);
}
void ReadDataSaveTime(const Target& t, RecordReader& r)
{
    const std::optional<std::uint8_t> low = r.Byte();
    const std::optional<std::uint8_t> high = r.Byte();
    if (!low || !high) return;
    const auto time = static_cast<std::uint16_t>(*high << 8 | *low);
    t.row.Set(kDispTime, time > kLatestTime ? 0 : time);
}
void WriteDataSaveText(const Source& s, RecordFields& f)
{
    f.Text("\x0D\x03");
    const std::string_view text = DbcsLeft(s.row.GetText(), kDataSaveTextMax, s.site.rules.chars);
    f.Text(text);
    f.ZeroBytes(kDataSaveTextWidth - text.size());
}
// Printable characters from the byte after the time, to a 0 byte, the record's end or the second
// carriage return (the first opens the text's line).
void ReadDataSaveText(const Target& t, RecordReader& r)
{
    std::string text;
    int returns = 0;
    for (const std::uint8_t byte : r.Rest()) {
        if (byte == 0) break;
        if (byte == '\r' && ++returns == 2) break;
        if (byte >= 32 && text.size() < CScrollMsgRec::kTextMax) text += static_cast<char>(byte);
    }
    t.row.SetText(DbcsLeft(text, CScrollMsgRec::kTextMax, t.site.rules.chars));
    t.row.Set(kIsScroll, 1);
    if (!IsUsa(t.site)) t.row.Set(kConseqMsg, 0);
}

constexpr Field kDataSaveRecord[] = {
    F::Bcd(2, "Message_No", Kind::Key, Kind::PutKey),
    F::Byte(kDispMode),
    F::Byte(kConseqMsg).When(IsUsa),
    F::Byte(kDispDate),
    F::Custom(2, WriteDataSaveTime, ReadDataSaveTime),
    F::Custom(2 + kDataSaveTextWidth, WriteDataSaveText, ReadDataSaveText),
};

std::span<const Field> LayoutOf(ScrollForm form, bool writing)
{
    switch (form) {
    case ScrollForm::Text: return kTextRecord;
    case ScrollForm::Binary: return writing ? std::span<const Field>(kBinaryWrite) : kBinaryRecord;
    case ScrollForm::CsvA: return kCsvA;
    case ScrollForm::CsvB: return kCsvB;
    case ScrollForm::DataSave: return kDataSaveRecord;
    }
    return {};
}

// The text records as scales send them: the number in the third character, the text from the
// fourth, control characters left out.
constexpr std::size_t kTextNumberAt = 2;
constexpr std::size_t kTextShortest = 7;

std::string TextRecordOf(const ScrollRecordSite& site, std::span<const std::uint8_t> record)
{
    std::string text(reinterpret_cast<const char*>(record.data()), record.size());
    TranslateNationalBytes({reinterpret_cast<std::uint8_t*>(text.data()), text.size()}, site.rules.market, false);
    return text;
}

void ReadTextRecord(const ScrollRecordSite& site, std::span<const std::uint8_t> record, CScrollMsgRec& row)
{
    const std::string text = TextRecordOf(site, record);
    std::string message;
    const std::string_view scanned = std::string_view(text).substr(kTextNumberAt + 1, CScrollMsgRec::kTextMax);
    for (const char ch : scanned) {
        if (ch == '\0') break;
        if (static_cast<std::uint8_t>(ch) >= 32) message += ch;
    }
    row.SetText(DbcsLeft(message, CScrollMsgRec::kTextMax, site.rules.chars));
    row.Set(kIsScroll, 1);
    row.Set(kDispMode, 1);
    for (const ShortColumn cleared : {kDispDate, kDispTime, kConseqMsg, kIntervalMode}) row.Set(cleared, 0);
}

}  // namespace

void CScrollMsgRec::SetText(std::string_view text) { Set(kText, std::string(text)); }

void WriteScrollRecord(ScrollForm form, const ScrollRecordSite& site, std::uint32_t number, const CScrollMsgRec& row,
                       RecordFields& out)
{
    WriteLayout<Kind>(LayoutOf(form, true), Source{site, number, row}, out);
}

std::optional<std::uint32_t> ReadScrollNumber(ScrollForm form, const ScrollRecordSite& site,
                                              std::span<const std::uint8_t> record)
{
    if (form == ScrollForm::Text) {
        if (record.size() < kTextShortest) return std::nullopt;
        const char digit = TextRecordOf(site, record)[kTextNumberAt];
        if (digit < '0' || digit > '9') return std::nullopt;
        return static_cast<std::uint32_t>(digit - '0');
    }
    std::optional<std::uint32_t> key;
    CScrollMsgRec row;
    const std::span<const Field> first = LayoutOf(form, false).first(1);
    if (form == ScrollForm::CsvA || form == ScrollForm::CsvB) {
        std::vector<char> text = CsvTextOf(record);
        std::size_t position = 0;
        CsvFieldReader reader(text, position, site.rules.chars);
        ReadCsvLayout<Kind>(first, Target{site, key, row}, reader);
    } else {
        RecordReader reader(record);
        ReadLayout<Kind>(first, Target{site, key, row}, reader);
    }
    return key;
}

void ReadScrollRecord(ScrollForm form, const ScrollRecordSite& site, std::span<const std::uint8_t> record,
                      CScrollMsgRec& row)
{
    if (form == ScrollForm::Text) return ReadTextRecord(site, record, row);
    std::optional<std::uint32_t> key;
    if (form == ScrollForm::CsvA || form == ScrollForm::CsvB) {
        std::vector<char> text = CsvTextOf(record);
        std::size_t position = 0;
        CsvFieldReader reader(text, position, site.rules.chars);
        ReadCsvLayout<Kind>(LayoutOf(form, false), Target{site, key, row}, reader);
        return;
    }
    RecordReader reader(record);
    ReadLayout<Kind>(LayoutOf(form, false), Target{site, key, row}, reader);
}

}  // namespace varnel
