// The model of "Nutrition" in the panel layout (CNutrPanelDlg, template 298): a PLU's nutrition
// information panel: the PLU number (1467), servings per pack (1103) and serving size (1104), the
// extra line's name (1110), and per serve and per 100 g the energy and seven nutrients, each but the
// energy with a unit list ("mg", "g": the unit flag 0 or 1). "Copy From..." (1271) loads another
// PLU's panel. The caller stores the row.
#pragma once

#include "pluedit/SelectPluForm.h"
#include "scaledata/NutritionRows.h"

#include <array>
#include <cstddef>
#include <string>

namespace varnel {

class CNutritionTb;

class NutrPanelForm {
public:
    static constexpr int kTemplate = 298;
    static constexpr std::uint32_t kLowestPlu = 1;
    static constexpr std::uint32_t kHighestPlu = 99999999;
    static constexpr std::size_t kServeChars = 4;
    static constexpr std::size_t kExtraNameChars = 14;
    static constexpr std::size_t kValueChars = 5;

    // One line of the panel: its nutrient, caption (empty: the extra line, named by 1110) and
    // controls; the energy line has no unit lists (0).
    struct Line {
        std::size_t nutrient;
        const char* caption;
        int perServe, per100, unitServe, unit100;
    };
    static constexpr std::array<Line, 8> kLines{{
        {PanelEnergy, "Energy (kJ)", 1108, 1109, 0, 0},
        {PanelProtein, "Protein", 1111, 1112, 1130, 1113},
        {PanelTotalFat, "Fat, Total", 1114, 1115, 1131, 1116},
        {PanelSaturatedFat, "Fat, Saturated", 1117, 1118, 1132, 1119},
        {PanelCarbohydrate, "Carbohydrates - Total", 1105, 1106, 1129, 1107},
        {PanelSugars, "Sugars", 1120, 1121, 1133, 1122},
        {PanelSodium, "Sodium", 1123, 1124, 1134, 1125},
        {PanelExtra, "", 1126, 1127, 1135, 1128},
    }};

    // Loads the row's values; a new row has empty texts and every unit "g".
    NutrPanelForm(const CNutritionTb* nutrition, const PanelNutrition& values);

    PanelNutrition& Values() { return m_values; }
    const PanelNutrition& Values() const { return m_values; }
    const std::string& GetPluText() const { return m_pluText; }
    void SetPluText(std::string_view text) { m_pluText = text; }

    // "Copy From...": the picked PLU's panel is loaded, or 61398 when it has none.
    void OnCopyFrom(const PluPicker& pick);
    // The PLU number must be 1 to 99999999; the texts are cut to 4, 4, 14 and 5 characters.
    bool OnOK();

private:
    const CNutritionTb* m_nutrition;
    PanelNutrition m_values;
    std::string m_pluText;
};

}  // namespace varnel
