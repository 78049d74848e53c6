#include "settings/AccessSettings.h"

namespace varnel {

bool AccessSettings::IsPluNumberAllowed(const CGeneralSetup& setup, std::uint32_t pluNumber) const
{
    return pluNumber != 0 && pluNumber <= setup.m_maxPluNo && !m_activePluRanges.Excludes(pluNumber);
}

std::uint32_t AccessSettings::NextAllowedPluNumber(std::uint32_t pluNumber) const
{
    return m_activePluRanges.NextNotExcluded(pluNumber);
}

}  // namespace varnel
