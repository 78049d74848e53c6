// Extra messages go through the link to the scales in their family's record: a family-0 scale and a
// family-9 scale on one link, played by the scale simulator over the in-memory line.
#include "ScaleLinkFixture.h"

#include "scaledata/ExMsgTb.h"
#include "scaledata/MessageRules.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

using MessageLinkTest = ScaleLinkFixture;

TEST_F(MessageLinkTest, ExtraMessagesReachFamily0AndFamily9ScalesInTheirRecordsAndAreDeletedByKey)
{
    auto& extra = TableOf<CExMsgTb>(MsgKindToTableId(MsgExtra));
    for (const std::uint32_t number : {5u, 6u}) {
        auto row = std::make_unique<CExMsgRec>(0);
        row->SetText("\x1B" "C2MSG" + std::to_string(number));
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(extra.AddRecord(number, size, std::move(row)));
    }
    Send({CSendDataLog(SendRecords, extra.GetTableNo(), 1, 99)});

    const auto family0 = PacketsOf(7);
    const auto family9 = PacketsOf(8);
    ASSERT_FALSE(family0.empty());
    ASSERT_FALSE(family9.empty());
    EXPECT_TRUE(HoldsAnywhere(family0, "3505\x1B" "C2MSG5"s + '\0'));
    EXPECT_TRUE(HoldsAnywhere(family0, "3506\x1B" "C2MSG6"s + '\0'));
    EXPECT_TRUE(HoldsAnywhere(family9, R"(5,"\x0D\x0DMSG5",)"));
    EXPECT_TRUE(HoldsAnywhere(family9, R"(6,"\x0D\x0DMSG6",)"));

    const std::size_t sent0 = family0.size();
    const std::size_t sent9 = family9.size();
    Send({CSendDataLog(SendExistingDeletes, extra.GetTableNo(), 6, 6)});
    const auto deletes0 = PacketsOf(7);
    const auto deletes9 = PacketsOf(8);
    ASSERT_GT(deletes0.size(), sent0);
    ASSERT_GT(deletes9.size(), sent9);
    EXPECT_TRUE(Holds(deletes0.back(), "1306"));
    EXPECT_TRUE(Holds(deletes9.back(), "\x00\x03\x00\x00\x00\x00\x00\x02" "6,"s));
}

}  // namespace
}  // namespace varnel::test
