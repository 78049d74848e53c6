#include "app/FieldSetCommands.h"

#include "app/MainFrame.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "settings/UserSetup.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace varnel {
namespace {

const FieldSetCommand& Command(std::uint32_t number)
{
    for (const FieldSetCommand& command : kFieldSetCommands)
        if (command.command == number) return command;
    throw std::logic_error("no such field-set command");
}

TEST(FieldSetCommands, TheItemCodeTakesWhatDepartmentAndGroupLeaveOfEightDigits)
{
    struct Case {
        std::uint16_t dept, group, item;
        std::optional<std::uint16_t> width;
    };
    for (const Case& c : {Case{3, 3, 2, std::nullopt}, Case{2, 2, 4, std::nullopt}, Case{3, 3, 4, 2},
                          Case{0, 0, 9, 8}, Case{4, 4, 2, 0}, Case{5, 4, 0, 0}, Case{9, 9, 9, 0}}) {
        EXPECT_EQ(FittedItemCodeWidth(c.dept, c.group, c.item), c.width) << c.dept << ' ' << c.group << ' ' << c.item;
    }
}

// "Edit PLU Field" lists a caption for every field number a PLU or price field set may take.
TEST(FieldSetCommands, EveryFieldOfThePluAndPriceSetsHasItsFieldTypeCaption)
{
    for (const FieldSetCommand& command : kFieldSetCommands) {
        if (command.set == FieldDefMap::Nutrition || command.set == FieldDefMap::Production) continue;
        const std::vector<std::string> captions = EditPluFieldForm(CLabProp(), command.range).GetTypeCaptions();
        for (std::size_t i = 0; i < captions.size(); ++i)
            EXPECT_FALSE(captions[i].empty()) << command.command << ": field " << command.range.first + i;
    }
}

class EditFieldSetTest : public ::testing::Test {
protected:
    EditFieldSetTest()
    {
        m_previous = SetMainFrame(&m_frame);
        m_frame.EventLog().LogFile = m_dir.File("events.elg");
        m_frame.EventLog().LoggingOn = 1;
        m_frame.EventLog().LogGeneral = 1;
        for (FieldDefMap set : {FieldDefMap::Plu, FieldDefMap::Plu2}) {
            Define(set, 1, 1001, "PLU Code", 6);
            Define(set, 2, 1014, "Department", 3);
            Define(set, 3, 1015, "Group", 3);
            Define(set, 4, 1016, "Item", 2);
            Define(set, 5, 1005, "Unit Price", 6);
        }
    }
    ~EditFieldSetTest() override { SetMainFrame(m_previous); }

    CLabProp& Define(FieldDefMap set, std::uint16_t key, std::uint16_t fieldNo, const char* name, std::uint16_t width)
    {
        auto definition = std::make_unique<CLabProp>();
        definition->m_key = key;
        definition->m_fieldNo = fieldNo;
        definition->m_name = name;
        definition->m_width = width;
        definition->m_display = 1;
        definition->m_print = 1;
        return *(m_frame.FieldDefs(set)[key] = std::move(definition));
    }
    CLabProp& At(FieldDefMap set, std::uint16_t key) { return *m_frame.FieldDefs(set).at(key); }

    bool Run(std::uint32_t command, const std::function<bool(FieldSetupForm&)>& dialog)
    {
        return EditFieldSet(m_frame, Command(command), [this](const std::string&) { return m_passwordRight; },
                            [&](FieldSetupForm& form) {
                                ++m_dialogs;
                                return dialog(form);
                            });
    }
    static bool JustOk(FieldSetupForm&) { return true; }

