// The decimal-text PLU records of families 0 to 5, written and read from one declaration. Fields follow
// one another without separators, each zero-padded to its width; the description text ends the record.
//
//   "65" layout (families 0, 4, 5; family 1 with the Australia/New Zealand nutrition layout):
//       "65" or "6502", PLU (6) | price block (54) | TimeFlag, ExpTimeFlag, time (8) | code block
//   "84" layout (family 1): "84", PLU | price block | time fields (12) | code block, its last 10
//       characters replaced by Random and 16 zeros
//   "30" layout (family 1, Australia): "30", PLU | price block | time fields (12) | code block | 8 zeros
//   "30"/"3000" layout (families 2, 3): "30" PLU (6) or "3000" PLU (4) | long block (78)
//   "39"/"83" layout (families 2, 3 with coupons): code, PLU (6) | short block (74) | open price,
//       Random, "00"
//
// What is not a mirror image stays as code beside the tables: the date fields, whose flags a reader
// tells from the values; "FF" for a Posflag from 100; the description, which the nutrition layout
// follows with the extra message, the ingredients and the nutrition panel.
#include "db/records/PluRecordKind.h"

#include "db/plu/DeptGroupItemCode.h"
#include "db/text/DoubleByteText.h"
#include "db/records/PluRecord.h"
#include "db/text/ScaleCharset.h"
#include "db/text/WrapDescText.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

