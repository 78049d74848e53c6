#include "scaledata/RuxPriceCsv.h"

#include "db/plu/PluFieldAccess.h"
#include "db/records/RecordLayout.h"
#include "db/site/GeneralSetup.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace varnel {
namespace {

struct RuxPriceSource {
    const RuxPriceSite& site;
    std::span<const std::uint8_t> record;
};
struct RuxPriceTarget {
    const RuxPriceSite& site;
    std::span<std::uint8_t> record;
};

struct RuxPriceKind {
    using Source = RuxPriceSource;
    using Target = RuxPriceTarget;
    using Site = RuxPriceSite;

    static Site SiteOf(const Source& s) { return s.site; }
    static Site SiteOf(const Target& t) { return t.site; }
    static std::int64_t Number(const Source& s, ColumnRef c)
    {
        switch (c.type) {
        case ColumnRef::Type::Long: return ReadColumn(s.record, LongColumn{c.offset});
        case ColumnRef::Type::Short: return ReadColumn(s.record, ShortColumn{c.offset});
        case ColumnRef::Type::Byte: return ReadColumn(s.record, ByteColumn{c.offset});
        default: return 0;
        }
    }
    static std::string_view Text(const Source& s, ColumnRef c) { return ReadColumn(s.record, TextColumn{c.offset, c.size}); }
    static void SetNumber(const Target& t, ColumnRef c, std::int64_t value)
    {
        switch (c.type) {
        case ColumnRef::Type::Long: return WriteColumn(t.record, LongColumn{c.offset}, static_cast<std::int32_t>(value));
        case ColumnRef::Type::Short: return WriteColumn(t.record, ShortColumn{c.offset}, static_cast<std::uint16_t>(value));
        case ColumnRef::Type::Byte: return WriteColumn(t.record, ByteColumn{c.offset}, static_cast<std::uint8_t>(value));
        default: return;
        }
    }
    static void SetText(const Target& t, ColumnRef c, std::string_view text)
    {
        WriteColumn(t.record, TextColumn{c.offset, c.size}, text);
    }
    static constexpr std::string_view ColumnName(ColumnRef c)
    {
        for (const ColumnDef& column : kRuxPriceColumns)
            if (column.offset == c.offset && column.size == c.size) return column.name;
        return {};
    }
};

using F = LayoutFields<RuxPriceKind>;
using Field = LayoutField<RuxPriceKind>;
using Site = RuxPriceSite;

template <std::size_t N>
constexpr ColumnRef Col(const char (&name)[N])
{
    const ColumnDef& c = FindColumn(kRuxPriceColumns, std::string_view(name, N - 1));
    switch (c.daoType) {
    case DaoLong: return AsLong(c);
    case DaoShort: return AsShort(c);
    case DaoByte: return AsByte(c);
    default: return AsText(c);
    }
}

constexpr ColumnRef kSalesMode = Col("SalesMode");
constexpr ColumnRef kUnitPrice = Col("UnitPrice");
constexpr ColumnRef kMarkFlag = Col("MarkFlag");
constexpr ColumnRef kMarkPrice = Col("MarkPrice");
constexpr ColumnRef kPackQuant = Col("PackQuant");
constexpr ColumnRef kPosFlag = Col("PosFlag");
constexpr ColumnRef kPosCode = Col("PosCode");
constexpr ColumnRef kRegCode = Col("RegCode");

bool IsTaiwan(const Site& s) { return s.market == MarketTaiwan; }
bool IsNotTaiwan(const Site& s) { return s.market != MarketTaiwan; }
bool SendsTrayNumber(const Site& s) { return s.market == MarketTaiwan || !s.noTrayNumber; }

// Sent twice; the sales mode tells which of the two carries the price.
void WriteUnitPrices(const RuxPriceSource& s, RecordFields& f)
{
    const std::int64_t price = RuxPriceKind::Number(s, kUnitPrice);
    const bool first = RuxPriceKind::Number(s, kSalesMode) == 0;
    f.CsvNumber(first ? price : 0);
    f.CsvNumber(first ? 0 : price);
}
void ReadUnitPrices(const RuxPriceTarget& t, CsvFieldReader& f)
{
    const auto first = f.Number();
    const auto second = f.Number();
    const bool byFirst = ReadColumn(t.record, ByteColumn{kSalesMode.offset}) == 0;
    if (const auto price = byFirst ? first : second) RuxPriceKind::SetNumber(t, kUnitPrice, *price);
}

// A percentage markdown goes to family 9 in whole percent; no flag, no markdown.
std::int64_t ScaleMarkdown(const RuxPriceSource& s)
{
    const auto flag = static_cast<std::uint8_t>(RuxPriceKind::Number(s, kMarkFlag));
    const std::int64_t value = RuxPriceKind::Number(s, kMarkPrice);
    if (flag == 0) return 0;
    return s.site.family == 9 && IsPercentMarkdown(flag) ? value / 10 : value;
}
void PutMarkdown(const RuxPriceTarget& t, std::int64_t value)
{
    const std::uint8_t flag = ReadColumn(t.record, ByteColumn{kMarkFlag.offset});
    RuxPriceKind::SetNumber(t, kMarkPrice, t.site.family == 9 && IsPercentMarkdown(flag) ? value * 10 : value);
}

// Limits and tare go in tenths, rounded, to a scale of tare format 1.
template <const ColumnRef& Column>
std::int64_t ScaleTare(const RuxPriceSource& s)
{
    const std::int64_t value = RuxPriceKind::Number(s, Column);
    return s.site.tareFormat == 1 ? (value + 5) / 10 : value;
}
template <const ColumnRef& Column>
void PutTare(const RuxPriceTarget& t, std::int64_t value)
{
    RuxPriceKind::SetNumber(t, Column, t.site.tareFormat == 1 ? value * 10 : value);
}
constexpr ColumnRef kUpperLimit = Col("UpperLimit");
constexpr ColumnRef kLowerLimit = Col("LowerLimit");
constexpr ColumnRef kTare = Col("Tare");

// The pack quantity as a quoted number.
void WritePackQuant(const RuxPriceSource& s, RecordFields& f)
{
    f.Text("\"" + std::to_string(RuxPriceKind::Number(s, kPackQuant)) + "\",");
}
void ReadPackQuant(const RuxPriceTarget& t, CsvFieldReader& f)
{
    std::string text;
    (void)CsvReadText(f.Buffer(), f.Position(), f.Buffer().size(), text, {});
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && value <= 0xFFFF) RuxPriceKind::SetNumber(t, kPackQuant, value);
}

