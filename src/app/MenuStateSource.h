// The menus' state taken from the main frame and the document of the active window.
#pragma once

#include "app/ChildFrames.h"
#include "app/MenuState.h"

#include <optional>

namespace varnel {

class CMainFrame;
class CUserSetupList;
class CVrn3Doc;

// `document`: the active window's document; null while none is open.
MenuState MenuStateOf(const CMainFrame& frame, const CVrn3Doc* document, MenuWindow window, bool keyboardWindowOpen);

// Whose menu shows: the active child window's; with none, the PLU list's while a database is open and
// the frame's own otherwise (in scheduler mode that one offers the schedule files).
MenuWindow MenuWindowFor(std::optional<ChildFrameKind> active, bool documentOpen);

// The current user's rights; everything for nobody logged in.
MenuRights MenuRightsOf(const CUserSetupList& users);

}  // namespace varnel
