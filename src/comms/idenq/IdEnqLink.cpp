// The link's archive form, its requests, its worker's start and stop, and the operations on its
// scales and their send queues.
//
// Archive form (after the subclass's class tag), little-endian:
//   u16 format 100 (absent in setups of the oldest format), string name, u16 enabled, u16 8-bit data,
//   u16 link id, u16 logging, string trace file, object list of CLinkScale
#include "comms/idenq/IdEnqLink.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"
#include "platform/LocalTime.h"
#include "settings/SetupFormat.h"

#include <algorithm>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace varnel {

CIdEnqLink::CIdEnqLink(IClock& clock, IFileSystem& fs) : m_clock(clock), m_fs(fs) {}

CIdEnqLink::~CIdEnqLink() { StopThread(); }

void CIdEnqLink::Serialize(CArchive& ar)
{
    SerializeSetupVersion(ar, kVersion);
    std::uint16_t enabled = m_enabled ? 1 : 0;
    std::uint16_t logging = m_logging ? 1 : 0;
    Exchange(ar, m_name, enabled, m_eightBitData, m_linkId, logging, m_logFile);
    SerializeObjectList(ar, m_scales);
    if (ar.IsStoring()) return;
    m_enabled = enabled != 0;
    m_logging = logging != 0;
    if (std::ranges::any_of(m_scales, [](const auto& scale) { return scale == nullptr; }))
        ar.Fail(Errc::Corrupt, "a link holds a null scale");
    if (!ar.Ok()) return;
    m_maxLogSize = std::uint32_t{GetSetupCommsLogSize(ar)} * 1024;
    TrimLogFile();
}

bool CIdEnqLink::PostRequest(std::uint32_t code, IMessageWindow* notify, bool interactive)
{
    SiteSettingsPtr settings = m_site != nullptr ? m_site->GetSiteSettings() : nullptr;
    const std::lock_guard lock(m_queueLock);
    if (m_request == RequestIdle) {
        m_request = code;
        m_notifyWindow = notify;
        if (settings) {
            const std::lock_guard settingsLock(m_settingsLock);
            m_settings = std::move(settings);
        }
        return true;
    }
    return notify == nullptr && !interactive;
}

void CIdEnqLink::SubmitRequest(std::uint32_t code, IMessageWindow* notify, bool interactive)
{
    if (PostRequest(code, notify, interactive)) {
        m_requestEvent.Set();
        return;
    }
    m_linkError = kMsgScaleBusy;
    if (notify != nullptr) notify->Post(kResultMessage, code == RequestReceive ? ResultReceiveDone : ResultDone, m_linkId);
}

void CIdEnqLink::ClearNotifyWindow()
{
    const std::lock_guard lock(m_queueLock);
    m_notifyWindow = nullptr;
}

void CIdEnqLink::StartLink(IDocument* document, const LinkRoles& roles)
{
    // A worker left running after its kill still uses this link: a second one would race it.
    if (IsThreadAbandoned()) return;
    {
        const std::lock_guard lock(m_endLock);
        m_threadAbandoned = false;
    }
    StopThread();
    m_linkError = 0;
    m_passSettings.reset();
    {
        const std::lock_guard lock(m_queueLock);
        m_notifyWindow = nullptr;
        m_request = RequestIdle;
    }
    m_requestEnded.notify_all();
    AttachDocument(document, roles);
    m_threadStarted = true;
    m_killEvent.Reset();
    m_cancelEvent.Reset();
    m_requestEvent.Reset();
    m_threadEndedEvent.Reset();
    m_stopRequested = false;
    {
        const std::lock_guard lock(m_endLock);
        m_threadFinished = false;
    }
    m_thread = std::thread([this] {
        m_threadExitCode = RunThread();
        MarkPassUnderWay(false);
        std::unique_ptr<CIdEnqLink> handedOver;
        {
            const std::lock_guard lock(m_endLock);
            m_threadFinished = true;
            handedOver = std::move(m_freedByWorker);
        }
        // A link handed over to its abandoned worker ends with it; nothing of it is touched after.
    });
}

void CIdEnqLink::AttachDocument(IDocument* document, const LinkRoles& roles)
{
    m_site = &roles.site;
    SiteSettingsPtr settings = roles.site.GetSiteSettings();
    {
        const std::lock_guard lock(m_settingsLock);
        m_settings = std::move(settings);
    }
    const std::lock_guard lock(m_documentLock);
    m_document = document;
    m_eventLog = &roles.log;
    m_commsStatus = &roles.status;
}

SiteSettingsPtr CIdEnqLink::Settings() const
{
    if (m_passSettings) return m_passSettings;
    SiteSettingsPtr latest = SettingsForPass();
    if (!latest) {
        std::fprintf(stderr, "Link %s was asked for its settings before it was handed any.\n", m_name.c_str());
        std::abort();
    }
    return latest;
}

