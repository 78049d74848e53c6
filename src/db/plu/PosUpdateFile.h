// The POS update file: a line for each changed PLU, appended for a point-of-sale system to take. The
// file is opened with deny-write sharing, so the point-of-sale program may hold it while it reads; a
// line that cannot be written then stays pending, and the pending lines go out, in the order they were
// queued, before the next line that can be written.
//
// Line (82 characters):
//   SIZE  CONTENT
//     6   PLU number "%d", cut or padded with blanks
//    18   Name, cut (between whole characters) or padded with blanks
//    12   blanks
//     6   UnitPrice "%06.6d"
//     3   Group "%03.3d"
//     1   the change kind ('C' changed, 'D' deleted)
//    34   blanks
//     2   CR LF
#pragma once

#include "db/site/TextRules.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varnel {

class CPluDefRec;

class CPosUpdateFile {
public:
    struct Pending {
        std::uint32_t pluNumber;
        char kind;
        bool operator==(const Pending&) const = default;
    };
    // The PLU's row as it is now; null when the PLU is gone, whose pending line is then dropped.
    using FindPlu = std::function<const CPluDefRec*(std::uint32_t pluNumber)>;

    CPosUpdateFile() = default;
    // The file system and the clock of the waits between tries; the real ones unless a test sets others.
    void Use(IFileSystem& fs, const IClock& clock);

    // The name is cut between whole characters of the character rule.
    static std::string FormatLine(const CPluDefRec& row, char kind, const CharRule& chars);

    // Appends the pending lines and then the row's line (none without a row). A row's line that
    // cannot be written at once is queued, unless `noQueue` asks for two more tries 600 ms apart,
    // which a call without a row makes too; what is still not written after them stays pending.
    void Write(const std::string& path, const CharRule& chars, const CPluDefRec* row, char kind, bool noQueue,
               const FindPlu& find);
    void AddPending(std::uint32_t pluNumber, char kind) { m_pending.push_back({pluNumber, kind}); }
    const std::vector<Pending>& GetPending() const { return m_pending; }

private:
    // Appends the lines; false when one could not be written, which stays pending with those after it.
    bool AppendLines(IFile& file, const CharRule& chars, const CPluDefRec* row, char kind, const FindPlu& find);
    void Wait(std::chrono::milliseconds time) const;

    IFileSystem* m_fs = &RealFileSystem();
    const IClock* m_clock = &SystemClock();
    std::vector<Pending> m_pending;
};

}  // namespace varnel
