// QD47FD files: the PLUs and the nutrition records written each to a file of their own and read back,
// what is asked before files are overwritten, and the files that cannot be read or hold bad data.
#include "DataSaveFixture.h"

#include "comms/filelink/Qd47FdFiles.h"

#include <filesystem>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class Qd47FdFilesTest : public DataSaveFixture {
protected:
    void SetUp() override
    {
        DataSaveFixture::SetUp();
        for (const std::uint32_t plu : {3, 4}) {
            auto row = std::make_unique<CPluDefRec>();
            m_database.Plus().InitNewPlu(plu, *row);
            row->Set(PluCol::UnitPrice, static_cast<std::int32_t>(plu * 100));
            const std::uint16_t size = row->CalcDataSize();
            ASSERT_TRUE(m_database.Plus().AddPlu(plu, size, std::move(row)));
        }
        ASSERT_TRUE(m_database.Nutrition().DecodeItemRecord(Bytes("\x09\x00" "panel"s)));
    }

    static std::span<const std::uint8_t> Bytes(const std::string& text)
    {
        return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
    }
    void Empty()
    {
        for (const std::uint32_t plu : {3, 4}) ASSERT_TRUE(m_database.Plus().DeleteKey(plu));
        ASSERT_TRUE(m_database.Nutrition().DeleteKey(9));
    }

    CQd47FdFiles m_qd47fd{m_store, m_frame};
    Qd47FdSelection m_none;
};

TEST_F(Qd47FdFilesTest, ExportedFilesReadBackIntoTheirTables)
{
    ASSERT_TRUE(m_qd47fd.Export(7, m_dir.Path(), true, m_none, false));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61272});
    EXPECT_EQ(ReadWholeFile(m_dir.File("INGR.007")), WithLength("\x09\x00" "panel"s));
    Empty();
    ASSERT_TRUE(m_qd47fd.Import(7, m_dir.Path() + "/", true, m_none, false));
    EXPECT_EQ(m_prompt.m_ids.back(), 61273u);
    ASSERT_NE(Plu(4), nullptr);
    EXPECT_EQ(Plu(4)->Get(PluCol::UnitPrice), 400);
    EXPECT_NE(m_database.Nutrition().FindRecord(9), nullptr);
}

TEST_F(Qd47FdFilesTest, OnlyTheChosenFilesAndForFileServerScalesOnlyPlusAndMessages)
{
    Qd47FdSelection nutrition;
    nutrition.nutrition = true;
    ASSERT_TRUE(m_qd47fd.Export(1, m_dir.Path(), false, nutrition, false));
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("INGR.001")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("ITEM.001")));
    ASSERT_TRUE(m_qd47fd.Export(2, m_dir.Path(), true, m_none, true));
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("ITEM.002")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("INGR.002")));
}

TEST_F(Qd47FdFilesTest, ExistingFilesAreOverwrittenOnlyWhenTheUserAllowsIt)
{
    WriteWholeFile(m_dir.File("ITEM.001"), "old");
    m_prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(m_qd47fd.Export(1, m_dir.Path(), true, m_none, false));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{31531});
    EXPECT_EQ(ReadWholeFile(m_dir.File("ITEM.001")), "old");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("INGR.001")));
    EXPECT_TRUE(m_qd47fd.Export(1, m_dir.Path(), true, m_none, false));
    EXPECT_NE(ReadWholeFile(m_dir.File("ITEM.001")), "old");
}

TEST_F(Qd47FdFilesTest, AMissingFileIsNamedAndABadRecordEndsItsFile)
{
    Empty();
    WriteWholeFile(m_dir.File("item.003"), WithLength(ItemRecord(1, 5, "")) + WithLength(ItemRecord(0, 5, "")) +
                                               WithLength(ItemRecord(2, 5, "")));
    EXPECT_TRUE(m_qd47fd.Import(3, m_dir.Path(), true, m_none, false));
    ASSERT_EQ(m_prompt.m_texts.size(), 3u);
    EXPECT_EQ(m_prompt.m_ids[0], 61267u) << "the PLU file, in small letters, holds a PLU 0";
    EXPECT_EQ(m_prompt.m_texts[1], "File open error:  <" + m_dir.File("INGR.003") + ">");
    EXPECT_EQ(m_prompt.m_ids[2], 61273u);
    EXPECT_NE(Plu(1), nullptr);
    EXPECT_EQ(Plu(2), nullptr);

    m_prompt.m_ids.clear();
    EXPECT_FALSE(m_qd47fd.Import(3, m_dir.Path(), false, m_none, false));
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61275});
}

}  // namespace
}  // namespace varnel::test
