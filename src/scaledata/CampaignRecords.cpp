#include "scaledata/CampaignRecords.h"

#include "db/records/RecordLayout.h"
#include "db/site/GeneralSetup.h"
#include "scaledata/ComputedRecordKind.h"

#include <algorithm>
#include <limits>

namespace varnel {
namespace {

// What a field reads and writes: the record's head and the line being written or read.
struct CampaignIo {
    const CampaignRecordSite& site;
    CampaignRecord& head;
    CampaignLine& line;
    std::uint32_t& lineCount;
};

struct CampaignRecordKind : ComputedRecordKind<CampaignIo, CampaignIo> {
    using Site = CampaignRecordSite;

    static Site SiteOf(const CampaignIo& io) { return io.site; }
};

using F = LayoutFields<CampaignRecordKind>;
using Field = LayoutField<CampaignRecordKind>;
using Site = CampaignRecordSite;

constexpr std::uint32_t kNoCount = std::numeric_limits<std::uint32_t>::max();

template <class T>
T Narrow(std::int64_t value)
{
    return value < 0 || value > std::numeric_limits<T>::max() ? std::numeric_limits<T>::max() : static_cast<T>(value);
}

// ---- The head.

std::int64_t Number(const CampaignIo& io) { return io.head.number; }
void PutNumber(const CampaignIo& io, std::int64_t value) { io.head.number = Narrow<std::uint32_t>(value); }
std::int64_t DayOfWeek(const CampaignIo& io) { return io.head.dayOfWeek; }
std::int64_t LineCount(const CampaignIo& io) { return io.lineCount; }
void PutLineCount(const CampaignIo& io, std::int64_t value) { io.lineCount = Narrow<std::uint32_t>(value); }

template <bool End>
DateTimeParts& DateOf(const CampaignIo& io)
{
    return End ? io.head.end : io.head.start;
}
template <bool End>
constexpr std::string_view kDateName = End ? "EndTime" : "StartTime";

template <bool End>
std::int64_t Year(const CampaignIo& io) { return DateOf<End>(io).year; }
template <bool End>
std::int64_t ShortYear(const CampaignIo& io) { return DateOf<End>(io).year % 100; }
template <bool End>
std::int64_t Month(const CampaignIo& io) { return DateOf<End>(io).month; }
template <bool End>
std::int64_t Day(const CampaignIo& io) { return DateOf<End>(io).day; }
template <bool End>
std::int64_t Hour(const CampaignIo& io) { return DateOf<End>(io).hour; }
template <bool End>
std::int64_t Minute(const CampaignIo& io) { return DateOf<End>(io).minute; }
// The date as one number YYYYMMDD and the time as HHMM.
template <bool End>
std::int64_t Date(const CampaignIo& io) { return Year<End>(io) * 10000 + Month<End>(io) * 100 + Day<End>(io); }
template <bool End>
std::int64_t Time(const CampaignIo& io) { return Hour<End>(io) * 100 + Minute<End>(io); }

template <bool End>
void PutYear(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).year = Narrow<int>(v); }
template <bool End>
void PutMonth(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).month = Narrow<int>(v); }
template <bool End>
void PutDay(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).day = Narrow<int>(v); }
template <bool End>
void PutHour(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).hour = Narrow<int>(v); }
template <bool End>
void PutMinute(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).minute = Narrow<int>(v); }
// The year's two bytes, low one first.
template <bool End>
std::int64_t YearLow(const CampaignIo& io) { return Year<End>(io) & 0xFF; }
template <bool End>
std::int64_t YearHigh(const CampaignIo& io) { return (Year<End>(io) >> 8) & 0xFF; }
template <bool End>
void PutYearLow(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).year = (DateOf<End>(io).year & ~0xFF) | Narrow<std::uint8_t>(v); }
template <bool End>
void PutYearHigh(const CampaignIo& io, std::int64_t v) { DateOf<End>(io).year = (DateOf<End>(io).year & 0xFF) | Narrow<std::uint8_t>(v) << 8; }
template <bool End>
void PutDate(const CampaignIo& io, std::int64_t v)
{
    PutYear<End>(io, v / 10000);
    PutMonth<End>(io, v / 100 % 100);
    PutDay<End>(io, v % 100);
}
template <bool End>
void PutTime(const CampaignIo& io, std::int64_t v)
{
    PutHour<End>(io, v / 100);
    PutMinute<End>(io, v % 100);
}

