// The communication commands on screen: "&Transmit/Receive Scale Data..." (the Communication Center,
// in the File menu and on the tool bar), and after "&Options" in the Setup menu "&Comms (On-Line)" (the
// links' setup), "Co&mms (Data Save)" and "Comms (&Lumen - RS232C)" (the file link's and the Lumen
// serial link's settings), each asking the setup password first.
// The comms dialogs themselves are installed by the program while it has a window.
#pragma once

#include <cstdint>

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IDocumentHost;
class MainFrameWindow;

namespace Commands {
inline constexpr std::uint32_t kCommsOnLine = 32805;
inline constexpr std::uint32_t kCommsDataSave = 32806;
inline constexpr std::uint32_t kCommsLumen = 32956;
inline constexpr std::uint32_t kTransmitReceive = 32952;
}  // namespace Commands

// The Communication Center from a command, then the status bar brought up to date.
void RunCommCenterCommand(CMainFrame& frame, CVrn3Doc& document, MainFrameWindow& window);

void RegisterCommsCommands(CMainFrame& frame, IDocumentHost& host, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
