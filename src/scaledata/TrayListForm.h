// The model of the tray list (CTrayListDlg, on the list dialog): the trays by number with their names
// and sizes ("No." 10 %, "Name" 40 %, "Size" 40 %), edited in "Edit Tray" or picked for a PLU.
#pragma once

#include "scaledata/EditTrayForm.h"
#include "scaledata/ScaleDataListForm.h"
#include "scaledata/TrayTb.h"

#include <functional>
#include <utility>

namespace varnel {

class TrayListForm final : public ScaleDataListForm {
public:
    static constexpr MessageId kColumnSize = 18002;
    static constexpr MessageId kMsgDelete = 61303;

    // Runs "Edit Tray" over the form; true for OK.
    using EditDialog = std::function<bool(EditTrayForm&)>;

    explicit TrayListForm(CTrayTb& table, EditDialog editDialog = {});
    // The dialog the view runs; without one Add and Edit change nothing.
    void SetEditDialog(EditDialog editDialog) { m_editDialog = std::move(editDialog); }

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    void InitList(int& selIndex) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    MessageId DeleteQuestion() const override { return kMsgDelete; }

private:
    // Runs the dialog and stores what it holds (with the update right) under its number.
    bool EditAndStore(EditTrayForm& dialog, int& index, bool& inserted);

    CTrayTb& m_trays;
    EditDialog m_editDialog;
};

}  // namespace varnel
