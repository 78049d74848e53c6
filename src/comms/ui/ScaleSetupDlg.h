// "Scale Setup" on screen over ScaleSetupForm: one scale of a link that carries a list of scales.
#pragma once

#include "comms/ui/LinkSetupParts.h"
#include "platform/CodePage.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace varnel {

class ScaleSetupForm;

class CScaleSetupDlg final : public QDialog {
    Q_OBJECT
public:
    CScaleSetupDlg(ScaleSetupForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    ScaleSetupForm& m_form;
    CodePage m_codePage;
    QCheckBox* m_enabled;
    QLineEdit* m_name;
    QLineEdit* m_machineNo;
    ScaleFieldWidgets m_scale;
};

}  // namespace varnel
