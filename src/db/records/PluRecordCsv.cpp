// The comma-separated PLU records of families 9 to 12, written and read from one declaration:
// numbered decimal fields, each ended by a comma (an empty field is a comma alone and reads nothing),
// the description as a quoted field, then the price fields. The field lists follow the field numbers
// that the scales' documentation uses. What is not a mirror image stays as code beside the tables:
// the row's date, time and expiry flags, which go out split into two scale flags each and come back
// joined; family 9's date fields; the price block's pack-type field; the extra price blocks of
// family 9, which only go out.
#include "db/records/PluRecordKind.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluFlagChoices.h"
#include "db/text/QuotedScaleText.h"
#include "platform/TextFormat.h"

#include <array>
#include <charconv>

namespace varnel {
namespace {

using namespace plu_layout;

constexpr std::size_t kEmptyExtraPriceFields = 34;
constexpr std::size_t kExtraPriceTables = 5;
// The price fields are laid out first, so that the description leaves room for them.
constexpr std::size_t kPriceFieldsRoom = 2048;
constexpr std::size_t kPosCodeMax = 13;
constexpr std::size_t kRegCodeMax = 4;
constexpr std::size_t kPackTypeMax = 3;
constexpr std::uint16_t kEventGeneral = 3;
constexpr MessageId kMsgDateFlagSentAsNone = 90302;

// The sites' conditions.
bool IsNewZealand(const Site& s) { return s.Market() == MarketNewZealand; }
bool IsNotNewZealand(const Site& s) { return !IsNewZealand(s); }
bool IsNotTaiwan(const Site& s) { return !IsTaiwan(s); }
bool IsNewZealandOrAustralia(const Site& s) { return IsNewZealand(s) || s.Market() == MarketAustralia; }
bool IsNeitherNewZealandNorAustralia(const Site& s) { return !IsNewZealandOrAustralia(s); }
// Family 12 outside the USA leaves a few fields empty.
bool IsNarrow(const Site& s) { return s.family == 12 && !IsUsa(s); }
bool IsNotNarrow(const Site& s) { return !IsNarrow(s); }
bool IsFamily9(const Site& s) { return s.family == 9; }
bool IsNotFamily9(const Site& s) { return !IsFamily9(s); }
bool IsFamily9InTaiwan(const Site& s) { return IsFamily9(s) && IsTaiwan(s); }
bool IsFamily12(const Site& s) { return s.family == 12; }
bool HasSafeHandling(const Site& s) { return IsUsa(s) || IsTaiwan(s); }
bool IsFamily12WithoutSafeHandling(const Site& s) { return IsFamily12(s) && !HasSafeHandling(s); }
bool TakesTrayNumber(const Site& s) { return s.setup.m_noTrayNumber == 0; }
bool TakesNoTrayNumber(const Site& s) { return !TakesTrayNumber(s); }
bool SendsNutritionEditLink(const Site& s) { return IsUsa(s) && s.roles.CanEditNutrition(); }
bool SendsNoNutritionEditLink(const Site& s) { return !SendsNutritionEditLink(s); }

// Computed values and what a reader makes of them.
std::int64_t PluIf(const Source& c, bool condition) { return condition ? c.plu : 0; }
bool HasIngredients(const Source& c) { return c.companions.GetIngredientsText(c.plu).has_value(); }
bool HasNutritionRecord(const Source& c) { return c.companions.HasNutritionRecord(c.plu); }
std::int64_t IngredientsLink(const Source& c) { return PluIf(c, HasIngredients(c)); }
std::int64_t NutritionRecordLink(const Source& c) { return PluIf(c, HasNutritionRecord(c)); }
std::int64_t NutritionLink(const Source& c) { return PluIf(c, c.HasNutrition() && HasNutritionRecord(c)); }
std::int64_t NutritionFlagLink(const Source& c) { return PluIf(c, c.HasNutrition()); }
// A field that names the PLU's nutrition record by the PLU number, when it has one.
void PutNutritionId(const Target& c, std::int64_t link)
{
    if (link != 0) c.row.Set(PluCol::NutritionID, static_cast<std::int32_t>(link));
}

std::int64_t SwappedBestBeforeFlag(const Source& c) { return SwapOneAndTwo(c.row.Get(PluCol::BestBeforeFlag)); }
void PutSwappedBestBeforeFlag(const Target& c, std::int64_t value)
{
    c.row.Set(PluCol::BestBeforeFlag, SwapOneAndTwo(static_cast<std::uint8_t>(value)));
}
std::int64_t SecondBottomOrTwo(const Source& c)
{
    const std::uint8_t secondBottom = c.row.Get(PluCol::SecondBotPrintFlag);
    return secondBottom == 0 ? 2 : secondBottom;
}
std::int64_t ExpTimeWhenFlagged(const Source& c)
{
    return c.row.Get(PluCol::ExpTimeFlag) >= 2 ? c.row.Get(PluCol::ExpTime) : 0;
}

// ---- The flags split into two scale flags each, and joined again.

struct FlagParts {
    std::int64_t dateFirst, dateSecond, timeFirst, timeSecond, expFirst, expSecond;
};

FlagParts SplitFlags(const Source& c)
{
    const bool market10 = c.Market() == MarketTaiwan;
    const std::uint8_t date = c.row.Get(PluCol::DateFlag);
    const std::uint8_t time = c.row.Get(PluCol::TimeFlag);
    const std::uint8_t exp = c.row.Get(PluCol::ExpTimeFlag);
    FlagParts parts{};
    const bool noDate = date == 0 && !market10;
    parts.dateFirst = noDate ? 0 : (date == 2 || date == 4 || date == 6 || date == 7) ? 1 : 2;
    parts.dateSecond = noDate ? 0 : (date == 3 || date == 4 || date == 6 || date == 7) ? 1 : 2;
    parts.timeFirst = time != 0 ? (time == 1 ? 2 : 1) : (market10 ? 2 : 0);
    parts.timeSecond = !market10 && time == 0 ? 0 : time == 3 ? 1 : 2;
    parts.expFirst = exp != 0 ? (exp == 1 ? 2 : 1) : (market10 ? 1 : 0);
    parts.expSecond = exp != 0 ? (exp == 2 ? 1 : 2) : (market10 ? 2 : 0);
    return parts;
}

std::uint8_t Flag(std::int64_t value) { return static_cast<std::uint8_t>(value); }

// Either part 0 is no date, as it is for the time flags: the writer splits no date into two zeros.
std::uint8_t JoinDateParts(std::int64_t first, std::int64_t second)
{
    return first == 0 || second == 0 ? 0 : JoinDateFlag(Flag(first), Flag(second));
}

// Read back, the parts start as the date's 1 and 2 and the times' 2 and 2, for fields that do not read.
constexpr FlagParts kUnreadParts{1, 2, 2, 2, 2, 2};

void PutJoinedFlags(CPluDefRec& row, const FlagParts& p, bool joinDate)
{
    if (joinDate) row.Set(PluCol::DateFlag, JoinDateParts(p.dateFirst, p.dateSecond));
    row.Set(PluCol::TimeFlag, JoinTimeFlag(Flag(p.timeFirst), Flag(p.timeSecond)));
    row.Set(PluCol::ExpTimeFlag, JoinExpTimeFlag(Flag(p.expFirst), Flag(p.expSecond)));
}

void ReadInto(std::int64_t& part, const std::optional<std::int64_t>& value)
{
    if (value) part = *value;
}

// Fields 1 to 11 (families 9 and 11): PLU, item code, the flag parts, PackTime, the first date
// value and ExpTime.
void WriteDateTimeFields(const Source& c, RecordFields& f, const FlagParts& p, std::int64_t dateFirst,
                         std::int64_t dateSecond, std::int64_t expSecond, std::int64_t firstDate)
{
    const CPluDefRec& r = c.row;
    f.CsvNumber(c.plu);
    f.CsvNumber(r.Get(PluCol::ItemCode));
    f.CsvNumber(dateFirst);
    f.CsvNumber(p.timeFirst);
    f.CsvNumber(p.timeSecond);
    f.CsvNumber(r.Get(PluCol::PackTime));
    f.CsvNumber(dateSecond);
    f.CsvNumber(p.expFirst);
    f.CsvNumber(expSecond);
    f.CsvNumber(firstDate);
    f.CsvNumber(p.expFirst == 2 ? 0 : r.Get(PluCol::ExpTime));
}

struct DateTimeFields {
    FlagParts parts = kUnreadParts;
    std::optional<std::int64_t> firstDate;
};

DateTimeFields ReadDateTimeFields(const Target& c, CsvFieldReader& f)
{
    DateTimeFields d;
    f.Skip();  // the PLU number
    Put(c.row, PluCol::ItemCode, f.NumberOf(PluCol::ItemCode));
    ReadInto(d.parts.dateFirst, f.Number());
    ReadInto(d.parts.timeFirst, f.Number());
    ReadInto(d.parts.timeSecond, f.Number());
    Put(c.row, PluCol::PackTime, f.NumberOf(PluCol::PackTime));
    ReadInto(d.parts.dateSecond, f.Number());
    ReadInto(d.parts.expFirst, f.Number());
    ReadInto(d.parts.expSecond, f.Number());
    d.firstDate = f.Number();
    Put(c.row, PluCol::ExpTime, f.NumberOf(PluCol::ExpTime));
    return d;
}

// Families 9 in market 10 and 11: the date flag split too, ShelfLife the first date value.
void WriteSplitDateTime(const Source& c, RecordFields& f)
{
    const FlagParts p = SplitFlags(c);
    WriteDateTimeFields(c, f, p, p.dateFirst, p.dateSecond, p.expSecond, c.row.Get(PluCol::ShelfLife));
}
void ReadSplitDateTime(const Target& c, CsvFieldReader& f)
{
    const DateTimeFields d = ReadDateTimeFields(c, f);
    PutJoinedFlags(c.row, d.parts, true);
    Put(c.row, PluCol::ShelfLife, d.firstDate);
}

// ---- Family 9's dates: A, B, C, V1 and V2 (the date print flag, date flag, best-before flag and the
// two date values) of fields 3, 7, 12, 10 and 13.

struct DateFields {
    std::int64_t a = 0, b = 0, c = 0, v1 = 0, v2 = 0;
};

// A date flag that the mapping does not know would leave A and B (and C) unset: it is sent as no
// date, and the event log says so.
void LogUnknownDateFlag(const Source& c, std::uint8_t flag)
{
    c.roles.log.WriteEvent(kEventGeneral, FormatMessage(kMsgDateFlagSentAsNone, static_cast<unsigned>(c.plu),
                                                        static_cast<unsigned>(flag)));
}

DateFields MapFamily9Dates(const Source& c)
{
    const CPluDefRec& r = c.row;
    const std::uint8_t flag = r.Get(PluCol::DateFlag);
    const std::int64_t shelfLife = r.Get(PluCol::ShelfLife);
    DateFields d{0, 0, 0, shelfLife, r.Get(PluCol::BestBefore)};
    if (c.Market() != MarketNewZealand) {
        d.c = SwapOneAndTwo(r.Get(PluCol::BestBeforeFlag));
        switch (flag) {
        case 0: break;
        case 1: d.a = 2, d.b = 2, d.v1 = 0; break;
        case 2: d.a = 1, d.b = 2, d.v1 = 0; break;
        case 3: d.a = 2, d.b = 1; break;
        case 4: d.a = 1, d.b = 1; break;
        default: LogUnknownDateFlag(c, flag); break;
        }
        return d;
    }
    switch (flag) {
    case 0: break;
    case 1: d = {2, 2, 2, 0, 0}; break;
    case 2: d = {1, 2, 2, 0, 0}; break;
    case 3: d = {2, 2, 1, 0, shelfLife}; break;
    case 4: d = {1, 2, 1, 0, shelfLife}; break;
    case 5: d.a = 2, d.b = 1, d.c = 2, d.v2 = 0; break;
    case 6: d.a = 1, d.b = 1, d.c = 2, d.v2 = 0; break;
    case 7: d.a = 1, d.b = 1, d.c = 1; break;
    default: LogUnknownDateFlag(c, flag); break;
    }
    return d;
}

// DateFlag, BestBeforeFlag, ShelfLife and BestBefore back from A, B, C, V1 and V2.
void PutFamily9Dates(const Target& c, std::int64_t a, std::int64_t b, std::int64_t flagC, std::int64_t v1,
                     std::int64_t v2)
{
    CPluDefRec& row = c.row;
    std::uint8_t flag = 0;
    std::int64_t shelfLife = v1;
    std::int64_t bestBefore = row.Get(PluCol::BestBefore);
    if (c.Market() != MarketNewZealand) {
        row.Set(PluCol::BestBeforeFlag, SwapOneAndTwo(Flag(flagC)));
        if (a != 0) flag = a == 2 ? (b == 1 ? 3 : 1) : (b == 1 ? 4 : 2);
        bestBefore = v2;
    } else if (a == 0) {
        bestBefore = v2;
    } else if (b == 2 && flagC == 1) {
        // Market 1: the shelf life of 3 and 4 goes as the second date value; C 1 tells 7 from 5 and 6.
        flag = a == 2 ? 3 : 4;
        shelfLife = v2;
    } else if (b == 2) {
        flag = a == 2 ? 1 : 2;
    } else if (flagC == 1) {
        flag = 7;
        bestBefore = v2;
    } else {
        flag = a == 2 ? 5 : 6;
    }
    row.Set(PluCol::DateFlag, flag);
    row.Set(PluCol::ShelfLife, static_cast<std::uint16_t>(shelfLife));
    row.Set(PluCol::BestBefore, static_cast<std::uint16_t>(bestBefore));
}

// Fields 1 to 13 of family 9 outside market 10; a second expiry part of 1 goes out as 0.
void WriteFamily9DateTime(const Source& c, RecordFields& f)
{
    const FlagParts p = SplitFlags(c);
    const DateFields d = MapFamily9Dates(c);
    WriteDateTimeFields(c, f, p, d.a, d.b, p.expSecond == 1 ? 0 : p.expSecond, d.v1);
    f.CsvNumber(d.c);
    f.CsvNumber(d.v2);
}
void ReadFamily9DateTime(const Target& c, CsvFieldReader& f)
{
    CPluDefRec& row = c.row;
    DateTimeFields d = ReadDateTimeFields(c, f);
    if (d.parts.expSecond == 0 && d.parts.expFirst != 0) d.parts.expSecond = 1;
    PutJoinedFlags(row, d.parts, false);
    const auto flagC = f.Number();
    const auto v2 = f.Number();
    PutFamily9Dates(c, d.parts.dateFirst == 1 || d.parts.dateFirst == 2 ? d.parts.dateFirst : 0, d.parts.dateSecond,
                    flagC.value_or(0), d.firstDate.value_or(row.Get(PluCol::ShelfLife)),
                    v2.value_or(row.Get(PluCol::BestBefore)));
}

// ---- Families 10 and 12: the date fields A2, B2, V1 and V2 of fields 3, 12, 10 and 13, which market
// 1 fills from DateFlag; B2 and where the shelf life stands tell the flag again.

DateFields MapFamily10Dates(const Source& c)
{
    const CPluDefRec& r = c.row;
    DateFields d{r.Get(PluCol::DateFlag), r.Get(PluCol::BestBeforeFlag), 0, r.Get(PluCol::ShelfLife),
                 r.Get(PluCol::BestBefore)};
    if (c.Market() != MarketNewZealand) return d;
    switch (d.a) {
    case 0: d.b = 0; break;
    case 1:
    case 2: d.b = 1, d.v1 = 0, d.v2 = 0; break;
    case 3:
    case 4: d.b = 2, d.v2 = d.v1, d.v1 = 0; break;
    case 5: d.a = 3, d.b = 1, d.v2 = 0; break;
    case 6: d.a = 4, d.b = 1, d.v2 = 0; break;
    case 7: d.a = 4, d.b = 2; break;
    default: break;
    }
    return d;
}
std::int64_t Family10DateA(const Source& c) { return MapFamily10Dates(c).a; }
std::int64_t Family10DateB(const Source& c) { return MapFamily10Dates(c).b; }
std::int64_t Family10DateV1(const Source& c) { return MapFamily10Dates(c).v1; }

// Field 13, V2; market 1 resolves its dates once it has read them.
void WriteFamily10DateV2(const Source& c, RecordFields& f) { f.CsvNumber(MapFamily10Dates(c).v2); }
void ReadFamily10DateV2(const Target& c, CsvFieldReader& f)
{
    CPluDefRec& row = c.row;
    Put(row, PluCol::BestBefore, f.NumberOf(PluCol::BestBefore));
    const std::uint8_t flag = row.Get(PluCol::DateFlag);
    if (c.Market() != MarketNewZealand || (flag != 3 && flag != 4)) return;
    const bool bestBefore2 = row.Get(PluCol::BestBeforeFlag) == 2;
    if (bestBefore2 && row.Get(PluCol::ShelfLife) == 0) {
        row.Set(PluCol::ShelfLife, row.Get(PluCol::BestBefore));
        return;
    }
    row.Set(PluCol::DateFlag, flag == 3 ? 5 : bestBefore2 ? 7 : 6);
}

// ---- The fields before the description.

// Fields 24 to 28: the free messages, the first two being extra messages 2 and 3 in market 1.
constexpr PluField kFreeMessages[] = {
    F::CsvNumber(PluCol::ExMessage2).When(IsNewZealand), F::CsvNumber(PluCol::FreeMsg1).When(IsNotNewZealand),
    F::CsvNumber(PluCol::ExMessage3).When(IsNewZealand), F::CsvNumber(PluCol::FreeMsg2).When(IsNotNewZealand),
    F::CsvNumber(PluCol::FreeMsg3),                      F::CsvNumber(PluCol::FreeMsg4),
    F::CsvNumber(PluCol::FreeMsg5),
};

constexpr PluField kFamily9Market10Fields[] = {
    F::CsvCustom(WriteSplitDateTime, ReadSplitDateTime),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::BestBefore),
    F::CsvNumber(PluCol::TopPrintFlag),
    F::CsvNumber(PluCol::BottomPrintFlag),
    F::CsvNumber(PluCol::EyeCatchPrintFlag),
    F::CsvNumber(PluCol::No2PrintFlag),
    F::CsvNumber(PluCol::LabelFormatNo1),
    F::CsvNumber(PluCol::LabelFormatNo2),
    F::CsvNumber(PluCol::Ingredients),
    F::CsvNumber(PluCol::StorageTemp),
    F::CsvNumber(PluCol::StorageInstruct),
    F::CsvNumber(PluCol::Origin),
    F::CsvNumber(PluCol::FreeMsg1),
    F::CsvNumber(PluCol::FreeMsg2),
    F::CsvNumber(PluCol::FreeMsg3),
    F::CsvNumber(PluCol::FreeMsg4),
    F::CsvNumber(PluCol::FreeMsg5),
    F::CsvEmpty(5),
    F::CsvNumber(PluCol::StoreId),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::CostPrice),
    F::CsvNumber(PluCol::TaxNo),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::TotalsFlag),
    F::CsvNumber(PluCol::TopBarFlag),
    F::CsvNumber(PluCol::PrintFlag),
    F::CsvNumber(PluCol::TrayFlag),
    F::CsvNumber(PluCol::SecondBotPrintFlag),
    F::CsvNumber(PluCol::WrappingSpeed),
    F::CsvNumber(PluCol::TopTypeFlag),
    F::CsvNumber(PluCol::OpenPrice),
    F::CsvNumber(PluCol::NutritionID),
    F::CsvNumber(PluCol::PropTare),
    F::CsvEmpty(),
};

