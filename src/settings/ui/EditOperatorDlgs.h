// The operator dialogs on screen:
//
//   CEditOperatorsDlg  "Edit Operator Settings" over EditOperatorsForm (the list; in pick mode OK reads
//                      "Select")
//   CEditOperatorDlg   "Edit Operator" over EditOperatorForm: "operatorId", "name", "font", "password",
//                      "logoffTimer", "accessLevel"
#pragma once

#include "settings/EditOperatorsForm.h"
#include "settings/ui/SettingsListDlg.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace varnel {

class CEditOperatorsDlg final : public CSettingsListDlg, private IEditOperatorsUi {
    Q_OBJECT
public:
    CEditOperatorsDlg(EditOperatorsForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    bool RunOperatorEntry(EditOperatorForm& entry) override;
};

class CEditOperatorDlg final : public QDialog {
    Q_OBJECT
public:
    CEditOperatorDlg(EditOperatorForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    EditOperatorForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_id;
    QLineEdit* m_name;
    QComboBox* m_font;
    QLineEdit* m_password;
    QLineEdit* m_logoffTimer;
    QComboBox* m_accessLevel;
};

}  // namespace varnel
