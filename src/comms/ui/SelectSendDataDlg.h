// "Select Send Data" on screen over SelectSendDataForm: the eight boxes, OK and Cancel.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;

namespace varnel {

class SelectSendDataForm;

class CSelectSendDataDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSelectSendDataDlg(SelectSendDataForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    SelectSendDataForm& m_form;
    std::array<QCheckBox*, 8> m_boxes{};
};

}  // namespace varnel