std::uint16_t CIdEnqLink::FamilyOf(const CLinkScaleSettings& scale) const
{
    return scale.GetScaleType(Settings()->setup.m_defaultScaleFamily);
}

bool CIdEnqLink::IsThreadAbandoned() const
{
    const std::lock_guard lock(m_endLock);
    return m_threadAbandoned && !m_threadFinished;
}

void CIdEnqLink::LetWorkerFree(std::unique_ptr<CIdEnqLink> link)
{
    if (!link) return;
    CIdEnqLink& handed = *link;
    const std::lock_guard lock(handed.m_endLock);
    if (handed.m_threadAbandoned && !handed.m_threadFinished) handed.m_freedByWorker = std::move(link);
    // Otherwise the worker has ended (or never ran detached): the link goes here, once the lock is
    // released (the unique_ptr outlives the guard).
}

void CIdEnqLink::StopThread(std::chrono::milliseconds wait)
{
    if (!m_thread.joinable()) return;
    AskThreadToEnd();
    if (WaitThreadEnded(wait)) return;
    KillThread();
    m_thread.join();
    m_threadStarted = false;
}

void CIdEnqLink::AskThreadToEnd()
{
    if (!m_thread.joinable()) return;
    m_cancelEvent.Set();
    m_stopRequested = true;
    ClearNotifyWindow();
    m_requestEvent.Set();
}

bool CIdEnqLink::WaitThreadEnded(std::chrono::milliseconds limit)
{
    if (!m_thread.joinable()) return true;
    if (!m_threadEndedEvent.WaitFor(limit, m_clock)) return false;
    m_thread.join();
    m_threadStarted = false;
    return true;
}

void CIdEnqLink::KillThread()
{
    m_killEvent.Set();
    m_requestEvent.Set();
}

void CIdEnqLink::AbandonThread()
{
    if (!m_thread.joinable()) return;
    {
        const std::lock_guard lock(m_documentLock);
        m_document = nullptr;
        m_eventLog = nullptr;
        m_commsStatus = nullptr;
        m_currentTable = nullptr;
    }
    m_thread.detach();
    {
        const std::lock_guard lock(m_endLock);
        m_threadAbandoned = true;
    }
    m_threadStarted = false;
}

SiteSettingsPtr CIdEnqLink::SettingsForPass() const
{
    const std::lock_guard lock(m_settingsLock);
    return m_settings;
}

bool CIdEnqLink::IsRequestPending() const
{
    const std::lock_guard lock(m_queueLock);
    return m_request != RequestIdle;
}

bool CIdEnqLink::WaitRequestEnded(const IClock& clock, std::chrono::steady_clock::time_point deadline) const
{
    std::unique_lock lock(m_queueLock);
    return clock.WaitUntil(m_requestEnded, lock, deadline, [this] { return m_request == RequestIdle; });
}

bool CIdEnqLink::WaitWorkerIdle(const IClock& clock, std::chrono::steady_clock::time_point deadline) const
{
    std::unique_lock lock(m_queueLock);
    return clock.WaitUntil(m_requestEnded, lock, deadline,
                           [this] { return m_request == RequestIdle && !m_passUnderWay; });
}

void CIdEnqLink::ResetJob()
{
    m_linkError = 0;
    const std::lock_guard lock(m_queueLock);
    m_jobScales.clear();
    for (const auto& scale : m_scales) {
        scale->SetLastResult(0);
        scale->m_currentJobStart.reset();
        scale->SetRecordCounter(0);
        scale->SetRefusedCounter(0);
    }
}

void CIdEnqLink::AddJobScale(CLinkScale* scale)
{
    const std::lock_guard lock(m_queueLock);
    m_jobScales.push_back(scale);
    scale->SetLastResult(0);
}

std::vector<CLinkScale*> CIdEnqLink::GetJobScales() const
{
    const std::lock_guard lock(m_queueLock);
    return m_jobScales;
}

void CIdEnqLink::MarkJobStart(const ScaleDefs* scales)
{
    const std::lock_guard lock(m_queueLock);
    for (const auto& scale : m_scales)
        if (scale->m_enabled && IsScaleSelected(*scale, scales)) scale->m_currentJobStart = scale->m_sendQueue.size();
}

void CIdEnqLink::QueueSendData(const ScaleDefs* scales, const SendRequests& jobs)
{
    const COleDateTime now{ToLocalOleDate(m_clock.WallNow()), DateTimeStatus::Valid};
    const std::lock_guard lock(m_queueLock);
    for (const CSendDataLog& job : jobs) {
        for (const auto& scale : m_scales) {
            if (!scale->m_enabled || !IsScaleSelected(*scale, scales)) continue;
            auto queued = std::make_unique<CSendDataLog>(job);
            queued->m_queued = now;
            scale->m_sendQueue.push_back(std::move(queued));
        }
    }
}

