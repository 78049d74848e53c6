// The record source: turns the jobs queued for the current scale into encoded records, one per
// outgoing packet, applying the scale's filters, and takes each job off the queue only once it has
// yielded its last record.
//
// Producers by job kind: 0 the table's records of the range, 1 key records of every key of the range,
// 2 key records of the existing keys (CDBComTb walks); 3 and 4 the PLU table's price and markdown
// change records; 8 the production totals request (one record); 5 to 7, 9 and 10 the document's
// producers (date and time, operators, keyboards). Kinds above 10 are sent only by the block link: on an ID-ENQ link such a job is dropped
// with an event-log line, so the jobs behind it still go out.
//
// Invariants:
//   (1) the queue holds no null slot after its first job (finished jobs are emptied from the front);
//   (2) every record sent has passed the scale's filters;
//   (3) after each record the scale acknowledged, its job starts at the next key, so a send that fails
//       later resumes after what was delivered and no record reaches the scale twice;
//   (4) the queue lock is never held across line I/O (the capacity check runs with it released);
//   (5) a record made ahead while the scale answers the one before (PrepareNextRecord) is sent only
//       when its job is still the one walked, and the job's start moves only past delivered records.
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/ProdFileCode.h"
#include "db/plu/DBComTb.h"
#include "db/text/DoubleByteText.h"
#include "db/plu/Document.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluDefTb.h"
#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kPluTable = CPluDefTb::kTableNo;
constexpr std::uint32_t kHighestIdEnqJobKind = SendKeyboardHeaders;
constexpr MessageId kMsgJobKindDropped = 90101;  // scale name, job kind
constexpr MessageId kMsgRecordRefused = 90301;   // scale name, key, field
constexpr MessageId kMsgRecordsBeyondFamily = 90304;  // scale name, count, highest key

bool IsRangeKind(std::uint32_t kind) { return kind <= SendExistingDeletes; }

// The jobs whose records are walks of a table, which the link may run ahead of the scale's answers.
bool IsTableWalk(std::uint32_t kind)
{
    return IsRangeKind(kind) || kind == SendPriceChanges || kind == SendMarkdownChanges;
}

// The tables of PLUs, coupons and nutrition, after whose run of jobs the scale's room is checked.
bool IsCapacityCheckTable(std::uint16_t table) { return table == kPluTable || table == 8 || table == 9; }

// The first job of a queue (invariant (1): no null slot follows it).
std::optional<std::size_t> FirstJob(const SendQueue& queue)
{
    const auto found = std::ranges::find_if(queue, [](const auto& job) { return job != nullptr; });
    if (found == queue.end()) return std::nullopt;
    return static_cast<std::size_t>(found - queue.begin());
}

// The table a filter judges a key in: the job's, except that with the Australia/New Zealand nutrition
// layout a department-and-group filter judges the nutrition (9) and coupon (8) records by their PLU.
const CObjDBTable* DeptGroupTable(const CDBComTb& jobTable, const IDocument* document, bool ausNzNutrition)
{
    const std::uint16_t table = jobTable.GetTableNo();
    if (table == kPluTable) return &jobTable;
    if (!ausNzNutrition || (table != 8 && table != 9)) return nullptr;
    const CObjDatabase* database = document ? document->GetPluDatabase() : nullptr;
    return database ? database->GetTable(kPluTable) : nullptr;
}

}  // namespace

bool CIdEnqLink::IsWalkedJob(const CSendDataLog* job) const
{
    return job == m_walkedJob.address && job->m_kind == m_walkedJob.kind && job->m_tableId == m_walkedJob.tableId &&
           job->m_rangeEnd == m_walkedJob.rangeEnd;
}

