// CIdEnqLink: the base of every line to a group of scales that a worker thread drives. One link owns
// the scales on its line, one worker thread for its life, one request slot and one data buffer. The
// link manager starts and stops the links and hands them requests; the worker carries each request out
// over the line that the subclass supplies (Open, ClosePort, Send, Receive and the two time-outs) and
// reports the outcome to a notify window by a posted message.
//
// Worker (RunThread), one loop per wake-up:
//
//   idle --PostRequest + request event--> carry out the request --EndRequest--> unsent-data checks --> idle
//     |                                     (OpenLink; PollScales | Transact | ProcessQueue; ClosePort)
//     +--60 s without a request while a scale has jobs queued--> unsent-data checks --> idle
//   kill event seen before or after a wait --> ClosePort, thread ended (KillThread)
//   request 1 (stop) --> thread ended
//
// Request codes and the results they post (message kUserMessage + 1, wParam the result, lParam the
// link id, only while a notify window is set): 2 poll -> 4; 3 receive -> 5; 4 data queued, 5 send now,
// 6 send unsent, anything else -> 4; 1 stop posts nothing. Result 1 is posted when an error ends an
// operation (the link error holds its message number).
//
// Settings and roles: StartLink takes the site's rules, event log and comms-state counters from its
// caller (LinkRoles). Each request takes the site's settings snapshot as the requesting thread sees it
// (and StartLink takes one for the worker's own passes); the worker holds the latest for each pass and
// its protocol code reads it there (Settings), while the tables' record builders find it pinned on the
// thread (SiteSettingsScope), so what it encodes and decides never sees the settings change under it.
//
// Locks: the queue lock guards the request slot, the notify window, the job scales and every scale's
// send queue; it is never held across line I/O. The settings lock guards the latest settings snapshot
// alone, so the record source may read the settings while it holds the queue lock (always in that order). Everything else the worker touches during a request
// (data buffer, cursor, received packets) is the worker's until it posts the request's result.
#pragma once

#include "comms/idenq/LinkScale.h"
#include "comms/idenq/LinkSetupContext.h"
#include "db/site/LinkRoles.h"
#include "db/site/ScaleDef.h"
#include "db/site/SiteSettings.h"
#include "db/plu/BuildScratch.h"
#include "db/plu/DBComTb.h"
#include "db/store/ObjDBTable.h"
#include "db/plu/SendDataLog.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/FileSystem.h"
#include "platform/MessageWindow.h"
#include "platform/Messages.h"
#include "platform/Serializable.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace varnel {

class CAppEventLog;
struct PluLogImport;
class CPluDefTb;
class IDocument;

// Records the encoders refuse (a value that does not fit its field) are told to the link itself: each
// counts as not sent for its scale and is written to the link's trace and the event log.
class CIdEnqLink : public CObject, private IRecordRefusals {
public:
    static constexpr std::uint16_t kVersion = 100;
    static constexpr std::size_t kDataBufferSize = 16384;
    static constexpr std::uint32_t kResultMessage = kUserMessage + 1;

    enum RequestCode : std::uint32_t {
        RequestIdle = 0,
        RequestStop = 1,
        RequestPoll = 2,
        RequestReceive = 3,
        RequestDataQueued = 4,
        RequestSendNow = 5,
        RequestSendUnsent = 6,
    };
    enum ResultCode : std::uint32_t { ResultError = 1, ResultDone = 4, ResultReceiveDone = 5 };
    // The main frame's comms-state counters that frame each operation.
    enum CommsState : std::uint32_t { CommsStatePoll = 2, CommsStateReceive = 3, CommsStateSend = 4 };
    enum TraceKind : std::uint16_t {
        TraceSent = 0,
        TraceReceived = 1,
        TraceMessage = 2,
        TraceSentToLink = 3,
        TraceHexOnly = 4,
        TraceStartReceive = 5,
        TraceHexOnlyToo = 6,
        TraceDeclined = 7,
        TraceNote = 8,
    };

    // Message numbers of the results.
    static constexpr MessageId kMsgCommsError = 61218;
    static constexpr MessageId kMsgTimeout = 61219;
    static constexpr MessageId kMsgCancelled = 61225;
    static constexpr MessageId kMsgNoData = 61228;
    static constexpr MessageId kMsgCannotOpen = 61326;
    static constexpr MessageId kMsgInternalError = 61370;
    static constexpr MessageId kMsgScaleBusy = 31446;
    static constexpr MessageId kMsgRecordsRefused = 61456;
    static constexpr MessageId kMsgScaleMemoryFull = 31457;
    static constexpr MessageId kMsgProcessingFailed = 61448;

