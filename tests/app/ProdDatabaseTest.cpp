// The production database beside the PLU database: its name, its versions, emptying its totals, and
// totals received from scales, which only an open production database takes.
#include "DocumentFixture.h"
#include "comms/idenq/LinkScale.h"

namespace varnel::test {
namespace {

TEST(ProdDatabaseName, ProdGoesBeforeTheFileNamesOwnExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/data/Shop.pld", "/data/ShopProd.pld"},
        {"/data/Shop.mdb", "/data/ShopProd.mdb"},
        {"/data/v1.2/Shop", "/data/v1.2/ShopProd.pld"},  // the directory's '.' is not the extension's
        {"/data/v1.2/Shop.pld", "/data/v1.2/ShopProd.pld"},
        {"Shop", "ShopProd.pld"},
        {"Shop.x.pld", "Shop.xProd.pld"},
    };
    for (const auto& [plu, prod] : cases) EXPECT_EQ(GetProdDatabaseName(plu), prod) << plu;
}

// A production database that records what the document asks of it, over the basic one.
class RecordingProdDatabase final : public IProdDatabase {
public:
    bool Open(const std::string& path) override { return m_inner.Open(path); }
    void Close() override { m_inner.Close(); }
    bool IsOpen() const override { return m_inner.IsOpen(); }
    std::uint16_t GetFileVersion() const override { return m_inner.GetFileVersion(); }
    void ConvertOldRecords() override { ++m_conversions; }
    bool SaveInCurrentFormat() override { return m_inner.SaveInCurrentFormat(); }
    CObjDBTable* GetProdTable(std::uint16_t tableNo) override { return m_inner.GetProdTable(tableNo); }
    void SetRetention(std::uint16_t tableNo, std::uint32_t days, std::uint8_t selector) override
    {
        m_retention.emplace_back(tableNo, days, selector);
    }
    bool EmptyTable(std::uint16_t tableNo) override { return m_inner.EmptyTable(tableNo); }
    bool ParseScaleRecord(std::uint16_t tableNo, const CLinkScaleSettings&, std::span<const std::uint8_t>) override
    {
        m_parsed.push_back(tableNo);
        return true;
    }

    CBasicProdDatabase m_inner;
    int m_conversions = 0;
    std::vector<std::tuple<std::uint16_t, std::uint32_t, std::uint8_t>> m_retention;
    std::vector<std::uint16_t> m_parsed;
};

class ProdDatabase : public DocumentTest {
protected:
    ProdDatabase()
    {
        auto prod = std::make_unique<RecordingProdDatabase>();
        recorder = prod.get();
        doc = std::make_unique<CVrn3Doc>(host, RealFileSystem(), clock, std::move(prod));
        WriteWholeFile(dir.File("Shop.pld"), PldImage(327, {}));
    }

    std::string ProdPath() const { return dir.File("ShopProd.pld"); }

    RecordingProdDatabase* recorder = nullptr;
};

TEST_F(ProdDatabase, EachVersionIsTakenConvertedOrRefused)
{
    struct Case {
        std::uint16_t version;
        bool opens;
        int conversions;
        std::uint16_t versionAfter;
    };
    const Case cases[] = {
        {354, true, 0, 354}, {353, true, 0, 354}, {352, true, 0, 354}, {350, true, 1, 354},
        {150, true, 1, 354}, {327, false, 0, 327}, {100, false, 0, 100},
    };
    ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
    for (const Case& c : cases) {
        WriteWholeFile(ProdPath(), PldImage(c.version, {{1, 9, "totals"}}));
        recorder->m_conversions = 0;
        EXPECT_EQ(doc->OpenProdDatabase(), c.opens) << c.version;
        EXPECT_EQ(recorder->m_conversions, c.conversions) << c.version;
        (void)doc->CloseProdDatabase();
        EXPECT_EQ(ReadWholeFile(ProdPath()).substr(0, 2), Le16(c.versionAfter)) << c.version;
    }
}

TEST_F(ProdDatabase, TheTablesGetTheirRetentionPeriods)
{
    host.m_switches.retentionDays = {10, 20, 30, 40, 50};
    ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
    ASSERT_TRUE(doc->OpenProdDatabase());
    using R = std::tuple<std::uint16_t, std::uint32_t, std::uint8_t>;
    EXPECT_EQ(recorder->m_retention, (std::vector<R>{{1, 20, 0}, {2, 10, 0}, {3, 20, 0}, {4, 40, 0}, {5, 50, 0},
                                                     {6, 20, 1}, {7, 30, 0}, {8, 30, 0}, {9, 30, 0}}));
}

TEST_F(ProdDatabase, ClearingEmptiesEveryTableAndClosesTheDatabase)
{
    EXPECT_EQ(doc->ClearProdTotals(true), CVrn3Doc::kMsgProdFileError);  // no PLU database open
    EXPECT_EQ(Shown(), std::vector<MessageId>{CVrn3Doc::kMsgProdFileError});

    ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
    WriteWholeFile(ProdPath(), PldImage(354, {{1, 9, "totals"}, {6, 2, "more"}, {9, 1, "test"}}));
    EXPECT_EQ(doc->ClearProdTotals(true), 0u);
    EXPECT_EQ(doc->GetProdTable(1), nullptr);
    ASSERT_TRUE(doc->OpenProdDatabase());
    for (std::uint16_t table = 1; table <= IProdDatabase::kTableCount; ++table)
        EXPECT_EQ(doc->GetProdTable(table)->GetRecordCount(), 0u) << table;
}

TEST_F(ProdDatabase, TotalsAreRefusedWhileTheProductionDatabaseIsClosed)
{
    const std::pair<std::uint16_t, std::uint16_t> kinds[] = {{14, 1}, {15, 6}, {16, 5}, {17, 2}, {18, 3},
                                                             {19, 4}, {39, 7}, {41, 8}, {42, 9}};
    ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
    CLinkScale scale;
    const std::uint8_t record[] = {1, 2, 3};
    for (const auto& [kind, table] : kinds) EXPECT_FALSE(doc->StoreReceivedRecord(kind, scale, record)) << kind;
    EXPECT_TRUE(recorder->m_parsed.empty());

    ASSERT_TRUE(doc->OpenProdDatabase());
    std::vector<std::uint16_t> tables;
    for (const auto& [kind, table] : kinds) {
        EXPECT_TRUE(doc->StoreReceivedRecord(kind, scale, record)) << kind;
        tables.push_back(table);
    }
    EXPECT_EQ(recorder->m_parsed, tables);
}

}  // namespace
}  // namespace varnel::test
