#include "comms/filelink/Qd47Session.h"

#include "comms/filelink/Qd47Names.h"
#include "platform/ByteOrder.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kBlockSize = 256;
constexpr std::size_t kOpenParameters = 21;
constexpr std::size_t kNameParameters = 20;
constexpr unsigned kReadLimit = 50;
constexpr std::chrono::milliseconds kAttempt(100);
constexpr std::chrono::milliseconds kBlockPause(200);
constexpr std::size_t kLongestListedName = 12;

enum Reply : std::uint8_t { ReplyDone = 0, ReplyRefused = 2, ReplyNotFound = 0x20, ReplyCannotCreate = 0x40 };
enum Command : std::uint8_t { CommandEnd = 1, CommandStop = 2 };

std::span<const std::uint8_t, kQd47WireNameSize> WireNameAt(std::span<const std::uint8_t> parameters)
{
    return parameters.first<kQd47WireNameSize>();
}

}  // namespace

CQd47Session::CQd47Session(CQd47ComLink& link)
    : m_link(link),
      m_trace(link.m_traceDirectory.empty() ? std::string{} : link.m_traceDirectory + "/QD47Dump.txt", link.m_clock,
              link.m_fs)
{
}

CQd47Session::ReadResult CQd47Session::ReadBytes(std::span<std::uint8_t> into, unsigned limit)
{
    std::size_t got = 0;
    unsigned attempts = 0;
    while (got < into.size()) {
        const auto deadline = m_link.m_clock.MonotonicNow() + kAttempt;
        std::size_t read = 0;
        while (read == 0) {
            if (m_link.m_cancel.Poll()) return ReadResult::Cancelled;
            const Result<std::size_t> bytes = m_link.m_port.Read(into.subspan(got));
            if (!bytes) {
                m_trace.Error("Read file error");
                return ReadResult::Failed;
            }
            read = *bytes;
            if (read == 0 && m_link.m_clock.MonotonicNow() >= deadline) break;
        }
        if (read == 0) {
            ++attempts;
            // Waiting for a command without a limit is the idle state: its attempts are not traced.
            if (limit != 0)
                m_trace.Error("ReadFile timeout - count = " + std::to_string(attempts) + ", received " +
                              std::to_string(got) + " bytes of " + std::to_string(into.size()));
            if (limit != 0 && attempts >= limit) return ReadResult::Timeout;
        }
        got += read;
    }
    m_trace.Received(into);
    return ReadResult::Done;
}

bool CQd47Session::Fail(int status)
{
    m_link.m_status = status;
    return false;
}

bool CQd47Session::ReadParameters(std::span<std::uint8_t> into)
{
    switch (ReadBytes(into, kReadLimit)) {
    case ReadResult::Done: return true;
    case ReadResult::Timeout: return Fail(Qd47Timeout);
    case ReadResult::Cancelled: return Fail(Qd47Cancelled);
    case ReadResult::Failed: break;
    }
    return Fail(Qd47Error);
}

bool CQd47Session::Send(std::span<const std::uint8_t> bytes)
{
    const Result<std::size_t> written = m_link.m_port.Write(bytes);
    m_trace.Sent(bytes.first(written ? std::min(*written, bytes.size()) : 0));
    return written && *written == bytes.size();
}

bool CQd47Session::Reply(std::uint8_t reply)
{
    m_trace.Reply(reply);
    const std::array<std::uint8_t, 1> byte{reply};
    return m_link.m_port.Write(byte).HasValue();
}

void CQd47Session::Run()
{
    for (;;) {
        std::array<std::uint8_t, 1> command{};
        switch (ReadBytes(command, m_commandLimit)) {
        case ReadResult::Done: break;
        case ReadResult::Timeout: command[0] = CommandEnd; break;
        case ReadResult::Cancelled: command[0] = CommandStop; break;
        // A port that fails to read would fail every read after: the run ends instead of spinning.
        case ReadResult::Failed: m_link.m_status = Qd47Error; return;
        }
        m_trace.Command(command[0]);
        if (command[0] != 'L') CloseListing();
        bool goOn = true;
        switch (command[0]) {
        case CommandEnd:
            if (m_link.m_status == Qd47PortOpen) m_link.m_status = m_fileOpen ? Qd47Timeout : Qd47Done;
            return;
        case CommandStop:
            if (FileServer()) return;
            // The scale may still be in the middle of its sequence: it gets 5 seconds to end it.
            m_link.m_status = Qd47Cancelled;
            m_commandLimit = kReadLimit;
            break;
        case 'O': goOn = Open(); break;
        case 'R': goOn = ReadBlock(); break;
        case 'W': goOn = WriteBlock(); break;
        case 'C': goOn = CloseFile(); break;
        case 'L': goOn = List(); break;
        case 'I': goOn = DiskInformation(); break;
        case 'A': goOn = SetFileTime(); break;
        case 'D': goOn = Delete(); break;
        default: break;
        }
        if (!goOn) return;
    }
}

