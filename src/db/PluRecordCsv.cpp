// The comma-separated PLU records of families 9 to 12: numbered decimal fields, each ended by a comma
// (an empty field is a comma alone), the description as a quoted field, then the price fields. The
// field lists below carry the field numbers that the scales' documentation and the decoders use.
#include "db/PluRecordLayouts.h"

#include "db/MainFrame.h"
#include "db/PluFieldAccess.h"
#include "db/PluMessageLinks.h"
#include "db/QuotedScaleText.h"
#include "platform/TextFormat.h"

#include <array>
#include <charconv>

namespace varnel {
namespace {

using Context = PluRecordContext;

constexpr std::size_t kEmptyExtraPriceFields = 34;
constexpr std::size_t kExtraPriceTables = 5;
// The price fields are laid out first, so that the description leaves room for them.
constexpr std::size_t kPriceFieldsRoom = 2048;
constexpr std::uint16_t kEventGeneral = 3;
constexpr MessageId kMsgDateFlagSentAsNone = 90302;

bool IsMarket(const Context& c, Market market) { return c.Market() == market; }

std::int64_t Slot(const Context& c, int slot) { return GetMessageLink(c.row, slot); }

std::int64_t PluIf(const Context& c, bool condition) { return condition ? c.plu : 0; }

bool HasIngredients(const Context& c) { return c.companions.GetIngredientsText(c.plu).has_value(); }
bool HasNutritionRecord(const Context& c) { return c.companions.HasNutritionRecord(c.plu); }

// A value of the tare kind as the scale's tare format takes it.
std::int64_t ScaleTare(const Context& c, std::int64_t value)
{
    return c.scale.m_tareFormat == 1 ? (value + 5) / 10 : value;
}

// The split of the row's flags into the two scale flags that stand for each.
struct FlagParts {
    std::int64_t dateFirst, dateSecond, timeFirst, timeSecond, expFirst, expSecond;
};

FlagParts SplitFlags(const Context& c)
{
    const bool market10 = IsMarket(c, MarketTaiwan);
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

// The date fields of families 9 to 12: for family 9 A, B, C, V1 and V2 (the date print flag, date
// flag, best-before flag and the two date values), for families 10 and 12 A2, B2, V1 and V2.
struct DateFields {
    std::int64_t a = 0, b = 0, c = 0, v1 = 0, v2 = 0;
};

// A date flag that the mapping does not know would leave A and B (and C) unset: it is sent as no
// date, and the event log says so.
void LogUnknownDateFlag(const Context& c, std::uint8_t flag)
{
    if (const IMainFrame* frame = GetMainFrame())
        frame->WriteEvent(kEventGeneral, FormatMessage(kMsgDateFlagSentAsNone, static_cast<unsigned>(c.plu),
                                                       static_cast<unsigned>(flag)));
}

DateFields MapFamily9Dates(const Context& c)
{
    const CPluDefRec& r = c.row;
    const std::uint8_t flag = r.Get(PluCol::DateFlag);
    const std::int64_t shelfLife = r.Get(PluCol::ShelfLife);
    DateFields d{0, 0, 0, shelfLife, r.Get(PluCol::BestBefore)};
    if (!IsMarket(c, MarketNewZealand)) {
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

// A2, B2, V1 and V2 of families 10 and 12.
DateFields MapFamily10Dates(const Context& c)
{
    const CPluDefRec& r = c.row;
    DateFields d{r.Get(PluCol::DateFlag), r.Get(PluCol::BestBeforeFlag), 0, r.Get(PluCol::ShelfLife),
                   r.Get(PluCol::BestBefore)};
    if (!IsMarket(c, MarketNewZealand)) return d;
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

// Fields 24 to 28: the free messages, the first two being the extra messages 2 and 3 in market 1.
void WriteFreeMessages(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const bool market1 = IsMarket(c, MarketNewZealand);
    f.CsvNumber(market1 ? r.Get(PluCol::ExMessage2) : r.Get(PluCol::FreeMsg1));
    f.CsvNumber(market1 ? r.Get(PluCol::ExMessage3) : r.Get(PluCol::FreeMsg2));
    f.CsvNumber(r.Get(PluCol::FreeMsg3));
    f.CsvNumber(r.Get(PluCol::FreeMsg4));
    f.CsvNumber(r.Get(PluCol::FreeMsg5));
}

// Fields 1 to 11, which families 9 and 11 share but for the date flags, the second expiry part and the
// first date value.
void WriteDateTimeFields(const Context& c, RecordFields& f, const FlagParts& p, std::int64_t dateFirst,
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

void WriteFamily9Market10Fields(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const FlagParts p = SplitFlags(c);
    WriteDateTimeFields(c, f, p, p.dateFirst, p.dateSecond, p.expSecond, r.Get(PluCol::ShelfLife));
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::BestBefore));
    f.CsvNumber(r.Get(PluCol::TopPrintFlag));
    f.CsvNumber(r.Get(PluCol::BottomPrintFlag));
    f.CsvNumber(r.Get(PluCol::EyeCatchPrintFlag));
    f.CsvNumber(r.Get(PluCol::No2PrintFlag));
    f.CsvNumber(r.Get(PluCol::LabelFormatNo1));
    f.CsvNumber(r.Get(PluCol::LabelFormatNo2));
    f.CsvNumber(r.Get(PluCol::Ingredients));
    f.CsvNumber(r.Get(PluCol::StorageTemp));
    f.CsvNumber(r.Get(PluCol::StorageInstruct));
    f.CsvNumber(r.Get(PluCol::Origin));
    f.CsvNumber(r.Get(PluCol::FreeMsg1));
    f.CsvNumber(r.Get(PluCol::FreeMsg2));
    f.CsvNumber(r.Get(PluCol::FreeMsg3));
    f.CsvNumber(r.Get(PluCol::FreeMsg4));
    f.CsvNumber(r.Get(PluCol::FreeMsg5));
    f.CsvEmpty(5);
    f.CsvNumber(r.Get(PluCol::StoreId));
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::CostPrice));
    f.CsvNumber(r.Get(PluCol::TaxNo));
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::TotalsFlag));
    f.CsvNumber(r.Get(PluCol::TopBarFlag));
    f.CsvNumber(r.Get(PluCol::PrintFlag));
    f.CsvNumber(r.Get(PluCol::TrayFlag));
    f.CsvNumber(r.Get(PluCol::SecondBotPrintFlag));
    f.CsvNumber(r.Get(PluCol::WrappingSpeed));
    f.CsvNumber(r.Get(PluCol::TopTypeFlag));
    f.CsvNumber(r.Get(PluCol::OpenPrice));
    f.CsvNumber(r.Get(PluCol::NutritionID));
    f.CsvNumber(r.Get(PluCol::PropTare));
    f.CsvEmpty();
}

void WriteFamily9Fields(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const FlagParts p = SplitFlags(c);
    const DateFields d = MapFamily9Dates(c);
    WriteDateTimeFields(c, f, p, d.a, d.b, p.expSecond == 1 ? 0 : p.expSecond, d.v1);
    f.CsvNumber(d.c);
    f.CsvNumber(d.v2);
    f.CsvEmpty(4);
    f.CsvNumber(r.Get(PluCol::LabelFormatNo1));
    f.CsvNumber(r.Get(PluCol::LabelFormatNo2));
    f.CsvEmpty(4);
    WriteFreeMessages(c, f);
    f.CsvEmpty(13);
    f.CsvNumber(r.Get(PluCol::TrayFlag));
    const std::uint8_t secondBottom = r.Get(PluCol::SecondBotPrintFlag);
    f.CsvNumber(secondBottom == 0 ? 2 : secondBottom);
    f.CsvNumber(r.Get(PluCol::WrappingSpeed));
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::OpenPrice));
    if (IsMarket(c, MarketNewZealand)) {
        f.CsvEmpty();
        f.CsvNumber(r.Get(PluCol::ForcedTare));
        f.CsvNumber(Slot(c, 2));
        f.CsvNumber(PluIf(c, HasIngredients(c)));
        f.CsvNumber(PluIf(c, c.HasNutrition() && HasNutritionRecord(c)));
        return;
    }
    f.CsvNumber(PluIf(c, HasNutritionRecord(c)));
    f.CsvNumber(r.Get(PluCol::ForcedTare));
    f.CsvNumber(Slot(c, 2));
    f.CsvNumber(Slot(c, 3));
    f.CsvNumber(Slot(c, 4));
}

