// The site rules worked out from the general setup and the families on the links.
#include "db/site/SiteRules.h"

#include <cstdint>
#include <initializer_list>

namespace varnel {

SiteSettingsPtr ISiteRules::GetSiteSettings() const
{
    return MakeSiteSettings(*this);
}

// Encoders on a link's worker ask these: they read the settings pinned for the pass.
bool ISiteRules::UsesStandardNutrition() const
{
    return PinnedSetupOr(GetGeneralSetup()).m_nutritionInUse != 0 && !UsesCustomNutrition();
}

bool ISiteRules::UsesCustomNutrition() const
{
    const CGeneralSetup& setup = PinnedSetupOr(GetGeneralSetup());
    if (setup.m_market != MarketHongKong || setup.m_nutritionInUse == 0) return false;
    for (const std::uint16_t family : {0, 4, 5, 6, 8, 10, 12})
        if (HasEnabledScaleType(family)) return true;
    return false;
}

}  // namespace varnel
