// The model of the pop-up and origin message list (CPopMsgListDlg): the messages of one table, edited
// in "Edit POP Message". Picking a POP message for a PLU, the list opens with a row for each number
// below the table's lowest: "0" (no POP message) and the numbers the scales predefine, which can be
// picked but not edited or deleted.
#pragma once

#include "scaledata/EditPopMsgForm.h"
#include "scaledata/EditedListForm.h"
#include "scaledata/PopMsgTb.h"

namespace varnel {

class PopMsgListForm final : public EditedListForm<EditPopMsgForm> {
public:
    static constexpr MessageId kMsgDeletePop = 31482;
    static constexpr MessageId kMsgNoPop = 18097;
    static constexpr MessageId kMsgPredefinedPop = 18098;
    // The first line of a text shown in the list.
    static constexpr std::size_t kRowTextMax = 63;

    explicit PopMsgListForm(CPopMsgTb& table, EditDialog editDialog = {});

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    bool OnSelect(int index) override;
    void OnSelChange(int index) override;
    MessageId DeleteQuestion() const override { return kMsgDeletePop; }
    bool PositionOfRow(int index, std::size_t& position) const override;
    int RowOfNumber(std::uint32_t number) const override;

private:
    // Rows before the messages: none but in pick mode on the POP table.
    std::size_t PseudoRows() const;
    bool IsPseudoRow(int index) const;
    // Runs the dialog and, on OK and with the update right, stores what it holds.
    bool Edit(EditPopMsgForm& dialog, int& index, bool& inserted);

    CPopMsgTb& m_messages;
};

}  // namespace varnel
