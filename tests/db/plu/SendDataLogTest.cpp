// The send job's archive forms.
#include "db/plu/SendDataLog.h"

#include "platform/Archive.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

TEST(SendDataLogTest, StoresItsFormatAndReadsBackAsAlreadyLogged)
{
    CSendDataLog job(SendMarkdownChanges, 2, 100, 0x12345678);
    job.m_queued = COleDateTime{45000.5, DateTimeStatus::Valid};
    auto bytes = SaveArchive([&](CArchive& ar) { job.Serialize(ar); });
    ASSERT_TRUE(bytes);
    const std::vector<std::uint8_t> head{100, 0, 4, 0, 2, 0, 100, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0};
    ASSERT_EQ(bytes->size(), head.size() + 8);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes->begin()));

    CSendDataLog read;
    EXPECT_EQ(read.m_kind, SendNewObjectKind);
    ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { read.Serialize(ar); }));
    EXPECT_EQ(read.m_kind, SendMarkdownChanges);
    EXPECT_EQ(read.m_tableId, 2);
    EXPECT_EQ(read.m_rangeStart, 100u);
    EXPECT_EQ(read.m_rangeEnd, 0x12345678u);
    EXPECT_EQ(read.m_queued, job.m_queued);
    EXPECT_TRUE(read.m_logged);
}

TEST(SendDataLogTest, AJobOfTheOldestFormIsQueuedWhenItIsRead)
{
    const std::vector<std::uint8_t> oldest{1, 0, 2, 0, 5, 0, 0, 0, 9, 0, 0, 0};
    const double before = ToLocalOleDate(SystemClock().WallNow());
    CSendDataLog read;
    ASSERT_TRUE(LoadArchive(oldest, [&](CArchive& ar) { read.Serialize(ar); }));
    EXPECT_EQ(read.m_kind, SendKeyDeletes);
    EXPECT_EQ(read.m_rangeStart, 5u);
    EXPECT_EQ(read.m_rangeEnd, 9u);
    EXPECT_GE(read.m_queued.value, before - 1.0 / 86400);
    EXPECT_LE(read.m_queued.value, ToLocalOleDate(SystemClock().WallNow()) + 1.0 / 86400);
    EXPECT_TRUE(read.m_logged);

    const std::vector<std::uint8_t> cut{100, 0, 1, 0, 2, 0};
    EXPECT_FALSE(LoadArchive(cut, [&](CArchive& ar) { read.Serialize(ar); }));
}

}  // namespace
}  // namespace varnel::test
