// The packed-BCD PLU records, written and read from one declaration: the body of families 6 and 8
// (after the short record header in a send, and in an extended form over the Lumen links) and the
// family-7 body of the Lumen links. "BCD n" is a value right-aligned in n packed digits; flags go as
// the row's byte.
//
//   families 6 and 8 (offsets outside market 15, which widens UnitPrice and MarkPrice to 5 bytes)
//     0 PLU (8)      4 SalesMode (2)   5 UnitPrice (8)   9 MarkFlag byte  10 MarkPrice (6)
//    13 Weight (6)  16 PackQuant (2)  17 Tare (4)       19 DateFlag byte 20 ShelfLife (4)
//    22 BestBeforeFlag byte            23 BestBefore (4) 25 TimeFlag byte 26 PackTime (4)
//    28 ExpTimeFlag byte               29 ExpTime (4)    31 dept-group-item code packed (4 bytes)
//    35 PosSelect byte  36 PosCode's first 10 digits      41 Posflag (2)  42 BarCodeNum (2)
//    43 OpenPrice byte  44 message slots 2, 3, 4, 1 (8 each)              60 Logo1, Logo2, LabelFormat (2)
//    63 NutritionID (8) 67 PropTare (4)  69 UpperLimit (6) 72 LowerLimit (6)
//    75 market block (5 bytes; 7 in market 10)
//    then: extended form 4 zero bytes; the text length (16 bits: host order, big-endian extended);
//    the line-coded description, which a reader takes to the record's end
#include "db/records/PluRecordKind.h"
#include "db/records/ScaleRecordOut.h"

#include "db/plu/DeptGroupItemCode.h"
#include "db/text/LineText.h"
#include "platform/ByteOrder.h"

#include <array>

