// The decimal-text PLU records of families 0 to 5. Fields follow one another without separators, each
// zero-padded to its width; the description text ends the record.
//
//   "65" layout (families 0, 4, 5; family 1 with the Australia/New Zealand nutrition layout):
//       "65" or "6502", PLU (6) | price block (54) | TimeFlag, ExpTimeFlag, time (8) | code block
//   "84" layout (family 1): "84", PLU | price block | time fields (12) | code block, its last 10
//       characters replaced by Random and 16 zeros
//   "30" layout (family 1, Australia): "30", PLU | price block | time fields (12) | code block | 8 zeros
//   "30"/"3000" layout (families 2, 3): "30" PLU (6) or "3000" PLU (4) | long block (78)
//   "39"/"83" layout (families 2, 3 with coupons): code, PLU (6) | short block (74) | open price,
//       Random, "00"
#include "db/PluRecordLayouts.h"

#include "db/DoubleByteText.h"
#include "db/PluMessageLinks.h"
#include "db/ScaleCharset.h"
#include "db/WrapDescText.h"

#include <algorithm>
#include <limits>
#include <string>

namespace varnel {
namespace {

using Context = PluRecordContext;

constexpr char kEsc = '\x1B';
constexpr std::size_t kLongBlockTextMax = 1000;
constexpr std::size_t kNutritionTextRoom = 1078;
constexpr std::size_t kFontLoweringSpan = 1001;

std::int64_t ScaleTare(const Context& c)
{
    const std::int64_t tare = c.row.Get(PluCol::Tare);
    return c.scale.m_tareFormat == 1 ? (tare + 5) / 10 : tare;
}

bool UsesUsaCouponNumbers(const Context& c)
{
    return c.Market() == MarketUsa && c.setup.m_maxCouponNo == 9999;
}

std::int64_t Slot(const Context& c, int slot) { return GetMessageLink(c.row, slot); }

// "00000000" for DateFlag 1, "1sss0000" for 3, "0sss0000" for 4, else "09990000".
void WriteShelfLifeCode(const Context& c, RecordFields& f)
{
    const std::uint8_t flag = c.row.Get(PluCol::DateFlag);
    if (flag == 1) return f.Text("00000000");
    if (flag != 3 && flag != 4) return f.Text("09990000");
    f.Text(flag == 3 ? "1" : "0");
    f.Decimal("ShelfLife", c.row.Get(PluCol::ShelfLife), 3);
    f.Text("0000");
}

void WritePriceBlockDate(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const std::uint8_t flag = r.Get(PluCol::DateFlag);
    const std::uint16_t shelfLife = r.Get(PluCol::ShelfLife);
    if (c.ausNz && c.Market() != MarketAustralia) {
        f.Decimal("DateFlag", flag <= 4 ? flag : flag <= 6 ? flag - 2 : 4, 2);
        if (flag == 3 || flag == 4) {
            f.Text("0000");
            f.Decimal("ShelfLife", shelfLife, 4);
        } else if (flag == 5 || flag == 6) {
            f.Decimal("ShelfLife", shelfLife, 4);
            f.Text("0000");
        } else if (flag == 7) {
            f.Decimal("ShelfLife", shelfLife, 4);
            f.Decimal("BestBefore", r.Get(PluCol::BestBefore), 4);
        } else {
            f.Text("00000000");
        }
        return;
    }
    f.Decimal("DateFlag", flag, 2);
    if (c.Market() == MarketNewZealand && c.family == 1) return WriteShelfLifeCode(c, f);
    f.Decimal("ShelfLife", shelfLife, 4);
    f.Text("0000");
}

void WritePriceBlock(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    f.Decimal("SalesMode", r.Get(PluCol::SalesMode), 2);
    f.Decimal("UnitPrice", r.Get(PluCol::UnitPrice), 6);
    f.Text("0");
    f.Decimal("UnitPrice", r.Get(PluCol::UnitPrice), 7);
    f.Text("0");
    f.Decimal("Weight", r.Get(PluCol::Weight), 5);
    if (c.Market() == MarketPhilippines) {
        f.Decimal("Unit", r.Get(PluCol::Unit), 1);
        f.Text("000");
    } else {
        f.Text("0");
        f.Decimal("PackQuant", r.Get(PluCol::PackQuant), 3);
    }
    f.Decimal("CostPrice", r.Get(PluCol::CostPrice), 6);
    f.Decimal("MarkFlag", r.Get(PluCol::MarkFlag), 2);
    f.Decimal("MarkPrice", r.Get(PluCol::MarkPrice), 6);
    f.Decimal("Tare", ScaleTare(c), 4);
    WritePriceBlockDate(c, f);
}

// The message fields of the Australia/New Zealand nutrition layout, from code block offset 28.
void WriteNutritionLayoutMessages(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    f.Decimal("message slot 2", Slot(c, 2), 4);
    f.Decimal("ExMessage2", r.Get(PluCol::ExMessage2), 4);
    const std::uint8_t openPrice = r.Get(PluCol::OpenPrice);
    f.Decimal("OpenPrice", c.family == 1 ? openPrice : SwapOneAndTwo(openPrice), 2);
    f.Decimal("ExMessage3", r.Get(PluCol::ExMessage3), 4);
    f.Decimal("PLU number", c.plu, 6);
    f.Decimal("PLU number", c.HasNutrition() ? c.plu : 0, 6);
    if (c.family == 1) f.Decimal("Random", r.Get(PluCol::Random), 2);
}

// The code block from offset 32 + shift (family 4 outside the USA) or 34 + shift (the others).
void WriteCodeBlockTail(const Context& c, RecordFields& f, std::size_t blockStart, std::size_t shift)
{
    const CPluDefRec& r = c.row;
    if (c.family == 4 && c.Market() != MarketUsa) {
        f.MoveBackTo(blockStart + 32 + shift);
        f.Decimal("TrayNo", r.Get(PluCol::TrayNo), 2);
        f.Decimal("Rotate", r.Get(PluCol::Rotate), 2);
        f.Decimal("OpenPrice", r.Get(PluCol::OpenPrice), 2);
        f.Decimal("LabelFormat", r.Get(PluCol::LabelFormat), 2);
        f.Decimal("UpperLimit", r.Get(PluCol::UpperLimit), 4);
        f.Decimal("LowerLimit", r.Get(PluCol::LowerLimit), 4);
        return;
    }
    f.Decimal("TaxNo", r.Get(PluCol::TaxNo), 2);
    f.Decimal("OpenPrice", r.Get(PluCol::OpenPrice), 2);
    switch (c.Market()) {
    case MarketUsa:
        f.Text("00");
        f.Decimal("ForcedTare", r.Get(PluCol::ForcedTare), 2);
        if (UsesUsaCouponNumbers(c))
            f.Decimal("LabelFormatNo2", r.Get(PluCol::LabelFormatNo2), 2);
        else
            f.Decimal("No2PrintFlag", r.Get(PluCol::No2PrintFlag), 2);
        f.Text("0000");
        return;
    case MarketThailand:
        if (c.setup.m_market3ThirdMessage == 0) break;
        f.Text("0000");
        f.Decimal("message slot 3", Slot(c, 3), 4);
        f.Text("00");
        return;
    case MarketSouthAmerica:
        f.Decimal("BarCodeNum", r.Get(PluCol::BarCodeNum), 2);
        f.Text("00000000");
        return;
    case MarketTaiwan:
        f.Decimal("message slot 3", Slot(c, 3), 2);
        f.Decimal("message slot 4", Slot(c, 4), 2);
        f.Decimal("Unit", r.Get(PluCol::Unit), 2);
        f.Text("00");
        return;
    default: break;
    }
    f.Text("0000000000");
}

void WriteCodeBlock(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const std::size_t start = f.Position();
    f.Decimal("PosSelect", r.Get(PluCol::PosSelect), 2);
    f.Decimal("Posflag", r.Get(PluCol::Posflag), 2);
    f.RightAligned("PosCode", r.Get(PluCol::PosCode), 10);
    f.RightAligned("RegCode", r.Get(PluCol::RegCode), 4);
    WriteDeptGroupItemCode(c, f, false);
    f.Decimal("Message1", r.Get(PluCol::Message1), 2);
    if (c.Market() == MarketPhilippines) {
        f.Decimal("message slot 2", Slot(c, 2), 4);
        f.Text("00");
        return WriteCodeBlockTail(c, f, start, 0);
    }
    if (c.ausNz) return WriteNutritionLayoutMessages(c, f);
    std::size_t shift = 0;
    if (UsesUsaCouponNumbers(c)) {
        f.Decimal("message slot 1", Slot(c, 1), 4);
        f.Decimal("No2PrintFlag", r.Get(PluCol::No2PrintFlag), 2);
    } else if (c.Market() == MarketTaiwan) {
        f.Decimal("message slot 2", Slot(c, 2), 2);
        f.Text("0000");
    } else if (c.setup.m_maxExMessageNo < 100) {
        f.Decimal("message slot 2", Slot(c, 2), 2);
        f.Decimal("message slot 1", Slot(c, 1), 2);
        f.Decimal("Nutrition", r.Get(PluCol::Nutrition), 2);
    } else if (c.setup.m_maxExMessageNo <= 9999) {
        f.Decimal("message slot 2", Slot(c, 2), 4);
        f.Decimal("message slot 1", Slot(c, 1), 2);
        f.Decimal("Nutrition", r.Get(PluCol::Nutrition), 2);
        shift = 2;
    } else {
        f.Decimal("message slot 2", Slot(c, 2), 6);
    }
    WriteCodeBlockTail(c, f, start, shift);
}

// The description in the scale's character set, at most `limit` bytes with its 0 byte, which is
// written but not counted; families 1 and 3 close a short text with the font code ESC 'C' '0'.
void WriteDescription(const Context& c, RecordFields& f, std::size_t limit)
{
    const std::span<std::uint8_t> rest = f.Rest();
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), std::min(rest.size(), limit));
    std::size_t length = ConvertTextToScaleCharset(c.scale, c.row.GetDesc(), out);
    if ((c.family == 1 || c.family == 3) && length + 3 < out.size()) {
        out[length++] = kEsc;
        out[length++] = 'C';
        out[length++] = '0';
        out[length] = '\0';
    }
    f.Advance(length);
}

