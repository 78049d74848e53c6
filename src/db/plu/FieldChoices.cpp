#include "db/plu/FieldChoices.h"

#include "db/text/DbcsString.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace varnel {
namespace {

constexpr std::size_t kValueTextBytes = 20;

template <std::size_t N>
void AddDistinctInRange(FieldChoices& choices, const std::array<std::uint16_t, N>& values, std::uint16_t low,
                        std::uint16_t high)
{
    for (std::uint16_t value : values) {
        std::string text = std::to_string(value);
        if (value >= low && value <= high && std::ranges::find(choices.items, text) == choices.items.end())
            choices.items.push_back(std::move(text));
    }
}

}  // namespace

std::vector<const CPropValue*> SortedPropValues(const CLabProp& definition)
{
    std::vector<const CPropValue*> values;
    for (const auto& [key, value] : definition.m_values)
        if (value) values.push_back(value.get());
    std::ranges::stable_sort(values, {}, &CPropValue::m_number);
    return values;
}

FieldChoices PropValueChoices(const CLabProp& definition, std::uint16_t selectedNumber, const CharRule& chars)
{
    FieldChoices choices;
    for (const CPropValue* value : SortedPropValues(definition)) {
        if (value->m_number == selectedNumber) choices.selected = choices.items.size();
        choices.items.emplace_back(DbcsLeft(value->m_text, kValueTextBytes, chars));
    }
    return choices;
}

const CPropValue* GetSelectedPropValue(const CLabProp& definition, std::optional<std::size_t> selection)
{
    const std::vector<const CPropValue*> values = SortedPropValues(definition);
    return selection && *selection < values.size() ? values[*selection] : nullptr;
}

FieldChoices FontTypeChoices(std::uint8_t currentType, const CGeneralSetup& setup)
{
    FieldChoices choices;
    std::uint8_t first = 0;
    switch (setup.m_market) {
    case MarketThailand:
        choices.items = {"Small", "Small (2xH)", "Small (2xW)", "Small (2xH, 2xW)"};
        first = 4;
        break;
    case MarketTaiwan: choices.items = {"Small", "Medium", "Large", "Super Small"}; break;
    case MarketHongKong: choices.items = {"Small", "Medium", "Large"}; break;
    default: return choices;
    }
    const bool listed = currentType >= first && currentType - first < static_cast<int>(choices.items.size());
    choices.selected = listed ? std::size_t{currentType} - first : 0;
    return choices;
}

FieldChoices LabelWidthChoices(std::uint16_t currentWidth, const CGeneralSetup& setup)
{
    FieldChoices choices;
    choices.text = std::to_string(currentWidth);
    AddDistinctInRange(choices, setup.m_labelWidths, 10, 500);
    return choices;
}

FieldChoices DescLengthChoices(std::uint16_t currentLength, const CGeneralSetup& setup)
{
    constexpr std::uint16_t kShortestLength = 5;
    FieldChoices choices;
    choices.text = std::to_string(currentLength < kShortestLength ? 100 : currentLength);
    AddDistinctInRange(choices, setup.m_descLengths, kShortestLength, 999);
    return choices;
}

}  // namespace varnel
