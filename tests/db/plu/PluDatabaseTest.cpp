// The PLU database: its table factory, PLU rows stored in ".pld" and ".mdb" files, the PLU number
// rules and the change entries.
#include "MdbTestDatabase.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/PluTableRegistry.h"
#include "db/plu/UnbuiltTable.h"
#include "platform/ByteOrder.h"
#include "support/RecordingDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace varnel::test {
namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::unique_ptr<CPluDefRec> NewPlu(const CPluDefTb& plus, std::uint32_t number, std::string_view desc)
{
    auto row = std::make_unique<CPluDefRec>();
    plus.InitNewPlu(number, *row);
    row->SetDesc(desc, plus.GetRoles().Text().chars);
    row->SetNameFromDesc(plus.GetRoles().Text().chars);
    row->Set(PluCol::UnitPrice, static_cast<std::int32_t>(number * 10));
    return row;
}

class PluDatabaseTest : public ::testing::Test {
protected:
    // A new database file of that name with every table, open.
    void CreateAndOpen(CPluDatabase& db, const std::string& name)
    {
        db.CreateAllTables();
        ASSERT_TRUE(db.Create(m_dir.File(name))) << db.GetLastErrorText();
        ASSERT_TRUE(db.Open(m_dir.File(name))) << db.GetLastErrorText();
        ASSERT_NE(db.GetPluTable(), nullptr);
    }

    void AddPlus(CPluDefTb& plus, std::initializer_list<std::pair<std::uint32_t, std::string>> rows)
    {
        for (const auto& [number, desc] : rows) {
            auto row = NewPlu(plus, number, desc);
            const std::uint16_t size = row->CalcDataSize();
            ASSERT_TRUE(plus.AddPlu(number, size, std::move(row))) << number;
        }
    }

    TempDir m_dir;
    TestMainFrame m_frame;
};

TEST_F(PluDatabaseTest, TheFactoryMakesEachTableOfItsNumber)
{
    CPluDatabase db;
    for (std::uint16_t tableNo : {0, 1, 14, 16, 92, 200}) EXPECT_EQ(db.CreateTable(tableNo), nullptr) << tableNo;
    const auto plus = db.CreateTable(2);
    ASSERT_NE(dynamic_cast<CPluDefTb*>(plus.get()), nullptr);
    EXPECT_EQ(plus->GetName(), "Plus");
    const auto zones = db.CreateTable(15);
    ASSERT_NE(dynamic_cast<CPluPriceZoneTb*>(zones.get()), nullptr);
    EXPECT_EQ(zones->GetName(), "PluPriceZone");
    for (std::uint16_t tableNo : {3, 4, 12, 72, 83}) {
        const auto table = db.CreateTable(tableNo);
        ASSERT_NE(table, nullptr) << tableNo;
        EXPECT_TRUE(table->IsScaleDataTable()) << tableNo;
        EXPECT_EQ(table->GetName(), "");
    }
    for (std::uint16_t tableNo : {5, 6, 11, 13, 15, 87, 91}) {
        const auto table = db.CreateTable(tableNo);
        ASSERT_NE(table, nullptr) << tableNo;
        EXPECT_FALSE(table->IsScaleDataTable()) << tableNo;
    }
    EXPECT_EQ(db.GetOrCreateTable(40), nullptr);
    EXPECT_EQ(db.GetTableSlots(), 41u);
    EXPECT_EQ(db.GetVersionToWrite(), 327);
}

// A class that a subsystem above the PLU layer registers for its table.
class RegisteredTable final : public CObjDBTable {
public:
    RegisteredTable(std::uint16_t tableNo, CObjDatabase* database, std::string name, int tag)
        : CObjDBTable(tableNo, database, std::move(name)), m_tag(tag)
    {
    }
    int m_tag;
};

TEST_F(PluDatabaseTest, ARegisteredClassTakesItsTableNumberInPlaceOfThePlaceholderOrOfNone)
{
    // 53 has a placeholder until a class is registered for it; 60 is no table of the database until then.
    RegisterPluTable(53, MakesTable<RegisteredTable>("Registered", 7));
    RegisterPluTable(60, MakesTable<RegisteredTable>("Another", 8));
    // The other tests of this program make databases without these classes.
    struct Unregister {
        ~Unregister()
        {
            RegisterPluTable(53, nullptr);
            RegisterPluTable(60, nullptr);
        }
    } const unregister;
    CPluDatabase db;
    const auto table = db.CreateTable(53);
    const auto* registered = dynamic_cast<const RegisteredTable*>(table.get());
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered->GetName(), "Registered");
    EXPECT_EQ(registered->GetTableNo(), 53);
    EXPECT_EQ(registered->m_tag, 7);
    db.CreateAllTables();
    const auto* another = dynamic_cast<const RegisteredTable*>(db.GetTable(60));
    ASSERT_NE(another, nullptr);
    EXPECT_EQ(another->m_tag, 8);
    EXPECT_EQ(db.GetTable(61), nullptr);
    EXPECT_NE(db.GetPluTable(), nullptr);  // the PLU layer's own tables are registered from the start
}