// The longest run of whole characters of `text` within `room` bytes.
std::string_view WholeCharsWithin(std::string_view text, std::size_t room)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = NextChar(text, end);
        if (next == end || next > room) break;
        end = next;
    }
    return text.substr(0, end);
}

// The text without its ESC 'C' line codes.
std::string WithoutLineCodes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == kEsc && i + 1 < text.size() && text[i + 1] == 'C') {
            i += 3;
            continue;
        }
        const std::size_t next = NextChar(text, i);
        if (next == i) break;
        out.append(text.substr(i, next - i));
        i = next;
    }
    return out;
}

// Font codes ESC 'C' d from '1' on, but '7', lowered by one.
void LowerFontCodes(std::span<std::uint8_t> text)
{
    for (std::size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] == kEsc && text[i + 1] == 'C' && text[i + 2] >= '1' && text[i + 2] != '7') --text[i + 2];
}

// Families 2 and 3 with the Australia/New Zealand nutrition layout: the description, already written
// from `textStart`, loses a closing font code and is followed by the extra message, the ingredients
// and the nutrition panel as far as `textRoom` bytes (and the buffer) allow; then its font codes are
// lowered.
void FinishNutritionLayoutText(const Context& c, RecordFields& f, std::size_t textStart, std::size_t textRoom)
{
    if (const std::span<std::uint8_t> text = f.WrittenSince(textStart); text.size() >= 3) {
        const std::span<std::uint8_t> tail = text.last(3);
        if (tail[0] == kEsc && tail[1] == 'C' && tail[2] >= '0' && tail[2] <= '9') f.MoveBackTo(f.Position() - 3);
    }
    // One byte of the buffer stays for the 0 that ends the text.
    std::size_t end = f.Position() + f.Rest().size() - 1;
    if (textRoom < end - textStart) end = textStart + textRoom;
    const auto append = [&](std::string_view text) {
        if (f.Position() < end) f.Text(WholeCharsWithin(text, end - f.Position()));
    };
    const auto message = static_cast<std::uint32_t>(c.row.Get(PluCol::Message7));
    if (const auto text = c.companions.GetExMessageText(message); text && !text->empty()) {
        const std::string plain = WithoutLineCodes(*text);
        std::string wrapped(plain.size() * 2 + 64, '\0');
        wrapped.resize(WrapDescText('1', 60, wrapped.size(), wrapped, plain));
        append(wrapped);
    }
    if (const auto text = c.companions.GetIngredientsText(c.plu)) append(*text);
    if (c.HasNutrition() && c.companions.HasNutritionRecord(c.plu)) {
        append("\x1B" "C1");
        append(c.companions.GetNutritionPanelText(c.family, c.plu));
    }
    const std::span<std::uint8_t> text = f.WrittenSince(textStart);
    LowerFontCodes(text.first(std::min(text.size(), kFontLoweringSpan)));
    f.Terminate();
}