// Two digits at least in market 10.
void WritePosFlag(const RuxPriceSource& s, RecordFields& f)
{
    const std::int64_t flag = RuxPriceKind::Number(s, kPosFlag);
    if (IsTaiwan(s.site) && flag < 10) f.Text("0");
    f.CsvNumber(flag);
}
void ReadPosFlag(const RuxPriceTarget& t, CsvFieldReader& f)
{
    if (const auto flag = f.NumberOf(kPosFlag)) RuxPriceKind::SetNumber(t, kPosFlag, *flag);
}

// The POS code without the zeros and blanks among its first ten characters; read back, padded with
// '0' to the POS code field's width again.
void WritePosCode(const RuxPriceSource& s, RecordFields& f)
{
    constexpr std::size_t kSkippedAtMost = 10;
    const std::string_view code = RuxPriceKind::Text(s, kPosCode);
    std::size_t skip = 0;
    while (skip < code.size() && skip < kSkippedAtMost && (code[skip] == '0' || code[skip] == ' ')) ++skip;
    f.CsvText(code.substr(skip));
}
void ReadPosCode(const RuxPriceTarget& t, CsvFieldReader& f)
{
    std::string code = f.Text(kPosCode.size - 1u);
    if (code.size() < t.site.posCodeWidth) code.insert(0, t.site.posCodeWidth - code.size(), '0');
    RuxPriceKind::SetText(t, kPosCode, code);
}
template <const ColumnRef& Column>
void WriteText(const RuxPriceSource& s, RecordFields& f)
{
    f.CsvText(RuxPriceKind::Text(s, Column));
}
template <const ColumnRef& Column>
void ReadText(const RuxPriceTarget& t, CsvFieldReader& f)
{
    RuxPriceKind::SetText(t, Column, f.Text(Column.size - 1u));
}

