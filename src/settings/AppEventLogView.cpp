// The event log viewers: an extract of the log, or the whole log, written to the view file and shown
// in the text viewer.
#include "settings/AppEventLog.h"

#include "db/text/PathText.h"
#include "platform/TextViewer.h"
#include "platform/UserPrompt.h"
#include "settings/LogLines.h"
#include "settings/LogView.h"

namespace varnel {
namespace {

constexpr MessageId kFileOpenError = 61216;  // "File open error"
constexpr MessageId kNoEntriesInRange = 61407;

Result<std::string> ReadWhole(IFileSystem& fs, const std::string& path)
{
    const auto lock = LockLogFiles();
    auto opened = fs.Open(path, FileAccess::Read);
    if (!opened) return opened.GetError();
    return ReadLogContent(**opened);
}

Result<void> WriteViewFile(IFileSystem& fs, const std::string& path, std::string_view text)
{
    auto created = fs.Open(path, FileAccess::Create);
    if (!created) return created.GetError();
    return WriteBytes(**created, text.data(), text.size());
}

void Show(const std::string& path)
{
    if (auto shown = OpenInTextViewer(path); !shown) ShowMessageText(shown.GetError().message);
}

}  // namespace

std::string CAppEventLog::GetViewFilePath(const CharRule& chars) const
{
    return std::string(GetDirFromPath(LogFile, chars)) + "LOGVIEW.TXT";
}

void CAppEventLog::ViewLog(double from, double to, int content, const CharRule& chars) const
{
    auto log = ReadWhole(*m_fs, LogFile);
    if (!log) {
        ShowMessage(kFileOpenError);
        return;
    }
    const std::string extract = SelectLogLines(*log, from, to, content);
    if (extract.empty()) {
        ShowMessage(kNoEntriesInRange);
        return;
    }
    const std::string path = GetViewFilePath(chars);
    if (!WriteViewFile(*m_fs, path, extract)) {
        ShowMessage(kFileOpenError);
        return;
    }
    Show(path);
}

void CAppEventLog::ViewWholeLog(const CharRule& chars) const
{
    auto log = ReadWhole(*m_fs, LogFile);
    const std::string path = GetViewFilePath(chars);
    if (log && WriteViewFile(*m_fs, path, *log)) Show(path);
}

void CAppEventLog::ViewTodaysLog(int content, const CharRule& chars) const
{
    const double now = LogNow(*m_clock);
    ViewLog(DayStart(now), DayEnd(now), content, chars);
}

}  // namespace varnel
