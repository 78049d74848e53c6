// The controls a host of the PLU list panel gives it, by the ids the panel looks for: the PLU number
// (103) and POS code (102) search edits, the search (123), department (1014), group (1015) and sort
// (1276) combos with their labels, laid out in a grid, and the row of column headers that stands
// above the panel. "Select PLU" and the PLU list window both use them.
#pragma once

class QComboBox;
class QGridLayout;
class QLayout;
class QLineEdit;
class QWidget;

namespace varnel {

class CPluListPanel;

struct PluSearchControls {
    QGridLayout* fields = nullptr;  // the edits and combos with their labels, for the host's layout
    QWidget* headers = nullptr;     // to stand right above the panel
    QLineEdit* pluNo = nullptr;
    QLineEdit* posCode = nullptr;
    QComboBox* search = nullptr;
    QComboBox* dept = nullptr;
    QComboBox* group = nullptr;
    QComboBox* sort = nullptr;
};

// Made as children of `host`, the edits handing their paging keys to `panel`; tab order from the PLU
// number edit to the sort combo.
PluSearchControls MakePluSearchControls(CPluListPanel& panel, QWidget* host);

// The host's layout: the controls with the host's `buttons` at their right, then the headers and the
// panel taking the rest.
void LayOutPluListHost(QWidget& host, const PluSearchControls& controls, QLayout* buttons, QWidget& panel);

}  // namespace varnel
