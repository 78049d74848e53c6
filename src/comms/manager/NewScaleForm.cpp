#include "comms/manager/NewScaleForm.h"

namespace varnel {

NewScaleForm::NewScaleForm(std::uint16_t defaultFamily)
{
    switch (defaultFamily) {
    case 1:
    case 3: m_kind = Kind::HbkuSerial; break;
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12: m_kind = Kind::NetworkTcp; break;
    default: m_kind = Kind::MasterTcp; break;
    }
}

const char* NewScaleForm::KindText(Kind kind)
{
    switch (kind) {
    case Kind::NetworkTcp: return "LumenXT/VM/QF/5400 Series   (TCP/IP)";
    case Kind::MasterTcp: return "TR-5300  (TCP/IP)";
    case Kind::MasterSerial: return "TR-5300/5200  (RS-232C)";
    case Kind::HbkuSerial: return "HBKU  (RS-232C)";
    }
    return "";
}

std::vector<std::string> NewScaleForm::PortChoices() { return {"COM1", "COM2", "COM3", "COM4"}; }

}  // namespace varnel
