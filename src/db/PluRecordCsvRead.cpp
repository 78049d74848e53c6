// Reading back the comma-separated PLU records of families 9 to 12 (layouts in PluRecordCsv.cpp): each
// numbered field from the place its writer puts it (an empty field reads nothing), the flags that the
// writer split into two scale flags joined again, the quoted description, and the PLU's own price block.
#include "db/PluRecordReaders.h"

#include "db/CsvFields.h"
#include "db/PluFieldAccess.h"
#include "db/PluFlagChoices.h"
#include "db/PluMessageLinks.h"
#include "db/PluRecordLayouts.h"
#include "db/QuotedScaleText.h"

#include <array>

namespace varnel {
namespace {

using Context = PluDecodeContext;

constexpr std::size_t kPosCodeMax = 13;
constexpr std::size_t kRegCodeMax = 4;
constexpr std::size_t kPackTypeMax = 3;

bool IsMarket(const Context& c, Market market) { return c.Market() == market; }

// The fields of a body, read in place one after the other.
class CsvCursor {
public:
    CsvCursor(const Context& context, std::span<char> text, std::size_t& position)
        : m_row(context.row), m_text(text), m_position(position)
    {
    }

    // The field as a number in 32 bits (a negative one in two's complement); none when empty.
    std::optional<std::int64_t> Number()
    {
        std::uint32_t value = 0;
        if (!CsvReadInt(m_text, m_position, value)) return std::nullopt;
        return static_cast<std::int32_t>(value);
    }
    void Read(LongColumn column) { Put(m_row, column, Number()); }
    void Read(ShortColumn column)
    {
        std::uint16_t value = 0;
        if (CsvReadShort(m_text, m_position, value)) m_row.Set(column, value);
    }
    void Read(ByteColumn column)
    {
        std::uint8_t value = 0;
        if (CsvReadByte(m_text, m_position, value)) m_row.Set(column, value);
    }
    void ReadSlot(int slot) { PutSlot(m_row, slot, Number()); }
    void ReadText(TextColumn column, std::size_t maximum)
    {
        std::string text;
        CsvReadField({m_text.data(), m_text.size()}, m_position, maximum, text);
        if (!text.empty()) m_row.Set(column, text);
    }
    void Skip(std::size_t count = 1)
    {
        std::string ignored;
        for (std::size_t i = 0; i < count; ++i) CsvReadField({m_text.data(), m_text.size()}, m_position, 0, ignored);
    }

