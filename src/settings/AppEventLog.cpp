// The event log's settings, their archive form, the event lines and the trims after a load.
#include "settings/AppEventLog.h"

#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"
#include "settings/LogLines.h"
#include "settings/LogTrim.h"
#include "settings/SetupFormat.h"
#include "settings/UserSetupList.h"

namespace varnel {
namespace {

constexpr MessageId kUserPart = 20505;          // " User: <%s>"
constexpr MessageId kSetupModified = 20510;     // ": Setup modified - %s"
constexpr MessageId kSetupDeleted = 20511;      // ": Setup deleted - %s"

std::string_view TagOf(std::uint16_t kind)
{
    static constexpr std::string_view kTags[] = {"A", "U ", "D ", "G ", "I ", "P "};
    return kind < std::size(kTags) ? kTags[kind] : std::string_view{};
}

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CAppEventLog, 1)

CAppEventLog::CAppEventLog(IClock& clock, IFileSystem& fs) : m_clock(&clock), m_fs(&fs) {}

void CAppEventLog::Serialize(CArchive& ar)
{
    const std::uint16_t version = SerializeSetupVersion(ar, kVersion);
    Exchange(ar, LogFile, LoggingOn, LogAdditions, LogUpdates, LogDeletions, LogGeneral, KeepDays,
                LogPluDetails);
    if (version == kFirstObjectVersion && ar.IsLoading()) {
        // The first version kept five words that no later one reads.
        std::uint16_t dropped = 0;
        for (int i = 0; i < 5; ++i) ar >> dropped;
    } else {
        Exchange(ar, PluUpdateLogFile, SendFailureLogFile, LogPluUpdates, LogSendFailures,
                    PluLogKeepDays);
        if (version >= 102)
            Exchange(ar, ImportErrorLogFile, ImportErrorKeepDays, ImportLogsOn, ImportSummaryLogFile,
                        ImportSummaryKeepDays);
        if (version >= 103) Exchange(ar, ImportPluLogFile);
        if (version >= 104) Exchange(ar, PosUpdateFile);
        if (version >= 105) Exchange(ar, ScaleStatusLogOn, StatusLogKeepDays, ScaleStatusLogFile);
    }
    if (ar.IsLoading() && ar.Ok()) PurgeOldEntries();
}

bool CAppEventLog::IsKindLogged(std::uint16_t kind) const
{
    switch (kind) {
    case EventAdded: return LogAdditions != 0;
    case EventUpdated:
    case EventImport:
    case EventPriceChange: return LogUpdates != 0;
    case EventDeleted: return LogDeletions != 0;
    case EventGeneral: return LogGeneral != 0;
    default: return true;  // continuations, and kinds above 6, have no switch of their own
    }
}

void CAppEventLog::WriteEvent(std::uint16_t kind, std::string_view text) const
{
    if (LoggingOn == 0 || !IsKindLogged(kind)) return;
    std::string line;
    if (kind == EventContinuation) {
        line = "|";
    } else {
        line = LogDateText(*m_clock) + "|" + std::string(TagOf(kind));
        const CUserSetup* user = m_users != nullptr ? m_users->GetCurrentUser() : nullptr;
        if (user != nullptr) line += FormatMessage(kUserPart, user->m_name.c_str());
    }
    line.append(text);
    line += "\r\n";
    if (auto file = LogFile::Open(*m_fs, LogFile, LogFile::Mode::AppendOrCreate)) (void)file->Append(line);
}

void CAppEventLog::LogSetupChange(MessageId format, MessageId subject, std::string_view detail) const
{
    const std::string subjectText(subject != 0 ? GetMessageText(subject) : std::string_view{});
    std::string text = FormatMessage(format, subjectText.c_str());
    if (!detail.empty()) {
        text += " : ";
        text.append(detail);
    }
    WriteEvent(EventGeneral, text);
}

void CAppEventLog::LogSetupModified(MessageId subject, std::string_view detail) const
{
    LogSetupChange(kSetupModified, subject, detail);
}

void CAppEventLog::LogSetupDeleted(MessageId subject, std::string_view detail) const
{
    LogSetupChange(kSetupDeleted, subject, detail);
}

void CAppEventLog::AppendFile(const std::string& path) const
{
    auto source = m_fs->Open(path, FileAccess::Read);
    if (!source) return;
    auto log = LogFile::Open(*m_fs, LogFile, LogFile::Mode::AppendOrCreate);
    if (!log) return;
    std::string content = "\r\n";
    char block[4096];
    for (;;) {
        auto got = (*source)->Read(std::as_writable_bytes(std::span(block)));
        if (!got || *got == 0) break;
        content.append(block, *got);
    }
    content += "\r\n";
    (void)log->Append(content);
}

void CAppEventLog::PurgeOldEntries() const
{
    const double now = LogNow(*m_clock);
    const auto cutoff = [now](std::uint16_t keepDays) { return now - (keepDays + 1.0); };
    // A log that cannot be trimmed now keeps its lines until the next load.
    (void)TrimCustomLog(*m_fs, PluUpdateLogFile, cutoff(PluLogKeepDays));
    (void)TrimCustomLog(*m_fs, SendFailureLogFile, cutoff(PluLogKeepDays));
    (void)TrimCustomLog(*m_fs, ImportErrorLogFile, cutoff(ImportErrorKeepDays));
    (void)TrimCustomLog(*m_fs, ImportPluLogFile, cutoff(ImportErrorKeepDays));
    (void)TrimCustomLog(*m_fs, ImportSummaryLogFile, cutoff(ImportSummaryKeepDays));
    (void)TrimCustomLog(*m_fs, ScaleStatusLogFile, cutoff(StatusLogKeepDays));
    if (LogFile.empty()) return;
    if (KeepDays == 0) {
        const auto lock = LockLogFiles();
        if (m_fs->Exists(LogFile)) (void)m_fs->Remove(LogFile);
        return;
    }
    (void)TrimEventLog(*m_fs, LogFile, cutoff(KeepDays));
}

}  // namespace varnel
