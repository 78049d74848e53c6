// "Font - Detailed Settings" (dialog 302) over FontDetailForm: the font, seven effects and the three
// colour groups of the selected label text. Controls are named by their ids.
#pragma once

#include "pluedit/FontDetailForm.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace varnel {

class CFontDetailDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CFontDetailDlg(FontDetailForm& form, QWidget* parent = nullptr);

private:
    void Show();

    FontDetailForm& m_form;
    QComboBox* m_fonts;
    std::array<QCheckBox*, FontDetailForm::kChecks> m_checks{};
    std::array<std::array<QRadioButton*, kLabelColours>, kLabelColourSlots> m_colours{};
};

}  // namespace varnel
