// The department list, its entry and the choice of a department: adding until a name is given, the
// entry's refusals, the scales in choice order, deleting the current department, the question after
// the list, and dialog 209 both ways.
#include "SettingsListSite.h"
#include "settings/DepartmentChoice.h"
#include "settings/EditDeptSettingsForm.h"
#include "settings/MasterScaleList.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class EditDeptSettingsFormTest : public ::testing::Test, public IEditDeptUi, public SettingsListSite {
protected:
    EditDeptSettingsFormTest()
    {
        AddDepartment(3, "Deli", {{1, 11}});
        AddDepartment(5, "Meat", {{2, 21}});
        m_departments.SetCurrent(5);
    }
    bool RunDeptEntry(EditDeptForm& entry) override { return m_entries.Run(entry); }

    void AddDepartment(std::uint16_t id, std::string name, std::vector<std::pair<std::uint16_t, std::uint16_t>> scales)
    {
        auto department = std::make_unique<CMasterScale>();
        department->m_id = id;
        department->m_name = std::move(name);
        department->m_database = "/srv/" + department->m_name + ".pld";
        for (const auto& [link, scale] : scales) department->m_scales.push_back(std::make_unique<CScaleDef>(link, scale));
        m_departments.Add(std::move(department));
    }
    // Links 1 (scales 11, 12) and 2 (scale 21), selected as the department holds them.
    std::vector<CScaleChoice> Choices(const CMasterScale& department) const
    {
        std::vector<CScaleChoice> choices;
        for (const auto& [link, scale, label] : {std::tuple{1, 11, "Deli 1"}, std::tuple{1, 12, "Deli 2"},
                                                 std::tuple{2, 21, "Meat"}}) {
            const CScaleDef def(static_cast<std::uint16_t>(link), static_cast<std::uint16_t>(scale));
            bool held = false;
            for (const auto& s : department.m_scales) held = held || *s == def;
            choices.push_back({def.m_linkId, def.m_scaleId, label, held});
        }
        return m_noScales ? std::vector<CScaleChoice>{} : choices;
    }
    std::unique_ptr<EditDeptSettingsForm> MakeForm()
    {
        auto form = std::make_unique<EditDeptSettingsForm>(
            m_departments, m_log, [this](const CMasterScale& department) { return Choices(department); },
            DatabaseFileChoice{"pld", "*.pld", "Varnel database (*.pld) |*.pld||"}, CharRule{});
        form->SetUi(*this);
        return form;
    }
    static std::vector<std::pair<std::uint16_t, std::uint16_t>> Scales(const CMasterScale& department)
    {
        std::vector<std::pair<std::uint16_t, std::uint16_t>> scales;
        for (const auto& scale : department.m_scales) scales.emplace_back(scale->m_linkId, scale->m_scaleId);
        return scales;
    }

    CMasterScaleList m_departments;
    ScriptedEntries<EditDeptForm> m_entries;
    bool m_noScales = false;
};

TEST_F(EditDeptSettingsFormTest, RowsShowTheCurrentDepartmentWithAStar)
{
    const auto form = MakeForm();
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"Deli", "Meat*"}));
    EXPECT_EQ(form->GetSelection(), 0u);
}

TEST_F(EditDeptSettingsFormTest, AnAddedDepartmentTakesTheLowestFreeNumberAndIsEditedUntilItHasAName)
{
    const auto form = MakeForm();
    m_entries.Queue([](EditDeptForm& entry) {
        EXPECT_TRUE(entry.GetScaleRows().empty());
        entry.AssignScale(1);
        entry.AssignScale(0);
        EXPECT_EQ(entry.GetScaleRows(), (std::vector<std::string>{"Deli 1", "Deli 2"}));
        EXPECT_EQ(entry.GetScaleSelection(), 0u);
        EXPECT_FALSE(entry.Accept());  // no database file yet
        return false;
    });
    form->Add();  // cancelled: nothing added
    EXPECT_EQ(m_departments.GetDepartments().size(), 2u);
    EXPECT_EQ(Shown(), std::vector<MessageId>{EditDeptForm::kMsgNoDatabase});

    m_prompt.m_ids.clear();
    m_prompt.QueueSaveName("/srv/bakery.pld");
    m_entries.Queue([](EditDeptForm& entry) {
        EXPECT_TRUE(entry.ChangeDatabase());
        EXPECT_FALSE(entry.Accept());  // no scale
        entry.AssignScale(1);
        return entry.Accept();  // without a name
    });
    m_entries.Queue([](EditDeptForm& entry) {
        EXPECT_EQ(entry.GetDatabase(), "/srv/bakery.pld");
        entry.m_name = "Bakery";
        return entry.Accept();
    });
    form->Add();
    EXPECT_EQ(Shown(), (std::vector<MessageId>{EditDeptForm::kMsgNoScale, EditDeptSettingsForm::kMsgNoName}));
    ASSERT_EQ(m_departments.GetDepartments().size(), 3u);
    const CMasterScale& bakery = *m_departments.GetDepartments().back();
    EXPECT_EQ(bakery.m_id, 1);
    EXPECT_EQ(bakery.m_name, "Bakery");
    EXPECT_EQ(Scales(bakery), (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{1, 12}}));
    EXPECT_EQ(form->GetRows().back(), "Bakery");
    EXPECT_EQ(form->GetSelection(), 2u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Department :  Bakery"});
    ASSERT_EQ(m_prompt.m_fileRequests.size(), 1u);
    EXPECT_EQ(m_prompt.m_fileRequests[0].fileName, "*.pld");
}

