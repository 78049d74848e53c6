#include "db/plu/PosUpdateFile.h"

#include "db/text/DbcsString.h"
#include "db/plu/PluDefRec.h"
#include "platform/TextFormat.h"

#include <condition_variable>
#include <mutex>

namespace varnel {
namespace {

constexpr std::size_t kNumberWidth = 6;
constexpr std::size_t kNameWidth = 18;
constexpr int kTries = 3;
constexpr std::chrono::milliseconds kRetryWait{600};

std::string Fitted(std::string_view text, std::size_t width, const CharRule& chars)
{
    std::string fitted(DbcsLeft(text, width, chars));
    fitted.resize(width, ' ');
    return fitted;
}

}  // namespace

void CPosUpdateFile::Use(IFileSystem& fs, const IClock& clock)
{
    m_fs = &fs;
    m_clock = &clock;
}

std::string CPosUpdateFile::FormatLine(const CPluDefRec& row, char kind, const CharRule& chars)
{
    const std::string number = Fitted(std::to_string(row.GetKey()), kNumberWidth, chars);
    const std::string name = Fitted(row.Get(PluCol::Name), kNameWidth, chars);
    const std::string blanks(17, ' ');
    return FormatText("%s%s            %06.6d%03.3d%c%s%s\r\n", number.c_str(), name.c_str(),
                      int{row.Get(PluCol::UnitPrice)}, int{row.Get(PluCol::Group)}, kind, blanks.c_str(),
                      blanks.c_str());
}

void CPosUpdateFile::Wait(std::chrono::milliseconds time) const
{
    std::mutex mutex;
    std::condition_variable never;
    std::unique_lock lock(mutex);
    (void)m_clock->WaitUntil(never, lock, m_clock->MonotonicNow() + time, [] { return false; });
}

void CPosUpdateFile::Write(const std::string& path, const CharRule& chars, const CPluDefRec* row, char kind,
                           bool noQueue, const FindPlu& find)
{
    if (!row && m_pending.empty()) return;
    const int tries = row && !noQueue ? 1 : kTries;
    for (int attempt = 1; attempt <= tries; ++attempt) {
        if (attempt > 1) Wait(kRetryWait);
        auto opened = m_fs->Open(path, FileAccess::OpenAlways, FileShare::DenyWrite);
        if (!opened) continue;
        (void)AppendLines(**opened, chars, row, kind, find);
        return;
    }
    // Kept for the next line that can be written.
    if (row) AddPending(row->GetKey(), kind);
}

bool CPosUpdateFile::AppendLines(IFile& file, const CharRule& chars, const CPluDefRec* row, char kind,
                                 const FindPlu& find)
{
    auto end = file.Length();
    if (!end || !file.Seek(*end)) {
        if (row) AddPending(row->GetKey(), kind);
        return false;
    }
    std::uint64_t written = *end;
    // Writes one line whole or, cutting off what a failed write left, not at all.
    const auto append = [&](const std::string& line) {
        if (WriteBytes(file, line.data(), line.size())) {
            written += line.size();
            return true;
        }
        (void)file.Truncate(written);
        return false;
    };
    std::size_t done = 0;
    for (; done < m_pending.size(); ++done) {
        const CPluDefRec* pending = find(m_pending[done].pluNumber);
        if (pending && !append(FormatLine(*pending, m_pending[done].kind, chars))) break;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(done));
    const bool allPendingWritten = m_pending.empty();
    if (row && !(allPendingWritten && append(FormatLine(*row, kind, chars)))) {
        AddPending(row->GetKey(), kind);
        return false;
    }
    return allPendingWritten;
}

}  // namespace varnel
