#include "db/plu/PluFieldAccess.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/RuxPriceLayout.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <utility>

namespace varnel {
namespace {

constexpr std::uint16_t kFirstPluField = 1000;
constexpr std::uint16_t kPluFieldsEnd = 1102;
constexpr std::uint16_t kFirstRuxField = 1200;
constexpr std::uint16_t kRuxFieldsEnd = 1238;
constexpr std::uint16_t kNutritionFieldsEnd = 1535;
constexpr std::uint16_t kProductionFieldsEnd = 1620;
constexpr std::uint16_t kMarkdownPrice = 1004;
constexpr std::uint16_t kUnitPrice = 1005;
constexpr std::uint8_t kWeighed = 0;  // Sales Mode
constexpr std::uint16_t kPackTime = 1021;
constexpr std::uint16_t kExpiryTime = 1023;

// The columns of a range of field numbers, by number.
template <std::uint16_t First, std::uint16_t End>
class FieldColumns {
public:
    template <std::size_t N>
    explicit FieldColumns(const ColumnDef (&columns)[N])
    {
        for (const ColumnDef& column : columns)
            if (column.fieldNo >= First && column.fieldNo < End) m_columns[column.fieldNo - First] = &column;
    }
    const ColumnDef* Find(std::uint16_t fieldNo) const
    {
        return fieldNo >= First && fieldNo < End ? m_columns[fieldNo - First] : nullptr;
    }

private:
    std::array<const ColumnDef*, End - First> m_columns{};
};

const FieldColumns<kFirstPluField, kPluFieldsEnd>& PluFieldColumns()
{
    static const FieldColumns<kFirstPluField, kPluFieldsEnd> columns(kPluColumns);
    return columns;
}

const FieldColumns<kFirstRuxField, kRuxFieldsEnd>& RuxFieldColumns()
{
    static const FieldColumns<kFirstRuxField, kRuxFieldsEnd> columns(kRuxPriceColumns);
    return columns;
}

std::uint16_t KindOf(const ColumnDef* column)
{
    if (!column) return FieldNone;
    switch (column->daoType) {
    case DaoByte: return FieldByte;
    case DaoShort: return FieldWord;
    case DaoLong: return FieldLong;
    default: return FieldText;
    }
}

const CLabProp* FindInFrameMap(std::uint16_t fieldNo, FieldDefMap which)
{
    return FindFieldDef(fieldNo, CurrentFieldDefs().Map(which));
}

std::uint32_t RuxScaleMix() { return CurrentFieldDefs().RuxScaleMix(); }

constexpr std::uint32_t kOnlyFamily9MultiStore = 2;

// The PLU fields whose values an extra price record holds, and where.
constexpr std::pair<std::uint16_t, std::uint16_t> kPluToRuxField[] = {
    {1002, 1211}, {1003, 1212}, {1004, 1201}, {1005, 1200}, {1006, 1200}, {1007, 1202}, {1008, 1228},
    {1009, 1200}, {1010, 1205}, {1011, 1218}, {1017, 1206}, {1019, 1234}, {1024, 1214}, {1025, 1217},
    {1026, 1218}, {1028, 1213}, {1036, 1203}, {1037, 1204}, {1038, 1210}, {1039, 1221}, {1040, 1222},
    {1042, 1224}, {1043, 1215}, {1046, 1208}, {1047, 1209}, {1049, 1236}, {1077, 1227}, {1082, 1207},
    {1083, 1223}, {1084, 1225}, {1085, 1226}, {1086, 1220}, {1087, 1216}, {1094, 1233}, {1100, 1237},
    {1101, 1235},
};

bool IsRuxByteWithoutKind(std::uint16_t fieldNo) { return fieldNo >= 1229 && fieldNo <= 1232; }

}  // namespace

const CLabProp* FindFieldDef(std::uint16_t fieldNo, const CLabPropMap& map)
{
    for (const auto& [key, definition] : map)
        if (definition && definition->m_fieldNo == fieldNo) return definition.get();
    return nullptr;
}

const CLabProp* GetPluFieldDef(std::uint16_t fieldNo) { return FindInFrameMap(fieldNo, FieldDefMap::Plu); }
const CLabProp* GetPluFieldDef2(std::uint16_t fieldNo) { return FindInFrameMap(fieldNo, FieldDefMap::Plu2); }
const CLabProp* GetRuxPriceFieldDef(std::uint16_t fieldNo) { return FindInFrameMap(fieldNo, FieldDefMap::RuxPrice); }
const CLabProp* GetNutritionFieldDef(std::uint16_t fieldNo) { return FindInFrameMap(fieldNo, FieldDefMap::Nutrition); }
const CLabProp* GetProductionFieldDef(std::uint16_t fieldNo)
{
    return FindInFrameMap(fieldNo, FieldDefMap::Production);
}

const CLabProp* FindPluFieldDefAny(std::uint16_t fieldNo)
{
    const CLabProp* definition = GetPluFieldDef(fieldNo);
    return definition ? definition : GetPluFieldDef2(fieldNo);
}

std::vector<const CLabProp*> GetPluFieldDefs()
{
    std::map<std::uint16_t, const CLabProp*> byNumber;
    const FieldDefSet fields = CurrentFieldDefs();
    const auto take = [&](FieldDefMap which) {
        for (const auto& [key, definition] : fields.Map(which))
            if (definition) byNumber[definition->m_fieldNo] = definition.get();
    };
    const std::uint32_t mix = fields.RuxScaleMix();
    if (mix != kOnlyFamily9MultiStore) take(FieldDefMap::Plu);
    if (mix != 0) take(FieldDefMap::Plu2);
    std::vector<const CLabProp*> definitions;
    definitions.reserve(byNumber.size());
    for (const auto& [number, definition] : byNumber) definitions.push_back(definition);
    return definitions;
}

std::uint16_t GetFieldDecimals(std::uint16_t fieldNo)
{
    const CLabProp* definition = nullptr;
    if (fieldNo < kPluFieldsEnd)
        definition = RuxScaleMix() == kOnlyFamily9MultiStore ? GetPluFieldDef2(fieldNo) : GetPluFieldDef(fieldNo);
    else if (fieldNo >= kFirstRuxField && fieldNo < kRuxFieldsEnd)
        definition = GetRuxPriceFieldDef(fieldNo);
    else if (fieldNo < kNutritionFieldsEnd)
        definition = GetNutritionFieldDef(fieldNo);
    else if (fieldNo < kProductionFieldsEnd)
        definition = GetProductionFieldDef(fieldNo);
    return definition ? definition->m_decimals : 0;
}

std::uint16_t GetPluFieldDecimals(const CLabProp& definition, const CPluDefRec& row)
{
    return GetPluFieldDecimals(definition,
                               PluDecimalDeps{row.Get(PluCol::SalesMode), row.Get(PluCol::MarkFlag),
                                              row.Get(PluCol::ExpTimeFlag)});
}

std::uint16_t GetPluFieldDecimals(const CLabProp& definition, const PluDecimalDeps& deps)
{
    if (definition.m_fieldNo == kMarkdownPrice && deps.markdownFlag)
        return GetPriceDecimals(definition.m_decimals, true, 0, *deps.markdownFlag);
    if (definition.m_fieldNo == kUnitPrice && deps.salesMode)
        return GetPriceDecimals(definition.m_decimals, false, *deps.salesMode, 0);
    if (definition.m_fieldNo == kExpiryTime && deps.expiryTimeFlag && !IsExpTimeFlagMode2(*deps.expiryTimeFlag))
        return 0;
    return definition.m_decimals;
}

std::uint16_t GetPriceDecimals(std::uint16_t fieldDecimals, bool markdown, std::uint8_t salesMode,
                               std::uint8_t markdownFlag)
{
    const PriceDecimalRules rules = CurrentPriceDecimalRules();
    if (markdown && IsPercentMarkdown(markdownFlag, rules.family)) return rules.percentDecimal ? 1 : 0;
    const bool extra = markdown ? IsExtraDecimalMarkdown(markdownFlag) : salesMode == kWeighed;
    return static_cast<std::uint16_t>(fieldDecimals + (rules.extraDecimal && extra ? 1 : 0));
}

PriceDecimalRules CurrentPriceDecimalRules()
{
    const CGeneralSetup& setup = CurrentGeneralSetup();
    return {setup.m_defaultScaleFamily, setup.m_markdownPercentDecimal != 0, setup.m_unitFixedPriceDecimal != 0};
}

std::uint16_t GetPluFieldType(const CLabProp& definition)
{
    return KindOf(PluFieldColumns().Find(definition.m_fieldNo));
}

bool SetPluFieldValue(CPluDefRec& row, const CLabProp& definition, std::int32_t value)
{
    return SetPluFieldValue(row, definition.m_fieldNo, value);
}

std::int32_t GetPluFieldValue(const CPluDefRec& row, const CLabProp& definition)
{
    return GetPluFieldValue(row, definition.m_fieldNo);
}

bool SetPluFieldValue(CPluDefRec& row, std::uint16_t fieldNo, std::int32_t value)
{
    const ColumnDef* column = PluFieldColumns().Find(fieldNo);
    return column && WriteNumber(row.Bytes(), *column, value);
}

std::int32_t GetPluFieldValue(const CPluDefRec& row, std::uint16_t fieldNo)
{
    std::int32_t value = 0;
    if (const ColumnDef* column = PluFieldColumns().Find(fieldNo)) (void)ReadNumber(row.Bytes(), *column, value);
    return value;
}

std::uint16_t GetRuxPriceFieldType(const CLabProp& definition)
{
    if (IsRuxByteWithoutKind(definition.m_fieldNo)) return FieldNone;
    return KindOf(RuxFieldColumns().Find(definition.m_fieldNo));
}

bool SetRuxPriceFieldValue(std::span<std::uint8_t> record, const CLabProp& definition, std::int32_t value)
{
    const ColumnDef* column = RuxFieldColumns().Find(definition.m_fieldNo);
    return column && WriteNumber(record, *column, value);
}

std::int32_t GetRuxPriceFieldValue(std::span<const std::uint8_t> record, const CLabProp& definition)
{
    std::int32_t value = 0;
    if (const ColumnDef* column = RuxFieldColumns().Find(definition.m_fieldNo))
        (void)ReadNumber(record, *column, value);
    return value;
}

bool IsRuxPriceField(const CLabProp& definition)
{
    return definition.m_fieldNo >= kFirstRuxField && definition.m_fieldNo < kRuxFieldsEnd;
}

bool IsTimeField(const CLabProp& definition)
{
    return definition.m_fieldNo == kPackTime || definition.m_fieldNo == kExpiryTime;
}

const CLabProp* MapPluFieldToRuxPrice(const CLabProp& definition)
{
    if (IsRuxPriceField(definition)) return &definition;
    const auto* found =
        std::ranges::find(kPluToRuxField, definition.m_fieldNo, &std::pair<std::uint16_t, std::uint16_t>::first);
    return found == std::end(kPluToRuxField) ? nullptr : GetRuxPriceFieldDef(found->second);
}

bool IsPercentMarkdown(std::uint8_t markdownFlag)
{
    return IsPercentMarkdown(markdownFlag, CurrentPriceDecimalRules().family);
}

bool IsPercentMarkdown(std::uint8_t markdownFlag, std::uint16_t family)
{
    if (family == 2 || family == 3) return markdownFlag == 2;
    if (family < 8) return markdownFlag == 3;
    return markdownFlag == 3 || markdownFlag == 6;
}

bool IsExtraDecimalMarkdown(std::uint8_t markdownFlag) { return markdownFlag == 4 || markdownFlag == 5; }

bool IsExpTimeFlagMode2(std::uint8_t expiryTimeFlag) { return expiryTimeFlag == 2; }

std::string FormatFixedPoint(std::uint16_t decimals, char point, std::int32_t value)
{
    // Definitions allow 0 to 4 decimals; 18 is as far as the digits below reach.
    constexpr std::uint16_t kMostDecimals = 18;
    const std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(std::int64_t{value})
                                              : static_cast<std::uint64_t>(value);
    char digits[24];
    const std::size_t count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    const std::size_t places = std::min(decimals, kMostDecimals);
    // Put together in place and made a string once: the PLU edit window writes every field this way.
    char text[48];
    char* out = text;
    if (value < 0) *out++ = '-';
    // The whole part (0 when every digit is a fraction digit), the point, the fraction's leading zeros.
    const std::size_t whole = count > places ? count - places : 0;
    if (whole == 0 && places != 0) *out++ = '0';
    out = std::copy_n(digits, whole, out);
    if (places != 0) {
        *out++ = point != 0 ? point : '.';
        if (count < places) out = std::fill_n(out, places - count, '0');
        out = std::copy_n(digits + whole, count - whole, out);
    }
    return std::string(text, out);
}

}  // namespace varnel
