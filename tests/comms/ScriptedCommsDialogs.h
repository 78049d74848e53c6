// Communication windows for tests: each Run hands the form to the test's script, which acts as the
// user would and answers OK (true) or Cancel; a window without a script ends as Cancel. Installed for
// its lifetime.
#pragma once

#include "comms/dialogs/CommsDialogs.h"

#include <functional>

namespace varnel::test {

class ScriptedCommsDialogs final : public ICommsDialogs {
public:
    template <class Form>
    using Script = std::function<bool(Form&)>;

    ScriptedCommsDialogs() : m_previous(SetCommsDialogs(this)) {}
    ~ScriptedCommsDialogs() override { SetCommsDialogs(m_previous); }
    ScriptedCommsDialogs(const ScriptedCommsDialogs&) = delete;
    ScriptedCommsDialogs& operator=(const ScriptedCommsDialogs&) = delete;

    bool RunCommCenter(CommCenterForm& form) override { return Run(commCenter, form); }
    bool RunScaleComms(ScaleCommsForm& form) override { return Run(scaleComms, form); }
    bool RunCompareResult(CompareResultForm& form) override { return Run(compareResult, form); }
    bool RunSelectSendData(SelectSendDataForm& form) override { return Run(selectSendData, form); }
    bool RunCommsBusy(CommsBusyForm& form) override { return Run(commsBusy, form); }
    bool RunExitVarnel(ExitVarnelForm& form) override { return Run(exitVarnel, form); }
    bool RunCommLinks(CommLinksForm& form) override { return Run(commLinks, form); }
    bool RunNewScale(NewScaleForm& form) override { return Run(newScale, form); }
    bool RunLinkSettings(LinkSettingsForm& form) override { return Run(linkSettings, form); }
    bool RunScaleSetup(ScaleSetupForm& form) override { return Run(scaleSetup, form); }
    bool RunDataRangeFilter(DataRangeFilterForm& form) override { return Run(dataRangeFilter, form); }
    bool RunQd47Link(Qd47LinkForm& form) override { return Run(qd47Link, form); }
    bool RunQd47Progress(Qd47ProgressForm& form) override { return Run(qd47Progress, form); }
    bool RunQd47FdSettings(Qd47FdSettingsForm& form) override { return Run(qd47FdSettings, form); }
    bool RunDataSaveOpenOptions(DataSaveOpenOptionsForm& form) override { return Run(dataSaveOpenOptions, form); }
    bool RunSpecifyTransmitData(SpecifyTransmitDataForm& form) override { return Run(specifyTransmitData, form); }
    bool RunLumenSerial(LumenSerialForm& form) override { return Run(lumenSerial, form); }

    Script<CommCenterForm> commCenter;
    Script<ScaleCommsForm> scaleComms;
    Script<CompareResultForm> compareResult;
    Script<SelectSendDataForm> selectSendData;
    Script<CommsBusyForm> commsBusy;
    Script<ExitVarnelForm> exitVarnel;
    Script<CommLinksForm> commLinks;
    Script<NewScaleForm> newScale;
    Script<LinkSettingsForm> linkSettings;
    Script<ScaleSetupForm> scaleSetup;
    Script<DataRangeFilterForm> dataRangeFilter;
    Script<Qd47LinkForm> qd47Link;
    Script<Qd47ProgressForm> qd47Progress;
    Script<Qd47FdSettingsForm> qd47FdSettings;
    Script<DataSaveOpenOptionsForm> dataSaveOpenOptions;
    Script<SpecifyTransmitDataForm> specifyTransmitData;
    Script<LumenSerialForm> lumenSerial;

private:
    template <class Form>
    static bool Run(const Script<Form>& script, Form& form)
    {
        return script && script(form);
    }

    ICommsDialogs* m_previous;
};

}  // namespace varnel::test