void WriteFamily11Fields(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const FlagParts p = SplitFlags(c);
    const bool market0 = IsMarket(c, MarketUsa);
    WriteDateTimeFields(c, f, p, p.dateFirst, p.dateSecond, p.expSecond, r.Get(PluCol::ShelfLife));
    f.CsvNumber(SwapOneAndTwo(r.Get(PluCol::BestBeforeFlag)));
    f.CsvNumber(r.Get(PluCol::BestBefore));
    f.CsvEmpty(4);
    f.CsvNumber(r.Get(PluCol::LabelFormatNo1));
    f.CsvNumber(r.Get(PluCol::LabelFormatNo2));
    f.CsvEmpty(4);
    WriteFreeMessages(c, f);
    f.CsvEmpty(3);
    f.CsvNumber(Slot(c, 1));
    f.CsvEmpty(3);
    f.CsvNumber(r.Get(PluCol::CostPrice));
    f.CsvEmpty(9);
    f.CsvNumber(r.Get(PluCol::OpenPrice));
    if (market0)
        f.CsvNumber(PluIf(c, HasNutritionRecord(c)));
    else
        f.CsvEmpty();
    f.CsvEmpty();
    if (market0)
        f.CsvNumber(r.Get(PluCol::ForcedTare));
    else
        f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::SafeHandlingFlag));
    f.CsvNumber(r.Get(PluCol::SafeHandlingNo));
    f.CsvNumber(r.Get(PluCol::Dept));
    f.CsvNumber(r.Get(PluCol::Group));
    f.CsvEmpty(6);
}

