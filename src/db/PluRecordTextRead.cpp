// Reading back the decimal-text PLU records of families 0 to 5 (layouts in PluRecordText.cpp): field by
// field from where the writer puts it, then the description converted from the scale's character set.
#include "db/PluRecordReaders.h"

#include "db/DeptGroupItemCode.h"
#include "db/PluRecord.h"
#include "db/PluRecordLayouts.h"
#include "db/ScaleCharset.h"

#include <array>

namespace varnel {
namespace {

using Context = PluDecodeContext;

constexpr std::size_t kFamily4TailStart = 32;
constexpr std::size_t kReplacedCodeBlockTail = 10;
constexpr std::string_view kClosingFontCode = "\x1B" "C0";

bool UsesUsaCouponNumbers(const Context& c) { return c.Market() == MarketUsa && c.setup.m_maxCouponNo == 9999; }

// The layouts as the writer chooses them.
enum class TextLayout { L65, L84, L30Family1, Long, Short };

TextLayout LayoutOf(const CGeneralSetup& setup, bool ausNz, std::uint16_t family)
{
    const bool coupons = setup.m_couponSupport != 0;
    switch (family) {
    case 1:
        if (ausNz) break;
        return setup.m_market != MarketAustralia ? TextLayout::L84 : TextLayout::L30Family1;
    case 2: return setup.m_market != MarketUsa && coupons ? TextLayout::Short : TextLayout::Long;
    case 3: return coupons ? TextLayout::Short : TextLayout::Long;
    default: break;
    }
    return TextLayout::L65;
}

// The characters before the PLU number and the PLU number's width.
struct Opening {
    std::size_t code;
    std::size_t plu;
};

Opening OpeningOf(const CGeneralSetup& setup, bool ausNz, std::uint16_t family)
{
    switch (LayoutOf(setup, ausNz, family)) {
    case TextLayout::L65: return {family == 1 || setup.m_market == MarketUsa ? 2u : 4u, 6};
    case TextLayout::Long: return {family == 3 ? 4u : 2u, family == 3 ? 4u : 6u};
    default: break;
    }
    return {2, 6};
}

// "FF" stands for a Posflag of 100 and more.
std::optional<std::int64_t> ReadPosflag(RecordReader& r)
{
    const std::string_view text = r.Window(2).Text(2);
    if (text == "FF") {
        r.Skip(2);
        return 255;
    }
    return r.Decimal(2);
}

void PutText(CPluDefRec& row, TextColumn column, std::string_view text)
{
    if (!text.empty()) row.Set(column, text);
}

// The date of the Australia/New Zealand nutrition layout's price block: the flag as written, then
// ShelfLife and BestBefore or ShelfLife alone at the place that tells 5 from 3 and 6 or 7 from 4.
void PutNutritionLayoutDate(CPluDefRec& row, std::int64_t flag, std::int64_t first, std::int64_t second)
{
    auto dateFlag = static_cast<std::uint8_t>(flag);
    std::int64_t shelfLife = 0;
    std::int64_t bestBefore = row.Get(PluCol::BestBefore);
    if (flag == 3 || flag == 4) {
        if (first == 0) {
            shelfLife = second;
        } else if (flag == 3) {
            dateFlag = 5;
            shelfLife = first;
        } else {
            dateFlag = second != 0 ? 7 : 6;
            shelfLife = first;
            if (second != 0) bestBefore = second;
        }
    }
    row.Set(PluCol::DateFlag, dateFlag);
    row.Set(PluCol::ShelfLife, static_cast<std::uint16_t>(shelfLife));
    row.Set(PluCol::BestBefore, static_cast<std::uint16_t>(bestBefore));
}

// "1sss0000" DateFlag 3, "0sss0000" 4, "00000000" 1; "09990000" stands for every other flag.
void ReadShelfLifeCode(CPluDefRec& row, RecordReader& r, std::optional<std::int64_t> flag)
{
    const auto kind = r.Decimal(1);
    const auto shelfLife = r.Decimal(3);
    r.Skip(4);
    if (!kind || !shelfLife) return;
    if (!flag) flag = *kind == 1 ? 3 : *shelfLife == 0 ? 1 : *shelfLife == 999 ? 0 : 4;
    row.Set(PluCol::DateFlag, static_cast<std::uint8_t>(*flag));
    if (*flag == 3 || *flag == 4) row.Set(PluCol::ShelfLife, static_cast<std::uint16_t>(*shelfLife));
}

void ReadPriceBlockDate(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    const auto flag = r.Decimal(2);
    if (c.ausNz && c.Market() != MarketAustralia) {
        const auto first = r.Decimal(4);
        const auto second = r.Decimal(4);
        if (flag && first && second) PutNutritionLayoutDate(row, *flag, *first, *second);
        return;
    }
    Put(row, PluCol::DateFlag, flag);
    if (c.Market() == MarketNewZealand && c.family == 1) {
        if (flag) ReadShelfLifeCode(row, r, flag);
        return;
    }
    Put(row, PluCol::ShelfLife, r.Decimal(4));
    r.Skip(4);
}

void ReadPriceBlock(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    Put(row, PluCol::SalesMode, r.Decimal(2));
    Put(row, PluCol::UnitPrice, r.Decimal(6));
    r.Skip(9);  // "0", UnitPrice again, "0"
    Put(row, PluCol::Weight, r.Decimal(5));
    if (c.Market() == MarketPhilippines) {
        Put(row, PluCol::Unit, r.Decimal(1));
        r.Skip(3);
    } else {
        r.Skip(1);
        Put(row, PluCol::PackQuant, r.Decimal(3));
    }
    Put(row, PluCol::CostPrice, r.Decimal(6));
    Put(row, PluCol::MarkFlag, r.Decimal(2));
    Put(row, PluCol::MarkPrice, r.Decimal(6));
    Put(row, PluCol::Tare, DatabaseTare(c, r.Decimal(4)));
    ReadPriceBlockDate(c, r);
}

std::optional<std::uint8_t> SwappedOpenPrice(std::optional<std::int64_t> value)
{
    if (!value) return std::nullopt;
    return SwapOneAndTwo(static_cast<std::uint8_t>(*value));
}

void ReadNutritionLayoutMessages(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    PutSlot(row, 2, r.Decimal(4));
    Put(row, PluCol::ExMessage2, r.Decimal(4));
    const auto openPrice = r.Decimal(2);
    if (c.family == 1)
        Put(row, PluCol::OpenPrice, openPrice);
    else
        Put(row, PluCol::OpenPrice, SwappedOpenPrice(openPrice));
    Put(row, PluCol::ExMessage3, r.Decimal(4));
    r.Skip(6);  // the PLU number
    if (const auto nutritionLink = r.Decimal(6)) row.Set(PluCol::Nutrition, *nutritionLink != 0 ? 1 : 0);
    if (c.family == 1) Put(row, PluCol::Random, r.Decimal(2));
}

// The message fields from code block offset 28 on; their shift of the fields after them.
std::size_t ReadCodeBlockMessages(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    if (UsesUsaCouponNumbers(c)) {
        PutSlot(row, 1, r.Decimal(4));
        Put(row, PluCol::No2PrintFlag, r.Decimal(2));
    } else if (c.Market() == MarketTaiwan) {
        PutSlot(row, 2, r.Decimal(2));
        r.Skip(4);
    } else if (c.setup.m_maxExMessageNo < 100) {
        PutSlot(row, 2, r.Decimal(2));
        PutSlot(row, 1, r.Decimal(2));
        Put(row, PluCol::Nutrition, r.Decimal(2));
    } else if (c.setup.m_maxExMessageNo <= 9999) {
        PutSlot(row, 2, r.Decimal(4));
        PutSlot(row, 1, r.Decimal(2));
        Put(row, PluCol::Nutrition, r.Decimal(2));
        return 2;
    } else {
        PutSlot(row, 2, r.Decimal(6));
    }
    return 0;
}

// The shift the message fields give the code block's tail.
std::size_t MessageShift(const Context& c)
{
    const bool wider = !UsesUsaCouponNumbers(c) && c.Market() != MarketTaiwan && c.setup.m_maxExMessageNo >= 100 &&
                       c.setup.m_maxExMessageNo <= 9999;
    return wider ? 2 : 0;
}

void ReadCodeBlockTail(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    if (c.family == 4 && c.Market() != MarketUsa) {
        Put(row, PluCol::TrayNo, r.Decimal(2));
        Put(row, PluCol::Rotate, r.Decimal(2));
        Put(row, PluCol::OpenPrice, r.Decimal(2));
        Put(row, PluCol::LabelFormat, r.Decimal(2));
        Put(row, PluCol::UpperLimit, r.Decimal(4));
        Put(row, PluCol::LowerLimit, r.Decimal(4));
        return;
    }
    Put(row, PluCol::TaxNo, r.Decimal(2));
    Put(row, PluCol::OpenPrice, r.Decimal(2));
    switch (c.Market()) {
    case MarketUsa:
        r.Skip(2);
        Put(row, PluCol::ForcedTare, r.Decimal(2));
        if (UsesUsaCouponNumbers(c))
            Put(row, PluCol::LabelFormatNo2, r.Decimal(2));
        else
            Put(row, PluCol::No2PrintFlag, r.Decimal(2));
        return r.Skip(4);
    case MarketThailand:
        if (c.setup.m_market3ThirdMessage == 0) break;
        r.Skip(4);
        PutSlot(row, 3, r.Decimal(4));
        return r.Skip(2);
    case MarketSouthAmerica:
        Put(row, PluCol::BarCodeNum, r.Decimal(2));
        return r.Skip(8);
    case MarketTaiwan:
        PutSlot(row, 3, r.Decimal(2));
        PutSlot(row, 4, r.Decimal(2));
        Put(row, PluCol::Unit, r.Decimal(2));
        return r.Skip(2);
    default: break;
    }
    r.Skip(10);
}

// The code block; family 4 outside the USA writes its tail over the end of the message fields, which
// are then read only as far as they stand.
void ReadCodeBlock(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    const std::size_t start = r.Position();
    Put(row, PluCol::PosSelect, r.Decimal(2));
    Put(row, PluCol::Posflag, ReadPosflag(r));
    PutText(row, PluCol::PosCode, r.Text(10));
    PutText(row, PluCol::RegCode, r.Text(4));
    ParseDeptGroupItemCode(row, r.Text(8));
    Put(row, PluCol::Message1, r.Decimal(2));
    if (c.ausNz) return ReadNutritionLayoutMessages(c, r);
    const bool family4Tail = c.family == 4 && c.Market() != MarketUsa;
    const std::size_t shift = c.Market() == MarketPhilippines ? 0 : MessageShift(c);
    const std::size_t tailStart = start + kFamily4TailStart + shift;
    RecordReader messages = family4Tail ? r.Window(tailStart - r.Position()) : r;
    if (c.Market() == MarketPhilippines) {
        PutSlot(row, 2, messages.Decimal(4));
        messages.Skip(2);
    } else {
        ReadCodeBlockMessages(c, messages);
    }
    if (family4Tail)
        r.Skip(tailStart - r.Position());
    else
        r = messages;
    ReadCodeBlockTail(c, r);
}

// The code block's length in the "84" layout (family 1 without the nutrition layout).
std::size_t CodeBlockLength84(const Context& c)
{
    if (c.Market() == MarketPhilippines) return 48;
    if (c.Market() == MarketTaiwan && !UsesUsaCouponNumbers(c)) return 46;
    return 48 + MessageShift(c);
}

void ReadLongBlockDate(const Context& c, RecordReader& r, bool longBlock)
{
    CPluDefRec& row = c.row;
    if (c.ausNz) return ReadShelfLifeCode(row, r, std::nullopt);
    const auto flag = longBlock ? r.HexDigit() : r.Decimal(1);
    const auto shelfLife = r.Decimal(3);
    r.Skip(4);
    if (flag == 15) {
        row.Set(PluCol::DateFlag, 2);
        row.Set(PluCol::ShelfLife, 0);
        return;
    }
    Put(row, PluCol::DateFlag, flag);
    Put(row, PluCol::ShelfLife, shelfLife);
}

void ReadBlockPrices(const Context& c, RecordReader& r, bool longBlock)
{
    CPluDefRec& row = c.row;
    ParseDeptGroupItemCode(row, r.Text(8));
    Put(row, PluCol::Posflag, ReadPosflag(r));
    PutText(row, PluCol::PosCode, r.Text(10));
    r.Skip(1);
    Put(row, PluCol::UnitPrice, r.Decimal(5));
    r.Skip(1);
    Put(row, PluCol::Weight, r.Decimal(5));
    Put(row, PluCol::CostPrice, r.Decimal(5));
    Put(row, PluCol::MarkFlag, r.Decimal(1));
    r.Skip(1);
    Put(row, PluCol::MarkPrice, r.Decimal(5));
    Put(row, PluCol::Tare, r.Decimal(4));
    ReadLongBlockDate(c, r, longBlock);
    Put(row, PluCol::SalesMode, r.Decimal(1));
}

void ReadLongLayout(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    ReadBlockPrices(c, r, true);
    Put(row, PluCol::PosSelect, r.HexDigit());
    Put(row, PluCol::PackTime, r.Decimal(4));
    Put(row, PluCol::Message1, r.HexDigit());
    PutSlot(row, 2, r.Decimal(2));
    if (c.Market() == MarketUsa) {
        r.Skip(5);
        Put(row, PluCol::PackQuant, r.Decimal(2));
        r.Skip(1);
    } else {
        r.Skip(8);
    }
    Put(row, PluCol::OpenPrice, SwappedOpenPrice(r.Decimal(1)));
    if (c.Market() == MarketUsa) {
        r.Skip(1);
        Put(row, PluCol::Nutrition, r.Decimal(1));
        r.Skip(2);
    } else {
        r.Skip(4);
    }
}

void ReadShortLayout(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    ReadBlockPrices(c, r, false);
    Put(row, PluCol::PosSelect, r.Decimal(1));
    Put(row, PluCol::PackTime, r.Decimal(4));
    Put(row, PluCol::Message1, r.Decimal(2));
    PutSlot(row, 2, r.Decimal(2));
    r.Skip(8);
    if (c.family != 3) {
        r.Skip(1);
        Put(row, PluCol::OpenPrice, r.Decimal(1));
    } else if (c.ausNz) {
        if (r.Decimal(1) == 1) row.Set(PluCol::OpenPrice, 2);
    } else {
        Put(row, PluCol::OpenPrice, r.Decimal(1));
    }
    Put(row, PluCol::Random, r.Decimal(2));
    r.Skip(2);
}

void Read65Layout(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    ReadPriceBlock(c, r);
    Put(row, PluCol::TimeFlag, r.Decimal(2));
    Put(row, PluCol::ExpTimeFlag, r.Decimal(2));
    const bool expiry = c.Market() == MarketUsa || c.Market() == MarketAustralia;
    Put(row, expiry ? PluCol::ExpTime : PluCol::PackTime, r.Decimal(4));
    ReadCodeBlock(c, r);
}

void Read84Layout(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    ReadPriceBlock(c, r);
    Put(row, PluCol::TimeFlag, r.Decimal(2));
    Put(row, PluCol::PackTime, r.Decimal(4));
    Put(row, PluCol::ExpTimeFlag, r.Decimal(2));
    Put(row, PluCol::ExpTime, r.Decimal(4));
    // The code block's last characters carry Random and zeros instead.
    const std::size_t kept = CodeBlockLength84(c) - kReplacedCodeBlockTail;
    RecordReader codeBlock = r.Window(kept);
    ReadCodeBlock(c, codeBlock);
    r.Skip(kept);
    Put(row, PluCol::Random, r.Decimal(2));
    r.Skip(16);
}

void Read30Family1Layout(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    ReadPriceBlock(c, r);
    const auto timeFlag = r.Decimal(2);
    const auto packTime = r.Decimal(4);
    if (timeFlag == 2 && packTime == 9800) {
        row.Set(PluCol::TimeFlag, 5);
        row.Set(PluCol::PackTime, 0);
    } else {
        Put(row, PluCol::TimeFlag, timeFlag);
        Put(row, PluCol::PackTime, packTime);
    }
    Put(row, PluCol::ExpTimeFlag, r.Decimal(2));
    Put(row, PluCol::ExpTime, r.Decimal(4));
    ReadCodeBlock(c, r);
    r.Skip(8);
}

// The description from the scale's character set. Families 1 and 3 close a short text with a font code
// that the row never had, so it is taken off again.
void ReadDescription(const Context& c, std::string_view scaleText)
{
    std::array<char, kPluDescMax + 1> desc{};
    const std::size_t length = ConvertTextFromScaleCharset(c.scale, desc, scaleText);
    std::string_view text(desc.data(), length);
    if ((c.family == 1 || c.family == 3) && text.ends_with(kClosingFontCode))
        text.remove_suffix(kClosingFontCode.size());
    c.row.SetDesc(text);
}

}  // namespace

std::uint32_t HighestPluNumber(const CGeneralSetup& setup, bool ausNz, std::uint16_t family)
{
    if (family <= 5) return OpeningOf(setup, ausNz, family).plu == 4 ? 9999 : 999999;
    if (family == 6 || family == 8) return 99999999;
    if (family == 7) return 999999;
    return 0xFFFFFFFF;
}

std::optional<std::uint32_t> ReadPluNumber(const CGeneralSetup& setup, bool ausNz, std::uint16_t family,
                                           std::span<const std::uint8_t> record)
{
    RecordReader r(record);
    std::optional<std::int64_t> number;
    if (family <= 5) {
        const Opening opening = OpeningOf(setup, ausNz, family);
        r.Skip(opening.code);
        number = r.Decimal(opening.plu);
    } else if (family == 6 || family == 8) {
        number = r.Bcd(8);
    } else if (family == 7) {
        number = r.Bcd(6);
    } else if (family <= 12) {
        number = r.Decimal(RecordText(record).find(','));
    }
    if (!number || *number < 0 || *number > 0xFFFFFFFF) return std::nullopt;
    return static_cast<std::uint32_t>(*number);
}

ScaleTextSpan ReadTextRecord(const PluDecodeContext& c, std::span<const std::uint8_t> record)
{
    const std::string_view whole = RecordText(record);
    RecordReader r(record.first(whole.size()));
    const Opening opening = OpeningOf(c.setup, c.ausNz, c.family);
    r.Skip(opening.code + opening.plu);
    switch (LayoutOf(c.setup, c.ausNz, c.family)) {
    case TextLayout::L65: Read65Layout(c, r); break;
    case TextLayout::L84: Read84Layout(c, r); break;
    case TextLayout::L30Family1: Read30Family1Layout(c, r); break;
    case TextLayout::Long: ReadLongLayout(c, r); break;
    case TextLayout::Short: ReadShortLayout(c, r); break;
    }
    const ScaleTextSpan text{r.Position(), r.Rest().size()};
    ReadDescription(c, r.Ok() ? whole.substr(text.start) : std::string_view{});
    TakeBackAddedDay(c, 997, false);
    return r.Ok() ? text : ScaleTextSpan{whole.size(), 0};
}

}  // namespace varnel
