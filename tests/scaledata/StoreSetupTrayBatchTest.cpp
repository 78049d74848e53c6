// The store settings, tray and label batch tables: records worked out by hand for each family, key
// records, records received from scales, and rows in ".pld" and ".mdb" files.
#include "ScaleDataFixture.h"

#include "scaledata/LabelBatchTb.h"
#include "scaledata/StoreSetupTb.h"
#include "scaledata/TrayTb.h"
#include "TableFileRoundTrips.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class StoreSetupTrayBatchTest : public ScaleDataFixture {
protected:
    CStoreSetupTb& Settings() { return TableOf<CStoreSetupTb>(CStoreSetupTb::kTableNo); }
    CTrayTb& Trays() { return TableOf<CTrayTb>(CTrayTb::kTableNo); }
    CLabelBatchTb& Batches() { return TableOf<CLabelBatchTb>(CLabelBatchTb::kTableNo); }

    template <class Row, class Table>
    Row& AddRow(Table& table, std::uint32_t key)
    {
        auto made = std::make_unique<Row>();
        Row& row = *made;
        if (!table.AddRecord(key, static_cast<std::uint16_t>(Row::kSize), std::move(made))) throw std::logic_error("not added");
        return row;
    }
    void AddBatch(std::uint32_t number, const std::vector<BatchLine>& lines)
    {
        auto row = std::make_unique<CLabelBatchRec>();
        row->SetLines(lines);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(Batches().AddRecord(number, size, std::move(row)));
    }
    static std::string Csv(std::uint8_t code0, std::uint8_t code1, const std::string& body)
    {
        return Header(code0, code1, static_cast<std::uint16_t>(body.size())) + body;
    }
};

TEST_F(StoreSetupTrayBatchTest, ANewStoreGoesToFamily9WithItsDefaultsAndToTheOthersWithItsTextsOnly)
{
    AddRow<CStoreSetupRec>(Settings(), 7);
    const BuiltRecord family9 = EncodeRow(Settings(), 9, 7);
    EXPECT_EQ(family9.code, 1002);
    EXPECT_EQ(family9.bytes, Csv(0x10, 0x02, "7,\"\",\"\",2,1,1,0,0,1,0,2,2,49,49,0,0,1,2,"));
    for (const std::uint16_t family : {10, 11})
        EXPECT_EQ(EncodeRow(Settings(), family, 7).bytes, Csv(0x10, 0x02, "7,\"\",\"\"," + std::string(15, ',')));
    EXPECT_EQ(EncodeRow(Settings(), 12, 7).bytes, Csv(0x10, 0x02, "7,\"\",\"\","));
    for (std::uint16_t family = 0; family <= 8; ++family) EXPECT_FALSE(EncodeRow(Settings(), family, 7).made);

    EXPECT_EQ(EncodeKey(Settings(), 12, 7).bytes, Csv(0x00, 0x02, "7,"));
    EXPECT_FALSE(EncodeKey(Settings(), 8, 7).made);
}