void Write65Layout(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    f.Text(c.family == 1 || c.Market() == MarketUsa ? "65" : "6502");
    f.Decimal("PLU number", c.plu, 6);
    WritePriceBlock(c, f);
    f.Decimal("TimeFlag", r.Get(PluCol::TimeFlag), 2);
    f.Decimal("ExpTimeFlag", r.Get(PluCol::ExpTimeFlag), 2);
    if (c.Market() == MarketUsa || c.Market() == MarketAustralia)
        f.Decimal("ExpTime", r.Get(PluCol::ExpTime), 4);
    else
        f.Decimal("PackTime", r.Get(PluCol::PackTime), 4);
    WriteCodeBlock(c, f);
}

void Write84Layout(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    f.Text("84");
    f.Decimal("PLU number", c.plu, 6);
    WritePriceBlock(c, f);
    f.Decimal("TimeFlag", r.Get(PluCol::TimeFlag), 2);
    f.Decimal("PackTime", r.Get(PluCol::PackTime), 4);
    f.Decimal("ExpTimeFlag", r.Get(PluCol::ExpTimeFlag), 2);
    f.Decimal("ExpTime", r.Get(PluCol::ExpTime), 4);
    WriteCodeBlock(c, f);
    if (f.Ok()) f.MoveBackTo(f.Position() - 10);
    f.Decimal("Random", r.Get(PluCol::Random), 2);
    f.Text("0000000000000000");
}

