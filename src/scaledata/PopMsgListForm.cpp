// The pop-up and origin message list.
#include "scaledata/PopMsgListForm.h"

#include "platform/TextFormat.h"
#include "scaledata/PopMsgText.h"

namespace varnel {

PopMsgListForm::PopMsgListForm(CPopMsgTb& table, EditDialog editDialog)
    : EditedListForm(table, std::move(editDialog)), m_messages(table)
{
    AddColumn(kColumnNo, 10);
    AddColumn(kColumnName, 89);
}

std::size_t PopMsgListForm::PseudoRows() const
{
    return GetMode() == kPick && m_messages.GetKind() == CPopMsgTb::kPop ? m_messages.GetMinKey() : 0;
}

bool PopMsgListForm::IsPseudoRow(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < PseudoRows();
}

bool PopMsgListForm::PositionOfRow(int index, std::size_t& position) const
{
    return !IsPseudoRow(index) &&
           ScaleDataListForm::PositionOfRow(index - static_cast<int>(PseudoRows()), position);
}

int PopMsgListForm::RowOfNumber(std::uint32_t number) const
{
    if (number < PseudoRows()) return static_cast<int>(number);
    const int row = ScaleDataListForm::RowOfNumber(number);
    return row < 0 ? row : row + static_cast<int>(PseudoRows());
}

bool PopMsgListForm::GetRowText(int index, std::vector<std::string>& texts)
{
    if (IsPseudoRow(index)) {
        texts.push_back(index == 0 ? "0" : FormatText("%02.2d", index));
        texts.emplace_back(GetMessageText(index == 0 ? kMsgNoPop : kMsgPredefinedPop));
        return true;
    }
    const CPopMsgRec* row = m_messages.FindMessage(NumberOfRow(index));
    if (!row) return false;
    DescLine line;
    (void)m_messages.GetDescLine(*row, 0, kRowTextMax, line, m_messages.GetRoles().Text().chars);
    texts.push_back(FormatText("%02.2d", static_cast<int>(row->GetKey())));
    texts.push_back(std::move(line.text));
    return true;
}

bool PopMsgListForm::Edit(EditPopMsgForm& dialog, int& index, bool& inserted)
{
    return EditAndStore<CPopMsgRec>(
        dialog, [&dialog](CPopMsgRec& row) { return FillMessageRow(dialog, row); }, index, inserted);
}

bool PopMsgListForm::AddItem(int& index, bool& inserted)
{
    const std::optional<std::uint32_t> number = ProposeNumber(m_messages.GetMinKey());
    if (!number) return false;
    EditPopMsgForm dialog(m_messages, *number, Measure());
    dialog.SetText({}, m_messages.GetRoles().Setup().GetLabelWidth(1));
    return Edit(dialog, index, inserted);
}

bool PopMsgListForm::EditItem(int& index, bool& inserted)
{
    const CPopMsgRec* row = m_messages.FindMessage(NumberOfRow(index));
    if (!row) return false;
    EditPopMsgForm dialog(m_messages, row->GetKey(), Measure());
    const bool effects = EditPopMsgForm::TakesEffects(m_messages.GetRoles().Setup().m_defaultScaleFamily);
    dialog.SetText(effects ? std::string(row->GetText()) : WrapStyleTwo(row->GetText()), row->GetLabelWidth());
    return Edit(dialog, index, inserted);
}

bool PopMsgListForm::OnSelect(int index)
{
    if (IsPseudoRow(index)) {
        SetChosenNumber(static_cast<std::uint32_t>(index));
        return true;
    }
    return ScaleDataListForm::OnSelect(index);
}

void PopMsgListForm::OnSelChange(int index)
{
    if (!IsEditingAllowed()) return;
    Surface().EnableButton(ListButton::Edit, !IsPseudoRow(index));
    Surface().EnableButton(ListButton::Delete,
                           !IsPseudoRow(index) && m_messages.CheckUserRights(CDBComTb::kRightDelete, false));
}

}  // namespace varnel
