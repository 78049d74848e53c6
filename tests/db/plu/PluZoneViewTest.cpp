// The PLU as a price zone sees it: the zone's values over a copy of the row in the scratch row, the
// zone of the scale being served or the store's own, and the day the scale adds to the shelf life.
#include "PriceZoneDatabase.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

constexpr std::uint16_t kPriceZonesDisabled = 1;
constexpr std::uint16_t kHeadOffice = 2;

class PluZoneViewTest : public PriceZoneDatabase {
protected:
    void SetUp() override
    {
        PriceZoneDatabase::SetUp();
        CPluDefRec& row = AddPlu(7, 100);
        row.Set(PluCol::ShelfLife, 4);
        row.Set(PluCol::BestBefore, 6);
        ASSERT_TRUE(Zones().WritePlu(7, {{2, kUnitPriceField, 200}, {3, kUnitPriceField, 300}}, &row));
    }
};

TEST_F(PluZoneViewTest, AZoneWithValuesGivesTheScratchRow)
{
    const BuildLock lock = Plus().LockRecordBuild();
    const CPluDefRec& row = Plu(7);
    const CPluDefRec& seen = Plus().GetZonePlu(lock, row, 3);
    EXPECT_EQ(&seen, &Plus().GetScratchRow(lock));
    EXPECT_EQ(seen.Get(PluCol::UnitPrice), 300);
    EXPECT_EQ(seen.Get(PluCol::Name), "Sirloin");
    EXPECT_EQ(seen.GetKey(), 7u);
    EXPECT_EQ(seen.GetTableNo(), CPluDefTb::kTableNo);
    EXPECT_EQ(seen.GetLength(), kPluDataRoom);
    EXPECT_EQ(row.Get(PluCol::UnitPrice), 100);
    EXPECT_EQ(&Plus().GetZonePlu(lock, row, 5), &row);
    EXPECT_EQ(&Plus().GetZonePlu(lock, row, 0), &row);
}

TEST_F(PluZoneViewTest, TheCurrentZoneIsTheServedScalesInHeadOfficeModeElseTheStoresOwn)
{
    struct Case {
        const char* name;
        std::uint16_t mode;
        std::uint16_t localZone;
        std::uint16_t scaleZone;
        std::int32_t price;
    };
    const Case cases[] = {
        {"store in zone 2", 0, 2, 3, 200},
        {"store in zone 0", 0, 0, 3, 100},
        {"zones disabled", kPriceZonesDisabled, 2, 3, 100},
        {"head office, scale in zone 3", kHeadOffice, 2, 3, 300},
        {"head office, scale in no zone", kHeadOffice, 2, 0, 100},
        {"head office but disabled", kHeadOffice | kPriceZonesDisabled, 2, 3, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame.m_setup.m_priceZoneMode = c.mode;
        m_frame.m_setup.m_localPriceZone = c.localZone;
        CLinkScaleSettings scale;
        scale.m_priceZone = c.scaleZone;
        const BuildLock lock = Plus().LockRecordBuild();
        const CPluDefTb::CurrentScale current(Plus(), lock, scale);
        EXPECT_EQ(Plus().GetCurrentZonePlu(lock, Plu(7)).Get(PluCol::UnitPrice), c.price);
        EXPECT_EQ(Plus().GetCurrentZonePluByKey(lock, 7)->Get(PluCol::UnitPrice), c.price);
    }
}

TEST_F(PluZoneViewTest, AScaleThatAddsADayGetsACopyOneDayLonger)
{
    m_frame.m_setup.m_localPriceZone = 2;
    CLinkScaleSettings scale;
    scale.m_addOneDay = 1;
    for (std::uint16_t zone : {0, 2}) {
        SCOPED_TRACE(zone);
        m_frame.m_setup.m_localPriceZone = zone;
        const BuildLock lock = Plus().LockRecordBuild();
        const CPluDefTb::CurrentScale current(Plus(), lock, scale);
        const CPluDefRec& seen = Plus().GetCurrentZonePluCopy(lock, Plu(7));
        EXPECT_EQ(seen.Get(PluCol::ShelfLife), 5);
        EXPECT_EQ(seen.Get(PluCol::BestBefore), 7);
        EXPECT_EQ(seen.Get(PluCol::UnitPrice), zone == 2 ? 200 : 100);
        EXPECT_EQ(Plu(7).Get(PluCol::ShelfLife), 4);
    }
    const BuildLock lock = Plus().LockRecordBuild();
    EXPECT_EQ(Plus().GetCurrentZonePluCopy(lock, Plu(7)).Get(PluCol::ShelfLife), 4);
    EXPECT_EQ(Plus().GetCurrentZonePluByKey(lock, 8), nullptr);
}

}  // namespace
}  // namespace varnel::test