constexpr PluField kFamily9Market1Links[] = {
    F::CsvEmpty(),
    F::CsvNumber(PluCol::ForcedTare),
    F::CsvNumber("message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::CsvNumber("ingredients link", IngredientsLink),
    F::CsvNumber("nutrition link", NutritionLink, PutNutritionFlag),
};
constexpr PluField kFamily9Links[] = {
    F::CsvNumber("nutrition link", NutritionRecordLink, PutNutritionId),
    F::CsvNumber(PluCol::ForcedTare),
    F::CsvNumber("message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::CsvNumber("message slot 3", MessageSlot<3>, PutMessageSlot<3>),
    F::CsvNumber("message slot 4", MessageSlot<4>, PutMessageSlot<4>),
};

constexpr PluField kFamily9Fields[] = {
    F::CsvCustom(WriteFamily9DateTime, ReadFamily9DateTime),
    F::CsvEmpty(4),
    F::CsvNumber(PluCol::LabelFormatNo1),
    F::CsvNumber(PluCol::LabelFormatNo2),
    F::CsvEmpty(4),
    F::Block(kFreeMessages),
    F::CsvEmpty(13),
    F::CsvNumber(PluCol::TrayFlag),
    F::CsvNumber(PluCol::SecondBotPrintFlag).WrittenAs(SecondBottomOrTwo),
    F::CsvNumber(PluCol::WrappingSpeed),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::OpenPrice),
    F::Block(kFamily9Market1Links).When(IsNewZealand),
    F::Block(kFamily9Links).When(IsNotNewZealand),
};

constexpr PluField kFamily11Fields[] = {
    F::CsvCustom(WriteSplitDateTime, ReadSplitDateTime),
    F::CsvNumber("BestBeforeFlag", SwappedBestBeforeFlag, PutSwappedBestBeforeFlag),
    F::CsvNumber(PluCol::BestBefore),
    F::CsvEmpty(4),
    F::CsvNumber(PluCol::LabelFormatNo1),
    F::CsvNumber(PluCol::LabelFormatNo2),
    F::CsvEmpty(4),
    F::Block(kFreeMessages),
    F::CsvEmpty(3),
    F::CsvNumber("message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::CsvEmpty(3),
    F::CsvNumber(PluCol::CostPrice),
    F::CsvEmpty(9),
    F::CsvNumber(PluCol::OpenPrice),
    F::CsvNumber("nutrition link", NutritionRecordLink, PutNutritionId).When(IsUsa),
    F::CsvEmpty().When(IsNotUsa),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::ForcedTare).When(IsUsa),
    F::CsvEmpty().When(IsNotUsa),
    F::CsvNumber(PluCol::SafeHandlingFlag),
    F::CsvNumber(PluCol::SafeHandlingNo),
    F::CsvNumber(PluCol::Dept),
    F::CsvNumber(PluCol::Group),
    F::CsvEmpty(6),
};

constexpr PluField kFamily10Market1Links[] = {
    F::CsvNumber("PLU number", PluNumber),
    F::CsvNumber("nutrition link", NutritionFlagLink, PutNutritionFlag),
    F::CsvNumber("message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::CsvNumber("message slot 3", MessageSlot<3>, PutMessageSlot<3>),
    F::CsvNumber("message slot 4", MessageSlot<4>, PutMessageSlot<4>),
};
constexpr PluField kFamily10Links[] = {
    F::CsvNumber("message slot 3", MessageSlot<3>, PutMessageSlot<3>),
    F::CsvNumber("message slot 4", MessageSlot<4>, PutMessageSlot<4>),
    F::CsvNumber("message slot 1", MessageSlot<1>, PutMessageSlot<1>),
    F::CsvEmpty(2),
};

constexpr PluField kFamily10Fields[] = {
    F::CsvNumber("PLU number", PluNumber),
    F::CsvNumber(PluCol::ItemCode),
    F::CsvNumber(PluCol::DateFlag).WrittenAs(Family10DateA),
    F::CsvNumber(PluCol::TimeFlag),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::PackTime),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::ExpTimeFlag),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::ShelfLife).WrittenAs(Family10DateV1),
    F::CsvNumber(PluCol::ExpTime).WrittenAs(ExpTimeWhenFlagged),
    F::CsvNumber(PluCol::BestBeforeFlag).WrittenAs(Family10DateB),
    F::CsvCustom(WriteFamily10DateV2, ReadFamily10DateV2),
    F::CsvEmpty(4),
    F::CsvNumber(PluCol::LabelFormatNo1),
    F::CsvNumber(PluCol::LabelFormatNo2).When(IsNotNarrow),
    F::CsvEmpty().When(IsNarrow),
    F::CsvEmpty(4),
    F::CsvNumber(PluCol::Dept),
    F::CsvNumber(PluCol::Group),
    F::CsvEmpty(3),
    F::CsvNumber("message slot 2", MessageSlot<2>, PutMessageSlot<2>),
    F::Block(kFamily10Market1Links).When(IsNewZealandOrAustralia),
    F::Block(kFamily10Links).When(IsNeitherNewZealandNorAustralia),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::CostPrice),
    F::CsvNumber(PluCol::TaxNo),
    F::CsvEmpty(5),
    F::CsvNumber(PluCol::SecondBotPrintFlag).When(IsNotNarrow),
    F::CsvEmpty().When(IsNarrow),
    F::CsvEmpty(2),
    F::CsvNumber(PluCol::OpenPrice),
    F::CsvNumber("nutrition link", PluNumber).When(SendsNutritionEditLink),
    F::CsvEmpty().When(SendsNoNutritionEditLink),
    F::CsvNumber(PluCol::PropTare).When(IsNotNarrow),
    F::CsvEmpty().When(IsNarrow),
    F::CsvNumber(PluCol::ForcedTare).When(IsUsa),
    F::CsvEmpty().When(IsNotUsa),
};

