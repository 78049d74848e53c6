// What a table of the PLU database, its records and the editors of its rows read of the site and whom
// they hand work to: the site's rules (the settings, the users' rights, the families on the links, the
// field definitions), the send queue and the event log. The application hands them over when it
// registers the tables (its main frame plays all three), and each table keeps them from the day the
// database makes it.
#pragma once

#include "db/site/EventLog.h"
#include "db/site/FieldDefSet.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/SendQueue.h"
#include "db/site/SiteRules.h"

namespace varnel {

struct TableRoles {
    const ISiteRules& rules;
    ISendQueue& sends;
    IEventLog& log;

    // The general setup, text rules and field definitions of the calling thread: on a link's worker
    // the snapshot pinned for its pass, so a record never mixes two settings; elsewhere the site's own.
    const CGeneralSetup& Setup() const { return PinnedSetupOr(rules.GetGeneralSetup()); }
    TextRules Text() const
    {
        const SiteSettings* pinned = SiteSettingsScope::Pinned();
        return pinned != nullptr ? pinned->text : rules.GetTextRules();
    }
    FieldDefSet Fields() const
    {
        const SiteSettings* pinned = SiteSettingsScope::Pinned();
        return pinned != nullptr ? pinned->Fields() : FieldDefSet(rules);
    }
    // The scale's family, a scale left at the default taking the setup's default family.
    std::uint16_t FamilyOf(const CLinkScaleSettings& scale) const
    {
        return scale.GetScaleType(Setup().m_defaultScaleFamily);
    }
    // Nutrition is in use and the logged-in user may view the nutrition table.
    bool CanEditNutrition() const
    {
        constexpr std::size_t kNutritionTable = 9;
        constexpr std::uint8_t kView = 1;
        return Setup().m_nutritionInUse != 0 && rules.HasTableAccess(kNutritionTable, kView);
    }
};

}  // namespace varnel
