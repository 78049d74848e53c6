#include "comms/manager/CommsBusyForm.h"

#include "comms/manager/IdEnqLinkList.h"

namespace varnel {

void CommsBusyForm::OnTimer()
{
    if (m_outcome) return;
    ++m_seconds;
    if (!m_links.IsBusy()) m_outcome = true;
}

void CommsBusyForm::RunUnseen(const IClock& clock)
{
    while (!m_outcome) {
        SleepFor(clock, kTimerInterval);
        OnTimer();
    }
}

}  // namespace varnel