std::span<const PluField> FieldsBeforeDescription(std::uint16_t family, std::uint16_t market)
{
    switch (family) {
    case 9: return market == MarketTaiwan ? std::span<const PluField>(kFamily9Market10Fields) : kFamily9Fields;
    case 11: return kFamily11Fields;
    default: return kFamily10Fields;
    }
}

// ---- The PLU's own price block.

// Sent twice; the sales mode tells which one a scale's record holds.
void WriteUnitPrices(const Source& c, RecordFields& f)
{
    f.CsvNumber(c.row.Get(PluCol::UnitPrice));
    f.CsvNumber(c.row.Get(PluCol::UnitPrice));
}
void ReadUnitPrices(const Target& c, CsvFieldReader& f)
{
    const auto first = f.Number();
    const auto second = f.Number();
    Put(c.row, PluCol::UnitPrice, c.row.Get(PluCol::SalesMode) == 0 ? first : second);
}

// Family 9 in the USA sends a percentage markdown in whole percent.
bool IsPercentMarkdownInTenths(const Site& s, std::uint8_t markFlag)
{
    return IsFamily9(s) && IsUsa(s) && IsPercentMarkdown(markFlag, s.setup.m_defaultScaleFamily);
}
std::int64_t Markdown(const Source& c)
{
    const std::uint8_t markFlag = c.row.Get(PluCol::MarkFlag);
    const std::int64_t markdown = markFlag == 0 ? 0 : c.row.Get(PluCol::MarkPrice);
    return IsPercentMarkdownInTenths(PluRecordKind::SiteOf(c), markFlag) ? markdown / 10 : markdown;
}
void PutMarkdown(const Target& c, std::int64_t markdown)
{
    if (IsPercentMarkdownInTenths(PluRecordKind::SiteOf(c), c.row.Get(PluCol::MarkFlag))) markdown *= 10;
    c.row.Set(PluCol::MarkPrice, static_cast<std::int32_t>(markdown));
}

