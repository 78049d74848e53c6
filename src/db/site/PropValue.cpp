#include "db/site/PropValue.h"

#include "platform/Archive.h"
#include "platform/TextFormat.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CPropValue, 1)

void CPropValue::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_text << m_number;
    else
        ar >> m_text >> m_number;
}

std::string CPropValue::Format(std::uint32_t defaultNumber) const
{
    return FormatText(m_number == defaultNumber ? "* %4.4d %s" : "  %4.4d %s", int{m_number}, m_text.c_str());
}

}  // namespace varnel
