// What the links to the scales read of the site and whom they report to: the site's rules (a settings
// snapshot for each request, the scale data directory), the event log and the comms status (the
// comms-state counters, the current Data Save file). The main frame plays all three and hands them to
// the links as it starts them, and to the Data Save files as it makes them.
#pragma once

#include "db/site/CommsStatus.h"
#include "db/site/EventLog.h"
#include "db/site/SiteRules.h"

namespace varnel {

struct LinkRoles {
    const ISiteRules& site;
    IEventLog& log;
    ICommsStatus& status;

    // One object in all three roles, as the main frame is.
    template <class Frame>
    static LinkRoles Of(Frame& frame)
    {
        return {frame, frame, frame};
    }
};

}  // namespace varnel
