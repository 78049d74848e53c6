// "Nutrition", custom fields.
#include "scaledata/CustomNutrForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/text/PriceText.h"
#include "platform/UserPrompt.h"
#include "scaledata/NutritionTb.h"

namespace varnel {
namespace {

constexpr std::uint16_t kPluCodeField = 1001;

}  // namespace

CustomNutrForm::CustomNutrForm(const CPluDefTb* plus, const CNutritionTb* nutrition, const StandardNutrition& values,
                               std::uint32_t pluNumber)
    : m_values(values), m_nutrition(nutrition), m_plu(plus, nutrition, pluNumber)
{
    m_values.plu = pluNumber;
    const std::vector<const CLabProp*> definitions =
        DisplayedDefinitions(nutrition->GetRoles().rules.GetFieldDefMap(FieldDefMap::Nutrition));
    for (std::size_t index = 0; index < definitions.size(); ++index) {
        const CLabProp* definition = definitions[index];
        const bool list = !definition->m_values.empty();
        Row row{definition, static_cast<int>((list ? kFirstList : kFirstEdit) + index), index / kRowsPerColumn,
                index % kRowsPerColumn, {}, 0u + definition->m_width + (definition->m_decimals > 0 ? 1 : 0), {}};
        m_rows.push_back(std::move(row));
    }
    ShowValues();
}

std::vector<const CLabProp*> CustomNutrForm::DisplayedDefinitions(const CLabPropMap& map)
{
    std::vector<const CLabProp*> definitions;
    for (const auto& [key, definition] : map)
        if (definition && definition->m_display != 0 && definition->m_fieldNo != kPluCodeField)
            definitions.push_back(definition.get());
    return definitions;
}

void CustomNutrForm::ApplyDefaults(const CLabPropMap& definitions, StandardNutrition& values)
{
    for (const CLabProp* definition : DisplayedDefinitions(definitions))
        (void)values.SetField(definition->m_fieldNo, definition->m_default);
}

void CustomNutrForm::ShowValues()
{
    for (Row& row : m_rows) {
        const std::int32_t value = m_values.GetField(row.definition->m_fieldNo);
        if (row.IsList())
            row.choices = PropValueChoices(*row.definition, static_cast<std::uint16_t>(value),
                                           m_nutrition->GetRoles().Text().chars);
        else
            row.text = FormatFixedPoint(row.definition->m_decimals, '.', value);
    }
}

bool CustomNutrForm::UpdateFromEdit(std::size_t index, std::string_view text)
{
    if (index >= m_rows.size() || m_rows[index].IsList()) return true;
    Row& row = m_rows[index];
    const CLabProp& definition = *row.definition;
    const std::int32_t old = m_values.GetField(definition.m_fieldNo);
    std::int32_t value = 0;
    MessageId refusal = 0;
    if (!ParsePrice(text, definition.m_decimals, '.', value))
        refusal = kMsgNotNumeric;
    else if (value < definition.m_min || value > definition.m_max)
        refusal = kMsgOutOfRange;
    if (refusal != 0) {
        ShowMessage(refusal);
        row.text = FormatFixedPoint(definition.m_decimals, '.', old);
        return false;
    }
    if (value != old && m_values.SetField(definition.m_fieldNo, value)) m_modified = true;
    row.text = FormatFixedPoint(definition.m_decimals, '.', m_values.GetField(definition.m_fieldNo));
    return true;
}

void CustomNutrForm::UpdateFromCombo(std::size_t index, std::optional<std::size_t> selection)
{
    if (index >= m_rows.size() || !m_rows[index].IsList()) return;
    Row& row = m_rows[index];
    const CPropValue* value = GetSelectedPropValue(*row.definition, selection);
    if (!value) return;
    (void)m_values.SetField(row.definition->m_fieldNo, value->m_number);
    row.choices.selected = selection;
    m_modified = true;
}

void CustomNutrForm::OnCopyFrom(const PluPicker& pick)
{
    if (!CopyPickedNutrition<CNutritionRec>(m_nutrition, pick, m_values)) return;
    m_modified = true;
    ShowValues();
}

bool CustomNutrForm::OnOK(const std::optional<FocusedEdit>& focused)
{
    const std::optional<std::uint32_t> plu = m_plu.Check();
    if (!plu) {
        m_focus = kPluNumber;
        return false;
    }
    if (focused && !UpdateFromEdit(focused->row, focused->text)) {
        m_focus = m_rows[focused->row].id;
        return false;
    }
    m_values.plu = *plu;
    return true;
}

}  // namespace varnel