    struct ReceivedPacket {
        std::vector<std::uint8_t> bytes;
        CLinkScale* from = nullptr;
    };

    explicit CIdEnqLink(IClock& clock = SystemClock(), IFileSystem& fs = RealFileSystem());
    CIdEnqLink(const CIdEnqLink&) = delete;
    CIdEnqLink& operator=(const CIdEnqLink&) = delete;
    // A link still running is stopped first (StopThread).
    ~CIdEnqLink() override;

    // Stores or loads the link's own fields and its scales; a subclass adds its own after them. After a
    // load the trace file is trimmed to the comms log size of the site the setup is read for.
    void Serialize(CArchive& ar) override;

    // The line, supplied by each kind of link. Open and ClosePort frame one operation; Close is the
    // final shutdown (StopThread, then the transport).
    virtual bool Open() = 0;
    virtual bool ClosePort() = 0;
    virtual void Close() = 0;
    // Writes the bytes; `sent` tells how many went.
    virtual bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) = 0;
    // Reads what has arrived, at most into.size() bytes; `got` may be 0. False on a line error.
    virtual bool Receive(std::span<std::uint8_t> into, std::size_t& got) = 0;
    // Seconds to wait for ACK or NAK, and for the scale's enquiry and each frame it sends.
    virtual std::uint16_t GetAckTimeout() const { return 5; }
    virtual std::uint16_t GetReplyTimeout() const { return 22; }
    // Kind and name for lists (a link without scales is of the setup's default family); the status
    // line of the Communication Center. A scale left at the default is of the setup's family.
    virtual std::string GetDescription(const CGeneralSetup& setup) const = 0;
    virtual std::string GetStatusText(const CGeneralSetup& setup) const = 0;
    // Socket links: the four octets and the port; serial links none and 0.
    virtual const std::array<std::uint16_t, 4>* GetIpAddress() const = 0;
    virtual std::uint16_t GetPort() const = 0;
    virtual bool IsSameAddress(const std::array<std::uint16_t, 4>& octets) const = 0;
    // The link kind's own lines of the setup listing.
    virtual void WriteSetupDetails(std::string& out) const = 0;
    // The link's settings dialog, and the one of its scale list; true when a change was stored.
    // `scaleNumbers` holds the scale numbers in use on every link. A kind without one stores nothing.
    virtual bool EditSettings(const LinkSetupContext& /*context*/, ScaleNumberMap& /*scaleNumbers*/) { return false; }
    virtual bool EditScales(const LinkSetupContext& /*context*/, ScaleNumberMap& /*scaleNumbers*/) { return false; }

    // What the worker does for a request; the block link overrides them.
    virtual void PollScales(const std::vector<CLinkScale*>& scales);
    virtual bool ProcessQueue();
    virtual bool Transact();

    // Requests (any thread). PostRequest stores the request when the slot is free; when it is taken, a
    // background request (no window, not interactive) is dropped but counts as taken. SubmitRequest is
    // what a caller does with that: wakes the worker, or answers a refused request at once with the
    // link error 31446 and the request's result.
    bool PostRequest(std::uint32_t code, IMessageWindow* notify, bool interactive);
    void SubmitRequest(std::uint32_t code, IMessageWindow* notify, bool interactive);
    void ClearNotifyWindow();
    // Starts the worker, which reports to the roles given; StopThread ends it: cancel, request 1, up to
    // `wait` for the worker to end, then the kill event; it returns once the thread has ended.
    void StartLink(IDocument* document, const LinkRoles& roles);
    void StopThread(std::chrono::milliseconds wait = std::chrono::milliseconds(4000));
    bool IsThreadStarted() const { return m_threadStarted; }
    // The steps of StopThread for the link manager, which stops every link at once: ask the worker to
    // end (cancel, request 1) and return (AskThreadToEnd); wait up to `limit` for it to end (then it is
    // joined); the kill event. A worker that has not ended even after its kill is left running on its
    // own (AbandonThread): it lets go of the document at once (whatever it was making from it is
    // finished first) and touches nothing of it again, and the link never starts again. Every wait of
    // a worker is bounded by its time-outs, so it does end; whoever would free the link meanwhile
    // hands it to the worker instead (LetWorkerFree), which frees it as it ends.
    void AskThreadToEnd();
    bool WaitThreadEnded(std::chrono::milliseconds limit);
    void KillThread();
    void AbandonThread();
    static void LetWorkerFree(std::unique_ptr<CIdEnqLink> link);
    // A worker left running that has not ended yet: the link may not be started or freed.
    bool IsThreadAbandoned() const;
    // The worker's exit code: the link id after a stop, 1000 + the link id after a kill.
    std::uint32_t GetThreadExitCode() const { return m_threadExitCode.load(); }
    // The user's Cancel: ends the operation under way with 61225.
    void Cancel() { m_cancelEvent.Set(); }

    // The queue lock, for the manager's reads and changes of the scales' queues and record counters.
    [[nodiscard]] std::unique_lock<std::mutex> LockQueues() const { return std::unique_lock(m_queueLock); }
    // Whether a scale has jobs waiting; the queues that hold only delivered slots are emptied.
    bool HasUnsentData();
    // Whether a request is pending (read under the queue lock). WaitRequestEnded: until none is, or
    // until `deadline` on `clock`; whether none is. The worker wakes the wait as it ends a request.
    bool IsRequestPending() const;
    bool WaitRequestEnded(const IClock& clock, std::chrono::steady_clock::time_point deadline) const;
    // Until no request is pending and the worker is between passes, waiting for the next (its checks
    // for unsent data after a request done too), or until `deadline`; whether it is so.
    bool WaitWorkerIdle(const IClock& clock, std::chrono::steady_clock::time_point deadline) const;
    // The link error, set by the manager when it refuses work to a busy link or one with nothing to do.
    void SetCommsError(MessageId error) { m_linkError = error; }

    // Jobs and scales (the user-interface thread, while no request of its own is pending).
    void ResetJob();
    void AddJobScale(CLinkScale* scale);
    void SetReceiveKind(std::uint16_t kind) { m_receiveKind = kind; }
    void MarkJobStart(const ScaleDefs* scales);
    void QueueSendData(const ScaleDefs* scales, const SendRequests& jobs);
    bool IsScaleSelected(const CLinkScale& scale, const ScaleDefs* scales) const;
    bool IsLinkSelected(const ScaleDefs* scales) const;
    static bool IsSameJob(const CSendDataLog* a, const CSendDataLog* b);
    void RemoveDuplicateJobs();
    void ClearQueues(const ScaleDefs* scales, bool onlineOnly, bool currentJobOnly);
    CLinkScale* FindScale(std::uint16_t id) const;
    CLinkScale* FindScaleByName(std::string_view name) const;
    MessageId GetCommsError() const;
    bool IsAnyScaleOnline() const;
    // The link's lines of the setup listing; its scales left at the default are of the setup's family.
    void WriteSetupDump(std::string& out, const CGeneralSetup& setup) const;

    // Received data (the user-interface thread, after result 5): hands each packet to the document and
    // frees them all; the message number of the outcome.
    MessageId FinishReceive();
    bool ProcessReceivedData();
    void FreeReceivedData();
    const std::vector<ReceivedPacket>& GetReceivedPackets() const { return m_received; }

    // Results of the last operation, per job scale: two lines each in the event log; the comms log's
    // line (date and time, a tab, then a, b, the link's address, value, records sent and not sent);
    // the import-error log's lines of the PLU jobs not delivered, with the import file and database.
    // The log lines are gathered as text under the queue lock and written after it: the worker
    // writes its log while it holds the queue lock, so the two locks are always taken in that order.
    void LogCommsResults(const IEventLog& log) const;
    void WriteCommsLog(std::string& out, std::string_view a, std::string_view b, std::uint32_t value,
                       std::uint32_t count) const;
    void WritePluLogLines(const CAppEventLog& log, std::string& out, const PluLogImport& import) const;
    // "name (a.b.c.d)" or "a.b.c.d" for a socket link; the name (or nothing) for other links.
    std::string FormatNameWithAddress(std::optional<std::string_view> name) const;
    // One scale status line per scale; the PLU send-failure lines of every scale's unlogged PLU jobs.
    void LogScaleStatus(const CAppEventLog& log) const;
    void LogUnsentPlus(const CAppEventLog& log);

    // The trace file; kinds as TraceKind. Only while logging is on and a file is named.
    void WriteTrace(std::uint16_t kind, std::span<const std::uint8_t> data);
    void WriteTrace(std::uint16_t kind, std::string_view message);
    // Cuts the trace file to its newest half when it is longer than the limit (0 empties it).
    void TrimLogFile();

    std::uint16_t m_linkId = 0;
    bool m_enabled = false;
    std::string m_name;
    bool m_logging = false;
    std::string m_logFile;
    std::vector<std::unique_ptr<CLinkScale>> m_scales;
    std::uint16_t m_eightBitData = 0;
    std::uint32_t m_maxLogSize = 0;  // bytes

