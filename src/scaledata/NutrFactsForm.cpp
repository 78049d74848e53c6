// "Nutrition", standard layout.
#include "scaledata/NutrFactsForm.h"

#include "db/plu/PluDefTb.h"
#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageTextEditForm.h"
#include "scaledata/NutritionTb.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint32_t kHighestCalories = 9999;
constexpr std::uint32_t kHighestPercent = 999;

std::uint16_t& PercentOf(StandardNutrition& values, std::size_t nutrient)
{
    return values.nutrients[nutrient - 1].percent;
}

}  // namespace

NutrFactsForm::NutrFactsForm(const CPluDefTb* plus, const CNutritionTb* nutrition, const StandardNutrition& values,
                             std::uint32_t pluNumber)
    : m_plus(plus), m_nutrition(nutrition), m_values(values), m_plu(plus, nutrition, pluNumber)
{
    m_values.plu = pluNumber;
    LoadNumberTexts();
}

NutrFactsForm::NutrFactsForm(const CPluDefTb* plus, const CNutritionTb* nutrition, const StandardNutrition& values,
                             std::uint32_t nutritionNumber, std::vector<std::uint32_t> assigned, std::uint32_t currentPlu)
    : m_plus(plus), m_nutrition(nutrition), m_values(values), m_plu(plus, nutrition, currentPlu), m_shared(true),
      m_nutritionNumber(nutritionNumber), m_assigned(std::move(assigned)), m_current(currentPlu)
{
    std::ranges::sort(m_assigned);
    // std::unique: clang does not take ranges::unique's result with this standard library.
    m_assigned.erase(std::unique(m_assigned.begin(), m_assigned.end()), m_assigned.end());
    LoadNumberTexts();
}

void NutrFactsForm::LoadNumberTexts()
{
    m_numberTexts[kCalories] = std::to_string(m_values.calories);
    m_numberTexts[kFatCalories] = std::to_string(m_values.fatCalories);
    for (const Nutrient& row : kNutrients) m_numberTexts[row.percent] = std::to_string(PercentOf(m_values, row.nutrient));
    for (const Percent& row : kVitamins) m_numberTexts[row.id] = std::to_string(PercentOf(m_values, row.nutrient));
}

const std::string& NutrFactsForm::GetNumberText(int id) const
{
    static const std::string none;
    const auto found = m_numberTexts.find(id);
    return found == m_numberTexts.end() ? none : found->second;
}

void NutrFactsForm::SetNumberText(int id, std::string_view text)
{
    if (const auto found = m_numberTexts.find(id); found != m_numberTexts.end()) found->second = text;
}

std::uint32_t NutrFactsForm::HighestNumber(int id)
{
    return id == kCalories || id == kFatCalories ? kHighestCalories : kHighestPercent;
}

std::string NutrFactsForm::PluName(std::uint32_t pluNumber) const
{
    const auto* plu = m_plus ? dynamic_cast<const CPluDefRec*>(m_plus->FindRecord(pluNumber)) : nullptr;
    return plu ? std::string(plu->Get(PluCol::Name)) : std::string();
}

std::vector<std::uint32_t> NutrFactsForm::ShownPlus() const
{
    std::vector<std::uint32_t> shown;
    for (const std::uint32_t plu : m_assigned)
        if (m_plus && m_plus->FindRecord(plu)) shown.push_back(plu);
    return shown;
}

std::vector<std::string> NutrFactsForm::GetListItems() const
{
    std::vector<std::string> items;
    for (const std::uint32_t plu : ShownPlus())
        items.push_back(FormatText("%s %s", std::to_string(plu).c_str(), PluName(plu).c_str()));
    return items;
}

int NutrFactsForm::GetListSelection() const
{
    const std::vector<std::uint32_t> shown = ShownPlus();
    const auto found = std::ranges::find(shown, m_current);
    return found == shown.end() ? -1 : static_cast<int>(found - shown.begin());
}

void NutrFactsForm::OnListSelect(int index)
{
    const std::vector<std::uint32_t> shown = ShownPlus();
    if (index >= 0 && static_cast<std::size_t>(index) < shown.size()) m_current = shown[static_cast<std::size_t>(index)];
}

void NutrFactsForm::OnAssign(const PluPicker& pick)
{
    const std::optional<std::uint32_t> picked = pick ? pick(m_current) : std::nullopt;
    if (!picked) return;
    const auto place = std::ranges::lower_bound(m_assigned, *picked);
    if (place == m_assigned.end() || *place != *picked) m_assigned.insert(place, *picked);
    m_current = *picked;
}

void NutrFactsForm::OnRemove()
{
    const int position = GetListSelection();
    if (position < 0) return;
    std::erase(m_assigned, m_current);
    const std::vector<std::uint32_t> shown = ShownPlus();
    if (shown.empty()) {
        m_current = 0;
        return;
    }
    m_current = shown[std::min(static_cast<std::size_t>(position), shown.size() - 1)];
}

void NutrFactsForm::OnNewNutrition()
{
    if (m_current == 0 || !m_nutrition) return;
    const std::string question =
        FormatMessage(kMsgNewNutrition, static_cast<int>(m_current), PluName(m_current).c_str());
    if (ShowFormattedMessage(kMsgNewNutrition, question, MessageButtons::OkCancel, MessageIcon::Question) !=
        MessageAnswer::Ok)
        return;
    m_nutritionNumber = m_nutrition->GetFreeNumber(m_current);
    m_assigned = {m_current};
}

bool NutrFactsForm::OnOK()
{
    m_focus = 0;
    std::map<int, std::uint32_t> numbers;
    for (const auto& [id, text] : m_numberTexts) {
        const std::optional<std::uint32_t> number = ReadNumberInRange(text, 0, HighestNumber(id));
        if (!number) {
            m_focus = id;
            return false;
        }
        numbers[id] = *number;
    }
    std::optional<std::uint32_t> plu = m_values.plu;
    if (!m_shared) {
        plu = m_plu.Check();
        if (!plu) {
            m_focus = kPluNumber;
            return false;
        }
    } else if (m_assigned.empty() && ShowMessage(kMsgNoPlusAssigned, MessageButtons::OkCancel, MessageIcon::Question) !=
                                         MessageAnswer::Ok) {
        return false;
    }
    m_values.plu = *plu;
    const CharRule chars = m_nutrition->GetRoles().Text().chars;
    m_values.calories = static_cast<std::uint16_t>(numbers[kCalories]);
    m_values.fatCalories = static_cast<std::uint16_t>(numbers[kFatCalories]);
    for (const Nutrient& row : kNutrients) {
        PercentOf(m_values, row.nutrient) = static_cast<std::uint16_t>(numbers[row.percent]);
        std::string& content = m_values.nutrients[row.nutrient - 1].content;
        content = CutToWholeChars(content, row.contentChars, chars);
    }
    for (const Percent& row : kVitamins) PercentOf(m_values, row.nutrient) = static_cast<std::uint16_t>(numbers[row.id]);
    m_values.serveSize = CutToWholeChars(m_values.serveSize, kServeSizeChars, chars);
    m_values.serveCont = CutToWholeChars(m_values.serveCont, kServeContChars, chars);
    return true;
}

}  // namespace varnel
