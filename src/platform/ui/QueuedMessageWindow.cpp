// Posted messages as queued calls.
#include "platform/ui/QueuedMessageWindow.h"

#include <utility>

namespace varnel {

QueuedMessageWindow::QueuedMessageWindow(QObject* receiver, Handler handler)
    : m_receiver(receiver), m_handler(std::move(handler))
{
}

void QueuedMessageWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    // The call is bound to the receiver: Qt drops it when the receiver goes first.
    QMetaObject::invokeMethod(
        m_receiver, [handler = m_handler, message, wParam, lParam] { handler(message, wParam, lParam); },
        Qt::QueuedConnection);
}

}  // namespace varnel
