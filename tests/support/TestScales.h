// Link scale settings of a family, for the tests of the routines that read a scale's family.
#pragma once

#include "db/site/LinkScaleSettings.h"

#include <cstdint>

namespace varnel::test {

inline CLinkScaleSettings ScaleOfFamily(std::uint16_t family, bool message28 = false)
{
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    scale.m_message28 = message28 ? 1 : 0;
    return scale;
}

}  // namespace varnel::test
