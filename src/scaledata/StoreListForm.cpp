#include "scaledata/StoreListForm.h"

#include "db/text/DbcsString.h"
#include "db/text/DescText.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

using namespace store_setup_columns;

// The lines of a label text without their codes, one blank between them, cut to the row's width.
std::string PlainText(std::string_view text, const CharRule& chars)
{
    std::string plain;
    for (std::size_t line = 0; line < CountDescLines(text); ++line) {
        if (line != 0) plain += ' ';
        plain += ExtractDescLine(text, line, StoreListForm::kRowTextMax, chars);
    }
    return std::string(DbcsLeft(plain, StoreListForm::kRowTextMax, chars));
}

}  // namespace

StoreListForm::StoreListForm(CStoreSetupTb& table, EditDialog editDialog)
    : EditedListForm(table, std::move(editDialog)), m_stores(table)
{
    AddColumn(kColumnNo, 10);
    AddColumn(kColumnName, 40);
    AddColumn(kColumnAddress, 40);
}

bool StoreListForm::GetRowText(int index, std::vector<std::string>& texts)
{
    const CStoreSetupRec* store = m_stores.FindStore(NumberOfRow(index));
    if (!store) return false;
    const CharRule chars = m_stores.GetRoles().Text().chars;
    texts.push_back(FormatText("%04.4d", static_cast<int>(store->GetKey())));
    texts.push_back(PlainText(store->Get(kName), chars));
    texts.push_back(PlainText(store->Get(kAddress), chars));
    return true;
}

bool StoreListForm::Edit(StoreSettingsForm& dialog, int& index, bool& inserted)
{
    return EditAndStore<CStoreSetupRec>(
        dialog,
        [&dialog](CStoreSetupRec& row) -> std::uint16_t {
            row.CopyDataFrom(dialog.GetValues());
            row.Set(kName, dialog.GetNameText());
            row.Set(kAddress, dialog.GetAddressText());
            return CStoreSetupRec::kSize;
        },
        index, inserted);
}

bool StoreListForm::AddItem(int& index, bool& inserted)
{
    const std::optional<std::uint32_t> number = ProposeNumber(m_stores.GetMinKey());
    if (!number) return false;
    StoreSettingsForm dialog(*number, CStoreSetupRec{}, m_stores.GetRoles(), Measure());
    return Edit(dialog, index, inserted);
}

bool StoreListForm::EditItem(int& index, bool& inserted)
{
    const CStoreSetupRec* store = m_stores.FindStore(NumberOfRow(index));
    if (!store) return false;
    StoreSettingsForm dialog(store->GetKey(), *store, m_stores.GetRoles(), Measure());
    return Edit(dialog, index, inserted);
}

}  // namespace varnel
