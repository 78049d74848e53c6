// The communication windows on screen: every Run of the comms dialog interface shows its Qt view
// modally over the main window, the texts in the store's code page of the moment.
#pragma once

#include "comms/dialogs/CommsDialogs.h"
#include "platform/CodePage.h"

#include <functional>

class QWidget;

namespace varnel {

class QtCommsDialogs final : public ICommsDialogs {
public:
    QtCommsDialogs(QWidget* parent, std::function<CodePage()> codePage)
        : m_parent(parent), m_codePage(std::move(codePage))
    {
    }

    bool RunCommCenter(CommCenterForm& form) override;
    bool RunScaleComms(ScaleCommsForm& form) override;
    bool RunCompareResult(CompareResultForm& form) override;
    bool RunSelectSendData(SelectSendDataForm& form) override;
    bool RunCommsBusy(CommsBusyForm& form) override;
    bool RunExitVarnel(ExitVarnelForm& form) override;
    bool RunCommLinks(CommLinksForm& form) override;
    bool RunNewScale(NewScaleForm& form) override;
    bool RunLinkSettings(LinkSettingsForm& form) override;
    bool RunScaleSetup(ScaleSetupForm& form) override;
    bool RunDataRangeFilter(DataRangeFilterForm& form) override;
    bool RunQd47Link(Qd47LinkForm& form) override;
    bool RunQd47Progress(Qd47ProgressForm& form) override;
    bool RunQd47FdSettings(Qd47FdSettingsForm& form) override;
    bool RunDataSaveOpenOptions(DataSaveOpenOptionsForm& form) override;
    bool RunSpecifyTransmitData(SpecifyTransmitDataForm& form) override;
    bool RunLumenSerial(LumenSerialForm& form) override;

private:
    QWidget* m_parent;
    std::function<CodePage()> m_codePage;
};

}  // namespace varnel
