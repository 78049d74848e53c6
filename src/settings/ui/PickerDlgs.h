// The pickers on screen over PickerForm: a list, "Select" (or a double-click) and "Cancel".
//
//   CSelectScaleDlg        "Select Scale"; Select with no row ends as Cancel; an optional title; with a
//                          way to add one, "&New Scale" adds a scale to the caller's list and chooses it
//   CSelectDeptDlg         "Select Department"; Select with no row does nothing
//   CSelectUserProfileDlg  "Select User Profile"; Select with no row ends as Cancel
//   CChangeDeptDlg         "Change Department" (dialog 209); Select with no row still ends as Select
#pragma once

#include <QDialog>

#include <cstddef>
#include <functional>
#include <optional>

class QLayout;
class QListWidget;

namespace varnel {

class PickerForm;

class CPickerDlg : public QDialog {
    Q_OBJECT
public:
    void accept() override;

protected:
    // What Select does while no row is chosen.
    enum class WithoutChoice { Cancel, Stay, Select };

    QLayout* ButtonColumn() const { return m_buttons; }
    PickerForm& Form() { return m_form; }
    CPickerDlg(PickerForm& form, const QString& title, const char* objectName, WithoutChoice withoutChoice,
               QWidget* parent);

private:
    PickerForm& m_form;
    QListWidget* m_list;
    QLayout* m_buttons;
    WithoutChoice m_withoutChoice;
};

class CSelectScaleDlg final : public CPickerDlg {
    Q_OBJECT
public:
    // `addScale`: runs the dialog that makes a new scale and gives its index in the caller's list (none
    // when cancelled); without it there is no "&New Scale".
    using AddScale = std::function<std::optional<std::size_t>()>;
    explicit CSelectScaleDlg(PickerForm& form, const QString& title = {}, AddScale addScale = {},
                             QWidget* parent = nullptr);
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

class CChangeDeptDlg final : public CPickerDlg {
    Q_OBJECT
public:
    explicit CChangeDeptDlg(PickerForm& form, QWidget* parent = nullptr);
};

}  // namespace varnel
