#include "comms/idenq/IdEnqComLink.h"

#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"
#include "settings/SetupFormat.h"

namespace varnel {
namespace {

constexpr MessageId kMsgRs232 = 17594;  // "RS-232  "

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CIdEnqComLink, 1)

CIdEnqComLink::CIdEnqComLink(IClock& clock, IFileSystem& fs) : CIdEnqLink(clock, fs), m_port(clock) {}

CIdEnqComLink::~CIdEnqComLink() { Close(); }

void CIdEnqComLink::Serialize(CArchive& ar)
{
    CIdEnqLink::Serialize(ar);
    SerializeSetupVersion(ar, kFormat);
    std::uint16_t useRtsCts = m_useRtsCts ? 1 : 0;
    Exchange(ar, m_portName, m_baudRate, m_parity, m_dataBits, m_stopBits, useRtsCts);
    if (ar.IsLoading()) m_useRtsCts = useRtsCts != 0;
}

bool CIdEnqComLink::Open()
{
    m_eightBitData = m_dataBits == "8" ? 1 : 0;
    if (m_port.IsOpen()) return true;
    const std::string control = FormatText("baud=%s parity=%s data=%s stop=%s", m_baudRate.c_str(), m_parity.c_str(),
                                           m_dataBits.c_str(), m_stopBits.c_str());
    const std::optional<SerialOpenFailure> failed = m_port.Open(NativeSerialDeviceName(m_portName), control, m_useRtsCts);
    if (!failed) return true;
    WriteTrace(TraceMessage, DescribeOpenFailure(*failed));
    return false;
}

bool CIdEnqComLink::ClosePort()
{
    m_port.Close();
    return true;
}

void CIdEnqComLink::Close()
{
    StopThread();
    ClosePort();
}

bool CIdEnqComLink::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    sent = 0;
    const Result<std::size_t> written = m_port.Write(bytes);
    if (!written) {
        WriteTrace(TraceMessage, FormatText("Error or timeout sending to COM port: Error = %ld",
                                            static_cast<long>(written.GetError().osError)));
        return false;
    }
    sent = *written;
    return true;
}

bool CIdEnqComLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    const Result<std::size_t> read = m_port.Read(into);
    if (!read) {
        WriteTrace(TraceMessage, "Error or timeout reading from COM port");
        return false;
    }
    got = *read;
    return true;
}

std::string CIdEnqComLink::GetDescription(const CGeneralSetup& setup) const
{
    return DescribeKind(kMsgRs232, setup);
}

std::string CIdEnqComLink::GetStatusText(const CGeneralSetup& /*setup*/) const { return StatusText(kMsgRs232); }

void CIdEnqComLink::WriteSetupDetails(std::string& out) const
{
    out += FormatText("  COM port: %s\r\n", m_portName.c_str());
    out += FormatText("  Baud rate: %s\r\n", m_baudRate.c_str());
    out += FormatText("  Parity: %s\r\n", m_parity.c_str());
    out += FormatText("  No. Data Bits: %s\r\n", m_dataBits.c_str());
    out += FormatText("  No. Stop Bits: %s\r\n", m_stopBits.c_str());
    out += FormatText("  Use RTS/CTS: %s\r\n", m_useRtsCts ? "Yes" : "No");
}

}  // namespace varnel
