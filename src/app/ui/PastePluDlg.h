// CPastePluDlg, "Paste PLU" (178): the clipboard's PLU number (1218), the number edit (103) and the
// choices "Overwrite selected PLU" (1215), "Overwrite PLU No ->" (1216), "Assign an unused PLU No."
// (1217) and Cancel (2), over a PastePluForm.
#pragma once

#include "app/PastePluForm.h"

#include <QDialog>

class QLineEdit;

namespace varnel {

class CPastePluDlg final : public QDialog {
    Q_OBJECT
public:
    CPastePluDlg(PastePluForm& form, QWidget* parent = nullptr);

private:
    void OverwriteTyped();

    PastePluForm& m_form;
    QLineEdit* m_number;
};

}  // namespace varnel
