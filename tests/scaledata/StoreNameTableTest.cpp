// The store name table: the record of each family and market worked out by hand, key records, stores
// received from scales, the file link and Data Save files, and rows in ".pld" and ".mdb" files.
#include "ScaleDataFixture.h"

#include "TableFileRoundTrips.h"
#include "scaledata/StoreNameTb.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

const std::string kEsc = "\x1B";

class StoreNameTableTest : public ScaleDataFixture {
protected:
    StoreNameTableTest() { m_frame.m_setup.m_maxStoreNo = 9999; }

    CStoreNameTb& Stores() { return TableOf<CStoreNameTb>(CStoreNameTb::kTableNo); }

    void AddStore(std::uint32_t number, StoreText name, StoreText address)
    {
        auto row = std::make_unique<CStoreNameRec>();
        row->SetName(name.text, name.font, name.style);
        row->SetAddress(address.text, address.font, address.style);
        (void)Stores().DeleteKey(number);
        ASSERT_TRUE(Stores().AddRecord(number, CStoreNameRec::kSize, std::move(row)));
    }
    BuiltRecord Record(std::uint16_t family, std::uint32_t number = 3) { return EncodeRow(Stores(), family, number); }
    BuiltRecord Key(std::uint16_t family, std::uint32_t number = 3) { return EncodeKey(Stores(), family, number); }
    std::string Blanks(std::size_t count) { return std::string(count, ' '); }
};

TEST_F(StoreNameTableTest, TextFamiliesGetTheNameAndAddressPaddedByMarketAndFontSwitch)
{
    AddStore(3, {"ABC"}, {"X"});
    struct Case {
        std::uint16_t family, market, seriesNumber;
        std::uint8_t nameFont;
        std::string expected;
    } const cases[] = {
        {0, MarketUsa, 0, 0, "3403ABC" + Blanks(33) + "X" + Blanks(46)},
        {4, MarketNewZealand, 0, 0, "340103ABC" + Blanks(33) + "X" + Blanks(46)},
        {5, MarketUsa, 1, 0, "3403" + kEsc + "C0ABC" + Blanks(41) + "X" + Blanks(46)},
        {0, MarketUsa, 0, 2, "3403" + kEsc + "C2ABC" + Blanks(30) + "X" + Blanks(46)},
        {1, MarketUsa, 0, 2, "3403ABC" + Blanks(33) + "X" + Blanks(46)},
        {2, MarketNewZealand, 0, 0, "3403ABC" + Blanks(33) + "X" + Blanks(46)},
        {3, MarketUsa, 1, 0, "3403ABC" + Blanks(67) + "X" + Blanks(69)},
    };
    for (const Case& c : cases) {
        m_frame.m_setup.m_market = c.market;
        m_frame.m_setup.m_seriesNumber = c.seriesNumber;
        AddStore(3, {"ABC", c.nameFont}, {"X"});
        const BuiltRecord built = Record(c.family);
        ASSERT_TRUE(built.made) << c.family << " " << c.market;
        EXPECT_EQ(built.code, 34);
        EXPECT_EQ(built.bytes, c.expected) << c.family << " " << c.market;
    }
}

TEST_F(StoreNameTableTest, StyledMarketsCarryFontAndStyleEscapesAroundEachText)
{
    m_frame.m_setup.m_market = MarketHongKong;
    AddStore(2, {"AB", 1, StoreBold | StoreItalic}, {"CD", 2, StoreReverse});
    const std::string d1 = kEsc + "D1", d2 = kEsc + "D2", d3 = kEsc + "D3";
    EXPECT_EQ(Record(0, 2).bytes, "340102" + kEsc + "C1" + d1 + d3 + "AB" + d1 + d3 + kEsc + "C2" + d2 + "CD" + d2);

    // Thailand: the name within 72 bytes of text, the address within 72 more.
    m_frame.m_setup.m_market = MarketThailand;
    AddStore(2, {std::string(100, 'N')}, {std::string(100, 'A')});
    EXPECT_EQ(Record(4, 2).bytes,
              "340102" + kEsc + "C0" + std::string(69, 'N') + kEsc + "C0" + std::string(69, 'A'));
    // Taiwan: 88 bytes of text, then up to 100 in all.
    m_frame.m_setup.m_market = MarketTaiwan;
    EXPECT_EQ(Record(5, 2).bytes, "340102" + kEsc + "C0" + std::string(85, 'N') + kEsc + "C0" + std::string(9, 'A'));
}