std::optional<std::string> CQd47Session::ServedPath(std::span<const std::uint8_t, kQd47WireNameSize> wire,
                                                    bool mustExist) const
{
    if (!FileServer()) return std::nullopt;
    const std::optional<std::string> name = Qd47FileName(wire);
    if (!name) return std::nullopt;
    std::string found = *name;
    bool exists = false;
    if (const auto entries = ListDirectory(m_link.m_path)) {
        for (const DirectoryEntry& entry : *entries)
            if (SameQd47Name(entry.name, *name)) {
                found = entry.name;
                exists = true;
            }
    }
    if (mustExist && !exists) return std::nullopt;
    return m_link.m_path + "/" + found;
}

bool CQd47Session::Open()
{
    std::array<std::uint8_t, kOpenParameters> parameters{};
    if (!ReadParameters(parameters)) return false;
    if (!FileServer()) m_commandLimit = kReadLimit;
    const std::uint8_t access = parameters[0];
    const auto wire = WireNameAt(std::span(parameters).subspan(1));
    if (access == 0) {
        std::uint64_t offset = 0;
        if (FileServer()) {
            const std::optional<std::string> path = ServedPath(wire, false);
            if (!path) return Reply(ReplyRefused);
            auto file = m_link.m_fs.Open(*path, FileAccess::Create, FileShare::DenyWrite);
            if (!file) return Reply(ReplyCannotCreate);
            m_file = std::move(*file);
        } else {
            if (!m_link.m_receive) return Reply(ReplyRefused);
            offset = m_link.m_dataSaveFile->Position();
        }
        CDataSaveSection section;
        section.type = DataSaveTypeOfName({reinterpret_cast<const char*>(wire.data()), kDataSaveNameSize});
        section.offset = static_cast<std::uint32_t>(offset);
        std::transform(wire.begin(), wire.begin() + kDataSaveNameSize, section.name.begin(),
                       [](std::uint8_t c) { return c == ' ' ? '\0' : static_cast<char>(c); });
        m_link.m_sections.push_back(section);
        m_fileOpen = true;
        if (!Reply(ReplyDone)) return Fail(Qd47Error);
        m_link.Notify(Qd47BlockReceived, 0);
        return true;
    }
    if (access != 1) return Reply(ReplyRefused);
    if (FileServer()) {
        const std::optional<std::string> path = ServedPath(wire, true);
        auto file = path ? m_link.m_fs.Open(*path, FileAccess::Read, FileShare::DenyWrite)
                         : Result<std::unique_ptr<IFile>>(MakeError(Errc::NotFound, "not served"));
        if (!file) return Reply(ReplyNotFound);
        m_file = std::move(*file);
    } else {
        if (m_link.m_receive) return Reply(ReplyNotFound);
        const std::string_view name(reinterpret_cast<const char*>(wire.data()), kDataSaveNameSize);
        const std::string_view wanted = name.substr(0, name.find(' '));
        const auto& sections = m_link.m_index.sections;
        const auto found = std::ranges::find(sections, wanted, &CDataSaveSection::Name);
        if (found == sections.end()) return Reply(ReplyNotFound);
        const auto i = static_cast<std::size_t>(found - sections.begin());
        if (!m_link.m_dataSaveFile->Seek(m_link.m_index.SectionStart(i))) return Reply(ReplyNotFound);
        m_sectionEnd = m_link.m_index.SectionEnd(i);
    }
    m_fileOpen = true;
    if (!Reply(ReplyDone)) return Fail(Qd47Error);
    m_link.Notify(Qd47BlockSent, 0);
    return true;
}

bool CQd47Session::ReadBlock()
{
    if (!m_fileOpen || (!FileServer() && m_link.m_receive)) {
        m_link.m_status = Qd47Error;
        Reply(ReplyRefused);
        return false;
    }
    std::array<std::uint8_t, kBlockSize> block{};
    IFile& file = FileServer() ? *m_file : *m_link.m_dataSaveFile;
    // A Data Save section's last block is filled with zeros, never with the next section's bytes.
    const std::uint64_t position = file.Position();
    const std::size_t wanted = FileServer() ? kBlockSize
                                            : static_cast<std::size_t>(std::min<std::uint64_t>(
                                                  kBlockSize, m_sectionEnd - std::min(m_sectionEnd, position)));
    const Result<std::size_t> read = file.Read(std::as_writable_bytes(std::span(block).first(wanted)));
    if (!read) return Fail(Qd47Error);
    m_byteCount += *read;
    if (!Reply(ReplyDone)) return Fail(Qd47Error);
    std::intptr_t value = kBlockSize;
    if (FileServer()) {
        // The file server's scales take the block only 200 ms after the reply.
        SleepFor(m_link.m_clock, kBlockPause);
    } else {
        const auto length = file.Length();
        const std::uint64_t total = length ? *length : 0;
        value = total == 0 ? 100 : static_cast<std::intptr_t>(std::min<std::uint64_t>(m_byteCount * 100 / total, 100));
    }
    if (!Send(block)) return Fail(Qd47Error);
    m_link.Notify(Qd47BlockSent, value);
    return true;
}

