#include "pluedit/PluEditLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

namespace varnel {
namespace {

void Add(CLabPropMap& map, std::uint16_t fieldNo, std::uint16_t display = 1)
{
    const auto key = static_cast<std::uint16_t>(map.size() + 1);
    auto definition = std::make_unique<CLabProp>();
    definition->m_key = key;
    definition->m_fieldNo = fieldNo;
    definition->m_display = display;
    definition->m_width = 6;
    map[key] = std::move(definition);
}

std::vector<std::uint16_t> Numbers(const PluEditPage& page)
{
    std::vector<std::uint16_t> numbers;
    for (const CLabProp& field : page.fields) numbers.push_back(field.m_fieldNo);
    return numbers;
}

// Fields 2000 and up lie outside the order list.
CLabPropMap Fields(std::size_t count)
{
    CLabPropMap map;
    for (std::size_t n = 0; n < count; ++n) Add(map, static_cast<std::uint16_t>(2000 + n));
    return map;
}

TEST(PluEditLayout, FieldsFollowTheFixedOrderAndUnlistedOnesKeepMapOrder)
{
    CLabPropMap map;
    for (const std::uint16_t field : {1005, 1006, 1002, 2001, 1014, 1053, 1001, 2000, 1101})
        Add(map, field);
    Add(map, 1007, 0);  // not displayed
    const PluEditPages pages = BuildPluEditPages(0, map, {});
    ASSERT_EQ(pages.pages.size(), 1u);
    EXPECT_EQ(pages.pages[0].caption, 0u);
    // 1101 is in range but not listed (position 9999); 2001 and 2000 lie outside, in map order.
    EXPECT_EQ(Numbers(pages.pages[0]), (std::vector<std::uint16_t>{1002, 1005, 1014, 1006, 1101, 2001, 2000}));
    ASSERT_TRUE(pages.activeInactive.has_value());
    EXPECT_EQ(pages.activeInactive->m_fieldNo, 1053);
}

TEST(PluEditLayout, PagesByLayoutKind)
{
    CLabPropMap first;
    Add(first, 1005);
    CLabPropMap second;
    Add(second, 1002);
    CLabPropMap hidden;
    Add(hidden, 1002, 0);
    struct Case {
        std::uint32_t kind;
        const CLabPropMap* second;
        std::vector<MessageId> captions;
    };
    for (const Case& c : {Case{0, &second, {0}}, Case{1, &second, {17625, 17626}}, Case{2, &second, {17624}},
                          Case{3, &second, {17623, 17624}}, Case{4, &second, {17627, 17624}},
                          Case{3, &hidden, {17623}}, Case{1, &hidden, {17625}}}) {
        const PluEditPages pages = BuildPluEditPages(c.kind, first, *c.second);
        std::vector<MessageId> captions;
        for (const PluEditPage& page : pages.pages) captions.push_back(page.caption);
        EXPECT_EQ(captions, c.captions) << "kind " << c.kind;
    }
}

TEST(PluEditLayout, AreasOfTheForm)
{
    struct Case {
        PluEditAreaInputs inputs;
        int columns, rows;
        FormRect fields, description, tabs;
    };
    const Case cases[] = {
        // One page of 18 fitting the screen.
        {{1, 18, false, 572, 1000}, 3, 7, {6, 176, 415, 281}, {2, 65, 405, 171}, {3, 173, 415, 286}},
        // Two pages: the tabs take 15 units.
        {{2, 18, false, 572, 1000}, 3, 7, {6, 161, 415, 266}, {2, 65, 405, 156}, {3, 158, 415, 286}},
        // 19 fields: 4 columns of 5; the zone hint takes 10 units.
        {{1, 19, true, 572, 0}, 4, 5, {6, 196, 415, 271}, {2, 65, 405, 191}, {3, 193, 415, 276}},
        // Few rows: the description ends two margins earlier.
        {{1, 3, false, 572, 0}, 3, 2, {6, 251, 415, 281}, {2, 65, 405, 236}, {3, 238, 415, 286}},
        // A form taller than the screen: 286 scaled by 500/572 and margins of 2.
        {{1, 18, false, 572, 500}, 3, 7, {6, 140, 415, 248}, {2, 65, 405, 138}, {3, 140, 415, 250}},
    };
    for (const Case& c : cases) {
        const PluEditAreas areas = ComputePluEditAreas(c.inputs);
        EXPECT_EQ(areas.columns, c.columns);
        EXPECT_EQ(areas.rows, c.rows);
        EXPECT_EQ(areas.fields, c.fields);
        EXPECT_EQ(areas.description, c.description);
        EXPECT_EQ(areas.tabs, c.tabs);
    }
}

// Columns and rows as the controls fill them: the count of controls in each distinct label column.
std::vector<std::size_t> ColumnFill(const std::vector<PluFieldControl>& controls)
{
    std::map<int, std::size_t> columns;
    for (const PluFieldControl& control : controls) ++columns[control.label.left];
    std::vector<std::size_t> fill;
    for (const auto& [left, count] : columns) fill.push_back(count);
    return fill;
}

TEST(PluEditLayout, EighteenFieldsMakeThreeColumnsOfSevenAndNineteenFourOfFive)
{
    const FormUnits units{6, 13};
    for (const auto& [count, fill] : {std::pair{std::size_t{18}, std::vector<std::size_t>{7, 7, 4}},
                                      std::pair{std::size_t{19}, std::vector<std::size_t>{5, 5, 5, 4}}}) {
        const CLabPropMap map = Fields(count);
        const PluEditPages pages = BuildPluEditPages(0, map, {});
        const PluEditAreas areas = ComputePluEditAreas({1, count, false, units.Y(286), 0});
        const std::vector<PluFieldControl> controls = LayOutPluFields(pages, areas, units, {});
        ASSERT_EQ(controls.size(), count);
        EXPECT_EQ(ColumnFill(controls), fill) << count << " fields";
        const FormRect area = units.ToPixels(areas.fields);
        for (const PluFieldControl& control : controls) {
            EXPECT_LE(control.label.bottom, area.bottom);
            EXPECT_LT(control.input.right, area.right);
            EXPECT_LT(control.label.right, control.input.left);
        }
    }
}

TEST(PluEditLayout, ControlsByKindWithTheirIdsAndPickers)
{
    CLabPropMap map;
    Add(map, 1002);  // a value list: combo
    map.rbegin()->second->AddValue(std::make_unique<CPropValue>("By weight", 0));
    map.rbegin()->second->AddValue(std::make_unique<CPropValue>("By count", 1));
    for (const std::uint16_t field : {1005, 1018, 1014, 1015, 1038}) Add(map, field);
    const PluEditPages pages = BuildPluEditPages(0, map, {});
    const FormUnits units{6, 13};
    const PluEditAreas areas = ComputePluEditAreas({1, 6, false, units.Y(286), 0});

    struct Expect {
        std::uint16_t field;
        PluControlKind kind;
        int id;
        int button;
    };
    const auto check = [&](const PluControlRules& rules, std::initializer_list<Expect> expected) {
        const std::vector<PluFieldControl> controls = LayOutPluFields(pages, areas, units, rules);
        ASSERT_EQ(controls.size(), expected.size());
        std::size_t n = 0;
        for (const Expect& e : expected) {
            const PluFieldControl& control = controls[n++];
            EXPECT_EQ(control.definition->m_fieldNo, e.field);
            EXPECT_EQ(control.kind, e.kind) << e.field;
            EXPECT_EQ(control.id, e.id) << e.field;
            EXPECT_EQ(control.button, e.button) << e.field;
            if (e.button != 0) {
                EXPECT_GT(control.buttonRect.left, control.input.right);
                EXPECT_LT(control.buttonRect.top, control.input.top);
            }
        }
    };
    // Order: 1002, 1005, 1018, 1038, 1014, 1015.
    check({}, {{1002, PluControlKind::PluCombo, 1900, 0},
               {1005, PluControlKind::NumEdit, 1800, 0},
               {1018, PluControlKind::NumEdit, 1801, 103},
               {1038, PluControlKind::NumEdit, 1802, 129},
               {1014, PluControlKind::NumEdit, 1803, 0},
               {1015, PluControlKind::NumEdit, 1804, 0}});
    // Department and group codes in use; price masters of layout kind 2; RUX category pickers.
    check({true, false, 2, 9, true}, {{1002, PluControlKind::PluCombo, 1900, 0},
                                      {1005, PluControlKind::NumEdit, 1800, 1125},
                                      {1018, PluControlKind::NumEdit, 1801, 103},
                                      {1038, PluControlKind::NumEdit, 1802, 129},
                                      {1014, PluControlKind::DeptCombo, 1014, 0},
                                      {1015, PluControlKind::DeptCombo, 1015, 0}});
    check({false, false, 4, 10, true}, {{1002, PluControlKind::PluCombo, 1900, 0},
                                        {1005, PluControlKind::NumEdit, 1800, 1125},
                                        {1018, PluControlKind::NumEdit, 1801, 103},
                                        {1038, PluControlKind::NumEdit, 1802, 129},
                                        {1014, PluControlKind::NumEdit, 1803, 131},
                                        {1015, PluControlKind::NumEdit, 1804, 132}});
}

TEST(PluEditLayout, PickerButtonsNameTheirFields)
{
    std::set<int> buttons;
    for (std::uint16_t field = 1000; field < 1102; ++field) {
        const int button = PluPickerButton(field, {false, false, 2, 9, true});
        if (button == 0) continue;
        EXPECT_EQ(PluPickerField(button), field);
        EXPECT_TRUE(buttons.insert(button).second);
    }
    EXPECT_EQ(buttons.size(), 20u);
    EXPECT_EQ(PluPickerField(999), 0);
}

}  // namespace
}  // namespace varnel
