#include "comms/idenq/LinkFilter.h"

#include "db/text/DisplayText.h"
#include "platform/Archive.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr MessageId kMsgFilterText = 18095;  // "%s : From %ld to %ld"
constexpr MessageId kMsgDeptGroupCode = 17547;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CLinkFilter, 1)

void CLinkFilter::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::uint16_t>(m_kind) << m_from << m_to << m_include << m_spare;
        return;
    }
    std::uint16_t kind = 0;
    ar >> kind >> m_from >> m_to >> m_include >> m_spare;
    m_kind = kind;
}

std::string CLinkFilter::GetText() const
{
    const std::string name = m_kind == kDeptGroupKind ? std::string(GetMessageText(kMsgDeptGroupCode))
                                                      : GetDataTypeName(static_cast<std::uint16_t>(m_kind));
    return FormatMessage(kMsgFilterText, name.c_str(), static_cast<long>(m_from), static_cast<long>(m_to));
}

void CLinkFilter::WriteSetup(std::string& out) const { out += "    " + GetText() + "\r\n"; }

}  // namespace varnel
