// The two small name dialogs: "Edit Category" (CEditCategoryDlg: the number 1151 and the name 1004 of
// a department or group) and "Edit Free Message Names" (CEditFreeMsgNamesDlg: the five free-message
// sets' names, edits 1150 to 1154).
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace varnel {

class CEditFreeMsgNamesForm;
class EditCategoryForm;

class CEditCategoryDlg final : public QDialog {
    Q_OBJECT
public:
    CEditCategoryDlg(EditCategoryForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    EditCategoryForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_number;
    QLineEdit* m_name;
};

class CEditFreeMsgNamesDlg final : public QDialog {
    Q_OBJECT
public:
    CEditFreeMsgNamesDlg(CEditFreeMsgNamesForm& form, CodePage codePage, QWidget* parent = nullptr);

    // Stores the names; a name that cannot be stored leaves the dialog open.
    void accept() override;

private:
    CEditFreeMsgNamesForm& m_form;
    CodePage m_codePage;
    std::array<QLineEdit*, 5> m_names{};
};

}  // namespace varnel
