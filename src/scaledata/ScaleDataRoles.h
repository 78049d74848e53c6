// What a scale-data table and the editors of its rows read of the site and whom they hand work to:
// the site's rules (the settings, the families on the links, the field definitions), the send queue
// and the event log. The application hands them over when it registers the tables (its main frame
// plays all three), and each table keeps them from the day the database makes it.
#pragma once

#include "db/site/EventLog.h"
#include "db/site/SendQueue.h"
#include "db/site/SiteRules.h"

namespace varnel {

struct ScaleDataRoles {
    const ISiteRules& rules;
    ISendQueue& sends;
    IEventLog& log;

    // The general setup and text rules of the calling thread: on a link's worker the snapshot pinned
    // for its pass, so a record never mixes two settings; elsewhere the site's own.
    const CGeneralSetup& Setup() const { return PinnedSetupOr(rules.GetGeneralSetup()); }
    TextRules Text() const
    {
        const SiteSettings* pinned = SiteSettingsScope::Pinned();
        return pinned != nullptr ? pinned->text : rules.GetTextRules();
    }
};

}  // namespace varnel