TEST_F(StoreNameTableTest, ChinaSendsAtMostAHundredBytesOfTextBetweenFontCodes)
{
    m_frame.m_setup.m_market = MarketChina;
    AddStore(1, {"AB", 1}, {"CD", 3});
    EXPECT_EQ(Record(0, 1).bytes, "340101" + kEsc + "C1AB" + kEsc + "C0CD");
    // A double-byte character that would pass the hundred bytes stays out whole.
    AddStore(1, {std::string(99, 'N')}, {"\xB0\xA1" "C"});
    EXPECT_EQ(Record(0, 1).bytes, "340101" + kEsc + "C0" + std::string(99, 'N') + kEsc + "C0");
}

TEST_F(StoreNameTableTest, NationalCharactersAreSubstitutedInTheTextRecords)
{
    m_frame.m_setup.m_market = MarketIceland;
    AddStore(1, {"\xC1" "B"}, {"\xD6"});
    EXPECT_EQ(Record(0, 1).bytes, "340101@B" + Blanks(34) + "~" + Blanks(46));
}

TEST_F(StoreNameTableTest, OnlyStoresOneToTenGoToTheTextFamiliesAndNoneToFamilies7And9To12)
{
    AddStore(11, {"ABC"}, {"X"});
    AddStore(10, {"ABC"}, {"X"});
    for (std::uint16_t family = 0; family <= 5; ++family) {
        EXPECT_FALSE(Record(family, 11).made) << family;
        EXPECT_TRUE(Record(family, 10).made) << family;
    }
    for (const std::uint16_t family : {7, 9, 10, 11, 12}) EXPECT_FALSE(Record(family, 10).made) << family;
    EXPECT_TRUE(Record(6, 11).made);
}

TEST_F(StoreNameTableTest, TextsWiderThanTheirFieldsRefuseTheRecord)
{
    AddStore(1, {std::string(34, 'N'), 1}, {"X"});  // its font code makes 37 bytes
    BuiltRecord built = Record(0, 1);
    EXPECT_FALSE(built.made);
    EXPECT_EQ(built.refusedField, "Name");
    AddStore(1, {std::string(36, 'N')}, {std::string(48, 'A')});
    EXPECT_EQ(Record(2, 1).refusedField, "Address");
    AddStore(1, {std::string(36, 'N')}, {std::string(47, 'A')});
    EXPECT_TRUE(Record(2, 1).made);
    AddStore(10000, {"N"}, {"A"});
    EXPECT_EQ(Record(8, 10000).refusedField, "Store_No");
}

TEST_F(StoreNameTableTest, KeyRecordsNameTheStoreByFamilyAndMarket)
{
    EXPECT_EQ(Key(0).bytes, "2303");
    EXPECT_EQ(Key(0).code, 23);
    EXPECT_EQ(Key(1).bytes, "2303");
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_EQ(Key(4).bytes, "230203");
    EXPECT_EQ(Key(5).bytes, "230203");
    EXPECT_EQ(Key(6).bytes, "\x00\x03"s);
    EXPECT_EQ(Key(8).code, 1);
    for (const std::uint16_t family : {2, 3, 7, 9, 10, 11, 12}) EXPECT_FALSE(Key(family).made) << family;
    // A store number wider than the two digits is refused rather than sent as another store.
    EXPECT_EQ(Key(0, 100).refusedField, "Store_No");
    EXPECT_EQ(Key(6, 10000).refusedField, "Store_No");
}

// Store 5: the name "ABC" in font 0, bold; the address "X" in font 1.
std::string BinaryBody(bool bigEndian)
{
    std::string name = (bigEndian ? "\x00\x06"s : "\x06\x00"s) + "\x0D\x03\x02" "ABC";
    std::string address = (bigEndian ? "\x00\x03"s : "\x03\x00"s) + "\x0D\x08" "X";
    name.resize(101, '\0');
    address.resize(101, '\0');
    return "\x00\x05"s + name + address;
}