    std::span<char> Text() const { return m_text; }
    std::size_t& Position() { return m_position; }

private:
    CPluDefRec& m_row;
    std::span<char> m_text;
    std::size_t& m_position;
};

// The two scale flags of one row flag, as the writer split them; the date parts start as 1 and 2,
// the time parts as 2 and 2, for fields that do not read.
struct FlagParts {
    std::int64_t dateFirst = 1, dateSecond = 2, timeFirst = 2, timeSecond = 2, expFirst = 2, expSecond = 2;
};

std::uint8_t Flag(std::int64_t value) { return static_cast<std::uint8_t>(value); }

// Either part 0 is no date, as it is for the time flags: the writer splits no date into two zeros.
std::uint8_t JoinDateParts(std::int64_t first, std::int64_t second)
{
    return first == 0 || second == 0 ? 0 : JoinDateFlag(Flag(first), Flag(second));
}

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

// Fields 1 to 11 (families 9 and 11): the first date value is ShelfLife or family 9's V1.
struct DateTimeFields {
    FlagParts parts;
    std::optional<std::int64_t> firstDate;
};

DateTimeFields ReadDateTimeFields(CsvCursor& f)
{
    DateTimeFields d;
    f.Skip();  // the PLU number
    f.Read(PluCol::ItemCode);
    ReadInto(d.parts.dateFirst, f.Number());
    ReadInto(d.parts.timeFirst, f.Number());
    ReadInto(d.parts.timeSecond, f.Number());
    f.Read(PluCol::PackTime);
    ReadInto(d.parts.dateSecond, f.Number());
    ReadInto(d.parts.expFirst, f.Number());
    ReadInto(d.parts.expSecond, f.Number());
    d.firstDate = f.Number();
    f.Read(PluCol::ExpTime);
    return d;
}

// Fields 24 to 28: the free messages, the first two being extra messages 2 and 3 in market 1.
void ReadFreeMessages(const Context& c, CsvCursor& f)
{
    const bool market1 = IsMarket(c, MarketNewZealand);
    f.Read(market1 ? PluCol::ExMessage2 : PluCol::FreeMsg1);
    f.Read(market1 ? PluCol::ExMessage3 : PluCol::FreeMsg2);
    f.Read(PluCol::FreeMsg3);
    f.Read(PluCol::FreeMsg4);
    f.Read(PluCol::FreeMsg5);
}

// A field that holds the PLU number when the PLU has something: its flag column 1 or 0.
void ReadLinkFlag(CPluDefRec& row, CsvCursor& f, ShortColumn column)
{
    if (const auto link = f.Number()) row.Set(column, *link != 0 ? 1 : 0);
}

// A field that names the PLU's nutrition record by the PLU number, when it has one.
void ReadNutritionLink(CPluDefRec& row, CsvCursor& f)
{
    if (const auto link = f.Number(); link && *link != 0)
        row.Set(PluCol::NutritionID, static_cast<std::int32_t>(*link));
}

void ReadFamily9Market10Fields(const Context& c, CsvCursor& f)
{
    CPluDefRec& row = c.row;
    const DateTimeFields d = ReadDateTimeFields(f);
    PutJoinedFlags(row, d.parts, true);
    Put(row, PluCol::ShelfLife, d.firstDate);
    f.Skip();
    f.Read(PluCol::BestBefore);
    f.Read(PluCol::TopPrintFlag);
    f.Read(PluCol::BottomPrintFlag);
    f.Read(PluCol::EyeCatchPrintFlag);
    f.Read(PluCol::No2PrintFlag);
    f.Read(PluCol::LabelFormatNo1);
    f.Read(PluCol::LabelFormatNo2);
    f.Read(PluCol::Ingredients);
    f.Read(PluCol::StorageTemp);
    f.Read(PluCol::StorageInstruct);
    f.Read(PluCol::Origin);
    f.Read(PluCol::FreeMsg1);
    f.Read(PluCol::FreeMsg2);
    f.Read(PluCol::FreeMsg3);
    f.Read(PluCol::FreeMsg4);
    f.Read(PluCol::FreeMsg5);
    f.Skip(5);
    f.Read(PluCol::StoreId);
    f.Skip();
    f.Read(PluCol::CostPrice);
    f.Read(PluCol::TaxNo);
    f.Skip();
    f.Read(PluCol::TotalsFlag);
    f.Read(PluCol::TopBarFlag);
    f.Read(PluCol::PrintFlag);
    f.Read(PluCol::TrayFlag);
    f.Read(PluCol::SecondBotPrintFlag);
    f.Read(PluCol::WrappingSpeed);
    f.Read(PluCol::TopTypeFlag);
    f.Read(PluCol::OpenPrice);
    f.Read(PluCol::NutritionID);
    f.Read(PluCol::PropTare);
    f.Skip();
}

// DateFlag, BestBeforeFlag, ShelfLife and BestBefore back from family 9's A, B, C, V1 and V2.
void PutFamily9Dates(const Context& c, std::int64_t a, std::int64_t b, std::int64_t flagC, std::int64_t v1,
                     std::int64_t v2)
{
    CPluDefRec& row = c.row;
    std::uint8_t flag = 0;
    std::int64_t shelfLife = v1;
    std::int64_t bestBefore = row.Get(PluCol::BestBefore);
    if (!IsMarket(c, MarketNewZealand)) {
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

void ReadFamily9Fields(const Context& c, CsvCursor& f)
{
    CPluDefRec& row = c.row;
    DateTimeFields d = ReadDateTimeFields(f);
    // The writer leaves out a second expiry part of 1.
    if (d.parts.expSecond == 0 && d.parts.expFirst != 0) d.parts.expSecond = 1;
    PutJoinedFlags(row, d.parts, false);
    const auto flagC = f.Number();
    const auto v2 = f.Number();
    PutFamily9Dates(c, d.parts.dateFirst == 1 || d.parts.dateFirst == 2 ? d.parts.dateFirst : 0, d.parts.dateSecond,
                    flagC.value_or(0), d.firstDate.value_or(row.Get(PluCol::ShelfLife)),
                    v2.value_or(row.Get(PluCol::BestBefore)));
    f.Skip(4);
    f.Read(PluCol::LabelFormatNo1);
    f.Read(PluCol::LabelFormatNo2);
    f.Skip(4);
    ReadFreeMessages(c, f);
    f.Skip(13);
    f.Read(PluCol::TrayFlag);
    f.Read(PluCol::SecondBotPrintFlag);
    f.Read(PluCol::WrappingSpeed);
    f.Skip();
    f.Read(PluCol::OpenPrice);
    if (IsMarket(c, MarketNewZealand)) {
        f.Skip();
        f.Read(PluCol::ForcedTare);
        f.ReadSlot(2);
        f.Skip();  // the ingredients link
        ReadLinkFlag(row, f, PluCol::Nutrition);
        return;
    }
    ReadNutritionLink(row, f);
    f.Read(PluCol::ForcedTare);
    f.ReadSlot(2);
    f.ReadSlot(3);
    f.ReadSlot(4);
}

void ReadFamily11Fields(const Context& c, CsvCursor& f)
{
    CPluDefRec& row = c.row;
    const bool market0 = IsMarket(c, MarketUsa);
    const DateTimeFields d = ReadDateTimeFields(f);
    PutJoinedFlags(row, d.parts, true);
    Put(row, PluCol::ShelfLife, d.firstDate);
    if (const auto flag = f.Number()) row.Set(PluCol::BestBeforeFlag, SwapOneAndTwo(Flag(*flag)));
    f.Read(PluCol::BestBefore);
    f.Skip(4);
    f.Read(PluCol::LabelFormatNo1);
    f.Read(PluCol::LabelFormatNo2);
    f.Skip(4);
    ReadFreeMessages(c, f);
    f.Skip(3);
    f.ReadSlot(1);
    f.Skip(3);
    f.Read(PluCol::CostPrice);
    f.Skip(9);
    f.Read(PluCol::OpenPrice);
    if (market0)
        ReadNutritionLink(row, f);
    else
        f.Skip();
    f.Skip();
    if (market0)
        f.Read(PluCol::ForcedTare);
    else
        f.Skip();
    f.Read(PluCol::SafeHandlingFlag);
    f.Read(PluCol::SafeHandlingNo);
    f.Read(PluCol::Dept);
    f.Read(PluCol::Group);
    f.Skip(6);
}

// Market 1 gave A2, B2, V1 and V2 from DateFlag; B2 and where the shelf life stands tell it again.
void PutFamily10Market1Dates(CPluDefRec& row)
{
    const std::uint8_t flag = row.Get(PluCol::DateFlag);
    const bool bestBefore2 = row.Get(PluCol::BestBeforeFlag) == 2;
    const std::uint16_t shelfLife = row.Get(PluCol::ShelfLife);
    if (flag != 3 && flag != 4) return;
    if (bestBefore2 && shelfLife == 0) {
        row.Set(PluCol::ShelfLife, row.Get(PluCol::BestBefore));
        return;
    }
    row.Set(PluCol::DateFlag, flag == 3 ? 5 : bestBefore2 ? 7 : 6);
}

void ReadFamily10Fields(const Context& c, CsvCursor& f)
{
    CPluDefRec& row = c.row;
    const bool market0 = IsMarket(c, MarketUsa);
    const bool narrow = c.family == 12 && !market0;
    const auto readUnlessNarrow = [&](auto column) {
        if (narrow)
            f.Skip();
        else
            f.Read(column);
    };
    f.Skip();  // the PLU number
    f.Read(PluCol::ItemCode);
    f.Read(PluCol::DateFlag);
    f.Read(PluCol::TimeFlag);
    f.Skip();
    f.Read(PluCol::PackTime);
    f.Skip();
    f.Read(PluCol::ExpTimeFlag);
    f.Skip();
    f.Read(PluCol::ShelfLife);
    f.Read(PluCol::ExpTime);
    f.Read(PluCol::BestBeforeFlag);
    f.Read(PluCol::BestBefore);
    if (IsMarket(c, MarketNewZealand)) PutFamily10Market1Dates(row);
    f.Skip(4);
    f.Read(PluCol::LabelFormatNo1);
    readUnlessNarrow(PluCol::LabelFormatNo2);
    f.Skip(4);
    f.Read(PluCol::Dept);
    f.Read(PluCol::Group);
    f.Skip(3);
    f.ReadSlot(2);
    if (IsMarket(c, MarketNewZealand) || IsMarket(c, MarketAustralia)) {
        f.Skip();  // the PLU number
        ReadLinkFlag(row, f, PluCol::Nutrition);
        f.ReadSlot(1);
        f.ReadSlot(3);
        f.ReadSlot(4);
    } else {
        f.ReadSlot(3);
        f.ReadSlot(4);
        f.ReadSlot(1);
        f.Skip(2);
    }
    f.Skip();
    f.Read(PluCol::CostPrice);
    f.Read(PluCol::TaxNo);
    f.Skip(5);
    readUnlessNarrow(PluCol::SecondBotPrintFlag);
    f.Skip(2);
    f.Read(PluCol::OpenPrice);
    f.Skip();  // the nutrition link
    readUnlessNarrow(PluCol::PropTare);
    if (market0)
        f.Read(PluCol::ForcedTare);
    else
        f.Skip();
}

// The quoted description; where its text stands between the quotes. The fields before it were read in
// place, their commas made 0 bytes, so the text is read from the position on.
ScaleTextSpan ReadDescription(const Context& c, std::span<char> text, std::size_t& position)
{
    const std::string_view body(text.data(), text.size());
    const std::size_t start = std::min(position, body.size());
    const std::string_view field = body.substr(start);
    std::size_t consumed = 0;
    std::array<char, kPluDescMax + 1> desc{};
    if (DecodeQuotedScaleText(c.scale, desc, field, consumed) == 0) return {start, 0};
    position = start + consumed;
    c.row.SetDesc(desc.data());
    const std::size_t opening = field.find('"');
    const std::size_t closing = field.rfind('"', consumed == 0 ? 0 : consumed - 1);
    if (closing == std::string_view::npos || closing <= opening) return {start + opening + 1, 0};
    return {start + opening + 1, closing - opening - 1};
}

void ReadFamily11PriceTail(const Context& c, CsvCursor& f)
{
    CPluDefRec& row = c.row;
    f.Skip();
    f.Read(PluCol::Message1);
    f.Read(PluCol::Message7);
    f.Read(PluCol::Logo1);
    f.Read(PluCol::Logo2);
    f.Skip();
    Put(row, PluCol::No2Tare, DatabaseTare(c, f.Number()));
    f.Skip(6);
    f.Read(PluCol::Logo3);
    if (IsMarket(c, MarketNewZealand)) {
        f.Skip();  // the ingredients link
        ReadLinkFlag(row, f, PluCol::Nutrition);
    } else {
        f.Read(PluCol::ExMessage2);
        f.Read(PluCol::ExMessage3);
    }
    f.Read(PluCol::SecondBotPrintFlag);
    f.Read(PluCol::PropTare);
    f.Skip(4);
}

void ReadFamily10PriceTail(const Context& c, CsvCursor& f)
{
    CPluDefRec& row = c.row;
    const bool market10 = IsMarket(c, MarketTaiwan);
    f.Skip();
    f.Read(PluCol::Message1);
    f.Skip();
    f.Read(PluCol::Logo1);
    f.Read(PluCol::Logo2);
    f.Skip();
    Put(row, PluCol::No2Tare, DatabaseTare(c, f.Number()));
    f.Skip(6);
    if (IsMarket(c, MarketUsa) || market10) {
        f.Read(PluCol::SafeHandlingFlag);
        f.Read(PluCol::SafeHandlingNo);
        if (market10) {
            f.Skip();
            f.Read(PluCol::KgPrint);
            f.Read(PluCol::StockFlag);
        }
    } else if (c.family == 12) {
        f.Skip(3);
    }
}

void ReadFamily9PriceTail(const Context& c, CsvCursor& f)
{
    const bool market10 = IsMarket(c, MarketTaiwan);
    if (market10) {
        f.Read(PluCol::PopFlag);
        f.Read(PluCol::Message1);
        f.Read(PluCol::Comment);
    } else {
        f.Skip();
        f.Read(PluCol::Message1);
        f.Skip();
    }
    f.Read(PluCol::Logo1);
    f.Read(PluCol::Logo2);
    if (c.setup.m_noTrayNumber != 0)
        f.Skip();
    else
        f.Read(PluCol::TrayNo);
    f.Read(PluCol::WrappingMode);
    f.Read(PluCol::FeedRate);
    f.Read(PluCol::ServeHeight);
    f.Read(PluCol::LabellingPos);
    f.Read(PluCol::LabellingMode);
    if (market10) return f.Read(PluCol::Wrapping);
    f.Skip();
    f.Read(PluCol::Logo3);
    f.Read(PluCol::PropTare);
    f.Read(PluCol::SafeHandlingNo);
    f.ReadSlot(1);
}

// The pack type field: quoted text is the pack type; family 9 writes PackQuant there as a number.
void ReadPackTypeField(const Context& c, CsvCursor& f)
{
    const std::string_view rest(f.Text().data() + std::min(f.Position(), f.Text().size()),
                                f.Text().size() - std::min(f.Position(), f.Text().size()));
    const std::size_t stop = rest.find_first_of(",\"");
    if (stop != std::string_view::npos && rest[stop] == '"') {
        std::string text;
        CsvReadText(f.Text(), f.Position(), kPackTypeMax, text);
        return c.row.Set(PluCol::PackType, text);
    }
    if (c.family == 9) return f.Read(PluCol::PackQuant);
    f.Skip();
}

}  // namespace

ScaleTextSpan ReadCsvFields(const PluDecodeContext& c, std::span<char> text, std::size_t& position)
{
    CsvCursor f(c, text, position);
    switch (c.family) {
    case 9:
        if (IsMarket(c, MarketTaiwan))
            ReadFamily9Market10Fields(c, f);
        else
            ReadFamily9Fields(c, f);
        break;
    case 11: ReadFamily11Fields(c, f); break;
    default: ReadFamily10Fields(c, f); break;
    }
    const ScaleTextSpan description = ReadDescription(c, text, position);
    TakeBackAddedDay(c, 0xFFFF, true);
    return description;
}

void ReadOwnPriceBlock(const PluDecodeContext& c, std::span<char> text, std::size_t& position)
{
    CPluDefRec& row = c.row;
    CsvCursor f(c, text, position);
    const bool family9 = c.family == 9;
    f.Read(PluCol::SalesMode);
    const auto first = f.Number();
    const auto second = f.Number();
    Put(row, PluCol::UnitPrice, row.Get(PluCol::SalesMode) == 0 ? first : second);
    f.Read(PluCol::MarkFlag);
    auto markdown = f.Number();
    if (markdown && family9 && IsMarket(c, MarketUsa) && IsPercentMarkdown(row.Get(PluCol::MarkFlag))) *markdown *= 10;
    Put(row, PluCol::MarkPrice, markdown);
    ReadPackTypeField(c, f);
    f.Read(PluCol::PackQuant);
    f.Read(PluCol::Unit);
    f.Read(PluCol::Weight);
    Put(row, PluCol::UpperLimit, DatabaseTare(c, f.Number()));
    Put(row, PluCol::LowerLimit, DatabaseTare(c, f.Number()));
    Put(row, PluCol::Tare, DatabaseTare(c, f.Number()));
    f.Read(PluCol::ItfCodeType);
    f.Read(PluCol::ItfFlag);
    f.Read(PluCol::Ean128CodeType);
    f.Read(PluCol::Ean128Flag);
    f.Read(PluCol::PosSelect);
    f.Read(PluCol::BarCodeNum);
    f.Read(PluCol::PosFlagSelect);
    f.Read(PluCol::Posflag);
    f.ReadText(PluCol::PosCode, kPosCodeMax);
    f.ReadText(PluCol::RegCode, kRegCodeMax);
    switch (c.family) {
    case 9: return ReadFamily9PriceTail(c, f);
    case 11: return ReadFamily11PriceTail(c, f);
    default: return ReadFamily10PriceTail(c, f);
    }
}

}  // namespace varnel