bool CIdEnqLink::IsScaleSelected(const CLinkScale& scale, const ScaleDefs* scales) const
{
    return scales == nullptr || std::ranges::find(*scales, CScaleDef(m_linkId, scale.m_scaleNo)) != scales->end();
}

bool CIdEnqLink::IsLinkSelected(const ScaleDefs* scales) const
{
    return scales == nullptr ||
           std::ranges::any_of(*scales, [this](const CScaleDef& def) { return def.m_linkId == m_linkId; });
}

bool CIdEnqLink::IsSameJob(const CSendDataLog* a, const CSendDataLog* b)
{
    if (a == nullptr || b == nullptr) return false;
    if (a->m_tableId != b->m_tableId || a->m_rangeStart != b->m_rangeStart || a->m_rangeEnd != b->m_rangeEnd)
        return false;
    const auto sendOrDelete = [](std::uint32_t x, std::uint32_t y) {
        return x == SendRecords && (y == SendKeyDeletes || y == SendExistingDeletes);
    };
    return a->m_kind == b->m_kind || sendOrDelete(a->m_kind, b->m_kind) || sendOrDelete(b->m_kind, a->m_kind);
}

void CIdEnqLink::RemoveDuplicateJobs()
{
    // A job is a duplicate when a later job that is no duplicate itself is the same job (IsSameJob);
    // walking from the back, the jobs kept so far are exactly those later ones. A send and a delete of
    // one range are the same job, two kinds of delete are not.
    struct Range {
        std::uint32_t kind;
        std::uint16_t tableId;
        std::uint32_t first;
        std::uint32_t last;
        auto operator<=>(const Range&) const = default;
    };
    const auto isDelete = [](std::uint32_t kind) { return kind == SendKeyDeletes || kind == SendExistingDeletes; };
    const std::lock_guard lock(m_queueLock);
    for (const auto& scale : m_scales) {
        SendQueue& queue = scale->m_sendQueue;
        std::set<Range> kept;
        const auto isKept = [&kept](const CSendDataLog& job, std::uint32_t kind) {
            return kept.contains(Range{kind, job.m_tableId, job.m_rangeStart, job.m_rangeEnd});
        };
        SendQueue unique;
        for (auto slot = queue.rbegin(); slot != queue.rend(); ++slot) {
            if (const CSendDataLog* job = slot->get()) {
                const bool duplicate =
                    isKept(*job, job->m_kind) ||
                    (job->m_kind == SendRecords && (isKept(*job, SendKeyDeletes) || isKept(*job, SendExistingDeletes))) ||
                    (isDelete(job->m_kind) && isKept(*job, SendRecords));
                if (duplicate) continue;
                kept.insert(Range{job->m_kind, job->m_tableId, job->m_rangeStart, job->m_rangeEnd});
            }
            unique.push_back(std::move(*slot));
        }
        std::ranges::reverse(unique);
        queue = std::move(unique);
    }
}

void CIdEnqLink::ClearQueues(const ScaleDefs* scales, bool onlineOnly, bool currentJobOnly)
{
    for (const auto& scale : m_scales) {
        if (!IsScaleSelected(*scale, scales) || (onlineOnly && !scale->IsOnline())) continue;
        const std::lock_guard lock(m_queueLock);
        if (currentJobOnly)
            scale->DropCurrentJob();
        else
            scale->ClearSendQueue();
    }
}

CLinkScale* CIdEnqLink::FindScale(std::uint16_t id) const
{
    const auto found = std::ranges::find_if(m_scales, [id](const auto& scale) { return scale->m_scaleNo == id; });
    return found == m_scales.end() ? nullptr : found->get();
}

CLinkScale* CIdEnqLink::FindScaleByName(std::string_view name) const
{
    const auto found = std::ranges::find_if(m_scales, [name](const auto& scale) { return scale->m_name == name; });
    return found == m_scales.end() ? nullptr : found->get();
}

MessageId CIdEnqLink::GetCommsError() const
{
    if (const MessageId error = m_linkError.load(); error != 0) return error;
    for (const CLinkScale* scale : GetJobScales()) {
        const MessageId result = scale->GetLastResult();
        if (result != 0 && result != kMsgNoData) return result;
    }
    return 0;
}

bool CIdEnqLink::IsAnyScaleOnline() const
{
    return std::ranges::any_of(m_scales, [](const auto& scale) { return scale->m_enabled && scale->IsOnline(); });
}

}  // namespace varnel
