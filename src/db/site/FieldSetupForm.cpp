// The field setup dialogs' models.
#include "db/site/FieldSetupForm.h"

#include "platform/Messages.h"

#include <algorithm>

namespace varnel {
namespace {

bool ByFieldNumber(const CLabProp* a, const CLabProp* b)
{
    return a->m_fieldNo < b->m_fieldNo;
}

}  // namespace

std::uint16_t FirstFreeKey(const CLabPropMap& definitions)
{
    std::uint16_t key = 1;
    while (definitions.contains(key)) ++key;
    return key;
}

CLabPropMap CopyDefinitions(const CLabPropMap& definitions)
{
    CLabPropMap copy;
    for (const auto& [key, definition] : definitions) copy[key] = std::make_unique<CLabProp>(*definition);
    return copy;
}

std::vector<const CLabProp*> SortedDefinitions(const CLabPropMap& definitions, FieldRange range)
{
    std::vector<const CLabProp*> sorted;
    for (const auto& [key, definition] : definitions)
        if (range.Holds(definition->m_fieldNo)) sorted.push_back(definition.get());
    std::ranges::stable_sort(sorted, ByFieldNumber);
    return sorted;
}

std::vector<const CLabProp*> PluFieldsRows(const CLabPropMap& definitions, FieldRange range)
{
    return SortedDefinitions(definitions, range);
}

// Field Setup.

FieldSetupForm::FieldSetupForm(const CLabPropMap& definitions, FieldRange range)
    : m_definitions(CopyDefinitions(definitions)), m_range(range)
{
}

std::vector<FieldSetupForm::Row> FieldSetupForm::GetRows() const
{
    std::vector<Row> rows;
    for (const CLabProp* definition : SortedDefinitions(m_definitions, m_range)) {
        const bool fixed = definition->m_fieldNo == kPluCodeField;
        rows.push_back({definition->m_key, definition->m_name, fixed || definition->m_display != 0,
                        fixed || definition->m_print != 0, fixed});
    }
    return rows;
}

void FieldSetupForm::SetBoxes(std::uint16_t key, bool display, bool print)
{
    const auto found = m_definitions.find(key);
    if (found == m_definitions.end()) return;
    CLabProp& definition = *found->second;
    const bool fixed = definition.m_fieldNo == kPluCodeField;
    definition.m_display = fixed || display ? 1 : 0;
    definition.m_print = fixed || print ? 1 : 0;
}

void FieldSetupForm::ClearAll()
{
    for (const Row& row : GetRows()) SetBoxes(row.key, false, false);
}

void FieldSetupForm::TakeAdvanced(CLabPropMap advanced)
{
    std::erase_if(m_definitions, [&advanced](const auto& entry) { return !advanced.contains(entry.first); });
    for (auto& [key, definition] : advanced) {
        const auto present = m_definitions.find(key);
        if (present == m_definitions.end()) m_definitions[key] = std::move(definition);
        else present->second->Copy(*definition);
    }
}

GridPlace PlaceGridRow(std::size_t index, int rowHeight, int frameWidth, int frameHeight)
{
    const int rowsPerColumn = std::max(1, frameHeight / std::max(1, rowHeight));
    const int column = static_cast<int>(index) / rowsPerColumn;
    const int row = static_cast<int>(index) % rowsPerColumn;
    return {column * frameWidth / 4, row * rowHeight};
}

// Advanced Field Setup.

AdvFieldSetupForm::AdvFieldSetupForm(CLabPropMap definitions, FieldRange range)
    : m_definitions(std::move(definitions)), m_range(range)
{
}

std::vector<std::uint16_t> AdvFieldSetupForm::SortedKeys() const
{
    std::vector<std::uint16_t> keys;
    for (const CLabProp* definition : SortedDefinitions(m_definitions, m_range)) keys.push_back(definition->m_key);
    return keys;
}

std::vector<std::string> AdvFieldSetupForm::GetRows() const
{
    std::vector<std::string> rows;
    for (const CLabProp* definition : SortedDefinitions(m_definitions, m_range)) rows.push_back(definition->m_name);
    return rows;
}

CLabProp AdvFieldSetupForm::NewDefinition() const
{
    CLabProp definition;
    definition.m_fieldNo = m_range.first;
    return definition;
}

const CLabProp& AdvFieldSetupForm::GetDefinition(std::size_t row) const
{
    return *m_definitions.at(SortedKeys().at(row));
}

void AdvFieldSetupForm::Complete(CLabProp& edited, int typeIndex) const
{
    edited.m_fieldNo = static_cast<std::uint16_t>(m_range.first + std::max(0, typeIndex));
    if (edited.m_max < edited.m_min) std::swap(edited.m_min, edited.m_max);
}

bool AdvFieldSetupForm::Add(CLabProp edited, int typeIndex)
{
    if (edited.m_name.empty()) return false;
    Complete(edited, typeIndex);
    const std::uint16_t key = FirstFreeKey(m_definitions);
    edited.m_key = key;
    m_definitions[key] = std::make_unique<CLabProp>(edited);
    return true;
}

bool AdvFieldSetupForm::Edit(std::size_t row, CLabProp edited, int typeIndex)
{
    if (edited.m_name.empty()) return false;
    const std::uint16_t key = SortedKeys().at(row);
    Complete(edited, typeIndex);
    edited.m_key = key;
    *m_definitions.at(key) = edited;
    return true;
}

void AdvFieldSetupForm::Delete(std::size_t row)
{
    m_definitions.erase(SortedKeys().at(row));
}

// Edit PLU Field.

EditPluFieldForm::EditPluFieldForm(const CLabProp& definition, FieldRange range)
    : m_definition(definition), m_range(range),
      m_typeIndex(range.Holds(m_definition.m_fieldNo) ? m_definition.m_fieldNo - range.first : 0)
{
}

std::vector<std::string> EditPluFieldForm::GetTypeCaptions() const
{
    std::vector<std::string> captions;
    for (std::uint16_t field = m_range.first; field < m_range.end; ++field)
        captions.emplace_back(GetMessageText(field));
    return captions;
}

std::vector<const CPropValue*> EditPluFieldForm::SortedValues() const
{
    std::vector<const CPropValue*> values;
    for (const auto& [number, value] : m_definition.m_values) values.push_back(value.get());
    std::ranges::stable_sort(values, {}, &CPropValue::m_number);
    return values;
}

std::vector<std::string> EditPluFieldForm::GetValueRows() const
{
    std::vector<std::string> rows;
    for (const CPropValue* value : SortedValues())
        rows.push_back(value->Format(static_cast<std::uint32_t>(m_definition.m_default)));
    return rows;
}

const CPropValue& EditPluFieldForm::GetValue(std::size_t row) const
{
    return *SortedValues().at(row);
}

bool EditPluFieldForm::AddValue(std::unique_ptr<CPropValue> value)
{
    if (value->m_text.empty()) return false;
    m_definition.AddValue(std::move(value));
    return true;
}

bool EditPluFieldForm::EditValue(std::size_t row, const CPropValue& value)
{
    if (value.m_text.empty()) return false;
    const std::uint16_t old = GetValue(row).m_number;
    std::erase_if(m_definition.m_values, [old](const auto& entry) { return entry.second->m_number == old; });
    return AddValue(std::make_unique<CPropValue>(value));
}

void EditPluFieldForm::DeleteValue(std::size_t row)
{
    const std::uint16_t number = GetValue(row).m_number;
    std::erase_if(m_definition.m_values, [number](const auto& entry) { return entry.second->m_number == number; });
}

void EditPluFieldForm::SetDefault(std::size_t row)
{
    m_definition.m_default = GetValue(row).m_number;
}

}  // namespace varnel
