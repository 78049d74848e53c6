#include "app/CommsWait.h"

#include "comms/manager/IdEnqLinkList.h"
#include "platform/MessageWindow.h"

#include <condition_variable>
#include <mutex>

namespace varnel {
namespace {

// Counts the links that posted the end of their request.
class CompletionCounter final : public IMessageWindow {
public:
    explicit CompletionCounter(std::uintptr_t endResult) : m_endResult(endResult) {}

    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override
    {
        if (message != CIdEnqLink::kResultMessage || wParam != m_endResult) return;
        const std::lock_guard lock(m_mutex);
        ++m_ended;
        m_changed.notify_all();
    }

    void WaitFor(std::size_t links)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_ended >= links; });
    }

private:
    const std::uintptr_t m_endResult;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_ended = 0;
};

MessageId ToStatus(MessageId error)
{
    if (error == 0 || error == CIdEnqLink::kMsgTimeout || error == CIdEnqLink::kMsgCancelled) return error;
    return CIdEnqLink::kMsgCommsError;
}

}  // namespace

MessageId RunCommsJobUnseen(CIdEnqLinkList& links, const ScaleCommsJob& job)
{
    const bool receive = job.mode == ScaleCommsJob::Mode::ReceiveKind;
    CompletionCounter counter(receive ? CIdEnqLink::ResultReceiveDone : CIdEnqLink::ResultDone);
    std::size_t selected = 0;
    for (const auto& link : links.GetLinks()) selected += link->IsLinkSelected(job.scales) ? 1 : 0;
    switch (job.mode) {
    case ScaleCommsJob::Mode::Poll: links.TestLinks(job.scales, &counter); break;
    case ScaleCommsJob::Mode::Send:
        links.QueueJob(job.scales, job.requests ? *job.requests : SendRequests{}, &counter);
        break;
    case ScaleCommsJob::Mode::SendUnsent: links.SendUnsentData(job.scales, &counter); break;
    case ScaleCommsJob::Mode::ReceiveKind: links.ReceiveData(job.scales, job.dataKind, &counter); break;
    }
    counter.WaitFor(selected);
    MessageId status = 0;
    for (const auto& link : links.GetLinks()) {
        if (!link->IsLinkSelected(job.scales) || !link->m_enabled) continue;
        const MessageId error = receive ? link->FinishReceive() : link->GetCommsError();
        if (status == 0) status = ToStatus(error);
    }
    return status;
}

}  // namespace varnel
