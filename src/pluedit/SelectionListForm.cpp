// The generic list dialog's rules.
#include "pluedit/SelectionListForm.h"

namespace varnel {

namespace {

constexpr unsigned kDefaultWidthPercent = 25;

}  // namespace

void SelectionListForm::AddColumn(MessageId title, unsigned widthPercent)
{
    AddColumn(title);
    m_widths.push_back(widthPercent);
}

void SelectionListForm::AddColumn(MessageId title) { m_titles.emplace_back(GetMessageText(title)); }

std::vector<int> SelectionListForm::GetColumnWidths(int listWidth) const
{
    std::vector<int> widths;
    for (std::size_t i = 0; i < m_titles.size(); ++i) {
        const unsigned percent = i < m_widths.size() ? m_widths[i] : kDefaultWidthPercent;
        widths.push_back(static_cast<int>(static_cast<long long>(listWidth) * percent / 100));
    }
    return widths;
}

void SelectionListForm::OnInitDialog(ISelectionListSurface& surface)
{
    m_surface = &surface;
    if (m_mode == kCloseOnly || m_mode == kOkOnly || m_mode == kPick) surface.ShowButton(ListButton::Cancel, false);
    if (m_mode == kCloseOnly) surface.SetButtonText(ListButton::Ok, GetMessageText(kMsgClose));
    if (m_mode == kPick) surface.SetButtonText(ListButton::Ok, GetMessageText(kMsgSelect));
    int selIndex = 0;
    InitList(selIndex);
    surface.SetColumns(m_titles, GetColumnWidths(surface.GetListWidth()));
    FillList(selIndex);
}

bool SelectionListForm::InsertRow(int index, bool select)
{
    std::vector<std::string> texts;
    if (!GetRowText(index, texts)) return false;
    Surface().InsertRow(index, texts);
    Surface().SetRowSelected(index, select);
    return true;
}

void SelectionListForm::UpdateRow(int index, bool select)
{
    std::vector<std::string> texts;
    if (!GetRowText(index, texts)) return;
    Surface().SetRowTexts(index, texts);
    Surface().SetRowSelected(index, select);
}

void SelectionListForm::DeleteRow(int index) { Surface().DeleteRow(index); }

void SelectionListForm::FillList(int selIndex)
{
    Surface().DeleteAllRows();
    for (int index = 0; InsertRow(index, index == selIndex); ++index) {
    }
}

int SelectionListForm::GetSelectedIndex() const { return Surface().GetSelectedRow(); }

void SelectionListForm::ShowChangedRow(int index, bool inserted)
{
    if (inserted) InsertRow(index, true);
    else UpdateRow(index, true);
}

void SelectionListForm::OnAdd()
{
    int index = 0;
    bool inserted = false;
    if (AddItem(index, inserted)) ShowChangedRow(index, inserted);
}

void SelectionListForm::OnEdit()
{
    int index = GetSelectedIndex();
    if (index < 0) return;
    bool inserted = false;
    if (EditItem(index, inserted)) ShowChangedRow(index, inserted);
}

void SelectionListForm::OnDelete()
{
    const int index = GetSelectedIndex();
    if (index < 0) return;
    if (!DeleteItem(index)) {
        // A refused deletion may still have changed the item.
        UpdateRow(index, true);
        return;
    }
    DeleteRow(index);
    const int count = Surface().GetRowCount();
    if (count > 0) Surface().SetRowSelected(index < count ? index : count - 1, true);
}

ListDlgEnd SelectionListForm::Choose(int index) { return OnSelect(index) ? ListDlgEnd::Ok : ListDlgEnd::Cancel; }

ListDlgEnd SelectionListForm::OnOK()
{
    if (m_mode == kPick) {
        const int index = GetSelectedIndex();
        return index < 0 ? ListDlgEnd::Cancel : Choose(index);
    }
    if (!Surface().ListHasFocus()) return ListDlgEnd::Ok;
    OnEdit();
    return ListDlgEnd::Stay;
}

ListDlgEnd SelectionListForm::OnDblClk()
{
    if (m_mode == kPick) return Choose(GetSelectedIndex());
    OnEdit();
    return ListDlgEnd::Stay;
}

void SelectionListForm::OnItemChanged() { OnSelChange(GetSelectedIndex()); }

}  // namespace varnel
