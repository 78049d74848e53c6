// The model of the storage message list (CShortMsgListDlg): the storage temperature or storage
// instruction texts by number and name, edited in "Edit Short Message" or picked for a caller.
#pragma once

#include "scaledata/EditShortMsgForm.h"
#include "scaledata/ScaleDataListForm.h"
#include "scaledata/ShortMsgTb.h"

#include <functional>
#include <utility>

namespace varnel {

class ShortMsgListForm final : public ScaleDataListForm {
public:
    using EditDialog = std::function<bool(EditShortMsgForm&)>;

    ShortMsgListForm(CShortMsgTb& table, EditDialog editDialog = {});
    // Runs the edit dialog; without one, Add and Edit change nothing.
    void SetEditDialog(EditDialog editDialog) { m_editDialog = std::move(editDialog); }

    void SetTextMeasure(const ILabelTextMeasure* measure) { m_measure = measure; }

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    void InitList(int& selIndex) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;

private:
    // Runs the dialog and, on OK and with the update right, stores what it holds.
    bool Edit(EditShortMsgForm& dialog, int& index, bool& inserted);

    CShortMsgTb& m_messages;
    EditDialog m_editDialog;
    const ILabelTextMeasure* m_measure = nullptr;
};

}  // namespace varnel
