// The site list editors run over the main frame's own lists: each entry point builds its dialog's
// site from the frame (market, fonts, field definitions, links, database files), runs the dialog and
// changes the list in place. The commands that call them add the settings password before and save
// the setup files after (when the list dialog closed with OK, which "Close" is).
//
//   RunOperatorSettings     "Edit Operator Settings" on the operators
//   PickOperator            the same list in pick mode, on `current`: the operator chosen
//   RunPriceZones           "Edit Price Zones"
//   RunDepartments          "Edit Department Settings"; after OK, with departments but none current,
//                           61327 and "Change Department" (32873) posted to the main window
//   RunChangeDepartment     "Change Department" (209) making the chosen department current
//   RunUserSettings         "Edit User Settings", or "Edit Default User Profiles" on the profiles
//   RunDeptCodes            "Edit Department Codes"; "Auto-Generate List" reads `plus`, the open
//                           database's PLUs (none while no database is open)
#pragma once

#include <cstdint>
#include <optional>

class QWidget;

namespace varnel {

class CMainFrame;
class CPluDefTb;
class MainFrameWindow;

inline constexpr std::uint32_t kChangeDepartmentCommand = 32873;

bool RunOperatorSettings(CMainFrame& frame, QWidget* parent);
std::optional<std::uint16_t> PickOperator(CMainFrame& frame, std::uint16_t current, QWidget* parent);
bool RunPriceZones(CMainFrame& frame, QWidget* parent);
bool RunDepartments(CMainFrame& frame, MainFrameWindow& window);
bool RunChangeDepartment(CMainFrame& frame, QWidget* parent);
bool RunUserSettings(CMainFrame& frame, bool profiles, QWidget* parent);
bool RunDeptCodes(CMainFrame& frame, const CPluDefTb* plus, QWidget* parent);

}  // namespace varnel
