// The signals reach the event loop through a pipe: the handler only writes a byte to it.
#include "platform/ui/TerminationSignal.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <utility>

namespace varnel {
namespace {

std::array<int, 2> g_pipe{-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

TerminationSignal::TerminationSignal(std::function<void()> onRequest, QObject* parent)
    : QObject(parent), m_onRequest(std::move(onRequest))
{
    if (pipe2(g_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        m_onRequest();
    });
    SetHandler(OnSignal);
}

TerminationSignal::~TerminationSignal()
{
    SetHandler(SIG_DFL);
    for (int& end : g_pipe) {
        if (end >= 0) close(end);
        end = -1;
    }
}

}  // namespace varnel
