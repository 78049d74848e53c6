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
    SetupFlagKeyboardPresets = 12,  // the scales take keyboard presets (data kind 12)
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

// Which derived flag stands for which data kind: the Communication Center offers a kind by its flag,
// and the menus will be pruned by the same table. The flags' computation fixes no such meaning; this
// table follows which families set each flag (a kind's flag is set by the families that take it):
// extra messages 1 to 3 and coupons by the options Q, R, S and P, stores by the families 0 to 6 and 8,
// keyboards, operators and POP messages by the families that take them, trays and index keys by
// family 9 alone (index keys in Taiwan), images by family 11, store settings by 9 to 12.
struct KindFlag {
    std::uint16_t kind;
    std::size_t flag;
};
inline constexpr KindFlag kKindFlags[] = {{3, 3},   {4, 6},   {7, 24},  {8, 9},   {9, 0},   {10, 20},
                                          {12, 12}, {29, 7},  {30, 8},  {37, 11}, {53, 32}, {61, 13},
                                          {69, 30}, {70, 22}, {71, 27}, {86, 23}};
// Flags that stand for families and tables rather than one kind.
inline constexpr std::size_t kFlagFamily9 = 31;          // a family-9 scale is on the links
inline constexpr std::size_t kFlagFamily9Market10 = 23;  // ... in market 10
inline constexpr std::size_t kFlagDeptGroupNames = 28;   // the department and group name tables

// `hasFamily` tells whether a scale of the family is on the links (disabled scales counted).
SetupFlags ComputeSetupFlags(const CGeneralSetup& setup, const std::function<bool(std::uint16_t)>& hasFamily);

}  // namespace varnel
