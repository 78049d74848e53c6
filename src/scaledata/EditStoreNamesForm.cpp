#include "scaledata/EditStoreNamesForm.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/FullWidthCheck.h"
#include "scaledata/UserEdits.h"

#include <algorithm>

namespace varnel {
namespace {

// The text in full-width characters where the market needs them; `converted` is set when it changed.
std::string MarketText(const std::string& text, const TextRules& rules, bool& converted)
{
    const std::optional<std::string> fullWidth = FullWidthConversion(text, rules);
    if (!fullWidth) return text;
    converted = true;
    return *fullWidth;
}

}  // namespace

EditStoreNamesForm::EditStoreNamesForm(CStoreNameTb& table, StoreEditor editor)
    : m_table(table), m_editor(std::move(editor))
{
    Fill();
}

void EditStoreNamesForm::Fill()
{
    const std::uint32_t highest = m_table.GetMaxKey();
    const char* format = highest >= 10000 ? "%06.6ld " : highest >= 100 ? "%04.4ld " : "%02.2ld ";
    m_rows.clear();
    for (std::uint32_t number = 1; number <= highest; ++number) {
        const CStoreNameRec* row = m_table.FindStore(number);
        m_rows.push_back(FormatText(format, static_cast<long>(number)) +
                         std::string(row ? row->GetName().text : GetMessageText(kMsgSpare)));
    }
    m_selection = std::clamp(m_selection, 0, std::max(0, static_cast<int>(m_rows.size()) - 1));
}

void EditStoreNamesForm::SetSelection(int index)
{
    if (index >= 0 && index < static_cast<int>(m_rows.size())) m_selection = index;
}

bool EditStoreNamesForm::UsesExtendedEditor() const
{
    const std::uint16_t market = m_table.GetRoles().Setup().m_market;
    return market == MarketThailand || market == MarketHongKong || market == MarketTaiwan;
}

void EditStoreNamesForm::OnAdd()
{
    std::uint32_t number = 1;
    while (number <= m_table.GetMaxKey() && m_table.FindStore(number)) ++number;
    if (number <= m_table.GetMaxKey()) Edit(number);
}

void EditStoreNamesForm::OnEdit()
{
    if (!m_rows.empty()) Edit(NumberOfRow(m_selection));
}

void EditStoreNamesForm::Edit(std::uint32_t number)
{
    EditStoreNameForm form(m_table, number, UsesExtendedEditor());
    if (!m_editor || !m_editor(form) || !m_table.CheckUserRights(CDBComTb::kRightUpdate, true)) return;
    bool converted = false;
    const TextRules rules = m_table.GetRoles().Text();
    const std::string name = MarketText(form.GetNameText(), rules, converted);
    const std::string address = MarketText(form.GetAddressText(), rules, converted);
    if (converted) ShowMessage(kMsgFullWidthConverted);
    const StoreText nameStyle = form.GetName();
    const StoreText addressStyle = form.GetAddress();
    bool created = false;
    const bool stored = StoreUserEdit<CStoreNameRec>(
        m_table, form.GetNumber(), CStoreNameRec::kSize,
        [&](CStoreNameRec& row) -> std::uint16_t {
            row.SetName(name, nameStyle.font, nameStyle.style);
            row.SetAddress(address, addressStyle.font, addressStyle.style);
            return CStoreNameRec::kSize;
        },
        created);
    if (!stored) return;
    Fill();
    SetSelection(static_cast<int>(form.GetNumber()) - 1);
}

void EditStoreNamesForm::OnDelete()
{
    const std::uint32_t number = NumberOfRow(m_selection);
    if (m_rows.empty() || !m_table.FindStore(number)) return;
    if (ShowMessage(kMsgDelete, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return;
    if (!DeleteUserEdit(m_table, number)) return;
    Fill();
    SetSelection(m_selection - 1);
}

}  // namespace varnel
