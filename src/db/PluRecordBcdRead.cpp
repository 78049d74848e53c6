// Reading back the packed-BCD PLU records (layouts in PluRecordBcd.cpp): the body of families 6 and 8,
// plain or extended, and the family-7 body of the Lumen links. The text length after the fixed fields
// is passed over: the line-coded description runs to the record's end.
#include "db/PluRecordReaders.h"

#include "db/DeptGroupItemCode.h"
#include "db/LineText.h"

#include <array>

namespace varnel {
namespace {

using Context = PluDecodeContext;

constexpr std::uint16_t kBcdShelfLifeHighest = 999;

void PutText(CPluDefRec& row, TextColumn column, const std::optional<std::string>& text)
{
    if (text) row.Set(column, *text);
}

void ReadDeptGroupItemCode(CPluDefRec& row, RecordReader& r)
{
    if (const auto code = r.BcdText(8)) ParseDeptGroupItemCode(row, *code);
}

void ReadMarketBlock(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    switch (c.Market()) {
    case MarketThailand:
    case MarketHongKong:
    case MarketPhilippines:
    case MarketSouthAfrica:
        Put(row, PluCol::Unit, r.Bcd(2));
        return r.Skip(4);
    case MarketChina:
        Put(row, PluCol::Message1, r.Bcd(2));
        return r.Skip(4);
    case MarketTaiwan:
        Put(row, PluCol::Unit, r.Bcd(2));
        Put(row, PluCol::Message1, r.Bcd(2));
        PutText(row, PluCol::RegCode, r.BcdText(4));
        Put(row, PluCol::TaxNo, r.Bcd(2));
        Put(row, PluCol::KgPrint, r.Bcd(2));
        return Put(row, PluCol::StockFlag, r.Bcd(2));
    default: return r.Skip(5);
    }
}

// The line-coded description after its 16-bit length, to the record's end.
ScaleTextSpan ReadLineText(const Context& c, RecordReader& r)
{
    r.Skip(2);
    const std::span<const std::uint8_t> text = r.Rest();
    std::array<char, kPluDescMax + 1> desc{};
    LineTextToEscapeText(desc, {reinterpret_cast<const char*>(text.data()), text.size()});
    c.row.SetDesc(desc.data());
    return {r.Position(), text.size()};
}

void ReadFamily7Head(const Context& c, RecordReader& r, std::size_t unitPriceDigits, std::size_t weightDigits)
{
    CPluDefRec& row = c.row;
    r.Skip(3);  // the PLU number
    Put(row, PluCol::SalesMode, r.Bcd(1));
    Put(row, PluCol::UnitPrice, r.Bcd(unitPriceDigits));
    Put(row, PluCol::Weight, r.Bcd(weightDigits));
    Put(row, PluCol::PackQuant, r.Bcd(2));
    Put(row, PluCol::Tare, r.Bcd(4));
    Put(row, PluCol::DateFlag, r.Bcd(1));
    Put(row, PluCol::ShelfLife, r.Bcd(3));
    ReadDeptGroupItemCode(row, r);
}

void ReadFamily7Body(const Context& c, RecordReader& r)
{
    CPluDefRec& row = c.row;
    switch (c.Market()) {
    case MarketUsa:
        ReadFamily7Head(c, r, 6, 5);
        Put(row, PluCol::Message7, r.Bcd(2));
        Put(row, PluCol::Nutrition, r.Bcd(3));
        Put(row, PluCol::PropTare, r.Bcd(3));
        return r.Skip(1);
    case MarketPhilippines:
        ReadFamily7Head(c, r, 8, 5);
        Put(row, PluCol::Message7, r.Bcd(2));
        Put(row, PluCol::Nutrition, r.Bcd(2));
        Put(row, PluCol::PropTare, r.Bcd(3));
        return r.Skip(2);
    case MarketSouthAfrica:
        ReadFamily7Head(c, r, 8, 5);
        Put(row, PluCol::Message7, r.Bcd(2));
        return r.Skip(4);
    case MarketSweden:
        ReadFamily7Head(c, r, 6, 6);
        Put(row, PluCol::Message7, r.Bcd(2));
        return r.Skip(9);
    case MarketTaiwan:
        ReadFamily7Head(c, r, 6, 6);
        Put(row, PluCol::Message7, r.Bcd(2));
        r.Skip(3);
        Put(row, PluCol::PackQuant, r.Bcd(2));
        Put(row, PluCol::MarkPrice, r.Bcd(6));
        return r.Skip(2);
    case MarketThailand:
        ReadFamily7Head(c, r, 6, 5);
        Put(row, PluCol::Message7, r.Bcd(4));
        Put(row, PluCol::Nutrition, r.Bcd(2));
        Put(row, PluCol::PropTare, r.Bcd(3));
        PutText(row, PluCol::PosCode, r.BcdText(10));
        return r.Skip(2);
    case MarketNewZealand: {
        if (!c.ausNz) break;
        ReadFamily7Head(c, r, 6, 5);
        Put(row, PluCol::Message7, r.Bcd(3));
        const auto plu = static_cast<std::uint32_t>(row.Get(PluCol::PluNo1));
        if (const auto nutritionLink = r.Bcd(6))
            row.Set(PluCol::Nutrition, *nutritionLink != 0 && *nutritionLink == plu ? 1 : 0);
        Put(row, PluCol::PropTare, r.Bcd(3));
        r.Skip(3);  // the ingredients link
        Put(row, PluCol::ExMessage2, r.Bcd(3));
        Put(row, PluCol::ExMessage3, r.Bcd(3));
        return r.Skip(2);
    }
    default: break;
    }
    ReadFamily7Head(c, r, 6, 5);
    Put(row, PluCol::Message7, r.Bcd(2));
    Put(row, PluCol::Nutrition, r.Bcd(2));
    Put(row, PluCol::PropTare, r.Bcd(3));
    r.Skip(2);
}

}  // namespace

ScaleTextSpan ReadBcdBody(const PluDecodeContext& c, std::span<const std::uint8_t> body, bool extended)
{
    CPluDefRec& row = c.row;
    RecordReader r(body);
    const std::size_t priceDigits = c.Market() == MarketTurkey ? 10 : 8;
    const std::size_t markPriceDigits = c.Market() == MarketTurkey ? 10 : 6;
    r.Skip(4);  // the PLU number
    Put(row, PluCol::SalesMode, r.Bcd(2));
    Put(row, PluCol::UnitPrice, r.Bcd(priceDigits));
    Put(row, PluCol::MarkFlag, r.Byte());
    Put(row, PluCol::MarkPrice, r.Bcd(markPriceDigits));
    Put(row, PluCol::Weight, r.Bcd(6));
    Put(row, PluCol::PackQuant, r.Bcd(2));
    Put(row, PluCol::Tare, r.Bcd(4));
    Put(row, PluCol::DateFlag, r.Byte());
    Put(row, PluCol::ShelfLife, r.Bcd(4));
    Put(row, PluCol::BestBeforeFlag, r.Byte());
    Put(row, PluCol::BestBefore, r.Bcd(4));
    Put(row, PluCol::TimeFlag, r.Byte());
    Put(row, PluCol::PackTime, r.Bcd(4));
    Put(row, PluCol::ExpTimeFlag, r.Byte());
    Put(row, PluCol::ExpTime, r.Bcd(4));
    ReadDeptGroupItemCode(row, r);
    Put(row, PluCol::PosSelect, r.Byte());
    PutText(row, PluCol::PosCode, r.BcdText(10));
    Put(row, PluCol::Posflag, r.Bcd(2));
    Put(row, PluCol::BarCodeNum, r.Bcd(2));
    Put(row, PluCol::OpenPrice, r.Byte());
    for (const int slot : {2, 3, 4, 1}) {
        const auto value = r.Bcd(8);
        PutSlot(row, slot, value ? std::optional<std::int64_t>(*value) : std::nullopt);
    }
    Put(row, PluCol::Logo1, r.Bcd(2));
    Put(row, PluCol::Logo2, r.Bcd(2));
    Put(row, PluCol::LabelFormat, r.Bcd(2));
    Put(row, PluCol::NutritionID, r.Bcd(8));
    Put(row, PluCol::PropTare, r.Bcd(4));
    Put(row, PluCol::UpperLimit, r.Bcd(6));
    Put(row, PluCol::LowerLimit, r.Bcd(6));
    ReadMarketBlock(c, r);
    if (extended) r.Skip(4);
    const ScaleTextSpan text = ReadLineText(c, r);
    TakeBackAddedDay(c, kBcdShelfLifeHighest, false);
    return text;
}

void ReadFamily7Record(const PluDecodeContext& c, std::span<const std::uint8_t> record)
{
    RecordReader r(record);
    ReadFamily7Body(c, r);
    ReadLineText(c, r);
    TakeBackAddedDay(c, kBcdShelfLifeHighest, false);
}

}  // namespace varnel
