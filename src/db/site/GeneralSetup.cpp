#include "db/site/GeneralSetup.h"

#include <cstddef>

namespace varnel {
namespace {

// The index of the last label-size range that holds the PLU; none when no range does.
std::size_t LastRangeHolding(const CGeneralSetup& setup, std::uint32_t pluNumber)
{
    std::size_t found = setup.m_labelWidths.size();
    for (std::size_t i = 0; i < setup.m_labelWidths.size(); ++i)
        if (pluNumber >= setup.m_labelFromPlu[i] && pluNumber <= setup.m_labelToPlu[i]) found = i;
    return found;
}

}  // namespace

std::uint16_t CGeneralSetup::GetLabelWidth(std::uint32_t pluNumber) const
{
    const std::size_t range = LastRangeHolding(*this, pluNumber);
    return range < m_labelWidths.size() ? m_labelWidths[range] : 60;
}

std::uint16_t CGeneralSetup::GetDescLength(std::uint32_t pluNumber) const
{
    const std::size_t range = LastRangeHolding(*this, pluNumber);
    return range < m_descLengths.size() ? m_descLengths[range] : 100;
}

}  // namespace varnel
