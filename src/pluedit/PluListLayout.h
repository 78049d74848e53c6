// The PLU list's geometry, worked out from the host's font as the list lays itself out: the row
// height and the rows in view, where the price column starts, and the columns and their headers.
// Dialog units are the host font's: a quarter of its average character width across, an eighth of
// its height down.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace varnel {

// The list's rectangle in host pixels and the host font's dialog base units.
struct PluListArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int baseUnitX = 4;  // average character width
    int baseUnitY = 8;  // character height
};

struct PluListRowGeometry {
    int rowHeight = 13;
    int visibleRows = 15;
    int priceX = 0;  // where the price column starts, host pixels
};

// A price cell is 10 dialog units high and 35 wide (70 with the cost column); a row is one cell high
// and a pixel (two cells and a pixel with two-line rows).
PluListRowGeometry LayOutRows(const PluListArea& area, bool twoLines, bool costColumn);

// The text width in pixels, in the font of the "PLU No." header.
using PluListTextWidth = std::function<int(std::string_view)>;

// The texts of the host's headers that the columns make room for.
struct PluListHeaderTexts {
    std::string pluNo;      // "PLU No."
    std::string deptGroup;  // "Dept. & Group", as shown
};

// The columns that are on, with the widths of their fields in digits.
struct PluListColumnSpec {
    bool posCode = false;
    std::string posCodeName;  // the name of field 1026, which the POS code header takes
    int posCodeDigits = 0;
    bool deptGroup = false;
    int deptGroupDigits = 0;  // the department's and the group's together
};

// Column offsets from the left of the "PLU No." header; -1 for a column that is off.
struct PluListColumns {
    int pluNoWidth = 0;
    int posX = -1;
    int posWidth = 0;
    int deptGroupX = -1;
    int nameX = 0;  // also where the "Description" header starts
};

PluListColumns LayOutColumns(const PluListTextWidth& textWidth, const PluListHeaderTexts& headers,
                             const PluListColumnSpec& spec);

}  // namespace varnel
