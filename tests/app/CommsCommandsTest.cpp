#include "app/CommsCommands.h"

#include "app/MainFrame.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

std::vector<std::size_t> Kinds(const KindSet& kinds)
{
    std::vector<std::size_t> numbers;
    for (std::size_t kind = 0; kind < kinds.size(); ++kind)
        if (kinds[kind]) numbers.push_back(kind);
    return numbers;
}

// The kinds the Communication Center offers follow the derived flags of the scales on the links.
TEST(CommsCommandsTest, TheKindsInUseFollowTheFamiliesOnTheLinks)
{
    test::TempDir dir;
    CMainFrame frame(dir.Path());
    frame.GeneralSetup().m_market = MarketAustralia;
    frame.RecalcSetupFlags();
    // Without scales on the links the default family (0) counts.
    EXPECT_EQ(Kinds(KindsInUseOf(frame).kinds), (std::vector<std::size_t>{3, 4, 7, 8, 10, 12, 61}));

    auto link = std::make_unique<CSorrelSocketLink>();
    link->m_linkId = 1;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 1;
    scale->m_scaleType = 9;
    link->m_scales.push_back(std::move(scale));
    frame.Links().Add(std::move(link));
    frame.RecalcSetupFlags();
    const KindsInUse inUse = KindsInUseOf(frame);
    EXPECT_EQ(Kinds(inUse.kinds), (std::vector<std::size_t>{3, 4, 8, 10, 29, 30, 37, 53, 70, 71}));
    EXPECT_TRUE(inUse.family9);
    EXPECT_FALSE(inUse.family9Market10);
    EXPECT_TRUE(inUse.departmentsAndGroups);

    // In Taiwan the family-9 scales take trays and index keys instead of the message kinds.
    frame.GeneralSetup().m_market = MarketTaiwan;
    frame.RecalcSetupFlags();
    EXPECT_EQ(Kinds(KindsInUseOf(frame).kinds), (std::vector<std::size_t>{37, 53, 70, 71, 86}));
    EXPECT_TRUE(KindsInUseOf(frame).family9Market10);
}

}  // namespace
}  // namespace varnel