TEST_F(StoreSetupTrayBatchTest, AReceivedStoreKeepsWhatItsScaleSendsEmptyAndNeverAPriceMasterBelowTheFirst)
{
    const CLinkScaleSettings family9 = ScaleOf(9);
    ASSERT_TRUE(Settings().ReceiveScaleRecord(family9, BytesOf("12,\"North\",\"Quay 1\",3,0,1,5,6,2,1,3,4,50,51,7,2,4,1,")));
    const CStoreSetupRec* row = Settings().FindStore(12);
    ASSERT_NE(row, nullptr);
    using namespace store_setup_columns;
    EXPECT_EQ(row->Get(kName), "North");
    EXPECT_EQ(row->Get(kAddress), "Quay 1");
    EXPECT_EQ(row->Get(kPriceId), 2);
    EXPECT_EQ(row->Get(kPrintFlag), 0);
    EXPECT_EQ(row->Get(kBottomFormat), 6);
    EXPECT_EQ(row->Get(kPosFlagPlu8), 51);
    EXPECT_EQ(row->Get(kRegCode), 7);
    EXPECT_EQ(row->Get(kTopBar), 1);
    EXPECT_EQ(row->GetLength(), CStoreSetupRec::kSize);
    EXPECT_EQ(EncodeRow(Settings(), 9, 12).bytes,
              Csv(0x10, 0x02, "12,\"North\",\"Quay 1\",3,0,1,5,6,2,1,3,4,50,51,7,2,4,1,"));

    // Family 10 sends the settings empty, family 12 none: the stored ones stay, and a price master
    // of 0 (no index) leaves the stored one.
    ASSERT_TRUE(Settings().ReceiveScaleRecord(ScaleOf(10), BytesOf("12,\"South\",\"\"," + std::string(15, ','))));
    ASSERT_TRUE(Settings().ReceiveScaleRecord(ScaleOf(12), BytesOf("12,\"South\",\"Pier\",")));
    ASSERT_TRUE(Settings().ReceiveScaleRecord(family9, BytesOf("12,\"South\",\"Pier\",0,")));
    row = Settings().FindStore(12);
    EXPECT_EQ(row->Get(kName), "South");
    EXPECT_EQ(row->Get(kAddress), "Pier");
    EXPECT_EQ(row->Get(kPriceId), 2);
    EXPECT_EQ(row->Get(kPosFlagPlu8), 51);

    // A new store received empty takes the defaults.
    ASSERT_TRUE(Settings().ReceiveScaleRecord(ScaleOf(11), BytesOf("13,\"\",\"\",")));
    EXPECT_EQ(Settings().FindStore(13)->Get(kPosFlagPlu13), 49);
    EXPECT_EQ(Settings().FindStore(13)->Get(kPriceId), 1);

    // Stores 0 and 10000 are passed over; a record without a number is refused.
    EXPECT_TRUE(Settings().ReceiveScaleRecord(family9, BytesOf("0,\"A\",\"B\",")));
    EXPECT_TRUE(Settings().ReceiveScaleRecord(family9, BytesOf("10000,\"A\",\"B\",")));
    EXPECT_EQ(Settings().GetRecordCount(), 2u);
    EXPECT_FALSE(Settings().ReceiveScaleRecord(family9, BytesOf(",\"A\",")));
}

TEST_F(StoreSetupTrayBatchTest, ATrayGoesToFamily9OnlyEndingAfterContainerInTaiwan)
{
    CTrayRec& tray = AddRow<CTrayRec>(Trays(), 1);
    tray.SetEditorDefaults();
    tray.Set(tray_columns::kName, "Name");
    const std::string body = "1,1,1,2,200,130,30,0,0,0,0,0,\"\\x0d\\x06Name\",1,1,1,1,1,6,1,1,6,1,1,6,0,0,";
    const BuiltRecord built = EncodeRow(Trays(), 9, 1);
    EXPECT_EQ(built.code, 1030);
    EXPECT_EQ(built.bytes, Csv(0x10, 0x30, body + "1,"));
    m_frame.m_setup.m_market = MarketTaiwan;
    EXPECT_EQ(EncodeRow(Trays(), 9, 1).bytes, Csv(0x10, 0x30, body));
    for (const std::uint16_t family : {0, 6, 8, 10, 11, 12}) {
        EXPECT_FALSE(EncodeRow(Trays(), family, 1).made) << family;
        EXPECT_FALSE(EncodeKey(Trays(), family, 1).made) << family;
    }
    EXPECT_EQ(EncodeKey(Trays(), 9, 1).bytes, Csv(0x00, 0x30, "1,"));
}

TEST_F(StoreSetupTrayBatchTest, AReceivedTrayTakesItsNameAfterTheOpeningAndEveryField)
{
    const CLinkScaleSettings scale = ScaleOf(9);
    ASSERT_TRUE(Trays().ReceiveScaleRecord(
        scale, BytesOf("4,2,3,1,310,220,45,12,11,10,9,8,\"\\x0d\\x06Deep\",2,1,3,2,7,5,1,8,4,2,2,3,1,42,2,")));
    const CTrayRec* tray = Trays().FindTray(4);
    ASSERT_NE(tray, nullptr);
    using namespace tray_columns;
    EXPECT_EQ(tray->Get(kName), "Deep");
    EXPECT_EQ(tray->Get(kTrayType), 2);
    EXPECT_EQ(tray->Get(kLength), 310);
    EXPECT_EQ(tray->Get(kDetectWidth), 10);
    EXPECT_EQ(tray->Get(kFilmWeight), 8);
    EXPECT_EQ(tray->Get(kWrapVerticalPos2), 4);
    EXPECT_EQ(tray->Get(kTraySearch), 1);
    EXPECT_EQ(tray->Get(kContainer), 42);
    EXPECT_EQ(tray->Get(kFeedStopPos), 2);
    EXPECT_EQ(tray->GetLength(), CTrayRec::kSize);

    // A name field shorter than 9 characters gives an empty name; trays outside 1 to 9999 are passed over.
    ASSERT_TRUE(Trays().ReceiveScaleRecord(scale, BytesOf("4,2,3,1,310,220,45,12,11,10,9,8,\"\\x0d\\x06\",")));
    EXPECT_EQ(Trays().FindTray(4)->Get(kName), "");
    EXPECT_TRUE(Trays().ReceiveScaleRecord(scale, BytesOf("10000,1,")));
    EXPECT_EQ(Trays().GetRecordCount(), 1u);

    // Families 10 to 12 take no trays, so what they send is refused rather than read as family 9's.
    for (const std::uint16_t family : {10, 11, 12})
        EXPECT_FALSE(Trays().ReceiveScaleRecord(ScaleOf(family), BytesOf("5,1,")));
    EXPECT_EQ(Trays().FindTray(5), nullptr);
}