namespace varnel {
namespace {

using namespace plu_layout;

constexpr char kEsc = '\x1B';
constexpr std::size_t kLongBlockTextMax = 1000;
constexpr std::size_t kNutritionTextRoom = 1078;
constexpr std::size_t kFontLoweringSpan = 1001;
constexpr std::string_view kClosingFontCode = "\x1B" "C0";
constexpr std::uint16_t kTextShelfLifeHighest = 997;

// ---- The sites' conditions.

bool IsPhilippines(const Site& s) { return s.Market() == MarketPhilippines; }
bool IsNotPhilippines(const Site& s) { return !IsPhilippines(s); }
bool IsFamily1(const Site& s) { return s.family == 1; }
bool IsFamily3(const Site& s) { return s.family == 3; }
bool IsNotFamily3(const Site& s) { return !IsFamily3(s); }
bool Opens65(const Site& s) { return IsFamily1(s) || IsUsa(s); }
bool Opens6502(const Site& s) { return !Opens65(s); }
bool SendsExpiryTime(const Site& s) { return IsUsa(s) || s.Market() == MarketAustralia; }
bool SendsPackTime(const Site& s) { return !SendsExpiryTime(s); }
bool UsesUsaCouponNumbers(const Site& s) { return IsUsa(s) && s.setup.m_maxCouponNo == 9999; }
bool UsesLabelFormatNo2(const Site& s) { return UsesUsaCouponNumbers(s); }
bool UsesNo2PrintFlag(const Site& s) { return !UsesUsaCouponNumbers(s); }
bool IsFamily3AndNutritionLayout(const Site& s) { return IsFamily3(s) && s.ausNz; }
bool IsFamily3WithoutNutritionLayout(const Site& s) { return IsFamily3(s) && !s.ausNz; }
// The message fields of the code block: one variant per site, the first that holds.
bool HasPhilippinesMessages(const Site& s) { return IsPhilippines(s); }
bool HasNutritionMessages(const Site& s) { return !IsPhilippines(s) && s.ausNz; }
bool HasPlainMessages(const Site& s) { return !HasNutritionMessages(s); }
bool HasCouponMessages(const Site& s) { return UsesUsaCouponNumbers(s); }
bool HasTaiwanMessages(const Site& s) { return !UsesUsaCouponNumbers(s) && IsTaiwan(s); }
bool HasOtherMessages(const Site& s) { return !IsPhilippines(s) && !UsesUsaCouponNumbers(s) && !IsTaiwan(s); }
bool HasTwoDigitMessages(const Site& s) { return HasOtherMessages(s) && s.setup.m_maxExMessageNo < 100; }
bool HasFourDigitMessages(const Site& s)
{
    return HasOtherMessages(s) && s.setup.m_maxExMessageNo >= 100 && s.setup.m_maxExMessageNo <= 9999;
}
bool HasSixDigitMessages(const Site& s) { return HasOtherMessages(s) && s.setup.m_maxExMessageNo > 9999; }
// Family 4 outside the USA writes its own tail over the end of the message fields.
bool HasFamily4Tail(const Site& s) { return s.family == 4 && !IsUsa(s); }
bool HasCommonTail(const Site& s) { return !HasFamily4Tail(s); }
bool HasThirdMessage(const Site& s) { return s.Market() == MarketThailand && s.setup.m_market3ThirdMessage != 0; }
bool HasBarCodeTail(const Site& s) { return s.Market() == MarketSouthAmerica; }
bool HasEmptyTail(const Site& s) { return !IsUsa(s) && !HasThirdMessage(s) && !HasBarCodeTail(s) && !IsTaiwan(s); }

// ---- Fields that are code.

std::uint8_t OpenPriceOf(const Source& c) { return c.row.Get(PluCol::OpenPrice); }
std::int64_t SwappedOpenPrice(const Source& c) { return SwapOneAndTwo(OpenPriceOf(c)); }
void PutSwappedOpenPrice(const Target& c, std::int64_t value)
{
    c.row.Set(PluCol::OpenPrice, SwapOneAndTwo(static_cast<std::uint8_t>(value)));
}
// The nutrition layout swaps 1 and 2 for all but family 1.
std::int64_t NutritionLayoutOpenPrice(const Source& c)
{
    return c.family == 1 ? OpenPriceOf(c) : SwapOneAndTwo(OpenPriceOf(c));
}
void PutNutritionLayoutOpenPrice(const Target& c, std::int64_t value)
{
    const auto openPrice = static_cast<std::uint8_t>(value);
    c.row.Set(PluCol::OpenPrice, c.family == 1 ? openPrice : SwapOneAndTwo(openPrice));
}
std::int64_t NutritionLink(const Source& c) { return c.HasNutrition() ? c.plu : 0; }

void WriteDeptGroupItemText(const Source& c, RecordFields& f) { WriteDeptGroupItemCode(c, f, false); }
void ReadDeptGroupItemText(const Target& c, RecordReader& r) { ParseDeptGroupItemCode(c.row, r.Text(8)); }

// "FF" stands for a Posflag of 100 and more; the long block writes it so.
void WritePosflag(const Source& c, RecordFields& f) { f.Decimal("Posflag", c.row.Get(PluCol::Posflag), 2); }
void WriteLongBlockPosflag(const Source& c, RecordFields& f)
{
    if (c.row.Get(PluCol::Posflag) >= 100) return f.Text("FF");
    WritePosflag(c, f);
}
void ReadPosflag(const Target& c, RecordReader& r)
{
    if (r.Window(2).Text(2) == "FF") {
        r.Skip(2);
        return c.row.Set(PluCol::Posflag, 255);
    }
    Put(c.row, PluCol::Posflag, r.Decimal(2));
}

// "00000000" for DateFlag 1, "1sss0000" for 3, "0sss0000" for 4, else "09990000".
void WriteShelfLifeCode(const Source& c, RecordFields& f)
{
    const std::uint8_t flag = c.row.Get(PluCol::DateFlag);
    if (flag == 1) return f.Text("00000000");
    if (flag != 3 && flag != 4) return f.Text("09990000");
    f.Text(flag == 3 ? "1" : "0");
    f.Decimal("ShelfLife", c.row.Get(PluCol::ShelfLife), 3);
    f.Text("0000");
}

// Read back, "09990000" stands for every other flag; a flag read before it is taken as it is.
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

// The date of the price block (10 characters): the flag, then ShelfLife and zeros; the nutrition
// layout outside Australia maps flags 5 to 7 on 3 and 4 and tells them by where ShelfLife stands.
void WritePriceBlockDate(const Source& c, RecordFields& f)
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

// The flag as written, then ShelfLife and BestBefore or ShelfLife alone at the place that tells 5
// from 3 and 6 or 7 from 4.
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

void ReadPriceBlockDate(const Target& c, RecordReader& r)
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

// The 8 characters of the date in the long and short blocks; the long block sends DateFlag 2 as
// "FFFF0000", which reads back as DateFlag 2 and no shelf life.
void WriteBlockDate(const Source& c, RecordFields& f, bool longBlock)
{
    if (c.ausNz) return WriteShelfLifeCode(c, f);
    const std::uint8_t flag = c.row.Get(PluCol::DateFlag);
    if (longBlock && flag == 2) return f.Text("FFFF0000");
    f.Decimal("DateFlag", flag, 1);
    f.Decimal("ShelfLife", c.row.Get(PluCol::ShelfLife), 3);
    f.Text("0000");
}
void ReadBlockDate(const Target& c, RecordReader& r, bool longBlock)
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
void WriteLongBlockDate(const Source& c, RecordFields& f) { WriteBlockDate(c, f, true); }
void ReadLongBlockDate(const Target& c, RecordReader& r) { ReadBlockDate(c, r, true); }
void WriteShortBlockDate(const Source& c, RecordFields& f) { WriteBlockDate(c, f, false); }
void ReadShortBlockDate(const Target& c, RecordReader& r) { ReadBlockDate(c, r, false); }

// The "30" layout of family 1 sends TimeFlag 5 as flag 2 with the time 9800.
void WriteFamily1PackTime(const Source& c, RecordFields& f)
{
    if (c.row.Get(PluCol::TimeFlag) == 5) return f.Text("029800");
    f.Decimal("TimeFlag", c.row.Get(PluCol::TimeFlag), 2);
    f.Decimal("PackTime", c.row.Get(PluCol::PackTime), 4);
}
void ReadFamily1PackTime(const Target& c, RecordReader& r)
{
    const auto timeFlag = r.Decimal(2);
    const auto packTime = r.Decimal(4);
    if (timeFlag == 2 && packTime == 9800) {
        c.row.Set(PluCol::TimeFlag, 5);
        c.row.Set(PluCol::PackTime, 0);
        return;
    }
    Put(c.row, PluCol::TimeFlag, timeFlag);
    Put(c.row, PluCol::PackTime, packTime);
}

// The long block's USA PackQuant, which only goes out below 100 ("00000990" stands for more).
void WriteLongBlockPackQuant(const Source& c, RecordFields& f)
{
    const std::uint16_t packQuant = c.row.Get(PluCol::PackQuant);
    if (packQuant >= 100) return f.Text("00000990");
    f.Text("00000");
    f.Decimal("PackQuant", packQuant, 2);
    f.Text("0");
}
void ReadLongBlockPackQuant(const Target& c, RecordReader& r)
{
    r.Skip(5);
    Put(c.row, PluCol::PackQuant, r.Decimal(2));
    r.Skip(1);
}

// Family 3 under the nutrition layout sends only whether the price is open: "1" for 2, else "2".
void WriteOpenPriceFlag(const Source& c, RecordFields& f) { f.Text(OpenPriceOf(c) != 2 ? "2" : "1"); }
void ReadOpenPriceFlag(const Target& c, RecordReader& r)
{
    if (r.Decimal(1) == 1) c.row.Set(PluCol::OpenPrice, 2);
}

// ---- The price block.

constexpr PluField kPriceBlock[] = {
    F::Decimal(2, PluCol::SalesMode),
    F::Decimal(6, PluCol::UnitPrice),
    F::Literal("0"),
    F::Decimal(7, PluCol::UnitPrice).WriteOnly(),
    F::Literal("0"),
    F::Decimal(5, PluCol::Weight),
    F::Decimal(1, PluCol::Unit).When(IsPhilippines),
    F::Literal("000").When(IsPhilippines),
    F::Literal("0").When(IsNotPhilippines),
    F::Decimal(3, PluCol::PackQuant).When(IsNotPhilippines),
    F::Decimal(6, PluCol::CostPrice),
    F::Decimal(2, PluCol::MarkFlag),
    F::Decimal(6, PluCol::MarkPrice),
    F::Decimal(4, "Tare", ScaleTare<PluCol::Tare>, PutDatabaseTare<PluCol::Tare>),
    F::Custom(10, WritePriceBlockDate, ReadPriceBlockDate),
};

// ---- The code block: POS fields, the department-group-item code, the message fields by site, then
// the tail by market (or family 4's own tail).

constexpr PluField kPhilippinesMessages[] = {
    F::Decimal(4, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Literal("00"),
};
constexpr PluField kCouponMessages[] = {
    F::Decimal(4, "message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::Decimal(2, PluCol::No2PrintFlag),
};
constexpr PluField kTaiwanMessages[] = {
    F::Decimal(2, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Literal("0000"),
};
constexpr PluField kTwoDigitMessages[] = {
    F::Decimal(2, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Decimal(2, "message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::Decimal(2, PluCol::Nutrition),
};
constexpr PluField kFourDigitMessages[] = {
    F::Decimal(4, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Decimal(2, "message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::Decimal(2, PluCol::Nutrition),
};
constexpr PluField kSixDigitMessages[] = {F::Decimal(6, "message slot 2", MessageSlot<2>, PutMessageSlot<2>)};

constexpr PluField kMessages[] = {
    F::Block(kPhilippinesMessages).When(HasPhilippinesMessages),
    F::Block(kCouponMessages).When(HasCouponMessages),
    F::Block(kTaiwanMessages).When(HasTaiwanMessages),
    F::Block(kTwoDigitMessages).When(HasTwoDigitMessages),
    F::Block(kFourDigitMessages).When(HasFourDigitMessages),
    F::Block(kSixDigitMessages).When(HasSixDigitMessages),
};

constexpr PluField kUsaTail[] = {
    F::Literal("00"),
    F::Decimal(2, PluCol::ForcedTare),
    F::Decimal(2, PluCol::LabelFormatNo2).When(UsesLabelFormatNo2),
    F::Decimal(2, PluCol::No2PrintFlag).When(UsesNo2PrintFlag),
    F::Literal("0000"),
};
constexpr PluField kThirdMessageTail[] = {
    F::Literal("0000"),
    F::Decimal(4, "message slot 3", MessageSlot<3>, PutMessageSlot<3>),
    F::Literal("00"),
};
constexpr PluField kBarCodeTail[] = {F::Decimal(2, PluCol::BarCodeNum), F::Literal("00000000")};
constexpr PluField kTaiwanTail[] = {
    F::Decimal(2, "message slot 3", MessageSlot<3>, PutMessageSlot<3>),
    F::Decimal(2, "message slot 4", MessageSlot<4>, PutMessageSlot<4>),
    F::Decimal(2, PluCol::Unit),
    F::Literal("00"),
};

constexpr PluField kCommonTail[] = {
    F::Decimal(2, PluCol::TaxNo),
    F::Decimal(2, PluCol::OpenPrice),
    F::Block(kUsaTail).When(IsUsa),
    F::Block(kThirdMessageTail).When(HasThirdMessage),
    F::Block(kBarCodeTail).When(HasBarCodeTail),
    F::Block(kTaiwanTail).When(IsTaiwan),
    F::Literal("0000000000").When(HasEmptyTail),
};
constexpr PluField kFamily4Tail[] = {
    F::Decimal(2, PluCol::TrayNo),     F::Decimal(2, PluCol::Rotate),     F::Decimal(2, PluCol::OpenPrice),
    F::Decimal(2, PluCol::LabelFormat), F::Decimal(4, PluCol::UpperLimit), F::Decimal(4, PluCol::LowerLimit),
};

// The message fields and tail, where the nutrition layout has its own fields and no tail.
constexpr PluField kPlainCodeBlockEnd[] = {
    F::Block(kMessages).When(HasCommonTail),
    F::Block(kMessages).CutBy(2).When(HasFamily4Tail),
    F::Block(kCommonTail).When(HasCommonTail),
    F::Block(kFamily4Tail).When(HasFamily4Tail),
};
constexpr PluField kNutritionLayoutMessages[] = {
    F::Decimal(4, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Decimal(4, PluCol::ExMessage2),
    F::Decimal(2, "OpenPrice", NutritionLayoutOpenPrice, PutNutritionLayoutOpenPrice),
    F::Decimal(4, PluCol::ExMessage3),
    F::Decimal(6, "PLU number", PluNumber),
    F::Decimal(6, "PLU number", NutritionLink, PutNutritionFlag),
    F::Decimal(2, PluCol::Random).When(IsFamily1),
};

constexpr PluField kCodeBlock[] = {
    F::Decimal(2, PluCol::PosSelect),
    F::Custom(2, WritePosflag, ReadPosflag),
    F::RightAligned(10, PluCol::PosCode),
    F::RightAligned(4, PluCol::RegCode),
    F::Custom(8, WriteDeptGroupItemText, ReadDeptGroupItemText),
    F::Decimal(2, PluCol::Message1),
    F::Block(kNutritionLayoutMessages).When(HasNutritionMessages),
    F::Block(kPlainCodeBlockEnd).When(HasPlainMessages),
};

// ---- The layouts up to the description.

constexpr PluField k65Layout[] = {
    F::Literal("65").When(Opens65),
    F::Literal("6502").When(Opens6502),
    F::Decimal(6, "PLU number", PluNumber),
    F::Block(kPriceBlock),
    F::Decimal(2, PluCol::TimeFlag),
    F::Decimal(2, PluCol::ExpTimeFlag),
    F::Decimal(4, PluCol::ExpTime).When(SendsExpiryTime),
    F::Decimal(4, PluCol::PackTime).When(SendsPackTime),
    F::Block(kCodeBlock),
};

constexpr PluField k84Layout[] = {
    F::Literal("84"),
    F::Decimal(6, "PLU number", PluNumber),
    F::Block(kPriceBlock),
    F::Decimal(2, PluCol::TimeFlag),
    F::Decimal(4, PluCol::PackTime),
    F::Decimal(2, PluCol::ExpTimeFlag),
    F::Decimal(4, PluCol::ExpTime),
    F::Block(kCodeBlock).CutBy(10),
    F::Decimal(2, PluCol::Random),
    F::Literal("0000000000000000"),
};

constexpr PluField k30Family1Layout[] = {
    F::Literal("30"),
    F::Decimal(6, "PLU number", PluNumber),
    F::Block(kPriceBlock),
    F::Custom(6, WriteFamily1PackTime, ReadFamily1PackTime),
    F::Decimal(2, PluCol::ExpTimeFlag),
    F::Decimal(4, PluCol::ExpTime),
    F::Block(kCodeBlock),
    F::Literal("00000000"),
};

// The fields the long and short blocks share from the department-group-item code to SalesMode; their
// Posflag and date differ.
constexpr std::array<PluField, 14> BlockPrices(PluField posflag, PluField date)
{
    return {F::Custom(8, WriteDeptGroupItemText, ReadDeptGroupItemText),
            posflag,
            F::RightAligned(10, PluCol::PosCode),
            F::Literal("0"),
            F::Decimal(5, PluCol::UnitPrice),
            F::Literal("0"),
            F::Decimal(5, PluCol::Weight),
            F::Decimal(5, PluCol::CostPrice),
            F::Decimal(1, PluCol::MarkFlag),
            F::Literal("0"),
            F::Decimal(5, PluCol::MarkPrice),
            F::Decimal(4, PluCol::Tare),
            date,
            F::Decimal(1, PluCol::SalesMode)};
}
constexpr auto kLongBlockPrices =
    BlockPrices(F::Custom(2, WriteLongBlockPosflag, ReadPosflag), F::Custom(8, WriteLongBlockDate, ReadLongBlockDate));
constexpr auto kShortBlockPrices =
    BlockPrices(F::Custom(2, WritePosflag, ReadPosflag), F::Custom(8, WriteShortBlockDate, ReadShortBlockDate));

constexpr PluField kLongLayout[] = {
    F::Literal("3000").When(IsFamily3),
    F::Decimal(4, "PLU number", PluNumber).When(IsFamily3),
    F::Literal("30").When(IsNotFamily3),
    F::Decimal(6, "PLU number", PluNumber).When(IsNotFamily3),
    F::Block(kLongBlockPrices),
    F::HexDigit(PluCol::PosSelect),
    F::Decimal(4, PluCol::PackTime),
    F::HexDigitUpper(PluCol::Message1),
    F::Decimal(2, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Literal("00000000").When(IsNotUsa),
    F::Custom(8, WriteLongBlockPackQuant, ReadLongBlockPackQuant).When(IsUsa),
    F::Decimal(1, "OpenPrice", SwappedOpenPrice, PutSwappedOpenPrice),
    F::Literal("0000").When(IsNotUsa),
    F::Literal("0").When(IsUsa),
    F::Decimal(1, PluCol::Nutrition).When(IsUsa),
    F::Literal("00").When(IsUsa),
};

constexpr PluField kShortLayout[] = {
    F::Literal("83").When(IsFamily3),
    F::Literal("39").When(IsNotFamily3),
    F::Decimal(6, "PLU number", PluNumber),
    F::Block(kShortBlockPrices),
    F::Decimal(1, PluCol::PosSelect),
    F::Decimal(4, PluCol::PackTime),
    F::Decimal(2, PluCol::Message1),
    F::Decimal(2, "message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Literal("00000000"),
    F::Literal("0").When(IsNotFamily3),
    F::Decimal(1, PluCol::OpenPrice).When(IsNotFamily3),
    F::Custom(1, WriteOpenPriceFlag, ReadOpenPriceFlag).When(IsFamily3AndNutritionLayout),
    F::Decimal(1, PluCol::OpenPrice).When(IsFamily3WithoutNutritionLayout),
    F::Decimal(2, PluCol::Random),
    F::Literal("00"),
};

// ---- The description.

// The description in the scale's character set, at most `limit` bytes with its 0 byte, which is
// written but not counted; families 1 and 3 close a short text with the font code ESC 'C' '0'.
void WriteDescription(const Source& c, RecordFields& f, std::size_t limit)
{
    const std::span<std::uint8_t> rest = f.Rest();
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), std::min(rest.size(), limit));
    std::size_t length = ConvertTextToScaleCharset(c.text, c.scale, c.row.GetDesc(), out);
    if ((c.family == 1 || c.family == 3) && length + 3 < out.size()) {
        out[length++] = kEsc;
        out[length++] = 'C';
        out[length++] = '0';
        out[length] = '\0';
    }
    f.Advance(length);
}

// The longest run of whole characters of `text` within `room` bytes.
std::string_view WholeCharsWithin(std::string_view text, std::size_t room, const CharRule& chars)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = NextChar(text, end, chars);
        if (next == end || next > room) break;
        end = next;
    }
    return text.substr(0, end);
}

// The text without its ESC 'C' line codes.
std::string WithoutLineCodes(std::string_view text, const CharRule& chars)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == kEsc && i + 1 < text.size() && text[i + 1] == 'C') {
            i += 3;
            continue;
        }
        const std::size_t next = NextChar(text, i, chars);
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
void FinishNutritionLayoutText(const Source& c, RecordFields& f, std::size_t textStart, std::size_t textRoom)
{
    if (const std::span<std::uint8_t> text = f.WrittenSince(textStart); text.size() >= 3) {
        const std::span<std::uint8_t> tail = text.last(3);
        if (tail[0] == kEsc && tail[1] == 'C' && tail[2] >= '0' && tail[2] <= '9') f.MoveBackTo(f.Position() - 3);
    }
    // One byte of the buffer stays for the 0 that ends the text.
    std::size_t end = f.Position() + f.Rest().size() - 1;
    if (textRoom < end - textStart) end = textStart + textRoom;
    const auto append = [&](std::string_view text) {
        if (f.Position() < end) f.Text(WholeCharsWithin(text, end - f.Position(), c.text.chars));
    };
    const auto message = static_cast<std::uint32_t>(c.row.Get(PluCol::Message7));
    if (const auto text = c.companions.GetExMessageText(message); text && !text->empty()) {
        const std::string plain = WithoutLineCodes(*text, c.text.chars);
        std::string wrapped(plain.size() * 2 + 64, '\0');
        wrapped.resize(WrapDescText('1', 60, wrapped.size(), wrapped, plain, c.text.chars));
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

// Families 2 and 3 take at most 1001 bytes of text; under the nutrition layout the text goes on.
void WriteBlockDescription(const Source& c, RecordFields& f, std::size_t nutritionTextRoom)
{
    const std::size_t textStart = f.Position();
    WriteDescription(c, f, std::min<std::size_t>(c.scale.m_maxDescLength, kLongBlockTextMax + 1));
    if (c.ausNz && f.Ok()) FinishNutritionLayoutText(c, f, textStart, nutritionTextRoom);
}

// Read back, the closing font code of families 1 and 3 is taken off again: the row never had it.
void ReadDescription(const Target& c, std::string_view scaleText)
{
    std::array<char, kPluDescMax + 1> desc{};
    const std::size_t length = ConvertTextFromScaleCharset(c.text, c.scale, desc, scaleText);
    std::string_view text(desc.data(), length);
    if ((c.family == 1 || c.family == 3) && text.ends_with(kClosingFontCode))
        text.remove_suffix(kClosingFontCode.size());
    c.row.SetDesc(text, c.text.chars);
}

// ---- The choice of layout.

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

struct TextLayoutForm {
    std::span<const PluField> fields;
    std::uint16_t code;
};

TextLayoutForm FormOf(TextLayout layout, std::uint16_t family)
{
    switch (layout) {
    case TextLayout::L84: return {k84Layout, 84};
    case TextLayout::L30Family1: return {k30Family1Layout, 30};
    case TextLayout::Long: return {kLongLayout, 30};
    case TextLayout::Short: return {kShortLayout, family == 3 ? std::uint16_t{83} : std::uint16_t{39}};
    case TextLayout::L65: break;
    }
    return {k65Layout, 65};
}

}  // namespace

std::uint8_t SwapOneAndTwo(std::uint8_t openPrice)
{
    return openPrice == 1 ? 2 : openPrice == 2 ? 1 : openPrice;
}

std::uint16_t WriteTextRecord(const PluRecordContext& c, RecordFields& f)
{
    const TextLayout layout = LayoutOf(c.setup, c.ausNz, c.family);
    const TextLayoutForm form = FormOf(layout, c.family);
    WriteLayout<PluRecordKind>(form.fields, c, f);
    if (layout == TextLayout::Long)
        WriteBlockDescription(c, f, kNutritionTextRoom);
    else if (layout == TextLayout::Short && c.family == 3)
        WriteBlockDescription(c, f, std::numeric_limits<std::size_t>::max());
    else
        WriteDescription(c, f, c.scale.m_maxDescLength);
    return form.code;
}

ScaleTextSpan ReadTextRecord(const PluDecodeContext& c, std::span<const std::uint8_t> record)
{
    const std::string_view whole = RecordText(record);
    RecordReader r(record.first(whole.size()));
    ReadLayout<PluRecordKind>(FormOf(LayoutOf(c.setup, c.ausNz, c.family), c.family).fields, c, r);
    const ScaleTextSpan text{r.Position(), r.Rest().size()};
    ReadDescription(c, r.Ok() ? whole.substr(text.start) : std::string_view{});
    TakeBackAddedDay(c, kTextShelfLifeHighest, false);
    return r.Ok() ? text : ScaleTextSpan{whole.size(), 0};
}

std::optional<std::uint32_t> ReadPluNumber(const CGeneralSetup& setup, bool ausNz, std::uint16_t family,
                                           std::span<const std::uint8_t> record)
{
    RecordReader r(record);
    std::optional<std::int64_t> number;
    if (family <= 5) {
        // The PLU number follows the layout's code.
        const bool fourDigits = LayoutOf(setup, ausNz, family) == TextLayout::Long && family == 3;
        const bool longCode = LayoutOf(setup, ausNz, family) == TextLayout::L65 && family != 1 &&
                              setup.m_market != MarketUsa;
        r.Skip(fourDigits || longCode ? 4 : 2);
        number = r.Decimal(fourDigits ? 4 : 6);
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

std::uint32_t HighestPluNumber(const CGeneralSetup& setup, bool ausNz, std::uint16_t family)
{
    if (family <= 5) return LayoutOf(setup, ausNz, family) == TextLayout::Long && family == 3 ? 9999 : 999999;
    if (family == 6 || family == 8) return 99999999;
    if (family == 7) return 999999;
    return 0xFFFFFFFF;
}

}  // namespace varnel
