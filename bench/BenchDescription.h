// The description every PLU of the benchmark database carries: two lines of label text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace varnel::bench {

inline std::string BenchDescription(std::uint32_t number)
{
    char text[96];
    std::snprintf(text, sizeof text, "\x1B" "C1Beef mince premium %05u\x1B" "C2Product of New Zealand", number);
    return text;
}

}  // namespace varnel::bench