bool CQd47Session::WriteBlock()
{
    if (!m_fileOpen || (!FileServer() && !m_link.m_receive)) {
        m_link.m_status = Qd47Error;
        Reply(ReplyRefused);
        return false;
    }
    std::array<std::uint8_t, kBlockSize> block{};
    if (!ReadParameters(block)) return false;
    IFile& file = FileServer() ? *m_file : *m_link.m_dataSaveFile;
    if (!WriteBytes(file, block.data(), block.size())) return Fail(Qd47Error);
    m_byteCount += kBlockSize;
    m_link.Notify(Qd47BlockReceived, FileServer() ? static_cast<std::intptr_t>(kBlockSize)
                                                  : static_cast<std::intptr_t>(m_byteCount));
    if (!Reply(ReplyDone)) return Fail(Qd47Error);
    return true;
}

bool CQd47Session::CloseFile()
{
    if (!Reply(ReplyDone)) return Fail(Qd47Error);
    if (FileServer()) m_file.reset();
    m_fileOpen = false;
    return true;
}

bool CQd47Session::RefusedWithFileOpen()
{
    if (FileServer()) m_file.reset();
    m_fileOpen = false;
    return Reply(ReplyRefused) || Fail(Qd47Error);
}

bool CQd47Session::List()
{
    if (m_fileOpen) return RefusedWithFileOpen();
    if (!ReadParameters(std::span(m_listRequest).first(1))) return false;
    if (m_listRequest[0] == 2) {
        if (!ReadParameters(std::span(m_listRequest).subspan(1, kNameParameters))) return false;
        if (m_listing) {
            CloseListing();
            return Reply(ReplyRefused) || Fail(Qd47Error);
        }
        m_listing.emplace();
        const std::optional<std::string> pattern = Qd47ListingPattern(WireNameAt(std::span(m_listRequest).subspan(1)));
        // Data Save mode serves no directory: its listings find nothing.
        const auto entries = ListDirectory(m_link.m_path);
        if (FileServer() && pattern && entries) {
            for (const DirectoryEntry& entry : *entries)
                if (entry.name.size() <= kLongestListedName && IsQd47FileName(entry.name) &&
                    MatchesQd47Pattern(entry.name, *pattern))
                    m_listing->push_back(entry);
            // Served in name order, the first match first.
            std::ranges::sort(*m_listing, std::ranges::greater{}, &DirectoryEntry::name);
        }
    } else if (!m_listing) {
        return Reply(ReplyRefused) || Fail(Qd47Error);
    }
    if (m_listing->empty()) {
        CloseListing();
        if (!Reply(ReplyNotFound) || !Send(m_listRequest)) return Fail(Qd47Error);
        return true;
    }
    const DirectoryEntry entry = m_listing->back();
    m_listing->pop_back();
    if (!Reply(ReplyDone) || !Send(Qd47DirectoryEntry(m_listRequest[0], entry))) return Fail(Qd47Error);
    return true;
}

bool CQd47Session::DiskInformation()
{
    if (m_fileOpen) return RefusedWithFileOpen();
    // The figures of a 1.44 MB diskette: clusters, free clusters, bytes per sector, sectors per cluster.
    std::array<std::uint8_t, 8> information{};
    const std::uint16_t figures[] = {2847, 2847, 512, 1};
    for (std::size_t i = 0; i < std::size(figures); ++i) StoreLe16(information.data() + 2 * i, figures[i]);
    if (!Reply(ReplyDone) || !Send(information)) return Fail(Qd47Error);
    return true;
}

bool CQd47Session::SetFileTime()
{
    if (m_fileOpen) return RefusedWithFileOpen();
    std::array<std::uint8_t, kNameParameters> parameters{};
    if (!ReadParameters(parameters)) return false;
    const std::optional<std::string> path = ServedPath(WireNameAt(parameters), true);
    if (!path) return Reply(ReplyNotFound) || Fail(Qd47Error);
    const DosDateTime dos{LoadLe16(parameters.data() + 16), LoadLe16(parameters.data() + 18)};
    (void)SetModifiedTime(*path, FromDosDateTime(dos));
    return Reply(ReplyDone) || Fail(Qd47Error);
}

bool CQd47Session::Delete()
{
    if (m_fileOpen) return RefusedWithFileOpen();
    std::array<std::uint8_t, kNameParameters> parameters{};
    if (!ReadParameters(parameters)) return false;
    const auto wire = WireNameAt(parameters);
    if (!Qd47FileName(wire)) return Reply(ReplyNotFound) || Fail(Qd47Error);
    if (const std::optional<std::string> path = ServedPath(wire, true)) (void)m_link.m_fs.Remove(*path);
    return Reply(ReplyDone) || Fail(Qd47Error);
}

}  // namespace varnel
