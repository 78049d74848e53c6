// The model of the message list (CExMsgListDlg, "Select Extra Message"): the messages of one message
// table, with tabs for the other sets of its family (the extra-message sets in use, the five free
// message sets), sorted by number or by name, edited in "Edit Message" or picked for a caller. A
// message that a host-controlled PLU names (a coupon, or an extra message of any set) cannot be
// changed or deleted.
#pragma once

#include "scaledata/EditExMsgForm.h"
#include "scaledata/EditedListForm.h"
#include "scaledata/ExMsgTb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

class CPluDatabase;

class ExMsgListForm final : public EditedListForm<EditExMsgForm> {
public:
    static constexpr MessageId kMsgHostControlled = 31502;
    static constexpr MessageId kMsgExtraTab = 17554;  // "Extra Msg #1", then #2 and #3
    static constexpr MessageId kMsgFreeTab = 17614;   // "Free Msg. #%d"
    enum SortMode { kByNumber = 0, kByName = 1 };
    static constexpr const char* kSortEntries[] = {"Msg. No.", "Description"};

    // `extraSetsInUse`: which of the three extra-message sets the site's scales carry.
    ExMsgListForm(CPluDatabase& database, CExMsgTb& table, std::array<bool, 3> extraSetsInUse,
                  EditDialog editDialog = {});
    // The tabs (close-only mode): labels, and the one shown. None when the control is hidden.
    const std::vector<std::string>& GetTabs() const { return m_tabLabels; }
    int GetCurrentTab() const { return m_currentTab; }
    void OnTabChange(int tab);
    // The sort combo 1276.
    int GetSortMode() const { return m_sortMode; }
    void OnSortChange(int mode);

    CExMsgTb& GetMessageTable() const { return *m_messages; }

    // A message that a PLU with both host control flags names: a coupon as its coupon, a message of
    // the extra-message sets as its extra message.
    static bool IsHostControlled(const CPluDatabase& database, std::uint32_t kind, std::uint32_t number);

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    void InitList(int& selIndex) override;
    bool AddItem(int& index, bool& inserted) override;
    bool EditItem(int& index, bool& inserted) override;
    bool DeleteItem(int index) override;
    bool PositionOfRow(int index, std::size_t& position) const override;
    int RowOfNumber(std::uint32_t number) const override;

private:
    void BuildTabs(std::array<bool, 3> extraSetsInUse);
    // The tab of the table shown, or the first tab's table when none shows it.
    void ShowTabOfTable();
    void BuildNameOrder();
    bool IsHostControlled(std::uint32_t number) const;
    // Stores what the dialog holds under its number and names the row to insert or rewrite; false
    // when nothing was stored, or when the name order was filled again and the list shows it already.
    bool Store(const EditExMsgForm& dialog, int& index, bool& inserted);
    std::uint16_t NewLabelWidth() const;

    CPluDatabase& m_database;
    CExMsgTb* m_messages;
    std::vector<std::string> m_tabLabels;
    std::vector<std::uint16_t> m_tabTables;
    int m_currentTab = -1;
    int m_sortMode = kByNumber;
    std::vector<std::size_t> m_nameOrder;  // table positions in name order
};

}  // namespace varnel
