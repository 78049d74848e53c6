#include "db/site/FieldSetupForm.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

CLabProp Definition(const char* name, std::uint16_t fieldNo, std::uint16_t key = 0)
{
    CLabProp definition;
    definition.m_name = name;
    definition.m_fieldNo = fieldNo;
    definition.m_key = key;
    definition.m_display = 0;
    definition.m_print = 0;
    return definition;
}

CLabPropMap Map(std::initializer_list<CLabProp> definitions)
{
    CLabPropMap map;
    for (const CLabProp& definition : definitions) map[definition.m_key] = std::make_unique<CLabProp>(definition);
    return map;
}

TEST(FieldSetupForm, RowsInFieldOrderWithThePluCodeAlwaysChecked)
{
    const CLabPropMap map = Map({Definition("Unit Price", 1005, 1), Definition("PLU Code", 1001, 2),
                                 Definition("Nutrition", 1500, 3)});
    FieldSetupForm form(map, kPluFieldRange);
    std::vector<FieldSetupForm::Row> rows = form.GetRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "PLU Code");
    EXPECT_TRUE(rows[0].display && rows[0].print && rows[0].fixed);
    EXPECT_FALSE(rows[1].display);
    form.SetBoxes(1, true, true);
    form.SetBoxes(2, false, false);  // the PLU Code keeps both
    form.ClearAll();
    rows = form.GetRows();
    EXPECT_TRUE(rows[0].display && rows[0].print);
    EXPECT_FALSE(rows[1].display || rows[1].print);
    EXPECT_EQ(form.GetDefinitions().at(2)->m_display, 1);
    // The map given stays as it was.
    EXPECT_EQ(map.at(2)->m_display, 0);
}

TEST(FieldSetupForm, AdvancedResultsReplaceAddAndDeleteByKey)
{
    FieldSetupForm form(Map({Definition("A", 1005, 1), Definition("B", 1006, 2)}), kPluFieldRange);
    AdvFieldSetupForm advanced(form.CopyForAdvanced(), kPluFieldRange);
    advanced.Delete(0);                                       // "A"
    ASSERT_TRUE(advanced.Edit(0, Definition("B2", 0), 7));    // "B" becomes field 1007
    ASSERT_TRUE(advanced.Add(Definition("C", 0), 9));
    form.TakeAdvanced(advanced.TakeDefinitions());
    const std::vector<FieldSetupForm::Row> rows = form.GetRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "B2");
    EXPECT_EQ(rows[0].key, 2);
    EXPECT_EQ(rows[1].name, "C");
    EXPECT_EQ(rows[1].key, 1);  // the first free key
    EXPECT_EQ(form.GetDefinitions().at(1)->m_fieldNo, 1009);
}

TEST(AdvFieldSetupForm, NewDefinitionsTakeTheFirstFreeKeyAndOrderedBounds)
{
    AdvFieldSetupForm form({}, kPluFieldRange);
    EXPECT_EQ(form.NewDefinition().m_fieldNo, 1000);
    CLabProp first = Definition("First", 0);
    first.m_min = 50;
    first.m_max = 10;
    ASSERT_TRUE(form.Add(first, 5));
    ASSERT_TRUE(form.Add(Definition("Second", 0), 6));
    EXPECT_EQ(form.GetDefinitions().at(1)->m_min, 10);
    EXPECT_EQ(form.GetDefinitions().at(1)->m_max, 50);
    EXPECT_TRUE(form.GetDefinitions().contains(2));
    form.Delete(0);
    ASSERT_TRUE(form.Add(Definition("Third", 0), 7));
    EXPECT_EQ(form.GetDefinitions().at(1)->m_name, "Third");
    // An empty name discards the add and the edit.
    EXPECT_FALSE(form.Add(Definition("", 0), 1));
    EXPECT_FALSE(form.Edit(0, Definition("", 0), 1));
    EXPECT_EQ(form.GetRows(), (std::vector<std::string>{"Second", "Third"}));
}

TEST(EditPluFieldForm, ValuesAreKeptByNumberWithTheDefaultMarked)
{
    CLabProp definition = Definition("Sales Mode", 1002, 1);
    definition.m_default = 1;
    EditPluFieldForm form(definition, kPluFieldRange);
    EXPECT_EQ(form.GetTypeIndex(), 2);
    EXPECT_EQ(form.GetTypeCaptions().front(), "User-Defined");
    EXPECT_EQ(form.GetTypeCaptions().size(), 102u);
    const auto added = [&form](std::string text, std::uint16_t number) {
        std::unique_ptr<CPropValue> value = CLabProp::NewValue();
        EXPECT_EQ(*value, CPropValue());
        value->m_text = std::move(text);
        value->m_number = number;
        return form.AddValue(std::move(value));
    };
    ASSERT_TRUE(added("Weighed", 1));
    ASSERT_TRUE(added("Fixed", 0));
    ASSERT_TRUE(added("Weighed again", 1));  // replaces number 1
    EXPECT_FALSE(added("", 2));
    EXPECT_EQ(form.GetValueRows(), (std::vector<std::string>{"  0000 Fixed", "* 0001 Weighed again"}));
    ASSERT_TRUE(form.EditValue(0, {"Fixed price", 5}));  // moves to 5
    form.SetDefault(1);
    EXPECT_EQ(form.GetValueRows(), (std::vector<std::string>{"  0001 Weighed again", "* 0005 Fixed price"}));
    form.DeleteValue(0);
    EXPECT_EQ(form.GetValueRows(), (std::vector<std::string>{"* 0005 Fixed price"}));
}

TEST(FieldSetupGrid, ARowPastTheBottomStartsAColumnAQuarterOfTheFrameToTheRight)
{
    const std::tuple<std::size_t, int, int> places[] = {{0, 0, 0}, {9, 0, 180}, {10, 200, 0}, {21, 400, 20}};
    for (const auto& [index, x, y] : places) {
        const GridPlace place = PlaceGridRow(index, 20, 800, 210);
        EXPECT_EQ(place.x, x) << index;
        EXPECT_EQ(place.y, y) << index;
    }
}

}  // namespace
}  // namespace varnel