protected:
    // The document the worker makes records from, with the site it takes settings from and the roles
    // it reports to (StartLink); the site's snapshot of the moment is the link's until a request brings
    // a newer one.
    void AttachDocument(IDocument* document, const LinkRoles& roles);
    // The settings the worker's code reads: those of the pass under way; on a thread that drives the
    // protocol itself (no pass), the latest the link was handed. Asking before the link was handed any
    // is a programming error.
    SiteSettingsPtr Settings() const;
    // The scale's family under those settings: a scale left at the default takes the setup's family.
    std::uint16_t FamilyOf(const CLinkScaleSettings& scale) const;

    // The ID-ENQ exchanges (worker thread).
    bool SendControl(std::uint8_t byte);
    MessageId WaitAck(std::uint16_t seconds, std::uint8_t* received);
    MessageId SendEnquiry();
    MessageId BeginTransmission();
    // Sends the packet in the data buffer as acknowledged frames. With `prepareNext`, the record after
    // it is made while the ACK of the packet's last frame is awaited (PrepareNextRecord).
    MessageId SendData(bool prepareNext = false);
    std::size_t SendFrame(std::span<const std::uint8_t> data);
    MessageId WaitScaleEnquiry();
    MessageId ReceivePacket(bool& done);
    struct FrameEnd {
        std::size_t dataSize = 0;
        std::uint8_t terminator = 0;
    };
    // None when no frame came: `cancelled` tells a cancel from a comms failure.
    std::optional<FrameEnd> ReceiveFrame(std::span<std::uint8_t> destination, bool& cancelled);
    MessageId CapacityCheck();

    // The description of a link of the kind named by message `kindName` ("TCP/IP  "): "%s (%s)" with
    // the family of its first scale (the default family without one) and the kind; empty for the
    // comma-separated families. The status line: the kind, two blanks, the name, then "*" when enabled
    // and another when a scale is on-line too.
    std::string DescribeKind(MessageId kindName, const CGeneralSetup& setup) const;
    std::string StatusText(MessageId kindName) const;

    // What a poll's answer tells of the scale: on-line for 0, else off-line with the answer as its
    // result; a cancel ends the operation (Terminate) and the poll (false).
    bool TakePollAnswer(CLinkScale& scale, MessageId result);
    // Ends an operation with a failure (any message but 0): logs, traces, keeps it as the link error and
    // posts result 1; false. 0 gives true.
    bool Terminate(MessageId message);
    bool OpenLink(const std::vector<CLinkScale*>& scales);
    // Posts a result to the notify window, if any; with `endRequest` the request slot and the window
    // are then cleared, so the next request can be stored.
    void PostResult(std::uint32_t code, bool endRequest);
    std::vector<CLinkScale*> GetJobScales() const;
    // The PLU table of the document's database; null without one.
    CPluDefTb* GetPluTable() const;
    // Whole seconds on the monotonic clock since `start`, as the time-outs count them.
    std::int64_t SecondsSince(std::chrono::steady_clock::time_point start) const;

    // The record source (worker thread, the queue lock taken inside).
    bool StartNextJob();
    bool NextRecords();
    // The record source one job at a time, for links that gather records into blocks (the caller
    // holds the queue lock): WalkJob makes the job the one walked (from its range start) unless it is;
    // the next record of the job into the data buffer, with its record code; false once the job is
    // exhausted.
    // The cursor is the walk's position, which a record left for a later block is put back to.
    void WalkJob(const CSendDataLog& job);
    bool NextRecordOfJob(const CSendDataLog& job, std::uint16_t& recordCode);
    KeyCursor GetCursor() const { return m_cursor; }
    void SetCursor(KeyCursor cursor) { m_cursor = cursor; }
    // The next job asked for starts afresh at its range start, even when it is the one walked last.
    void ForgetWalkedJob() { m_walkedJob = {}; }

    IClock& m_clock;
    IFileSystem& m_fs;
    Event m_killEvent{Event::ResetMode::Auto};
    Event m_cancelEvent{Event::ResetMode::Auto};
    Event m_requestEvent{Event::ResetMode::Auto};
    Event m_threadEndedEvent{Event::ResetMode::Auto};
    mutable std::mutex m_queueLock;
    IMessageWindow* m_notifyWindow = nullptr;  // guarded by the queue lock
    mutable std::mutex m_settingsLock;
    SiteSettingsPtr m_settings;                // guarded by the settings lock
    SiteSettingsPtr m_passSettings;            // the worker's, for the pass under way
    const ISiteRules* m_site = nullptr;        // whose snapshot each request takes (StartLink)
    std::uint32_t m_request = RequestIdle;     // guarded by the queue lock
    bool m_passUnderWay = false;               // guarded by the queue lock: the worker is not waiting
    mutable std::condition_variable m_requestEnded;  // m_request became RequestIdle, or a pass ended
    std::vector<CLinkScale*> m_jobScales;      // guarded by the queue lock
    // The document the worker makes records from, and the event log and comms-state counters it
    // reports to (handed over as the link starts); guarded by the document lock on the worker
    // while the link may be abandoned (AbandonThread clears them).
    IDocument* m_document = nullptr;
    IEventLog* m_eventLog = nullptr;
    ICommsStatus* m_commsStatus = nullptr;
    mutable std::mutex m_documentLock;
    bool m_threadStarted = false;
    std::uint16_t m_receiveKind = 0;
    std::atomic<MessageId> m_linkError{0};
    std::vector<ReceivedPacket> m_received;
    std::uint16_t m_frameSequence = 0;
    std::array<std::uint8_t, kDataBufferSize + 1> m_data{};
    std::size_t m_dataLength = 0;
    CLinkScale* m_currentScale = nullptr;

