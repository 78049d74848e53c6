// The main frame's activity counters: raised and lowered by the links' threads, each change posted to
// the window (while the links run) so that the status pane is rewritten on its own thread.
#include "app/MainFrame.h"

#include "platform/MessageWindow.h"

namespace varnel {

namespace {

void PostCommsStateChanged(const FrameRun& run)
{
    IMessageWindow* window = run.window.load();
    if (run.linksStarted.load() && window != nullptr) window->Post(kCommsStateChangedMessage, 0, 0);
}

}  // namespace

void CMainFrame::IncCommsState(std::uint32_t state)
{
    if (m_run.activity.Raise(state)) PostCommsStateChanged(m_run);
}

void CMainFrame::DecCommsState(std::uint32_t state)
{
    if (m_run.activity.Lower(state)) PostCommsStateChanged(m_run);
}

}  // namespace varnel