TEST_F(PluDatabaseTest, PluRowsAreStoredByteExactInAPldFile)
{
    {
        CPluDatabase db;
        CreateAndOpen(db, "plu.pld");
        AddPlus(*db.GetPluTable(), {{7, ""}, {8, "\x1B" "C1ABCD"}, {9, "\x1B" "C1" + std::string(2047, 'z')}});
        auto raw = std::make_unique<CByteRowRecord>(5);
        std::memcpy(raw->GetData(), "bytes", 5);
        ASSERT_TRUE(db.GetOrCreateTable(87)->AddRecord(0, 5, std::move(raw)));  // kept as bytes
    }
    const std::vector<std::uint8_t> file = ReadFileBytes(m_dir.File("plu.pld"));
    ASSERT_GE(file.size(), 2u + 12 + 264);
    EXPECT_EQ(LoadLe16(&file[0]), 327);
    // The first record: PLU 7, 264 bytes (261 rounded up), Plu_No1, the fixed block, an empty text.
    EXPECT_EQ(LoadLe16(&file[2]), 2);
    EXPECT_EQ(LoadLe16(&file[4]), 264);
    EXPECT_EQ(LoadLe16(&file[6]), 264);
    EXPECT_EQ(LoadLe32(&file[10]), 7u);
    EXPECT_EQ(LoadLe32(&file[14]), 7u);
    EXPECT_EQ(LoadLe32(&file[14 + 64]), 70u);  // UnitPrice
    EXPECT_EQ(file[14 + 260], 0);

    CPluDatabase reopened;
    ASSERT_TRUE(reopened.Open(m_dir.File("plu.pld")));
    const CPluDefTb* plus = reopened.GetPluTable();
    ASSERT_NE(plus, nullptr);
    ASSERT_EQ(plus->GetRecordCount(), 3u);
    const auto* eight = dynamic_cast<const CPluDefRec*>(plus->FindRecord(8));
    ASSERT_NE(eight, nullptr);
    EXPECT_EQ(eight->GetLength(), 268);
    EXPECT_EQ(eight->GetDesc(), "\x1B" "C1ABCD"s);
    EXPECT_EQ(eight->Get(PluCol::Name), "ABCD");
    EXPECT_EQ(dynamic_cast<const CPluDefRec*>(plus->FindRecord(9))->GetLength(), 2312);
    const CDBRecord* raw = reopened.GetTable(87)->FindRecord(0);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw->GetData()), raw->GetLength()), "bytes");
}

// A file of more than 4 MB is read a piece at a time, and rows keep their data where it was read:
// every row comes back whole, also those that cross from one piece into the next, and a row that
// changes or grows leaves the rows beside it as they were.
TEST_F(PluDatabaseTest, ALargeFileReadsEveryRowWholeAndRowsChangeAlone)
{
    constexpr std::uint32_t kPlus = 4000;
    const auto descOf = [](std::uint32_t number, bool grown = false) {
        const std::size_t length = grown ? 1500 : number % 2 == 0 ? 2040 : 20;
        return "\x1B" "C1" + std::to_string(number) + std::string(length, static_cast<char>('a' + number % 26));
    };
    {
        CPluDatabase db;
        CreateAndOpen(db, "plu.pld");
        for (std::uint32_t number = 1; number <= kPlus; ++number) {
            auto row = NewPlu(*db.GetPluTable(), number, descOf(number));
            const std::uint16_t size = row->CalcDataSize();
            ASSERT_TRUE(db.GetPluTable()->AddPlu(number, size, std::move(row))) << number;
        }
    }
    ASSERT_GT(ReadFileBytes(m_dir.File("plu.pld")).size(), std::size_t{4} << 20);
    // With `grown` the description of that PLU grown and the price of the next one up by 1.
    const auto expectEveryRow = [&](CPluDefTb& plus, std::uint32_t grown) {
        ASSERT_EQ(plus.GetRecordCount(), kPlus);
        for (std::uint32_t number = 1; number <= kPlus; ++number) {
            const auto* row = dynamic_cast<const CPluDefRec*>(plus.FindRecord(number));
            ASSERT_NE(row, nullptr) << number;
            ASSERT_EQ(row->GetDesc(), descOf(number, number == grown)) << number;
            const bool repriced = grown != 0 && number == grown + 1;
            ASSERT_EQ(row->Get(PluCol::UnitPrice), static_cast<std::int32_t>(number * 10 + (repriced ? 1 : 0))) << number;
        }
    };
    {
        CPluDatabase db;
        db.CreateAllTables();
        ASSERT_TRUE(db.Open(m_dir.File("plu.pld")));
        CPluDefTb& plus = *db.GetPluTable();
        expectEveryRow(plus, 0);
        auto& grows = dynamic_cast<CPluDefRec&>(*plus.FindRecord(1801));
        grows.SetDesc(descOf(1801, true), plus.GetRoles().Text().chars);
        ASSERT_TRUE(plus.UpdatePlu(grows, grows.CalcDataSize()));
        auto& changes = dynamic_cast<CPluDefRec&>(*plus.FindRecord(1802));
        changes.Set(PluCol::UnitPrice, 18021);  // in its place
        ASSERT_TRUE(plus.UpdatePlu(changes, changes.CalcDataSize()));
        expectEveryRow(plus, 1801);
    }
    CPluDatabase reopened;
    reopened.CreateAllTables();
    ASSERT_TRUE(reopened.Open(m_dir.File("plu.pld")));
    expectEveryRow(*reopened.GetPluTable(), 1801);
}

