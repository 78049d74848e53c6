// The menus' state taken from the main frame and the document of the active window.
#pragma once

#include "app/MenuState.h"

namespace varnel {

class CMainFrame;
class CUserSetupList;
class CVrn3Doc;

// `document`: the active window's document; null while none is open.
MenuState MenuStateOf(const CMainFrame& frame, const CVrn3Doc* document, MenuWindow window, bool keyboardWindowOpen);

// The current user's rights; everything for nobody logged in.
MenuRights MenuRightsOf(const CUserSetupList& users);

}  // namespace varnel
