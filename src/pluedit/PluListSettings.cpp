// The PLU list's settings from the general setup.
#include "pluedit/PluListSettings.h"

namespace varnel {

PluListSettings PluListSettings::Of(const CGeneralSetup& setup, const FieldDefSet& fields, bool useDeptGroupSearch,
                                    std::uint16_t priceZone, const CharRule& chars)
{
    PluListSettings settings;
    settings.showPosCode = setup.m_posCodeInSearch != 0;
    settings.showDeptGroup = useDeptGroupSearch;
    settings.twoLines = setup.m_twoDescLinesInSearch != 0;
    settings.costColumn = IsAusNzNutrition(setup);
    settings.inactiveInRed = setup.m_pluActiveInactive != 0;
    settings.fixedPriceDecimal = setup.m_unitFixedPriceDecimal != 0;
    settings.maxPluNo = setup.m_maxPluNo;
    settings.priceZone = priceZone;
    settings.deptCodeDisplay = DeptCodeDisplay::Of(setup, fields);
    settings.chars = chars;
    return settings;
}

}  // namespace varnel
