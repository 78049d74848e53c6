// Databases of older versions, written at their old layouts, converted after the question: the
// converted rows byte by byte at their offsets, the version stamped, and the old file left as it was
// when the user says no or any file call of the conversion fails.
#include "DocumentFixture.h"
#include "support/ScaleDataRegistration.h"
#include "support/FaultInjectingFileSystem.h"

namespace varnel::test {
namespace {

constexpr MessageId kQuestion = CVrn3Doc::kMsgPreviousVersion;

std::string Zeros(std::size_t size) { return std::string(size, '\0'); }

class Migration : public DocumentTest {
protected:
    Migration()
    {
        host.m_department = std::make_unique<CMasterScale>();
        host.m_department->m_name = "Deli";
    }

    // The file at `name`, of `version`, made the department's database so the conversion is saved
    // in place.
    std::string WritePld(const std::string& name, std::uint16_t version, const std::vector<FixtureRow>& rows)
    {
        const std::string path = dir.File(name);
        WriteWholeFile(path, PldImage(version, rows));
        host.m_department->m_database = path;
        return path;
    }
    std::string WriteMdbFile(const std::string& name, std::uint16_t version, const std::vector<FixtureRow>& rows)
    {
        const std::string path = dir.File(name);
        WriteMdb(path, version, rows);
        host.m_department->m_database = path;
        return path;
    }
};

std::vector<FixtureRow> PriceZoneRows()
{
    return {{15, 0x01000007, DataBlock(132, {{0, Le16(1) + Le16(10) + Le32(250)}})},
            {15, 0x02000003, DataBlock(132, {{0, Le16(2) + Le16(10) + Le32(199)}})}};
}

TEST_F(Migration, Version326MovesSixBytesAfterTheQuestionAndIsSavedInPlace)
{
    const std::string path = WritePld("Shop.pld", 326, {{2, 5, DataBlock(300, {{46, "ABCDEF"}})}});
    ASSERT_TRUE(doc->OpenDatabase(path));
    EXPECT_EQ(Shown(), std::vector<MessageId>{kQuestion});
    doc->CloseDatabase();
    EXPECT_EQ(StoredVersion(path), 327);
    EXPECT_EQ(Slice(StoredData(path, 2, 5), 249, 6), "ABCDEF");
}

TEST_F(Migration, WithoutADepartmentDatabaseTheUserChoosesWhereTheConversionGoes)
{
    const std::string path = WritePld("Shop.pld", 326, {{2, 5, DataBlock(300, {{46, "ABCDEF"}})}});
    host.m_department.reset();
    const std::string before = ReadWholeFile(path);
    EXPECT_FALSE(doc->OpenDatabase(path));  // the save dialog cancelled
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_FALSE(doc->IsDatabaseOpen());

    prompt.QueueSaveName(dir.File("Shop327.pld"));
    ASSERT_TRUE(doc->OpenDatabase(path));
    EXPECT_EQ(doc->GetTitle(), "Shop327.pld");
    EXPECT_EQ(host.m_lastPath, dir.File("Shop327.pld"));
    doc->CloseDatabase();
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(StoredVersion(dir.File("Shop327.pld")), 327);
}

TEST_F(Migration, ARefusedConversionLeavesTheFileAsItWasAndNothingOpen)
{
    const std::string pld = WritePld("Shop.pld", 300, PriceZoneRows());
    const std::string mdb = WriteMdbFile("Shop.mdb", 300, PriceZoneRows());
    for (const std::string& path : {pld, mdb}) {
        host.m_department->m_database = path;
        const std::string before = ReadWholeFile(path);
        prompt.QueueAnswer(MessageAnswer::No);
        EXPECT_FALSE(doc->OpenDatabase(path)) << path;
        EXPECT_FALSE(doc->IsDatabaseOpen());
        EXPECT_EQ(frame.m_document, nullptr);
        EXPECT_EQ(ReadWholeFile(path), before) << path;
    }
}

TEST_F(Migration, Version200ConvertsNutritionPluTextsExtraMessagesAndStores)
{
    std::string nutrition(138, '\0');
    for (std::uint16_t i = 0; i < 20; ++i) {
        nutrition.replace(36 + 2 * i, 2, Le16(static_cast<std::uint16_t>(i == 0 ? 65535 : i)));
        nutrition.replace(76 + 2 * i, 2, Le16(static_cast<std::uint16_t>(100 + i)));
        nutrition[116 + i] = static_cast<char>(i + 1);
    }
    nutrition.replace(136, 2, Le16(999));
    const std::string storeText(60, 'T');
    const std::string path = WritePld(
        "Old.pld", 200,
        {{2, 5,
          DataBlock(200, {{34, "123"}, {92, Le16(700)}, {94, Le16(800)}, {116, "4"}, {120, "56"}, {132, "XXXX"},
                          {154, "Y"}, {156, "ZZZZ"}})},
         {2, 6, DataBlock(200, {{34, "ab"}, {184, Le32(42)}})},
         {4, 1, DataBlock(60, {{34, Le16(0x1234)}, {36, "keep"}})},
         {7, 1, DataBlock(200, {{62, "ab"}, {64, storeText}, {124, Le16(0x4242)}, {126, "cd"}, {130, "junk"}})},
         {9, 5, nutrition}});
    ASSERT_TRUE(doc->OpenDatabase(path));
    doc->CloseDatabase();
    ASSERT_EQ(StoredVersion(path), 327);

    const std::string plu5 = StoredData(path, 2, 5);
    EXPECT_EQ(Slice(plu5, 160, 4), Le32(700));
    EXPECT_EQ(Slice(plu5, 172, 4), Le32(800));
    EXPECT_EQ(Slice(plu5, 168, 4), Le32(123));
    EXPECT_EQ(Slice(plu5, 166, 2), Le16(56));
    EXPECT_EQ(Slice(plu5, 164, 2), Le16(4));
    EXPECT_EQ(Slice(plu5, 132, 4), Zeros(4));
    EXPECT_EQ(Slice(plu5, 154, 1), Zeros(1));
    EXPECT_EQ(Slice(plu5, 156, 4), Zeros(4));
    EXPECT_EQ(Slice(plu5, 184, 4), Le32(5));  // PLU 5 has a nutrition record
    const std::string plu6 = StoredData(path, 2, 6);
    EXPECT_EQ(Slice(plu6, 184, 4), Le32(0));
    EXPECT_EQ(Slice(plu6, 168, 4), Le32(0));  // "ab" is no number

    const std::string newNutrition = StoredData(path, 9, 5);
    ASSERT_EQ(newNutrition.size(), 218u);
    EXPECT_EQ(Slice(newNutrition, 36, 6), std::string("65535\0", 6));
    EXPECT_EQ(Slice(newNutrition, 42, 6), std::string("1\0\0\0\0\0", 6));
    EXPECT_EQ(Slice(newNutrition, 36 + 6 * 19, 6), std::string("19\0\0\0\0", 6));
    EXPECT_EQ(Slice(newNutrition, 156, 2), Le16(100));
    EXPECT_EQ(Slice(newNutrition, 194, 2), Le16(119));
    EXPECT_EQ(Slice(newNutrition, 196, 20), nutrition.substr(116, 20));
    EXPECT_EQ(Slice(newNutrition, 216, 2), Le16(999));

    const std::string message = StoredData(path, 4, 1);
    EXPECT_EQ(Slice(message, 34, 6), std::string("\0\0keep", 6));

    const std::string store = StoredData(path, 7, 1);
    ASSERT_EQ(store.size(), 260u);
    EXPECT_EQ(Slice(store, 128, 2), "ab");
    EXPECT_EQ(Slice(store, 130, 60), storeText);
    EXPECT_EQ(Slice(store, 190, 2), Le16(0x4242));
    EXPECT_EQ(Slice(store, 192, 66), Zeros(66));
    EXPECT_EQ(Slice(store, 258, 2), "cd");
}

TEST_F(Migration, Version100TurnsItsOldCampaignRecordsIntoCampaignsOnceSaved)
{
    RegisterScaleDataTablesForTests();
    // Lines 12 bytes apart, as the oldest records hold them: PLU, price, sales mode (and two bytes over).
    const std::string lines = Le32(123) + Le32(499) + Le16(1) + Le16(0) + Le32(124) + Le32(599) + Le16(2);
    const std::string when = "\x09\x08\x00\x0A" + Le16(2024) + "\x10\x14\x1E\x0A" + Le16(2024);
    const std::string old = WritePld("Old.pld", 100, {{5, 3, DataBlock(1264, {{0, "Spring"}, {40, when}, {64, lines}})}});
    // The oldest version is always saved as a new database.
    const std::string path = dir.File("New.pld");
    prompt.QueueSaveName(path);
    ASSERT_TRUE(doc->OpenDatabase(old));
    doc->CloseDatabase();
    ASSERT_EQ(StoredVersion(path), 327);

    EXPECT_EQ(StoredData(path, 5, 3), "");
    const std::string campaign = StoredData(path, 10, 3);
    ASSERT_EQ(campaign.size(), 66u);
    EXPECT_EQ(Slice(campaign, 0, 7), std::string("Spring\0", 7));
    const std::string second = StoredData(path, 11, (3u << 24) + 1);
    ASSERT_EQ(second.size(), 20u);
    EXPECT_EQ(Slice(second, 0, 4), Le32(3));
    EXPECT_EQ(Slice(second, 4, 4), Le32(124));
    EXPECT_EQ(Slice(second, 8, 4), Le32(599));
    EXPECT_EQ(Slice(second, 12, 2), Le16(2));
}

TEST_F(Migration, PriceZoneRowsAreRenumberedInBothKindsOfDatabase)
{
    for (const bool mdb : {false, true}) {
        const std::string path =
            mdb ? WriteMdbFile("Zones.mdb", 300, PriceZoneRows()) : WritePld("Zones.pld", 300, PriceZoneRows());
        ASSERT_TRUE(doc->OpenDatabase(path)) << path;
        doc->CloseDatabase();
        ASSERT_EQ(StoredVersion(path), 327) << path;
        const std::string first = StoredData(path, 15, 1);
        const std::string second = StoredData(path, 15, 2);
        EXPECT_EQ(Slice(first, 128, 4), Le32(7)) << path;
        EXPECT_EQ(Slice(first, 0, 8), Le16(1) + Le16(10) + Le32(250)) << path;
        EXPECT_EQ(Slice(second, 128, 4), Le32(3)) << path;
        EXPECT_TRUE(StoredData(path, 15, 0x01000007).empty()) << path;
    }
}

TEST_F(Migration, AnMdbOfVersion203LinksEachPluToItsNutritionRecord)
{
    // The nutrition table keeps no ".mdb" rows yet, so no PLU finds its record.
    const std::string path = WriteMdbFile("Old.mdb", 203, {{2, 5, DataBlock(300, {{120, Le32(77)}})}});
    ASSERT_TRUE(doc->OpenDatabase(path));
    doc->CloseDatabase();
    EXPECT_EQ(StoredVersion(path), 327);
    EXPECT_EQ(Slice(StoredData(path, 2, 5), 120, 4), Le32(0));
}

TEST_F(Migration, EveryFailingFileCallLeavesEitherTheOldFileOrTheWholeConversion)
{
    for (const bool mdb : {false, true}) {
        const std::string name = mdb ? "Faults.mdb" : "Faults.pld";
        const std::string path = dir.File(name);
        for (std::uint64_t n = 1;; ++n) {
            if (mdb)
                WriteMdb(path, 300, PriceZoneRows());
            else
                WriteWholeFile(path, PldImage(300, PriceZoneRows()));
            host.m_department->m_database = path;
            const std::string before = ReadWholeFile(path);
            FaultInjectingFileSystem fs;
            {
                CVrn3Doc faulty(host, fs, clock);
                fs.FailAt(n);
                if (faulty.OpenDatabase(path)) faulty.CloseDatabase();
            }
            frame.m_document = nullptr;
            const bool unchanged = ReadWholeFile(path) == before;
            const bool converted = StoredVersion(path) == 327 && Slice(StoredData(path, 15, 2), 128, 4) == Le32(3);
            EXPECT_TRUE(unchanged || converted) << name << " failing call " << n;
            if (!fs.Fired()) break;
        }
    }
}

}  // namespace
}  // namespace varnel::test
