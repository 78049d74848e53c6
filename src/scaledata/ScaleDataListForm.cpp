// The list editors' shared rules.
#include "scaledata/ScaleDataListForm.h"

#include "platform/UserPrompt.h"

namespace varnel {
namespace {

// The position of the first row whose key is not below `key` (the row count when there is none).
std::size_t LowerBound(const CObjDBTable& table, std::uint32_t key)
{
    std::size_t low = 0;
    std::size_t high = table.GetRecordCount();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        std::uint32_t found = 0;
        (void)table.GetRecordAt(middle, found);
        if (found < key) low = middle + 1;
        else high = middle;
    }
    return low;
}

}  // namespace

ScaleDataListForm::ScaleDataListForm(CDBComTb& table) : m_table(&table) { SetMode(kCloseOnly); }

std::uint32_t ScaleDataListForm::FirstFreeNumber(const CObjDBTable& table, std::uint32_t lowest)
{
    // Rows below the lowest number (kept from when it was lower) are passed over, so the number
    // proposed is never one a row already holds.
    std::size_t position = LowerBound(table, lowest);
    std::uint32_t number = lowest;
    std::uint32_t key = 0;
    while (table.GetRecordAt(position, key) && key == number) {
        ++position;
        ++number;
    }
    return number;
}

void ScaleDataListForm::ShowButtonsByRights()
{
    Surface().EnableButton(ListButton::Delete, m_table->CheckUserRights(CDBComTb::kRightDelete, false));
    Surface().EnableButton(ListButton::Add, m_table->CheckUserRights(CDBComTb::kRightUpdate, false));
    for (const ListButton button : {ListButton::Add, ListButton::Edit, ListButton::Delete})
        Surface().ShowButton(button, m_editingAllowed);
}

std::optional<std::uint32_t> ScaleDataListForm::ProposeNumber(std::uint32_t lowest) const
{
    const std::uint32_t number = FirstFreeNumber(*m_table, lowest);
    if (number > m_table->GetMaxKey()) {
        ShowMessage(kMsgFileFull);
        return std::nullopt;
    }
    return number;
}

int ScaleDataListForm::PositionOf(std::uint32_t key) const
{
    return static_cast<int>(LowerBound(*m_table, key));
}

std::uint32_t ScaleDataListForm::KeyAt(std::size_t position) const
{
    std::uint32_t key = 0;
    return m_table->GetRecordAt(position, key) ? key : 0;
}

bool ScaleDataListForm::PositionOfRow(int index, std::size_t& position) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_table->GetRecordCount()) return false;
    position = static_cast<std::size_t>(index);
    return true;
}

std::uint32_t ScaleDataListForm::NumberOfRow(int index) const
{
    std::size_t position = 0;
    return PositionOfRow(index, position) ? KeyAt(position) : 0;
}

int ScaleDataListForm::RowOfNumber(std::uint32_t number) const
{
    return m_table->FindRecord(number) ? PositionOf(number) : -1;
}

int ScaleDataListForm::FirstSelection() const { return GetMode() == kPick ? RowOfNumber(m_chosenNumber) : 0; }

bool ScaleDataListForm::DeleteItem(int index)
{
    const std::uint32_t number = NumberOfRow(index);
    return number != 0 && ConfirmDelete(DeleteQuestion()) && DeleteNumber(number);
}

bool ScaleDataListForm::OnSelect(int index)
{
    if (const std::uint32_t number = NumberOfRow(index)) m_chosenNumber = number;
    return true;
}

bool ScaleDataListForm::ConfirmDelete(MessageId question)
{
    return ShowMessage(question, MessageButtons::OkCancel, MessageIcon::Question) == MessageAnswer::Ok;
}

}  // namespace varnel
