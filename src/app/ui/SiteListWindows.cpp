// The site list editors' entry points.
#include "app/ui/SiteListWindows.h"

#include "app/MainFrame.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "comms/manager/SiteScales.h"
#include "db/site/FieldDefSet.h"
#include "db/site/TextRules.h"
#include "settings/DepartmentChoice.h"
#include "settings/EditDeptCodesForm.h"
#include "settings/EditPriceZonesForm.h"
#include "settings/ui/EditDeptCodeDlgs.h"
#include "settings/ui/EditDeptDlgs.h"
#include "settings/ui/EditOperatorDlgs.h"
#include "settings/ui/EditPriceZoneDlgs.h"
#include "settings/ui/EditUserDlgs.h"
#include "settings/ui/PickerDlgs.h"

#include <QMetaObject>

namespace varnel {
namespace {

CodePage CodePageOf(const CMainFrame& frame) { return StoreCodePage(frame.GetGeneralSetup()); }

OperatorEntrySite OperatorSiteOf(const CMainFrame& frame)
{
    return OperatorEntrySite::Of(frame.GetGeneralSetup(), frame.GetSystemDoubleByteFlag(), frame.GetScaleFontList(),
                                 frame.GetFieldDefMap(FieldDefMap::Production));
}

// The database files' chooser names, the extension without its dot.
DatabaseFileChoice DatabaseFilesOf(const CMainFrame& frame)
{
    const CMainFrame::DatabaseFileFilter files = frame.GetDatabaseFileFilter();
    const std::string& extension = files.extension;
    return {extension.starts_with('.') ? extension.substr(1) : extension, files.pattern, files.filter};
}

}  // namespace

bool RunOperatorSettings(CMainFrame& frame, QWidget* parent)
{
    EditOperatorsForm form(frame.Operators(), frame, frame.GetGeneralSetup(), frame.EventLog(), OperatorSiteOf(frame),
                           false);
    return CEditOperatorsDlg(form, CodePageOf(frame), parent).exec() == QDialog::Accepted;
}

std::optional<std::uint16_t> PickOperator(CMainFrame& frame, std::uint16_t current, QWidget* parent)
{
    EditOperatorsForm form(frame.Operators(), frame, frame.GetGeneralSetup(), frame.EventLog(), OperatorSiteOf(frame),
                           true, current);
    if (CEditOperatorsDlg(form, CodePageOf(frame), parent).exec() != QDialog::Accepted) return std::nullopt;
    return form.GetPicked();
}

bool RunPriceZones(CMainFrame& frame, QWidget* parent)
{
    EditPriceZonesForm form(frame.PriceZones(), frame.EventLog(), frame.GetTextRules().chars);
    return CEditPriceZonesDlg(form, CodePageOf(frame), parent).exec() == QDialog::Accepted;
}

bool RunDepartments(CMainFrame& frame, MainFrameWindow& window)
{
    const auto choices = [&frame](const CMasterScale& department) {
        return BuildScaleChoices(department, frame.Links(), frame.GetGeneralSetup());
    };
    EditDeptSettingsForm form(frame.Departments(), frame.EventLog(), choices, DatabaseFilesOf(frame),
                              frame.GetTextRules().chars);
    return EditDepartmentList(
        frame.Departments(),
        [&] { return CEditDeptSettingsDlg(form, CodePageOf(frame), &window).exec() == QDialog::Accepted; },
        [&window] {
            QMetaObject::invokeMethod(window.Commands().Action(kChangeDepartmentCommand), &QAction::trigger,
                                      Qt::QueuedConnection);
        });
}

bool RunChangeDepartment(CMainFrame& frame, QWidget* parent)
{
    return ChooseCurrent(frame.Departments(), frame.GetTextRules().chars, [parent](PickerForm& picker) {
        return CChangeDeptDlg(picker, parent).exec() == QDialog::Accepted;
    });
}

bool RunUserSettings(CMainFrame& frame, bool profiles, QWidget* parent)
{
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    const UserSheetSite site{profiles,
                             setup.m_defaultScaleFamily,
                             frame.UserProfiles(),
                             frame.Departments(),
                             frame.PriceZones(),
                             frame.FieldDefs(FieldDefMap::Plu),
                             DatabaseFilesOf(frame),
                             CharRuleOf(setup, frame.GetSystemDoubleByteFlag()),
                             frame.Access(),
                             RealFileSystem()};
    EditUsersForm form(profiles ? frame.UserProfiles() : frame.Access().m_users, frame.EventLog(), site);
    return CEditUsersDlg(form, CodePageOf(frame), parent).exec() == QDialog::Accepted;
}

bool RunDeptCodes(CMainFrame& frame, const CPluDefTb* plus, QWidget* parent)
{
    EditDeptCodesForm form(frame.DeptCodes(), frame.EventLog(), plus,
                           DeptCodeDisplay::Of(frame.GetGeneralSetup(), FieldDefSet(frame)),
                           frame.GetTextRules().chars);
    return CEditDeptCodesDlg(form, CodePageOf(frame), parent).exec() == QDialog::Accepted;
}

}  // namespace varnel
