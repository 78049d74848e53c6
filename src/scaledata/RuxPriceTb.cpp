#include "scaledata/RuxPriceTb.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/RuxPriceRecord.h"
#include "platform/TextFormat.h"
#include "scaledata/ReceivedRows.h"

#include <algorithm>
#include <array>
#include <string>

namespace varnel {
namespace {

constexpr MessageId kMsgNotInDatabase = 20587;
constexpr MessageId kMsgNotOnScale = 20588;
constexpr MessageId kMsgDoesNotMatch = 20568;
constexpr MessageId kMsgFieldDiffers = 20557;
constexpr std::uint16_t kPosCodeField = 1218;
constexpr std::uint16_t kRegCodeField = 1219;
constexpr std::uint16_t kPackTypeField = 1220;

constexpr auto kPriceNo = AsShort(FindColumn(kRuxPriceColumns, "PriceNo"));
constexpr auto kPosCode = AsText(FindColumn(kRuxPriceColumns, "PosCode"));
constexpr auto kRegCode = AsText(FindColumn(kRuxPriceColumns, "RegCode"));
constexpr auto kPackType = AsText(FindColumn(kRuxPriceColumns, "PackType"));
constexpr std::array kTexts{kRegCode, kPosCode, kPackType};

std::uint16_t WidthOf(const CLabPropMap& definitions, std::uint16_t fieldNo)
{
    const CLabProp* definition = FindFieldDef(fieldNo, definitions);
    return definition ? definition->m_width : 0;
}
std::int32_t DefaultOf(const CLabPropMap& definitions, std::uint16_t fieldNo)
{
    const CLabProp* definition = FindFieldDef(fieldNo, definitions);
    return definition ? definition->m_default : 0;
}

std::string ZeroPadded(std::uint32_t value, std::size_t width)
{
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// The POS code as the scale holds it: without the zeros and blanks it opens with.
std::string_view WithoutLeadingZeros(std::string_view code) { return code.substr(std::min(code.find_first_not_of("0 "), code.size())); }

template <class Each>
void ForEachDefinition(const CLabPropMap& definitions, Each each)
{
    for (const auto& [key, definition] : definitions)
        if (definition) each(*definition);
}

bool IsNumeric(const CLabProp& definition)
{
    const std::uint16_t type = GetRuxPriceFieldType(definition);
    return type != FieldText;
}

}  // namespace

RuxPriceSite RuxPriceSiteOf(const CGeneralSetup& setup, const CLabPropMap& definitions, const CLinkScaleSettings& scale)
{
    return {scale.GetScaleType(setup.m_defaultScaleFamily), setup.m_market, scale.m_tareFormat,
            setup.m_noTrayNumber != 0, WidthOf(definitions, kPosCodeField)};
}

CRuxPriceTb::CRuxPriceTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles)
    : CObjDBTable(tableNo, database, std::move(name)), m_roles(roles)
{
}

const CLabPropMap& CRuxPriceTb::Definitions() const { return m_roles.rules.GetFieldDefMap(FieldDefMap::RuxPrice); }

int CRuxPriceTb::GetPriceMasterNo() const { return GetTableNo() - kFirstRuxPriceTable + 1; }

CRuxPriceRec* CRuxPriceTb::FindPrice(std::uint32_t pluNumber) const
{
    return dynamic_cast<CRuxPriceRec*>(FindRecord(pluNumber));
}

bool CRuxPriceTb::IsKeyAllowed(std::uint32_t key) const
{
    return m_roles.rules.IsPluNumberAllowed(key) && key <= kHighestKey;
}

std::unique_ptr<CDBRecord> CRuxPriceTb::CreateRecord(std::size_t size)
{
    if (size > kRuxPriceRecordSize) return nullptr;
    return std::make_unique<CRuxPriceRec>();
}

void CRuxPriceTb::BindColumns() { AddColumns(*this, kRuxPriceColumns); }

void CRuxPriceTb::InitRecord(const CLabPropMap& definitions, std::span<std::uint8_t> record, std::uint32_t pluNumber)
{
    std::ranges::fill(record, std::uint8_t{0});
    WriteColumn(record, kRegCode,
                ZeroPadded(static_cast<std::uint32_t>(DefaultOf(definitions, kRegCodeField)), WidthOf(definitions, kRegCodeField)));
    WriteColumn(record, kPackType, std::to_string(DefaultOf(definitions, kPackTypeField)));
    WriteColumn(record, kPosCode, ZeroPadded(pluNumber, WidthOf(definitions, kPosCodeField)));
    ForEachDefinition(definitions, [&](const CLabProp& definition) {
        if (IsNumeric(definition)) (void)SetRuxPriceFieldValue(record, definition, definition.m_default);
    });
}

void CRuxPriceTb::MergeRecord(const CLabPropMap& definitions, std::span<const std::uint8_t> source,
                              std::span<std::uint8_t> target, bool* changed)
{
    const bool textsDiffer = std::ranges::any_of(kTexts, [&](TextColumn c) { return ReadColumn(source, c) != ReadColumn(target, c); });
    if (!changed || textsDiffer)
        for (const TextColumn c : kTexts) WriteColumn(target, c, std::string(ReadColumn(source, c)));
    bool valuesChanged = false;
    ForEachDefinition(definitions, [&](const CLabProp& definition) {
        if (!IsNumeric(definition)) return;
        const std::int32_t value = GetRuxPriceFieldValue(source, definition);
        if (value == GetRuxPriceFieldValue(target, definition)) return;
        (void)SetRuxPriceFieldValue(target, definition, value);
        valuesChanged = true;
    });
    if (changed) *changed = textsDiffer || valuesChanged;
}

bool CRuxPriceTb::WriteCsvFields(const CLinkScaleSettings& scale, std::uint32_t pluNumber, RecordFields& out) const
{
    const CRuxPriceRec* row = FindPrice(pluNumber);
    if (!row || row->Get(kPriceNo) == 0) return false;
    WriteRuxPriceFields(RuxPriceSiteOf(m_roles.Setup(), Definitions(), scale), row->Bytes(), out);
    return true;
}

bool CRuxPriceTb::StoreReceivedRecord(const CLinkScaleSettings& scale, std::uint32_t pluNumber, std::span<char> text,
                                      std::size_t& position)
{
    if (IsEmptyRuxPricePart(text, position)) {
        if (FindRecord(pluNumber)) return DeleteKey(pluNumber);
        return true;
    }
    RuxPriceRecordBytes received{};
    InitRecord(Definitions(), received, pluNumber);
    ReadRuxPriceFields(RuxPriceSiteOf(m_roles.Setup(), Definitions(), scale), text, position, received);
    if (!IsKeyAllowed(pluNumber)) return false;
    return StoreReceivedRow(*this, pluNumber, [&](CDBRecord& record) -> std::uint16_t {
        auto& row = dynamic_cast<CRuxPriceRec&>(record);
        MergeRecord(Definitions(), received, row.Bytes(), nullptr);
        row.Set(kPriceNo, kInUse);
        return static_cast<std::uint16_t>(kRuxPriceRecordSize);
    });
}

int CRuxPriceTb::CompareReceivedRecord(const CLinkScaleSettings& scale, std::span<char> text, std::size_t& position,
                                       IPluCompareResults& results, std::uint32_t pluNumber)
{
    const CRuxPriceRec* row = FindPrice(pluNumber);
    const auto plu = static_cast<unsigned long>(pluNumber);
    if (IsEmptyRuxPricePart(text, position)) {
        if (!row || row->Get(kPriceNo) == 0) return 0;
        results.WriteLine(FormatMessage(kMsgNotOnScale, plu, GetPriceMasterNo()));
        return 2;
    }
    if (!row) {
        RuxPriceRecordBytes skipped{};
        ReadRuxPriceFields(RuxPriceSiteOf(m_roles.Setup(), Definitions(), scale), text, position, skipped);
        results.WriteLine(FormatMessage(kMsgNotInDatabase, plu, GetPriceMasterNo()));
        return 1;
    }
    RuxPriceRecordBytes onScale{};
    std::ranges::copy(row->Bytes(), onScale.begin());
    ReadRuxPriceFields(RuxPriceSiteOf(m_roles.Setup(), Definitions(), scale), text, position, onScale);
    std::string line;
    const auto differs = [&](const std::string& piece) { line.append(",\"").append(piece).append("\""); };
    ForEachDefinition(Definitions(), [&](const CLabProp& definition) {
        if (IsNumeric(definition)) {
            const std::int32_t scaleValue = GetRuxPriceFieldValue(onScale, definition);
            const std::int32_t databaseValue = GetRuxPriceFieldValue(row->Bytes(), definition);
            if (scaleValue != databaseValue)
                differs(FormatMessage(kMsgFieldDiffers, definition.m_name.c_str(), scaleValue, databaseValue));
            return;
        }
        const TextColumn column = definition.m_fieldNo == kPosCodeField ? kPosCode
                                  : definition.m_fieldNo == kRegCodeField ? kRegCode
                                                                          : kPackType;
        std::string_view scaleText = ReadColumn(std::span<const std::uint8_t>(onScale), column);
        std::string_view databaseText = ReadColumn(row->Bytes(), column);
        if (definition.m_fieldNo == kPosCodeField) {
            scaleText = WithoutLeadingZeros(scaleText);
            databaseText = WithoutLeadingZeros(databaseText);
        }
        if (scaleText != databaseText)
            differs(FormatText("%s : Scale = %s DB = %s", definition.m_name.c_str(), std::string(scaleText).c_str(),
                               std::string(databaseText).c_str()));
    });
    if (line.empty()) return 0;
    results.AddDifferent(pluNumber);
    results.WriteLine(FormatMessage(kMsgDoesNotMatch, plu, GetPriceMasterNo()) + line);
    return 3;
}

void CRuxPriceTb::ResetRecord(std::uint32_t pluNumber)
{
    CRuxPriceRec* row = FindPrice(pluNumber);
    if (!row) return;
    InitRecord(Definitions(), row->Bytes(), pluNumber);
    (void)UpdateRecord(row, static_cast<std::uint16_t>(kRuxPriceRecordSize));
}

}  // namespace varnel
