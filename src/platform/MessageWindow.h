// A window that worker threads post messages to. The GUI implements it with queued calls to its own
// thread; a post never waits for the message to be handled.
#pragma once

#include <cstdint>

namespace varnel {

// The first message number free for the application's own messages.
constexpr std::uint32_t kUserMessage = 0x0400;

class IMessageWindow {
public:
    virtual ~IMessageWindow() = default;
    virtual void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace varnel