// A comma-terminated number zero-padded to its width, as the scales' "%04.4d%02.2d%02.2d" writes it.
template <std::size_t Width, std::int64_t (*Get)(const CampaignIo&), void (*Put)(const CampaignIo&, std::int64_t)>
void WritePadded(const CampaignIo& io, RecordFields& f)
{
    f.Decimal("date", Get(io), Width);
    f.Text(",");
}
template <std::size_t Width, std::int64_t (*Get)(const CampaignIo&), void (*Put)(const CampaignIo&, std::int64_t)>
void ReadPadded(const CampaignIo& io, CsvFieldReader& f)
{
    if (const auto value = f.Number()) Put(io, *value);
}
template <std::size_t Width, std::int64_t (*Get)(const CampaignIo&), void (*Put)(const CampaignIo&, std::int64_t)>
constexpr Field CsvPadded()
{
    return F::CsvCustom(WritePadded<Width, Get, Put>, ReadPadded<Width, Get, Put>);
}

template <bool End>
constexpr Field kMonthDayYear[] = {
    F::Decimal(2, kDateName<End>, Month<End>), F::Decimal(2, kDateName<End>, Day<End>),
    F::Decimal(4, kDateName<End>, Year<End>),  F::Decimal(2, kDateName<End>, Hour<End>),
    F::Decimal(2, kDateName<End>, Minute<End>),
};
template <bool End>
constexpr Field kYearMonthDay[] = {
    F::Decimal(4, kDateName<End>, Year<End>), F::Decimal(2, kDateName<End>, Month<End>),
    F::Decimal(2, kDateName<End>, Day<End>),  F::Decimal(2, kDateName<End>, Hour<End>),
    F::Decimal(2, kDateName<End>, Minute<End>),
};
template <bool End>
constexpr Field kShortYear[] = {
    F::Decimal(2, kDateName<End>, ShortYear<End>), F::Decimal(2, kDateName<End>, Month<End>),
    F::Decimal(2, kDateName<End>, Day<End>),       F::Decimal(2, kDateName<End>, Hour<End>),
    F::Decimal(2, kDateName<End>, Minute<End>),
};
constexpr Field kDayOfWeekDates[] = {
    F::Decimal(1, "DayOfWeek", DayOfWeek),
    F::Decimal(2, kDateName<false>, Hour<false>), F::Decimal(2, kDateName<false>, Minute<false>),
    F::Decimal(2, kDateName<true>, Hour<true>),   F::Decimal(2, kDateName<true>, Minute<true>),
};

template <CampaignOpening Opening>
bool Opens(const Site& s) { return s.opening == Opening; }
template <CampaignDates Dates>
bool HasDates(const Site& s) { return s.dates == Dates; }
bool IsNumbered(const Site& s) { return s.numbered; }

constexpr Field kTextHead[] = {
    F::Literal("62").When(Opens<CampaignOpening::Code62>),
    F::Literal("33").When(Opens<CampaignOpening::Code33>),
    F::Literal("3302").When(Opens<CampaignOpening::Code3302>),
    F::Literal("80").When(Opens<CampaignOpening::Code80>),
    F::Decimal(2, "Campaign_No", Number).When(IsNumbered),
    F::Block(kMonthDayYear<false>).When(HasDates<CampaignDates::MonthDayYear>),
    F::Block(kMonthDayYear<true>).When(HasDates<CampaignDates::MonthDayYear>),
    F::Block(kYearMonthDay<false>).When(HasDates<CampaignDates::YearMonthDay>),
    F::Block(kYearMonthDay<true>).When(HasDates<CampaignDates::YearMonthDay>),
    F::Block(kShortYear<false>).When(HasDates<CampaignDates::ShortYear>),
    F::Block(kShortYear<true>).When(HasDates<CampaignDates::ShortYear>),
    F::Block(kDayOfWeekDates).When(HasDates<CampaignDates::DayOfWeek>),
};

constexpr Field kBinaryHead[] = {
    F::Bcd(2, "Campaign_No", Number, PutNumber),
    F::Zeros(3),
    F::Bcd(4, kDateName<false>, Year<false>, PutYear<false>),
    F::Bcd(2, kDateName<false>, Month<false>, PutMonth<false>),
    F::Bcd(2, kDateName<false>, Day<false>, PutDay<false>),
    F::Bcd(2, kDateName<false>, Hour<false>, PutHour<false>),
    F::Bcd(2, kDateName<false>, Minute<false>, PutMinute<false>),
    F::Zeros(4),
    F::Bcd(4, kDateName<true>, Year<true>, PutYear<true>),
    F::Bcd(2, kDateName<true>, Month<true>, PutMonth<true>),
    F::Bcd(2, kDateName<true>, Day<true>, PutDay<true>),
    F::Bcd(2, kDateName<true>, Hour<true>, PutHour<true>),
    F::Bcd(2, kDateName<true>, Minute<true>, PutMinute<true>),
    F::Zeros(1),
    F::Byte("line count", LineCount, PutLineCount),
};