TEST_F(PluDatabaseTest, PluRowsLiveInAnMdbFileColumnByColumn)
{
    {
        CPluDatabase db;
        CreateAndOpen(db, "plu.mdb");
        AddPlus(*db.GetPluTable(), {{7, ""}, {1234, "\x1B" "C2Cheese \xE9"}});
        auto* row = static_cast<CPluDefRec*>(db.GetPluTable()->FindRecord(1234));
        row->Set(PluCol::SalesMode, 200);
        ASSERT_TRUE(db.GetPluTable()->UpdatePlu(*row, row->CalcDataSize()));
    }
    const std::string path = m_dir.File("plu.mdb");
    EXPECT_EQ(QueryColumn(path, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
              (std::vector<std::string>{"PluPriceZone", "Plus", "Version"}));
    const auto columns = QueryColumn(path, "SELECT name FROM pragma_table_info('Plus')");
    ASSERT_EQ(columns.size(), std::size(kPluColumns));
    EXPECT_EQ(columns.front(), "Plu_No");
    EXPECT_EQ(columns[4], "RegCode");
    EXPECT_EQ(columns.back(), "Desc");
    EXPECT_EQ(QueryColumn(path, "SELECT SalesMode FROM Plus WHERE Plu_No = 1234"), std::vector<std::string>{"200"});

    CPluDatabase reopened;
    reopened.CreateAllTables();
    ASSERT_TRUE(reopened.Open(path)) << reopened.GetLastErrorText();
    const auto* row = dynamic_cast<const CPluDefRec*>(reopened.GetPluTable()->FindRecord(1234));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetDesc(), "\x1B" "C2Cheese \xE9"s);
    EXPECT_EQ(row->Get(PluCol::SalesMode), 200);
    EXPECT_EQ(row->Get(PluCol::UnitPrice), 12340);
    EXPECT_EQ(row->GetLength(), 272);
}

TEST_F(PluDatabaseTest, PluNumbersOutsideTheAllowedRangesAreRefusedAndFlagged)
{
    CPluDatabase db;
    CreateAndOpen(db, "plu.pld");
    CPluDefTb& plus = *db.GetPluTable();
    m_frame.m_setup.m_maxPluNo = 9999;
    m_frame.m_access.m_activePluRanges.AddRange(100, 199, "");
    for (std::uint32_t number : {0u, 10000u, 100u, 150u, 199u}) {
        m_frame.m_invalidRecordFlag = 0;
        EXPECT_FALSE(plus.AddPlu(number, 264, NewPlu(plus, number, ""))) << number;
        EXPECT_EQ(m_frame.m_invalidRecordFlag, 1u) << number;
    }
    m_frame.m_invalidRecordFlag = 0;
    EXPECT_TRUE(plus.AddPlu(200, 264, NewPlu(plus, 200, "")));
    EXPECT_EQ(m_frame.m_invalidRecordFlag, 0u);
    EXPECT_EQ(plus.GetRecordCount(), 1u);

    auto* row = static_cast<CPluDefRec*>(plus.FindRecord(200));
    m_frame.m_setup.m_maxPluNo = 150;
    EXPECT_FALSE(plus.UpdatePlu(*row, 264));
    EXPECT_EQ(m_frame.m_invalidRecordFlag, 1u);
}

