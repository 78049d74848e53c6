// The stored form of a scale font, with the older schemas that lacked the last fields.
#include "db/text/ScaleFont.h"

#include "platform/Archive.h"

namespace varnel {
namespace {
constexpr std::uint16_t kSchema = 102;
constexpr std::uint16_t kFirstSchemaWithLineLimit = 101;
constexpr std::uint16_t kFirstSchemaWithFurtherFlag = 102;
}  // namespace

VARNEL_IMPLEMENT_SERIAL(CScaleFont, 1)

void CScaleFont::Serialize(CArchive& ar)
{
    std::uint16_t schema = kSchema;
    if (ar.IsStoring())
        ar << schema;
    else
        ar >> schema;
    const auto field = [&ar](auto& value) {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    };
    field(m_name);
    field(m_code);
    for (std::uint8_t& flag : m_flags) field(flag);
    if (schema >= kFirstSchemaWithFurtherFlag) field(m_furtherFlag);
    field(m_charWidth);
    field(m_charHeight);
    field(m_linePitch);
    field(m_metric1);
    field(m_metric2);
    if (schema >= kFirstSchemaWithLineLimit) field(m_lineLimit);
}

}  // namespace varnel
