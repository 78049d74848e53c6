// The packed-BCD PLU records: the body of families 6 and 8 (after the short record header in a
// send, and in an extended form over the Lumen links) and the family-7 body of the Lumen links.
// "BCD n" is a value right-aligned in n packed digits; flags go as the row's byte.
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
//    the line-coded description
#include "db/PluRecordLayouts.h"

#include "db/LineText.h"
#include "db/PluMessageLinks.h"
#include "platform/ByteOrder.h"

namespace varnel {
namespace {

using Context = PluRecordContext;

void WriteMarketBlock(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    switch (c.Market()) {
    case MarketThailand:
    case MarketHongKong:
    case MarketPhilippines:
    case MarketSouthAfrica:
        f.Bcd("Unit", r.Get(PluCol::Unit), 2);
        return f.ZeroBytes(4);
    case MarketChina:
        f.Bcd("Message1", r.Get(PluCol::Message1), 2);
        return f.ZeroBytes(4);
    case MarketTaiwan:
        f.Bcd("Unit", r.Get(PluCol::Unit), 2);
        f.Bcd("Message1", r.Get(PluCol::Message1), 2);
        f.BcdText("RegCode", r.Get(PluCol::RegCode), 4);
        f.Bcd("TaxNo", r.Get(PluCol::TaxNo), 2);
        f.Bcd("KgPrint", r.Get(PluCol::KgPrint), 2);
        return f.Bcd("StockFlag", r.Get(PluCol::StockFlag), 2);
    default: return f.ZeroBytes(5);
    }
}

// The text length field at `lengthAt`, then the description converted into the rest of the buffer.
void WriteLineText(RecordFields& f, std::string_view desc, std::uint16_t family, bool allEffects, bool bigEndian)
{
    const std::size_t lengthAt = f.Position();
    f.ZeroBytes(2);
    if (!f.Ok()) return;
    const std::span<std::uint8_t> rest = f.Rest();
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), rest.size());
    const std::size_t length =
        allEffects ? EscapeTextToLineText(out, desc) : EscapeTextToLineTextForType(family, out, desc);
    f.Advance(length);
    std::uint8_t* field = f.WrittenSince(lengthAt).data();
    const auto count = static_cast<std::uint16_t>(length);
    if (bigEndian)
        StoreBe16(field, count);
    else
        StoreLe16(field, count);
}

// Family 7: the PLU, sales mode and prices up to the department-group-item code, by market.
void WriteFamily7Head(const Context& c, RecordFields& f, std::size_t unitPriceDigits, std::size_t weightDigits)
{
    const CPluDefRec& r = c.row;
    f.Bcd("PLU number", c.plu, 6);
    f.Bcd("SalesMode", r.Get(PluCol::SalesMode), 1);
    f.Bcd("UnitPrice", r.Get(PluCol::UnitPrice), unitPriceDigits);
    f.Bcd("Weight", r.Get(PluCol::Weight), weightDigits);
    f.Bcd("PackQuant", r.Get(PluCol::PackQuant), 2);
    f.Bcd("Tare", r.Get(PluCol::Tare), 4);
    f.Bcd("DateFlag", r.Get(PluCol::DateFlag), 1);
    f.Bcd("ShelfLife", r.Get(PluCol::ShelfLife), 4);
    WriteDeptGroupItemCode(c, f, true);
}

