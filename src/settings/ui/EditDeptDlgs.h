// The department dialogs on screen:
//
//   CEditDeptSettingsDlg  "Edit Department Settings" over EditDeptSettingsForm (the list), with
//                         "*: Current department" under it
//   CEditDeptDlg          "Edit Department Settings" over EditDeptForm (the entry): "name", the
//                         "database" text with "change", the "scales" list with "addScale" and
//                         "deleteScale"; "&Add" opens Select Scale
#pragma once

#include "settings/EditDeptSettingsForm.h"
#include "settings/ui/SettingsListDlg.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace varnel {

class CEditDeptSettingsDlg final : public CSettingsListDlg, private IEditDeptUi {
    Q_OBJECT
public:
    CEditDeptSettingsDlg(EditDeptSettingsForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    bool RunDeptEntry(EditDeptForm& entry) override;
};

class CEditDeptDlg final : public QDialog {
    Q_OBJECT
public:
    CEditDeptDlg(EditDeptForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    void ShowScales();

    EditDeptForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_name;
    QLabel* m_database;
    QListWidget* m_scales;
};

}  // namespace varnel
