#include "comms/filelink/Qd47Trace.h"

#include "platform/LocalTime.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr std::size_t kBytesPerLine = 16;

}  // namespace

void CQd47Trace::Sent(std::span<const std::uint8_t> bytes)
{
    Append(FormatText("Xmit Data (%ld bytes)\r\n", static_cast<long>(bytes.size())), bytes);
}

void CQd47Trace::Received(std::span<const std::uint8_t> bytes)
{
    Append(FormatText("Receive Data (%ld bytes)\r\n", static_cast<long>(bytes.size())), bytes);
}

void CQd47Trace::Command(std::uint8_t command)
{
    Append(FormatText("Received command %c (%02.2x)\r\n", command >= 32 && command < 127 ? command : '?', command));
}

void CQd47Trace::Reply(std::uint8_t reply) { Append(FormatText("Send ACK %02.2x\r\n", reply)); }

void CQd47Trace::Error(std::string_view what) { Append("Error: " + std::string(what) + "\r\n"); }

void CQd47Trace::Append(std::string_view what, std::span<const std::uint8_t> bytes)
{
    if (m_path.empty()) return;
    if (!m_file) {
        auto opened = m_fs.Open(m_path, FileAccess::OpenAlways);
        if (!opened) return;
        auto length = (*opened)->Length();
        if (!length || !(*opened)->Seek(*length)) return;
        m_file = std::move(*opened);
    }
    const DateTimeParts now = ToLocalParts(m_clock.WallNow());
    std::string text = FormatText("%02d:%02d:%02d : ", now.hour, now.minute, now.second) + std::string(what);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += FormatText(" %02.2x", bytes[i]);
        if (i % kBytesPerLine == kBytesPerLine - 1 || i + 1 == bytes.size()) text += "\r\n";
    }
    // The trace is a diagnostic: a failed write loses only its own lines.
    (void)WriteBytes(*m_file, text.data(), text.size());
}

}  // namespace varnel
