// The Data Save, QD47FD and compact commands over a real database and real files in a temporary
// directory, with scripted comms dialogs: what Save As writes and which file is current after it,
// the send's missing current file (61264), a QD47FD import that takes the dialog's same-number choice
// for itself only, an export read back, and a compact that fails without a database.
#include "DataSaveFixture.h"
#include "DocumentFixture.h"
#include "ScriptedCommsDialogs.h"
#include "app/DataSaveCommands.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/Qd47ComLink.h"
#include "comms/filelink/Qd47FdSettingsForm.h"
#include "db/plu/PluDefTb.h"
#include "golden/PluGolden.h"

#include <filesystem>

namespace varnel::test {
namespace {

class DataSaveCommands : public DocumentTest {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(frame);
        WriteWholeFile(dir.File("Shop.pld"), PldImage(327, {}));
        ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        doc->GetPluTable()->SetCompanionData(&TheGoldenCompanions());
        AddPlu(5, 500);
        dialogs.qd47FdSettings = [this](Qd47FdSettingsForm& form) {
            startDirectory = form.directory;
            form.directory = dir.Path() + "/";
            EXPECT_TRUE(form.SetFileNumber("3"));
            form.useFileData = useFileData;
            return true;
        };
    }

    void AddPlu(std::uint32_t plu, std::int32_t price)
    {
        CPluDefRec row;
        doc->GetPluTable()->InitNewPlu(plu, row);
        row.Set(PluCol::UnitPrice, price);
        ASSERT_TRUE(doc->SavePluRecord(row, plu, true));
    }
    std::int32_t PriceOf(std::uint32_t plu) const
    {
        const auto* row = dynamic_cast<const CPluDefRec*>(doc->GetPluTable()->FindRecord(plu));
        return row ? row->Get(PluCol::UnitPrice) : -1;
    }

    DataSaveSite Site()
    {
        DataSaveSite site;
        site.link = &link;
        site.setup = &frame.m_setup;
        site.fs = &RealFileSystem();
        site.roles.emplace(LinkRoles::Of(frame));
        site.currentDirectory = "/start/here/";
        return site;
    }

    // A Data Save file of a format section and one PLU that the database does not hold.
    std::string WriteDataSave(const std::string& name)
    {
        std::string path = dir.File(name);
        WriteWholeFile(path, DataSaveBytes({{"FOMT", "format"}, {"ITEM", WithLength(ItemRecord(12, 250, ""))}}));
        return path;
    }

    CQd47ComLink link{clock, RealFileSystem()};
    ScriptedCommsDialogs dialogs;
    bool useFileData = false;
    std::string startDirectory;
};

TEST_F(DataSaveCommands, SaveAsWritesTheDatabaseIntoTheChosenFileWhichBecomesCurrent)
{
    const std::string current = WriteDataSave("shop.dsv");
    const std::string before = ReadWholeFile(current);
    frame.m_currentDataSaveFile = current;

    EXPECT_FALSE(SaveDataSaveAs(*doc, Site()));  // the dialog cancelled
    EXPECT_EQ(frame.m_currentDataSaveFile, current);

    prompt.QueueSaveName(dir.File("copy.dsv"));
    ASSERT_TRUE(SaveDataSaveAs(*doc, Site()));
    EXPECT_EQ(frame.m_currentDataSaveFile, dir.File("copy.dsv"));
    EXPECT_EQ(ReadWholeFile(current), before);
    const std::string copy = ReadWholeFile(dir.File("copy.dsv"));
    EXPECT_EQ(copy.substr(0, 6), "format");
    EXPECT_NE(copy, before);  // the database's PLU 5 in place of the file's 12
    EXPECT_EQ(prompt.m_fileRequests.back().filter, "Data Save (*.dsv) |*.dsv|All Files (*.*)|*.*||");
}

TEST_F(DataSaveCommands, SendingTheDatabaseWithoutACurrentFileAsksForOne)
{
    dialogs.specifyTransmitData = [](SpecifyTransmitDataForm&) { return true; };  // the database, as preset
    frame.m_currentDataSaveFile = dir.File("gone.dsv");
    EXPECT_FALSE(SendDataSave(*doc, Site()));  // the file dialog cancelled
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgNoCurrentDataSave});
    EXPECT_EQ(frame.m_currentDataSaveFile, "");

    const std::string chosen = WriteDataSave("chosen.dsv");
    const std::string before = ReadWholeFile(chosen);
    prompt.QueueSaveName(chosen);
    EXPECT_FALSE(SendDataSave(*doc, Site()));  // the link has no line to send on
    EXPECT_EQ(frame.m_currentDataSaveFile, chosen);
    EXPECT_NE(ReadWholeFile(chosen), before);  // rewritten from the database before the send
}

TEST_F(DataSaveCommands, AChosenFileIsSentAsItIsAndACancelSendsNothing)
{
    const std::string file = WriteDataSave("other.dsv");
    const std::string before = ReadWholeFile(file);
    dialogs.specifyTransmitData = [](SpecifyTransmitDataForm& form) {
        form.Choose(SpecifyTransmitDataForm::Choice::DataSaveFile);
        return true;
    };
    EXPECT_FALSE(SendDataSave(*doc, Site()));  // the open dialog cancelled
    EXPECT_EQ(prompt.m_fileRequests.back().kind, FileRequest::Kind::Open);
    prompt.QueueSaveName(file);
    (void)SendDataSave(*doc, Site());
    EXPECT_EQ(ReadWholeFile(file), before);

    dialogs.specifyTransmitData = nullptr;
    const std::size_t asked = prompt.m_fileRequests.size();
    EXPECT_FALSE(SendDataSave(*doc, Site()));
    EXPECT_EQ(prompt.m_fileRequests.size(), asked);
}

TEST_F(DataSaveCommands, AQd47FdImportTakesTheDialogsSameNumberChoiceForItselfOnly)
{
    WriteWholeFile(dir.File("ITEM.003"), WithLength(ItemRecord(5, 777, "")) + WithLength(ItemRecord(6, 600, "")));
    for (const bool fileWins : {false, true}) {
        useFileData = fileWins;
        frame.m_setup.m_overwriteExisting = 0;
        ASSERT_TRUE(ImportQd47Fd(*doc, Site())) << fileWins;
        EXPECT_EQ(PriceOf(5), fileWins ? 777 : 500) << fileWins;
        EXPECT_EQ(PriceOf(6), 600) << fileWins;
        EXPECT_EQ(frame.m_setup.m_overwriteExisting, 0) << fileWins;
    }
    EXPECT_EQ(startDirectory, "/start/here/");

    dialogs.qd47FdSettings = nullptr;
    EXPECT_FALSE(ImportQd47Fd(*doc, Site()));
}

TEST_F(DataSaveCommands, AQd47FdExportReadsBackIntoTheDatabase)
{
    ASSERT_TRUE(ExportQd47Fd(*doc, Site()));
    ASSERT_TRUE(doc->GetPluTable()->DeleteKey(5));
    ASSERT_TRUE(ImportQd47Fd(*doc, Site()));
    EXPECT_EQ(PriceOf(5), 500);
}

TEST_F(DataSaveCommands, CompactingNeedsAnOpenDatabase)
{
    EXPECT_TRUE(CompactDatabase(*doc));
    doc->CloseDatabase();
    EXPECT_FALSE(CompactDatabase(*doc));
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgCannotCompact});
}

}  // namespace
}  // namespace varnel::test
