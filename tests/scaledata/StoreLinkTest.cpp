// Stores, store settings, trays and advertising messages go through the link to the scales in their
// family's records, a family-0 scale and a family-9 scale on one link played by the scale simulator,
// and are deleted there by key.
#include "ScaleLinkFixture.h"

#include "scaledata/ScrollMsgTb.h"
#include "scaledata/StoreNameTb.h"
#include "scaledata/StoreSetupTb.h"
#include "scaledata/TrayTb.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

using StoreLinkTest = ScaleLinkFixture;

TEST_F(StoreLinkTest, StoresTraysAndAdvertisingMessagesReachFamily0AndFamily9ScalesAndAreDeletedByKey)
{
    auto& stores = TableOf<CStoreNameTb>(CStoreNameTb::kTableNo);
    auto store = std::make_unique<CStoreNameRec>();
    store->SetName("ABC", 0, 0);
    store->SetAddress("X", 0, 0);
    ASSERT_TRUE(stores.AddRecord(3, CStoreNameRec::kSize, std::move(store)));
    auto& settings = TableOf<CStoreSetupTb>(CStoreSetupTb::kTableNo);
    ASSERT_TRUE(settings.AddRecord(7, CStoreSetupRec::kSize, std::make_unique<CStoreSetupRec>()));
    auto& trays = TableOf<CTrayTb>(CTrayTb::kTableNo);
    auto tray = std::make_unique<CTrayRec>();
    tray->SetEditorDefaults();
    tray->Set(tray_columns::kName, "Name");
    ASSERT_TRUE(trays.AddRecord(1, CTrayRec::kSize, std::move(tray)));
    auto& adverts = TableOf<CScrollMsgTb>(CScrollMsgTb::kTableNo);
    auto advert = std::make_unique<CScrollMsgRec>();
    advert->SetText("SALE");
    advert->Set(scroll_columns::kDispMode, 1);
    advert->Set(scroll_columns::kDispTime, 822);
    advert->Set(scroll_columns::kConseqMsg, 1);
    ASSERT_TRUE(adverts.AddRecord(1, CScrollMsgRec::kSize, std::move(advert)));

    Send({CSendDataLog(SendRecords, stores.GetTableNo(), 1, 99), CSendDataLog(SendRecords, settings.GetTableNo(), 1, 9999),
          CSendDataLog(SendRecords, trays.GetTableNo(), 1, 9999), CSendDataLog(SendRecords, adverts.GetTableNo(), 1, 9)});
    const auto family0 = PacketsOf(7);
    const auto family9 = PacketsOf(8);
    EXPECT_TRUE(HoldsAnywhere(family0, "3403ABC" + std::string(33, ' ') + "X" + std::string(46, ' ')));
    EXPECT_TRUE(HoldsAnywhere(family0, "68010100082201SALE"));
    EXPECT_TRUE(HoldsAnywhere(family9, "7,\"\",\"\",2,1,1,0,0,1,0,2,2,49,49,0,0,1,2,"));
    EXPECT_TRUE(HoldsAnywhere(family9, "1,1,1,2,200,130,30,0,0,0,0,0,\"\\x0d\\x06Name\",1,1,1,1,1,6,1,1,6,1,1,6,0,0,1,"));
    EXPECT_FALSE(HoldsAnywhere(family9, "SALE"));
    EXPECT_FALSE(HoldsAnywhere(family0, "49,49"));

    const std::size_t sent0 = family0.size();
    const std::size_t sent9 = family9.size();
    Send({CSendDataLog(SendExistingDeletes, stores.GetTableNo(), 3, 3),
          CSendDataLog(SendExistingDeletes, trays.GetTableNo(), 1, 1)});
    const auto deletes0 = PacketsOf(7);
    const auto deletes9 = PacketsOf(8);
    ASSERT_GT(deletes0.size(), sent0);
    ASSERT_GT(deletes9.size(), sent9);
    EXPECT_TRUE(Holds(deletes0.back(), "2303"));
    EXPECT_TRUE(Holds(deletes9.back(), "\x00\x30\x00\x00\x00\x00\x00\x02" "1,"s));
}

}  // namespace
}  // namespace varnel::test
