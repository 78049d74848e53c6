// "&Date and Time" (32790): the PC's clock sent to the scales (CVrn3Doc::SendDateAndTime), enabled
// while on-line comms can be used. It is registered in the command table; the Scales menu that shows
// it is built elsewhere.
#pragma once

namespace varnel {

class CVrn3Doc;
class MainFrameWindow;

void RegisterClockCommand(MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
