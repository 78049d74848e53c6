// The keyboard commands in the command table: "&Keyboard Presets" (32788), "Edit keyboard" (32968),
// the five default keyboards (32820, 32819, 32815, 32855, 32997), "PZ4/Tarn4/VM-8100b/QF Presets"
// (32902), "Index Presets" (32903), "VM-8100b/QF Images" (32969) and the image list report (32994),
// with the scale pickers on screen. Without the keyboard windows (null) they stay disabled.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class IKeyboardWindows;
class MainFrameWindow;

void RegisterKeyboardCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document,
                              IKeyboardWindows* keyboards);

}  // namespace varnel
