// The pickers on screen over PickerForm: a list, "Select" (or a double-click) and "Cancel".
//
//   CSelectScaleDlg        "Select Scale"; Select with no row ends as Cancel; an optional title
//   CSelectDeptDlg         "Select Department"; Select with no row does nothing
//   CSelectUserProfileDlg  "Select User Profile"; Select with no row ends as Cancel
#pragma once

#include <QDialog>

class QListWidget;

namespace varnel {

class PickerForm;

class CPickerDlg : public QDialog {
    Q_OBJECT
public:
    void accept() override;

protected:
    // `stayWithoutChoice`: Select with no row chosen leaves the dialog up instead of cancelling it.
    CPickerDlg(PickerForm& form, const QString& title, const char* objectName, bool stayWithoutChoice,
               QWidget* parent);

private:
    PickerForm& m_form;
    QListWidget* m_list;
    bool m_stayWithoutChoice;
};

class CSelectScaleDlg final : public CPickerDlg {
    Q_OBJECT
public:
    explicit CSelectScaleDlg(PickerForm& form, const QString& title = {}, QWidget* parent = nullptr);
};

class CSelectDeptDlg final : public CPickerDlg {
    Q_OBJECT
public:
    explicit CSelectDeptDlg(PickerForm& form, QWidget* parent = nullptr);
};

class CSelectUserProfileDlg final : public CPickerDlg {
    Q_OBJECT
public:
    explicit CSelectUserProfileDlg(PickerForm& form, QWidget* parent = nullptr);
};

}  // namespace varnel
