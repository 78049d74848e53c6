// The commands that open the site's settings lists: "&Operators" (32870) and "Price &Zones" (32888),
// both off in batch mode, "&Departments" (32872), "&Users" (32871), "User Profiles" (32856) and
// "Department Codes" (32930), offered only while department and group names are not the scales'.
// Each needs the right to view the setup; price zones, departments and users ask the setup password
// first. After OK the site setup is saved (the general setup for price zones, and for department codes
// however their list closed); a change of users also recomputes the derived flags and refreshes the
// views. The Setup menu shows all but the operators, whose menu is built elsewhere.
#pragma once

namespace varnel {

class CMainFrame;
class CVrn3Doc;
class MainFrameWindow;

void RegisterSettingsListCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document);

}  // namespace varnel
