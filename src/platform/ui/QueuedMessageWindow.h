// The window that worker threads post to, as queued calls onto the user-interface thread. A post
// never waits; posts still queued when the receiver is destroyed are dropped with it. Posting itself
// must end before the receiver goes (the frame stops the links before it is destroyed).
#pragma once

#include "platform/MessageWindow.h"

#include <QObject>

#include <functional>

namespace varnel {

class QueuedMessageWindow final : public IMessageWindow {
public:
    using Handler = std::function<void(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)>;

    // `handler` runs on `receiver`'s thread, for as long as `receiver` lives.
    QueuedMessageWindow(QObject* receiver, Handler handler);

    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    QObject* m_receiver;
    Handler m_handler;
};

}  // namespace varnel
