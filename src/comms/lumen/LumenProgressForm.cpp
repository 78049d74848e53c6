#include "comms/lumen/LumenProgressForm.h"

#include "platform/TextFormat.h"

namespace varnel {

LumenProgressForm::LumenProgressForm(CLumenLink& link, CLumenLink::Mode mode, std::uint16_t scaleType)
    : m_link(link), m_mode(mode), m_scaleType(scaleType)
{
}

std::string LumenProgressForm::GetCaption() const
{
    if (m_mode == CLumenLink::ModeSend) return "Communicating with Scales";
    return m_scaleType == CLumenLink::kLumen ? "Communicating with Scale (Lumen)" : "Communicating with Scale (LumenXT)";
}

void LumenProgressForm::OnShown() { m_link.SignalStart(); }

void LumenProgressForm::OnCancel()
{
    m_link.ClearProgressWindow();
    m_outcome = false;
}

void LumenProgressForm::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t)
{
    if (message != CLumenLink::kProgressMessage) return;
    std::function<void()> wake;
    {
        const std::lock_guard lock(m_mutex);
        m_codes.push_back(static_cast<std::uint32_t>(wParam));
        wake = m_wake;
    }
    m_posted.notify_all();
    if (wake) wake();
}

void LumenProgressForm::SetWake(std::function<void()> wake)
{
    const std::lock_guard lock(m_mutex);
    m_wake = std::move(wake);
}

void LumenProgressForm::Dispatch()
{
    for (;;) {
        std::uint32_t code = 0;
        {
            const std::lock_guard lock(m_mutex);
            if (m_codes.empty() || m_outcome) return;
            code = m_codes.front();
            m_codes.pop_front();
        }
        Handle(code);
    }
}

void LumenProgressForm::WaitForPost(std::size_t count)
{
    std::unique_lock lock(m_mutex);
    m_posted.wait(lock, [&] { return m_codes.size() >= count; });
}

void LumenProgressForm::Handle(std::uint32_t code)
{
    switch (code) {
    case CLumenLink::ProgressFinished:
    case CLumenLink::ProgressClose:
        m_link.ClearProgressWindow();
        m_outcome = true;
        break;
    case CLumenLink::ProgressFetch:
        ++m_counter;
        m_status = FormatMessage(kMsgSent, m_counter);
        m_link.GetDataToSend();
        break;
    case CLumenLink::ProgressStore:
        if (++m_counter == 0) m_showsInstructions = false;
        m_status = FormatMessage(kMsgReceived, m_counter);
        m_link.StoreReceived();
        break;
    default:
        break;
    }
}

}  // namespace varnel
