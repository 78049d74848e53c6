// The commands that open the list editors of the scale-data texts (messages, coupons, comments and lot
// messages, free messages, ingredients, pop-up and origin messages, storage texts, department and
// group names, free message names): each asks the frame's off-line question first where its table
// says so, and needs an open database and the right to view its table. They are registered in the
// command table; the menus that show them are built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterScaleDataListCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