TEST_F(StoreSetupTrayBatchTest, ABatchGoesToFamilies6To12InTheirLineSlots)
{
    AddBatch(3, {{123, 2}});
    auto slots = [](const std::string& first) { return first + std::string(std::size_t{98} * 12, '\0'); };
    struct Case {
        std::uint16_t family;
        std::uint16_t code;
        std::string expected;
    } const cases[] = {
        {6, 40, "\x40\x00\x00\x00\x00\x00\xA4\x04"s + slots("\x00\x00\x01\x23\x03\x00\x00\x00\x00\x02\x01\x00"s)},
        {8, 40, "\x40\x00\x00\x00\x00\x00\xA4\x04"s + slots("\x00\x00\x01\x23\x03\x00\x00\x00\x00\x02\x01\x00"s)},
        {10, 1025, Header(0x10, 0x25, 1188) + slots("\x01\x23\x00\x00\x00\x03\x02\x00\x00\x00\x00\x01"s)},
        {12, 1025, Header(0x10, 0x25, 1188) + slots("\x00\x00\x01\x23\x00\x08\x00\x02\x00\x00\x00\x04"s)},
    };
    for (const Case& c : cases) {
        const BuiltRecord built = EncodeRow(Batches(), c.family, 3);
        EXPECT_EQ(built.code, c.code) << c.family;
        EXPECT_EQ(built.bytes, c.expected) << c.family;
    }
    for (const std::uint16_t family : {0, 5, 7, 9, 11}) EXPECT_FALSE(EncodeRow(Batches(), family, 3).made) << family;

    // PLU 7 goes to family 10 as the digits 0 7 and zeros, its digit count 1.
    AddBatch(4, {{7, 10}});
    EXPECT_EQ(EncodeRow(Batches(), 10, 4).bytes.substr(8, 12), "\x07\x00\x00\x00\x00\x01\x10\x00\x00\x00\x00\x02"s);

    // Values wider than their fields refuse the record.
    AddBatch(5, {{123, 10000}});
    EXPECT_EQ(EncodeRow(Batches(), 12, 5).refusedField, "Quantity");
    EXPECT_TRUE(EncodeRow(Batches(), 10, 5).made);
    AddBatch(6, {{123456789, 1}});
    EXPECT_EQ(EncodeRow(Batches(), 6, 6).refusedField, "PluNo");
    EXPECT_EQ(EncodeRow(Batches(), 10, 6).refusedField, "PluNo");

    BuiltRecord key = EncodeKey(Batches(), 8, 3);
    EXPECT_TRUE(key.made);
    EXPECT_EQ(key.code, 10);
    EXPECT_EQ(key.bytes, "");
    EXPECT_EQ(EncodeKey(Batches(), 12, 3).bytes, Csv(0x00, 0x25, "3,"));
    EXPECT_FALSE(EncodeKey(Batches(), 9, 3).made);
}

TEST_F(StoreSetupTrayBatchTest, ABatchIsCutAt99LinesAndStoredWithItsLinesOnly)
{
    std::vector<BatchLine> lines;
    for (std::uint32_t plu = 1; plu <= 100; ++plu) lines.push_back({plu, 1});
    CLabelBatchRec row;
    row.SetLines(lines);
    EXPECT_EQ(row.GetLines().size(), 99u);
    EXPECT_EQ(row.CalcDataSize(), 824);
    row.SetLines(std::vector<BatchLine>{{5, 1}, {0, 3}, {6, 1}});
    EXPECT_EQ(row.GetLines(), (std::vector<BatchLine>{{5, 1}}));
    EXPECT_EQ(row.CalcDataSize(), 40);
}

