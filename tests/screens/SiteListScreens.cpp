// The site's list editors: operators, departments, users and profiles, price zones, department codes,
// with their entry dialogs, and the price master dialog.
#include "ScreenShots.h"

#include "db/text/ScaleFontList.h"
#include "settings/AppEventLog.h"
#include "settings/EditDeptCodesForm.h"
#include "settings/EditDeptSettingsForm.h"
#include "settings/MasterScaleList.h"
#include "settings/EditOperatorsForm.h"
#include "settings/EditPriceZonesForm.h"
#include "settings/OperatorList.h"
#include "settings/PriceZone.h"
#include "settings/ui/EditDeptCodeDlgs.h"
#include "settings/ui/EditDeptDlgs.h"
#include "settings/ui/PickerDlgs.h"
#include "settings/ui/EditOperatorDlgs.h"
#include "settings/ui/EditPriceZoneDlgs.h"

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
    EditOperatorsForm list(operators, log, site, false);
    CEditOperatorsDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-operators", listDialog);
    EditOperatorsForm picker(operators, log, site, true);
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
    EditPriceZonesForm list(zones, log);
    CEditPriceZonesDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-price-zones", listDialog);
    EditPriceZoneForm entry(2, "Harbour St");
    CEditPriceZoneDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-price-zone", entryDialog);
}

void DeptCodeScreens(ScreenShots& shots)
{
    CDeptCodeList codes;
    auto meat = std::make_unique<CDeptCode>(12, "Meat");
    meat->m_groups.push_back(std::make_unique<CGroupCode>(1, "Beef"));
    meat->m_groups.push_back(std::make_unique<CGroupCode>(4, "Lamb"));
    codes.Add(std::make_unique<CDeptCode>(5, "Deli"));
    codes.Add(std::move(meat));
    const CAppEventLog log;
    EditDeptCodesForm list(codes, log, nullptr);
    CEditDeptCodesDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-dept-codes", listDialog);
    EditDeptCodeForm entry(codes.GetAt(1));
    CEditDeptCodeDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-dept-code", entryDialog);
    EditGroupCodeForm group(*codes.GetAt(1).m_groups[1]);
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
    EditDeptSettingsForm list(departments, log, choices, files);
    CEditDeptSettingsDlg listDialog(list, CodePage::Western);
    shots.Take("dialog-edit-departments", listDialog);
    const CMasterScale& deli = *departments.GetDepartments()[0];
    EditDeptForm entry(deli, choices(deli), files);
    CEditDeptDlg entryDialog(entry, CodePage::Western);
    shots.Take("dialog-edit-department", entryDialog);
    PickerForm change = MakeDepartmentPicker(departments, departments.GetCurrent());
    CChangeDeptDlg changeDialog(change);
    shots.Take("dialog-change-department", changeDialog);
}

}  // namespace

void AddSiteListScreens(ScreenShots& shots)
{
    OperatorScreens(shots);
    PriceZoneScreens(shots);
    DeptCodeScreens(shots);
    DepartmentScreens(shots);
}

}  // namespace varnel::screens
