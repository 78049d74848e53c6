// Data Save files: the index and what makes a file have none, opening a file into the database, and
// rewriting it from the database, with what a rewrite keeps byte for byte and what a failure leaves.
#include "DataSaveFixture.h"

#include "support/FaultInjectingFileSystem.h"

#include <filesystem>

namespace varnel::test {
namespace {

using namespace std::string_literals;

using DataSaveFileTest = DataSaveFixture;

std::string Entry(std::uint16_t type)
{
    std::string entry(kDataSaveEntrySize, '\0');
    entry[0] = static_cast<char>(type);
    return entry;
}

TEST_F(DataSaveFileTest, AFileWithoutAValidIndexIsRefused)
{
    const std::string oneEntry = "ab" + Entry(DsvOther) + std::string("\x01\x00", 2);
    const std::pair<std::string, std::string> cases[] = {
        {"empty", ""},
        {"one byte", "\x01"},
        {"two bytes", std::string("\x01\x00", 2)},
        {"no sections", "abc" + std::string("\x00\x00", 2)},
        {"more entries than fit", Entry(DsvOther) + std::string("\x01\x00", 2)},
        {"201 entries", "x" + std::string(201 * kDataSaveEntrySize, '\0') + std::string("\xC9\x00", 2)},
        {"type 0", "ab" + Entry(0) + std::string("\x01\x00", 2)},
        {"type 11", "ab" + Entry(DsvOther) + Entry(11) + std::string("\x02\x00", 2)},
    };
    for (const auto& [name, bytes] : cases) {
        m_prompt.m_ids.clear();
        EXPECT_FALSE(m_files.LoadDataSaveFile(Write("file.dsv", bytes))) << name;
        EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61244}) << name;
    }
    EXPECT_TRUE(m_files.LoadDataSaveFile(Write("file.dsv", oneEntry)));
    EXPECT_FALSE(m_files.LoadDataSaveFile(m_dir.File("missing.dsv")));
    EXPECT_EQ(m_prompt.m_ids.back(), 61216u);
}

TEST_F(DataSaveFileTest, OpeningAFileStoresTheRecordsOfItsSectionsAndMakesItTheCurrentOne)
{
    const std::string items = WithLength(ItemRecord(12, 250, "\r\x03" "Ab")) + WithLength(ItemRecord(13, 99, ""));
    const std::string nutrition = WithLength("\x07\x00" "panel"s);
    const std::string path = Write("shop.dsv", DataSaveBytes({{"FOMT", "format bytes"},
                                                              {"ITEM", items},
                                                              {"INGR", nutrition},
                                                              {"LOGO", WithLength(ItemRecord(14, 1, ""))}}));
    ASSERT_TRUE(m_files.LoadDataSaveFile(path));
    ASSERT_NE(Plu(12), nullptr);
    EXPECT_EQ(Plu(12)->Get(PluCol::UnitPrice), 250);
    EXPECT_EQ(Plu(12)->GetDesc(), "\x1B" "C0Ab");
    ASSERT_NE(Plu(13), nullptr);
    EXPECT_EQ(Plu(14), nullptr) << "a section of another file goes into no table";
    EXPECT_NE(m_database.Nutrition().FindRecord(7), nullptr);
    EXPECT_EQ(m_frame.m_currentDataSaveFile, path);
    EXPECT_TRUE(m_prompt.m_ids.empty());
}

TEST_F(DataSaveFileTest, ABadLengthWordOrRecordEndsItsSectionAndTheNextSectionIsStillRead)
{
    const std::string second = WithLength(ItemRecord(2, 1, ""));
    const std::pair<std::string, std::string> cases[] = {
        {"zero length", std::string("\x00\x00", 2)},
        {"length 1", std::string("\x01\x00", 2)},
        {"longer than the largest record", std::string("\x47\x08", 2) + std::string(2118, '\0')},
        {"past the section's end", std::string("\x50\x00", 2) + "short"},
        {"refused by the table", WithLength(ItemRecord(0, 1, ""))},
    };
    for (const auto& [name, bad] : cases) {
        std::string items = WithLength(ItemRecord(1, 1, ""));
        items += bad;
        items += second;
        const std::string nutrition = WithLength("\x05\x00" "n"s);
        ASSERT_TRUE(m_files.LoadDataSaveFile(Write("f.dsv", DataSaveBytes({{"ITEM", items}, {"INGR", nutrition}}))));
        EXPECT_NE(Plu(1), nullptr) << name;
        EXPECT_EQ(Plu(2), nullptr) << name << ": the rest of the section is passed over";
        EXPECT_NE(m_database.Nutrition().FindRecord(5), nullptr) << name;
        (void)m_database.Plus().DeleteKey(1);
        (void)m_database.Nutrition().DeleteKey(5);
    }
}

TEST_F(DataSaveFileTest, PluNumbersTheProfileLeavesOutAreToldOnceTheFileIsRead)
{
    m_frame.m_access.m_activePluRanges.Append(CPluRange(10, 19, "held back"));
    m_frame.m_invalidRecordFlag = 1;  // from earlier work: cleared before the file is read
    const std::string items = WithLength(ItemRecord(12, 1, "")) + WithLength(ItemRecord(22, 1, ""));
    ASSERT_TRUE(m_files.LoadDataSaveFile(Write("f.dsv", DataSaveBytes({{"ITEM", items}}))));
    EXPECT_EQ(Plu(12), nullptr);
    EXPECT_NE(Plu(22), nullptr);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61290});
    EXPECT_EQ(m_frame.m_invalidRecordFlag, 0u);
}

