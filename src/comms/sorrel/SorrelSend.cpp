// Sending the scale's queued jobs in blocks.
//
// Invariants:
//   (1) a block holds the records of jobs of one kind and table, never of a kind-8 job and another;
//   (2) the jobs a block covers run from its first job index to the job it ended in; those before
//       that one are finished (or empty slots), so deleting them never drops a record not delivered;
//   (3) after a delivered block the job it ended inside starts at its next record, so a later block
//       that fails resends nothing delivered and a rerun loses nothing;
//   (4) the queue lock is held while a block is built and while finished jobs are deleted, never
//       across the line.
#include "comms/sorrel/SorrelSocketLink.h"


#include <algorithm>
#include <limits>

namespace varnel {
namespace {

constexpr std::uint16_t kMasterSatelliteFamily = 10;
constexpr std::uint16_t kSingleRecordFamily = 11;

bool IsRefusal(MessageId result)
{
    return result == CIdEnqLink::kMsgRecordsRefused || result == CIdEnqLink::kMsgScaleMemoryFull;
}

bool ShareBlock(const CSendDataLog& a, const CSendDataLog& b)
{
    return a.m_kind != SendProductionRequest && b.m_kind != SendProductionRequest && a.m_kind == b.m_kind &&
           a.m_tableId == b.m_tableId;
}

}  // namespace

// A setting of 0 records would never let a record go.
std::size_t CSorrelSocketLink::RecordsPerBlock() const { return std::max<std::size_t>(m_recordsPerBlock, 1); }

struct CSorrelSocketLink::Block {
    std::uint16_t code = 0;
    std::uint16_t table = 0;
    std::vector<std::uint8_t> records;
    std::vector<std::size_t> ends;  // where each record ends in `records`
};

std::size_t CSorrelSocketLink::RecordLimitOf(const CSendDataLog& job) const
{
    if (job.m_kind == SendKeyboardKeys) return std::numeric_limits<std::size_t>::max();
    const bool oneRecord = FamilyOf(*m_currentScale) == kSingleRecordFamily &&
                           (job.m_kind == SendMemoKeys || job.m_kind == SendMemoKeyDeletes);
    return oneRecord ? 1 : RecordsPerBlock();
}

void CSorrelSocketLink::BuildBlock(Block& block)
{
    block = {};
    const std::size_t byteLimit = kBytesPerRecord * RecordsPerBlock();
    const std::lock_guard lock(m_queueLock);
    const SendQueue& queue = m_currentScale->m_sendQueue;
    std::size_t index = m_jobIndex < 0 ? 0 : static_cast<std::size_t>(m_jobIndex);
    m_firstJobOfBlock = static_cast<std::int32_t>(index);
    m_lastFinishedJob.reset();
    const CSendDataLog* first = nullptr;  // the job whose records opened the block
    for (; index < queue.size(); ++index) {
        const CSendDataLog* job = queue[index].get();
        if (job == nullptr) {
            if (!block.ends.empty()) break;
            continue;
        }
        if (first != nullptr && !ShareBlock(*first, *job)) break;
        WalkJob(*job);
        m_jobIndex = static_cast<std::int32_t>(index);
        const std::size_t limit = RecordLimitOf(*job);
        bool finished = false;
        while (block.ends.size() < limit && block.records.size() < byteLimit) {
            const KeyCursor before = GetCursor();
            std::uint16_t code = 0;
            if (!NextRecordOfJob(*job, code)) {
                finished = true;
                break;
            }
            // A record that would pass the byte limit waits for the next block (a block's first
            // record always goes in, so no record can hold up the queue).
            if (!block.ends.empty() && block.records.size() + m_dataLength > byteLimit) {
                SetCursor(before);
                break;
            }
            if (first == nullptr) {
                first = job;
                block.code = code;
                block.table = job->m_tableId;
            }
            block.records.insert(block.records.end(), m_data.begin(),
                                 m_data.begin() + static_cast<std::ptrdiff_t>(m_dataLength));
            block.ends.push_back(block.records.size());
        }
        if (!finished) break;
        m_lastFinishedJob = static_cast<std::int32_t>(index);
    }
    if (block.ends.empty()) {
        // Every job left was found empty: they leave the queue at once.
        m_jobIndex = -1;
        m_currentScale->m_sendQueue.clear();
    }
}

void CSorrelSocketLink::DeleteFinishedJobs(bool delivered)
{
    const std::lock_guard lock(m_queueLock);
    SendQueue& queue = m_currentScale->m_sendQueue;
    const auto first = static_cast<std::size_t>(m_firstJobOfBlock);
    if (m_lastFinishedJob) {
        const auto last = static_cast<std::size_t>(*m_lastFinishedJob);
        for (std::size_t slot = first; slot <= last && slot < queue.size(); ++slot) queue[slot].reset();
        if (last + 1 >= queue.size()) {
            queue.clear();
            m_jobIndex = -1;
            return;
        }
    }
    // The job the block ended inside resumes after the records delivered (invariant (3)).
    if (!delivered || m_jobIndex < 0 || static_cast<std::size_t>(m_jobIndex) >= queue.size()) return;
    CSendDataLog* job = queue[static_cast<std::size_t>(m_jobIndex)].get();
    if (job != nullptr && GetCursor() <= job->m_rangeEnd) job->m_rangeStart = static_cast<std::uint32_t>(GetCursor());
}

MessageId CSorrelSocketLink::SendBlock(const Block& block)
{
    m_blockTable = block.table;
    const sorrel::Header header =
        sorrel::BlockHeader(GetForm(), block.code, static_cast<std::uint32_t>(block.records.size()));
    // One write for the whole block: a write per record costs the scale and the link a wake-up each.
    sorrel::Bytes message(header.begin(), header.end());
    message.insert(message.end(), block.records.begin(), block.records.end());
    std::size_t sent = 0;
    if (!Send(message, sent) || sent != message.size()) return kMsgCommsError;
    WriteTrace(TraceSentToLink, header);
    std::size_t start = 0;
    for (const std::size_t end : block.ends) {
        WriteTrace(TraceHexOnly, std::span(block.records.data() + start, end - start));
        start = end;
    }
    for (std::size_t i = 0; i < block.ends.size(); ++i) m_currentScale->CountRecord();
    m_commandReplyPending = false;
    return 0;
}

bool CSorrelSocketLink::Fail(CLinkScale& scale, MessageId result)
{
    scale.SetLastResult(result);
    if (result != kMsgScaleBusy && result != kMsgCancelled && !IsRefusal(result)) scale.SetOnline(false);
    return Terminate(result);
}

bool CSorrelSocketLink::ProcessQueue()
{
    CLinkScale* scale = LinkScale();
    if (scale == nullptr) return true;
    m_lastScaleError = 0;
    m_batchLabelRefusal = false;
    m_currentScale = scale;
    if (m_cancelEvent.Poll()) return Fail(*scale, kMsgCancelled);
    if (const MessageId started = StartTransfer(); started != 0) return Fail(*scale, started);
    scale->SetOnline(true);
    if (m_cancelEvent.Poll()) return Fail(*scale, kMsgCancelled);
    m_jobIndex = -1;
    ForgetWalkedJob();

    MessageId error = 0;
    MessageId refusal = 0;
    bool delivered = false;
    for (;;) {
        Block block;
        BuildBlock(block);
        if (block.ends.empty()) break;
        if (!Reconnect()) {
            error = kMsgCannotOpen;
            break;
        }
        MessageId result = SendBlock(block);
        if (result == 0) {
            WriteTrace(TraceMessage, "Starting to wait for scale");
            result = ReceiveReply();
        }
        if (result == 0 || IsRefusal(result)) {
            DeleteFinishedJobs(true);
            delivered = true;
        }
        if (m_cancelEvent.Poll() || result == kMsgCancelled) {
            error = kMsgCancelled;
            break;
        }
        if (IsRefusal(result)) {
            refusal = result;
        } else if (result != 0) {
            error = result;
            break;
        }
    }

    if (error != kMsgCannotOpen && Reconnect()) {
        (void)EndTransfer();
        if (FamilyOf(*scale) == kMasterSatelliteFamily && delivered && Settings()->setup.m_tr5400MasterSatellite != 0)
            (void)SendCommand(sorrel::kMasterSatelliteEnd);
    }
    const MessageId result = error != 0 ? error : refusal;
    return result == 0 || Fail(*scale, result);
}

}  // namespace varnel
