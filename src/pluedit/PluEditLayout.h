// How the PLU edit window lays out its generated fields: the fixed order of the PLU fields, the pages
// the field definitions fill by the site's layout kind (the RUX scale mix), the three areas of the
// form (description, fields, tab strip) and where each field's label, input and "..." button go.
// Dialog units are the window font's: a quarter of its average character width across, an eighth of
// its height down.
#pragma once

#include "db/site/LabProp.h"
#include "pluedit/PluFieldShow.h"
#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace varnel {

// The position of a field in the form: the listed fields first in list order, then every other
// number of 1000..1102, then numbers outside that range.
std::size_t PluFieldPosition(std::uint16_t fieldNo);

struct PluEditPage {
    MessageId caption = 0;          // 0: a page without caption
    std::vector<CLabProp> fields;   // copies, in display order
};

struct PluEditPages {
    std::vector<PluEditPage> pages;
    std::optional<CLabProp> activeInactive;  // the definition of 1053, which gets no control
};

// Layout kind 0..4 (the RUX scale mix): which pages the PLU map and the second map fill. A second
// page that receives no displayed field is dropped. Fields 1001 and 1053 get no place.
PluEditPages BuildPluEditPages(std::uint32_t layoutKind, const CLabPropMap& pluMap, const CLabPropMap& secondMap);

struct FormRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const FormRect&) const = default;
};

struct FormUnits {
    int baseX = 4;  // average character width, pixels
    int baseY = 8;  // character height, pixels

    int X(int dialogUnits) const { return dialogUnits * baseX / 4; }
    int Y(int dialogUnits) const { return dialogUnits * baseY / 8; }
    FormRect ToPixels(const FormRect& rect) const { return {X(rect.left), Y(rect.top), X(rect.right), Y(rect.bottom)}; }
};

struct PluEditAreaInputs {
    std::size_t pageCount = 1;
    std::size_t largestPage = 0;       // fields on the fullest page
    bool zoneHint = false;             // head-office mode without a site price zone: the hint takes a line
    int formHeightPixels = 0;          // the form's 286 dialog units in pixels
    int screenLimitPixels = 0;         // the screen's client height less three menu bars; 0 for no limit
};

// In dialog units.
struct PluEditAreas {
    static constexpr int kFormWidth = 416;
    static constexpr int kFormHeight = 286;

    int columns = 3;
    int rows = 0;
    FormRect description;
    FormRect fields;
    FormRect tabs;
};

PluEditAreas ComputePluEditAreas(const PluEditAreaInputs& inputs);

enum class PluControlKind { NumEdit, PluCombo, DeptCombo };

// One generated field of a page: its definition (the page's copy), what its value is stored as and
// typed with, its controls' kind and ids and their rectangles in pixels. `button` is 0 without a
// "..." picker.
struct PluFieldControl {
    const CLabProp* definition = nullptr;
    std::uint16_t storage = 0;  // the field's storage kind (FieldKind of PluFieldAccess.h)
    char separator = '\0';      // the one character besides digits its edit takes; none when 0
    std::size_t page = 0;
    PluControlKind kind = PluControlKind::NumEdit;
    int id = 0;
    int button = 0;
    FormRect label;
    FormRect input;
    FormRect buttonRect;
    int dropHeight = 0;  // combos: the list's height in pixels
    PluFieldShow show;
    std::size_t index = 0;  // its place in the list of the form's controls
};

// What decides a field's control beyond its definition.
struct PluControlRules {
    bool deptGroupCombos = false;  // department and group codes in use
    bool deptComboOffset = false;  // the general setup moves those combos 50 pixels left
    std::uint32_t layoutKind = 0;
    std::uint16_t defaultFamily = 0;
    bool ruxCategoryPickers = false;
};

// The picker button of a field (0 for none).
int PluPickerButton(std::uint16_t fieldNo, const PluControlRules& rules);
// The field a picker button edits; 0 for an unknown button.
std::uint16_t PluPickerField(int button);

// Lays out every page in the field area (dialog units) and numbers the controls: edits 1800 + n and
// combos 1900 + n in build order over all pages, department and group combos 1014 and 1015. A field
// that no longer fits right of the area's last column gets no control.
std::vector<PluFieldControl> LayOutPluFields(const PluEditPages& pages, const PluEditAreas& areas,
                                             const FormUnits& units, const PluControlRules& rules);

}  // namespace varnel
