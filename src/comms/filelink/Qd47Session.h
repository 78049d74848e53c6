// One run of the file link on its worker thread: the command loop and its handlers (Qd47ComLink.h
// lists the commands). The session reads commands and parameters from the port in attempts of 100 ms,
// counting the attempts that bring nothing against each read's limit, and answers each command on
// the Data Save file of the run or on the files of the served directory.
#pragma once

#include "comms/filelink/Qd47ComLink.h"
#include "comms/filelink/Qd47Names.h"
#include "comms/filelink/Qd47Trace.h"
#include "platform/DirectoryListing.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace varnel {

class CQd47Session {
public:
    explicit CQd47Session(CQd47ComLink& link);

    // Answers commands until the run ends; the link's status tells how.
    void Run();

private:
    enum class ReadResult { Done, Timeout, Cancelled, Failed };

    bool FileServer() const { return m_link.m_scaleType == CQd47ComLink::kFileServerMode; }

    // Reads all of `into`; `limit` attempts that bring nothing end the read (0: no limit).
    ReadResult ReadBytes(std::span<std::uint8_t> into, unsigned limit);
    // A parameter or data read; false, with the status that tells why, when it did not complete.
    bool ReadParameters(std::span<std::uint8_t> into);
    bool Send(std::span<const std::uint8_t> bytes);
    bool Reply(std::uint8_t reply);
    bool Fail(int status);

    // The command handlers: false ends the run.
    bool Open();
    bool ReadBlock();
    bool WriteBlock();
    bool CloseFile();
    bool List();
    bool DiskInformation();
    bool SetFileTime();
    bool Delete();
    // 'L', 'I', 'A' and 'D' refuse to work while a file is open: it is closed and the reply is 2.
    bool RefusedWithFileOpen();

    // The served file a scale's name stands for (an existing one of that name without case, else the
    // name as given); none for a name that is not a strict 8.3 name.
    std::optional<std::string> ServedPath(std::span<const std::uint8_t, kQd47WireNameSize> wire, bool mustExist) const;
    void CloseListing() { m_listing.reset(); }

    CQd47ComLink& m_link;
    CQd47Trace m_trace;
    unsigned m_commandLimit = 0;
    bool m_fileOpen = false;
    std::unique_ptr<IFile> m_file;  // file-server mode: the file of the command sequence
    std::uint64_t m_sectionEnd = 0;
    std::uint64_t m_byteCount = 0;
    std::optional<std::vector<DirectoryEntry>> m_listing;  // the open listing, next match first
    std::array<std::uint8_t, 21> m_listRequest{};
};

}  // namespace varnel
