// "Select HBKU and Scale ID" over SelectLinkScaleIdForm: the HBKU links and the new scale's number.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace varnel {

class SelectLinkScaleIdForm;

class CSelectLinkScaleIdDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSelectLinkScaleIdDlg(SelectLinkScaleIdForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    SelectLinkScaleIdForm& m_form;
    QComboBox* m_link;
    QLineEdit* m_scaleId;
};

}  // namespace varnel
