// The settings dialogs: host interface, e-mail settings, the PLU range profile and the log range.
#include "ScreenShots.h"

#include "keyboards/ui/PresetKeySetupDlg.h"
#include "settings/DefLineFontsForm.h"
#include "settings/EMailSettings.h"
#include "settings/EditPluedPropsForm.h"
#include "settings/HostInterfaceForm.h"
#include "settings/LogViewRangeForm.h"
#include "settings/PickerForm.h"
#include "settings/PluRangeProfileForm.h"
#include "settings/PriceZone.h"
#include "settings/ui/DefLineFontsDlg.h"
#include "settings/ui/EMailSettingsDlg.h"
#include "settings/ui/EditPluedProps.h"
#include "settings/ui/HostInterfaceDlg.h"
#include "settings/ui/LogDataSelDlg.h"
#include "settings/ui/PickerDlgs.h"
#include "settings/ui/PluRangeProfileDlgs.h"

#include <QTabWidget>

namespace varnel::screens {

namespace {

// The Options sheet of a store with two price zones, once per page.
void OptionsSheet(ScreenShots& shots)
{
    CGeneralSetup setup;
    setup.m_defaultScaleFamily = 9;
    setup.m_labelWidths = {60, 60, 80, 40, 60, 60};
    setup.m_descLengths.fill(100);
    setup.m_labelFromPlu = {1, 1000, 2000, 3000, 4000, 5000};
    setup.m_labelToPlu = {999, 1999, 2999, 3999, 4999, 999999};
    setup.m_label60mmWidth = 440;
    setup.m_reportFontSize = 10;
    setup.m_startDayOfWeek = 1;
    setup.m_priceZoneMode = 0;
    setup.m_localPriceZone = 2;
    EventLogSettings log;
    log.LoggingOn = 1;
    log.LogFile = "/home/ann/Varnel/logs/events.elg";
    log.LogPluUpdates = 1;
    log.PluUpdateLogFile = "/home/ann/Varnel/logs/plu-updates.elg";
    const std::string backupFolder = "/home/ann/Varnel/backup";
    const std::vector<std::uint16_t> zoneFields = {1005, 1006};
    const CKeyTypeDef keyTypes;
    OptionsValues values = LoadOptions({setup, log, backupFolder, zoneFields, keyTypes});
    CPriceZoneList zones;
    zones.SetZone(1, "Head Office");
    zones.SetZone(2, "Harbour St");
    CLabPropMap fields;
    for (const auto& [key, fieldNo, name] : {std::tuple{1, 1005, "Unit Price"}, std::tuple{2, 1006, "Fixed Price"}}) {
        auto field = std::make_unique<CLabProp>();
        field->m_fieldNo = static_cast<std::uint16_t>(fieldNo);
        field->m_name = name;
        fields[static_cast<std::uint16_t>(key)] = std::move(field);
    }
    OptionsSheetContext context;
    context.pages = OptionsPages(false, true);
    context.databaseExtension = "mdb";
    context.databasePattern = "*.mdb";
    context.databaseFilter = "MDB database (*.mdb) |*.mdb||";
    context.clearTotals = [] {};
    context.priceZones = &zones;
    context.fieldDefinitions = &fields;
    context.editPresetKeys = [](CKeyTypeDef::Codes&, PresetKeySetupForm::Layout) { return false; };
    CEditPluedProps sheet(values, context);
    for (int page = 0; page < sheet.Tabs()->count(); ++page) {
        sheet.Tabs()->setCurrentIndex(page);
        shots.Take(QStringLiteral("options-%1").arg(page + 1, 2, 10, QChar('0')), sheet);
    }
}

}  // namespace

void AddSettingsScreens(ScreenShots& shots)
{
    OptionsSheet(shots);

    CDefLineFont lineFonts;
    lineFonts.m_perLine[0] = 1;
    lineFonts.m_positions[0] = {2, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    DefLineFontsForm fontsForm(ReadLineFontSets(lineFonts), {true, true, false});
    CDefLineFontsDlg defLineFonts(fontsForm, {"S1 (small)", "S2", "M1 (medium)", "L1 (large)"});
    shots.Take("dialog-default-line-fonts", defLineFonts);

    CKeyTypeDef::Codes keyCodes{};
    for (std::size_t meaning = 1; meaning <= 12; ++meaning) keyCodes[meaning] = static_cast<std::uint8_t>(meaning + 20);
    PresetKeySetupForm shortKeys(keyCodes, PresetKeySetupForm::Layout::Short);
    CPresetKeySetupDlg shortKeysDialog(shortKeys);
    shots.Take("dialog-preset-key-setup", shortKeysDialog);
    PresetKeySetupForm longKeys(keyCodes, PresetKeySetupForm::Layout::Long);
    CPresetKeySetupDlg longKeysDialog(longKeys);
    shots.Take("dialog-preset-key-setup-long", longKeysDialog);

    const ScaleChoiceRow scales[] = {{"Deli - Scale 1", true}, {"Deli - Scale 2", false}, {"Meat - Scale 1", false}};
    PickerForm scalePicker = MakeScalePicker(scales, true);
    CSelectScaleDlg selectScale(scalePicker, {}, [] { return std::optional<std::size_t>(); });
    shots.Take("dialog-select-scale", selectScale);
    PickerForm deptPicker({"Deli", "Meat", "Bakery"}, {0, 1, 2}, 1);
    CSelectDeptDlg selectDept(deptPicker);
    shots.Take("dialog-select-department", selectDept);
    PickerForm profilePicker({"Clerk", "Supervisor", "Manager"}, {0, 1, 2}, 0);
    CSelectUserProfileDlg selectProfile(profilePicker);
    shots.Take("dialog-select-user-profile", selectProfile);

    HostInterfaceForm host({true, false, false, true, "/home/ann/Varnel/pos/POSUPDATE.txt"}, CharRule{});
    CHostInterfaceDlg hostInterface(host);
    shots.Take("dialog-host-interface", hostInterface);

    CEMailSettings mail;
    mail.m_storeId = "0042";
    mail.m_smtpServer = "smtp.example.net";
    mail.m_smtpUserName = "store42";
    mail.m_smtpPassword = "secret";
    mail.m_from = "store42@example.net";
    mail.m_to = "scales@example.net";
    mail.m_bodyText1 = "Scale status of store 42.";
    CEMailSettingsDlg eMail(mail, CodePage::Western);
    shots.Take("dialog-email-settings", eMail);

    CPluRangeList ranges;
    ranges.Append(CPluRange(1000, 1999, "Deli specials"));
    ranges.Append(CPluRange(50000, 59999, "Seasonal"));
    PluRangeProfileForm profile(ranges, 999999, CharRule{});
    CEditPluRangeProfileDlg profileDialog(profile, 6);
    shots.Take("dialog-edit-plu-range-profile", profileDialog);
    CSetPluRangeDlg setRange(1000, 1999, "Deli specials", 6);
    shots.Take("dialog-set-plu-range", setRange);

    LogViewRangeForm logRange(SystemClock(), 30);
    CLogDataSelDlg logData(logRange);
    shots.Take("dialog-select-log-data", logData);
}

}  // namespace varnel::screens