constexpr Field kCsvHead[] = {
    F::CsvNumber("Campaign_No", Number, PutNumber),
    CsvPadded<8, Date<false>, PutDate<false>>(),
    CsvPadded<4, Time<false>, PutTime<false>>(),
    CsvPadded<8, Date<true>, PutDate<true>>(),
    CsvPadded<4, Time<true>, PutTime<true>>(),
    F::CsvNumber("line count", LineCount, PutLineCount),
};

template <bool End>
constexpr Field kCsvDate[] = {
    F::CsvNumber(kDateName<End>, Year<End>, PutYear<End>),     F::CsvNumber(kDateName<End>, Month<End>, PutMonth<End>),
    F::CsvNumber(kDateName<End>, Day<End>, PutDay<End>),       F::CsvNumber(kDateName<End>, Hour<End>, PutHour<End>),
    F::CsvNumber(kDateName<End>, Minute<End>, PutMinute<End>),
};
constexpr Field kMixedHead[] = {
    F::CsvNumber("Campaign_No", Number, PutNumber),
    F::Block(kCsvDate<false>),
    F::Block(kCsvDate<true>),
    F::CsvNumber("line count", LineCount, PutLineCount),
};

constexpr Field kDataSaveHead[] = {
    F::Bcd(2, "Campaign_No", Number, PutNumber),
    F::Zeros(1),
    F::Byte(kDateName<false>, Minute<false>, PutMinute<false>),
    F::Byte(kDateName<false>, Hour<false>, PutHour<false>),
    F::Byte(kDateName<false>, Day<false>, PutDay<false>),
    F::Byte(kDateName<false>, Month<false>, PutMonth<false>),
    F::Byte(kDateName<false>, YearLow<false>, PutYearLow<false>),
    F::Byte(kDateName<false>, YearHigh<false>, PutYearHigh<false>),
    F::Zeros(4),
    F::Byte(kDateName<true>, Minute<true>, PutMinute<true>),
    F::Byte(kDateName<true>, Hour<true>, PutHour<true>),
    F::Byte(kDateName<true>, Day<true>, PutDay<true>),
    F::Byte(kDateName<true>, Month<true>, PutMonth<true>),
    F::Byte(kDateName<true>, YearLow<true>, PutYearLow<true>),
    F::Byte(kDateName<true>, YearHigh<true>, PutYearHigh<true>),
    F::Zeros(3),
    F::Byte("line count", LineCount, PutLineCount),
};

// ---- The lines.

std::int64_t Plu(const CampaignIo& io) { return io.line.plu; }
void PutPlu(const CampaignIo& io, std::int64_t v) { io.line.plu = Narrow<std::uint32_t>(v); }
std::int64_t SalesMode(const CampaignIo& io) { return io.line.salesMode; }
void PutSalesMode(const CampaignIo& io, std::int64_t v) { io.line.salesMode = Narrow<std::uint32_t>(v); }
std::int64_t Price(const CampaignIo& io) { return io.line.price; }
void PutPrice(const CampaignIo& io, std::int64_t v) { io.line.price = Narrow<std::uint32_t>(v); }
std::int64_t OldPrice(const CampaignIo& io) { return io.line.oldPrice; }

// Where the scale numbers the modes from the markdown price on.
bool MapsScaleModes(const Site& s) { return s.family == 9 || s.market == MarketUsa; }
bool TakesWholePercent(const Site& s) { return s.family == 9 && s.market == MarketUsa; }

std::int64_t ScaleSalesMode(const CampaignIo& io)
{
    const std::uint32_t mode = io.line.salesMode;
    if (MapsScaleModes(io.site)) return mode >= CampMinusPrice && mode <= CampPrice ? mode - 2 : 0;
    return mode <= CampDiscountPerWeight ? mode : 0;
}
void PutScaleSalesMode(const CampaignIo& io, std::int64_t v)
{
    if (!MapsScaleModes(io.site)) return PutSalesMode(io, v);
    io.line.salesMode = v >= 0 && v <= 6 ? static_cast<std::uint32_t>(v + 2) : 0;
}
// After the sales mode, which tells a percentage.
std::int64_t ScalePrice(const CampaignIo& io)
{
    const bool whole = TakesWholePercent(io.site) && IsPercentSalesMode(io.line.salesMode);
    return whole ? io.line.price / 10 : io.line.price;
}
void PutScalePrice(const CampaignIo& io, std::int64_t v)
{
    const bool whole = TakesWholePercent(io.site) && IsPercentSalesMode(io.line.salesMode);
    PutPrice(io, whole ? v * 10 : v);
}