class DataSaveRewriteTest : public DataSaveFixture {
protected:
    void SetUp() override
    {
        DataSaveFixture::SetUp();
        m_original = DataSaveBytes({{"FOMT", "label formats \x01\x02", 0x1234, 0x56},
                                    {"ITEM", WithLength(ItemRecord(5, 100, ""))},
                                    {"PSET", "presets nobody reads"},
                                    {"CAMPAIGN", "another file's bytes"}});
        m_path = Write("shop.dsv", m_original);
        ASSERT_TRUE(m_files.LoadDataSaveFile(m_path));
        Plu(5)->Set(PluCol::UnitPrice, 777);
        auto row = std::make_unique<CPluDefRec>();
        m_database.Plus().InitNewPlu(6, *row);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(m_database.Plus().AddPlu(6, size, std::move(row)));
    }

    // The sections of a file, by its index.
    static std::vector<std::pair<CDataSaveSection, std::string>> SectionsOf(const std::string& bytes)
    {
        const std::size_t count = static_cast<std::uint8_t>(bytes[bytes.size() - 2]);
        const std::size_t start = bytes.size() - 2 - count * kDataSaveEntrySize;
        std::vector<std::pair<CDataSaveSection, std::string>> sections;
        for (std::size_t i = 0; i < count; ++i) {
            const auto* entry = reinterpret_cast<const std::uint8_t*>(bytes.data() + start + i * kDataSaveEntrySize);
            const CDataSaveSection section =
                UnpackDataSaveSection(std::span<const std::uint8_t, kDataSaveEntrySize>(entry, kDataSaveEntrySize));
            const std::size_t end = i + 1 < count ? LoadLe32(entry + kDataSaveEntrySize + 2) : start;
            sections.emplace_back(section, bytes.substr(section.offset, end - section.offset));
        }
        return sections;
    }

    std::string m_original;
    std::string m_path;
};

TEST_F(DataSaveRewriteTest, TheDatabasesSectionsAreWrittenAnewAndTheOthersKeptByteForByteAtTheirNewOffsets)
{
    const std::string target = m_dir.File("copy.dsv");
    ASSERT_TRUE(m_files.WriteDataSaveFile(target));
    EXPECT_EQ(ReadWholeFile(m_path), m_original);
    EXPECT_EQ(m_frame.m_currentDataSaveFile, target);
    const auto before = SectionsOf(m_original);
    const auto after = SectionsOf(ReadWholeFile(target));
    ASSERT_EQ(after.size(), 4u);
    for (const std::size_t kept : {0u, 2u, 3u}) {
        EXPECT_EQ(after[kept].second, before[kept].second) << after[kept].first.Name();
        EXPECT_EQ(after[kept].first.name, before[kept].first.name);
    }
    EXPECT_EQ(after[0].first.reserved, 0x1234);
    EXPECT_EQ(after[0].first.reserved2, 0x56);
    EXPECT_NE(after[2].first.offset, before[2].first.offset) << "the PLU section grew";
    const auto* row5 = Plu(5);
    std::array<std::uint8_t, 4096> buffer{};
    std::string items;
    for (const CPluDefRec* row : {row5, static_cast<const CPluDefRec*>(Plu(6))}) {
        const std::size_t length = m_database.Plus().EncodeItemRecord(*row, buffer);
        items += WithLength(std::string(reinterpret_cast<const char*>(buffer.data()), length));
    }
    EXPECT_EQ(after[1].second, items);
}

TEST_F(DataSaveRewriteTest, ARewriteInPlaceReplacesTheCurrentFileAndKeepsIt)
{
    ASSERT_TRUE(m_files.WriteDataSaveFile(""));
    const std::string rewritten = ReadWholeFile(m_path);
    EXPECT_NE(rewritten, m_original);
    EXPECT_EQ(m_frame.m_currentDataSaveFile, m_path);
    ASSERT_TRUE(m_files.WriteDataSaveFile(m_path));
    EXPECT_EQ(ReadWholeFile(m_path), rewritten);
    (void)m_database.Plus().DeleteKey(5);
    (void)m_database.Plus().DeleteKey(6);
    ASSERT_TRUE(m_files.LoadDataSaveFile(m_path));
    EXPECT_EQ(Plu(5)->Get(PluCol::UnitPrice), 777);
    EXPECT_NE(Plu(6), nullptr);
}

TEST_F(DataSaveRewriteTest, AFailureAtAnyStepLeavesTheOldFileOrTheNewOneAndNothingBeside)
{
    FaultInjectingFileSystem fs;
    CDataSaveFiles files(m_store, LinkRoles::Of(m_frame), fs);
    for (std::uint64_t n = 1;; ++n) {
        m_prompt.m_ids.clear();
        fs.FailAt(n);
        const bool written = files.WriteDataSaveFile("");
        if (!fs.Fired()) {
            EXPECT_TRUE(written);
            break;
        }
        if (written) {
            EXPECT_NE(ReadWholeFile(m_path), m_original) << n << ": the new file stands in place";
            EXPECT_TRUE(m_prompt.m_ids.empty()) << n;
        } else {
            EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61216}) << n;
            EXPECT_EQ(ReadWholeFile(m_path), m_original) << n;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1) << n;
    }
}

TEST_F(DataSaveRewriteTest, WithoutACurrentFileOrAnIndexNothingIsWritten)
{
    m_frame.m_currentDataSaveFile.clear();
    EXPECT_FALSE(m_files.WriteDataSaveFile(m_dir.File("x.dsv")));
    EXPECT_EQ(m_prompt.m_ids.back(), 61216u);
    m_frame.m_currentDataSaveFile = Write("bad.dsv", "no index");
    EXPECT_FALSE(m_files.WriteDataSaveFile(m_dir.File("x.dsv")));
    EXPECT_EQ(m_prompt.m_ids.back(), 61244u);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("x.dsv")));
}

}  // namespace
}  // namespace varnel::test
