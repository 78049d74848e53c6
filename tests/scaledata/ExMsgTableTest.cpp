// The message tables: their rows in ".pld" and ".mdb" files, the records they store from scales,
// files and Data Save files, and the range walks of the table base over them.
#include "ScaleDataFixture.h"

#include "MdbTestDatabase.h"
#include "comms/DataSaveFixture.h"
#include "comms/filelink/DataSaveStore.h"
#include "db/plu/PluDefTb.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/MessageRules.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class ExMsgTableTest : public ScaleDataFixture {
protected:
    CExMsgTb& Extra() { return TableOf<CExMsgTb>(MsgKindToTableId(MsgExtra)); }
    CExMsgTb& Coupons() { return TableOf<CExMsgTb>(MsgKindToTableId(MsgCoupon)); }

    // The character rule of the test frame's market.
    CharRule Chars() const { return m_frame.GetTextRules().chars; }

    bool Add(CExMsgTb& table, std::uint32_t number, const std::string& text) const
    {
        auto row = std::make_unique<CExMsgRec>(0);
        row->SetText(text);
        row->MakeNameFromText(Chars());
        const std::uint16_t size = row->CalcDataSize();
        return table.AddRecord(number, size, std::move(row));
    }

    TempDir m_dir;
};

TEST_F(ExMsgTableTest, TheFactoryMakesEachMessageTableWithItsKindAndName)
{
    struct Case {
        std::uint16_t tableNo;
        const char* name;
        std::uint32_t kind;
    } const cases[] = {{8, "Coupon", 1},     {4, "ExtraMsg", 2},  {29, "ExtraMsg2", 3},    {30, "ExtraMsg3", 4},
                       {72, "FreeMsg1", 5},  {76, "FreeMsg5", 9}, {78, "Ingredients", 10}, {70, "Comment", 11}};
    for (const Case& c : cases) {
        const auto& table = TableOf<CExMsgTb>(c.tableNo);
        EXPECT_EQ(table.GetName(), c.name);
        EXPECT_EQ(table.GetKind(), c.kind);
        EXPECT_EQ(MsgKindToTableId(c.kind), c.tableNo);
    }
    EXPECT_EQ(MsgKindToTableId(MsgStorageInstruct), 81);
    EXPECT_EQ(MsgKindToTableId(14), 0);
}

TEST_F(ExMsgTableTest, RowSizesAndNamesFollowTheText)
{
    EXPECT_EQ(Extra().CreateRecord(2169), nullptr);
    CExMsgRec empty(0);
    EXPECT_EQ(empty.GetLabelWidth(), 60);
    empty.MakeNameFromText(Chars());
    EXPECT_EQ(empty.GetName(), "");
    EXPECT_EQ(empty.CalcDataSize(), 68);
    EXPECT_EQ(empty.CalcReceivedSize(), 68);

    CExMsgRec row(0);
    row.SetText("\x1B" "C1" "\x1B" "D1" + std::string(35, 'N') + "\x1B" "C2second line");
    row.MakeNameFromText(Chars());
    EXPECT_EQ(row.GetName(), std::string(30, 'N'));
    EXPECT_EQ(row.CalcDataSize(), 120);  // 65 + 55 rounded up

    // A double-byte character that would cross byte 30 is left out whole.
    m_frame.m_setup.m_market = MarketTaiwan;
    row.SetText("\x1B" "C1" + std::string(29, 'A') + "\xB0\xA1" "B");
    row.MakeNameFromText(Chars());
    EXPECT_EQ(row.GetName(), std::string(29, 'A'));

    row.SetText(std::string(2500, 'x'));
    EXPECT_EQ(row.GetText().size(), 2100u);
    EXPECT_EQ(row.CalcDataSize(), 2168);
}