bool IsFamily0Like(const Site& s) { return s.family == 0 || s.family == 4 || s.family == 5; }
bool IsFamily1(const Site& s) { return s.family == 1; }
bool IsFamily2Or3(const Site& s) { return s.family == 2 || s.family == 3; }
bool IsSweden(const Site& s) { return s.market == MarketSweden; }

constexpr Field kFamily0Line[] = {
    F::Decimal(6, "PluNo", Plu),
    F::Decimal(1, "SalesMode", SalesMode),
    F::Decimal(7, "Price", Price),
    F::Decimal(7, "OldPrice", OldPrice).When(IsSweden),
};
constexpr Field kFamily1Line[] = {F::Decimal(6, "PluNo", Plu), F::Decimal(6, "Price", Price)};
constexpr Field kFamily2Line[] = {F::Literal("0"), F::Decimal(5, "PluNo", Plu), F::Decimal(5, "Price", Price)};
constexpr Field kTextLine[] = {
    F::Block(kFamily0Line).When(IsFamily0Like),
    F::Block(kFamily1Line).When(IsFamily1),
    F::Block(kFamily2Line).When(IsFamily2Or3),
};

constexpr Field kBinaryLine[] = {
    F::Bcd(8, "PluNo", Plu, PutPlu),
    F::Bcd(2, "SalesMode", SalesMode, PutSalesMode),
    F::Bcd(8, "Price", Price, PutPrice),
};
constexpr Field kCsvLine[] = {
    F::CsvNumber("PluNo", Plu, PutPlu),
    F::CsvNumber("SalesMode", ScaleSalesMode, PutScaleSalesMode),
    F::CsvNumber("Price", ScalePrice, PutScalePrice),
};
// The scale mode's byte is read by its low digit.
constexpr Field kMixedLine[] = {
    F::Bcd(8, "PluNo", Plu, PutPlu),
    F::Bcd(2, "SalesMode", ScaleSalesMode, PutScaleSalesMode).ReadAs(1),
    F::Bcd(8, "Price", Price, PutPrice),
};
constexpr std::size_t kBinaryLineSize = 9;
constexpr Field kDataSaveLine[] = {
    F::Bcd(6, "PluNo", Plu, PutPlu),
    F::Bcd(1, "SalesMode", SalesMode, PutSalesMode),
    F::Bcd(7, "Price", Price, PutPrice),
};
constexpr std::size_t kDataSaveLineSize = 8;

struct FormLayout {
    std::span<const Field> head;
    std::span<const Field> line;
    std::size_t maxLines;
};

FormLayout LayoutOf(CampaignForm form)
{
    switch (form) {
    case CampaignForm::Text: return {kTextHead, kTextLine, kCampaignLinesMax};
    case CampaignForm::Binary: return {kBinaryHead, kBinaryLine, kCampaignLinesMax};
    case CampaignForm::Csv: return {kCsvHead, kCsvLine, kCampaignCsvLinesMax};
    case CampaignForm::Mixed: return {kMixedHead, kMixedLine, kCampaignLinesMax};
    case CampaignForm::DataSave: break;
    }
    return {kDataSaveHead, kDataSaveLine, kCampaignLinesMax};
}

bool IsCsv(CampaignForm form) { return form == CampaignForm::Csv || form == CampaignForm::Mixed; }

// Reads `count` lines of a fixed-width layout, each `size` bytes; none when the bytes run out.
std::optional<std::vector<CampaignLine>> ReadFixedLines(std::span<const Field> layout, std::size_t size,
                                                       const CampaignRecordSite& site, CampaignRecord& head,
                                                       std::span<const std::uint8_t> bytes, std::uint32_t count)
{
    if (bytes.size() / size < count) return std::nullopt;
    std::vector<CampaignLine> lines(count);
    std::uint32_t unused = 0;
    for (std::size_t i = 0; i < count; ++i) {
        RecordReader reader(bytes.subspan(i * size, size));
        ReadLayout<CampaignRecordKind>(layout, CampaignIo{site, head, lines[i], unused}, reader);
    }
    return lines;
}

