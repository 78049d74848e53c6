// The PLU fields the edit window shows, checks and saves by number.
#pragma once

#include <cstdint>

namespace varnel::plufield {

constexpr std::uint16_t kSalesMode = 1002;
constexpr std::uint16_t kMarkdownFlag = 1003;
constexpr std::uint16_t kMarkdownPrice = 1004;
constexpr std::uint16_t kUnitPrice = 1005;
constexpr std::uint16_t kFixedWeight = 1007;
constexpr std::uint16_t kTare = 1010;
constexpr std::uint16_t kRegCode = 1011;
constexpr std::uint16_t kDepartment = 1014;
constexpr std::uint16_t kGroup = 1015;
constexpr std::uint16_t kItem = 1016;
constexpr std::uint16_t kExtraMessage = 1018;
constexpr std::uint16_t kPackTime = 1021;
constexpr std::uint16_t kExpiryTimeFlag = 1022;
constexpr std::uint16_t kExpiryTime = 1023;
constexpr std::uint16_t kPosCode = 1026;
constexpr std::uint16_t kUpperLimit = 1036;
constexpr std::uint16_t kLowerLimit = 1037;
constexpr std::uint16_t kExtraMessage2 = 1044;
constexpr std::uint16_t kExtraMessage3 = 1045;
constexpr std::uint16_t kPackType = 1086;
constexpr std::uint16_t kSecondTare = 1094;

// The text fields the window edits, with the characters each keeps.
constexpr std::size_t kRegCodeWidth = 4;
constexpr std::size_t kPosCodeWidth = 13;
constexpr std::size_t kPackTypeWidth = 3;

}  // namespace varnel::plufield
