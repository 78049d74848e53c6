// The dialogs of the main frame's own commands.
#include "app/ui/FrameCommandWindows.h"

#include "app/DataSaveOpenCommands.h"
#include "app/MainFrame.h"
#include "app/MainFrameModel.h"
#include "app/ScaleDataDirForm.h"
#include "app/Vrn3Doc.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/ScaleDataDirDlg.h"
#include "db/plu/PluDefTb.h"
#include "db/text/DoubleByteText.h"
#include "settings/DepartmentChoice.h"
#include "settings/PluRangeProfileForm.h"
#include "settings/ui/LogDataSelDlg.h"
#include "settings/ui/PickerDlgs.h"
#include "settings/ui/PluRangeProfileDlgs.h"

namespace varnel {

QtFrameCommandUi::QtFrameCommandUi(CMainFrame& frame, IDocumentHost& host, MainFrameWindow& window, CVrn3Doc& document)
    : QObject(&window), m_window(window), m_site{frame, host, document, *this}
{
}

bool QtFrameCommandUi::EnterSetupPassword(const std::string& password)
{
    return AskSetupPassword(password, StoreCodePage(m_site.frame.GetGeneralSetup()), &m_window);
}

bool QtFrameCommandUi::ChooseCurrentDepartment(CMasterScaleList& departments)
{
    return ChooseCurrent(departments, m_site.frame.GetTextRules().chars, [this](PickerForm& picker) {
        return CChangeDeptDlg(picker, &m_window).exec() == QDialog::Accepted;
    });
}

bool QtFrameCommandUi::EditPluRangeProfile(PluRangeProfileForm& form)
{
    // The entries take as many digits as the PLU table's largest number has.
    const CPluDefTb* plus = m_site.document.IsDatabaseOpen() ? m_site.document.GetPluTable() : nullptr;
    const std::size_t digits = PluNumberEntryDigits(plus != nullptr ? plus->GetMaxKey() : 99999999);
    return CEditPluRangeProfileDlg(form, digits, &m_window).exec() == QDialog::Accepted;
}

bool QtFrameCommandUi::SelectLogRange(LogViewRangeForm& form)
{
    return CLogDataSelDlg(form, &m_window).exec() == QDialog::Accepted;
}

std::optional<std::string> QtFrameCommandUi::ChooseScaleDataDirectory(const std::string& start)
{
    ScaleDataDirForm form(start);
    if (CScaleDataDirDlg(form, &m_window).exec() != QDialog::Accepted) return std::nullopt;
    return form.GetDirectory();
}

void QtFrameCommandUi::UpdateTitles()
{
    m_window.UpdateFrameTitle();
}

void RegisterFrameCommands(CMainFrame& frame, MainFrameModel& model, MainFrameWindow& window, CVrn3Doc& document)
{
    auto* ui = new QtFrameCommandUi(frame, model, window, document);
    model.SetDataSaveOpener([ui] {
        FrameCommandSite& site = ui->Site();
        (void)OpenDataSaveFile(site, site.frame.GetCurrentDataSaveFile());
    });
    RegisterDatabaseCommands(*ui);
    RegisterSetupFileCommands(*ui);
    RegisterToolCommands(*ui);
}

}  // namespace varnel