void CIdEnqLink::SetupJob(const CSendDataLog& job)
{
    m_walkedJob = {&job, job.m_kind, job.m_tableId, job.m_rangeEnd};
    m_cursor = job.m_rangeStart;
    m_ahead.walked = false;
    m_rangeEnd = job.m_rangeEnd;
    const std::lock_guard document(m_documentLock);
    CObjDatabase* database = m_document ? m_document->GetPluDatabase() : nullptr;
    m_currentTable = database && job.m_tableId != 0 ? dynamic_cast<CDBComTb*>(database->GetTable(job.m_tableId))
                                                    : nullptr;
}

bool CIdEnqLink::StartNextJob()
{
    {
        const std::lock_guard lock(m_queueLock);
        SendQueue& queue = m_currentScale->m_sendQueue;
        const std::optional<std::size_t> first = FirstJob(queue);
        if (!first) {
            queue.clear();
            return false;
        }
        SetupJob(*queue[*first]);
    }
    return NextRecords();
}

bool CIdEnqLink::NextRecords()
{
    m_dataLength = 0;
    std::unique_lock lock(m_queueLock);
    SendQueue& queue = m_currentScale->m_sendQueue;
    std::optional<std::size_t> index = FirstJob(queue);
    if (TakePreparedRecord(queue, index)) {
        lock.unlock();
        m_currentScale->CountRecord();
        return true;
    }
    // The queue may have been changed by the user meanwhile: the walk goes on with whatever job is first.
    if (index && !IsWalkedJob(queue[*index].get())) SetupJob(*queue[*index]);

    // Runs the capacity check with the lock released (invariant (4)); the queue is looked at afresh after.
    const auto checkCapacityUnlocked = [&] {
        lock.unlock();
        // A cancel the check took in is kept for the sending, which ends with it.
        if (CapacityCheck() == kMsgCancelled) m_cancelEvent.Set();
        lock.lock();
        m_capacityCheckDue = false;
        index = FirstJob(queue);
    };

    while (index) {
        CSendDataLog& job = *queue[*index];
        if (job.m_kind > kHighestIdEnqJobKind) {
            WriteWorkerEvent(EventGeneral, FormatMessage(kMsgJobKindDropped, m_currentScale->m_name.c_str(),
                                                         static_cast<unsigned>(job.m_kind)));
        } else if (const std::optional<ProducedRecord> made =
                       ProduceRecord(job.m_kind, std::span(m_data).first(kDataBufferSize))) {
            m_dataLength = made->length;
            m_recordCode = made->code;
            m_capacityCheckDue = Settings()->text.ausNzNutrition && IsCapacityCheckTable(job.m_tableId) &&
                                 FamilyOf(*m_currentScale) == 0;
            lock.unlock();
            m_currentScale->CountRecord();
            return true;
        }

        // The job is exhausted (or cannot be sent here): it leaves the queue.
        const std::uint16_t finishedTable = job.m_tableId;
        queue[*index].reset();
        index = *index + 1 < queue.size() ? std::optional(*index + 1) : std::nullopt;
        // A capacity check is due when a run of PLU-like jobs ends.
        if (Settings()->text.ausNzNutrition && m_capacityCheckDue && IsCapacityCheckTable(finishedTable) &&
            (!index || queue[*index]->m_tableId != finishedTable))
            checkCapacityUnlocked();
        if (index) SetupJob(*queue[*index]);
    }
    queue.clear();
    return false;
}

void CIdEnqLink::PrepareNextRecord()
{
    if (m_ahead.walked || m_walkedJob.address == nullptr || !IsTableWalk(m_walkedJob.kind)) return;
    m_ahead.walked = true;
    m_ahead.cursorBefore = m_cursor;
    m_ahead.record = ProduceRecord(m_walkedJob.kind, m_ahead.bytes);
}

