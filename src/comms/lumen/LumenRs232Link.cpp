#include "comms/lumen/LumenRs232Link.h"

#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"

namespace varnel {

VARNEL_IMPLEMENT_SERIAL(CLumenRs232Link, 1)

CLumenRs232Link::CLumenRs232Link(IClock& clock, IFileSystem& fs) : CLumenLink(clock, fs), m_serial(clock, kReadTime) {}

CLumenRs232Link::CLumenRs232Link(const CLumenRs232Link& other)
    : CLumenLink(other), LumenSerialSettings(other), m_serial(m_clock, kReadTime)
{
}

CLumenRs232Link& CLumenRs232Link::operator=(const CLumenRs232Link& other)
{
    CLumenLink::operator=(other);
    LumenSerialSettings::operator=(other);
    return *this;
}

CLumenRs232Link::~CLumenRs232Link() { CancelWorker(); }

void CLumenRs232Link::Serialize(CArchive& ar)
{
    CLumenLink::Serialize(ar);
    Exchange(ar, m_port, m_baudRate, m_parity, m_dataBits, m_stopBits, m_useRtsCts);
}

bool CLumenRs232Link::Open()
{
    if (m_serial.IsOpen()) return true;
    const std::string control = FormatText("baud=%s parity=%s data=%s stop=%s", m_baudRate.c_str(), m_parity.c_str(),
                                           m_dataBits.c_str(), m_stopBits.c_str());
    const std::optional<SerialOpenFailure> failed = m_serial.Open(NativeSerialDeviceName(m_port), control, m_useRtsCts != 0);
    if (!failed) return true;
    WriteTrace(TraceError, DescribeOpenFailure(*failed));
    return false;
}

bool CLumenRs232Link::Close()
{
    if (!m_serial.IsOpen()) {
        WriteTrace(TraceError, "Error closing link: Already closed");
        return false;
    }
    EndWorker();
    m_serial.Close();
    return true;
}

bool CLumenRs232Link::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    sent = 0;
    const Result<std::size_t> written = m_serial.Write(bytes);
    if (!written) {
        WriteTrace(TraceError, FormatText("Error or timeout sending to COM port: Error = %ld",
                                          static_cast<long>(written.GetError().osError)));
        return false;
    }
    sent = *written;
    return true;
}

bool CLumenRs232Link::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    const Result<std::size_t> read = m_serial.Read(into);
    if (!read) {
        WriteTrace(TraceError, "Error reading from COM port");
        return false;
    }
    got = *read;
    return true;
}

}  // namespace varnel
