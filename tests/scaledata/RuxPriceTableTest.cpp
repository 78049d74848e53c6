// The price master tables: the default record, merges, the price part of a comma-separated PLU
// record both ways in each market, received parts stored and compared, and the parts riding in
// family 9's PLU records through the PLU table.
#include "ScaleDataFixture.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecord.h"
#include "platform/ByteOrder.h"
#include "scaledata/RuxPriceTb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class RecordingCompare final : public IPluCompareResults {
public:
    void AddScaleKey(std::uint32_t) override {}
    void AddNotInDatabase(std::uint32_t) override {}
    void AddDifferent(std::uint32_t plu) override { different.push_back(plu); }
    void WriteLine(std::string_view line) override { lines.emplace_back(line); }

    std::vector<std::uint32_t> different;
    std::vector<std::string> lines;
};

// Offsets of the record's columns used here.
constexpr std::size_t kPriceNo = 0, kPosCode = 2, kRegCode = 14, kPackType = 20, kUnitPrice = 32, kUpperLimit = 48,
                      kLowerLimit = 52, kTare = 56, kPackQuant = 68, kSalesMode = 80, kPosFlag = 86, kCoupon = 100;

class RuxPriceTableTest : public ScaleDataFixture {
protected:
    RuxPriceTableTest()
    {
        auto& pos = m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1218);
        pos.m_width = 6;
        pos.m_name = "POS Code";
        auto& reg = m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1219);
        reg.m_width = 3;
        reg.m_default = 7;
        reg.m_name = "Reg. Code";
        m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1220).m_default = 12;
        auto& price = m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1200);
        price.m_name = "Unit Price";
        auto& tare = m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1205);
        tare.m_name = "Tare";
        tare.m_default = 5;
        m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1203).m_name = "Upper Limit";
        m_frame.AddFieldDef(FieldDefMap::RuxPrice, 1211).m_name = "Sales Mode";
        // The rest of the price fields, as a site's map has them all.
        for (const ColumnDef& column : kRuxPriceColumns) {
            const auto& map = m_frame.GetFieldDefMap(FieldDefMap::RuxPrice);
            const bool defined = std::ranges::any_of(map, [&](const auto& entry) { return entry.second->m_fieldNo == column.fieldNo; });
            if (column.fieldNo != 0 && !defined) m_frame.AddFieldDef(FieldDefMap::RuxPrice, column.fieldNo);
        }
    }

    CRuxPriceTb& Prices(int number = 1) { return TableOf<CRuxPriceTb>(static_cast<std::uint16_t>(86 + number)); }

    const CLabPropMap& Definitions() const { return m_frame.GetFieldDefMap(FieldDefMap::RuxPrice); }

    RuxPriceRecordBytes Default(std::uint32_t plu) const
    {
        RuxPriceRecordBytes record{};
        CRuxPriceTb::InitRecord(Definitions(), record, plu);
        return record;
    }
    // A record in use with a price, limits and codes.
    void AddPrice(std::uint32_t plu, int table = 1, std::int32_t price = 499)
    {
        auto row = std::make_unique<CRuxPriceRec>();
        CRuxPriceTb::InitRecord(Definitions(), row->Bytes(), plu);
        const std::span<std::uint8_t> bytes = row->Bytes();
        StoreLe16(bytes.data() + kPriceNo, 1);
        StoreLe32(bytes.data() + kUnitPrice, static_cast<std::uint32_t>(price));
        StoreLe32(bytes.data() + kUpperLimit, 1234);
        StoreLe32(bytes.data() + kLowerLimit, 1235);
        StoreLe16(bytes.data() + kTare, 20);
        StoreLe16(bytes.data() + kPackQuant, 3);
        bytes[kSalesMode] = 1;
        bytes[kPosFlag] = 4;
        StoreLe32(bytes.data() + kCoupon, 77);
        ASSERT_TRUE(Prices(table).AddRecord(plu, static_cast<std::uint16_t>(kRuxPriceRecordSize), std::move(row)));
    }
    std::string Part(std::uint32_t plu, std::uint16_t tareFormat = 0, int table = 1)
    {
        std::array<std::uint8_t, 512> buffer{};
        RecordFields fields(buffer);
        CLinkScaleSettings scale = ScaleOf(9);
        scale.m_tareFormat = tareFormat;
        if (!Prices(table).WriteCsvFields(scale, plu, fields)) return {};
        return {reinterpret_cast<const char*>(buffer.data()), fields.Position()};
    }
};