void Write30Family1Layout(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    f.Text("30");
    f.Decimal("PLU number", c.plu, 6);
    WritePriceBlock(c, f);
    if (r.Get(PluCol::TimeFlag) == 5) {
        f.Text("029800");
    } else {
        f.Decimal("TimeFlag", r.Get(PluCol::TimeFlag), 2);
        f.Decimal("PackTime", r.Get(PluCol::PackTime), 4);
    }
    f.Decimal("ExpTimeFlag", r.Get(PluCol::ExpTimeFlag), 2);
    f.Decimal("ExpTime", r.Get(PluCol::ExpTime), 4);
    WriteCodeBlock(c, f);
    f.Text("00000000");
}

// The 8 characters of the date in the long and short blocks.
void WriteBlockDate(const Context& c, RecordFields& f, bool longBlock)
{
    if (c.ausNz) return WriteShelfLifeCode(c, f);
    const std::uint8_t flag = c.row.Get(PluCol::DateFlag);
    if (longBlock && flag == 2) return f.Text("FFFF0000");
    f.Decimal("DateFlag", flag, 1);
    f.Decimal("ShelfLife", c.row.Get(PluCol::ShelfLife), 3);
    f.Text("0000");
}

// The fields the long and short blocks share, up to `Tare` and the date.
void WriteBlockPrices(const Context& c, RecordFields& f, bool longBlock)
{
    const CPluDefRec& r = c.row;
    WriteDeptGroupItemCode(c, f, false);
    if (longBlock && r.Get(PluCol::Posflag) >= 100)
        f.Text("FF");
    else
        f.Decimal("Posflag", r.Get(PluCol::Posflag), 2);
    f.RightAligned("PosCode", r.Get(PluCol::PosCode), 10);
    f.Text("0");
    f.Decimal("UnitPrice", r.Get(PluCol::UnitPrice), 5);
    f.Text("0");
    f.Decimal("Weight", r.Get(PluCol::Weight), 5);
    f.Decimal("CostPrice", r.Get(PluCol::CostPrice), 5);
    f.Decimal("MarkFlag", r.Get(PluCol::MarkFlag), 1);
    f.Text("0");
    f.Decimal("MarkPrice", r.Get(PluCol::MarkPrice), 5);
    f.Decimal("Tare", r.Get(PluCol::Tare), 4);
    WriteBlockDate(c, f, longBlock);
    f.Decimal("SalesMode", r.Get(PluCol::SalesMode), 1);
}

