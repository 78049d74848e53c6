// The progress dialog of a Lumen transfer, without its window: "Communicating with Scales" for a send;
// "Communicating with Scale (Lumen)" or "Communicating with Scale (LumenXT)" for a receive. It is the
// window the link's worker posts to: a post is queued (and the view woken, on the posting thread),
// and the dialog's own thread handles the queue (Dispatch):
//
//   0 or 3  the transfer ended: the link forgets the window, the dialog closes with OK
//   1       counter + 1, "Sent %d records", the link fetches the next record to send
//   2       counter + 1, "Received %d records", the link stores the record received; the first one
//           hides the instructions and shows "Receiving data from scales"
//
// The counter starts at -1, so the fetch of the first record shows "Sent 0 records".
#pragma once

#include "comms/lumen/LumenLink.h"
#include "platform/MessageWindow.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace varnel {

class LumenProgressForm final : public IMessageWindow {
public:
    static constexpr MessageId kMsgSent = 17583;
    static constexpr MessageId kMsgReceived = 17582;

    LumenProgressForm(CLumenLink& link, CLumenLink::Mode mode, std::uint16_t scaleType);

    std::string GetCaption() const;
    int GetCounter() const { return m_counter; }
    const std::string& GetStatusText() const { return m_status; }
    // The receive's instructions to start the scale, until the first record arrived.
    bool ShowsInstructions() const { return m_showsInstructions; }
    // How the dialog ended: none while it is up, true for OK.
    std::optional<bool> GetOutcome() const { return m_outcome; }

    // The dialog is up: the worker starts.
    void OnShown();
    // The user's Cancel: the link forgets the window and the dialog ends.
    void OnCancel();

    // Any thread: queues the post and wakes the view.
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // How the view hears of a post; called on the posting thread.
    void SetWake(std::function<void()> wake);
    // The dialog's thread: handles every post queued, unless the dialog has ended.
    void Dispatch();
    // Waits until `count` posts are queued, for a dialog's thread without an event loop of its own.
    void WaitForPost(std::size_t count = 1);

private:
    void Handle(std::uint32_t code);

    CLumenLink& m_link;
    const CLumenLink::Mode m_mode;
    const std::uint16_t m_scaleType;
    int m_counter = -1;
    std::string m_status;
    bool m_showsInstructions = true;
    std::optional<bool> m_outcome;

    std::mutex m_mutex;  // guards the queue and the wake
    std::condition_variable m_posted;
    std::deque<std::uint32_t> m_codes;
    std::function<void()> m_wake;
};

}  // namespace varnel
