#include "scaledata/TrayListForm.h"

#include "platform/TextFormat.h"

namespace varnel {

using namespace tray_columns;

TrayListForm::TrayListForm(CTrayTb& table, EditDialog editDialog)
    : EditedListForm(table, std::move(editDialog)), m_trays(table)
{
    AddColumn(kColumnNo, 10);
    AddColumn(kColumnName, 40);
    AddColumn(kColumnSize, 40);
}

bool TrayListForm::GetRowText(int index, std::vector<std::string>& texts)
{
    const CTrayRec* tray = m_trays.FindTray(NumberOfRow(index));
    if (!tray) return false;
    texts.push_back(FormatText("%04.4d", static_cast<int>(tray->GetKey())));
    texts.emplace_back(tray->Get(kName));
    texts.push_back(FormatText("%d(L) x %d(W) x %d(H)", tray->Get(kLength), tray->Get(kWidth), tray->Get(kHeight)));
    return true;
}

bool TrayListForm::Edit(EditTrayForm& dialog, int& index, bool& inserted)
{
    return EditAndStore<CTrayRec>(
        dialog,
        [&dialog](CTrayRec& row) -> std::uint16_t {
            row.CopyDataFrom(dialog.GetValues());
            return CTrayRec::kSize;
        },
        index, inserted);
}

bool TrayListForm::AddItem(int& index, bool& inserted)
{
    const std::optional<std::uint32_t> number = ProposeNumber(m_trays.GetMinKey());
    if (!number) return false;
    CTrayRec defaults;
    defaults.SetEditorDefaults();
    EditTrayForm dialog(*number, defaults, m_trays.GetRoles());
    return Edit(dialog, index, inserted);
}

bool TrayListForm::EditItem(int& index, bool& inserted)
{
    const CTrayRec* tray = m_trays.FindTray(NumberOfRow(index));
    if (!tray) return false;
    EditTrayForm dialog(tray->GetKey(), *tray, m_trays.GetRoles());
    return Edit(dialog, index, inserted);
}

}  // namespace varnel
