// The Lumen link's trace file: each entry the local date and time, then
//
//   kind 0  "  Send: Data length = %hd", CR LF and a hex dump of the bytes
//   kind 1  "  Received: Data length = %hd", CR LF and a hex dump of the bytes
//   kind 2  "  Error : " and the message, CR LF, CR LF
//
// and a final CR LF. The hex dump shows every byte from 0x20 up as a character.
#include "comms/lumen/LumenLink.h"

#include "platform/HexDump.h"
#include "platform/LocalTime.h"
#include "platform/OleDate.h"
#include "platform/TextFormat.h"
#include "settings/LogFile.h"

namespace varnel {

void CLumenLink::WriteTrace(std::uint16_t kind, std::string_view message)
{
    WriteTrace(kind, std::span(reinterpret_cast<const std::uint8_t*>(message.data()), message.size()));
}

void CLumenLink::WriteTrace(std::uint16_t kind, std::span<const std::uint8_t> data)
{
    if (m_logging == 0 || m_logFile.empty()) return;
    const auto length = static_cast<short>(data.size());
    std::string entry = FormatDateTime(ToLocalParts(m_clock.WallNow()));
    switch (kind) {
    case TraceSend:
    case TraceReceived:
        entry += FormatText(kind == TraceSend ? "  Send: Data length = %hd" : "  Received: Data length = %hd", length);
        entry += "\r\n";
        AppendHexDump(entry, data, HexDumpChars::NoControls);
        break;
    default:
        entry += "  Error : ";
        entry.append(reinterpret_cast<const char*>(data.data()), data.size());
        entry += "\r\n\r\n";
        break;
    }
    entry += "\r\n";
    if (auto log = LogFile::Open(m_fs, m_logFile, LogFile::Mode::AppendOrCreate)) (void)log->Append(entry);
}

}  // namespace varnel