private:
    // Counts an operation in the comms-state counters while it runs.
    class CommsStateScope;

    std::uint32_t RunThread();
    // An event-log line from the worker; an abandoned worker writes none.
    void WriteWorkerEvent(std::uint16_t kind, std::string_view text) const;
    // The worker is in a pass (woken) or waiting for the next; the end of a pass wakes the waits.
    void MarkPassUnderWay(bool underWay);
    // The settings snapshot of the latest request, for a pass of the worker.
    SiteSettingsPtr SettingsForPass() const;
    bool KillRequested();
    void CarryOutRequest(std::uint32_t code, bool& sentAfterOpen);
    void CheckUnsentData();

    // Record source state (RecordSource.cpp).
    void SetupJob(const CSendDataLog& job);
    // The next record of the walked job that passes the scale's filters, from the cursor on, into
    // `buffer`; none once the job is exhausted.
    struct ProducedRecord {
        std::uint16_t length = 0;
        std::uint16_t code = 0;
        std::uint32_t key = 0;
    };
    std::optional<ProducedRecord> ProduceRecord(std::uint32_t kind, std::span<std::uint8_t> buffer);
    // While the scale answers the packet in flight, the walk goes on to the record after it, so the
    // link never waits for its encoding (table walks only: their next record depends on nothing the
    // answer changes). NextRecords takes that record when the walked job is still first in the queue;
    // a new walk (SetupJob) drops it.
    void PrepareNextRecord();
    bool TakePreparedRecord(const SendQueue& queue, std::optional<std::size_t> first);
    bool PassesFilters(std::uint32_t key) const;
    // The first key after a refused one that may pass the filters; past the range end when none can.
    KeyCursor NextPassingKey(std::uint32_t refused) const;
    void NoteRecordDelivered();
    void RecordRefused(std::uint32_t key, std::string_view field) override;
    void RecordsBeyondFamily(std::uint32_t count, std::uint32_t highest) override;

    // The job the cursor walks: its address and what it asks for, so that a job the user removed
    // meanwhile is never taken for it, not even one queued anew at the same address.
    struct WalkedJob {
        const CSendDataLog* address = nullptr;
        std::uint32_t kind = 0;
        std::uint16_t tableId = 0;
        std::uint32_t rangeEnd = 0;
    };
    bool IsWalkedJob(const CSendDataLog* job) const;
    WalkedJob m_walkedJob;
    KeyCursor m_cursor = 0;
    std::uint32_t m_rangeEnd = 0;
    // The walk's step past the packet in flight: the cursor as that packet left it (what a delivery
    // records as the job's new start) and the record made, if the job had one more.
    struct RecordAhead {
        bool walked = false;
        KeyCursor cursorBefore = 0;
        std::optional<ProducedRecord> record;
        std::array<std::uint8_t, kDataBufferSize> bytes{};
    };
    RecordAhead m_ahead;
    std::uint16_t m_recordCode = 0;  // of the record produced last
    CDBComTb* m_currentTable = nullptr;
    // Where the worker builds its records: its own, so the links build at once.
    BuildScratch m_buildScratch;
    bool m_capacityCheckDue = false;

    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};  // StopThread's request 1, which no busy slot can refuse
    std::atomic<std::uint32_t> m_threadExitCode{0};
    bool m_threadAbandoned = false;
    mutable std::mutex m_endLock;      // the worker's end and a hand-over of the link to it
    bool m_threadFinished = false;     // guarded by the end lock: the worker has stopped touching the link
    std::unique_ptr<CIdEnqLink> m_freedByWorker;  // guarded by the end lock
};

}  // namespace varnel
