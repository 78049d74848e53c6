#include "pluedit/PluEditLayout.h"

#include "db/plu/PluFieldAccess.h"
#include "pluedit/NumEditFilter.h"

#include <algorithm>
#include <array>

namespace varnel {

namespace {

constexpr std::uint16_t kFirstOrdered = 1000;
constexpr std::uint16_t kLastOrdered = 1102;
constexpr std::size_t kUnlisted = 9999;
constexpr std::size_t kOutside = 999999;

constexpr std::array<std::uint16_t, 93> kFieldOrder{
    1002, 1005, 1007, 1008, 1086, 1010, 1094, 1012, 1013, 1027, 1018, 1044, 1045, 1019, 1049, 1032,
    1003, 1004, 1028, 1097, 1098, 1017, 1077, 1082, 1011, 1026, 1016, 1059, 1020, 1021, 1022, 1023,
    1051, 1050, 1054, 1057, 1058, 1036, 1037, 1024, 1087, 1043, 1025, 1089, 1090, 1091, 1092, 1046,
    1047, 1071, 1078, 1074, 1088, 1072, 1075, 1073, 1052, 1065, 1070, 1038, 1039, 1040, 1096, 1042,
    1084, 1083, 1076, 1085, 1060, 1061, 1062, 1063, 1064, 1014, 1015, 1081, 1009, 1029, 1056, 1030,
    1048, 1031, 1033, 1034, 1035, 1041, 1053, 1080, 1066, 1067, 1099, 1100, 1000};

constexpr std::uint16_t kPluCode = 1001;
constexpr std::uint16_t kActiveInactive = 1053;
constexpr std::uint16_t kDepartment = 1014;
constexpr std::uint16_t kGroup = 1015;
constexpr std::uint16_t kUnitPrice = 1005;
constexpr std::uint16_t kPosCode = 1026;
constexpr std::uint16_t kPackType = 1086;

constexpr int kRowPitch = 15;
constexpr int kLabelWidth = 70;
constexpr std::size_t kThreeColumnFields = 18;
constexpr int kNarrowChars = 4;
constexpr int kComboDropMax = 100;
constexpr int kDeptComboDrop = 100;
constexpr int kDeptComboOffset = 50;
constexpr int kFirstEditId = 1800;
constexpr int kFirstComboId = 1900;

struct PickerEntry {
    int button;
    std::uint16_t fieldNo;
};
constexpr std::array<PickerEntry, 20> kPickers{{{103, 1018}, {110, 1044}, {111, 1045}, {104, 1019},
                                                {117, 1057}, {118, 1058}, {119, 1059}, {120, 1060},
                                                {121, 1061}, {122, 1062}, {123, 1063}, {124, 1064},
                                                {125, 1065}, {126, 1082}, {127, 1054}, {129, 1038},
                                                {130, 1017}, {131, kDepartment}, {132, kGroup},
                                                {1125, kUnitPrice}}};

// A new field goes after the fields of an equal position, so fields outside the list keep map order.
void InsertInOrder(PluEditPage& page, const CLabProp& definition)
{
    const std::size_t position = PluFieldPosition(definition.m_fieldNo);
    const auto after = std::ranges::find_if(
        page.fields, [position](const CLabProp& placed) { return PluFieldPosition(placed.m_fieldNo) > position; });
    page.fields.insert(after, definition);
}

void FillPage(PluEditPage& page, const CLabPropMap& map, PluEditPages& pages)
{
    for (const auto& [key, definition] : map) {
        if (!definition) continue;
        if (definition->m_fieldNo == kActiveInactive) {
            pages.activeInactive = *definition;
            continue;
        }
        if (definition->m_display == 0 || definition->m_fieldNo == kPluCode) continue;
        InsertInOrder(page, *definition);
    }
}

}  // namespace

std::size_t PluFieldPosition(std::uint16_t fieldNo)
{
    if (fieldNo < kFirstOrdered || fieldNo > kLastOrdered) return kOutside;
    const auto listed = std::ranges::find(kFieldOrder, fieldNo);
    return listed == kFieldOrder.end() ? kUnlisted : static_cast<std::size_t>(listed - kFieldOrder.begin());
}

PluEditPages BuildPluEditPages(std::uint32_t layoutKind, const CLabPropMap& pluMap, const CLabPropMap& secondMap)
{
    struct PageSource {
        MessageId caption;
        const CLabPropMap* map;
    };
    std::vector<PageSource> sources;
    switch (layoutKind) {
    case 1: sources = {{17625, &pluMap}, {17626, &secondMap}}; break;
    case 2: sources = {{17624, &secondMap}}; break;
    case 3: sources = {{17623, &pluMap}, {17624, &secondMap}}; break;
    case 4: sources = {{17627, &pluMap}, {17624, &secondMap}}; break;
    default: sources = {{0, &pluMap}}; break;
    }
    PluEditPages result;
    for (const PageSource& source : sources) {
        PluEditPage page{source.caption, {}};
        FillPage(page, *source.map, result);
        if (page.fields.empty() && !result.pages.empty()) continue;
        result.pages.push_back(std::move(page));
    }
    return result;
}

PluEditAreas ComputePluEditAreas(const PluEditAreaInputs& inputs)
{
    PluEditAreas areas;
    int height = PluEditAreas::kFormHeight;
    int margin = 5;
    if (inputs.screenLimitPixels > 0 && inputs.formHeightPixels > inputs.screenLimitPixels) {
        height = PluEditAreas::kFormHeight * inputs.screenLimitPixels / inputs.formHeightPixels;
        margin = 2;
    }
    if (inputs.zoneHint) height -= 10;
    const int fieldsHeight = inputs.pageCount > 1 ? height - 15 : height;
    areas.columns = inputs.largestPage <= kThreeColumnFields ? 3 : 4;
    areas.rows = static_cast<int>((inputs.largestPage + 3) / static_cast<std::size_t>(areas.columns));
    areas.fields = {6, fieldsHeight - kRowPitch * areas.rows - 5, 415, fieldsHeight - margin};
    areas.description = {2, 65, 405, areas.fields.top - margin};
    if (areas.rows < 5) areas.description.bottom -= 2 * margin;
    areas.tabs = {3, areas.description.bottom + 2, 415, height};
    return areas;
}

int PluPickerButton(std::uint16_t fieldNo, const PluControlRules& rules)
{
    if (fieldNo == kDepartment || fieldNo == kGroup) {
        if (rules.defaultFamily < 9 || rules.defaultFamily > 12 || !rules.ruxCategoryPickers) return 0;
    }
    if (fieldNo == kUnitPrice && rules.layoutKind != 2 && rules.layoutKind != 4) return 0;
    for (const PickerEntry& entry : kPickers)
        if (entry.fieldNo == fieldNo) return entry.button;
    return 0;
}

std::uint16_t PluPickerField(int button)
{
    for (const PickerEntry& entry : kPickers)
        if (entry.button == button) return entry.fieldNo;
    return 0;
}

std::vector<PluFieldControl> LayOutPluFields(const PluEditPages& pages, const PluEditAreas& areas,
                                             const FormUnits& units, const PluControlRules& rules)
{
    std::size_t largest = 0;
    for (const PluEditPage& page : pages.pages) largest = std::max(largest, page.fields.size());
    const FormRect area = units.ToPixels(areas.fields);
    const int pitch = units.Y(kRowPitch);
    const int height = units.Y(kRowPitch - 5);
    const int columnWidth = area.Width() / areas.columns - 10;
    const int labelWidth = largest <= kThreeColumnFields ? units.X(kLabelWidth) : columnWidth / 2;

    std::vector<PluFieldControl> controls;
    int edits = 0;
    int combos = 0;
    for (std::size_t pageIndex = 0; pageIndex < pages.pages.size(); ++pageIndex) {
        FormRect label{area.left, area.top, area.left + labelWidth, area.top + height};
        FormRect input{label.right + 5, area.top, columnWidth + 5, area.top + height};
        const int tenth = input.Width() / 10;
        for (const CLabProp& definition : pages.pages[pageIndex].fields) {
            if (input.right >= area.right) break;
            PluFieldControl control;
            control.definition = &definition;
            control.storage = GetPluFieldType(definition);
            control.separator = definition.m_fieldNo == kPackType ? '/' : NumEditSeparator(definition);
            control.show = MakePluFieldShow(definition, control.separator);
            control.page = pageIndex;
            control.label = label;
            control.input = input;
            const bool valueList = !definition.m_values.empty();
            const bool narrow = definition.m_width < kNarrowChars;
            // The POS Code's input starts further left to hold its 13 digits; its label ends there
            // rather than reaching into the column on its left.
            if (definition.m_fieldNo == kPosCode) {
                control.label.right -= 2 * tenth;
                control.input.left -= 2 * tenth;
            }
            if (valueList) control.label.right -= 2 * tenth;
            if (narrow) control.label.right += 5 * tenth;
            const bool deptCombo =
                rules.deptGroupCombos && (definition.m_fieldNo == kDepartment || definition.m_fieldNo == kGroup);
            if (deptCombo) {
                control.kind = PluControlKind::DeptCombo;
                control.id = definition.m_fieldNo;
                if (rules.deptComboOffset) control.input.left -= kDeptComboOffset;
                control.input.left -= 2 * tenth;
                control.dropHeight = kDeptComboDrop;
            } else if (valueList) {
                control.kind = PluControlKind::PluCombo;
                control.id = kFirstComboId + combos++;
                control.input.left -= 2 * tenth;
                control.dropHeight =
                    std::min(kComboDropMax, height * static_cast<int>(definition.m_values.size()));
            } else {
                control.kind = PluControlKind::NumEdit;
                control.id = kFirstEditId + edits++;
                control.button = PluPickerButton(definition.m_fieldNo, rules);
                if (control.button != 0) {
                    control.input.left -= 2 * tenth;
                    const int editRight = control.input.left + control.input.Width() * 3 / 4;
                    control.buttonRect = {editRight + 2, control.input.top - 2, control.input.right,
                                          control.input.bottom + 2};
                    control.input.right = editRight;
                } else if (narrow) {
                    control.input.left += 5 * tenth;
                }
            }
            control.index = controls.size();
            controls.push_back(control);

            label.top += pitch;
            label.bottom += pitch;
            input.top += pitch;
            input.bottom += pitch;
            if (label.bottom > area.bottom) {
                const int step = columnWidth + 5;
                label = {label.left + step, area.top, label.right + step, area.top + height};
                input = {input.left + step, area.top, input.right + step, area.top + height};
            }
        }
    }
    return controls;
}

}  // namespace varnel
