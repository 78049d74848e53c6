// "Comms Busy" (dialog 247) without its window: shown while the links finish earlier work before a
// new operation starts. Each second (timer 6) it asks the link manager whether a link is still busy,
// counting the seconds, and ends with OK once none is; Cancel ends it with Cancel.
#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace varnel {

class CIdEnqLinkList;

class CommsBusyForm {
public:
    static constexpr std::chrono::milliseconds kTimerInterval{1000};

    explicit CommsBusyForm(const CIdEnqLinkList& links) : m_links(links) {}

    // Timer 6.
    void OnTimer();
    void OnCancel() { m_outcome = false; }
    // Without a window: ticks on the clock until the links are idle.
    void RunUnseen(const IClock& clock);

    // None while the links are busy; true once they are idle, false after Cancel.
    std::optional<bool> GetOutcome() const { return m_outcome; }
    std::uint32_t GetSecondsWaited() const { return m_seconds; }

private:
    const CIdEnqLinkList& m_links;
    std::optional<bool> m_outcome;
    std::uint32_t m_seconds = 0;
};

}  // namespace varnel