std::optional<CampaignRecord> ReadFixed(CampaignForm form, const CampaignRecordSite& site,
                                        std::span<const std::uint8_t> bytes)
{
    const FormLayout layout = LayoutOf(form);
    CampaignRecord record;
    CampaignLine unusedLine;
    std::uint32_t count = kNoCount;
    RecordReader reader(bytes);
    ReadLayout<CampaignRecordKind>(layout.head, CampaignIo{site, record, unusedLine, count}, reader);
    if (!reader.Ok() || count == kNoCount) return std::nullopt;
    const std::span<const std::uint8_t> rest = reader.Rest();
    if (form == CampaignForm::DataSave) {
        // As many lines as the count and the record give, up to a PLU of 0.
        const std::uint32_t taken = std::min<std::uint32_t>(count, kCampaignLinesMax);
        auto lines = ReadFixedLines(layout.line, kDataSaveLineSize, site, record, rest,
                                    std::min<std::uint32_t>(taken, static_cast<std::uint32_t>(rest.size() / kDataSaveLineSize)));
        const auto end = std::ranges::find_if(*lines, [](const CampaignLine& line) { return line.plu == 0; });
        lines->erase(end, lines->end());
        record.lines = std::move(*lines);
        return record;
    }
    if (count > layout.maxLines) return std::nullopt;
    auto lines = ReadFixedLines(layout.line, kBinaryLineSize, site, record, rest, count);
    if (!lines) return std::nullopt;
    record.lines = std::move(*lines);
    return record;
}

std::optional<CampaignRecord> ReadCsv(CampaignForm form, const CampaignRecordSite& site,
                                      std::span<const std::uint8_t> bytes)
{
    const FormLayout layout = LayoutOf(form);
    // The head (and the comma-separated lines) end at the first 0 byte; the readers work in place.
    std::vector<char> text(bytes.begin(), std::ranges::find(bytes, 0));
    const std::size_t textLength = text.size();
    text.push_back('\0');
    std::size_t position = 0;
    CsvFieldReader reader(std::span<char>(text).first(textLength), position, {});
    CampaignRecord record;
    CampaignLine unusedLine;
    std::uint32_t count = kNoCount;
    ReadCsvLayout<CampaignRecordKind>(layout.head, CampaignIo{site, record, unusedLine, count}, reader);
    if (count == kNoCount || count > layout.maxLines) return std::nullopt;
    if (form == CampaignForm::Mixed) {
        auto lines = ReadFixedLines(layout.line, kBinaryLineSize, site, record, bytes.subspan(position), count);
        if (!lines) return std::nullopt;
        record.lines = std::move(*lines);
        return record;
    }
    record.lines.resize(count);
    for (CampaignLine& line : record.lines) {
        constexpr std::uint32_t kUnread = std::numeric_limits<std::uint32_t>::max();
        line = {kUnread, kUnread, kUnread, 0};
        std::uint32_t unused = 0;
        ReadCsvLayout<CampaignRecordKind>(layout.line, CampaignIo{site, record, line, unused}, reader);
        if (line.plu == kUnread || line.salesMode == kUnread || line.price == kUnread) return std::nullopt;
    }
    return record;
}

}  // namespace

void WriteCampaignRecord(CampaignForm form, const CampaignRecordSite& site, const CampaignRecord& record,
                         RecordFields& out)
{
    const FormLayout layout = LayoutOf(form);
    CampaignRecord head = record;
    std::uint32_t count = static_cast<std::uint32_t>(std::min(record.lines.size(), layout.maxLines));
    CampaignLine line;
    WriteLayout<CampaignRecordKind>(layout.head, CampaignIo{site, head, line, count}, out);
    for (std::size_t i = 0; i < count; ++i) {
        line = record.lines[i];
        WriteLayout<CampaignRecordKind>(layout.line, CampaignIo{site, head, line, count}, out);
    }
    if (form == CampaignForm::Mixed) out.ZeroBytes((layout.maxLines - count) * kBinaryLineSize);
}

std::optional<CampaignRecord> ReadCampaignRecord(CampaignForm form, const CampaignRecordSite& site,
                                                 std::span<const std::uint8_t> bytes)
{
    if (form == CampaignForm::Text) return std::nullopt;
    return IsCsv(form) ? ReadCsv(form, site, bytes) : ReadFixed(form, site, bytes);
}

}  // namespace varnel
