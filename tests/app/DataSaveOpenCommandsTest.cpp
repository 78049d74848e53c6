// Data Save files opened by the main frame's commands, into real databases in a temporary site.
#include "app/DataSaveOpenCommands.h"

#include "AutomationSite.h"
#include "DataSaveFixture.h"
#include "FrameSiteFixture.h"
#include "ScriptedCommsDialogs.h"
#include "app/DatedBackup.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "db/plu/PluDefTb.h"

#include <filesystem>

namespace varnel::test {
namespace {

TEST(DataSaveDatabaseNameTest, OnlyTheFileNamesExtensionGivesWay)
{
    const struct {
        const char* path;
        const char* extension;
        const char* name;
    } cases[] = {
        {"/site/SHOP.DSV", ".mdb", "/site/SHOP.mdb"},
        {"/site/SHOP.DSV", ".pld", "/site/SHOP.pld"},
        {"/data/v1.2/SHOP", ".pld", "/data/v1.2/SHOP.pld"},
        {"/data/v1.2/SHOP.dsv", ".mdb", "/data/v1.2/SHOP.mdb"},
        {"SHOP", ".mdb", "SHOP.mdb"},
        {"/site/.dsv", ".pld", "/site/.dsv.pld"},
        {"/site/a.b.dsv", ".pld", "/site/a.b.pld"},
    };
    for (const auto& c : cases) EXPECT_EQ(DataSaveDatabaseName(c.path, c.extension), c.name) << c.path;
}

class DataSaveOpenCommandsTest : public FrameSiteTest {
protected:
    DataSaveOpenCommandsTest()
    {
        AddPluFieldDefs(frame);
        test::WriteWholeFile(File("SHOP.DSV"),
                             DataSaveBytes({{"ITEM", WithLength(ItemRecord(12, 250, "")) + WithLength(ItemRecord(13, 99, ""))}}));
    }
    // The user's choice in "Data Save Open Options"; none cancels it.
    void ChooseInDialog(std::optional<std::uint16_t> mode)
    {
        dialogs.dataSaveOpenOptions = [this, mode](DataSaveOpenOptionsForm& form) {
            ++m_optionDialogs;
            if (!mode) return false;
            form.SetMode(*mode);
            form.SetOverwrite(true);
            return true;
        };
    }
    bool HasPlu(std::uint32_t number) const
    {
        return document->IsDatabaseOpen() && document->GetPluTable()->FindRecord(number) != nullptr;
    }
    std::string BackupOf(const std::string& database) const
    {
        return frame.GetBackupDirectory() + "/" + DatedBackupName(database, std::chrono::year_month_day{
                                                                               std::chrono::year{2026},
                                                                               std::chrono::month{3},
                                                                               std::chrono::day{9}});
    }

