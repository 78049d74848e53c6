// CAppEventLog: the application's event log. Its settings say which events are logged, where, and how
// long each log keeps its lines; its routines append lines to the event log, to the five tab-separated
// custom logs and to the scale status log, trim old lines after every load, print the settings and
// show a filtered extract of the event log in the text viewer. The main frame owns one, saved in the
// site setup file. Every write opens its file, appends and closes it (LogFile.h); a write that cannot
// open its file is dropped without a message, since the log never reports its own failures.
#pragma once

#include "db/site/TextRules.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Serializable.h"
#include "settings/LogFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

struct CGeneralSetup;
class CUserSetupList;

// The kinds of event line and their tags.
enum EventKind : std::uint16_t {
    EventAdded = 0,         // "A", when LogAdditions
    EventUpdated = 1,       // "U ", when LogUpdates
    EventDeleted = 2,       // "D ", when LogDeletions
    EventGeneral = 3,       // "G ", when LogGeneral
    EventImport = 4,        // "I ", when LogUpdates
    EventPriceChange = 5,   // "P ", when LogUpdates
    EventContinuation = 6,  // no date and no tag, always: more text of the line before
};

// The custom logs, by the numbers their callers use.
enum CustomLogKind {
    CustomLogPluUpdates = 7,
    CustomLogSendFailures = 8,
    CustomLogImportSummary = 9,
    CustomLogImportErrors = 10,
    CustomLogImportPlus = 11,
};

// What the viewer shows (ViewLog): content 0 to 4.
enum LogContent { LogContentAll = 0, LogContentGeneral = 1, LogContentUserEdits = 2, LogContentImports = 3,
                  LogContentPriceChanges = 4 };

// The settings go by the names the site setup file gives them. Within CAppEventLog, LogFile is therefore
// the event log's file name, and the class that appends to a log is spelt varnel::LogFile.
struct EventLogSettings {
    std::string LogFile;
    std::string PluUpdateLogFile;      // custom log 7
    std::string SendFailureLogFile;    // custom log 8
    std::string ImportErrorLogFile;    // custom log 10
    std::string ImportSummaryLogFile;  // custom log 9
    std::string ImportPluLogFile;      // custom log 11
    std::string PosUpdateFile;         // appended to by the PLU table while POS update output is on
    std::string ScaleStatusLogFile;
    std::uint16_t LoggingOn = 0;  // master switch
    std::uint16_t LogAdditions = 0;
    std::uint16_t LogUpdates = 0;
    std::uint16_t LogDeletions = 0;
    std::uint16_t LogGeneral = 0;
    std::uint16_t LogPluDetails = 0;  // read by the PLU editor and the text import
    std::uint16_t LogPluUpdates = 0;
    std::uint16_t LogSendFailures = 0;
    std::uint16_t ScaleStatusLogOn = 0;
    std::uint16_t ImportLogsOn = 0;  // custom logs 9 and 10
    std::uint16_t KeepDays = 30;
    std::uint16_t PluLogKeepDays = 3;         // custom logs 7 and 8
    std::uint16_t StatusLogKeepDays = 30;     // 0: the status log holds the latest run only
    std::uint16_t ImportErrorKeepDays = 3;    // custom logs 10 and 11
    std::uint16_t ImportSummaryKeepDays = 3;  // custom log 9

    bool operator==(const EventLogSettings&) const = default;
};

// The fields of a PLU that a PLU custom log line shows.
struct PluLogEntry {
    std::uint32_t pluNumber = 0;
    std::int32_t unitPrice = 0;
    std::int8_t salesMode = 0;
    std::uint16_t shelfLife = 0;
    std::string_view description;  // escape-coded: each line opens with a 3-byte sequence beginning with ESC
};

// The scale a PLU custom log line names.
struct PluLogScale {
    std::string name;
    std::string linkAddress;  // the scale's link name with its network address; empty when the link is not found
};

// The import a line of custom log 10 or 11 tells of: the file read and the database it went to. Log 10
// shortens both paths under the store's character rule.
struct PluLogImport {
    std::string_view importFile;
    std::string_view database;
    CharRule chars;
};

// One scale of a status run.
struct ScaleStatusEntry {
    bool socketLink = false;  // only scales on ID-ENQ and Sorrel socket links are logged
    std::uint16_t scaleNumber = 0;
    bool online = false;
    bool linkEnabled = false;
};

class CAppEventLog : public CObject, public EventLogSettings {
    VARNEL_DECLARE_SERIAL(CAppEventLog)
public:
    static constexpr std::uint16_t kVersion = 105;

    explicit CAppEventLog(IClock& clock = SystemClock(), IFileSystem& fs = RealFileSystem());

    // Loading reads the version ladder and ends with PurgeOldEntries.
    void Serialize(CArchive& ar) override;

    // The users whose logged-in user the event lines name (the main frame's); none names no user.
    void NameUsersOf(const CUserSetupList* users) { m_users = users; }

    // Event lines.
    void WriteEvent(std::uint16_t kind, std::string_view text) const;
    void LogSetupModified(MessageId subject, std::string_view detail) const;
    void LogSetupDeleted(MessageId subject, std::string_view detail) const;
    // CR LF, the whole of `path` and CR LF, whatever the switches say.
    void AppendFile(const std::string& path) const;

    // Custom logs: the log of `kind` (7 to 11) open at its end, created with its header line when
    // missing; nothing when it cannot be opened.
    std::optional<varnel::LogFile> OpenCustomLog(int kind) const;
    // One line of a PLU custom log; kind 8 without a scale writes nothing.
    void WritePluLogLine(varnel::LogFile& file, int kind, const PluLogEntry& plu, const PluLogScale* scale,
                         const PluLogImport& import, std::int32_t value) const;
    // The same line as text, for a writer that gathers its lines before it opens the log; empty for
    // kind 8 without a scale.
    std::string FormatPluLogLine(int kind, const PluLogEntry& plu, const PluLogScale* scale, const PluLogImport& import,
                                 std::int32_t value) const;

    // The scale status log, written by the link manager in this order.
    void StartScaleStatusLog() const;
    void LogScaleStatus(const ScaleStatusEntry& scale) const;
    void LogScaleStatusTotals(int total, int offline, int disabled) const;

    // Trims every log by its keep days.
    void PurgeOldEntries() const;

    // The settings block of the setup list.
    void PrintSettings(std::string& out, const CGeneralSetup& setup) const;

    // The viewers: the lines of the range and content, the whole log, today's lines of a content. The
    // view file's folder is read under the store's character rule.
    void ViewLog(double from, double to, int content, const CharRule& chars) const;
    void ViewWholeLog(const CharRule& chars) const;
    void ViewTodaysLog(int content, const CharRule& chars) const;
    // The view file, "LOGVIEW.TXT" beside the event log.
    std::string GetViewFilePath(const CharRule& chars) const;

    IClock& GetClock() const { return *m_clock; }

private:
    bool IsKindLogged(std::uint16_t kind) const;
    void LogSetupChange(MessageId format, MessageId subject, std::string_view detail) const;
    const std::string& CustomLogFile(int kind) const;

    IClock* m_clock;
    IFileSystem* m_fs;
    const CUserSetupList* m_users = nullptr;
};

}  // namespace varnel
