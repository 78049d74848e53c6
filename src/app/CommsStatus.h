// The facts status pane 1 is chosen from, gathered from the links, the current department and the
// activity counters.
#pragma once

#include "app/CommsActivity.h"

namespace varnel {

class CIdEnqLinkList;
class CMasterScale;

// `quiet`: scheduler mode or automated. `onlineCommsOn`: the general setup's on-line communication
// setting. The scales counted are the department's (every scale when none is current).
CommsStatusFacts GatherCommsStatus(const CIdEnqLinkList& links, const CMasterScale* department, bool onlineCommsOn,
                                   bool quiet, const CommsActivity& activity);

}  // namespace varnel