// The pack-type field: family 9 writes PackQuant there, the others leave it empty; quoted text read
// back is the pack type.
void WritePackTypeField(const Source& c, RecordFields& f)
{
    if (c.family == 9)
        f.CsvNumber(c.row.Get(PluCol::PackQuant));
    else
        f.CsvEmpty();
}
void ReadPackTypeField(const Target& c, CsvFieldReader& f)
{
    const std::span<char> text = f.Buffer();
    const std::size_t at = std::min(f.Position(), text.size());
    const std::string_view rest(text.data() + at, text.size() - at);
    const std::size_t stop = rest.find_first_of(",\"");
    if (stop != std::string_view::npos && rest[stop] == '"') {
        std::string packType;
        CsvReadText(text, f.Position(), kPackTypeMax, packType, c.text.chars);
        return c.row.Set(PluCol::PackType, packType);
    }
    if (c.family == 9) return Put(c.row, PluCol::PackQuant, f.NumberOf(PluCol::PackQuant));
    f.Skip();
}

// `PosCode` without the leading zeros and blanks among its first characters.
void WritePosCode(const Source& c, RecordFields& f)
{
    const std::size_t span = c.family == 10 && c.Market() == MarketSouthAfrica ? 14 : 10;
    const std::string_view code = c.row.Get(PluCol::PosCode);
    std::size_t skip = 0;
    while (skip < code.size() && skip < span && (code[skip] == '0' || code[skip] == ' ')) ++skip;
    f.CsvText(code.substr(skip));
}
void ReadPosCode(const Target& c, CsvFieldReader& f)
{
    if (const std::string text = f.Text(kPosCodeMax); !text.empty()) c.row.Set(PluCol::PosCode, text);
}