TEST_F(ExMsgTableTest, RowsKeepTheirTextsInPldAndMdbFiles)
{
    m_frame.m_setup.m_maxExMessageNo = 9999;  // ingredients are keyed by PLU number
    for (const char* name : {"plu.pld", "plu.mdb"}) {
        const std::string path = m_dir.File(name);
        const std::string longText = "\x1B" "C1" + std::string(2097, 'x');
        {
            CPluDatabase db;
            db.CreateAllTables();
            ASSERT_TRUE(db.Create(path)) << db.GetLastErrorText();
            ASSERT_TRUE(db.Open(path)) << db.GetLastErrorText();
            auto& extra = dynamic_cast<CExMsgTb&>(*db.GetTable(4));
            ASSERT_TRUE(Add(extra, 5, "\x1B" "C1HELLO"));
            ASSERT_TRUE(Add(extra, 6, longText));
            ASSERT_TRUE(Add(extra, 7, ""));
            CExMsgRec* five = extra.FindMessage(5);
            five->SetText("\x1B" "C1HELLO AGAIN");
            five->SetLabelWidth(40);
            five->MakeNameFromText(Chars());
            ASSERT_TRUE(extra.UpdateRecord(five, five->CalcDataSize()));
            ASSERT_TRUE(extra.DeleteKey(7));
            ASSERT_TRUE(Add(dynamic_cast<CExMsgTb&>(*db.GetTable(78)), 1234, "\x1B" "C2Salt"));
        }
        CPluDatabase reopened;
        reopened.CreateAllTables();
        ASSERT_TRUE(reopened.Open(path)) << name << reopened.GetLastErrorText();
        auto& extra = dynamic_cast<CExMsgTb&>(*reopened.GetTable(4));
        ASSERT_EQ(extra.GetRecordCount(), 2u) << name;
        const CExMsgRec* five = extra.FindMessage(5);
        ASSERT_NE(five, nullptr);
        EXPECT_EQ(five->GetText(), "\x1B" "C1HELLO AGAIN") << name;
        EXPECT_EQ(five->GetName(), "HELLO AGAIN") << name;
        EXPECT_EQ(five->GetLabelWidth(), 40) << name;
        EXPECT_EQ(five->GetLength(), 80) << name;
        EXPECT_EQ(extra.FindMessage(6)->GetText(), longText) << name;
        EXPECT_EQ(extra.FindMessage(6)->GetLength(), 2168) << name;
        // The PLU records read the texts of the database they belong to.
        const IPluCompanionData& companions = reopened.GetPluTable()->GetCompanionData();
        EXPECT_EQ(companions.GetExMessageText(5), "\x1B" "C1HELLO AGAIN") << name;
        EXPECT_EQ(companions.GetIngredientsText(1234), "\x1B" "C2Salt") << name;
        EXPECT_EQ(companions.GetIngredientsText(5), std::nullopt) << name;
    }
    const std::string mdb = m_dir.File("plu.mdb");
    EXPECT_EQ(QueryColumn(mdb, "SELECT name FROM pragma_table_info('ExtraMsg')"),
              (std::vector<std::string>{"Message_No", "Name", "LabelWidth", "DescLen", "Desc"}));
    // The list name is declared as wide as the scales' name field, wider than the row keeps.
    EXPECT_EQ(QueryColumn(mdb, "SELECT type FROM pragma_table_info('ExtraMsg') WHERE name = 'Name'"),
              std::vector<std::string>{"TEXT(80)"});
    EXPECT_EQ(QueryColumn(mdb, "SELECT Name FROM ExtraMsg WHERE Message_No = 5"), std::vector<std::string>{"HELLO AGAIN"});
}

