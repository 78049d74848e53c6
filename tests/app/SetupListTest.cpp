// The setup list: its lines from the frame's settings, and the command that writes and shows it.
#include "app/SetupList.h"

#include "FrameSiteFixture.h"
#include "support/RecordingTextViewer.h"

#include <filesystem>

namespace varnel::test {
namespace {

bool Holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

using SetupListTest = FrameSiteTest;

TEST_F(SetupListTest, TheListIsDatedEndsEveryLineInCrLfAndNeverHoldsThePassword)
{
    SetSetupPassword("hunter2x");
    const std::string text = BuildSetupList(frame);

    EXPECT_TRUE(text.starts_with("        --- Varnel Setup Data ---        03/09/2026 10:00:00\r\n"));
    EXPECT_TRUE(Holds(text, "  Max. PLU No.                        : 999999\r\n"));
    EXPECT_TRUE(Holds(text, "  Setup password                      : Enabled\r\n"));
    EXPECT_TRUE(Holds(text, "  Default database file format        : SQLite (*.MDB)\r\n"));
    EXPECT_FALSE(Holds(text, "hunter2x"));
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "a bare line feed at " << at;
}

TEST_F(SetupListTest, LinesFollowTheSettings)
{
    struct Case {
        const char* name;
        std::function<void(CGeneralSetup&)> set;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"family 6, market 14", [](CGeneralSetup& s) { s.m_defaultScaleFamily = 6; s.m_market = 14; },
         {"  Default system type                 : LumenXT\r\n", "  Version                             : Sweden\r\n"},
         {}},
        {"a family and a market without names", [](CGeneralSetup& s) { s.m_defaultScaleFamily = 12; s.m_market = 20; },
         {"  Default system type                 : \r\n", "  Version                             : \r\n"},
         {}},
        {"a family past 12", [](CGeneralSetup& s) { s.m_defaultScaleFamily = 13; }, {}, {"Default system type"}},
        {"the POS check switched off",
         [](CGeneralSetup& s) { s.m_posCheckNewPlu = 1; },
         {"  POS/item code check for new PLU     : Disabled\r\n"},
         {}},
        {"no backups", [](CGeneralSetup& s) { s.m_autoBackup = 0; },
         {"  Automatic database file backup      : Disabled\r\n"},
         {"Backup directory"}},
        {"Data Save mode 2",
         [](CGeneralSetup& s) { s.m_dataSaveOpenMode = 2; s.m_overwriteExisting = 1; },
         {"  Data Save file open mode            : Import, add to current database\r\n",
          "  Overwrite existing records?         : Yes\r\n"},
         {}},
        {"Data Save mode 0", [](CGeneralSetup& s) { s.m_dataSaveOpenMode = 0; },
         {"  Data Save file open mode            : Open file but don't import\r\n"},
         {"Overwrite existing records?"}},
        {"start day 1", [](CGeneralSetup& s) { s.m_startDayOfWeek = 1; },
         {"  Start day of week                   : Sunday\r\n"},
         {}},
        {"no start day", [](CGeneralSetup& s) { s.m_startDayOfWeek = 0; }, {}, {"Start day of week"}},
        {"the PLD format", [](CGeneralSetup& s) { s.m_defaultDatabaseFormat = 0; },
         {"  Default database file format        : Norvik (*.PLD)\r\n"},
         {}},
        {"price zones off", [](CGeneralSetup& s) { s.m_priceZoneMode = 1; },
         {"Price Zone Settings:\r\n  Price zone mode:  Disabled\r\n"},
         {}},
        {"a local store of an unknown zone", [](CGeneralSetup& s) { s.m_priceZoneMode = 0; s.m_localPriceZone = 7; },
         {"  Price zone mode:  Local store\r\n"},
         {}},
        {"family 9 lists the RUX field sets", [](CGeneralSetup& s) { s.m_defaultScaleFamily = 9; },
         {"PLU Fields (RUX):\r\n", "RUX Price Fields:\r\n"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CGeneralSetup saved = frame.GetGeneralSetup();
        c.set(frame.GeneralSetup());
        const std::string text = BuildSetupList(frame);
        frame.GeneralSetup() = saved;
        for (const std::string& line : c.present) EXPECT_TRUE(Holds(text, line)) << line;
        for (const std::string& part : c.absent) EXPECT_FALSE(Holds(text, part)) << part;
    }
}

TEST_F(SetupListTest, TheProfileAndTheFieldSetsAreListed)
{
    EXPECT_FALSE(Holds(BuildSetupList(frame), "PLU Profile:"));
    frame.Access().m_activePluRanges.Append(CPluRange(100, 199, "Meat"));
    auto field = std::make_unique<CLabProp>();
    field->m_name = "Unit Price";
    field->m_display = 1;
    field->m_print = 0;
    field->m_width = 6;
    frame.FieldDefs(FieldDefMap::Plu)[1] = std::move(field);

    const std::string text = BuildSetupList(frame);
    EXPECT_TRUE(Holds(text, "PLU Profile:\r\n        From      To  Comment\r\n         100       199  Meat\r\n\r\n"));
    EXPECT_TRUE(Holds(text, "PLU Fields:\r\n                 Name   Display  Print  Width\r\n"
                            "            Unit Price     Yes     No      6\r\n\r\n"));
}

TEST_F(SetupListTest, TheFileIsOfferedForViewingAndAFileThatCannotBeWrittenIsTold)
{
    RecordingTextViewer viewer;
    prompt.QueueSaveName(File("setup.txt"));
    prompt.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(OnOutputSetupList(site));
    EXPECT_TRUE(ReadWholeFile(File("setup.txt")) == BuildSetupList(frame));
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kViewSetupList}));
    EXPECT_EQ(viewer.m_shown, (std::vector<std::string>{File("setup.txt")}));

    prompt.QueueSaveName(File("setup.txt"));
    prompt.QueueAnswer(MessageAnswer::No);
    EXPECT_TRUE(OnOutputSetupList(site));
    EXPECT_EQ(viewer.m_shown.size(), 1u);

    WriteWholeFile(File("setup.txt"), "the old list");
    prompt.m_ids.clear();
    prompt.QueueSaveName(File("setup.txt"));
    fs.FailAt(1, true);
    EXPECT_FALSE(OnOutputSetupList(site));
    fs.FailAt(0);
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kSetupListFileError}));
    EXPECT_EQ(ReadWholeFile(File("setup.txt")), "the old list");
    EXPECT_EQ(viewer.m_shown.size(), 1u);
}

}  // namespace
}  // namespace varnel::test
