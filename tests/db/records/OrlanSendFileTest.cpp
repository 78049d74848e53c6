// "PLUSEND.GEN" for the outside maker's scales: its NAA, NAB and DAA records, and the runs that write
// the file in the scale data directory and start the site's script.
#include "PluRecordFixture.h"

#include "db/records/OrlanSendFile.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingProgramRunner.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace varnel::test {
namespace {

class OrlanSendFileTest : public PluRecordFixture {
protected:
    void SetUp() override
    {
        PluRecordFixture::SetUp();
        m_frame.m_setup.m_orlanComms = 1;
    }

    static void Plain(CPluDefRec& r)
    {
        r.Set(PluCol::Dept, 5);
        r.Set(PluCol::UnitPrice, 250);
        r.Set(PluCol::MarkFlag, 2);
        r.Set(PluCol::MarkPrice, 77);
        r.Set(PluCol::PackQuant, 3);
        r.Set(PluCol::Unit, 1);
        r.Set(PluCol::Tare, 12);
        r.Set(PluCol::SalesMode, 1);
        r.Set(PluCol::ShelfLife, 4);
        r.Set(PluCol::Posflag, 21);
        r.Set(PluCol::PosCode, "123");
        r.Set(PluCol::DateFlag, 3);
        r.SetDesc("", CharRule{});
    }

    std::string Header(const CPluDefRec& row)
    {
        std::array<std::uint8_t, kOrlanHeaderRecordSize> out{};
        const std::size_t length = WriteOrlanHeaderRecord(m_frame, FieldDefSet(m_frame), row, out);
        return std::string(reinterpret_cast<const char*>(out.data()), length);
    }

    OrlanSendSite Site() { return {m_dir.Path(), m_frame.GetTextRules().chars, m_frame}; }

    std::string SendFile() { return ReadWholeFile(m_dir.File("PLUSEND.GEN")); }

    TempDir m_dir;
    RecordingProgramRunner m_runner;
    RecordingPrompt m_prompt;
};

TEST_F(OrlanSendFileTest, TheHeaderRecordLaysOutThePlu)
{
    CPluDefRec& row = AddPlu(1234, Plain);
    EXPECT_EQ(Header(row), "NAA005005000001234"
                           "00010000"
                           "000250"
                           "00000013"   // MarkFlag is not 1
                           "00003" "01" "012" "0001"
                           "0000000004" "04" "21"
                           "0012300000"  // PosCode in the field's width of 5, then zeros
                           "4"           // DateFlag 3
                           "0000000000\r\n");
    row.Set(PluCol::MarkFlag, 1);
    row.Set(PluCol::LabelFormatNo2, 12);
    row.Set(PluCol::Dept, 1005);
    const std::string header = Header(row);
    EXPECT_EQ(header.substr(0, 26), "NAA005005000001234" "00120000");
    EXPECT_EQ(header.substr(32, 8), "00007713");
}

TEST_F(OrlanSendFileTest, AValueThatDoesNotFitRefusesThePluAndIsLogged)
{
    CPluDefRec& row = AddPlu(1234, Plain);
    row.Set(PluCol::PosCode, "1234567");
    EXPECT_EQ(Header(row), "");
    std::string records;
    EXPECT_FALSE(WriteOrlanPluRecords(Site(), Plus(), row, records));
    EXPECT_TRUE(records.empty());
    ASSERT_FALSE(m_frame.m_events.empty());
    EXPECT_NE(m_frame.m_events.back().second.find("PosCode"), std::string::npos);
}

TEST_F(OrlanSendFileTest, TextRecordsNumberTheirLinesOverTheDescriptionAndMessages)
{
    CPluDefRec& row = AddPlu(123, [](CPluDefRec& r) {
        Plain(r);
        r.SetDesc("\x1B" "C3Beef\x1B" "D1 rump\x1B" "C4" + std::string(90, 'x'), CharRule{});
        r.Set(PluCol::Message7, 7);
        r.Set(PluCol::Nutrition, 1);
    });
    std::string records;
    ASSERT_TRUE(WriteOrlanPluRecords(Site(), Plus(), row, records));
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < records.size();) {
        const std::size_t end = records.find("\r\n", start) + 2;
        lines.push_back(records.substr(start, end - start));
        start = end;
    }
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "NAB005005000000123000100000100" "00" "Beef rump\r\n");
    EXPECT_EQ(lines[2].substr(26, 6), "020000");
    EXPECT_EQ(lines[2].size(), 32u + 84 + 2);  // a line holds at most 84 characters
    EXPECT_EQ(lines[3].substr(26), "032000Beef (98%), salt, pepper\r\n");
    EXPECT_EQ(lines[4].substr(26, 6), "042000");
    EXPECT_EQ(lines[5].substr(26), "051000Energy 800kJ, protein 20g (family 0)\r\n");

    CPluDefRec& bare = AddPlu(124, Plain);
    records.clear();
    ASSERT_TRUE(WriteOrlanPluRecords(Site(), Plus(), bare, records));
    EXPECT_EQ(records.size(), kOrlanHeaderRecordSize);
}

