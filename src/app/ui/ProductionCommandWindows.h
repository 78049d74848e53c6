// The production commands in the command table (ProductionCommands.h holds what they do):
//   32865 "Load and Delete &Production Data from Scales", 32901 the same for every department,
//   32899 "&Delete Production Data on Scales", 32913 "D&elete Production Totals on PC",
//   32999 "Load and Delete Meat Test from Scales", 32998 "Meat Cut Test Report",
//   32926, 32928, 32927, 32990 the four "Adjust ... Production Data" commands.
// The production subsystem is handed in; without it (null) only the PC totals can be deleted and the
// other commands stay disabled. The menus that show them are built elsewhere.
#pragma once

#include <cstdint>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IProductionServices;
class MainFrameWindow;

namespace Commands {
inline constexpr std::uint32_t kLoadProduction = 32865;
inline constexpr std::uint32_t kLoadProductionAllDepts = 32901;
inline constexpr std::uint32_t kDeleteScaleProduction = 32899;
inline constexpr std::uint32_t kDeletePcProduction = 32913;
inline constexpr std::uint32_t kLoadMeatTest = 32999;
inline constexpr std::uint32_t kMeatCutTestReport = 32998;
inline constexpr std::uint32_t kAdjustPluProduction = 32926;
inline constexpr std::uint32_t kAdjustRewrapProduction = 32927;
inline constexpr std::uint32_t kAdjustNextDayProduction = 32928;
inline constexpr std::uint32_t kAdjustBatchProduction = 32990;
}  // namespace Commands

void RegisterProductionCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document,
                                IProductionServices* production);

}  // namespace varnel
