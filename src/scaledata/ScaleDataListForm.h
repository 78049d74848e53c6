// What the list editors of the numbered scale-data texts share (messages, pop-up and origin messages,
// storage texts, department and group names): the list dialog over one table, its buttons by the
// user's rights, the number chosen in pick mode, the first free number of an Add, and the one step
// that stores a changed row, queues it for the scales and writes it to the event log (and its
// counterpart for a deletion). Each list names its columns and rows and runs its own edit dialog.
#pragma once

#include "db/plu/DBComTb.h"
#include "pluedit/SelectionListForm.h"
#include "scaledata/UserEdits.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace varnel {

class ScaleDataListForm : public SelectionListForm {
public:
    static constexpr MessageId kMsgFileFull = 61315;
    static constexpr MessageId kMsgDeleteMessage = 61229;
    static constexpr MessageId kColumnNo = 17615;
    static constexpr MessageId kColumnName = 18000;

    // Shown in close-only mode; callers that pick set kPick.
    explicit ScaleDataListForm(CDBComTb& table);

    // False hides Add, Edit and Delete.
    void SetEditingAllowed(bool allowed) { m_editingAllowed = allowed; }
    bool IsEditingAllowed() const { return m_editingAllowed; }
    // In pick mode the number selected first; after OK the number chosen.
    void SetChosenNumber(std::uint32_t number) { m_chosenNumber = number; }
    std::uint32_t GetChosenNumber() const { return m_chosenNumber; }

    CDBComTb& GetTable() const { return *m_table; }

    // The first number from `lowest` up that no row of the table holds.
    static std::uint32_t FirstFreeNumber(const CObjDBTable& table, std::uint32_t lowest);

protected:
    void SetTable(CDBComTb& table) { m_table = &table; }

    // Add needs the update right, Delete the delete right; without editing all three are hidden.
    void ShowButtonsByRights();
    // The number an Add proposes; none, after message 61315, when it lies above the table's highest.
    std::optional<std::uint32_t> ProposeNumber(std::uint32_t lowest) const;
    // The position of the key in the table's key order (where it would go when it is not there).
    int PositionOf(std::uint32_t key) const;
    // The key of the row at a position of the key order; 0 past the end.
    std::uint32_t KeyAt(std::size_t position) const;

    // The table position a list row shows; false for a row that shows none. Rows are the table's
    // rows in key order unless a list orders them otherwise.
    virtual bool PositionOfRow(int index, std::size_t& position) const;
    // The number a list row shows; 0 for none.
    std::uint32_t NumberOfRow(int index) const;
    // The list row that shows a number the table holds; -1 for none.
    virtual int RowOfNumber(std::uint32_t number) const;
    // The row of the number chosen, in pick mode; else the first row.
    int FirstSelection() const;

    // Asks the list's question and deletes the number of the row (DeleteNumber).
    bool DeleteItem(int index) override;
    virtual MessageId DeleteQuestion() const { return kMsgDeleteMessage; }
    // The number of the row becomes the number chosen.
    bool OnSelect(int index) override;

    // Stores the row of `key` as a user's edit (UserEdits.h StoreUserEdit).
    template <class Row>
    bool StoreRow(std::uint32_t key, std::size_t newSize, const std::function<std::uint16_t(Row&)>& fill,
                  bool& created)
    {
        return StoreUserEdit<Row>(*m_table, key, newSize, fill, created);
    }
    // StoreRow, then the row to show it on: the row that shows the number, inserted when it is new.
    template <class Row>
    bool StoreAndShow(std::uint32_t key, std::size_t newSize, const std::function<std::uint16_t(Row&)>& fill,
                      int& index, bool& inserted)
    {
        if (!StoreRow<Row>(key, newSize, fill, inserted)) return false;
        index = RowOfNumber(key);
        return true;
    }
    // Deletes the key as a user's edit, the scales told first (UserEdits.h DeleteUserEdit).
    bool DeleteNumber(std::uint32_t key) { return DeleteUserEdit(*m_table, key); }
    // Asks the question of a deletion (OK and Cancel); true for OK.
    static bool ConfirmDelete(MessageId question);

private:
    CDBComTb* m_table;
    bool m_editingAllowed = true;
    std::uint32_t m_chosenNumber = 0;
};

}  // namespace varnel