TEST_F(StoreNameTableTest, Families6And8GetBlocksOfLineCodedText)
{
    AddStore(5, {"ABC", 0, StoreBold}, {"X", 1});
    for (const std::uint16_t family : {6, 8}) {
        const BuiltRecord built = Record(family, 5);
        EXPECT_EQ(built.code, 31);
        EXPECT_EQ(built.bytes, ShortHeader(0x31, 204) + BinaryBody(false)) << family;
    }
    // Italic and reverse take the attribute bytes of effects 3 and 2; a long text stops at 100 bytes.
    AddStore(5, {std::string(120, 'N'), 0, StoreItalic | StoreReverse}, {""});
    const std::string bytes = Record(6, 5).bytes;
    EXPECT_EQ(bytes.substr(10, 6), "\x62\x00\x0D\x03\x06\x07"s);
    EXPECT_EQ(bytes.substr(16, 95), std::string(94, 'N') + '\0');
}

TEST_F(StoreNameTableTest, ReceivedBlocksReplaceTheStoreWithinTheTableNumbers)
{
    const CLinkScaleSettings scale = ScaleOf(6);
    ASSERT_TRUE(Stores().ReceiveScaleRecord(scale, BytesOf(BinaryBody(false))));
    const CStoreNameRec* row = Stores().FindStore(5);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetName().text, "ABC");
    EXPECT_EQ(row->GetName().style, StoreBold);
    EXPECT_EQ(row->GetAddress().text, "X");
    EXPECT_EQ(row->GetAddress().font, 1);
    EXPECT_EQ(row->GetLength(), CStoreNameRec::kSize);

    // Outside the table's numbers nothing is stored, with success; an unreadable number fails.
    m_frame.m_setup.m_maxStoreNo = 4;
    ASSERT_TRUE(Stores().DeleteKey(5));
    EXPECT_TRUE(Stores().ReceiveScaleRecord(scale, BytesOf(BinaryBody(false))));
    EXPECT_EQ(Stores().FindStore(5), nullptr);
    EXPECT_FALSE(Stores().ReceiveScaleRecord(scale, BytesOf("\x00"s)));
    EXPECT_FALSE(Stores().ReceiveScaleRecord(scale, BytesOf("\xAA\x01"s)));
}

TEST_F(StoreNameTableTest, TheFileLinkCarriesBlocksBigEndianAndFamily7ItsOwnRecord)
{
    AddStore(5, {"ABC", 0, StoreBold}, {"X", 1});
    std::array<std::uint8_t, 512> buffer{};
    std::uint16_t length = 0;
    ASSERT_TRUE(Stores().EncodeLumenRecord(8, 5, buffer, length));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), length), BinaryBody(true));

    AddStore(3, {"AB", 2}, {"C", 4});
    ASSERT_TRUE(Stores().EncodeLumenRecord(7, 3, buffer, length));
    std::string name = "\x00\x04\x0D\x02" "AB"s;
    name.resize(102, '\0');
    std::string address = "\x00\x03\x0D\x04" "C"s;
    address.resize(102, '\0');
    const std::string record = "\x00\x03"s + name + address;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), length), record);
    EXPECT_FALSE(Stores().EncodeLumenRecord(9, 3, buffer, length));

    // Read back, the address keeps its own font.
    ASSERT_TRUE(Stores().DeleteKey(3));
    ASSERT_TRUE(Stores().DecodeLumenRecord(7, BytesOf(record)));
    const CStoreNameRec* row = Stores().FindStore(3);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetName().text, "AB");
    EXPECT_EQ(row->GetName().font, 2);
    EXPECT_EQ(row->GetAddress().text, "C");
    EXPECT_EQ(row->GetAddress().font, 4);
    // A record cut inside the name keeps what it holds and reads nothing past its end.
    ASSERT_TRUE(Stores().DecodeLumenRecord(7, BytesOf(record.substr(0, 7))));
    EXPECT_EQ(Stores().FindStore(3)->GetName().text, "A");
    ASSERT_TRUE(Stores().DecodeLumenRecord(6, BytesOf(BinaryBody(true))));
    EXPECT_EQ(Stores().FindStore(5)->GetName().text, "ABC");
}

