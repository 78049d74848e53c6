// What the PLU screens' pickers of a field list: the allowed values of a field definition, the font
// types of the double-byte and Thai markets, the label widths and the description lengths of the
// general setup. The views fill their combo boxes from these lists, under the general setup and
// text rules their caller hands.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LabProp.h"
#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

struct FieldChoices {
    std::string text;                    // the edit text of the picker, where it has one
    std::vector<std::string> items;
    std::optional<std::size_t> selected;
};

// The definition's values in number order.
std::vector<const CPropValue*> SortedPropValues(const CLabProp& definition);
// Each value's text cut to 20 bytes (a double-byte character kept whole), the value of `selectedNumber`
// selected.
FieldChoices PropValueChoices(const CLabProp& definition, std::uint16_t selectedNumber, const CharRule& chars);
// The value at a picker's selection; null for none or one past the values.
const CPropValue* GetSelectedPropValue(const CLabProp& definition, std::optional<std::size_t> selection);

// Thailand: the four small fonts (types 4 to 7); Taiwan: four sizes (types 0 to 3); Hong Kong: three
// (0 to 2); the current type selected when listed, else the first; no list in other markets.
FieldChoices FontTypeChoices(std::uint8_t currentType, const CGeneralSetup& setup);
// The current width as text; the general setup's distinct label widths from 10 to 500, in order.
FieldChoices LabelWidthChoices(std::uint16_t currentWidth, const CGeneralSetup& setup);
// The current length as text (100 below 5); the general setup's distinct description lengths from 5
// to 999, in order.
FieldChoices DescLengthChoices(std::uint16_t currentLength, const CGeneralSetup& setup);

}  // namespace varnel