void WriteFamily10Fields(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const DateFields d = MapFamily10Dates(c);
    const bool market0 = IsMarket(c, MarketUsa);
    // Family 12 outside the USA leaves a few fields empty.
    const bool narrow = c.family == 12 && !market0;
    const auto numberUnlessNarrow = [&](std::int64_t value) {
        if (narrow)
            f.CsvEmpty();
        else
            f.CsvNumber(value);
    };
    const std::uint8_t expFlag = r.Get(PluCol::ExpTimeFlag);
    f.CsvNumber(c.plu);
    f.CsvNumber(r.Get(PluCol::ItemCode));
    f.CsvNumber(d.a);
    f.CsvNumber(r.Get(PluCol::TimeFlag));
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::PackTime));
    f.CsvEmpty();
    f.CsvNumber(expFlag);
    f.CsvEmpty();
    f.CsvNumber(d.v1);
    f.CsvNumber(expFlag >= 2 ? r.Get(PluCol::ExpTime) : 0);
    f.CsvNumber(d.b);
    f.CsvNumber(d.v2);
    f.CsvEmpty(4);
    f.CsvNumber(r.Get(PluCol::LabelFormatNo1));
    numberUnlessNarrow(r.Get(PluCol::LabelFormatNo2));
    f.CsvEmpty(4);
    f.CsvNumber(r.Get(PluCol::Dept));
    f.CsvNumber(r.Get(PluCol::Group));
    f.CsvEmpty(3);
    f.CsvNumber(Slot(c, 2));
    if (IsMarket(c, MarketNewZealand) || IsMarket(c, MarketAustralia)) {
        f.CsvNumber(c.plu);
        f.CsvNumber(PluIf(c, c.HasNutrition()));
        f.CsvNumber(Slot(c, 1));
        f.CsvNumber(Slot(c, 3));
        f.CsvNumber(Slot(c, 4));
    } else {
        f.CsvNumber(Slot(c, 3));
        f.CsvNumber(Slot(c, 4));
        f.CsvNumber(Slot(c, 1));
        f.CsvEmpty(2);
    }
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::CostPrice));
    f.CsvNumber(r.Get(PluCol::TaxNo));
    f.CsvEmpty(5);
    numberUnlessNarrow(r.Get(PluCol::SecondBotPrintFlag));
    f.CsvEmpty(2);
    f.CsvNumber(r.Get(PluCol::OpenPrice));
    if (market0 && CanEditNutrition())
        f.CsvNumber(c.plu);
    else
        f.CsvEmpty();
    numberUnlessNarrow(r.Get(PluCol::PropTare));
    if (market0)
        f.CsvNumber(r.Get(PluCol::ForcedTare));
    else
        f.CsvEmpty();
}

