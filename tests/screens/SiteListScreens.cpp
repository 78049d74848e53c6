// The site's list editors: operators, departments, users and profiles, price zones, department codes,
// with their entry dialogs, and the price master dialog.
#include "ScreenShots.h"

#include "app/DefaultFieldDefs.h"

#include "db/text/ScaleFontList.h"
#include "settings/AppEventLog.h"
#include "settings/EditDeptCodesForm.h"
#include "settings/EditDeptSettingsForm.h"
#include "settings/MasterScaleList.h"
#include "settings/EditOperatorsForm.h"
#include "support/TestMainFrame.h"
#include "settings/EditPriceZonesForm.h"
#include "settings/EditRuxPriceForm.h"
#include "settings/EditUsersForm.h"
#include "settings/AccessSettings.h"
#include "platform/FileSystem.h"
#include "settings/OperatorList.h"
#include "settings/PriceZone.h"
#include "settings/ui/EditDeptCodeDlgs.h"
#include "settings/ui/EditDeptDlgs.h"
#include "settings/ui/PickerDlgs.h"
#include "settings/ui/EditOperatorDlgs.h"
#include "settings/ui/EditPriceZoneDlgs.h"
#include "settings/ui/EditRuxPrice.h"
#include "settings/ui/EditUserDlgs.h"
#include "settings/ui/FieldSetupDlg.h"

#include <QTabWidget>