// `RegCode` as a number; family 11 leaves it empty.
void WriteRegCode(const Source& c, RecordFields& f)
{
    if (c.family == 11) return f.CsvEmpty();
    const std::string_view text = c.row.Get(PluCol::RegCode);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    f.CsvNumber(error == std::errc{} ? value : 0);
}
void ReadRegCode(const Target& c, CsvFieldReader& f)
{
    if (const std::string text = f.Text(kRegCodeMax); !text.empty()) c.row.Set(PluCol::RegCode, text);
}

constexpr PluField kFamily11PriceTail[] = {
    F::CsvEmpty(),
    F::CsvNumber(PluCol::Message1),
    F::CsvNumber(PluCol::Message7),
    F::CsvNumber(PluCol::Logo1),
    F::CsvNumber(PluCol::Logo2),
    F::CsvEmpty(),
    F::CsvNumber("No2Tare", ScaleTare<PluCol::No2Tare>, PutDatabaseTare<PluCol::No2Tare>),
    F::CsvEmpty(6),
    F::CsvNumber(PluCol::Logo3),
    F::CsvNumber("ingredients link", IngredientsLink).When(IsNewZealand),
    F::CsvNumber("nutrition link", NutritionLink, PutNutritionFlag).When(IsNewZealand),
    F::CsvNumber(PluCol::ExMessage2).When(IsNotNewZealand),
    F::CsvNumber(PluCol::ExMessage3).When(IsNotNewZealand),
    F::CsvNumber(PluCol::SecondBotPrintFlag),
    F::CsvNumber(PluCol::PropTare),
    F::CsvEmpty(4),
};

