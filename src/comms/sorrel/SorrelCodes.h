// The codes by which the block protocol asks a scale for a data kind (0 to 42) and clears its
// production totals after they were read. 0 means: not asked of that scale.
#pragma once

#include <array>
#include <cstdint>

namespace varnel {
struct CGeneralSetup;
struct CLinkScaleSettings;
}

namespace varnel::sorrel {

// What the codes depend on besides the scale: the market, whether the Australian/New Zealand
// nutrition layout is in use, the message file mapping and the family of a scale left at the
// default (of the general setup).
struct CodeSettings {
    std::uint16_t market = 0;
    bool ausNzNutrition = false;
    std::array<std::uint8_t, 4> messageFileMapping{};
    std::uint16_t defaultFamily = 0;

    static CodeSettings Of(const CGeneralSetup& setup);
};

// The request code of a data kind for the scale (by its family, its message-28 flag and, for the
// message kinds, the general setup's message file mapping).
std::uint16_t GetBlockCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CodeSettings& settings);

// The code of the message that clears the totals of a production kind after they were read.
std::uint16_t GetDeleteTotalsCode(std::uint16_t dataKind, std::uint16_t family, const CodeSettings& settings);

}  // namespace varnel::sorrel
