#include "comms/filelink/Qd47ProgressForm.h"

#include "comms/dialogs/CommsDialogs.h"
#include "platform/TextFormat.h"

#include <array>

namespace varnel {
namespace {

constexpr std::array<const char*, 6> kStateTexts = {"Please start transmission at the scales",
                                                    "Receiving command",
                                                    "Transmitting",
                                                    "Receiving data",
                                                    "Timeout",
                                                    "Data transfer complete"};
constexpr std::uintptr_t kHighestState = 5;

}  // namespace

Qd47ProgressForm::Qd47ProgressForm(Shape shape, bool receiving) : m_shape(shape), m_receiving(receiving) {}

void Qd47ProgressForm::RunModal(CQd47ComLink& link)
{
    m_link = &link;
    if (ICommsDialogs* dialogs = GetCommsDialogs()) {
        (void)dialogs->RunQd47Progress(*this);
        if (!m_outcome) OnClose();
        return;
    }
    OnOpen();
    while (!m_outcome) {
        m_posts.WaitForPost();
        Dispatch();
    }
}

void Qd47ProgressForm::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    m_posts.Post(message, wParam, lParam);
}

void Qd47ProgressForm::OnOpen()
{
    if (m_link) m_link->StartRun();
}

void Qd47ProgressForm::Dispatch()
{
    while (!m_outcome) {
        const std::optional<PostQueue::Posted> posted = m_posts.Take();
        if (!posted) return;
        if (posted->message == kQd47Notice) Handle(posted->wParam, posted->lParam);
    }
}

void Qd47ProgressForm::OnClose()
{
    if (m_link) m_link->ClearNotifyWindow();
    m_outcome = false;
}

void Qd47ProgressForm::Handle(std::uintptr_t code, std::intptr_t value)
{
    if (code > kHighestState) return;
    if (code == Qd47RunEnded) {
        if (m_link) m_link->ClearNotifyWindow();
        m_outcome = true;
        return;
    }
    m_state = static_cast<int>(code);
    if (m_shape == Shape::DataSave) {
        m_value = static_cast<long>(value);
    } else if (code == Qd47BlockSent) {
        m_bytesSent += static_cast<long>(value);
    } else if (code == Qd47BlockReceived) {
        m_bytesReceived += static_cast<long>(value);
    }
}

std::string Qd47ProgressForm::GetStateText() const { return kStateTexts[static_cast<std::size_t>(m_state)]; }

std::string Qd47ProgressForm::GetReceivedText() const { return FormatText("%ld Bytes Received", m_value); }

int Qd47ProgressForm::GetBarPercent() const
{
    if (m_value > kFullBarAbove) return 100;
    return m_value < 0 ? 0 : static_cast<int>(m_value);
}

}  // namespace varnel
