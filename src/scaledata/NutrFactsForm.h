// The model of "Nutrition" in the standard layout (CNutrFactsDlg): the nutrition facts of a row:
// "Serving Size" (1185), "Serving/Container" (1186), "Calories" (104) and "Calories from Fat" (105),
// nine nutrients each with its content and percent, and four vitamin and mineral percents.
//
// Template 174 edits one PLU's row: its number (103) with "Select..." (1270) and name (1208).
// Template 281 edits a row shared by several PLUs: the list 1052 of those PLUs in ascending order,
// "Assign to PLU..." (1270), "Remove from PLU..." (1271) and "New Nutrition..." (3), which gives the
// current PLU a row of its own. The caller stores the row (and deletes one that no PLU keeps).
#pragma once

#include "pluedit/SelectPluForm.h"
#include "scaledata/NutritionPluEntry.h"
#include "scaledata/NutritionRows.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CNutritionTb;
class CPluDefTb;

class NutrFactsForm {
public:
    static constexpr int kTemplate = 174;
    static constexpr int kSharedTemplate = 281;
    static constexpr MessageId kMsgNoPlusAssigned = 31470;
    static constexpr MessageId kMsgNewNutrition = 31471;
    static constexpr int kPluNumber = 103;
    static constexpr int kCalories = 104;
    static constexpr int kFatCalories = 105;
    static constexpr std::size_t kServeSizeChars = 10;
    static constexpr std::size_t kServeContChars = 4;

    struct Nutrient {
        std::size_t nutrient;
        const char* caption;
        int content;
        std::size_t contentChars;
        int percent;
    };
    static constexpr std::array<Nutrient, 9> kNutrients{{
        {1, "Total Fat", 106, 3, 1188},
        {2, "Saturated Fat", 107, 3, 1190},
        {16, "Trans. Fat", 114, 4, 1193},
        {3, "Cholesterol", 108, 3, 1192},
        {4, "Sodium", 109, 4, 1194},
        {5, "Total Carbohydrate", 110, 4, 1196},
        {6, "Dietary Fiber", 111, 3, 1198},
        {7, "Protein", 112, 3, 1200},
        {8, "Sugars", 113, 3, 1202},
    }};
    struct Percent {
        std::size_t nutrient;
        const char* caption;
        int id;
    };
    static constexpr std::array<Percent, 4> kVitamins{{
        {9, "Vitamin A %", 1203},
        {10, "Vitamin C %", 1204},
        {11, "Calcium %", 1205},
        {12, "Iron %", 1206},
    }};

    // Template 174 over the row of `pluNumber`.
    NutrFactsForm(const CPluDefTb* plus, const CNutritionTb* nutrition, const StandardNutrition& values,
                  std::uint32_t pluNumber);
    // Template 281 over row `nutritionNumber`, used by `assigned` (the current PLU first selected).
    NutrFactsForm(const CPluDefTb* plus, const CNutritionTb* nutrition, const StandardNutrition& values,
                  std::uint32_t nutritionNumber, std::vector<std::uint32_t> assigned, std::uint32_t currentPlu);

    int GetTemplateId() const { return m_shared ? kSharedTemplate : kTemplate; }

    StandardNutrition& Values() { return m_values; }
    const StandardNutrition& Values() const { return m_values; }
    // The numbers typed: calories (104, 105) and percents (by their controls' ids), each 0 to 9999 or 999.
    const std::string& GetNumberText(int id) const;
    void SetNumberText(int id, std::string_view text);
    static std::uint32_t HighestNumber(int id);

    // Template 174.
    NutritionPluEntry& Plu() { return m_plu; }
    const NutritionPluEntry& Plu() const { return m_plu; }

    // Template 281: the list ("<number> <name>" for each assigned PLU the table holds).
    std::vector<std::string> GetListItems() const;
    int GetListSelection() const;
    void OnListSelect(int index);
    bool CanRemove() const { return !m_assigned.empty(); }
    bool CanCreateNew() const { return m_assigned.size() >= 2; }
    void OnAssign(const PluPicker& pick);
    void OnRemove();
    // Asks 31471; on OK the row takes a number of its own for the current PLU, which alone keeps it.
    void OnNewNutrition();
    const std::vector<std::uint32_t>& GetAssignedPlus() const { return m_assigned; }
    std::uint32_t GetCurrentPlu() const { return m_current; }
    std::uint32_t GetNutritionNumber() const { return m_nutritionNumber; }

    // The numbers in their ranges; template 174 the PLU number's checks, template 281 with no PLU
    // left 31470 (Cancel refuses). False keeps the dialog open with the focus on GetFocus() (0: none).
    // True leaves the numbers and texts in the values and, for 174, the PLU number.
    bool OnOK();
    int GetFocus() const { return m_focus; }
    std::uint32_t GetPluNumber() const { return m_values.plu; }

private:
    void LoadNumberTexts();
    // The assigned PLUs the table holds, as the list shows them.
    std::vector<std::uint32_t> ShownPlus() const;
    std::string PluName(std::uint32_t pluNumber) const;

    const CPluDefTb* m_plus;
    const CNutritionTb* m_nutrition;
    StandardNutrition m_values;
    std::map<int, std::string> m_numberTexts;
    NutritionPluEntry m_plu;
    bool m_shared = false;
    std::uint32_t m_nutritionNumber = 0;
    std::vector<std::uint32_t> m_assigned;
    std::uint32_t m_current = 0;
    int m_focus = 0;
};

}  // namespace varnel