TEST_F(EditDeptSettingsFormTest, WithoutScalesOnTheLinksNoDepartmentCanBeEdited)
{
    m_noScales = true;
    const auto form = MakeForm();
    form->Add();
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgNoScalesForDepartment});
    EXPECT_EQ(m_entries.Shown(), 0);
    EXPECT_EQ(m_departments.GetDepartments().size(), 2u);
}

TEST_F(EditDeptSettingsFormTest, AnEditStoresTheScalesInChoiceOrderAndKeepsTheStar)
{
    const auto form = MakeForm();
    form->Select(1);
    m_entries.Queue([](EditDeptForm& entry) {
        EXPECT_EQ(entry.GetScaleRows(), std::vector<std::string>{"Meat"});
        PickerForm picker = entry.MakeScalePicker();
        EXPECT_EQ(picker.GetRows(), (std::vector<std::string>{"Deli 1", "Deli 2"}));
        picker.Select(0);
        entry.AssignScale(*picker.GetChosenIndex());
        entry.SelectScale(1);
        entry.UnassignScale();
        EXPECT_EQ(entry.GetScaleRows(), std::vector<std::string>{"Deli 1"});
        entry.m_name = "Butcher";
        return entry.Accept();
    });
    form->Edit();
    const CMasterScale& meat = *m_departments.GetDepartments()[1];
    EXPECT_EQ(meat.m_name, "Butcher");
    EXPECT_EQ(Scales(meat), (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{1, 11}}));
    EXPECT_EQ(form->GetRows(), (std::vector<std::string>{"Deli", "Butcher*"}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - Department :  Butcher"});
}

TEST_F(EditDeptSettingsFormTest, AnEditByAUserWhoMayNotUpdateTheSetupChangesNothing)
{
    LogInWithSetupRights(AccessView);
    const auto form = MakeForm();
    m_entries.Queue([](EditDeptForm& entry) {
        entry.m_name = "Other";
        return entry.Accept();
    });
    form->Edit();
    EXPECT_EQ(Shown(), std::vector<MessageId>{61328});
    EXPECT_EQ(m_departments.GetDepartments()[0]->m_name, "Deli");
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(EditDeptSettingsFormTest, DeletingTheCurrentDepartmentLeavesNoneCurrent)
{
    const auto form = MakeForm();
    form->Select(1);
    m_prompt.QueueAnswer(MessageAnswer::No);
    form->Delete();
    EXPECT_EQ(m_departments.GetCurrentId(), 5);
    form->Delete();
    EXPECT_EQ(m_departments.GetCurrent(), nullptr);
    EXPECT_EQ(m_departments.GetDepartments().size(), 1u);
    EXPECT_EQ(form->GetRows(), std::vector<std::string>{"Deli"});
    EXPECT_EQ(form->GetSelection(), 0u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup deleted - Department :  Meat"});
    // After the list, a missing current department is asked for.
    int posted = 0;
    EXPECT_TRUE(EditDepartmentList(m_departments, [] { return true; }, [&posted] { ++posted; }));
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(Shown().back(), kMsgNoCurrentDepartment);
    EXPECT_FALSE(EditDepartmentList(m_departments, [] { return false; }, [&posted] { ++posted; }));
    EXPECT_EQ(posted, 1);
}

TEST_F(EditDeptSettingsFormTest, ChangeDepartmentMakesTheChoiceCurrentOrOnlyReportsIt)
{
    std::vector<std::string> rows;
    std::optional<std::size_t> preselected;
    const auto choose = [&](std::optional<std::size_t> row, bool select) {
        return [&, row, select](PickerForm& picker) {
            rows = picker.GetRows();
            preselected = picker.GetSelection();
            picker.Select(row);
            return select;
        };
    };
    EXPECT_TRUE(ChooseCurrent(m_departments, CharRule{}, choose(0, true)));
    EXPECT_EQ(rows, (std::vector<std::string>{"Deli", "Meat"}));
    EXPECT_EQ(preselected, 1u);
    EXPECT_EQ(m_departments.GetCurrentId(), 3);
    EXPECT_TRUE(ChooseCurrent(m_departments, CharRule{}, choose(std::nullopt, true)));
    EXPECT_EQ(m_departments.GetCurrentId(), 3);
    EXPECT_FALSE(ChooseCurrent(m_departments, CharRule{}, choose(1, false)));
    EXPECT_EQ(m_departments.GetCurrentId(), 3);

    const CMasterScale* chosen = ChooseDepartment(m_departments, CharRule{}, choose(1, true));
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->m_id, 5);
    EXPECT_EQ(m_departments.GetCurrentId(), 3);
    EXPECT_EQ(ChooseDepartment(m_departments, CharRule{}, choose(1, false)), nullptr);
}

}  // namespace
}  // namespace varnel::test