bool CIdEnqLink::TakePreparedRecord(const SendQueue& queue, std::optional<std::size_t> first)
{
    if (!m_ahead.walked) return false;
    m_ahead.walked = false;
    // A job the user removed or replaced meanwhile is walked afresh from the first job's start; an
    // exhausted one leaves the queue in the usual way (the walk stays at its end).
    if (!first || !IsWalkedJob(queue[*first].get())) return false;
    if (!m_ahead.record) return false;
    const CSendDataLog& job = *queue[*first];
    std::copy_n(m_ahead.bytes.begin(), m_ahead.record->length, m_data.begin());
    m_dataLength = m_ahead.record->length;
    m_recordCode = m_ahead.record->code;
    m_capacityCheckDue =
        Settings()->text.ausNzNutrition && IsCapacityCheckTable(job.m_tableId) && FamilyOf(*m_currentScale) == 0;
    return true;
}

std::optional<CIdEnqLink::ProducedRecord> CIdEnqLink::ProduceRecord(std::uint32_t kind, std::span<std::uint8_t> buffer)
{
    // An abandoned worker finds no document and no table here: it makes nothing more of them.
    const std::lock_guard document(m_documentLock);
    const SiteSettingsPtr settings = Settings();
    for (;;) {
        if (m_cursor > m_rangeEnd) return std::nullopt;
        ScaleRecordOut out;
        out.buffer = buffer;
        out.refusals = this;
        out.scratch = &m_buildScratch;
        out.settings = settings.get();
        KeyCursor produced = 0;
        bool made = false;
        switch (kind) {
        case SendRecords:
            made = m_currentTable && m_currentTable->EncodeNextInRange(*m_currentScale, m_cursor, m_rangeEnd, out, produced);
            break;
        case SendKeyDeletes:
        case SendExistingDeletes:
            made = m_currentTable && m_currentTable->EncodeKeyInRange(*m_currentScale, m_cursor, m_rangeEnd, out,
                                                                      produced, kind == SendExistingDeletes);
            break;
        case SendPriceChanges:
        case SendMarkdownChanges:
            if (auto* plus = dynamic_cast<CPluDefTb*>(m_currentTable)) {
                made = kind == SendPriceChanges
                           ? plus->NextPriceChangeRecord(*m_currentScale, m_cursor, m_rangeEnd, out, produced)
                           : plus->NextMarkdownChangeRecord(*m_currentScale, m_cursor, m_rangeEnd, out, produced);
            }
            break;
        case SendProductionRequest: {
            std::size_t length = 0;
            made = GetProdFileCode(*m_currentScale, settings->setup, kPluTotals, out.buffer, length);
            out.length = static_cast<std::uint16_t>(length);
            m_cursor = KeyCursor{m_rangeEnd} + 1;  // one record
            break;
        }
        default:
            made = m_document &&
                   m_document->NextJobRecord(kind, *m_currentScale, *m_eventLog, m_cursor, m_rangeEnd, out, produced);
            if (kind == SendDateTime) m_cursor = KeyCursor{m_rangeEnd} + 1;  // one record
            break;
        }
        if (!made) return std::nullopt;
        const auto key = static_cast<std::uint32_t>(produced);
        // A key record of key 0 names no record, so no filter judges it.
        if (!IsTableWalk(kind) || (kind == SendKeyDeletes && key == 0) || PassesFilters(key))
            return ProducedRecord{out.length, out.code, key};
        // Invariant (2): the record that replaces a refused one is judged in its turn.
        m_cursor = NextPassingKey(key);
    }
}

void CIdEnqLink::WalkJob(const CSendDataLog& job)
{
    if (!IsWalkedJob(&job)) SetupJob(job);
}

bool CIdEnqLink::NextRecordOfJob(const CSendDataLog& job, std::uint16_t& recordCode)
{
    WalkJob(job);
    const std::optional<ProducedRecord> made = ProduceRecord(job.m_kind, std::span(m_data).first(kDataBufferSize));
    if (!made) return false;
    m_dataLength = made->length;
    m_recordCode = made->code;
    recordCode = made->code;
    return true;
}