    // A scale of the comma-separated families and none of the IP RUX family: both PLU sets in use.
    void UseBothPluSets()
    {
        auto link = std::make_unique<CSorrelSocketLink>();
        link->m_linkId = 1;
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = 1;
        scale->m_scaleType = 10;
        link->m_scales.push_back(std::move(scale));
        m_frame.Links().Add(std::move(link));
        ASSERT_EQ(m_frame.GetRuxScaleMix(), 1u);
    }
    // The event log's lines after their date and time.
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        if (!RealFileSystem().Exists(m_dir.File("events.elg"))) return lines;
        std::istringstream text(test::ReadWholeFile(m_dir.File("events.elg")));
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line.size() > 20 ? line.substr(20) : line);
        }
        return lines;
    }
    // The set as "GENSETUP.DEF" holds it.
    CLabPropMap Saved(FieldDefMap set)
    {
        CMainFrame reader(m_dir.Path() + "/");
        EXPECT_TRUE(reader.LoadGeneralSetup(m_frame.GetGeneralSetupPath()));
        return CopyDefinitions(reader.FieldDefs(set));
    }

    test::TempDir m_dir;
    test::RecordingPrompt m_prompt;
    CMainFrame m_frame{m_dir.Path() + "/"};
    IMainFrame* m_previous = nullptr;
    bool m_passwordRight = true;
    int m_dialogs = 0;
};

TEST_F(EditFieldSetTest, ARefusedPasswordACancelOrNoUpdateRightChangesNothing)
{
    m_frame.GeneralSetup().m_setupPasswordInUse = 1;
    auto user = std::make_unique<CUserSetup>();
    user->m_tablePermission.fill(0);
    user->m_tablePermission[kSetupTable] = AccessView;
    m_frame.GetUserList()->Add(std::move(user));
    struct Case {
        const char* name;
        bool passwordRight;
        bool ok;
        bool loggedIn;
        int dialogs;
        std::vector<MessageId> messages;
    };
    for (const Case& c : {Case{"wrong password", false, true, false, 0, {}},
                          Case{"cancelled", true, false, false, 1, {}},
                          Case{"view right only", true, true, true, 1, {61328}}}) {
        SCOPED_TRACE(c.name);
        m_passwordRight = c.passwordRight;
        m_dialogs = 0;
        m_prompt.m_ids.clear();
        if (c.loggedIn) m_frame.GetUserList()->SetCurrentUser(0);  // the last case
        EXPECT_FALSE(Run(32803, [&c](FieldSetupForm& form) {
            form.SetBoxes(5, false, false);
            form.TakeAdvanced({});
            return c.ok;
        }));
        EXPECT_EQ(m_dialogs, c.dialogs);
        EXPECT_EQ(m_prompt.m_ids, c.messages);
        EXPECT_EQ(m_frame.FieldDefs(FieldDefMap::Plu).size(), 5u);
        EXPECT_EQ(At(FieldDefMap::Plu, 5).m_display, 1);
        EXPECT_FALSE(RealFileSystem().Exists(m_frame.GetGeneralSetupPath()));
        EXPECT_TRUE(LogLines().empty());
    }
}

TEST_F(EditFieldSetTest, OkTakesTheDialogsSetLogsItAndSavesTheGeneralSetup)
{
    const CLabProp* unitPrice = &At(FieldDefMap::Plu2, 5);
    ASSERT_TRUE(Run(32884, [](FieldSetupForm& form) {
        CLabPropMap advanced = form.CopyForAdvanced();
        advanced.erase(4);
        auto added = std::make_unique<CLabProp>();
        added->m_key = 6;
        added->m_fieldNo = 1010;
        added->m_name = "Tare";
        advanced[6] = std::move(added);
        form.TakeAdvanced(std::move(advanced));
        form.SetBoxes(5, true, false);
        return true;
    }));
    const CLabPropMap& set = m_frame.FieldDefs(FieldDefMap::Plu2);
    EXPECT_FALSE(set.contains(4));
    ASSERT_TRUE(set.contains(6));
    EXPECT_EQ(set.at(6)->m_name, "Tare");
    // A definition both hold is the same object, copied over.
    EXPECT_EQ(set.at(5).get(), unitPrice);
    EXPECT_EQ(unitPrice->m_print, 0);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"G : Setup modified - RUX/PZ4/Tarn4 PLU field setup"});
    const CLabPropMap saved = Saved(FieldDefMap::Plu2);
    EXPECT_FALSE(saved.contains(4));
    ASSERT_TRUE(saved.contains(6));
    EXPECT_EQ(saved.at(5)->m_print, 0);
    // The PLU set was not touched.
    EXPECT_EQ(m_frame.FieldDefs(FieldDefMap::Plu).size(), 5u);
}