namespace varnel::screens {
namespace {

void AddOperator(COperatorList& operators, std::uint16_t id, std::string name)
{
    auto op = std::make_unique<COperator>();
    op->m_id = id;
    op->m_name = std::move(name);
    op->m_password = "1234";
    operators.SetOperator(std::move(op));
}

void OperatorScreens(ScreenShots& shots)
{
    CGeneralSetup setup;
    setup.m_defaultScaleFamily = 10;
    CScaleFontList fonts;
    const ScaleFontSetChoice choice = ChooseScaleFontSet(setup);
    fonts.Build(setup, choice.fontSet, choice.series);
    const OperatorEntrySite site = OperatorEntrySite::Of(setup, true, fonts, {});
    COperatorList operators;
    AddOperator(operators, 1, "Anna");
    AddOperator(operators, 4, "Bob");
    AddOperator(operators, 12, "Cy");
    const CAppEventLog log;
    const test::TestMainFrame frame;  // no document: the screens send nothing
    EditOperatorsForm list(operators, frame, setup, log, site, false);
    CEditOperatorsDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-operators", listDialog);
    EditOperatorsForm picker(operators, frame, setup, log, site, true);
    CEditOperatorsDlg pickDialog(picker, CodePage::Western);
    shots.Take("dialog-select-operator", pickDialog);
    EditOperatorForm entry(site, *operators.Find(4));
    CEditOperatorDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-operator", entryDialog);
}

void PriceZoneScreens(ScreenShots& shots)
{
    CPriceZoneList zones;
    zones.SetZone(1, "Head Office");
    zones.SetZone(2, "Harbour St");
    zones.SetZone(14, "Mall");
    const CAppEventLog log;
    EditPriceZonesForm list(zones, log, CharRule{});
    CEditPriceZonesDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-price-zones", listDialog);
    EditPriceZoneForm entry(2, "Harbour St", CharRule{});
    CEditPriceZoneDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-price-zone", entryDialog);
}

void DeptCodeScreens(ScreenShots& shots)
{
    CDeptCodeList codes;
    auto meat = std::make_unique<CDeptCode>(12, "Meat", 999999);
    meat->m_groups.push_back(std::make_unique<CGroupCode>(1, "Beef"));
    meat->m_groups.push_back(std::make_unique<CGroupCode>(4, "Lamb"));
    codes.Add(std::make_unique<CDeptCode>(5, "Deli", 999999));
    codes.Add(std::move(meat));
    const CAppEventLog log;
    EditDeptCodesForm list(codes, log, nullptr, DeptCodeDisplay{}, CharRule{});
    CEditDeptCodesDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-dept-codes", listDialog);
    EditDeptCodeForm entry(codes.GetAt(1), DeptCodeDisplay{}, CharRule{});
    CEditDeptCodeDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-dept-code", entryDialog);
    EditGroupCodeForm group(*codes.GetAt(1).m_groups[1], DeptCodeDisplay{}, CharRule{});
    CEditGroupCodeDlg groupDialog(group, CodePage::Western);
    shots.Take("dialog-edit-group-code", groupDialog);
}

void DepartmentScreens(ScreenShots& shots)
{
    CMasterScaleList departments;
    for (const auto& [id, name, link] : {std::tuple{1, "Deli", 1}, std::tuple{2, "Meat", 2}, std::tuple{3, "Bakery", 1}}) {
        auto department = std::make_unique<CMasterScale>();
        department->m_id = static_cast<std::uint16_t>(id);
        department->m_name = name;
        department->m_database = std::string("/home/ann/Varnel/") + name + ".pld";
        department->m_scales.push_back(std::make_unique<CScaleDef>(static_cast<std::uint16_t>(link), 1));
        departments.Add(std::move(department));
    }
    departments.SetCurrent(2);
    const auto choices = [](const CMasterScale& department) {
        std::vector<CScaleChoice> all = {{1, 1, "Deli - Scale 1", false}, {1, 2, "Deli - Scale 2", false},
                                         {2, 1, "Meat - Scale 1", false}};
        for (CScaleChoice& choice : all)
            for (const auto& held : department.m_scales)
                choice.selected = choice.selected || *held == CScaleDef(choice.linkId, choice.scaleId);
        return all;
    };
    const DatabaseFileChoice files{"pld", "*.pld", "Varnel database (*.pld) |*.pld||"};
    const CAppEventLog log;
    EditDeptSettingsForm list(departments, log, choices, files, CharRule{});
    CEditDeptSettingsDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-departments", listDialog);
    const CMasterScale& deli = *departments.GetDepartments()[0];
    EditDeptForm entry(deli, choices(deli), files, CharRule{});
    CEditDeptDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-department", entryDialog);
    PickerForm change = MakeDepartmentPicker(departments, departments.GetCurrent(), CharRule{});
    CChangeDeptDlg changeDialog(change);
    shots.Take("dialog-change-department", changeDialog);
}

void UserScreens(ScreenShots& shots)
{
    AccessSettings access;
    for (const auto& [name, admin] : {std::pair{"ann", true}, std::pair{"bob", false}, std::pair{"meg", false}}) {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = name;
        if (!admin) user->m_tablePermission.fill(AccessView);
        access.m_users.Add(std::move(user));
    }
    access.m_users.SetCurrentUser(0);
    CUserSetupList profiles;
    auto clerk = std::make_unique<CUserSetup>();
    clerk->m_name = "Clerk";
    profiles.Add(std::move(clerk));
    CMasterScaleList departments;
    CPriceZoneList zones;
    zones.SetZone(1, "Head Office");
    zones.SetZone(2, "Harbour St");
    const CLabPropMap fields;
    const DatabaseFileChoice files{"pld", "*.pld", "Varnel database (*.pld) |*.pld||"};
    const UserSheetSite site{false, 10, profiles, departments, zones, fields, files, CharRule{}, access, RealFileSystem()};
    const UserSheetSite profileSite{true, 0, profiles, departments, zones, fields, files, CharRule{}, access,
                                    RealFileSystem()};
    const CAppEventLog log;
    EditUsersForm users(access.m_users, log, site);
    CEditUsersDlg usersDialog(users, CodePage::Western);
    shots.Take("dialog-edit-users", usersDialog);
    EditUsersForm profileList(profiles, log, profileSite);
    CEditUsersDlg profilesDialog(profileList, CodePage::Western);
    shots.Take("dialog-edit-user-profiles", profilesDialog);

    CUserSetup& bob = access.m_users.GetAt(1);
    bob.m_rights[RightTiedToDatabase] = 1;
    bob.m_database = "/home/ann/Varnel/databases/store-42/Deli.pld";
    bob.m_priceZone = 2;
    EditUserForm sheet(bob, site);
    CEditUser sheetDialog(sheet, CodePage::Western);
    for (int page = 0; page < sheetDialog.Tabs()->count(); ++page) {
        sheetDialog.Tabs()->setCurrentIndex(page);
        shots.Take(QStringLiteral("dialog-edit-user-%1").arg(page + 1), sheetDialog);
    }
    FieldSelectionForm selection = sheet.MakeFieldSelection();
    CFieldSetupDlg fieldSetup(selection, CodePage::Western);
    shots.Take("dialog-user-field-selection", fieldSetup);
}

void PriceMasterScreens(ScreenShots& shots)
{
    CLabPropMap definitions;
    AddExtraPriceFieldDefs(definitions);
    EditRuxPriceForm::Records records{};
    records[0][0] = 1;
    records[0][32] = 0xE2;  // unit price 4.82
    records[0][33] = 0x01;
    records[2][0] = 1;
    const RuxPriceDialogSite site{definitions, false, false, CharRule{}};
    EditRuxPriceForm form(records, site);
    struct NoLists final : IRuxPricePickers {
    } pickers;
    CEditRuxPrice dialog(form, pickers, CodePage::Western);
    shots.Take("dialog-price-master", dialog);
}

}  // namespace

void AddSiteListScreens(ScreenShots& shots)
{
    OperatorScreens(shots);
    PriceZoneScreens(shots);
    DeptCodeScreens(shots);
    DepartmentScreens(shots);
    UserScreens(shots);
    PriceMasterScreens(shots);
}

}  // namespace varnel::screens