TEST_F(ExMsgTableTest, ReceivedRecordsAreStoredAddedOrUpdatedAndOutOfRangeOnesSkipped)
{
    // The last range holding a number gives its label width.
    m_frame.m_setup.m_labelWidths[5] = 48;
    m_frame.m_setup.m_labelFromPlu[5] = 1;
    m_frame.m_setup.m_labelToPlu[5] = 10;
    EXPECT_TRUE(Extra().ReceiveScaleRecord(ScaleOf(0), BytesOf("3505\x1B" "C1HELLO\0"s)));
    const CExMsgRec* five = Extra().FindMessage(5);
    ASSERT_NE(five, nullptr);
    EXPECT_EQ(five->GetText(), "\x1B" "C1HELLO");
    EXPECT_EQ(five->GetName(), "HELLO");
    EXPECT_EQ(five->GetLabelWidth(), 48);
    EXPECT_EQ(five->GetLength(), 76);  // 66 + 8 rounded up

    EXPECT_TRUE(Extra().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(5,"\x0D\x0DBYE",)")));
    EXPECT_EQ(Extra().FindMessage(5)->GetText(), "\x1B" "C2BYE");
    EXPECT_EQ(Extra().GetRecordCount(), 1u);

    // Coupons from binary records are laid out 20 wide.
    EXPECT_TRUE(Coupons().ReceiveScaleRecord(ScaleOf(6), BytesOf("\x00\x00\x00\x07\x04\x00\r\x08" "AB"s)));
    ASSERT_NE(Coupons().FindMessage(7), nullptr);
    EXPECT_EQ(Coupons().FindMessage(7)->GetText(), "\x1B" "C1AB");
    EXPECT_EQ(Coupons().FindMessage(7)->GetLabelWidth(), 20);

    // Numbers outside the table are skipped with success; an unreadable one fails; family 2 sends none.
    EXPECT_TRUE(Extra().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(100,"X",)")));
    EXPECT_TRUE(Extra().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(0,"X",)")));
    EXPECT_FALSE(Extra().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(,"X",)")));
    EXPECT_FALSE(Extra().ReceiveScaleRecord(ScaleOf(2), BytesOf("3505X"s)));
    EXPECT_FALSE(Extra().ReceiveScaleRecord(ScaleOf(6), BytesOf("\x00\x00"s)));
    EXPECT_EQ(Extra().GetRecordCount(), 1u);

    // With a default family of 2 or 3 the lowest number is 7, except for coupons.
    m_frame.m_setup.m_defaultScaleFamily = 3;
    EXPECT_TRUE(Extra().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(6,"X",)")));
    EXPECT_EQ(Extra().FindMessage(6), nullptr);
    EXPECT_TRUE(Coupons().ReceiveScaleRecord(ScaleOf(9), BytesOf(R"(6,"X",)")));
    EXPECT_NE(Coupons().FindMessage(6), nullptr);
}

TEST_F(ExMsgTableTest, ADataSaveRecordChangesAHeldMessageOnlyWhenTheLoadOverwrites)
{
    ASSERT_TRUE(Add(Extra(), 5, "\x1B" "C1OLD"));
    const std::string record = "\x00\x05\x06\x00\r\x08" "NEW\0"s;
    EXPECT_TRUE(Extra().DecodeItemRecord(BytesOf(record)));
    EXPECT_EQ(Extra().FindMessage(5)->GetText(), "\x1B" "C1OLD");
    m_frame.m_setup.m_overwriteExisting = 1;
    EXPECT_TRUE(Extra().DecodeItemRecord(BytesOf(record)));
    EXPECT_EQ(Extra().FindMessage(5)->GetText(), "\x1B" "C1NEW");
    EXPECT_FALSE(Extra().DecodeItemRecord(BytesOf("\x00"s)));
}

TEST_F(ExMsgTableTest, AMaximalMessageGoesThroughAWholeDataSaveFileAndTheNextRecordsFollowIt)
{
    const std::string longest = std::string(2100, 'x');
    std::string messages = WithLength("\x00\x01\x34\x08"s + longest) + WithLength("\x00\x02\x02\x00" "AB"s);
    std::string coupons = WithLength("\x00\x03\x02\x00" "CD"s);
    const std::string path = m_dir.File("max.dsv");
    WriteWholeFile(path, DataSaveBytes({{"MESG", messages}, {"COUP", coupons}}));
    CDataSaveStore store(m_database, nullptr, m_frame.m_setup);
    CDataSaveFiles files(store, LinkRoles::Of(m_frame));
    ASSERT_TRUE(files.LoadDataSaveFile(path));
    ASSERT_NE(Extra().FindMessage(1), nullptr);
    EXPECT_EQ(Extra().FindMessage(1)->GetText().size(), 2100u);
    ASSERT_NE(Extra().FindMessage(2), nullptr);
    EXPECT_EQ(Extra().FindMessage(2)->GetText(), "AB");
    ASSERT_NE(Coupons().FindMessage(3), nullptr);
    EXPECT_EQ(Coupons().FindMessage(3)->GetLabelWidth(), 20);

    // Written again from the tables, the file holds the same records.
    const std::string rewritten = m_dir.File("again.dsv");
    ASSERT_TRUE(files.WriteDataSaveFile(rewritten));
    EXPECT_EQ(ReadWholeFile(rewritten), DataSaveBytes({{"MESG", messages}, {"COUP", coupons}}));
}

TEST_F(ExMsgTableTest, ARangeSendPassesOverTheRowsAFamilyDoesNotTake)
{
    m_frame.m_setup.m_maxCouponNo = 9999;
    for (const std::uint32_t number : {5u, 120u, 130u}) ASSERT_TRUE(Add(Coupons(), number, "AB"));
    std::array<std::uint8_t, 256> buffer{};
    // Market 0's family 0 takes coupons above 99 only under the USA numbering, which 9999 is.
    KeyCursor cursor = 1;
    KeyCursor key = 0;
    std::vector<std::uint32_t> sent;
    for (ScaleRecordOut out{buffer}; Coupons().EncodeNextInRange(ScaleOf(0), cursor, 200, out, key); out = {buffer})
        sent.push_back(static_cast<std::uint32_t>(key));
    EXPECT_EQ(sent, (std::vector<std::uint32_t>{5, 120, 130}));
    m_frame.m_setup.m_maxCouponNo = 100;
    cursor = 1;
    sent.clear();
    for (ScaleRecordOut out{buffer}; Coupons().EncodeNextInRange(ScaleOf(0), cursor, 200, out, key); out = {buffer})
        sent.push_back(static_cast<std::uint32_t>(key));
    EXPECT_EQ(sent, (std::vector<std::uint32_t>{5}));
}

}  // namespace
}  // namespace varnel::test
