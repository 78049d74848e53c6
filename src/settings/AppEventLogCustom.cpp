// The custom logs (tab-separated PLU and import logs) and the scale status log.
#include "settings/AppEventLog.h"

#include "db/text/PathText.h"
#include "platform/TextFormat.h"
#include "settings/LogLines.h"

namespace varnel {
namespace {

constexpr char kEsc = 0x1B;
constexpr std::size_t kLineOpener = 3;      // ESC and two bytes open each description line
constexpr std::size_t kDescriptionScan = 150;
constexpr std::uint16_t kLogPathWidth = 40;

constexpr MessageId kStatusHeader = 20594;  // "Date&Time\tScale No.\tLink Status\tEnable|Disable"
constexpr MessageId kStatusTotals = 20595;
constexpr MessageId kEnabled = 20590, kDisabled = 20591, kOnline = 20592, kOffline = 20593;

std::string_view ColumnHeader(int kind)
{
    switch (kind) {
    case CustomLogPluUpdates: return "     PLU\tUnitPrice\tSalesMode\tShelfLife\tDescription\r\n";
    case CustomLogSendFailures: return "     PLU\tScale          \tUnitPrice\tSalesMode\tShelfLife\tDescription\r\n";
    case CustomLogImportSummary:
        return "                   Text File Import From\t                             To Database\t IP Address "
               "No.\tRecord Imported\tNo. Record Sent\tNo. Record Unsent\r\n";
    case CustomLogImportErrors:
        return "                   Text File Import From\t                             To Database\t IP Address "
               "No.\t PLU No.\tSalesMode\tUnitPrice\tDescription\r\n";
    default: return "Imported from file\tTo database\tPLU\tOldPrice\tNewPrice\tSalesMode\tShelfLife\tDescription\r\n";
    }
}

// The text of the description line whose opener starts at `start`: up to the next ESC or NUL, the
// scan ending after 150 bytes. `next` receives where the following line's opener starts, if any.
std::string_view DescriptionLine(std::string_view text, std::size_t start, std::size_t& next)
{
    next = std::string_view::npos;
    const std::size_t begin = start + kLineOpener;
    if (begin >= text.size()) return {};
    const std::size_t limit = std::min(text.size(), start + kDescriptionScan);
    std::size_t end = begin;
    while (end < limit && text[end] != kEsc && text[end] != '\0') ++end;
    if (end < limit && text[end] == kEsc) next = end;
    return text.substr(begin, end - begin);
}

std::string DescriptionColumn(std::string_view text, int kind)
{
    if (text.size() < 2 || text[1] == kEsc) return {};
    std::size_t next = 0;
    std::string column(DescriptionLine(text, 0, next));
    if (column.empty()) return {};
    if (kind != CustomLogImportErrors && kind != CustomLogImportPlus && next != std::string_view::npos) {
        std::size_t after = 0;
        column += " - ";
        column += DescriptionLine(text, next, after);
    }
    return column;
}

}  // namespace

const std::string& CAppEventLog::CustomLogFile(int kind) const
{
    switch (kind) {
    case CustomLogPluUpdates: return PluUpdateLogFile;
    case CustomLogSendFailures: return SendFailureLogFile;
    case CustomLogImportSummary: return ImportSummaryLogFile;
    case CustomLogImportErrors: return ImportErrorLogFile;
    default: return ImportPluLogFile;
    }
}

std::optional<LogFile> CAppEventLog::OpenCustomLog(int kind) const
{
    if (kind < CustomLogPluUpdates || kind > CustomLogImportPlus) return std::nullopt;
    auto file = LogFile::Open(*m_fs, CustomLogFile(kind), LogFile::Mode::AppendOrCreate);
    if (file && file->WasCreated()) {
        // "Date" padded to the width of the dates below it.
        const std::string date = LogDateText(*m_clock);
        const std::string header = "Date" + std::string(date.size() - 4, ' ') + "\t" + std::string(ColumnHeader(kind));
        if (!file->Append(header)) return std::nullopt;
    }
    return file;
}

void CAppEventLog::WritePluLogLine(varnel::LogFile& file, int kind, const PluLogEntry& plu, const PluLogScale* scale,
                                   const PluLogImport& import, std::int32_t value) const
{
    const std::string line = FormatPluLogLine(kind, plu, scale, import, value);
    if (!line.empty()) (void)file.Append(line);
}

std::string CAppEventLog::FormatPluLogLine(int kind, const PluLogEntry& plu, const PluLogScale* scale,
                                           const PluLogImport& import, std::int32_t value) const
{
    if (kind == CustomLogSendFailures && scale == nullptr) return {};
    const int salesMode = plu.salesMode;
    const int shelfLife = plu.shelfLife;
    std::string line = LogDateText(*m_clock) + "\t";
    switch (kind) {
    case CustomLogPluUpdates:
        line += FormatText("%8u\t%9d\t%9d\t%9d\t", plu.pluNumber, plu.unitPrice, salesMode, shelfLife);
        break;
    case CustomLogSendFailures:
        line += FormatText("%8u\t%12s\t%9d\t%9d\t%9d\t", plu.pluNumber, scale->name.c_str(), plu.unitPrice, salesMode,
                           shelfLife);
        break;
    case CustomLogImportErrors: {
        const std::string where = scale == nullptr ? std::string{}
                                  : scale->linkAddress.empty() ? scale->name
                                                               : scale->linkAddress;
        line += FormatText("%40s\t%40s\t%15s\t%8u\t%9d\t%9d\t",
                           AbbreviatePath(import.importFile, kLogPathWidth, import.chars).c_str(),
                           AbbreviatePath(import.database, kLogPathWidth, import.chars).c_str(), where.c_str(),
                           plu.pluNumber, salesMode, plu.unitPrice);
        break;
    }
    case CustomLogImportPlus:
        line +=
            FormatText("%s\t%s\t%u\t%d\t%d\t%d\t%d\t", std::string(import.importFile).c_str(),
                       std::string(import.database).c_str(), plu.pluNumber, value, plu.unitPrice, salesMode, shelfLife);
        break;
    default: break;  // the import summary: its links write the rest of the line
    }
    line += DescriptionColumn(plu.description, kind);
    line += "\r\n";
    return line;
}

void CAppEventLog::StartScaleStatusLog() const
{
    if (StatusLogKeepDays != 0) return;
    if (auto file = LogFile::Open(*m_fs, ScaleStatusLogFile, LogFile::Mode::CreateEmpty))
        (void)file->Append(std::string(GetMessageText(kStatusHeader)) + "\r\n");
}

void CAppEventLog::LogScaleStatus(const ScaleStatusEntry& scale) const
{
    if (!scale.socketLink) return;
    auto file = LogFile::Open(*m_fs, ScaleStatusLogFile, LogFile::Mode::AppendOrCreate);
    if (!file) return;
    std::string text;
    if (file->WasCreated()) text = std::string(GetMessageText(kStatusHeader)) + "\r\n";
    const std::string online(GetMessageText(scale.online ? kOnline : kOffline));
    const std::string enabled(GetMessageText(scale.linkEnabled ? kEnabled : kDisabled));
    text += FormatText("%s|\t%d|\t%s|\t%s", LogDateText(*m_clock).c_str(), static_cast<int>(scale.scaleNumber),
                       online.c_str(), enabled.c_str());
    text += "\r\n";
    (void)file->Append(text);
}

void CAppEventLog::LogScaleStatusTotals(int total, int offline, int disabled) const
{
    auto file = LogFile::Open(*m_fs, ScaleStatusLogFile, LogFile::Mode::AppendExisting);
    if (!file) return;
    // No enabled scale: no ratio, rather than a division by zero.
    const int enabled = total - disabled;
    const int ratio = enabled < 1 ? 0 : offline * 100 / enabled;
    (void)file->Append(FormatMessage(kStatusTotals, total, offline, disabled, offline, total, disabled, ratio));
}

}  // namespace varnel