TEST_F(StoreSetupTrayBatchTest, ABatchFromFamily6Or8ReplacesBatch1ReadFromTheLeft)
{
    AddBatch(1, {{9, 9}, {8, 8}, {7, 7}});
    std::string record = "\x01\x23\x00\x00\x00\x03\x02\x00\x00\x00\x00\x01"s
                         "\x12\x34\x56\x78\x00\x08\x99\x99\x00\x00\x00\x04"s;
    record.resize(1188, '\0');
    ASSERT_TRUE(Batches().ReceiveScaleRecord(ScaleOf(8), BytesOf(record)));
    const CLabelBatchRec* batch = Batches().FindBatch(1);
    ASSERT_NE(batch, nullptr);
    EXPECT_EQ(batch->GetLines(), (std::vector<BatchLine>{{123, 2}, {12345678, 9999}}));
    EXPECT_EQ(batch->GetLength(), 48);
    EXPECT_EQ(Batches().GetRecordCount(), 1u);
    EXPECT_FALSE(Batches().ReceiveScaleRecord(ScaleOf(6), BytesOf(record.substr(0, 1187))));
}

TEST_F(StoreSetupTrayBatchTest, RowsKeepTheirValuesInPldAndMdbFiles)
{
    const std::vector<BatchLine> lines{{123, 2}, {4567, 30}};
    ForEachReopenedDatabase(
        [&](CPluDatabase& db) {
            auto setup = std::make_unique<CStoreSetupRec>();
            setup->Set(store_setup_columns::kAddress, std::string(119, 'A'));
            setup->Set(store_setup_columns::kRegCode, 999);
            ASSERT_TRUE(db.GetTable(CStoreSetupTb::kTableNo)->AddRecord(9999, CStoreSetupRec::kSize, std::move(setup)));
            auto tray = std::make_unique<CTrayRec>();
            tray->SetEditorDefaults();
            tray->Set(tray_columns::kName, std::string(31, 'T'));
            tray->Set(tray_columns::kFeedStopPos, 2);
            ASSERT_TRUE(db.GetTable(CTrayTb::kTableNo)->AddRecord(12, CTrayRec::kSize, std::move(tray)));
            auto batch = std::make_unique<CLabelBatchRec>();
            batch->SetName("Weekend");
            batch->SetLines(lines);
            const std::uint16_t size = batch->CalcDataSize();
            ASSERT_TRUE(db.GetTable(CLabelBatchTb::kTableNo)->AddRecord(2, size, std::move(batch)));
        },
        [&](CPluDatabase& db) {
            const CStoreSetupRec* setup = dynamic_cast<CStoreSetupTb&>(*db.GetTable(CStoreSetupTb::kTableNo)).FindStore(9999);
            ASSERT_NE(setup, nullptr);
            EXPECT_EQ(setup->Get(store_setup_columns::kAddress), std::string(119, 'A'));
            EXPECT_EQ(setup->Get(store_setup_columns::kRegCode), 999);
            EXPECT_EQ(setup->Get(store_setup_columns::kPosFlagPlu13), 49);
            const CTrayRec* tray = dynamic_cast<CTrayTb&>(*db.GetTable(CTrayTb::kTableNo)).FindTray(12);
            ASSERT_NE(tray, nullptr);
            EXPECT_EQ(tray->Get(tray_columns::kName), std::string(31, 'T'));
            EXPECT_EQ(tray->Get(tray_columns::kWidth), 130);
            EXPECT_EQ(tray->Get(tray_columns::kFeedStopPos), 2);
            EXPECT_EQ(tray->GetLength(), CTrayRec::kSize);
            const CLabelBatchRec* batch = dynamic_cast<CLabelBatchTb&>(*db.GetTable(CLabelBatchTb::kTableNo)).FindBatch(2);
            ASSERT_NE(batch, nullptr);
            EXPECT_EQ(batch->GetName(), "Weekend");
            EXPECT_EQ(batch->GetLines(), lines);
            EXPECT_EQ(batch->GetLength(), 48);
        });
}

}  // namespace
}  // namespace varnel::test
