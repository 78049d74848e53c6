// The model of the store list (CStoreListDlg, on the list dialog): the store settings by number with
// their name and address as plain text ("No." 10 %, "Name" 40 %, "Address" 40 %), edited in "Store
// Settings" or picked.
#pragma once

#include "scaledata/EditedListForm.h"
#include "scaledata/StoreSettingsForm.h"
#include "scaledata/StoreSetupTb.h"

namespace varnel {

class StoreListForm final : public EditedListForm<StoreSettingsForm> {
public:
    static constexpr MessageId kColumnAddress = 18001;
    static constexpr MessageId kMsgDelete = 61243;
    static constexpr std::size_t kRowTextMax = 63;

    explicit StoreListForm(CStoreSetupTb& table, EditDialog editDialog = {});

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    MessageId DeleteQuestion() const override { return kMsgDelete; }

private:
    // Runs the dialog and stores what it holds (with the update right) under its number.
    bool Edit(StoreSettingsForm& dialog, int& index, bool& inserted);

    CStoreSetupTb& m_stores;
};

}  // namespace varnel