TEST_F(PluDatabaseTest, AFreePluNumberLiesOutsideTheExcludedRanges)
{
    CPluDatabase db;
    CreateAndOpen(db, "plu.pld");
    CPluDefTb& plus = *db.GetPluTable();
    AddPlus(plus, {{1, ""}, {2, ""}, {30, ""}});
    m_frame.m_access.m_activePluRanges.AddRange(3, 29, "");
    std::uint32_t number = 1;
    ASSERT_TRUE(plus.FindFreePluNo(number, 1, 100));
    EXPECT_EQ(number, 31u);
    number = 1;
    EXPECT_FALSE(plus.FindFreePluNo(number, 1, 30));
}

TEST_F(PluDatabaseTest, TheCurrentScaleHoldsForOneBuildUnderTheLock)
{
    CPluDatabase db;
    CreateAndOpen(db, "plu.pld");
    CPluDefTb& plus = *db.GetPluTable();
    CLinkScaleSettings scale;
    scale.m_addOneDay = 1;
    scale.m_priceZone = 3;
    const BuildLock lock = plus.LockRecordBuild();
    {
        const CPluDefTb::CurrentScale current(plus, lock, scale);
        EXPECT_EQ(plus.GetCurrentAddOneDay(), 1u);
        EXPECT_EQ(plus.GetCurrentPriceZone(), 3);
        plus.GetScratchRow(lock).Set(PluCol::UnitPrice, 5);
    }
    EXPECT_EQ(plus.GetCurrentAddOneDay(), 0u);
    EXPECT_EQ(plus.GetCurrentPriceZone(), 0);
}

TEST_F(PluDatabaseTest, RememberedPlusAndSendFailureLines)
{
    CPluDatabase db;
    CreateAndOpen(db, "plu.pld");
    CPluDefTb& plus = *db.GetPluTable();
    plus.RememberPluValue(5, 1);
    EXPECT_TRUE(plus.GetRememberedPlus().empty());  // only for the outside maker's scales
    m_frame.m_setup.m_orlanComms = 1;
    plus.RememberPluValue(5, 1);
    plus.RememberPluValue(6, 2);
    plus.RememberPluValue(5, 3);
    EXPECT_EQ(plus.GetRememberedPlus(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{5, 3}, {6, 2}}));

    AddPlus(plus, {{3, ""}, {8, ""}, {9, ""}, {20, ""}});
    std::vector<std::uint32_t> logged;
    KeyCursor first = 4;
    plus.LogSendFailedRange([&](const CPluDefRec& row) { logged.push_back(row.GetKey()); }, first, 9);
    EXPECT_EQ(logged, (std::vector<std::uint32_t>{8, 9}));
    EXPECT_EQ(plus.GetTableCaption(), "PLU");
}

TEST_F(PluDatabaseTest, ChangeEntriesAreKeptOnceAndSentTogether)
{
    RecordingDocument document(m_frame);
    CPluDatabase db;
    CreateAndOpen(db, "plu.pld");
    EXPECT_TRUE(db.SendChangeEntries(m_frame, true));
    EXPECT_FALSE(db.SendChangeEntries(m_frame, false));
    EXPECT_TRUE(document.m_sends.empty());

    db.AddChangeEntry(SendRecords, *db.GetPluTable(), 5);
    db.AddChangeEntry(SendRecords, *db.GetPluTable(), 5);
    db.AddChangeEntry(SendKeyDeletes, *db.GetPluTable(), 5);
    db.AddChangeEntry(SendRecords, *db.GetOrCreateTable(13), 5);  // not a scale-data table
    ASSERT_EQ(db.GetChangeEntries().size(), 2u);

    document.m_sendNowResult = 61218;
    EXPECT_FALSE(db.SendChangeEntries(m_frame, true));
    ASSERT_EQ(document.m_sends.size(), 1u);
    EXPECT_TRUE(document.m_sends[0].now);
    EXPECT_EQ(document.m_sends[0].requests.size(), 2u);
    EXPECT_TRUE(db.GetChangeEntries().empty());

    db.AddChangeEntry(SendRecords, *db.GetPluTable(), 6);
    document.m_sendNowResult = 0;
    EXPECT_TRUE(db.SendChangeEntries(m_frame, false));
    EXPECT_TRUE(db.GetChangeEntries().empty());
}

}  // namespace
}  // namespace varnel::test
