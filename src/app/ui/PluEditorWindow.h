// CMainFrame::OpenPluEditorWindow: the PLU edit window of the open database in a child frame of the
// main window, its form given the frame's settings and the user's field permissions, and the
// services it takes from the rest of the program: the pick list of each field, the Price Master
// Settings dialog, the price masters' defaults and the extra messages' texts.
#pragma once

namespace varnel {

class CMainFrame;
class CPlued1PluVw;
class CVrn3Doc;
class IFrameModel;
class MainFrameWindow;

// The view in its new child frame, showing the document's PLU to show; null (after 61705) without an
// open database. Closing the frame asks the view and tells the document.
CPlued1PluVw* OpenPluEditorWindow(CMainFrame& frame, IFrameModel& model, MainFrameWindow& window, CVrn3Doc& document);

// Closes the frame around the view.
void ClosePluEditorWindow(CPlued1PluVw& view);

}  // namespace varnel
