// The date, pack time and expiry time flags of a PLU as the PLU editor shows them: each flag as two
// choices, 0 not shown, 1 the first option, 2 the second; and the flag that two choices make. In the
// Taiwan market (of the general setup given) a zero flag still shows both choices.
#pragma once

#include "db/site/GeneralSetup.h"

#include <cstdint>

namespace varnel {

std::uint8_t DateFlagFirstChoice(std::uint8_t flag, const CGeneralSetup& setup);
std::uint8_t DateFlagSecondChoice(std::uint8_t flag, const CGeneralSetup& setup);
std::uint8_t JoinDateFlag(std::uint8_t first, std::uint8_t second);

std::uint8_t TimeFlagFirstChoice(std::uint8_t flag, const CGeneralSetup& setup);
std::uint8_t TimeFlagSecondChoice(std::uint8_t flag, const CGeneralSetup& setup);
std::uint8_t JoinTimeFlag(std::uint8_t first, std::uint8_t second);

std::uint8_t ExpTimeFlagFirstChoice(std::uint8_t flag, const CGeneralSetup& setup);
std::uint8_t ExpTimeFlagSecondChoice(std::uint8_t flag, const CGeneralSetup& setup);
std::uint8_t JoinExpTimeFlag(std::uint8_t first, std::uint8_t second);

}  // namespace varnel