    ScriptedCommsDialogs dialogs;
    int m_optionDialogs = 0;
};

TEST_F(DataSaveOpenCommandsTest, TheChosenModeOpensTheFileAloneIntoTheOpenDatabaseOrIntoANewOne)
{
    struct Case {
        const char* name;
        std::optional<std::uint16_t> mode;  // none: the dialog is cancelled
        bool opened;
        std::string database;  // open afterwards
        bool imported;
        std::string currentDataSave;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, false, "back.pld", false, ""},
        {"open only", DataSaveOpenOptionsForm::OpenOnly, true, "back.pld", false, "SHOP.DSV"},
        {"into the open database", DataSaveOpenOptionsForm::ImportCurrent, true, "back.pld", true, "SHOP.DSV"},
        {"into a new database", DataSaveOpenOptionsForm::ImportNew, true, "SHOP.pld", true, "SHOP.DSV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(File("back.pld"));
        std::filesystem::remove(File("SHOP.pld"));
        frame.SetCurrentDataSaveFile("");
        MakePluDatabase(File("back.pld"), {1}, clock);
        ASSERT_TRUE(document->OpenDatabase(File("back.pld")));
        ChooseInDialog(c.mode);
        prompt.QueueSaveName(File("SHOP.DSV"));

        EXPECT_EQ(OnOpenDataSave(site), c.opened);
        EXPECT_EQ(document->GetPathName(), File(c.database));
        EXPECT_EQ(HasPlu(12), c.imported);
        EXPECT_EQ(HasPlu(1), c.database == "back.pld");
        EXPECT_EQ(frame.GetCurrentDataSaveFile(), c.currentDataSave.empty() ? "" : File(c.currentDataSave));
        if (c.mode) {
            EXPECT_EQ(frame.GetDataSaveOpenChoice().mode, *c.mode);
            EXPECT_TRUE(frame.GetDataSaveOpenChoice().overwrite);
        }
        document->CloseDatabase();
    }
}

TEST_F(DataSaveOpenCommandsTest, WithoutTheOptionsShownTheGeneralSetupsModeIsUsed)
{
    frame.GeneralSetup().m_dataSaveShowOptions = 0;
    frame.GeneralSetup().m_dataSaveOpenMode = DataSaveOpenOptionsForm::ImportCurrent;
    MakePluDatabase(File("back.pld"), {1}, clock);
    ASSERT_TRUE(document->OpenDatabase(File("back.pld")));
    ChooseInDialog(DataSaveOpenOptionsForm::OpenOnly);

    EXPECT_TRUE(OpenDataSaveFile(site, File("SHOP.DSV")));
    EXPECT_EQ(m_optionDialogs, 0);
    EXPECT_TRUE(HasPlu(12));
    EXPECT_TRUE(HasPlu(1));
}

TEST_F(DataSaveOpenCommandsTest, ANewDatabaseKeepsTheFileOfItsNameAsADatedBackupFirst)
{
    MakePluDatabase(File("SHOP.pld"), {7, 8}, clock);
    MakePluDatabase(File("back.pld"), {1}, clock);
    ASSERT_TRUE(document->OpenDatabase(File("back.pld")));
    ChooseInDialog(DataSaveOpenOptionsForm::ImportNew);

    ASSERT_TRUE(OpenDataSaveFile(site, File("SHOP.DSV")));
    EXPECT_EQ(document->GetPathName(), File("SHOP.pld"));
    EXPECT_TRUE(HasPlu(12));
    EXPECT_FALSE(HasPlu(7));
    document->CloseDatabase();
    ASSERT_TRUE(document->OpenDatabase(BackupOf(File("SHOP.pld"))));
    EXPECT_TRUE(HasPlu(7));
    EXPECT_TRUE(HasPlu(8));
}

TEST_F(DataSaveOpenCommandsTest, WhenTheBackupCannotBeMadeNothingChanges)
{
    MakePluDatabase(File("SHOP.pld"), {7}, clock);
    MakePluDatabase(File("back.pld"), {1}, clock);
    test::WriteWholeFile(frame.GetBackupDirectory(), "a file where the backup directory would be");
    const std::string before = test::ReadWholeFile(File("SHOP.pld"));
    ASSERT_TRUE(document->OpenDatabase(File("back.pld")));
    ChooseInDialog(DataSaveOpenOptionsForm::ImportNew);

    EXPECT_FALSE(OpenDataSaveFile(site, File("SHOP.DSV")));
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{kDataSaveFileOpenError}));
    EXPECT_EQ(document->GetPathName(), File("back.pld"));
    EXPECT_TRUE(HasPlu(1));
    EXPECT_TRUE(test::ReadWholeFile(File("SHOP.pld")) == before);
}

TEST_F(DataSaveOpenCommandsTest, TheMdbFormatOfTheOpenDatabaseNamesTheNewOne)
{
    ASSERT_TRUE(document->OpenDatabase(File("back.mdb")));
    ChooseInDialog(DataSaveOpenOptionsForm::ImportNew);

    EXPECT_TRUE(OpenDataSaveFile(site, File("SHOP.DSV")));
    EXPECT_EQ(document->GetPathName(), File("SHOP.mdb"));
    EXPECT_TRUE(HasPlu(13));
}

TEST_F(DataSaveOpenCommandsTest, WithoutADatabaseTheFilesMdbDatabaseOpensWithItsRecords)
{
    prompt.QueueSaveName(std::nullopt);
    EXPECT_FALSE(OnOpenDataSaveNoDocument(site));
    EXPECT_FALSE(document->IsDatabaseOpen());

    prompt.QueueSaveName(File("SHOP.DSV"));
    EXPECT_TRUE(OnOpenDataSaveNoDocument(site));
    EXPECT_EQ(document->GetPathName(), File("SHOP.mdb"));
    EXPECT_TRUE(HasPlu(12));
    EXPECT_EQ(m_optionDialogs, 0);
}

}  // namespace
}  // namespace varnel::test
