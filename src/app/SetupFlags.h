// The derived setup flags: which data kinds, production kinds and nutrition forms the site offers,
// from the general setup and the scale families on its links.
#pragma once

#include "db/site/GeneralSetup.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace varnel {

enum SetupFlag : std::size_t {
    SetupFlagStandardNutrition = 0,
    SetupFlagCustomNutrition = 1,
    SetupFlagDataSave = 2,
    SetupFlagRewrapProduction = 14,
    SetupFlagNextDayProduction = 15,
    SetupFlagHourlyProduction = 16,
    SetupFlagOperatorProduction = 17,
    SetupFlagOperatorOverrideProduction = 18,
    SetupFlagBatchProduction = 29,
    SetupFlagProductionOption = 33,
    kSetupFlagCount = 34
};
using SetupFlags = std::bitset<kSetupFlagCount>;

// `hasFamily` tells whether a scale of the family is on the links (disabled scales counted).
SetupFlags ComputeSetupFlags(const CGeneralSetup& setup, const std::function<bool(std::uint16_t)>& hasFamily);

}  // namespace varnel
