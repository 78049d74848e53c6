// "Preset Key Setup" on screen: a "Code" edit per row of the form (keyboards/PresetKeySetupForm.h).
// OK reads every code in 0..88 (the range message keeps the dialog on the edit), then lets the form
// refuse codes the keys share.
#pragma once

#include "keyboards/PresetKeySetupForm.h"

#include <QDialog>

#include <vector>

class QLineEdit;

namespace varnel {

class CPresetKeySetupDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CPresetKeySetupDlg(PresetKeySetupForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    PresetKeySetupForm& m_form;
    std::vector<QLineEdit*> m_codes;  // by row
};

}  // namespace varnel