TEST_F(OrlanSendFileTest, TheDeleteRecordTakesTheDepartmentModulo1000)
{
    std::string records;
    ASSERT_TRUE(WriteOrlanDeleteRecord(m_frame, 77, 1005, records));
    EXPECT_EQ(records, "DAA005005000000077" "00010000" + std::string(37, '0') + "\r\n");
    EXPECT_EQ(records.size(), 65u);
    EXPECT_FALSE(WriteOrlanDeleteRecord(m_frame, 1000000, 1, records));
}

TEST_F(OrlanSendFileTest, ARangeRunWritesTheFileAndStartsTheScriptThere)
{
    AddPlu(1, Plain);
    AddPlu(2, Plain);
    AddPlu(3, Plain);
    EXPECT_EQ(OrlanSendRange(Site(), Plus(), 2, 3, true), 0u);
    const std::string file = SendFile();
    EXPECT_EQ(file.size(), 2 * kOrlanHeaderRecordSize);
    EXPECT_EQ(file.substr(12, 6), "000002");
    ASSERT_EQ(m_runner.m_started.size(), 1u);
    EXPECT_EQ(m_runner.m_started[0].directory, m_dir.Path());
    EXPECT_EQ(m_runner.m_started[0].program, "OrlanSend.bat");
}

TEST_F(OrlanSendFileTest, AChangesRunDeletesMissingPlusAndForgetsTheChangesOnceWritten)
{
    AddPlu(1, Plain);
    Plus().RememberPluValue(1, 5);
    Plus().RememberPluValue(9, 1005);
    EXPECT_EQ(OrlanSendChanges(Site(), Plus(), false), 0u);
    const std::string file = SendFile();
    EXPECT_EQ(file.substr(0, 3), "NAA");
    EXPECT_EQ(file.substr(kOrlanHeaderRecordSize, 18), "DAA005005000000009");
    EXPECT_TRUE(Plus().GetRememberedPlus().empty());

    m_runner.m_started.clear();
    EXPECT_EQ(OrlanSendChanges(Site(), Plus(), false), 0u);  // nothing remembered: no file, no script
    EXPECT_TRUE(m_runner.m_started.empty());
}

TEST_F(OrlanSendFileTest, AFileThatCannotBeWrittenKeepsTheChangesAndStartsNothing)
{
    AddPlu(1, Plain);
    Plus().RememberPluValue(1, 5);
    FaultInjectingFileSystem fs(RealFileSystem());
    fs.FailAt(1, true);
    EXPECT_EQ(OrlanSendChanges(Site(), Plus(), true, fs), kMsgFileOpenError);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{kMsgFileOpenError});
    EXPECT_EQ(Plus().GetRememberedPlus().size(), 1u);
    EXPECT_TRUE(m_runner.m_started.empty());
}

TEST_F(OrlanSendFileTest, AScriptThatCannotStartIsReportedNotTakenForSuccess)
{
    AddPlu(1, Plain);
    m_runner.m_fail = true;
    EXPECT_EQ(OrlanSendRange(Site(), Plus(), 1, 1, true), kMsgOrlanScriptNotStarted);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{kMsgOrlanScriptNotStarted});
    EXPECT_EQ(SendFile().size(), kOrlanHeaderRecordSize);
}

}  // namespace
}  // namespace varnel::test
