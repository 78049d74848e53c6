// The PLU number of a nutrition dialog that edits one PLU's row (the facts dialog's template 174 and
// the custom nutrition dialog): the number typed, "Select..." that picks one and shows its name, and
// the checks OK makes when the number differs from the one the dialog opened with.
#pragma once

#include "pluedit/SelectPluForm.h"
#include "platform/Messages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

class CNutritionRowBase;
class CNutritionTb;
class CPluDefTb;

constexpr MessageId kMsgNoNutrition = 61398;

// "Copy From..." of the nutrition dialogs: the row of the PLU picked (the picker opened on
// `current`); none when the user cancelled, and after 61398 when the PLU has no row.
const CNutritionRowBase* PickNutritionRow(const CNutritionTb* nutrition, const PluPicker& pick,
                                          std::uint32_t current);
// The values of the row picked so, of the row class `Row`, into the values a dialog edits, which keep
// their own PLU; false when nothing was copied.
template <class Row, class Values>
bool CopyPickedNutrition(const CNutritionTb* nutrition, const PluPicker& pick, Values& values)
{
    const auto* row = dynamic_cast<const Row*>(PickNutritionRow(nutrition, pick, values.plu));
    if (!row) return false;
    const std::uint32_t plu = values.plu;
    values = row->GetValues();
    values.plu = plu;
    return true;
}

class NutritionPluEntry {
public:
    static constexpr MessageId kMsgNotNumeric = 61236;
    static constexpr MessageId kMsgAlreadySet = 61393;
    static constexpr MessageId kMsgNoSuchPlu = 61394;

    NutritionPluEntry(const CPluDefTb* plus, const CNutritionTb* nutrition, std::uint32_t openedPlu);

    const std::string& GetText() const { return m_text; }
    void SetText(std::string_view text) { m_text = text; }
    // The name of the PLU last chosen (its 30 characters); empty when the table lacks it.
    const std::string& GetName() const { return m_name; }
    // "Select...": the picked PLU becomes the number and its name is shown.
    void OnSelect(const PluPicker& pick);

    // The number typed: unreadable gives 61236; when it differs from the opened one, a PLU the
    // table lacks gives 61394, and one with a nutrition row of its own asks 61393 (Cancel refuses).
    // None keeps the dialog open with the focus on the number.
    std::optional<std::uint32_t> Check() const;

private:
    void ShowName(std::uint32_t pluNumber);

    const CPluDefTb* m_plus;
    const CNutritionTb* m_nutrition;
    std::uint32_t m_openedPlu;
    std::string m_text;
    std::string m_name;
};

}  // namespace varnel
