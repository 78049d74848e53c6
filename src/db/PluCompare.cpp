#include "db/PluCompare.h"

#include "db/PluDefRec.h"
#include "db/PluFieldAccess.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

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

bool ComparePluWithScale(std::string& out, const CPluDefRec& scalePlu, const CPluDefRec& databasePlu,
                         std::uint32_t pluNumber)
{
    bool differs = false;
    const auto writeLine = [&](const std::string& text) {
        if (!differs)
            out += FormatText("%lu,\"Scale PLU does not match database\"\r\n", static_cast<unsigned long>(pluNumber));
        differs = true;
        out += '"' + text + "\"\r\n";
    };
    for (const CLabProp* definition : GetPluFieldDefs()) {
        const std::uint16_t kind = GetPluFieldType(*definition);
        if (kind >= FieldByte && kind <= FieldLong) {
            const std::int32_t scale = GetPluFieldValue(scalePlu, *definition);
            const std::int32_t database = GetPluFieldValue(databasePlu, *definition);
            if (scale != database)
                writeLine(FormatText("%s : Scale = %d DB = %d", definition->m_name.c_str(), scale, database));
            continue;
        }
        std::string scaleText;
        std::string databaseText;
        if (definition->m_fieldNo == kPosCodeField) {
            scaleText = RightAligned(scalePlu.Get(PluCol::PosCode));
            databaseText = databasePlu.Get(PluCol::PosCode);
        } else if (definition->m_fieldNo == kPackTypeField) {
            scaleText = scalePlu.Get(PluCol::PackType).substr(0, kPackTypeCompared);
            databaseText = databasePlu.Get(PluCol::PackType).substr(0, kPackTypeCompared);
        } else {
            continue;
        }
        if (scaleText != databaseText)
            writeLine(FormatText("%s : Scale = %s DB = %s", definition->m_name.c_str(), scaleText.c_str(),
                                 databaseText.c_str()));
    }
    return differs;
}

}  // namespace varnel
