#include "settings/PickerForm.h"

#include "settings/MasterScaleList.h"
#include "settings/UserSetupList.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(PickerForm, ScaleRowsGiveThePositionOfTheChoiceTheyShow)
{
    const ScaleChoiceRow choices[] = {{"Deli 1", true}, {"Deli 2", false}, {"Meat", false}};
    struct Case {
        bool skipAssigned;
        std::vector<std::string> rows;
        std::size_t row;
        std::size_t index;
    };
    const Case cases[] = {
        {true, {"Deli 2", "Meat"}, 1, 2},
        {false, {"Deli 1", "Deli 2", "Meat"}, 1, 1},
    };
    for (const Case& c : cases) {
        PickerForm form = MakeScalePicker(choices, c.skipAssigned);
        EXPECT_EQ(form.GetRows(), c.rows);
        EXPECT_EQ(form.GetSelection(), 0u);
        form.Select(c.row);
        EXPECT_EQ(form.GetChosenIndex(), c.index);
    }
    PickerForm form = MakeScalePicker(choices, true);
    form.Select(std::nullopt);
    EXPECT_EQ(form.GetChosenIndex(), std::nullopt);
    form.Select(5);
    EXPECT_EQ(form.GetChosenIndex(), std::nullopt);
    EXPECT_EQ(MakeScalePicker({}, true).GetSelection(), std::nullopt);
}

TEST(PickerForm, DepartmentsAndProfilesPreselectTheGivenOne)
{
    CMasterScaleList departments;
    for (const std::string& name : {std::string("Deli"), std::string(40, 'B')}) {
        auto department = std::make_unique<CMasterScale>();
        department->m_name = name;
        departments.Add(std::move(department));
    }
    const PickerForm deptPicker = MakeDepartmentPicker(departments, departments.GetDepartments()[1].get(), CharRule{});
    EXPECT_EQ(deptPicker.GetRows()[1], std::string(30, 'B'));
    EXPECT_EQ(deptPicker.GetSelection(), 1u);
    EXPECT_EQ(MakeDepartmentPicker(departments, nullptr, CharRule{}).GetSelection(), 0u);

    CUserSetupList profiles;
    for (const char* name : {"Clerk", "Manager"}) {
        auto profile = std::make_unique<CUserSetup>();
        profile->m_name = name;
        profiles.Add(std::move(profile));
    }
    const PickerForm profilePicker = MakeUserProfilePicker(profiles, &profiles.GetAt(1));
    EXPECT_EQ(profilePicker.GetRows(), (std::vector<std::string>{"Clerk", "Manager"}));
    EXPECT_EQ(profilePicker.GetChosenIndex(), 1u);
}

}  // namespace
}  // namespace varnel
