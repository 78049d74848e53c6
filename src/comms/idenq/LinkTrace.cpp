// The link's trace file: one entry per exchange step, each the local date and time (for most kinds),
// a header line and a dump of the bytes, ended by an empty line.
//
//   kind  header line (then CR LF)                                       body
//   0     "  Send to Scale ID = %hd, Link ID = %hd Data length = %hd"     text dump
//         (no data: "  Send <ID-ENQ> : Scale ID = %hd, Link ID = %hd")
//   1     "  Received from Scale ID = %hd, Link ID = %hd Data length = %hd" text dump
//   2, 8  "  " and the message, CR LF, CR LF                               none
//   3     "  Send to Link ID = %hd Data length = %hd"                       hex dump
//   4, 6  none, and no date either                                          hex dump
//   5     "  Start receive from Link ID = %hd"                             hex dump
//   7     "  Receive request declined by scale"                            hex dump
//   9 up  none                                                              text dump
//
// Text dump: printable and high bytes as they are (a double-byte character kept whole), ESC as
// "<ESC>", other control bytes as "<%02.2x>", a line break before a character once a line holds more
// than 64; then CR LF. Hex dump: 16 bytes a line, "%02.2x " each in a 48-character field, two blanks
// and the bytes as characters (0x20 to 0x7F as they are, others '.').
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/IdEnqFrame.h"
#include "db/text/DoubleByteText.h"
#include "platform/AtomicReplace.h"
#include "platform/HexDump.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"
#include "settings/LogFile.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kTextLineWidth = 64;
constexpr std::size_t kTrimChunk = 8192;

void AppendTextDump(std::string& out, std::span<const std::uint8_t> data, const CharRule& chars)
{
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (line.size() > kTextLineWidth) {
            out += line + "\r\n";
            line.clear();
        }
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (byte == idenq::kEsc) {
            line += "<ESC>";
            ++i;
        } else if (byte < 0x20) {
            line += FormatText("<%02.2x>", unsigned{byte});
            ++i;
        } else {
            const std::size_t length = std::max<std::size_t>(GetCharLength(text.substr(i), chars), 1);
            line += text.substr(i, length);
            i += length;
        }
    }
    if (!line.empty()) out += line + "\r\n";
    out += "\r\n";
}

void AppendHexDump(std::string& out, std::span<const std::uint8_t> data)
{
    varnel::AppendHexDump(out, data, HexDumpChars::Ascii);
    out += "\r\n";
}

}  // namespace

void CIdEnqLink::WriteTrace(std::uint16_t kind, std::string_view message)
{
    WriteTrace(kind, std::span(reinterpret_cast<const std::uint8_t*>(message.data()), message.size()));
}

void CIdEnqLink::WriteTrace(std::uint16_t kind, std::span<const std::uint8_t> data)
{
    if (!m_logging || m_logFile.empty()) return;
    const auto scaleId = static_cast<short>(m_currentScale ? m_currentScale->m_scaleNo : 0);
    const auto linkId = static_cast<short>(m_linkId);
    const auto length = static_cast<short>(data.size());
    std::string entry;
    if (kind != TraceHexOnly && kind != TraceHexOnlyToo) entry = FormatDateTime(ToLocalParts(m_clock.WallNow()));
    switch (kind) {
    case TraceSent:
        entry += data.empty() ? FormatText("  Send <ID-ENQ> : Scale ID = %hd, Link ID = %hd", scaleId, linkId)
                              : FormatText("  Send to Scale ID = %hd, Link ID = %hd Data length = %hd", scaleId,
                                           linkId, length);
        entry += "\r\n";
        AppendTextDump(entry, data, Settings()->text.chars);
        break;
    case TraceReceived:
        entry += FormatText("  Received from Scale ID = %hd, Link ID = %hd Data length = %hd", scaleId, linkId, length);
        entry += "\r\n";
        AppendTextDump(entry, data, Settings()->text.chars);
        break;
    case TraceMessage:
    case TraceNote: {
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        entry += "  " + std::string(text.substr(0, text.find('\0'))) + "\r\n\r\n";
        break;
    }
    case TraceSentToLink:
        entry += FormatText("  Send to Link ID = %hd Data length = %hd", linkId, length) + "\r\n";
        AppendHexDump(entry, data);
        break;
    case TraceHexOnly:
    case TraceHexOnlyToo:
        AppendHexDump(entry, data);
        break;
    case TraceStartReceive:
        entry += FormatText("  Start receive from Link ID = %hd", linkId) + "\r\n";
        AppendHexDump(entry, data);
        break;
    case TraceDeclined:
        entry += "  Receive request declined by scale\r\n";
        AppendHexDump(entry, data);
        break;
    default:
        AppendTextDump(entry, data, Settings()->text.chars);
        break;
    }
    if (auto log = LogFile::Open(m_fs, m_logFile, LogFile::Mode::AppendOrCreate)) (void)log->Append(entry);
}

void CIdEnqLink::TrimLogFile()
{
    if (m_logFile.empty()) return;
    if (m_maxLogSize == 0) {
        (void)LogFile::Open(m_fs, m_logFile, LogFile::Mode::CreateEmpty);
        return;
    }
    const auto lock = LockLogFiles();
    if (!m_fs.Exists(m_logFile)) return;
    auto opened = m_fs.Open(m_logFile, FileAccess::Read);
    if (!opened) return;
    IFile& log = **opened;
    const auto length = log.Length();
    if (!length || *length <= m_maxLogSize) return;
    // The newest half, from the first entry that starts within its first 8192 bytes.
    const std::uint64_t start = *length - m_maxLogSize / 2;
    std::string tail(static_cast<std::size_t>(*length - start), '\0');
    if (!log.Seek(start) || !ReadExact(log, tail.data(), tail.size())) return;
    const std::size_t entryEnd = std::string_view(tail).substr(0, kTrimChunk).find("\r\n\r\n");
    const std::size_t keep = entryEnd == std::string_view::npos ? std::min(kTrimChunk, tail.size()) : entryEnd + 4;
    opened->reset();
    (void)ReplaceFile(m_fs, m_logFile, [&](IFile& file) { return WriteBytes(file, tail.data() + keep, tail.size() - keep); });
}

}  // namespace varnel
