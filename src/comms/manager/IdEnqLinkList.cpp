// The link manager's life cycle and the work it puts on the links.
#include "comms/manager/IdEnqLinkList.h"

#include "comms/idenq/IdEnqComLink.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "db/plu/Document.h"
#include "platform/ArchiveCollections.h"
#include "platform/LocalTime.h"
#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace varnel {
namespace {

constexpr MessageId kMsgLinkAbandoned = 90401;  // link name

// The kinds of link a stored list holds, kept in every program that reads a list: a static library's
// class that nothing names would be left out of the program, and its links could not be read back.
[[gnu::used]] const CRuntimeClass* const kStoredLinkKinds[] = {
    &CIdEnqSocketLink::s_runtimeClass, &CIdEnqComLink::s_runtimeClass, &CSorrelSocketLink::s_runtimeClass};

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CIdEnqLinkList, 1)

CIdEnqLinkList::~CIdEnqLinkList()
{
    StopAll();
    FreeLinks(std::move(m_links));
}

void CIdEnqLinkList::FreeLinks(std::vector<std::unique_ptr<CIdEnqLink>> links)
{
    // A worker left running still uses its link: it frees the link itself as it ends.
    for (std::unique_ptr<CIdEnqLink>& link : links) CIdEnqLink::LetWorkerFree(std::move(link));
}

void CIdEnqLinkList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeObjectList(ar, m_links);
        return;
    }
    std::vector<std::unique_ptr<CIdEnqLink>> loaded;
    SerializeObjectList(ar, loaded);
    if (std::ranges::any_of(loaded, [](const auto& link) { return link == nullptr; }))
        ar.Fail(Errc::Corrupt, "the link list holds a null link");
    if (!ar.Ok()) return;
    StopAll();
    FreeLinks(std::exchange(m_links, std::move(loaded)));
}

void CIdEnqLinkList::Add(std::unique_ptr<CIdEnqLink> link) { m_links.push_back(std::move(link)); }

bool CIdEnqLinkList::RemoveLink(std::uint16_t linkNo)
{
    const auto found = std::ranges::find_if(m_links, [linkNo](const auto& link) { return link->m_linkId == linkNo; });
    if (found == m_links.end()) return false;
    (*found)->StopThread();
    CIdEnqLink::LetWorkerFree(std::move(*found));
    m_links.erase(found);
    return true;
}

COleDateTime CIdEnqLinkList::Now() const { return {ToLocalOleDate(m_clock.WallNow()), DateTimeStatus::Valid}; }

void CIdEnqLinkList::StartLinks(IDocument* document, const LinkRoles& roles, bool loadUnsent)
{
    m_document = document;
    m_roles.emplace(roles);
    if (m_started) return;
    if (loadUnsent && document) (void)LoadUnsentData(GetUnsentDataPath(document->GetPathName()));
    for (const auto& link : m_links) link->StartLink(document, roles);
    m_started = true;
    TestLinks(nullptr, nullptr);
}

bool CIdEnqLinkList::StopLinks(bool saveUnsent)
{
    if (!m_started) return false;
    m_started = false;
    StopAll();
    if (saveUnsent && m_document) (void)SaveUnsentData(GetUnsentDataPath(m_document->GetPathName()));
    return true;
}

// Every worker is asked to end at once; each then has what is left of one common limit to end, after
// which it is killed; one that does not end even then is left running on its own and reported, so a
// stop never hangs the program.
void CIdEnqLinkList::StopAll()
{
    for (const auto& link : m_links) link->AskThreadToEnd();
    const auto waitAll = [this](std::chrono::seconds limit) {
        const auto deadline = m_clock.MonotonicNow() + limit;
        std::vector<CIdEnqLink*> running;
        for (const auto& link : m_links) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                std::max(deadline - m_clock.MonotonicNow(), std::chrono::steady_clock::duration::zero()));
            if (!link->WaitThreadEnded(left)) running.push_back(link.get());
        }
        return running;
    };
    const std::vector<CIdEnqLink*> stuck = waitAll(kStopLimit);
    if (stuck.empty()) return;
    for (CIdEnqLink* link : stuck) link->KillThread();
    for (CIdEnqLink* link : waitAll(kKillLimit)) {
        link->AbandonThread();
        link->WriteTrace(CIdEnqLink::TraceMessage, FormatMessage(kMsgLinkAbandoned, link->m_name.c_str()));
        Roles().log.WriteEvent(EventGeneral, FormatMessage(kMsgLinkAbandoned, link->m_name.c_str()));
    }
}

const LinkRoles& CIdEnqLinkList::Roles() const
{
    if (!m_roles) {
        std::fprintf(stderr, "The link manager was asked for its roles before the links were started.\n");
        std::abort();
    }
    return *m_roles;
}

