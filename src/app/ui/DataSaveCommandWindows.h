// The Data Save, QD47FD and compact commands in the command table (DataSaveCommands.h holds what they
// do): 32813 "&Save (Data Save)" and 32828 "Sa&ve As (Data Save)" while a Data Save file is current,
// 32799 "&Receive (Data Save)", 32837 "&Send (Data Save)", 32838 "&Import QD47FD", 32839 "&Export
// QD47FD" and 32882 "Com&pact Database" (under the wait cursor), each with a database open. The menus
// that show them are built elsewhere.
#pragma once

#include <cstdint>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

namespace Commands {
inline constexpr std::uint32_t kSaveDataSave = 32813;
inline constexpr std::uint32_t kSaveDataSaveAs = 32828;
inline constexpr std::uint32_t kReceiveDataSave = 32799;
inline constexpr std::uint32_t kSendDataSave = 32837;
inline constexpr std::uint32_t kImportQd47Fd = 32838;
inline constexpr std::uint32_t kExportQd47Fd = 32839;
inline constexpr std::uint32_t kCompactDatabase = 32882;
}  // namespace Commands

void RegisterDataSaveCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