// `PosCode` without the leading zeros and blanks among its first characters.
std::string_view TrimmedPosCode(const Context& c)
{
    const std::size_t span = c.family == 10 && IsMarket(c, MarketSouthAfrica) ? 14 : 10;
    std::string_view code = c.row.Get(PluCol::PosCode);
    std::size_t skip = 0;
    while (skip < code.size() && skip < span && (code[skip] == '0' || code[skip] == ' ')) ++skip;
    return code.substr(skip);
}

std::int64_t RegCodeNumber(const Context& c)
{
    const std::string_view text = c.row.Get(PluCol::RegCode);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} ? value : 0;
}

void WriteOwnPriceBlock(const Context& c, RecordFields& f)
{
    const CPluDefRec& r = c.row;
    const bool family9 = c.family == 9;
    const bool market10 = IsMarket(c, MarketTaiwan);
    const std::uint8_t markFlag = r.Get(PluCol::MarkFlag);
    std::int64_t markdown = markFlag == 0 ? 0 : r.Get(PluCol::MarkPrice);
    if (family9 && IsMarket(c, MarketUsa) && IsPercentMarkdown(markFlag)) markdown /= 10;
    f.CsvNumber(r.Get(PluCol::SalesMode));
    f.CsvNumber(r.Get(PluCol::UnitPrice));
    f.CsvNumber(r.Get(PluCol::UnitPrice));
    f.CsvNumber(markFlag);
    f.CsvNumber(markdown);
    if (family9) {
        f.CsvNumber(r.Get(PluCol::PackQuant));
        f.CsvEmpty();
    } else {
        f.CsvEmpty();
        f.CsvNumber(r.Get(PluCol::PackQuant));
    }
    f.CsvNumber(r.Get(PluCol::Unit));
    f.CsvNumber(r.Get(PluCol::Weight));
    f.CsvNumber(ScaleTare(c, r.Get(PluCol::UpperLimit)));
    f.CsvNumber(ScaleTare(c, r.Get(PluCol::LowerLimit)));
    f.CsvNumber(ScaleTare(c, r.Get(PluCol::Tare)));
    if (family9 && market10) {
        f.CsvNumber(r.Get(PluCol::ItfCodeType));
        f.CsvNumber(r.Get(PluCol::ItfFlag));
        f.CsvNumber(r.Get(PluCol::Ean128CodeType));
        f.CsvNumber(r.Get(PluCol::Ean128Flag));
    } else {
        f.CsvEmpty(4);
    }
    f.CsvNumber(r.Get(PluCol::PosSelect));
    f.CsvNumber(r.Get(PluCol::BarCodeNum));
    if (family9)
        f.CsvNumber(r.Get(PluCol::PosFlagSelect));
    else
        f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::Posflag));
    f.CsvText(TrimmedPosCode(c));
    if (c.family == 11)
        f.CsvEmpty();
    else
        f.CsvNumber(RegCodeNumber(c));

    if (c.family == 11) {
        f.CsvEmpty();
        f.CsvNumber(r.Get(PluCol::Message1));
        f.CsvNumber(r.Get(PluCol::Message7));
        f.CsvNumber(r.Get(PluCol::Logo1));
        f.CsvNumber(r.Get(PluCol::Logo2));
        f.CsvEmpty();
        f.CsvNumber(ScaleTare(c, r.Get(PluCol::No2Tare)));
        f.CsvEmpty(6);
        f.CsvNumber(r.Get(PluCol::Logo3));
        if (IsMarket(c, MarketNewZealand)) {
            f.CsvNumber(PluIf(c, HasIngredients(c)));
            f.CsvNumber(PluIf(c, c.HasNutrition() && HasNutritionRecord(c)));
        } else {
            f.CsvNumber(r.Get(PluCol::ExMessage2));
            f.CsvNumber(r.Get(PluCol::ExMessage3));
        }
        f.CsvNumber(r.Get(PluCol::SecondBotPrintFlag));
        f.CsvNumber(r.Get(PluCol::PropTare));
        f.CsvEmpty(4);
        return;
    }
    if (!family9) {
        f.CsvEmpty();
        f.CsvNumber(r.Get(PluCol::Message1));
        f.CsvEmpty();
        f.CsvNumber(r.Get(PluCol::Logo1));
        f.CsvNumber(r.Get(PluCol::Logo2));
        f.CsvEmpty();
        f.CsvNumber(ScaleTare(c, r.Get(PluCol::No2Tare)));
        f.CsvEmpty(6);
        if (IsMarket(c, MarketUsa) || market10) {
            f.CsvNumber(r.Get(PluCol::SafeHandlingFlag));
            f.CsvNumber(r.Get(PluCol::SafeHandlingNo));
            if (market10) {
                f.CsvEmpty();
                f.CsvNumber(r.Get(PluCol::KgPrint));
                f.CsvNumber(r.Get(PluCol::StockFlag));
            }
        } else if (c.family == 12) {
            f.CsvEmpty(3);
        }
        return;
    }
    if (market10) {
        f.CsvNumber(r.Get(PluCol::PopFlag));
        f.CsvNumber(r.Get(PluCol::Message1));
        f.CsvNumber(r.Get(PluCol::Comment));
    } else {
        f.CsvEmpty();
        f.CsvNumber(r.Get(PluCol::Message1));
        f.CsvEmpty();
    }
    f.CsvNumber(r.Get(PluCol::Logo1));
    f.CsvNumber(r.Get(PluCol::Logo2));
    if (c.setup.m_noTrayNumber != 0)
        f.CsvEmpty();
    else
        f.CsvNumber(r.Get(PluCol::TrayNo));
    f.CsvNumber(r.Get(PluCol::WrappingMode));
    f.CsvNumber(r.Get(PluCol::FeedRate));
    f.CsvNumber(r.Get(PluCol::ServeHeight));
    f.CsvNumber(r.Get(PluCol::LabellingPos));
    f.CsvNumber(r.Get(PluCol::LabellingMode));
    if (market10) {
        f.CsvNumber(r.Get(PluCol::Wrapping));
        return;
    }
    f.CsvEmpty();
    f.CsvNumber(r.Get(PluCol::Logo3));
    f.CsvNumber(r.Get(PluCol::PropTare));
    f.CsvNumber(r.Get(PluCol::SafeHandlingNo));
    f.CsvNumber(Slot(c, 1));
}

