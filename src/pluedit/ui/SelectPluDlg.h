// CSelectPluDlg, "Select PLU": the PLU picker on screen over a SelectPluForm. The PLU number edit
// 103 and the POS code edit 102 search as the user types and hand the paging and arrow keys to the
// list; the search combo 123 finds PLUs by name, the department and group combos 1014 and 1015 and
// the sort combo 1276 filter and order the list. "Select" (1), Enter or a double click on the list
// ends it with OK; "&Cancel" (2) without.
//
// MakePluPicker gives the "Select..." buttons of other dialogs a picker to run.
#pragma once

#include "pluedit/SelectPluForm.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

namespace varnel {

class CPluListPanel;

class CSelectPluDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSelectPluDlg(SelectPluForm& form, QWidget* parent = nullptr);

    CPluListPanel& Panel() const { return *m_panel; }
    void accept() override;

private:
    SelectPluForm& m_form;
    CPluListPanel* m_panel;
};

// Runs "Select PLU" on the caller's PLU number; the PLU current in its list after OK, none after
// Cancel or when the list had none.
PluPicker MakePluPicker(CPluDefTb* plus, const CDeptCodeList& departments, const PluListSettings& settings,
                        QWidget* parent);

}  // namespace varnel