constexpr PluField kSafeHandling[] = {
    F::CsvNumber(PluCol::SafeHandlingFlag),
    F::CsvNumber(PluCol::SafeHandlingNo),
    F::CsvEmpty().When(IsTaiwan),
    F::CsvNumber(PluCol::KgPrint).When(IsTaiwan),
    F::CsvNumber(PluCol::StockFlag).When(IsTaiwan),
};

constexpr PluField kFamily10PriceTail[] = {
    F::CsvEmpty(),
    F::CsvNumber(PluCol::Message1),
    F::CsvEmpty(),
    F::CsvNumber(PluCol::Logo1),
    F::CsvNumber(PluCol::Logo2),
    F::CsvEmpty(),
    F::CsvNumber("No2Tare", ScaleTare<PluCol::No2Tare>, PutDatabaseTare<PluCol::No2Tare>),
    F::CsvEmpty(6),
    F::Block(kSafeHandling).When(HasSafeHandling),
    F::CsvEmpty(3).When(IsFamily12WithoutSafeHandling),
};

constexpr PluField kFamily9PriceTail[] = {
    F::CsvNumber(PluCol::PopFlag).When(IsTaiwan),
    F::CsvEmpty().When(IsNotTaiwan),
    F::CsvNumber(PluCol::Message1),
    F::CsvNumber(PluCol::Comment).When(IsTaiwan),
    F::CsvEmpty().When(IsNotTaiwan),
    F::CsvNumber(PluCol::Logo1),
    F::CsvNumber(PluCol::Logo2),
    F::CsvNumber(PluCol::TrayNo).When(TakesTrayNumber),
    F::CsvEmpty().When(TakesNoTrayNumber),
    F::CsvNumber(PluCol::WrappingMode),
    F::CsvNumber(PluCol::FeedRate),
    F::CsvNumber(PluCol::ServeHeight),
    F::CsvNumber(PluCol::LabellingPos),
    F::CsvNumber(PluCol::LabellingMode),
    F::CsvNumber(PluCol::Wrapping).When(IsTaiwan),
    F::CsvEmpty().When(IsNotTaiwan),
    F::CsvNumber(PluCol::Logo3).When(IsNotTaiwan),
    F::CsvNumber(PluCol::PropTare).When(IsNotTaiwan),
    F::CsvNumber(PluCol::SafeHandlingNo).When(IsNotTaiwan),
    F::CsvNumber("message slot 1", MessageSlot<1>, PutMessageSlot<1>).When(IsNotTaiwan),
};

