// The model of "Nutrition" for custom nutrition (CCustomNutr, template 252): the PLU number (1467)
// with "Select..." (1270) and its name (1464), "Copy From..." (1271), and one row for every
// definition of the main frame's nutrition field map that is displayed (but 1001): its name, then a
// value list (1900 + row) when the definition has values, else a numeric edit (1800 + row) with the
// definition's decimals. The values are the custom fields 1400 to 1413 of a standard row; the
// caller starts a new row from the definitions' defaults (ApplyDefaults) and stores it afterwards.
//
// An edit is checked as it loses the focus (UpdateFromEdit: 61236, 61237, the old value shown again);
// OK applies the same checks to the edit that has the focus and stays open when they refuse it.
#pragma once

#include "db/plu/FieldChoices.h"
#include "pluedit/SelectPluForm.h"
#include "scaledata/NutritionPluEntry.h"
#include "scaledata/NutritionRows.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CLabProp;
class CNutritionTb;
class CPluDefTb;

class CustomNutrForm {
public:
    static constexpr int kTemplate = 252;
    static constexpr int kPluNumber = 1467;
    static constexpr int kFirstEdit = 1800;
    static constexpr int kFirstList = 1900;
    static constexpr std::size_t kRowsPerColumn = 10;
    static constexpr MessageId kMsgNotNumeric = 61236;
    static constexpr MessageId kMsgOutOfRange = 61237;

    struct Row {
        const CLabProp* definition;
        int id;                  // 1800 + row for an edit, 1900 + row for a list
        std::size_t column;      // where the row stands: column and line of the dialog's grid
        std::size_t line;
        std::string text;        // an edit's value as shown
        std::size_t textLimit;   // an edit's characters: the definition's width, one more with decimals
        FieldChoices choices;    // a list's values with the row's selected
        bool IsList() const { return id >= kFirstList; }
    };

    CustomNutrForm(const CPluDefTb* plus, const CNutritionTb* nutrition, const StandardNutrition& values,
                   std::uint32_t pluNumber);

    // The displayed definitions of a nutrition field map, 1001 left out, in map order.
    static std::vector<const CLabProp*> DisplayedDefinitions(const CLabPropMap& definitions);
    // Each displayed definition's default in its field.
    static void ApplyDefaults(const CLabPropMap& definitions, StandardNutrition& values);

    const std::vector<Row>& GetRows() const { return m_rows; }
    NutritionPluEntry& Plu() { return m_plu; }
    const NutritionPluEntry& Plu() const { return m_plu; }
    const StandardNutrition& Values() const { return m_values; }
    bool IsModified() const { return m_modified; }

    // An edit lost the focus with this text: stored when it reads within the definition's range;
    // false (after 61236 or 61237) when it was refused and the old value is shown again.
    bool UpdateFromEdit(std::size_t row, std::string_view text);
    // A list lost the focus with this selection: its value is stored.
    void UpdateFromCombo(std::size_t row, std::optional<std::size_t> selection);
    // "Copy From...": the picked PLU's values are loaded, or 61398 when it has no row.
    void OnCopyFrom(const PluPicker& pick);

    // The edit that has the focus as OK is pressed, and what it holds.
    struct FocusedEdit {
        std::size_t row;
        std::string text;
    };
    // The PLU number's checks, then the focused edit's (UpdateFromEdit); false keeps the dialog open
    // with the focus on GetFocus(): the PLU number (1467) or the edit's id.
    bool OnOK(const std::optional<FocusedEdit>& focused);
    int GetFocus() const { return m_focus; }

private:
    void ShowValues();

    StandardNutrition m_values;
    const CNutritionTb* m_nutrition;
    NutritionPluEntry m_plu;
    std::vector<Row> m_rows;
    bool m_modified = false;
    int m_focus = 0;
};

}  // namespace varnel