void WriteLongLayout(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    if (c.family == 3) {
        f.Text("3000");
        f.Decimal("PLU number", c.plu, 4);
    } else {
        f.Text("30");
        f.Decimal("PLU number", c.plu, 6);
    }
    WriteBlockPrices(c, f, true);
    f.HexDigit("PosSelect", r.Get(PluCol::PosSelect), false);
    f.Decimal("PackTime", r.Get(PluCol::PackTime), 4);
    f.HexDigit("Message1", r.Get(PluCol::Message1), true);
    f.Decimal("message slot 2", Slot(c, 2), 2);
    if (c.Market() != MarketUsa) {
        f.Text("00000000");
    } else if (const std::uint16_t packQuant = r.Get(PluCol::PackQuant); packQuant < 100) {
        f.Text("00000");
        f.Decimal("PackQuant", packQuant, 2);
        f.Text("0");
    } else {
        f.Text("00000990");
    }
    f.Decimal("OpenPrice", SwapOneAndTwo(r.Get(PluCol::OpenPrice)), 1);
    if (c.Market() != MarketUsa) {
        f.Text("0000");
    } else {
        f.Text("0");
        f.Decimal("Nutrition", r.Get(PluCol::Nutrition), 1);
        f.Text("00");
    }
    const std::size_t textStart = f.Position();
    WriteDescription(c, f, std::min<std::size_t>(c.scale.m_maxDescLength, kLongBlockTextMax + 1));
    if (c.ausNz && f.Ok()) FinishNutritionLayoutText(c, f, textStart, kNutritionTextRoom);
}

void WriteShortLayout(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const bool family3 = c.family == 3;
    f.Text(family3 ? "83" : "39");
    f.Decimal("PLU number", c.plu, 6);
    WriteBlockPrices(c, f, false);
    f.Decimal("PosSelect", r.Get(PluCol::PosSelect), 1);
    f.Decimal("PackTime", r.Get(PluCol::PackTime), 4);
    f.Decimal("Message1", r.Get(PluCol::Message1), 2);
    f.Decimal("message slot 2", Slot(c, 2), 2);
    f.Text("00000000");
    const std::uint8_t openPrice = r.Get(PluCol::OpenPrice);
    if (!family3) {
        f.Text("0");
        f.Decimal("OpenPrice", openPrice, 1);
    } else if (c.ausNz) {
        f.Text(openPrice != 2 ? "2" : "1");
    } else {
        f.Decimal("OpenPrice", openPrice, 1);
    }
    f.Decimal("Random", r.Get(PluCol::Random), 2);
    f.Text("00");
    const std::size_t textStart = f.Position();
    if (!family3) return WriteDescription(c, f, c.scale.m_maxDescLength);
    WriteDescription(c, f, std::min<std::size_t>(c.scale.m_maxDescLength, kLongBlockTextMax + 1));
    if (c.ausNz && f.Ok()) FinishNutritionLayoutText(c, f, textStart, std::numeric_limits<std::size_t>::max());
}

}  // namespace

std::uint8_t SwapOneAndTwo(std::uint8_t openPrice)
{
    return openPrice == 1 ? 2 : openPrice == 2 ? 1 : openPrice;
}

std::uint16_t WriteTextRecord(const PluRecordContext& c, RecordFields& f)
{
    const bool coupons = c.setup.m_couponSupport != 0;
    switch (c.family) {
    case 1:
        if (c.ausNz) break;
        if (c.Market() != MarketAustralia) {
            Write84Layout(c, f);
            WriteDescription(c, f, c.scale.m_maxDescLength);
            return 84;
        }
        Write30Family1Layout(c, f);
        WriteDescription(c, f, c.scale.m_maxDescLength);
        return 30;
    case 2:
        if (c.Market() != MarketUsa && coupons) {
            WriteShortLayout(c, f);
            return 39;
        }
        WriteLongLayout(c, f);
        return 30;
    case 3:
        if (coupons) {
            WriteShortLayout(c, f);
            return 83;
        }
        WriteLongLayout(c, f);
        return 30;
    default: break;
    }
    Write65Layout(c, f);
    WriteDescription(c, f, c.scale.m_maxDescLength);
    return 65;
}

}  // namespace varnel
