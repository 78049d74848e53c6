// CSelectPluRangeDlg, "Select PLUs": From (1060) and To (1061) PLU numbers, each with "Select..."
// (1062, 1063) that runs the caller's PLU picker on the number in its edit, "Delete &All" (1270), OK
// (1) and Cancel (2), over a SelectPluRangeForm; the heading 1064 is the caller's when it gave one.
#pragma once

#include "pluedit/SelectPluRangeForm.h"
#include "pluedit/ui/SelectPluDlg.h"

#include <QDialog>

class QLineEdit;

namespace varnel {

class CSelectPluRangeDlg final : public QDialog {
    Q_OBJECT
public:
    CSelectPluRangeDlg(SelectPluRangeForm& form, PluPicker pickPlu, QWidget* parent = nullptr);

    void accept() override;

private:
    void Pick(QLineEdit* edit);

    SelectPluRangeForm& m_form;
    PluPicker m_pickPlu;
    QLineEdit* m_from;
    QLineEdit* m_to;
};

}  // namespace varnel