void WriteFamily7Body(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const auto message7 = r.Get(PluCol::Message7);
    switch (c.Market()) {
    case MarketUsa:
        WriteFamily7Head(c, f, 6, 5);
        f.Bcd("Message7", message7, 2);
        f.Bcd("Nutrition", r.Get(PluCol::Nutrition), 3);
        f.Bcd("PropTare", r.Get(PluCol::PropTare), 3);
        return f.ZeroBytes(1);
    case MarketPhilippines:
        WriteFamily7Head(c, f, 8, 5);
        f.Bcd("Message7", message7, 2);
        f.Bcd("Nutrition", r.Get(PluCol::Nutrition), 2);
        f.Bcd("PropTare", r.Get(PluCol::PropTare), 3);
        return f.ZeroBytes(2);
    case MarketSouthAfrica:
        WriteFamily7Head(c, f, 8, 5);
        f.Bcd("Message7", message7, 2);
        return f.ZeroBytes(4);
    case MarketSweden:
        WriteFamily7Head(c, f, 6, 6);
        f.Bcd("Message7", message7, 2);
        return f.ZeroBytes(9);
    case MarketTaiwan:
        WriteFamily7Head(c, f, 6, 6);
        f.Bcd("Message7", message7, 2);
        f.ZeroBytes(3);
        f.Bcd("PackQuant", r.Get(PluCol::PackQuant), 2);
        f.Bcd("MarkPrice", r.Get(PluCol::MarkPrice), 6);
        return f.ZeroBytes(2);
    case MarketThailand:
        WriteFamily7Head(c, f, 6, 5);
        f.Bcd("Message7", message7, 4);
        f.Bcd("Nutrition", r.Get(PluCol::Nutrition), 2);
        f.Bcd("PropTare", r.Get(PluCol::PropTare), 3);
        f.BcdText("PosCode", r.Get(PluCol::PosCode), 10);
        return f.ZeroBytes(2);
    case MarketNewZealand:
        if (!c.ausNz) break;
        WriteFamily7Head(c, f, 6, 5);
        f.Bcd("Message7", message7, 3);
        f.Bcd("PLU number", c.HasNutrition() && c.companions.HasNutritionRecord(c.plu) ? c.plu : 0, 6);
        f.Bcd("PropTare", r.Get(PluCol::PropTare), 3);
        f.Bcd("PLU number", c.companions.GetIngredientsText(c.plu) ? c.plu : 0, 6);
        f.Bcd("ExMessage2", r.Get(PluCol::ExMessage2), 3);
        f.Bcd("ExMessage3", r.Get(PluCol::ExMessage3), 3);
        return f.ZeroBytes(2);
    default: break;
    }
    WriteFamily7Head(c, f, 6, 5);
    f.Bcd("Message7", message7, 2);
    f.Bcd("Nutrition", r.Get(PluCol::Nutrition), 2);
    f.Bcd("PropTare", r.Get(PluCol::PropTare), 3);
    f.ZeroBytes(2);
}

}  // namespace

void WriteBcdBody(const PluRecordContext& c, RecordFields& f, bool extended)
{
    const CPluDefRec& r = c.row;
    const std::size_t priceDigits = c.Market() == MarketTurkey ? 10 : 8;
    const std::size_t markPriceDigits = c.Market() == MarketTurkey ? 10 : 6;
    f.Bcd("PLU number", c.plu, 8);
    f.Bcd("SalesMode", r.Get(PluCol::SalesMode), 2);
    f.Bcd("UnitPrice", r.Get(PluCol::UnitPrice), priceDigits);
    f.Byte(r.Get(PluCol::MarkFlag));
    f.Bcd("MarkPrice", r.Get(PluCol::MarkPrice), markPriceDigits);
    f.Bcd("Weight", r.Get(PluCol::Weight), 6);
    f.Bcd("PackQuant", r.Get(PluCol::PackQuant), 2);
    f.Bcd("Tare", r.Get(PluCol::Tare), 4);
    f.Byte(r.Get(PluCol::DateFlag));
    f.Bcd("ShelfLife", r.Get(PluCol::ShelfLife), 4);
    f.Byte(r.Get(PluCol::BestBeforeFlag));
    f.Bcd("BestBefore", r.Get(PluCol::BestBefore), 4);
    f.Byte(r.Get(PluCol::TimeFlag));
    f.Bcd("PackTime", r.Get(PluCol::PackTime), 4);
    f.Byte(r.Get(PluCol::ExpTimeFlag));
    f.Bcd("ExpTime", r.Get(PluCol::ExpTime), 4);
    WriteDeptGroupItemCode(c, f, true);
    f.Byte(r.Get(PluCol::PosSelect));
    f.BcdText("PosCode", r.Get(PluCol::PosCode), 10);
    f.Bcd("Posflag", r.Get(PluCol::Posflag), 2);
    f.Bcd("BarCodeNum", r.Get(PluCol::BarCodeNum), 2);
    f.Byte(r.Get(PluCol::OpenPrice));
    f.Bcd("message slot 2", GetMessageLink(r, 2), 8);
    f.Bcd("message slot 3", GetMessageLink(r, 3), 8);
    f.Bcd("message slot 4", GetMessageLink(r, 4), 8);
    f.Bcd("message slot 1", GetMessageLink(r, 1), 8);
    f.Bcd("Logo1", r.Get(PluCol::Logo1), 2);
    f.Bcd("Logo2", r.Get(PluCol::Logo2), 2);
    f.Bcd("LabelFormat", r.Get(PluCol::LabelFormat), 2);
    f.Bcd("NutritionID", r.Get(PluCol::NutritionID), 8);
    f.Bcd("PropTare", r.Get(PluCol::PropTare), 4);
    f.Bcd("UpperLimit", r.Get(PluCol::UpperLimit), 6);
    f.Bcd("LowerLimit", r.Get(PluCol::LowerLimit), 6);
    WriteMarketBlock(c, f);
    if (extended) f.ZeroBytes(4);
    WriteLineText(f, r.GetDesc(), c.family, false, extended);
}

void WriteFamily7Record(const PluRecordContext& c, RecordFields& f)
{
    WriteFamily7Body(c, f);
    WriteLineText(f, c.row.GetDesc(), c.family, true, true);
}

}  // namespace varnel