void CIdEnqLinkList::AddSelectedScales(CIdEnqLink& link, const ScaleDefs* scales)
{
    for (const auto& scale : link.m_scales)
        if (scale->m_enabled && link.IsScaleSelected(*scale, scales)) link.AddJobScale(scale.get());
}

void CIdEnqLinkList::RefuseRequest(CIdEnqLink& link, std::uint32_t result, IMessageWindow* notify)
{
    if (link.m_enabled) link.SetCommsError(CIdEnqLink::kMsgScaleBusy);
    if (notify) notify->Post(CIdEnqLink::kResultMessage, result, link.m_linkId);
}

void CIdEnqLinkList::TestLinks(const ScaleDefs* scales, IMessageWindow* notify)
{
    for (const auto& link : m_links) {
        link->ResetJob();
        if (!link->IsLinkSelected(scales)) continue;
        if (link->m_enabled && !link->IsRequestPending()) {
            AddSelectedScales(*link, scales);
            link->SubmitRequest(CIdEnqLink::RequestPoll, notify, true);
        } else {
            RefuseRequest(*link, CIdEnqLink::ResultDone, notify);
        }
    }
}

void CIdEnqLinkList::QueueJob(const ScaleDefs* scales, const SendRequests& jobs, IMessageWindow* notify)
{
    for (const auto& link : m_links) {
        link->ResetJob();
        if (!link->IsLinkSelected(scales)) continue;
        if (!link->m_enabled) {
            RefuseRequest(*link, CIdEnqLink::ResultDone, notify);
            continue;
        }
        AddSelectedScales(*link, scales);
        link->MarkJobStart(scales);
        // Queued even when the link is busy: the jobs then go out later as unsent data.
        link->QueueSendData(scales, jobs);
        link->SubmitRequest(CIdEnqLink::RequestSendNow, notify, true);
    }
}

MessageId CIdEnqLinkList::QueueSend(const ScaleDefs* scales, const SendRequests& jobs)
{
    for (const auto& link : m_links) {
        if (!link->m_enabled || !link->IsLinkSelected(scales)) continue;
        link->QueueSendData(scales, jobs);
        link->SubmitRequest(CIdEnqLink::RequestDataQueued, nullptr, false);
    }
    return 0;
}

void CIdEnqLinkList::ReceiveData(const ScaleDefs* scales, std::uint16_t dataKind, IMessageWindow* notify)
{
    for (const auto& link : m_links) {
        link->ResetJob();
        if (!link->IsLinkSelected(scales)) continue;
        if (link->m_enabled && !link->IsRequestPending()) {
            AddSelectedScales(*link, scales);
            link->SetReceiveKind(dataKind);
            link->SubmitRequest(CIdEnqLink::RequestReceive, notify, true);
        } else {
            RefuseRequest(*link, CIdEnqLink::ResultReceiveDone, notify);
        }
    }
}

void CIdEnqLinkList::SendUnsentData(const ScaleDefs* scales, IMessageWindow* notify)
{
    for (const auto& link : m_links) {
        link->ResetJob();
        if (!link->IsLinkSelected(scales)) continue;
        const bool queued = link->m_enabled && link->HasUnsentData();
        if (queued && !link->IsRequestPending()) {
            link->SubmitRequest(CIdEnqLink::RequestSendUnsent, notify, true);
            continue;
        }
        // Nothing queued is nothing to do, not a busy scale.
        if (queued)
            RefuseRequest(*link, CIdEnqLink::ResultDone, notify);
        else if (notify)
            notify->Post(CIdEnqLink::kResultMessage, CIdEnqLink::ResultDone, link->m_linkId);
    }
}

void CIdEnqLinkList::CancelJobs(const ScaleDefs* scales)
{
    for (const auto& link : m_links) {
        if (!link->IsLinkSelected(scales)) continue;
        link->ClearNotifyWindow();
        for (const auto& scale : link->m_scales)
            if (link->IsScaleSelected(*scale, scales)) scale->SetLastResult(CIdEnqLink::kMsgCancelled);
        link->Cancel();
    }
}

void CIdEnqLinkList::ClearQueues(const ScaleDefs* scales, bool onlineOnly, bool currentJobOnly)
{
    for (const auto& link : m_links) link->ClearQueues(scales, onlineOnly, currentJobOnly);
}

bool CIdEnqLinkList::IsBusy() const
{
    return std::ranges::any_of(m_links, [](const auto& link) { return link->IsRequestPending(); });
}

MessageId CIdEnqLinkList::WaitUntilIdle(const ScaleDefs*, std::uint32_t seconds) const
{
    // Only this thread hands out requests, so once each link in turn has ended its request, none is busy.
    const auto deadline = m_clock.MonotonicNow() + std::chrono::seconds(seconds);
    for (const auto& link : m_links)
        if (!link->WaitRequestEnded(m_clock, deadline)) return CIdEnqLink::kMsgTimeout;
    return 0;
}

}  // namespace varnel