TEST_F(EditFieldSetTest, TheProductionReportSetIsSavedWithoutALogLine)
{
    Define(FieldDefMap::Production, 1, 1600, "Sales Period", 8);
    ASSERT_TRUE(Run(32783, [](FieldSetupForm& form) {
        form.SetBoxes(1, false, true);
        return true;
    }));
    EXPECT_EQ(At(FieldDefMap::Production, 1).m_display, 0);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(Saved(FieldDefMap::Production).at(1)->m_display, 0);
}

TEST_F(EditFieldSetTest, APluSetWhoseBarCodeFieldsPassEightDigitsHasItsItemCodeCut)
{
    struct Case {
        const char* name;
        std::uint32_t command;
        std::uint16_t family;
        std::uint16_t dept, group, item;
        std::uint16_t itemWidth;
        bool itemShown;
    };
    for (const Case& c : {Case{"fits", 32803, 0, 3, 3, 2, 2, true}, Case{"cut to 2", 32803, 0, 3, 3, 4, 2, true},
                          Case{"no room", 32980, 5, 4, 4, 2, 0, false},
                          Case{"RUX default family", 32803, 9, 4, 4, 2, 2, true},
                          Case{"second PLU set", 32884, 0, 4, 4, 2, 2, true}}) {
        SCOPED_TRACE(c.name);
        m_prompt.m_ids.clear();
        m_frame.GeneralSetup().m_defaultScaleFamily = c.family;
        const FieldDefMap set = Command(c.command).set;
        At(set, 2).m_width = c.dept;
        At(set, 3).m_width = c.group;
        CLabProp& item = At(set, 4);
        item.m_width = c.item;
        item.m_display = item.m_print = 1;
        ASSERT_TRUE(Run(c.command, JustOk));
        EXPECT_EQ(m_prompt.m_ids, c.itemWidth != c.item ? std::vector<MessageId>{31474} : std::vector<MessageId>{});
        EXPECT_EQ(item.m_width, c.itemWidth);
        EXPECT_EQ(item.m_display != 0, c.itemShown);
        EXPECT_EQ(item.m_print != 0, c.itemShown);
        EXPECT_EQ(Saved(set).at(4)->m_width, c.itemWidth);
    }
}

TEST_F(EditFieldSetTest, WithBothPluSetsInUseWhatOneDisplaysTheOtherHides)
{
    At(FieldDefMap::Plu, 2).m_display = 0;  // the department is left to the second set
    ASSERT_TRUE(Run(32803, JustOk));
    EXPECT_EQ(At(FieldDefMap::Plu2, 5).m_display, 1);  // one set in use: nothing hidden

    UseBothPluSets();
    ASSERT_TRUE(Run(32980, JustOk));
    EXPECT_EQ(At(FieldDefMap::Plu2, 5).m_display, 0);
    EXPECT_EQ(At(FieldDefMap::Plu2, 2).m_display, 1);
    EXPECT_EQ(At(FieldDefMap::Plu2, 1).m_display, 1);  // "PLU Code" stays in both
    EXPECT_EQ(Saved(FieldDefMap::Plu2).at(5)->m_display, 0);

    // The unit price shown on the second set's page instead.
    ASSERT_TRUE(Run(32943, [](FieldSetupForm& form) {
        form.SetBoxes(5, true, true);
        return true;
    }));
    EXPECT_EQ(At(FieldDefMap::Plu, 5).m_display, 0);
    EXPECT_EQ(At(FieldDefMap::Plu, 3).m_display, 1);
    EXPECT_EQ(At(FieldDefMap::Plu, 1).m_display, 1);
}

}  // namespace
}  // namespace varnel
