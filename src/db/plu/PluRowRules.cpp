// The rules of a PLU row's content: the defaults of a new PLU, and the repair of a row read from a
// file, a scale or an import, both driven by the general setup and field definitions their caller hands.
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"

#include "db/text/DoubleByteText.h"
#include "db/site/FieldDefSet.h"
#include "db/site/TextRules.h"
#include "db/plu/PluFieldAccess.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

constexpr std::uint16_t kRegCodeField = 1011;
constexpr std::uint16_t kPosCodeField = 1026;
constexpr std::uint16_t kPackTypeField = 1086;
constexpr std::uint16_t kDefaultDescLength = 100;
constexpr std::uint16_t kFamily9 = 9;

std::int32_t DefaultOf(const FieldDefSet& fields, std::uint16_t fieldNo)
{
    const CLabProp* definition = FindFieldDef(fieldNo, fields.Map(FieldDefMap::Plu));
    return definition ? definition->m_default : 0;
}

// The PLU number with '0' in front up to the POS code's display width; a longer number stays whole.
std::string PaddedPosCode(const FieldDefSet& fields, std::uint32_t pluNumber)
{
    const CLabProp* definition = FindFieldDef(kPosCodeField, fields.Map(FieldDefMap::Plu));
    std::string digits = std::to_string(pluNumber);
    const std::size_t width = definition ? definition->m_width : 0;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

// Each definition of a field-definition map, as `use` wants it.
template <class Use>
void ForEachDefinition(const FieldDefSet& fields, FieldDefMap which, Use use)
{
    for (const auto& [key, definition] : fields.Map(which))
        if (definition) use(*definition);
}

}  // namespace

void InitPluDataDefaults(std::uint32_t pluNumber, CPluDefRec& plu, const CGeneralSetup& setup,
                         const FieldDefSet& fields)
{
    plu.Set(PluCol::Desc, std::string_view{});
    std::ranges::fill(plu.Bytes(), std::uint8_t{0});
    plu.Set(PluCol::PluNo1, static_cast<std::int32_t>(pluNumber));
    plu.Set(PluCol::RegCode, FormatText("%04.4d", DefaultOf(fields, kRegCodeField)));
    plu.Set(PluCol::PackType, std::to_string(DefaultOf(fields, kPackTypeField)));
    plu.Set(PluCol::PosCode, PaddedPosCode(fields, pluNumber));
    plu.Set(PluCol::LabelWidth, setup.GetLabelWidth(pluNumber));
    plu.Set(PluCol::DescLen, IsAusNzNutrition(setup) ? kDefaultDescLength : setup.GetDescLength(pluNumber));
    const auto setDefault = [&plu](const CLabProp& definition) {
        (void)SetPluFieldValue(plu, definition, definition.m_default);
    };
    ForEachDefinition(fields, FieldDefMap::Plu, setDefault);
    if (setup.m_defaultScaleFamily == kFamily9) ForEachDefinition(fields, FieldDefMap::Plu2, setDefault);
    plu.Set(PluCol::NutritionID, static_cast<std::int32_t>(pluNumber));
}

void CPluDefTb::InitNewPlu(std::uint32_t pluNumber, CPluDefRec& row) const
{
    InitPluDataDefaults(pluNumber, row, GetRoles().Setup(), GetRoles().Fields());
}

void CPluDefRec::FixFieldValue(const CLabProp& definition)
{
    if (!definition.IsValueAllowed(GetPluFieldValue(*this, definition)))
        (void)SetPluFieldValue(*this, definition, definition.m_default);
}

void CPluDefRec::Normalize(const CGeneralSetup& setup, const FieldDefSet& fields)
{
    std::string posCode(Get(PluCol::PosCode));
    std::ranges::replace_if(posCode, [](char c) { return !std::isdigit(static_cast<unsigned char>(c)); }, '0');
    Set(PluCol::PosCode, posCode);

    if (const std::uint16_t width = Get(PluCol::LabelWidth); width < 10 || width > 500)
        Set(PluCol::LabelWidth, setup.GetLabelWidth(1));
    if (const std::uint16_t length = Get(PluCol::DescLen); length < 5 || length > 999)
        Set(PluCol::DescLen, kDefaultDescLength);

    ForEachDefinition(fields, FieldDefMap::Plu, [this](const CLabProp& definition) { FixFieldValue(definition); });
    if (setup.m_defaultScaleFamily == kFamily9)
        ForEachDefinition(fields, FieldDefMap::Plu2, [this](const CLabProp& definition) {
            if (definition.m_display != 0) FixFieldValue(definition);
        });
}

}  // namespace varnel
