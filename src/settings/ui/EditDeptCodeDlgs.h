// The department code dialogs on screen:
//
//   CEditDeptCodesDlg   "Edit Department Codes" over EditDeptCodesForm, with "Auto-Generate List"
//                       ("autoGenerate")
//   CEditDeptCodeDlg    "Edit Department Code" over EditDeptCodeForm: "code", "name", "from", "to" and
//                       the group codes' list with its buttons ("groups": "list", "add", "edit", "delete")
//   CEditGroupCodeDlg   "Edit Group Code" over EditGroupCodeForm: "code", "name"
#pragma once

#include "settings/EditDeptCodesForm.h"
#include "settings/ui/SettingsListDlg.h"

#include <QDialog>

class QLineEdit;

namespace varnel {

class CEditDeptCodesDlg final : public CSettingsListDlg, private IEditDeptCodesUi {
    Q_OBJECT
public:
    CEditDeptCodesDlg(EditDeptCodesForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    bool RunDeptCodeEntry(EditDeptCodeForm& entry) override;
};

class CEditDeptCodeDlg final : public QDialog, private IEditGroupCodesUi {
    Q_OBJECT
public:
    CEditDeptCodeDlg(EditDeptCodeForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    bool RunGroupCodeEntry(EditGroupCodeForm& entry) override;

    EditDeptCodeForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QLineEdit* m_from;
    QLineEdit* m_to;
};

class CEditGroupCodeDlg final : public QDialog {
    Q_OBJECT
public:
    CEditGroupCodeDlg(EditGroupCodeForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    EditGroupCodeForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_code;
    QLineEdit* m_name;
};

}  // namespace varnel
