// The storage message list.
#include "scaledata/ShortMsgListForm.h"

#include "platform/TextFormat.h"

namespace varnel {

ShortMsgListForm::ShortMsgListForm(CShortMsgTb& table, EditDialog editDialog)
    : EditedListForm(table, std::move(editDialog)), m_messages(table)
{
    AddColumn(kColumnNo, 10);
    AddColumn(kColumnName, 89);
}

bool ShortMsgListForm::GetRowText(int index, std::vector<std::string>& texts)
{
    const CShortMsgRec* row = m_messages.FindMessage(NumberOfRow(index));
    if (!row) return false;
    texts.push_back(FormatText("%02.2d", static_cast<int>(row->GetKey())));
    texts.emplace_back(row->GetName());
    return true;
}

bool ShortMsgListForm::Edit(EditShortMsgForm& dialog, int& index, bool& inserted)
{
    return EditAndStore<CShortMsgRec>(
        dialog, [&dialog](CShortMsgRec& row) { return FillMessageRow(dialog, row); }, index, inserted);
}

bool ShortMsgListForm::AddItem(int& index, bool& inserted)
{
    const std::optional<std::uint32_t> number = ProposeNumber(m_messages.GetMinKey());
    if (!number) return false;
    EditShortMsgForm dialog(m_messages, *number, Measure());
    dialog.SetName(FormatMessage(MessageTextEditForm::kMsgDefaultName, static_cast<long>(*number)));
    dialog.SetText({}, m_messages.GetRoles().Setup().GetLabelWidth(1));
    return Edit(dialog, index, inserted);
}

bool ShortMsgListForm::EditItem(int& index, bool& inserted)
{
    const CShortMsgRec* row = m_messages.FindMessage(NumberOfRow(index));
    if (!row) return false;
    EditShortMsgForm dialog(m_messages, row->GetKey(), Measure());
    dialog.SetName(row->GetName());
    dialog.SetText(row->GetText(), row->GetLabelWidth());
    return Edit(dialog, index, inserted);
}

}  // namespace varnel
