#include "comms/filelink/Qd47LinkForm.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/filelink/Qd47ComLink.h"

namespace varnel {
namespace {

std::string ShownParity(const std::string& letter)
{
    if (letter == "E") return "EVEN";
    if (letter == "O") return "ODD";
    return "NONE";
}

std::string StoredParity(const std::string& shown)
{
    if (shown == "EVEN") return "E";
    if (shown == "ODD") return "O";
    return "N";
}

}  // namespace

Qd47LinkForm::Qd47LinkForm(const CQd47ComLink& link)
    : port(link.m_portName),
      baudRate(link.m_baudRate),
      dataBits(link.m_dataBits),
      stopBits(link.m_stopBits),
      parity(ShownParity(link.m_parity)),
      scaleType(link.m_scaleType)
{
}

std::vector<std::string> Qd47LinkForm::PortChoices() { return {"COM1", "COM2", "COM3", "COM4"}; }
std::vector<std::string> Qd47LinkForm::BaudRateChoices() { return {"2400", "4800", "9600", "19200", "38400"}; }
std::vector<std::string> Qd47LinkForm::DataBitsChoices() { return {"7", "8", "9"}; }
std::vector<std::string> Qd47LinkForm::StopBitsChoices() { return {"0", "1", "2"}; }
std::vector<std::string> Qd47LinkForm::ParityChoices() { return {"NONE", "EVEN", "ODD"}; }
std::vector<std::string> Qd47LinkForm::ScaleTypeChoices() { return {"TR-5300 series", "PZ-6600 series"}; }

void Qd47LinkForm::StoreInto(CQd47ComLink& link) const
{
    link.m_portName = port;
    link.m_baudRate = baudRate;
    link.m_dataBits = dataBits;
    link.m_stopBits = stopBits;
    link.m_parity = StoredParity(parity);
    link.m_scaleType = static_cast<std::uint16_t>(scaleType);
}

bool CQd47ComLink::EditSettings(const std::function<bool()>& allowSetupChange)
{
    Qd47LinkForm form(*this);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (!dialogs || !dialogs->RunQd47Link(form)) return false;
    if (allowSetupChange && !allowSetupChange()) return false;
    form.StoreInto(*this);
    return true;
}

}  // namespace varnel
