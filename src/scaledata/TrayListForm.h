// The model of the tray list (CTrayListDlg, on the list dialog): the trays by number with their names
// and sizes ("No." 10 %, "Name" 40 %, "Size" 40 %), edited in "Edit Tray" or picked for a PLU.
#pragma once

#include "scaledata/EditTrayForm.h"
#include "scaledata/EditedListForm.h"
#include "scaledata/TrayTb.h"

namespace varnel {

class TrayListForm final : public EditedListForm<EditTrayForm> {
public:
    static constexpr MessageId kColumnSize = 18002;
    static constexpr MessageId kMsgDelete = 61303;

    explicit TrayListForm(CTrayTb& table, EditDialog editDialog = {});

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    MessageId DeleteQuestion() const override { return kMsgDelete; }

private:
    // Runs the dialog and stores what it holds (with the update right) under its number.
    bool Edit(EditTrayForm& dialog, int& index, bool& inserted);

    CTrayTb& m_trays;
};

}  // namespace varnel
