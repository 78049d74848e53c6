#include "comms/ui/QtCommsDialogs.h"

#include "comms/ui/CommCenterDlg.h"
#include "comms/ui/CommLinksDlg.h"
#include "comms/ui/CommsBusyDlg.h"
#include "comms/ui/CompareResultDlg.h"
#include "comms/ui/DataRangeFilterDlg.h"
#include "comms/ui/ExitVarnelDlg.h"
#include "comms/ui/LinkSettingsDlg.h"
#include "comms/ui/LumenDlgs.h"
#include "comms/ui/Qd47Dlgs.h"
#include "comms/ui/ScaleCommsDlg.h"
#include "comms/ui/ScaleSetupDlg.h"
#include "comms/ui/SelectSendDataDlg.h"

namespace varnel {
namespace {

template <class Dialog, class... Args>
bool RunModal(Args&&... args)
{
    Dialog dialog(std::forward<Args>(args)...);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool QtCommsDialogs::RunCommCenter(CommCenterForm& form)
{
    return RunModal<CCommCenterDlg>(form, m_codePage(), m_parent);
}
bool QtCommsDialogs::RunScaleComms(ScaleCommsForm& form) { return RunModal<CScaleCommsDlg>(form, m_parent); }
bool QtCommsDialogs::RunCompareResult(CompareResultForm& form)
{
    return RunModal<CCompareResultDlg>(form, m_codePage(), m_parent);
}
bool QtCommsDialogs::RunSelectSendData(SelectSendDataForm& form) { return RunModal<CSelectSendDataDlg>(form, m_parent); }
bool QtCommsDialogs::RunCommsBusy(CommsBusyForm& form) { return RunModal<CCommsBusyDlg>(form, m_parent); }
bool QtCommsDialogs::RunExitVarnel(ExitVarnelForm& form) { return RunModal<CExitVarnelDlg>(form, m_parent); }
bool QtCommsDialogs::RunCommLinks(CommLinksForm& form) { return RunModal<CCommLinksDlg>(form, m_codePage(), m_parent); }
bool QtCommsDialogs::RunNewScale(NewScaleForm& form) { return RunModal<CNewScaleDlg>(form, m_parent); }
bool QtCommsDialogs::RunLinkSettings(LinkSettingsForm& form)
{
    return RunModal<CLinkSettingsDlg>(form, m_codePage(), m_parent);
}
bool QtCommsDialogs::RunScaleSetup(ScaleSetupForm& form) { return RunModal<CScaleSetupDlg>(form, m_codePage(), m_parent); }
bool QtCommsDialogs::RunDataRangeFilter(DataRangeFilterForm& form)
{
    return RunModal<CDataRangeFilterDlg>(form, m_codePage(), m_parent);
}
bool QtCommsDialogs::RunQd47Link(Qd47LinkForm& form) { return RunModal<CQd47LinkDlg>(form, m_parent); }
bool QtCommsDialogs::RunQd47Progress(Qd47ProgressForm& form) { return RunModal<CQd47ProgressDlg>(form, m_parent); }
bool QtCommsDialogs::RunQd47FdSettings(Qd47FdSettingsForm& form) { return RunModal<CQd47FdSettingsDlg>(form, m_parent); }
bool QtCommsDialogs::RunDataSaveOpenOptions(DataSaveOpenOptionsForm& form)
{
    return RunModal<CDataSaveOpenOptionsDlg>(form, m_parent);
}
bool QtCommsDialogs::RunSpecifyTransmitData(SpecifyTransmitDataForm& form)
{
    return RunModal<CSpecifyTransmitDataDlg>(form, m_parent);
}
bool QtCommsDialogs::RunLumenSerial(LumenSerialForm& form) { return RunModal<CLumenSerialDlg>(form, m_parent); }

}  // namespace varnel
