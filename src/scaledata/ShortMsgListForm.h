// The model of the storage message list (CShortMsgListDlg): the storage temperature or storage
// instruction texts by number and name, edited in "Edit Short Message" or picked for a caller.
#pragma once

#include "scaledata/EditShortMsgForm.h"
#include "scaledata/EditedListForm.h"
#include "scaledata/ShortMsgTb.h"

namespace varnel {

class ShortMsgListForm final : public EditedListForm<EditShortMsgForm> {
public:
    explicit ShortMsgListForm(CShortMsgTb& table, EditDialog editDialog = {});

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;

private:
    // Runs the dialog and, on OK and with the update right, stores what it holds.
    bool Edit(EditShortMsgForm& dialog, int& index, bool& inserted);

    CShortMsgTb& m_messages;
};

}  // namespace varnel
