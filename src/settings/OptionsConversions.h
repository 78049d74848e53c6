// How the Options sheet shows stored settings and stores what it shows: pure conversions, one pair
// per setting that the sheet does not show as stored.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// "System type" lists the families 0 to 12 without 7: a stored 7 shows as 6 (and is stored as 6).
int SystemTypeToIndex(std::uint16_t family);
std::uint16_t IndexToSystemType(int index);
// "Start day of week": 1 (Monday) to 7 (Sunday) shows as 0 to 6.
int StartDayToIndex(std::uint16_t day);
std::uint16_t IndexToStartDay(int index);
// The RUX message mapping: 0 "No file mapping", 5 to 13 the nine message files.
int RuxMappingToIndex(std::uint8_t mapping);
std::uint8_t IndexToRuxMapping(int index);
// The setup password as text (up to its terminator) and back into its 8 characters and terminator.
std::string SetupPasswordText(const std::array<std::uint8_t, 9>& stored);
std::array<std::uint8_t, 9> StoredSetupPassword(std::string_view text);
// A display font copy has the height 10 (the first four bytes, little-endian).
std::array<std::uint8_t, 60> DisplayFontCopy(const std::array<std::uint8_t, 60>& stored);

// The report font size reads as "%d" does: optional blanks, a sign, digits; anything after them is
// ignored. None when no number starts the text.
std::optional<int> ReadWholeNumber(std::string_view text);

}  // namespace varnel
