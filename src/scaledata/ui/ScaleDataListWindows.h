// The entry points of the scale-data list editors: the list (or the free message names dialog) that a
// command opens, and the pickers that give a caller the number the user chose. The caller binds
// them to its menus and asks the frame's off-line question first where the command says so
// (ScaleDataListCommands.h).
#pragma once

#include "platform/CodePage.h"
#include "scaledata/ScaleDataListCommands.h"

#include <array>
#include <cstdint>
#include <optional>

class QWidget;

namespace varnel {

class CPluDatabase;

struct ScaleDataListSite {
    CPluDatabase& database;
    std::array<bool, 3> extraSetsInUse;  // the extra-message sets the site's scales carry
    CodePage codePage;
    QWidget* parent = nullptr;
};

// Runs the list editor of the command in close-only mode; false for a command that opens none.
bool OpenScaleDataList(std::uint32_t command, const ScaleDataListSite& site);

// Runs a list of the table in pick mode with `current` selected; the number chosen, or none when the
// user cancelled. Editing stays allowed unless `editing` is false.
std::optional<std::uint32_t> PickScaleDataNumber(ScaleDataList list, std::uint16_t table, std::uint32_t current,
                                                 const ScaleDataListSite& site, bool editing = true);

// The document's message picker for message types 1 to 13 (their tables by the setup given): the
// number chosen; on Cancel the current number for types 1 to 11 and 0xFFFFFFFF for the storage types
// 12 and 13.
std::uint32_t SelectMessageNo(const CGeneralSetup& setup, std::uint32_t messageType, std::uint32_t current,
                              const ScaleDataListSite& site);

}  // namespace varnel