namespace varnel {
namespace {

using namespace plu_layout;

constexpr std::uint16_t kBcdShelfLifeHighest = 999;

bool IsTurkey(const Site& s) { return s.Market() == MarketTurkey; }
bool IsNotTurkey(const Site& s) { return !IsTurkey(s); }
bool HasUnitBlock(const Site& s)
{
    const auto market = s.Market();
    return market == MarketThailand || market == MarketHongKong || market == MarketPhilippines ||
           market == MarketSouthAfrica;
}
bool IsChina(const Site& s) { return s.Market() == MarketChina; }
bool HasEmptyMarketBlock(const Site& s) { return !HasUnitBlock(s) && !IsChina(s) && !IsTaiwan(s); }

void WritePackedDeptGroupItemCode(const PluRecordContext& c, RecordFields& f) { WriteDeptGroupItemCode(c, f, true); }
void ReadPackedDeptGroupItemCode(const PluDecodeContext& c, RecordReader& r)
{
    if (const auto code = r.BcdText(8)) ParseDeptGroupItemCode(c.row, *code);
}

constexpr PluField kUnitBlock[] = {F::Bcd(2, PluCol::Unit), F::Zeros(4)};
constexpr PluField kChinaBlock[] = {F::Bcd(2, PluCol::Message1), F::Zeros(4)};
constexpr PluField kTaiwanBlock[] = {
    F::Bcd(2, PluCol::Unit),   F::Bcd(2, PluCol::Message1), F::BcdText(4, PluCol::RegCode),
    F::Bcd(2, PluCol::TaxNo),  F::Bcd(2, PluCol::KgPrint),  F::Bcd(2, PluCol::StockFlag),
};

constexpr PluField kBcdBody[] = {
    F::Bcd(8, "PLU number", PluNumber),
    F::Bcd(2, PluCol::SalesMode),
    F::Bcd(8, PluCol::UnitPrice).When(IsNotTurkey),
    F::Bcd(10, PluCol::UnitPrice).When(IsTurkey),
    F::Byte(PluCol::MarkFlag),
    F::Bcd(6, PluCol::MarkPrice).When(IsNotTurkey),
    F::Bcd(10, PluCol::MarkPrice).When(IsTurkey),
    F::Bcd(6, PluCol::Weight),
    F::Bcd(2, PluCol::PackQuant),
    F::Bcd(4, PluCol::Tare),
    F::Byte(PluCol::DateFlag),
    F::Bcd(4, PluCol::ShelfLife),
    F::Byte(PluCol::BestBeforeFlag),
    F::Bcd(4, PluCol::BestBefore),
    F::Byte(PluCol::TimeFlag),
    F::Bcd(4, PluCol::PackTime),
    F::Byte(PluCol::ExpTimeFlag),
    F::Bcd(4, PluCol::ExpTime),
    F::Custom(4, WritePackedDeptGroupItemCode, ReadPackedDeptGroupItemCode),
    F::Byte(PluCol::PosSelect),
    F::BcdText(10, PluCol::PosCode),
    F::Bcd(2, PluCol::Posflag),
    F::Bcd(2, PluCol::BarCodeNum),
    F::Byte(PluCol::OpenPrice),
    F::Bcd(8, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Bcd(8, "message slot 3", MessageSlot<3>, PutMessageSlot<3>),
    F::Bcd(8, "message slot 4", MessageSlot<4>, PutMessageSlot<4>),
    F::Bcd(8, "message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::Bcd(2, PluCol::Logo1),
    F::Bcd(2, PluCol::Logo2),
    F::Bcd(2, PluCol::LabelFormat),
    F::Bcd(8, PluCol::NutritionID),
    F::Bcd(4, PluCol::PropTare),
    F::Bcd(6, PluCol::UpperLimit),
    F::Bcd(6, PluCol::LowerLimit),
    F::Block(kUnitBlock).When(HasUnitBlock),
    F::Block(kChinaBlock).When(IsChina),
    F::Block(kTaiwanBlock).When(IsTaiwan),
    F::Zeros(5).When(HasEmptyMarketBlock),
};

// Family 7: the PLU, sales mode and prices up to the department-group-item code, by market: unit
// price and weight digits 6 and 5, 8 and 5 or 6 and 6. ShelfLife is read as 3 digits.
constexpr std::array<PluField, 9> Family7Head(std::size_t unitPriceDigits, std::size_t weightDigits)
{
    return {F::Bcd(6, "PLU number", PluNumber),
            F::Bcd(1, PluCol::SalesMode),
            F::Bcd(unitPriceDigits, PluCol::UnitPrice),
            F::Bcd(weightDigits, PluCol::Weight),
            F::Bcd(2, PluCol::PackQuant),
            F::Bcd(4, PluCol::Tare),
            F::Bcd(1, PluCol::DateFlag),
            F::Bcd(4, PluCol::ShelfLife).ReadAs(3),
            F::Custom(4, WritePackedDeptGroupItemCode, ReadPackedDeptGroupItemCode)};
}
constexpr auto kFamily7Head65 = Family7Head(6, 5);
constexpr auto kFamily7Head85 = Family7Head(8, 5);
constexpr auto kFamily7Head66 = Family7Head(6, 6);

// The nutrition and ingredients links of market 1's nutrition layout: the PLU number when the PLU
// has one; a nutrition link equal to the PLU reads back as Nutrition 1.
std::int64_t NutritionLink(const PluRecordContext& c)
{
    return c.HasNutrition() && c.companions.HasNutritionRecord(c.plu) ? c.plu : 0;
}
void PutNutritionLink(const PluDecodeContext& c, std::int64_t link)
{
    const auto plu = static_cast<std::uint32_t>(c.row.Get(PluCol::PluNo1));
    c.row.Set(PluCol::Nutrition, link != 0 && link == plu ? 1 : 0);
}
std::int64_t IngredientsLink(const PluRecordContext& c) { return c.companions.GetIngredientsText(c.plu) ? c.plu : 0; }

constexpr PluField kFamily7Usa[] = {
    F::Block(kFamily7Head65),     F::Bcd(2, PluCol::Message7), F::Bcd(3, PluCol::Nutrition),
    F::Bcd(3, PluCol::PropTare),   F::Zeros(1),
};
constexpr PluField kFamily7Philippines[] = {
    F::Block(kFamily7Head85),     F::Bcd(2, PluCol::Message7), F::Bcd(2, PluCol::Nutrition),
    F::Bcd(3, PluCol::PropTare),   F::Zeros(2),
};
constexpr PluField kFamily7SouthAfrica[] = {F::Block(kFamily7Head85), F::Bcd(2, PluCol::Message7), F::Zeros(4)};
constexpr PluField kFamily7Sweden[] = {F::Block(kFamily7Head66), F::Bcd(2, PluCol::Message7), F::Zeros(9)};
constexpr PluField kFamily7Taiwan[] = {
    F::Block(kFamily7Head66),     F::Bcd(2, PluCol::Message7), F::Zeros(3),
    F::Bcd(2, PluCol::PackQuant),  F::Bcd(6, PluCol::MarkPrice), F::Zeros(2),
};
constexpr PluField kFamily7Thailand[] = {
    F::Block(kFamily7Head65),    F::Bcd(4, PluCol::Message7),    F::Bcd(2, PluCol::Nutrition),
    F::Bcd(3, PluCol::PropTare),  F::BcdText(10, PluCol::PosCode), F::Zeros(2),
};
constexpr PluField kFamily7NutritionLayout[] = {
    F::Block(kFamily7Head65),
    F::Bcd(3, PluCol::Message7),
    F::Bcd(6, "PLU number", NutritionLink, PutNutritionLink),
    F::Bcd(3, PluCol::PropTare),
    F::Bcd(6, "PLU number", IngredientsLink),
    F::Bcd(3, PluCol::ExMessage2),
    F::Bcd(3, PluCol::ExMessage3),
    F::Zeros(2),
};
constexpr PluField kFamily7Default[] = {
    F::Block(kFamily7Head65),     F::Bcd(2, PluCol::Message7), F::Bcd(2, PluCol::Nutrition),
    F::Bcd(3, PluCol::PropTare),   F::Zeros(2),
};

std::span<const PluField> Family7Body(std::uint16_t market, bool ausNz)
{
    switch (market) {
    case MarketUsa: return kFamily7Usa;
    case MarketPhilippines: return kFamily7Philippines;
    case MarketSouthAfrica: return kFamily7SouthAfrica;
    case MarketSweden: return kFamily7Sweden;
    case MarketTaiwan: return kFamily7Taiwan;
    case MarketThailand: return kFamily7Thailand;
    case MarketNewZealand:
        if (ausNz) return kFamily7NutritionLayout;
        break;
    default: break;
    }
    return kFamily7Default;
}

// The line-coded description after its 16-bit length, to the record's end.
ScaleTextSpan ReadLineText(const PluDecodeContext& c, RecordReader& r)
{
    r.Skip(2);
    const std::span<const std::uint8_t> text = r.Rest();
    std::array<char, kPluDescMax + 1> desc{};
    LineTextToEscapeText(c.text, desc, {reinterpret_cast<const char*>(text.data()), text.size()});
    c.row.SetDesc(desc.data(), c.text.chars);
    return {r.Position(), text.size()};
}

}  // namespace

void WriteBcdBody(const PluRecordContext& c, RecordFields& f, bool extended)
{
    WriteLayout<PluRecordKind>(kBcdBody, c, f);
    if (extended) f.ZeroBytes(4);
    WriteLineTextField(c.text, f, c.row.GetDesc(), c.family, false, extended);
}

ScaleTextSpan ReadBcdBody(const PluDecodeContext& c, std::span<const std::uint8_t> body, bool extended)
{
    RecordReader r(body);
    ReadLayout<PluRecordKind>(kBcdBody, c, r);
    if (extended) r.Skip(4);
    const ScaleTextSpan text = ReadLineText(c, r);
    TakeBackAddedDay(c, kBcdShelfLifeHighest, false);
    return text;
}

void WriteFamily7Record(const PluRecordContext& c, RecordFields& f)
{
    WriteLayout<PluRecordKind>(Family7Body(c.Market(), c.ausNz), c, f);
    WriteLineTextField(c.text, f, c.row.GetDesc(), c.family, true, true);
}

void ReadFamily7Record(const PluDecodeContext& c, std::span<const std::uint8_t> record)
{
    RecordReader r(record);
    ReadLayout<PluRecordKind>(Family7Body(c.Market(), c.ausNz), c, r);
    ReadLineText(c, r);
    TakeBackAddedDay(c, kBcdShelfLifeHighest, false);
}

}  // namespace varnel