constexpr Field kTaiwanCodes[] = {
    F::CsvCustom(WriteText<kPosCode>, ReadText<kPosCode>),
    F::CsvCustom(WriteText<kRegCode>, ReadText<kRegCode>),
    F::CsvNumber(Col("PopFlag")),
    F::CsvNumber(Col("Message1")),
    F::CsvNumber(Col("Comment")),
    F::CsvNumber(Col("Logo1")),
    F::CsvNumber(Col("Logo2")),
    F::CsvNumber(Col("TrayNo")),
};
constexpr Field kOtherCodes[] = {
    F::CsvCustom(WritePosCode, ReadPosCode),
    F::CsvEmpty(2),
    F::CsvNumber(Col("Message1")),
    F::CsvEmpty(),
    F::CsvNumber(Col("Logo1")),
    F::CsvNumber(Col("Logo2")),
    F::CsvNumber(Col("TrayNo")).WrittenWhen(SendsTrayNumber),
};
constexpr Field kOtherTail[] = {
    F::CsvEmpty(),
    F::CsvNumber(Col("Logo3")),
    F::CsvNumber(Col("PropTare")),
    F::CsvNumber(Col("SafeHandlingNo")),
    F::CsvNumber(Col("Coupon")),
};

constexpr Field kPricePart[] = {
    F::CsvNumber(kSalesMode),
    F::CsvCustom(WriteUnitPrices, ReadUnitPrices),
    F::CsvNumber(kMarkFlag),
    F::CsvNumber("MarkPrice", ScaleMarkdown, PutMarkdown),
    F::CsvCustom(WritePackQuant, ReadPackQuant),
    F::CsvNumber(kPackQuant).WrittenWhen(IsTaiwan),
    F::CsvNumber(Col("Unit")),
    F::CsvNumber(Col("Weight")),
    F::CsvNumber("UpperLimit", ScaleTare<kUpperLimit>, PutTare<kUpperLimit>),
    F::CsvNumber("LowerLimit", ScaleTare<kLowerLimit>, PutTare<kLowerLimit>),
    F::CsvNumber("Tare", ScaleTare<kTare>, PutTare<kTare>),
    F::CsvNumber(Col("ItfCodeType")).WrittenWhen(IsTaiwan),
    F::CsvNumber(Col("ItfFlag")).WrittenWhen(IsTaiwan),
    F::CsvNumber(Col("Ean128CodeType")).WrittenWhen(IsTaiwan),
    F::CsvNumber(Col("Ean128Flag")).WrittenWhen(IsTaiwan),
    F::CsvNumber(Col("PosSelect")),
    F::CsvNumber(Col("BarCodeNum")),
    F::CsvNumber(Col("PosFlagSelect")),
    F::CsvCustom(WritePosFlag, ReadPosFlag),
    F::Block(kTaiwanCodes).When(IsTaiwan),
    F::Block(kOtherCodes).When(IsNotTaiwan),
    F::CsvNumber(Col("WrappingMode")),
    F::CsvNumber(Col("FeedRate")),
    F::CsvNumber(Col("ServeHeight")),
    F::CsvNumber(Col("LabellingPos")),
    F::CsvNumber(Col("LabellingMode")),
    F::CsvNumber(Col("Wrapping")).When(IsTaiwan),
    F::Block(kOtherTail).When(IsNotTaiwan),
};

}  // namespace

void WriteRuxPriceFields(const RuxPriceSite& site, std::span<const std::uint8_t> record, RecordFields& out)
{
    WriteLayout<RuxPriceKind>(kPricePart, RuxPriceSource{site, record}, out);
}

void WriteEmptyRuxPriceFields(RecordFields& out) { out.CsvEmpty(kEmptyRuxPriceFields); }

bool IsEmptyRuxPricePart(std::span<const char> text, std::size_t& position)
{
    if (position > text.size() || text.size() - position < kEmptyRuxPriceFields) return false;
    const std::span<const char> part = text.subspan(position, kEmptyRuxPriceFields);
    if (!std::ranges::all_of(part, [](char c) { return c == ','; })) return false;
    position += kEmptyRuxPriceFields;
    return true;
}

void ReadRuxPriceFields(const RuxPriceSite& site, std::span<char> text, std::size_t& position,
                        std::span<std::uint8_t> record)
{
    CsvFieldReader reader(text, position, {});
    ReadCsvLayout<RuxPriceKind>(kPricePart, RuxPriceTarget{site, record}, reader);
}

}  // namespace varnel
