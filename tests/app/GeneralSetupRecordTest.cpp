#include "db/site/GeneralSetup.h"

#include "platform/ByteOrder.h"

#include <gtest/gtest.h>

#include <numeric>

namespace varnel {
namespace {

TEST(GeneralSetupRecordTest, FieldsLandAtTheirOffsets)
{
    CGeneralSetup setup;
    setup.m_defaultScaleFamily = 0x0B0A;
    setup.m_labelWidths[5] = 0x0302;
    setup.m_labelFromPlu[0] = 0x11223344;
    setup.m_labelToPlu[5] = 0x55667788;
    setup.m_seriesNumber = 0x0403;
    setup.m_market = 0x0605;
    setup.m_maxPluNo = 0x01020304;
    setup.m_maxExMessageNo = 0x0A0B0C0D;
    setup.m_descLengths[0] = 0x0E0F;
    setup.m_maxCouponNo = 0x21222324;
    setup.m_messageFileMapping = {0x31, 0x32, 0x33, 0x34};
    setup.m_posUpdateFileOutput = 0x41;
    setup.m_koreanFont = 0x42;
    setup.m_productionOption = 0x43;
    const CGeneralSetup::Record record = setup.ToRecord();
    EXPECT_EQ(LoadLe16(&record[0]), 0x0B0A);
    EXPECT_EQ(LoadLe16(&record[14]), 0x0302);
    EXPECT_EQ(LoadLe32(&record[16]), 0x11223344u);
    EXPECT_EQ(LoadLe32(&record[60]), 0x55667788u);
    EXPECT_EQ(LoadLe16(&record[94]), 0x0403);
    EXPECT_EQ(LoadLe16(&record[96]), 0x0605);
    EXPECT_EQ(LoadLe32(&record[104]), 0x01020304u);
    EXPECT_EQ(LoadLe32(&record[260]), 0x0A0B0C0Du);
    EXPECT_EQ(LoadLe16(&record[290]), 0x0E0F);
    EXPECT_EQ(LoadLe32(&record[384]), 0x21222324u);
    EXPECT_EQ(record[391], 0x31);
    EXPECT_EQ(record[394], 0x34);
    EXPECT_EQ(record[399], 0x41);
    EXPECT_EQ(record[413], 0x42);
    EXPECT_EQ(record[414], 0x43);
}

TEST(GeneralSetupRecordTest, ReadAndWrittenBackByteForByteWithReservedPartsZeroed)
{
    CGeneralSetup::Record read{};
    std::iota(read.begin(), read.end(), std::uint8_t{1});
    CGeneralSetup setup;
    setup.FromRecord(read);
    const CGeneralSetup::Record written = setup.ToRecord();
    for (std::size_t i = 0; i < read.size(); ++i) {
        const bool reserved = (i >= 2 && i < 4) || (i >= 98 && i < 104) || (i >= 258 && i < 260) || i >= 420;
        EXPECT_EQ(written[i], reserved ? 0 : read[i]) << "byte " << i;
    }
}

TEST(GeneralSetupRecordTest, ANewSetupsLabelRangesEachHoldEveryPluAtTheDefaultSizes)
{
    const auto record = CGeneralSetup().ToRecord();
    for (std::size_t range = 0; range < 6; ++range) {
        EXPECT_EQ(LoadLe16(&record[4 + 2 * range]), 60) << range;
        EXPECT_EQ(LoadLe32(&record[16 + 4 * range]), 1u) << range;
        EXPECT_EQ(LoadLe32(&record[40 + 4 * range]), 999999u) << range;
        EXPECT_EQ(LoadLe16(&record[290 + 2 * range]), 100) << range;
    }
}

TEST(GeneralSetupRecordTest, OldRecordMovesToItsNewPlaces)
{
    std::vector<std::uint8_t> old(370);
    StoreLe16(&old[0], 9);
    old[68] = 0x3C;          // first label width
    StoreLe16(&old[160], 3);  // the market
    old[162] = 0x7F;         // Max. PLU No.
    old[236] = 0x55;         // display font
    old[359] = 0x66;         // last moved byte
    CGeneralSetup setup;
    setup.FromRecord(CGeneralSetup::ConvertOldRecord(old));
    EXPECT_EQ(setup.m_defaultScaleFamily, 9);
    EXPECT_EQ(setup.m_labelWidths[0], 0x3C);
    EXPECT_EQ(setup.m_market, MarketThailand);
    EXPECT_EQ(setup.m_maxPluNo, 0x7Fu);
    EXPECT_EQ(setup.m_displayFont[0], 0x55);
    EXPECT_EQ(setup.ToRecord()[307], 0x66);
    EXPECT_EQ(setup.m_nutritionInUse, 1);

    StoreLe16(&old[160], MarketAustralia);
    setup.FromRecord(CGeneralSetup::ConvertOldRecord(old));
    EXPECT_EQ(setup.m_nutritionInUse, 0);
}

TEST(GeneralSetupRecordTest, NormaliseMendsZeroesAndOutOfRangeLimits)
{
    struct Case {
        std::uint16_t market;
        std::uint32_t coupon;
        std::uint16_t usaFlag;
        std::uint32_t couponAfter;
    };
    for (const Case c : {Case{MarketUsa, 0, 1, 99}, Case{MarketChina, 100000000, 0, 99},
                         Case{MarketUsa, 99999999, 1, 99999999}, Case{MarketSweden, 9999, 0, 9999}}) {
        CGeneralSetup setup;
        setup.m_market = c.market;
        setup.m_maxCouponNo = c.coupon;
        setup.m_descLengths = {0, 50, 0, 0, 0, 0};
        setup.m_label60mmWidth = 0;
        setup.Normalise();
        EXPECT_EQ(setup.m_usaMarketFlag, c.usaFlag);
        EXPECT_EQ(setup.m_maxCouponNo, c.couponAfter);
        EXPECT_EQ(setup.m_descLengths, (std::array<std::uint16_t, 6>{100, 50, 100, 100, 100, 100}));
        EXPECT_EQ(setup.m_label60mmWidth, 440);
    }
}

}  // namespace
}  // namespace varnel
