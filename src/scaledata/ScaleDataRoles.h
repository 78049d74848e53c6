// What a scale-data table reads of the site and whom it hands work to: the site's rules (the
// settings, the families on the links, the field definitions) and the send queue. The application
// hands them over when it registers the tables (its main frame plays both), and each table keeps them
// from the day the database makes it.
#pragma once

#include "db/site/SendQueue.h"
#include "db/site/SiteRules.h"

namespace varnel {

struct ScaleDataRoles {
    const ISiteRules& rules;
    ISendQueue& sends;

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
