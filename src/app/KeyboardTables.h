// The preset keyboards an older PLU database keeps in two tables (12: one row per keyboard, its
// system type in the first word; 13: one row per used key, keyed keyboard x 65536 + key) turned into
// layout keyboards. Keys 1 to 88 of a page land in the upper sheet's cells, keys 89 to 176 in the
// lower sheet's (cells from 121 on).
#pragma once

#include "keyboards/Keyboard.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace varnel {

class CKeyboardList;
class CObjDatabase;

struct KeyboardTableSources {
    // The keyboards a database keyboard starts from when one of its number exists already.
    const CKeyboardList* existing = nullptr;
    // The template keyboard of a system type; none leaves the keyboard's keys as they were.
    std::function<const CKeyboard*(std::uint16_t sysType)> layoutOf;
    // The general setup's default scale family.
    std::uint16_t defaultFamily = 0;
    // The family of the scale with that number; none when no such scale is set up.
    std::function<std::optional<std::uint16_t>(std::uint16_t scaleNo)> scaleFamily;
};

struct ConvertedKeyboards {
    std::map<std::uint16_t, std::unique_ptr<CKeyboard>> keyboards;
    // A keyboard matched no scale of the setup.
    bool unmatched = false;
};

ConvertedKeyboards ConvertKeyboardTables(CObjDatabase& database, const KeyboardTableSources& sources);

// The layout cell (0 to 239) of key `position` (1 to 176) of a page on a keyboard of `sysType`.
std::size_t KeyboardCellOf(std::uint8_t position, std::uint16_t sysType);

}  // namespace varnel
