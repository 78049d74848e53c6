#include "scaledata/EditStoreNameForm.h"

#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageTextEditForm.h"
#include "scaledata/StoreNameTb.h"

namespace varnel {
namespace {

constexpr MessageId kMsgTitle = 20407;  // the table's caption

}  // namespace

EditStoreNameForm::EditStoreNameForm(const CStoreNameTb& table, std::uint32_t number, bool extended)
    : m_table(table), m_extended(extended), m_openingNumber(number), m_number(number),
      m_numberText(std::to_string(number))
{
    if (const CStoreNameRec* row = table.FindStore(number)) {
        const StoreText name = row->GetName();
        const StoreText address = row->GetAddress();
        m_nameText = name.text;
        m_addressText = address.text;
        m_nameFont = name.font;
        m_nameStyle = name.style;
        m_addressFont = address.font;
        m_addressStyle = address.style;
    }
}

std::string EditStoreNameForm::GetTitle() const { return std::string(GetMessageText(kMsgTitle)); }

std::vector<std::string> EditStoreNameForm::FontEntries()
{
    std::vector<std::string> entries{"Standard", "Large (Double Width)"};
    for (int font = 2; font <= 7; ++font) entries.push_back(FormatText("Font %d", font));
    return entries;
}

void EditStoreNameForm::SetNameText(std::string_view text)
{
    m_nameText = CutToWholeChars(text, CStoreNameRec::kTextMax, m_table.GetRoles().Text().chars);
}

void EditStoreNameForm::SetAddressText(std::string_view text)
{
    m_addressText = CutToWholeChars(text, CStoreNameRec::kTextMax, m_table.GetRoles().Text().chars);
}

bool EditStoreNameForm::Refuse(Focus focus)
{
    m_refusedFocus = focus;
    return false;
}

bool EditStoreNameForm::OnOK()
{
    m_refusedFocus = Focus::None;
    const std::optional<std::uint32_t> number = ReadNumberInRange(m_numberText, m_table.GetMinKey(), m_table.GetMaxKey());
    if (!number) return Refuse(Focus::Number);
    if (*number != m_openingNumber && m_table.FindStore(*number) &&
        ShowMessage(kMsgOverwrite, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return Refuse(Focus::Number);
    if (!m_extended) {
        const bool usa = m_table.GetRoles().Setup().m_market == MarketUsa;
        if (usa && m_nameFont == kLargeFont && m_nameText.size() > kLargeNameMax) {
            ShowMessageText(kTooLongForLargeFont);
            return Refuse(Focus::Name);
        }
    } else {
        const auto fits = [](const std::string& text, std::uint8_t font) {
            return text.size() <= (font == kLargeFont ? kDoubleWidthMax : kStandardMax);
        };
        if (!fits(m_nameText, m_nameFont) || !fits(m_addressText, m_addressFont)) {
            ShowMessage(kMsgTooLongForFont);
            return Refuse(fits(m_nameText, m_nameFont) ? Focus::Address : Focus::Name);
        }
        if (m_nameText.size() + m_addressText.size() > kTogetherMax) {
            ShowMessage(kMsgTooLongTogether);
            return Refuse(Focus::Name);
        }
    }
    m_number = *number;
    return true;
}

}  // namespace varnel
