// The link's lines of the setup listing, with its scales' lines under them.
#include "comms/idenq/IdEnqLink.h"

#include "db/text/DisplayText.h"
#include "platform/TextFormat.h"

namespace varnel {

void CIdEnqLink::WriteSetupDump(std::string& out, const CGeneralSetup& setup) const
{
    const auto yesNo = [](bool yes) { return std::string(GetYesNoText(yes)); };
    out += FormatText("Scale ID %hd\r\n", static_cast<short>(m_linkId));
    out += FormatText("  Name                                : %s\r\n", m_name.c_str());
    out += FormatText("  Enabled?                            : %s\r\n", yesNo(m_enabled).c_str());
    if (m_scales.size() == 1)
        out += FormatText("  Connected?                          : %s\r\n", yesNo(m_scales.front()->IsOnline()).c_str());
    WriteSetupDetails(out);
    out += FormatText("  Use 8-bit data?                     : %s\r\n", yesNo(m_eightBitData != 0).c_str());
    out += FormatText("  Logging                             : %s\r\n", std::string(GetEnabledText(m_logging)).c_str());
    if (m_logging) out += FormatText("  Log file                            : %s\r\n", m_logFile.c_str());
    if (m_scales.size() == 1) {
        m_scales.front()->WriteSetupDump(out, setup, false);
    } else if (m_scales.size() > 1) {
        out += "  Scales:\r\n";
        for (const auto& scale : m_scales) {
            out += FormatText("    Name                                : %s (Id = %hd)\r\n", scale->m_name.c_str(),
                              static_cast<short>(scale->m_scaleNo));
            out += FormatText("    Connected?                          : %s\r\n", yesNo(scale->IsOnline()).c_str());
            scale->WriteSetupDump(out, setup, true);
            out += "\r\n";
        }
    }
    out += "\r\n";
}

}  // namespace varnel
