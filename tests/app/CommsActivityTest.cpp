#include "app/CommsActivity.h"

#include "app/CommsStatus.h"
#include "comms/manager/IdEnqLinkList.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace varnel {
namespace {

TEST(CommsActivityTest, StatesAboveFiveAreIgnoredAndZeroIsTheFloor)
{
    CommsActivity activity;
    EXPECT_FALSE(activity.Raise(6));
    EXPECT_FALSE(activity.Lower(6));
    EXPECT_TRUE(activity.Lower(2));
    EXPECT_EQ(activity.Count(2), 0u);
    EXPECT_TRUE(activity.Raise(2));
    EXPECT_TRUE(activity.Raise(2));
    EXPECT_TRUE(activity.Lower(2));
    EXPECT_EQ(activity.Count(2), 1u);
    for (std::uint32_t state : {0u, 1u, 3u, 4u, 5u}) EXPECT_EQ(activity.Count(state), 0u);
}

TEST(CommsActivityTest, LinkThreadsRaiseAndLowerWhileTheWindowReads)
{
    CommsActivity activity;
    std::vector<std::thread> links;
    for (std::uint32_t link = 0; link < 4; ++link) {
        links.emplace_back([&activity, link] {
            for (int i = 0; i < 2000; ++i) {
                activity.Raise(2 + link % 3);
                activity.Lower(2 + link % 3);
                activity.Raise(0);
            }
        });
    }
    // At most two links count a state at once (links 0 and 3 share state 2).
    for (int i = 0; i < 2000; ++i) {
        for (std::uint32_t state : {2u, 3u, 4u}) ASSERT_LE(activity.Count(state), 2u);
    }
    for (std::thread& link : links) link.join();
    EXPECT_EQ(activity.Count(0), 8000u);
    for (std::uint32_t state : {2u, 3u, 4u}) EXPECT_EQ(activity.Count(state), 0u);
}

struct StatusCase {
    CommsStatusFacts facts;
    const char* text;
};

TEST(CommsStatusTextTest, ChosenInOrder)
{
    const StatusCase cases[] = {
        {{.quiet = true, .offLine = true}, ""},
        {{.offLine = true, .connecting = 1}, "Scale Comms: Off-Line"},
        {{.connecting = 1, .receiving = 1, .sending = 1}, "Scale Comms: Connecting to Scale..."},
        {{.receiving = 2, .sending = 1}, "Scale Comms: Receiving..."},
        {{.sending = 1, .scalesWithUnsentData = 2}, "Scale Comms: Sending..."},
        {{.scalesWithUnsentData = 2, .offLineScales = 1}, "Scale Comms: Idle (Data waiting on 2 scale(s))"},
        {{.offLineScales = 3}, "Scale Comms: Idle (3 scale(s) off-line)"},
    };
    for (const StatusCase& c : cases) EXPECT_EQ(CommsStatusText(c.facts), c.text);
}

TEST(GatherCommsStatusTest, LinksNotStartedAreOffLineWhateverTheCounters)
{
    const CIdEnqLinkList links;
    CommsActivity activity;
    activity.Raise(2);
    activity.Raise(4);
    const CommsStatusFacts facts = GatherCommsStatus(links, nullptr, true, false, activity);
    EXPECT_TRUE(facts.offLine);
    EXPECT_EQ(facts.connecting, 1u);
    EXPECT_EQ(facts.sending, 1u);
    EXPECT_EQ(CommsStatusText(facts), "Scale Comms: Off-Line");
    EXPECT_EQ(CommsStatusText(GatherCommsStatus(links, nullptr, true, true, activity)), "");
}

}  // namespace
}  // namespace varnel
