// Gathering the status pane's facts.
#include "app/CommsStatus.h"

#include "comms/manager/IdEnqLinkList.h"
#include "settings/MasterScale.h"

#include <optional>

namespace varnel {

CommsStatusFacts GatherCommsStatus(const CIdEnqLinkList& links, const CMasterScale* department, bool onlineCommsOn,
                                   bool quiet, const CommsActivity& activity)
{
    CommsStatusFacts facts;
    facts.quiet = quiet;
    facts.offLine = !onlineCommsOn || !links.IsStarted() || !links.IsAnyScaleOnline(0);
    facts.connecting = activity.Count(2);
    facts.receiving = activity.Count(3);
    facts.sending = activity.Count(4);
    std::optional<ScaleDefs> scales;
    if (department != nullptr) scales = department->GetScaleDefs();
    const ScaleDefs* selected = scales ? &*scales : nullptr;
    facts.scalesWithUnsentData = links.CountScalesWithDataWaiting(selected);
    facts.offLineScales = links.CountOfflineScales(selected);
    return facts;
}

}  // namespace varnel