bool IsFamily11(const Site& s) { return s.family == 11; }
bool IsFamily10Or12(const Site& s) { return s.family == 10 || s.family == 12; }

// Fields the writer leaves empty for some families are read whatever they hold.
constexpr PluField kOwnPriceBlock[] = {
    F::CsvNumber(PluCol::SalesMode),
    F::CsvCustom(WriteUnitPrices, ReadUnitPrices),
    F::CsvNumber(PluCol::MarkFlag),
    F::CsvNumber("MarkPrice", Markdown, PutMarkdown),
    F::CsvCustom(WritePackTypeField, ReadPackTypeField),
    F::CsvNumber(PluCol::PackQuant).WrittenWhen(IsNotFamily9),
    F::CsvNumber(PluCol::Unit),
    F::CsvNumber(PluCol::Weight),
    F::CsvNumber("UpperLimit", ScaleTare<PluCol::UpperLimit>, PutDatabaseTare<PluCol::UpperLimit>),
    F::CsvNumber("LowerLimit", ScaleTare<PluCol::LowerLimit>, PutDatabaseTare<PluCol::LowerLimit>),
    F::CsvNumber("Tare", ScaleTare<PluCol::Tare>, PutDatabaseTare<PluCol::Tare>),
    F::CsvNumber(PluCol::ItfCodeType).WrittenWhen(IsFamily9InTaiwan),
    F::CsvNumber(PluCol::ItfFlag).WrittenWhen(IsFamily9InTaiwan),
    F::CsvNumber(PluCol::Ean128CodeType).WrittenWhen(IsFamily9InTaiwan),
    F::CsvNumber(PluCol::Ean128Flag).WrittenWhen(IsFamily9InTaiwan),
    F::CsvNumber(PluCol::PosSelect),
    F::CsvNumber(PluCol::BarCodeNum),
    F::CsvNumber(PluCol::PosFlagSelect).WrittenWhen(IsFamily9),
    F::CsvNumber(PluCol::Posflag),
    F::CsvCustom(WritePosCode, ReadPosCode),
    F::CsvCustom(WriteRegCode, ReadRegCode),
    F::Block(kFamily9PriceTail).When(IsFamily9),
    F::Block(kFamily11PriceTail).When(IsFamily11),
    F::Block(kFamily10PriceTail).When(IsFamily10Or12),
};