TEST_F(RuxPriceTableTest, TheDefaultRecordTakesTheFieldDefaultsAndThePluNumberAsPosCode)
{
    const RuxPriceRecordBytes record = Default(1234);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + kPosCode)), "001234");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + kRegCode)), "007");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + kPackType)), "12");
    EXPECT_EQ(LoadLe16(record.data() + kTare), 5);
    EXPECT_EQ(LoadLe16(record.data() + kPriceNo), 0);
}

TEST_F(RuxPriceTableTest, MergesCopyTextsWhenOneDiffersAndReportWhatChanged)
{
    RuxPriceRecordBytes target = Default(5);
    bool changed = true;
    CRuxPriceTb::MergeRecord(Definitions(), Default(5), target, &changed);
    EXPECT_FALSE(changed);

    RuxPriceRecordBytes source = Default(6);
    StoreLe32(source.data() + kUnitPrice, 300);
    StoreLe32(source.data() + 36, 999);  // FixedPrice has no field: it is not merged
    CRuxPriceTb::MergeRecord(Definitions(), source, target, &changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.data() + kPosCode)), "000006");
    EXPECT_EQ(LoadLe32(target.data() + kUnitPrice), 300u);
    EXPECT_EQ(LoadLe32(target.data() + 36), 0u);
}

TEST_F(RuxPriceTableTest, ThePricePartHas38FieldsOr34InMarket10AndReadsBackTheSame)
{
    AddPrice(1234);
    EXPECT_EQ(Part(1234), "1,0,499,0,0,\"3\",,0,0,1234,1235,20,,,,,0,0,0,4,1234,,,0,,0,0,0,0,0,0,0,0,,0,0,0,77,");
    EXPECT_EQ(std::ranges::count(Part(1234), ','), 38);
    // Limits and tare go in tenths, rounded, to a scale of tare format 1.
    EXPECT_NE(Part(1234, 1).find(",123,124,2,"), std::string::npos);
    m_frame.m_setup.m_noTrayNumber = 1;
    EXPECT_NE(Part(1234).find(",0,0,,0,0,0,0,0,,0,0,0,77,"), std::string::npos);
    m_frame.m_setup.m_market = MarketTaiwan;
    const std::string taiwan = Part(1234);
    EXPECT_EQ(taiwan, "1,0,499,0,0,\"3\",3,0,0,1234,1235,20,0,0,0,0,0,0,0,04,001234,007,0,0,0,0,0,0,0,0,0,0,0,0,");
    EXPECT_EQ(std::ranges::count(taiwan, ','), 34);

    for (const std::uint16_t market : {MarketUsa, MarketTaiwan}) {
        for (const std::uint16_t tareFormat : {0, 1}) {
            m_frame.m_setup.m_market = market;
            ASSERT_TRUE(Prices().DeleteKey(1234));
            AddPrice(1234);
            RuxPriceRecordBytes stored{};
            std::ranges::copy(Prices().FindPrice(1234)->Bytes(), stored.begin());
            // Market 10's part carries no coupon (nor logo 3, proportional tare, safe handling).
            if (market == MarketTaiwan) StoreLe32(stored.data() + kCoupon, 0);
            std::string text = Part(1234, tareFormat);
            ASSERT_TRUE(Prices().DeleteKey(1234));
            std::size_t position = 0;
            CLinkScaleSettings scale = ScaleOf(9);
            scale.m_tareFormat = tareFormat;
            ASSERT_TRUE(Prices().StoreReceivedRecord(scale, 1234, text, position)) << market;
            EXPECT_EQ(position, text.size()) << market;
            RuxPriceRecordBytes back{};
            std::ranges::copy(Prices().FindPrice(1234)->Bytes(), back.begin());
            // Limits of 1234 and 1235 come back as 1230 and 1240 from a scale of tare format 1.
            if (tareFormat == 1) {
                EXPECT_EQ(LoadLe32(back.data() + kUpperLimit), 1230u);
                EXPECT_EQ(LoadLe32(back.data() + kLowerLimit), 1240u);
                StoreLe32(back.data() + kUpperLimit, 1234);
                StoreLe32(back.data() + kLowerLimit, 1235);
            }
            EXPECT_EQ(back, stored) << market << " " << tareFormat;
        }
    }
}

