// One row of the PLU list as it is drawn: its texts, each in the store's code page, and its colour.
// The texts that the list draws with a Windows-style "&" prefix rule have each "&" doubled, so that
// it shows as one.
#pragma once

#include "pluedit/PluListSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnel {

class CPluDefRec;

// The widths and decimals of the PLU fields the list shows, from their definitions.
struct PluListFieldWidths {
    std::uint16_t posCode = 10;     // "POS Code" (1026)
    std::uint16_t dept = 0;         // "Department" (1014)
    std::uint16_t group = 0;        // "Group" (1015)
    std::uint16_t priceDecimals = 0;  // "Unit Price" (1005)
};

// Which columns are on.
struct PluListColumnsShown {
    bool posCode = false;
    bool deptGroup = false;
    bool costPrice = false;
};

struct PluListRow {
    std::size_t row = 0;
    // The row's band of the list, in pixels: its first line and one past its last.
    int top = 0;
    int bottom = 0;
    bool current = false;
    bool red = false;  // an inactive PLU while inactive PLUs are not sent
    std::string pluNumber;   // zero-padded to the digits of "Max. PLU No.", two blanks after
    std::string posCode;     // right-aligned, "0"-filled to the field's width
    std::string deptGroup;   // department "-" group, each "0"-filled to its field's width
    std::string name;        // at most 29 bytes
    std::string line2;       // the description's second line, with two-line rows
    std::string unitPrice;
    std::string costPrice;   // with the cost column
};

// The texts and colour of the PLU's row (the PLU as seen in the list's price zone).
PluListRow MakePluListRow(const CPluDefRec& plu, std::uint32_t pluNumber, const PluListSettings& settings,
                          const PluListFieldWidths& widths, const PluListColumnsShown& shown);

// Each "&" doubled.
std::string DoubleAmpersands(std::string_view text);

}  // namespace varnel
