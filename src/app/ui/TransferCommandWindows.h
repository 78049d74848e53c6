// The document's transfer commands in the command table:
//   32836 "Compare PLUs (Scale vs. DB)" (ComparePlusCommand.h), enabled always
//   32791 "&Show Comms Status": the Communication Center on its status, then the status bar refreshed
//   32958 "&Receive (LumenXT/TR-5400)", 32957 "&Receive (Lumen)", 32829 "Send (LumenXT/TR-5400)",
//   32959 "Send (Lumen)": the Lumen serial transfers (LumenCommands.h) over the frame's Lumen link
// The menus that show them are built elsewhere.
#pragma once

#include <cstdint>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

namespace Commands {
inline constexpr std::uint32_t kComparePlus = 32836;
inline constexpr std::uint32_t kShowCommsStatus = 32791;
inline constexpr std::uint32_t kReceiveLumenXt = 32958;
inline constexpr std::uint32_t kReceiveLumen = 32957;
inline constexpr std::uint32_t kSendLumenXt = 32829;
inline constexpr std::uint32_t kSendLumen = 32959;
}  // namespace Commands

void RegisterTransferCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