TEST_F(RuxPriceTableTest, AnAbsentPartDeletesTheRecordAndOnlyAllowedPlusHaveOne)
{
    EXPECT_TRUE(Part(1234).empty());
    AddPrice(1234);
    std::string empty(34, ',');
    std::size_t position = 0;
    ASSERT_TRUE(Prices().StoreReceivedRecord(ScaleOf(9), 1234, empty, position));
    EXPECT_EQ(position, 34u);
    EXPECT_EQ(Prices().FindPrice(1234), nullptr);
    position = 0;
    EXPECT_TRUE(Prices().StoreReceivedRecord(ScaleOf(9), 1234, empty, position));

    m_frame.m_setup.m_maxPluNo = 9999;
    EXPECT_TRUE(Prices().IsKeyAllowed(9999));
    EXPECT_FALSE(Prices().IsKeyAllowed(10000));
    EXPECT_FALSE(Prices().IsKeyAllowed(0));
    std::string part = "0,5,0,0,0,\"1\",,";
    position = 0;
    EXPECT_FALSE(Prices().StoreReceivedRecord(ScaleOf(9), 10000, part, position));
}

TEST_F(RuxPriceTableTest, AReceivedPartComparesWithTheDatabasesRecord)
{
    AddPrice(5);
    CLinkScaleSettings scale = ScaleOf(9);
    struct Case {
        const char* what;
        std::uint32_t plu;
        std::string part;
        int result;
        std::vector<std::string> lines;
    };
    const std::string same = Part(5);
    std::string changed = same;
    changed.replace(changed.find("499"), 3, "450");
    changed.replace(changed.find(",20,"), 4, ",25,");
    AddPrice(6);
    ASSERT_TRUE(Prices().UpdateRecord(Prices().FindPrice(6), 132));
    StoreLe16(Prices().FindPrice(6)->Bytes().data(), 0);  // not in use
    const Case cases[] = {
        {"the same", 5, same, 0, {}},
        {"different", 5, changed, 3,
         {R"x(5,"Scale PLU does not match database (Price master #1)","Unit Price : Scale = 450 DB = 499","Tare : Scale = 25 DB = 20")x"}},
        {"on the scale only", 7, same, 1, {R"x(7,"Scale PLU price master not in database (Price Master #1)")x"}},
        {"in the database only", 5, std::string(34, ','), 2, {R"x(5,"Database PLU price master not on scale (Price Master #1)")x"}},
        {"neither", 7, std::string(34, ','), 0, {}},
        {"held but not in use", 6, std::string(34, ','), 0, {}},
    };
    for (const Case& c : cases) {
        RecordingCompare results;
        std::string text = c.part;
        std::size_t position = 0;
        EXPECT_EQ(Prices().CompareReceivedRecord(scale, text, position, results, c.plu), c.result) << c.what;
        EXPECT_EQ(results.lines, c.lines) << c.what;
        EXPECT_EQ(position, c.part.size()) << c.what;
        EXPECT_EQ(results.different.size(), c.result == 3 ? 1u : 0u) << c.what;
    }
}

TEST_F(RuxPriceTableTest, PricePartsRideInFamily9PluRecordsAndComeBack)
{
    CPluDefTb& plus = *m_database.GetPluTable();
    auto plu = std::make_unique<CPluDefRec>();
    plus.InitNewPlu(5, *plu);
    plu->SetDesc("\x1B" "C3Apples", plus.GetRoles().Text().chars);
    const std::uint16_t size = plu->CalcDataSize();
    ASSERT_TRUE(plus.AddPlu(5, size, std::move(plu)));
    AddPrice(5, 1, 499);
    AddPrice(5, 3, 777);
    std::array<std::uint8_t, 2400> buffer{};
    const SiteSettingsPtr settings = m_frame.GetSiteSettings();
    ScaleRecordOut out{buffer};
    out.settings = settings.get();
    {
        const BuildLock lock = plus.LockRecordBuild();
        ASSERT_TRUE(BuildPluRecord(plus, lock, ScaleOf(9), 5, out));
    }
    const std::string record(reinterpret_cast<const char*>(buffer.data()) + 8, out.length - 8u);
    EXPECT_NE(record.find(Part(5, 0, 1) + std::string(34, ',') + Part(5, 0, 3)), std::string::npos);

    ASSERT_TRUE(Prices(1).DeleteKey(5));
    ASSERT_TRUE(Prices(3).DeleteKey(5));
    AddPrice(5, 4, 1);
    ASSERT_TRUE(plus.ReceiveScaleRecord(ScaleOf(9), BytesOf(record)));
    ASSERT_NE(Prices(1).FindPrice(5), nullptr);
    EXPECT_EQ(LoadLe32(Prices(1).FindPrice(5)->Bytes().data() + kUnitPrice), 499u);
    EXPECT_EQ(LoadLe32(Prices(3).FindPrice(5)->Bytes().data() + kUnitPrice), 777u);
    EXPECT_EQ(Prices(2).FindPrice(5), nullptr);
    EXPECT_EQ(Prices(4).FindPrice(5), nullptr) << "an absent part deletes the table's record";

    // The compare goes through each table's comparison once.
    StoreLe32(Prices(3).FindPrice(5)->Bytes().data() + kUnitPrice, 700);
    RecordingCompare results;
    ASSERT_TRUE(plus.ComparePluRecord(ScaleOf(9), BytesOf(record), results));
    const auto match = std::ranges::find_if(results.lines, [](const std::string& line) {
        return line.starts_with(R"x(5,"Scale PLU does not match database (Price master #3)","Unit Price : Scale = 777 DB = 700")x");
    });
    EXPECT_NE(match, results.lines.end());
}

TEST_F(RuxPriceTableTest, RecordsKeepTheirValuesInPldAndMdbFiles)
{
    TempDir dir;
    for (const char* name : {"plu.pld", "plu.mdb"}) {
        const std::string path = dir.File(name);
        {
            const auto db = OpenDatabaseFile(path, true);
            ASSERT_NE(db, nullptr);
            auto row = std::make_unique<CRuxPriceRec>();
            CRuxPriceTb::InitRecord(Definitions(), row->Bytes(), 42);
            StoreLe32(row->Bytes().data() + kCoupon, 123456);
            ASSERT_TRUE(db->GetTable(91)->AddRecord(42, 132, std::move(row)));
        }
        const auto reopened = OpenDatabaseFile(path, false);
        ASSERT_NE(reopened, nullptr) << name;
        auto& table = dynamic_cast<CRuxPriceTb&>(*reopened->GetTable(91));
        EXPECT_EQ(table.GetName(), "RuxPrice5");
        EXPECT_EQ(table.GetPriceMasterNo(), 5);
        ASSERT_NE(table.FindPrice(42), nullptr) << name;
        EXPECT_EQ(LoadLe32(table.FindPrice(42)->Bytes().data() + kCoupon), 123456u) << name;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(table.FindPrice(42)->Bytes().data() + kPosCode)), "000042");
    }
}

}  // namespace
}  // namespace varnel::test
