// The PLU list's geometry.
#include "pluedit/PluListLayout.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr int kColumnGap = 6;

int DialogUnitsX(int units, const PluListArea& area) { return units * area.baseUnitX / 4; }
int DialogUnitsY(int units, const PluListArea& area) { return units * area.baseUnitY / 8; }

}  // namespace

PluListRowGeometry LayOutRows(const PluListArea& area, bool twoLines, bool costColumn)
{
    const int cellHeight = DialogUnitsY(10, area);
    const int cellWidth = DialogUnitsX(costColumn ? 70 : 35, area);
    PluListRowGeometry geometry;
    geometry.rowHeight = (twoLines ? 2 * cellHeight : cellHeight) + 1;
    geometry.visibleRows = std::max(area.bottom - area.top, 0) / geometry.rowHeight;
    geometry.priceX = area.right - cellWidth;
    return geometry;
}

PluListColumns LayOutColumns(const PluListTextWidth& textWidth, const PluListHeaderTexts& headers,
                             const PluListColumnSpec& spec)
{
    const auto nines = [](int digits) { return std::string(static_cast<std::size_t>(std::max(digits, 0)), '9'); };
    PluListColumns columns;
    columns.pluNoWidth = std::max(textWidth(headers.pluNo), textWidth(nines(8))) + 2;
    int end = columns.pluNoWidth;
    if (spec.posCode) {
        columns.posX = end + kColumnGap;
        columns.posWidth = std::max(textWidth(spec.posCodeName), textWidth(nines(spec.posCodeDigits))) + kColumnGap;
        end = columns.posX + columns.posWidth;
    }
    if (spec.deptGroup) {
        columns.deptGroupX = end + kColumnGap;
        // As wide as its header needs too, so the name never starts under the header.
        end = columns.deptGroupX +
              std::max(textWidth(nines(spec.deptGroupDigits) + "-"), textWidth(headers.deptGroup));
    }
    columns.nameX = end + kColumnGap;
    return columns;
}

}  // namespace varnel