// Family 9 in multi-store operation: one block per extra price table whose record of the PLU is in
// use, the empty block for the others, and the PLU's own block first when no table has one.
void WriteExtraPriceBlocks(const Source& c, RecordFields& f)
{
    const std::size_t start = f.Position();
    bool anyInUse = false;
    for (std::size_t table = 1; table <= kExtraPriceTables && f.Ok(); ++table) {
        const std::size_t length = c.companions.WriteExtraPriceFields(static_cast<int>(table), c.scale, c.plu, f.Rest());
        if (length != 0) {
            anyInUse = true;
            f.Advance(length);
        } else {
            f.CsvEmpty(kEmptyExtraPriceFields);
        }
    }
    if (anyInUse) return;
    f.MoveBackTo(start);
    WriteLayout<PluRecordKind>(kOwnPriceBlock, c, f);
    for (std::size_t table = 2; table <= kExtraPriceTables; ++table) f.CsvEmpty(kEmptyExtraPriceFields);
}

void WritePriceFields(const Source& c, RecordFields& f)
{
    if (c.family == 9 && c.setup.m_singleStoreOperation == 0) return WriteExtraPriceBlocks(c, f);
    WriteLayout<PluRecordKind>(kOwnPriceBlock, c, f);
    if (c.family == 9)
        for (std::size_t table = 2; table <= kExtraPriceTables; ++table) f.CsvEmpty(kEmptyExtraPriceFields);
}

// The quoted description; where its text stands between the quotes. The fields before it were read in
// place, their commas made 0 bytes, so the text is read from the position on.
ScaleTextSpan ReadDescription(const Target& c, std::span<char> text, std::size_t& position)
{
    const std::string_view body(text.data(), text.size());
    const std::size_t start = std::min(position, body.size());
    const std::string_view field = body.substr(start);
    std::size_t consumed = 0;
    std::array<char, kPluDescMax + 1> desc{};
    if (DecodeQuotedScaleText(c.text, c.scale, desc, field, consumed) == 0) return {start, 0};
    position = start + consumed;
    c.row.SetDesc(desc.data(), c.text.chars);
    const std::size_t opening = field.find('"');
    const std::size_t closing = field.rfind('"', consumed == 0 ? 0 : consumed - 1);
    if (closing == std::string_view::npos || closing <= opening) return {start + opening + 1, 0};
    return {start + opening + 1, closing - opening - 1};
}

}  // namespace

std::size_t MaxCsvDescLength(std::uint16_t family, std::uint16_t market, bool ausNz)
{
    if (ausNz && market != MarketAustralia) return 150;
    return family == 9 ? 1022 : 2049;
}

void WriteCsvBody(const PluRecordContext& c, RecordFields& f)
{
    WriteLayout<PluRecordKind>(FieldsBeforeDescription(c.family, c.Market()), c, f);
    std::array<std::uint8_t, kPriceFieldsRoom> priceRoom;
    RecordFields price(priceRoom);
    WritePriceFields(c, price);
    if (!price.Ok()) return f.Refuse(price.RefusedField().empty() ? "price fields" : price.RefusedField());
    if (!f.Ok()) return;
    // A buffer too small for the price fields leaves the description no room and fails at them.
    const std::span<std::uint8_t> rest = f.Rest();
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), rest.size() - std::min(rest.size(), price.Position()));
    f.Advance(
        EncodeQuotedScaleText(c.text, c.scale, out, c.row.GetDesc(), MaxCsvDescLength(c.family, c.Market(), c.ausNz)));
    const std::span<const std::uint8_t> written = price.Written();
    f.Text(std::string_view(reinterpret_cast<const char*>(written.data()), written.size()));
    f.Terminate();
}

ScaleTextSpan ReadCsvFields(const PluDecodeContext& c, std::span<char> text, std::size_t& position)
{
    CsvFieldReader fields(text, position, c.text.chars);
    ReadCsvLayout<PluRecordKind>(FieldsBeforeDescription(c.family, c.Market()), c, fields);
    const ScaleTextSpan description = ReadDescription(c, text, position);
    TakeBackAddedDay(c, 0xFFFF, true);
    return description;
}

void ReadOwnPriceBlock(const PluDecodeContext& c, std::span<char> text, std::size_t& position)
{
    CsvFieldReader fields(text, position, c.text.chars);
    ReadCsvLayout<PluRecordKind>(kOwnPriceBlock, c, fields);
}

}  // namespace varnel
