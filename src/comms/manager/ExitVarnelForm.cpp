#include "comms/manager/ExitVarnelForm.h"

#include "comms/manager/IdEnqLinkList.h"

namespace varnel {

void ExitVarnelForm::ClearWaitingData() { m_links.ClearQueues(m_scales, false, false); }

}  // namespace varnel
