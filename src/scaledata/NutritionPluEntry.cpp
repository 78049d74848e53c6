// The PLU number of a nutrition dialog.
#include "scaledata/NutritionPluEntry.h"

#include "db/plu/PluDefTb.h"
#include "db/text/PriceText.h"
#include "platform/UserPrompt.h"
#include "scaledata/NutritionTb.h"

namespace varnel {

const CNutritionRowBase* PickNutritionRow(const CNutritionTb* nutrition, const PluPicker& pick,
                                          std::uint32_t current)
{
    const std::optional<std::uint32_t> picked = pick ? pick(current) : std::nullopt;
    if (!picked) return nullptr;
    const CNutritionRowBase* row = nutrition ? nutrition->FindNutrition(*picked) : nullptr;
    if (!row) ShowMessage(kMsgNoNutrition);
    return row;
}

NutritionPluEntry::NutritionPluEntry(const CPluDefTb* plus, const CNutritionTb* nutrition, std::uint32_t openedPlu)
    : m_plus(plus), m_nutrition(nutrition), m_openedPlu(openedPlu), m_text(std::to_string(openedPlu))
{
    ShowName(openedPlu);
}

void NutritionPluEntry::ShowName(std::uint32_t pluNumber)
{
    const auto* plu = m_plus ? dynamic_cast<const CPluDefRec*>(m_plus->FindRecord(pluNumber)) : nullptr;
    m_name = plu ? std::string(plu->Get(PluCol::Name)) : std::string();
}

void NutritionPluEntry::OnSelect(const PluPicker& pick)
{
    std::int32_t typed = 0;
    const std::uint32_t current = ParsePrice(m_text, 0, 0, typed) ? static_cast<std::uint32_t>(typed) : m_openedPlu;
    const std::optional<std::uint32_t> picked = pick ? pick(current) : std::nullopt;
    if (!picked) return;
    m_text = std::to_string(*picked);
    ShowName(*picked);
}

std::optional<std::uint32_t> NutritionPluEntry::Check() const
{
    std::int32_t typed = 0;
    if (!ParsePrice(m_text, 0, 0, typed)) {
        ShowMessage(kMsgNotNumeric);
        return std::nullopt;
    }
    const auto pluNumber = static_cast<std::uint32_t>(typed);
    if (pluNumber == m_openedPlu) return pluNumber;
    if (!m_plus || !m_plus->FindRecord(pluNumber)) {
        ShowMessage(kMsgNoSuchPlu);
        return std::nullopt;
    }
    if (m_nutrition && m_nutrition->FindNutrition(pluNumber) &&
        ShowMessage(kMsgAlreadySet, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok)
        return std::nullopt;
    return pluNumber;
}

}  // namespace varnel
