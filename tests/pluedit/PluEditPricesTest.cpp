// The PLU edit window's price masters as a PLU loads: a PLU's own rows of the five price master tables,
// the others filled from the PLU (or their defaults when the general setup keeps the PLU's price apart),
// the first in use when the PLU has none; a new PLU of layout kind 2 takes its first price master's
// defaults; layout kind 0 shows no price masters and reads none.
#include "PluEditFixture.h"

#include "db/plu/RuxPriceLayout.h"
#include "db/store/ColumnLayout.h"
#include "support/ScaleDataRegistration.h"

namespace varnel::test {
namespace {

class PluEditPricesTest : public PluEditFixture, public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterScaleDataTablesForTests();
        m_settings.layoutKind = 2;
        Open(".pld");
    }
    void AddPrice(int table, std::uint32_t pluNumber, std::int32_t price)
    {
        CObjDBTable* prices = m_db.GetTable(static_cast<std::uint16_t>(86 + table));
        ASSERT_NE(prices, nullptr);
        std::unique_ptr<CDBRecord> record = prices->CreateRecord(kRuxPriceRecordSize);
        const std::span<std::uint8_t> bytes{record->GetData(), kRuxPriceRecordSize};
        ASSERT_TRUE(WriteNumber(bytes, FindColumn(kRuxPriceColumns, "PriceNo"), table));
        ASSERT_TRUE(WriteNumber(bytes, FindColumn(kRuxPriceColumns, "UnitPrice"), price));
        ASSERT_TRUE(prices->AddRecord(pluNumber, kRuxPriceRecordSize, std::move(record)));
    }
    std::int32_t Price(std::size_t master, std::string_view column = "UnitPrice")
    {
        std::int32_t value = 0;
        (void)ReadNumber(Form().GetExtraPrices()[master], FindColumn(kRuxPriceColumns, column), value);
        return value;
    }
};

TEST_F(PluEditPricesTest, APluLoadsItsOwnPriceMastersAndTheRestFromItsRow)
{
    AddPlu(5).Set(PluCol::UnitPrice, 700);
    AddPrice(2, 5, 650);
    AddPlu(6).Set(PluCol::UnitPrice, 300);
    ASSERT_TRUE(Form().ShowPlu(5));
    EXPECT_EQ(Price(1), 650);
    EXPECT_EQ(Price(1, "PriceNo"), 2);
    for (const std::size_t master : {0u, 2u, 3u, 4u}) EXPECT_EQ(Price(master), 700) << master;
    EXPECT_EQ(Price(0, "PriceNo"), 0) << "a PLU with a row of its own marks none in use";

    ASSERT_TRUE(Form().OnNext());
    EXPECT_EQ(Price(0), 300);
    EXPECT_EQ(Price(0, "PriceNo"), 1) << "without rows the first is in use";
    EXPECT_FALSE(Form().AreExtraPricesChanged());
}

TEST_F(PluEditPricesTest, KeptApartThePriceMastersTakeTheirDefaults)
{
    m_frame.m_setup.m_noAutoRuxPriceRecord = 1;
    AddPlu(5).Set(PluCol::UnitPrice, 700);
    m_services.m_extraPriceDefault = 40;
    ASSERT_TRUE(Form().ShowPlu(5));
    for (const std::size_t master : {1u, 2u, 3u, 4u}) EXPECT_EQ(Price(master), 40) << master;
}

TEST_F(PluEditPricesTest, ANewPluTakesItsFirstPriceMastersDefaults)
{
    m_services.m_extraPriceDefault = 1234;
    ASSERT_TRUE(Form().ShowPlu(77));
    EXPECT_EQ(Form().GetWorkingRow().Get(PluCol::UnitPrice), 1234);
}

TEST_F(PluEditPricesTest, LayoutKindZeroReadsNoPriceMasters)
{
    m_settings.layoutKind = 0;
    AddPlu(5).Set(PluCol::UnitPrice, 700);
    AddPrice(2, 5, 650);
    ASSERT_TRUE(Form().ShowPlu(5));
    EXPECT_EQ(Price(1), 0);
}

}  // namespace
}  // namespace varnel::test
