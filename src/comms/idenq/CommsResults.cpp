// What a link reports of its last operation: the per-scale result lines of the event log, the comms
// log's line, the import-error log's PLU lines, the scale status lines and the PLU send-failure log.
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/PluLogRow.h"
#include "db/plu/Document.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluDefTb.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"
#include "settings/LogFile.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgAddressOnly = 20567;     // "%d.%d.%d.%d"
constexpr MessageId kMsgScaleSucceeded = 20569;  // "  Scale [%s] : Comms operation completed successfully"
constexpr MessageId kMsgRecordCounts = 20570;    // records sent, records not sent
constexpr MessageId kMsgScaleFailed = 20572;     // "  Scale [%s] : Comms error [%s]"
constexpr MessageId kMsgNameAndAddress = 20573;  // "%s (%d.%d.%d.%d)"

// The first delivered-or-queued slot from the current job's start: the jobs before it were delivered.
std::size_t FirstUndelivered(const SendQueue& queue, std::size_t from)
{
    const auto found = std::find_if(queue.begin() + static_cast<std::ptrdiff_t>(from), queue.end(),
                                    [](const auto& job) { return job != nullptr; });
    return static_cast<std::size_t>(found - queue.begin());
}

}  // namespace

CPluDefTb* CIdEnqLink::GetPluTable() const
{
    const CObjDatabase* database = m_document ? m_document->GetPluDatabase() : nullptr;
    return database ? dynamic_cast<CPluDefTb*>(database->GetTable(CPluDefTb::kTableNo)) : nullptr;
}

std::string CIdEnqLink::FormatNameWithAddress(std::optional<std::string_view> name) const
{
    const std::array<std::uint16_t, 4>* octets = GetIpAddress();
    if (octets == nullptr) return name ? std::string(*name) : std::string{};
    const auto [a, b, c, d] = *octets;
    if (name) return FormatMessage(kMsgNameAndAddress, std::string(*name).c_str(), int{a}, int{b}, int{c}, int{d});
    return FormatMessage(kMsgAddressOnly, int{a}, int{b}, int{c}, int{d});
}

void CIdEnqLink::LogCommsResults(const IEventLog& log) const
{
    for (const CLinkScale* scale : GetJobScales()) {
        const std::string name = FormatNameWithAddress(scale->m_name);
        const MessageId scaleError = scale->GetLastResult();
        std::string records;
        {
            const std::lock_guard lock(m_queueLock);
            const SendQueue& queue = scale->m_sendQueue;
            const int sent = static_cast<int>(scale->GetRecordCounter());
            // Records refused for a value that does not fit their field were not sent either.
            const int refused = static_cast<int>(scale->GetRefusedCounter());
            if (!queue.empty() || scaleError == kMsgCancelled) {
                if (scale->m_currentJobStart && *scale->m_currentJobStart < queue.size()) {
                    const std::size_t undelivered = FirstUndelivered(queue, *scale->m_currentJobStart);
                    records = FormatMessage(kMsgRecordCounts, sent, static_cast<int>(queue.size() - undelivered) + refused);
                }
            } else {
                records = FormatMessage(kMsgRecordCounts, sent, refused);
            }
        }
        const MessageId error = m_linkError != 0 ? m_linkError.load() : scaleError;
        log.WriteEvent(EventContinuation,
                       error != 0 ? FormatMessage(kMsgScaleFailed, name.c_str(), std::string(GetMessageText(error)).c_str())
                                  : FormatMessage(kMsgScaleSucceeded, name.c_str()));
        if (!records.empty()) log.WriteEvent(EventContinuation, records);
    }
}

void CIdEnqLink::WriteCommsLog(std::string& out, std::string_view a, std::string_view b, std::uint32_t value,
                               std::uint32_t count) const
{
    const std::string address = FormatNameWithAddress(std::nullopt);
    for (const CLinkScale* scale : GetJobScales()) {
        std::size_t sent = 0;
        std::size_t notSent = 0;
        if (count >= 1 && scale->GetLastResult() != kMsgCancelled) {
            const std::lock_guard lock(m_queueLock);
            const SendQueue& queue = scale->m_sendQueue;
            if (scale->m_currentJobStart && *scale->m_currentJobStart < queue.size()) {
                const std::size_t undelivered = FirstUndelivered(queue, *scale->m_currentJobStart);
                sent = undelivered - *scale->m_currentJobStart;
                notSent = queue.size() - undelivered;
            } else {
                sent = count;
            }
            // A record refused for a value that does not fit its field left with its job but was not sent.
            const std::size_t refused = scale->GetRefusedCounter();
            sent -= std::min(sent, refused);
            notSent += refused;
        }
        out += FormatDateTime(ToLocalParts(m_clock.WallNow())) + "\t";
        out += FormatText("%40s\t%40s\t%15s\t%15d\t%15d\t%15d\r\n", std::string(a).c_str(), std::string(b).c_str(),
                          address.c_str(), static_cast<int>(value), static_cast<int>(sent), static_cast<int>(notSent));
    }
}

void CIdEnqLink::WritePluLogLines(const CAppEventLog& log, std::string& out, const PluLogImport& import) const
{
    const CPluDefTb* plus = GetPluTable();
    if (plus == nullptr) return;
    for (const CLinkScale* scale : GetJobScales()) {
        const PluLogScale who{scale->m_name, FormatNameWithAddress(m_name)};
        const std::lock_guard lock(m_queueLock);
        const SendQueue& queue = scale->m_sendQueue;
        for (std::size_t i = scale->m_currentJobStart.value_or(queue.size()); i < queue.size(); ++i) {
            const CSendDataLog* job = queue[i].get();
            if (!job || job->m_tableId != CPluDefTb::kTableNo || job->m_kind != SendRecords) continue;
            if (const auto* plu = dynamic_cast<const CPluDefRec*>(plus->FindRecord(job->m_rangeStart)))
                out += log.FormatPluLogLine(CustomLogImportErrors, MakePluLogEntry(*plu), &who, import, 0);
        }
    }
}

void CIdEnqLink::LogScaleStatus(const CAppEventLog& log) const
{
    for (const auto& scale : m_scales)
        log.LogScaleStatus({GetIpAddress() != nullptr, scale->m_scaleNo, scale->IsOnline(), m_enabled});
}

void CIdEnqLink::LogUnsentPlus(const CAppEventLog& log)
{
    CPluDefTb* plus = GetPluTable();
    if (plus == nullptr) return;
    const std::lock_guard lock(m_queueLock);
    for (const auto& scale : m_scales)
        scale->WriteUnsentPluLog(log, *plus, {scale->m_name, FormatNameWithAddress(m_name)});
}

void CLinkScale::WriteUnsentPluLog(const CAppEventLog& log, CPluDefTb& plus, const PluLogScale& scale)
{
    if (log.LogSendFailures == 0) return;
    std::optional<LogFile> file = log.OpenCustomLog(CustomLogSendFailures);
    if (!file) return;
    for (const auto& job : m_sendQueue) {
        if (!job || job->m_logged || job->m_tableId != CPluDefTb::kTableNo) continue;
        KeyCursor first = job->m_rangeStart;
        plus.LogSendFailedRange(
            [&](const CPluDefRec& plu) {
                log.WritePluLogLine(*file, CustomLogSendFailures, MakePluLogEntry(plu), &scale, {}, 0);
            },
            first, job->m_rangeEnd);
    }
    for (const auto& job : m_sendQueue)
        if (job) job->m_logged = true;
}

}  // namespace varnel
