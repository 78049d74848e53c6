// The fuzz targets' check of a property: a failed one aborts, which libFuzzer reports with the input.
#pragma once

#include <cstdlib>

namespace varnel::fuzz {

inline void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace varnel::fuzz
