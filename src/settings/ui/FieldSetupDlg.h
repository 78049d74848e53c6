// CFieldSetupDlg, "Field Setup" as the user editor opens it: one check box per PLU field 1000 to
// 1101 ("field1000" ...), in columns, under the form's title; OK keeps the boxes in the form.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <vector>

class QCheckBox;

namespace varnel {

class FieldSelectionForm;

class CFieldSetupDlg final : public QDialog {
    Q_OBJECT
public:
    CFieldSetupDlg(FieldSelectionForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    FieldSelectionForm& m_form;
    std::vector<QCheckBox*> m_boxes;
};

}  // namespace varnel
