// Before production totals are loaded and deleted: whether the department's scales can all be read.
// 20597 goes to the event log first. With the general setup's "Check if scales connected before
// receiving prod. data" off, the load goes on. Otherwise, once the links are free (the busy wait),
// the scales are polled in "Scale Comms" (a cancel of either stops the load); when every enabled
// scale answered the load goes on, else
// each off-line scale is logged (20598) and 61461 asks whether to look at them in the Communication
// Center, whose "&Continue" lets the load go on. A cancel anywhere logs 20603 and stops the load.
#pragma once

#include "comms/center/ScaleCommsForm.h"
#include "platform/Messages.h"

#include <functional>

namespace varnel {

class CIdEnqLinkList;
class CMasterScale;

inline constexpr MessageId kMsgProdLoadStarted = 20597;
inline constexpr MessageId kMsgProdLoadCancelled = 20603;
inline constexpr MessageId kMsgProdScalesOffline = 61461;

struct ProdScalesCheckSite {
    CIdEnqLinkList* links = nullptr;
    ScaleCommsForm::Site comms;
    // The Communication Center in continue mode for the department: true when "&Continue" closed it.
    std::function<bool(const CMasterScale*)> continueInCommCenter;
};

// True when the load may go on; the department's scales, every scale without a department.
bool CheckProdScalesOnline(const ProdScalesCheckSite& site, const CMasterScale* department);

}  // namespace varnel
