// The commands that open the editors of campaigns (32785), advertising messages (32786), store names
// (32789) and label batches (32800), each after the frame's off-line question, and the store settings list (32905, and
// 32986 for the families that call it the store name) and the tray list (32929): each needs an open
// database and the right to view its table. Printing a batch offers the scales of the current
// department (of every link without one) that print batches and runs the batch's send to the one
// chosen in "Scale Comms". They are registered in the command table; the menus that show them are
// built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterStoreCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
