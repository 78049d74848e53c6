// The Options command: the sheet on a copy of the site settings, applied at once after OK.
//
//   setup password protection on -> Enter Password first; Cancel stops
//   sheet ends with anything but OK -> nothing changes
//   the user may not update the setup -> 61328, nothing changes
//   otherwise: on-line comms switched on starts the links (loading the unsent data), switched off stops
//   them (saving it); the general setup is replaced whole and the event log's settings, the backup
//   folder, the price-zone fields and the key types taken; price-zone entries of undefined zones are
//   removed from the PLUs; both setup files are saved, the derived flags and the font set recomputed;
//   31472 tells the user; the views are brought up to date.
#pragma once

#include "settings/EditPluedPropsForm.h"

#include <functional>
#include <string>

namespace varnel {

class CMainFrame;
class CPluPriceZoneTb;
class IDocument;

struct OptionsDocument {
    IDocument* document = nullptr;          // the links start with it
    CPluPriceZoneTb* priceZones = nullptr;  // none while no database is open
};

struct OptionsCommandUi {
    std::function<bool(const std::string& password)> enterPassword;  // true when the right one was entered
    std::function<bool(OptionsValues& values)> runSheet;              // true on OK
    std::function<void()> updateViews;                                // hint 1032
};

// The sheet's pages for this site.
std::vector<OptionsPage> OptionsPagesFor(const CMainFrame& frame);
// True when the settings were applied.
bool RunOptionsCommand(CMainFrame& frame, const OptionsDocument& document, const OptionsCommandUi& ui);
void ApplyOptions(CMainFrame& frame, const OptionsDocument& document, const OptionsValues& values);

}  // namespace varnel