bool CIdEnqLink::PassesFilters(std::uint32_t key) const
{
    if (!m_currentTable || m_currentScale->m_filters.empty()) return true;
    const std::uint16_t table = m_currentTable->GetTableNo();
    const SiteSettingsPtr settings = Settings();
    const CObjDBTable* pluTable = DeptGroupTable(*m_currentTable, m_document, settings->text.ausNzNutrition);
    bool failed = false;
    for (const auto& filter : m_currentScale->m_filters) {
        if (!filter) continue;
        if (filter->m_kind == table) {
            if (filter->Admits(key)) return true;
            failed = true;
        } else if (filter->m_kind == CLinkFilter::kDeptGroupKind && pluTable) {
            const auto* plu = dynamic_cast<const CPluDefRec*>(pluTable->FindRecord(key));
            if (plu && plu->MatchesFilter(CLinkFilter::kDeptGroupKind, filter->m_from, filter->m_to, settings->Fields()))
                return true;
            failed = true;
        }
    }
    return !failed;
}

KeyCursor CIdEnqLink::NextPassingKey(std::uint32_t refused) const
{
    const KeyCursor key = KeyCursor{refused} + 1;
    KeyCursor result = KeyCursor{m_rangeEnd} + 1;
    if (!m_currentTable || m_currentScale->m_filters.empty()) return result;
    const std::uint16_t table = m_currentTable->GetTableNo();
    const SiteSettingsPtr settings = Settings();
    const CObjDBTable* pluTable = DeptGroupTable(*m_currentTable, m_document, settings->text.ausNzNutrition);
    for (const auto& filter : m_currentScale->m_filters)
        if (filter && filter->m_kind == table && key <= filter->m_from && filter->m_from < result) result = filter->m_from;
    for (const auto& filter : m_currentScale->m_filters) {
        if (!filter || filter->m_kind != CLinkFilter::kDeptGroupKind || !pluTable) continue;
        KeyCursor cursor = key;
        while (const CDBRecord* record = pluTable->PeekNextRecord(cursor)) {
            if (record->GetKey() >= result) break;
            const auto* plu = dynamic_cast<const CPluDefRec*>(record);
            if (plu && plu->MatchesFilter(CLinkFilter::kDeptGroupKind, filter->m_from, filter->m_to, settings->Fields())) {
                result = record->GetKey();
                break;
            }
        }
    }
    return result;
}

void CIdEnqLink::RecordRefused(std::uint32_t key, std::string_view field)
{
    m_currentScale->CountRefusedRecord();
    const std::string fieldName(field);
    WriteTrace(TraceMessage, FormatMessage(kMsgRecordRefused, m_currentScale->m_name.c_str(), static_cast<unsigned>(key),
                                           fieldName.c_str()));
    LogRefusedRecord(*m_eventLog, m_currentScale->m_name, key, field);
}

void CIdEnqLink::RecordsBeyondFamily(std::uint32_t count, std::uint32_t highest)
{
    for (std::uint32_t i = 0; i < count; ++i) m_currentScale->CountRefusedRecord();
    WriteTrace(TraceMessage, FormatMessage(kMsgRecordsBeyondFamily, m_currentScale->m_name.c_str(),
                                           static_cast<unsigned>(count), static_cast<unsigned>(highest)));
    LogRecordsBeyondFamily(*m_eventLog, m_currentScale->m_name, count, highest);
}

void CIdEnqLink::NoteRecordDelivered()
{
    const std::lock_guard lock(m_queueLock);
    const SendQueue& queue = m_currentScale->m_sendQueue;
    const std::optional<std::size_t> first = FirstJob(queue);
    // A walk that went on past the packet in flight records where that packet left it.
    const KeyCursor delivered = m_ahead.walked ? m_ahead.cursorBefore : m_cursor;
    if (!first || !IsWalkedJob(queue[*first].get()) || delivered > m_rangeEnd) return;
    queue[*first]->m_rangeStart = static_cast<std::uint32_t>(delivered);
}

}  // namespace varnel