// Family 9 in multi-store operation: one block per extra price table whose record of the PLU is in
// use, the empty block for the others, and the PLU's own block first when no table has one.
void WriteExtraPriceBlocks(const Context& c, RecordFields& f)
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
    WriteOwnPriceBlock(c, f);
    for (std::size_t table = 2; table <= kExtraPriceTables; ++table) f.CsvEmpty(kEmptyExtraPriceFields);
}

void WritePriceFields(const Context& c, RecordFields& f)
{
    if (c.family == 9 && c.setup.m_singleStoreOperation == 0) return WriteExtraPriceBlocks(c, f);
    WriteOwnPriceBlock(c, f);
    if (c.family == 9)
        for (std::size_t table = 2; table <= kExtraPriceTables; ++table) f.CsvEmpty(kEmptyExtraPriceFields);
}

}  // namespace

std::size_t MaxCsvDescLength(std::uint16_t family, std::uint16_t market, bool ausNz)
{
    if (ausNz && market != MarketAustralia) return 150;
    return family == 9 ? 1022 : 2049;
}

void WriteCsvBody(const PluRecordContext& c, RecordFields& f)
{
    switch (c.family) {
    case 9:
        if (IsMarket(c, MarketTaiwan))
            WriteFamily9Market10Fields(c, f);
        else
            WriteFamily9Fields(c, f);
        break;
    case 11: WriteFamily11Fields(c, f); break;
    default: WriteFamily10Fields(c, f); break;
    }
    std::array<std::uint8_t, kPriceFieldsRoom> priceRoom;
    RecordFields price(priceRoom);
    WritePriceFields(c, price);
    if (!price.Ok()) return f.Refuse(price.RefusedField().empty() ? "price fields" : price.RefusedField());
    if (!f.Ok()) return;
    // A buffer too small for the price fields leaves the description no room and fails at them.
    const std::span<std::uint8_t> rest = f.Rest();
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), rest.size() - std::min(rest.size(), price.Position()));
    f.Advance(EncodeQuotedScaleText(c.scale, out, c.row.GetDesc(), MaxCsvDescLength(c.family, c.Market(), c.ausNz)));
    const std::span<const std::uint8_t> written = price.Written();
    f.Text(std::string_view(reinterpret_cast<const char*>(written.data()), written.size()));
    f.Terminate();
}

}  // namespace varnel
