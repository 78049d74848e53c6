// The Options command.
#include "app/OptionsCommand.h"

#include "app/MainFrame.h"
#include "db/plu/PluPriceZoneTb.h"
#include "platform/UserPrompt.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

namespace varnel {

constexpr std::uint16_t kRuxFamily = 9;
constexpr MessageId kSetupUpdated = 31472;

std::vector<OptionsPage> OptionsPagesFor(const CMainFrame& frame)
{
    return OptionsPages(frame.IsAusNzNutrition(),
                        frame.GetGeneralSetup().m_defaultScaleFamily == kRuxFamily || frame.HasScaleType(kRuxFamily, true));
}

bool RunOptionsCommand(CMainFrame& frame, const OptionsDocument& document, const OptionsCommandUi& ui)
{
    OptionsValues values = LoadOptions({frame.GetGeneralSetup(), frame.EventLog(), frame.GetBackupDirectory(),
                                        frame.PriceZoneFields(), frame.KeyTypes()});
    if (values.passwordProtect && !ui.enterPassword(values.password)) return false;
    if (!ui.runSheet(values)) return false;
    if (!CheckUserPermission(frame, kSetupTable, AccessUpdate, true)) return false;
    ApplyOptions(frame, document, values);
    if (ui.updateViews) ui.updateViews();
    return true;
}

void ApplyOptions(CMainFrame& frame, const OptionsDocument& document, const OptionsValues& values)
{
    const bool wasOnline = frame.GetGeneralSetup().m_onlineComms != 0;
    const bool online = values.setup.m_onlineComms != 0;
    // The links read the general setup: it is replaced whole, never edited field by field in place.
    frame.GeneralSetup() = StoredGeneralSetup(values);
    if (!wasOnline && online) frame.Links().StartLinks(document.document, LinkRoles::Of(frame), true);
    if (wasOnline && !online) frame.Links().StopLinks(true);
    static_cast<EventLogSettings&>(frame.EventLog()) = values.log;
    frame.SetBackupDirectory(values.backupFolder);
    frame.PriceZoneFields() = values.priceZoneFields;
    frame.KeyTypes() = StoredKeyTypes(values);
    if (document.priceZones != nullptr) document.priceZones->RemoveUnknownZones();
    // Each save says itself when it fails, and leaves its file as it was.
    frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    frame.SaveSiteSetup(frame.GetSiteSetupPath());
    frame.RecalcSetupFlags();
    frame.SetupScaleFonts();
    ShowMessage(kSetupUpdated, MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace varnel
