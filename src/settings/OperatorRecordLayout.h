// Which operator record layout each scale family takes (OperatorRecord.h); shared by the encoders and
// the decoder.
#pragma once

#include <cstdint>

namespace varnel {

enum class OperatorLayout { Text, Bcd, Csv, CsvNameOnly, None };

constexpr OperatorLayout OperatorLayoutOf(std::uint16_t family)
{
    switch (family) {
    case 0: case 4: case 5: return OperatorLayout::Text;
    case 6: case 8: return OperatorLayout::Bcd;
    case 10: case 12: return OperatorLayout::Csv;
    case 11: return OperatorLayout::CsvNameOnly;
    default: return OperatorLayout::None;
    }
}

}  // namespace varnel
