// The model of the department and group name list (CRuxDeptListDlg): the names of the comma-separated
// families' departments or groups, edited in "Edit Category" or picked for a PLU. A name is stored as
// a one-line text in font 0, ESC 'C' '0' and at most 26 characters; the list ends at a row whose text
// does not open that way.
#pragma once

#include "scaledata/EditCategoryForm.h"
#include "scaledata/EditedListForm.h"
#include "scaledata/RuxDeptTb.h"

namespace varnel {

class RuxDeptListForm final : public EditedListForm<EditCategoryForm> {
public:
    static constexpr std::size_t kNameMax = 26;
    static constexpr MessageId kMsgEditDepartment = 17621;
    static constexpr MessageId kMsgEditGroup = 17622;

    explicit RuxDeptListForm(CRuxDeptTb& table, EditDialog editDialog = {});

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    bool OnSelect(int index) override;

private:
    MessageId EditTitle() const;
    // The row of the list row, when its text opens a line.
    const CRuxDeptRec* NamedRow(int index) const;
    // Runs the dialog and, on OK and with the update right, stores what it holds.
    bool Edit(EditCategoryForm& dialog, int& index, bool& inserted);

    CRuxDeptTb& m_names;
};

}  // namespace varnel
