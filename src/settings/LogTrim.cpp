#include "settings/LogTrim.h"

#include "platform/AtomicReplace.h"
#include "settings/LogFile.h"
#include "settings/LogLines.h"

#include <span>
#include <string_view>
#include <vector>

namespace varnel {
namespace {

// How many of `lines` may be dropped from their start (see the file comment of LogTrim.h).
std::size_t DroppableLines(std::span<const std::string_view> lines, std::string_view separators, double cutoff)
{
    std::size_t droppable = 0;
    bool afterOldLine = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineDate date = ReadLineDate(lines[i], separators);
        if (date.kind == LineDateKind::Unreadable) break;
        if (date.kind == LineDateKind::Undated && !afterOldLine) break;
        if (date.kind == LineDateKind::Dated && date.date > cutoff) break;
        afterOldLine = true;
        droppable = i + 1;
    }
    return droppable;
}

// Drops `droppable` lines after the first `kept` header lines: nothing, the whole log, or a new file.
Result<void> DropLines(IFileSystem& fs, const std::string& path, const std::vector<std::string_view>& lines,
                       std::size_t kept, std::size_t droppable)
{
    if (droppable == 0) return {};
    if (kept + droppable == lines.size()) return fs.Remove(path);
    return ReplaceFile(fs, path, [&](IFile& file) -> Result<void> {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i >= kept && i < kept + droppable) continue;
            if (auto written = WriteBytes(file, lines[i].data(), lines[i].size()); !written) return written;
        }
        return {};
    });
}

Result<void> Trim(IFileSystem& fs, const std::string& path, double cutoff, std::size_t headerLines,
                  std::string_view separators)
{
    const auto lock = LockLogFiles();
    if (!fs.Exists(path)) return {};
    auto opened = fs.Open(path, FileAccess::ReadWrite, FileShare::DenyWrite);
    if (!opened) return opened.GetError();
    auto log = ReadLogContent(**opened);
    if (!log) return log.GetError();
    const std::vector<std::string_view> lines = SplitLogLines(*log);
    const std::size_t kept = std::min(headerLines, lines.size());
    const std::size_t droppable = DroppableLines(std::span(lines).subspan(kept), separators, cutoff);
    return DropLines(fs, path, lines, kept, droppable);
}

}  // namespace

Result<void> TrimEventLog(IFileSystem& fs, const std::string& path, double cutoff)
{
    return Trim(fs, path, cutoff, 0, "|");
}

Result<void> TrimCustomLog(IFileSystem& fs, const std::string& path, double cutoff)
{
    return Trim(fs, path, cutoff, 1, "\t|");
}

}  // namespace varnel