const std::string kDataSaveStore5 =
    "\x05\x0D\x03" "X"s + std::string(47, '\0') + "\x0D\x08" "ABC" + std::string(33, '\0');

TEST_F(StoreNameTableTest, DataSaveRecordsGoBothWaysAndKeepAStoreHeldUnlessOverwriting)
{
    AddStore(5, {"ABC", 1}, {"X"});
    std::array<std::uint8_t, 89> buffer{};
    ASSERT_EQ(Stores().EncodeItemRecord(*Stores().FindRecord(5), buffer), 89u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), 89), kDataSaveStore5);
    std::array<std::uint8_t, 88> shortBuffer{};
    EXPECT_EQ(Stores().EncodeItemRecord(*Stores().FindRecord(5), shortBuffer), 0u);

    std::string changed = kDataSaveStore5;
    changed[3] = 'Y';
    changed[52] = 3;
    changed.replace(53, 5, "A\x01" "B\x1F" "C");  // control bytes are dropped, not replaced
    EXPECT_TRUE(Stores().DecodeItemRecord(BytesOf(changed)));
    EXPECT_EQ(Stores().FindStore(5)->GetAddress().text, "X");
    m_frame.m_setup.m_overwriteExisting = 1;
    EXPECT_TRUE(Stores().DecodeItemRecord(BytesOf(changed)));
    EXPECT_EQ(Stores().FindStore(5)->GetAddress().text, "Y");
    EXPECT_EQ(Stores().FindStore(5)->GetName().text, "ABC");
    EXPECT_EQ(Stores().FindStore(5)->GetName().font, 0);

    // Too wide for the record, too short to read, or numbered outside the table.
    AddStore(6, {std::string(37, 'N')}, {"X"});
    EXPECT_EQ(Stores().EncodeItemRecord(*Stores().FindRecord(6), buffer), 0u);
    AddStore(100, {"N"}, {"X"});
    EXPECT_EQ(Stores().EncodeItemRecord(*Stores().FindRecord(100), buffer), 0u);
    EXPECT_FALSE(Stores().DecodeItemRecord(BytesOf(kDataSaveStore5.substr(0, 88))));
    EXPECT_TRUE(Stores().DecodeItemRecord(BytesOf("\x00"s + kDataSaveStore5.substr(1))));
    EXPECT_EQ(Stores().FindStore(0), nullptr);
}

TEST_F(StoreNameTableTest, WholeDataSaveFilesOfSeveralStoresLoadAndWriteBack)
{
    AddStore(5, {"ABC", 1}, {"X"});
    AddStore(7, {"Seven"}, {"Street 7"});
    LoadAndRewriteDataSaveSection(m_frame, m_database, Stores(), "ADDR", {5, 7}, 89, [&] {
        ASSERT_NE(Stores().FindStore(7), nullptr);
        EXPECT_EQ(Stores().FindStore(7)->GetAddress().text, "Street 7");
    });
}

TEST_F(StoreNameTableTest, StoresKeepTheirWholeTextsInPldAndMdbFiles)
{
    const std::string name(127, 'N');
    ForEachReopenedDatabase(
        [&](CPluDatabase& db) {
            auto row = std::make_unique<CStoreNameRec>();
            row->SetName(name, 3, StoreBold | StoreReverse);
            row->SetAddress("High Street", 5, StoreItalic);
            ASSERT_TRUE(db.GetTable(CStoreNameTb::kTableNo)->AddRecord(42, CStoreNameRec::kSize, std::move(row)));
        },
        [&](CPluDatabase& db) {
            const CStoreNameRec* row = dynamic_cast<CStoreNameTb&>(*db.GetTable(CStoreNameTb::kTableNo)).FindStore(42);
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->GetName().text, name);
            EXPECT_EQ(row->GetName().font, 3);
            EXPECT_EQ(row->GetName().style, StoreBold | StoreReverse);
            EXPECT_EQ(row->GetAddress().text, "High Street");
            EXPECT_EQ(row->GetAddress().font, 5);
            EXPECT_EQ(row->GetAddress().style, StoreItalic);
            EXPECT_EQ(row->GetLength(), CStoreNameRec::kSize);
        });
}

}  // namespace
}  // namespace varnel::test
