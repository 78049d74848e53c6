// "Edit Category".
#include "scaledata/EditCategoryForm.h"

#include "platform/NumberEntry.h"
#include "scaledata/MessageTextEditForm.h"

namespace varnel {

EditCategoryForm::EditCategoryForm(std::uint32_t number, std::string_view name, std::size_t maxLength,
                                   MessageId title, const CharRule& chars)
    : m_number(number), m_numberText(std::to_string(number)), m_maxLength(maxLength), m_title(title), m_chars(chars)
{
    SetName(name);
}

std::string EditCategoryForm::GetTitle() const { return std::string(GetMessageText(m_title)); }

void EditCategoryForm::SetName(std::string_view name) { m_name = CutToWholeChars(name, m_maxLength, m_chars); }

bool EditCategoryForm::OnOK()
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(m_numberText, kLowest, kHighest);
    if (!number) return false;
    m_number = *number;
    return true;
}

}  // namespace varnel
