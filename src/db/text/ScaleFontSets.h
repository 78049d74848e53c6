// The fonts of each font set, in the order the label text editor offers them.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/text/ScaleFont.h"

#include <vector>

namespace varnel {

// The fonts of a font set (0 to 7; any other number is set 0) under a general setup,
// which decides the variant of a set (default scale family, market, nutrition layout) and the line
// limits. The series matters to sets 0 and 6.
std::vector<CScaleFont> MakeScaleFontSet(const CGeneralSetup& setup, int fontSet, int series);

}  // namespace varnel
