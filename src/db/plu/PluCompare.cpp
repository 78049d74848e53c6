#include "db/plu/PluCompare.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluFieldAccess.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr MessageId kMsgDoesNotMatch = 20554;
constexpr MessageId kMsgFieldDiffers = 20557;
constexpr std::uint16_t kPosCodeField = 1026;
constexpr std::uint16_t kPackTypeField = 1086;
constexpr std::size_t kPosCodeDigits = 13;
constexpr std::size_t kPackTypeCompared = 3;

std::string RightAligned(std::string_view code)
{
    std::string aligned(code);
    if (aligned.size() < kPosCodeDigits) aligned.insert(0, kPosCodeDigits - aligned.size(), '0');
    return aligned;
}

}  // namespace

void PluDifferenceLines::Write(std::string_view line)
{
    if (!m_any) {
        m_results.WriteLine(FormatMessage(kMsgDoesNotMatch, static_cast<unsigned long>(m_pluNumber)));
        m_results.AddDifferent(m_pluNumber);
    }
    m_any = true;
    m_results.WriteLine(line);
}

void PluDifferenceLines::Field(std::string_view name, std::int32_t scale, std::int32_t database)
{
    Write('"' + FormatMessage(kMsgFieldDiffers, std::string(name).c_str(), scale, database) + '"');
}

void PluDifferenceLines::Field(std::string_view name, std::string_view scale, std::string_view database)
{
    Write(FormatText("\"%s : Scale = %s DB = %s\"", std::string(name).c_str(), std::string(scale).c_str(),
                     std::string(database).c_str()));
}

bool ComparePluWithScale(PluDifferenceLines& lines, const CPluDefRec& scalePlu, const CPluDefRec& databasePlu)
{
    bool differs = false;
    for (const CLabProp* definition : GetPluFieldDefs()) {
        const std::uint16_t kind = GetPluFieldType(*definition);
        if (kind >= FieldByte && kind <= FieldLong) {
            const std::int32_t scale = GetPluFieldValue(scalePlu, *definition);
            const std::int32_t database = GetPluFieldValue(databasePlu, *definition);
            if (scale == database) continue;
            lines.Field(definition->m_name, scale, database);
            differs = true;
            continue;
        }
        std::string scaleText;
        std::string databaseText;
        if (definition->m_fieldNo == kPosCodeField) {
            // The scale's code comes back right-aligned to 13 digits; the database's is compared at the
            // same width, or an unchanged PLU with a shorter code would always differ.
            scaleText = RightAligned(scalePlu.Get(PluCol::PosCode));
            databaseText = RightAligned(databasePlu.Get(PluCol::PosCode));
        } else if (definition->m_fieldNo == kPackTypeField) {
            scaleText = scalePlu.Get(PluCol::PackType).substr(0, kPackTypeCompared);
            databaseText = databasePlu.Get(PluCol::PackType).substr(0, kPackTypeCompared);
        } else {
            continue;
        }
        if (scaleText == databaseText) continue;
        lines.Field(definition->m_name, scaleText, databaseText);
        differs = true;
    }
    return differs;
}

}  // namespace varnel
