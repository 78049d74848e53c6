// What the lists and the status bar of the Communication Center show of a link.
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/ScaleFamily.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

// Families whose links are described (the comma-separated families are not).
constexpr std::uint16_t kDescribedFamilies = 9;

}  // namespace

std::string CIdEnqLink::DescribeKind(MessageId kindName, const CGeneralSetup& setup) const
{
    const std::uint16_t family =
        m_scales.empty() ? setup.m_defaultScaleFamily : m_scales.front()->GetScaleType(setup.m_defaultScaleFamily);
    if (family >= kDescribedFamilies) return {};
    return FormatText("%s (%s)", std::string(GetScaleFamilyName(family)).c_str(),
                      std::string(GetMessageText(kindName)).c_str());
}

std::string CIdEnqLink::StatusText(MessageId kindName) const
{
    std::string text(GetMessageText(kindName));
    text += "  " + m_name;
    if (m_enabled) {
        text += '*';
        if (IsAnyScaleOnline()) text += '*';
    }
    return text;
}

}  // namespace varnel
