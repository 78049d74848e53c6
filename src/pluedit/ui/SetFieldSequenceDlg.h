// CSetFieldSequenceDlg, "Set Field Sequence": the fields' names in list 1095, "&Up" (1093) and
// "&Down" (1094) moving the selected one, OK (1) and Cancel (2), over a SetFieldSequenceForm whose
// order the caller reads after OK.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/SetFieldSequenceForm.h"

#include <QDialog>

class QListWidget;

namespace varnel {

class CSetFieldSequenceDlg final : public QDialog {
    Q_OBJECT
public:
    CSetFieldSequenceDlg(SetFieldSequenceForm& form, CodePage codePage, QWidget* parent = nullptr);

private:
    void ShowFields();

    SetFieldSequenceForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
};

}  // namespace varnel
