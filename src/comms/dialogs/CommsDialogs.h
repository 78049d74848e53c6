// The communication windows as the core runs them: one interface that the GUI (src/comms/ui)
// implements and installs. Each Run shows the window of a model (a ...Form of the comms libraries)
// modally and tells whether it ended with OK. While none is installed (automation, the scheduler,
// tests that do not install their own) nothing is shown: the settings dialogs end as Cancel, and the
// busy wait, "Scale Comms" and the file link's progress run to their end without a window.
#pragma once

namespace varnel {

class CommCenterForm;
class CommLinksForm;
class CommsBusyForm;
class CompareResultForm;
class DataRangeFilterForm;
class DataSaveOpenOptionsForm;
class ExitVarnelForm;
class LinkSettingsForm;
class LumenSerialForm;
class NewScaleForm;
class Qd47FdSettingsForm;
class Qd47LinkForm;
class Qd47ProgressForm;
class ScaleCommsForm;
class ScaleSetupForm;
class SelectSendDataForm;
class SpecifyTransmitDataForm;

class ICommsDialogs {
public:
    virtual ~ICommsDialogs() = default;

    // Watching and running work on the scales.
    virtual bool RunCommCenter(CommCenterForm& form) = 0;
    virtual bool RunScaleComms(ScaleCommsForm& form) = 0;
    virtual bool RunCompareResult(CompareResultForm& form) = 0;
    virtual bool RunSelectSendData(SelectSendDataForm& form) = 0;
    virtual bool RunCommsBusy(CommsBusyForm& form) = 0;
    virtual bool RunExitVarnel(ExitVarnelForm& form) = 0;

    // Link setup.
    virtual bool RunCommLinks(CommLinksForm& form) = 0;
    virtual bool RunNewScale(NewScaleForm& form) = 0;
    virtual bool RunLinkSettings(LinkSettingsForm& form) = 0;
    virtual bool RunScaleSetup(ScaleSetupForm& form) = 0;
    virtual bool RunDataRangeFilter(DataRangeFilterForm& form) = 0;

    // The file link, Data Save files and the Lumen serial link.
    virtual bool RunQd47Link(Qd47LinkForm& form) = 0;
    virtual bool RunQd47Progress(Qd47ProgressForm& form) = 0;
    virtual bool RunQd47FdSettings(Qd47FdSettingsForm& form) = 0;
    virtual bool RunDataSaveOpenOptions(DataSaveOpenOptionsForm& form) = 0;
    virtual bool RunSpecifyTransmitData(SpecifyTransmitDataForm& form) = 0;
    virtual bool RunLumenSerial(LumenSerialForm& form) = 0;
};

// The installed dialogs; null while none is.
ICommsDialogs* GetCommsDialogs();
// Installs the process's dialogs (null removes them) and returns the ones they replace.
ICommsDialogs* SetCommsDialogs(ICommsDialogs* dialogs);

}  // namespace varnel
