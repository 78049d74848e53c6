// The archive forms of the link's objects: jobs, scale selectors, filters, scales and the link itself.
#include "MemoryLink.h"
#include "comms/idenq/LinkFilter.h"
#include "comms/idenq/LinkScale.h"
#include "db/site/ScaleDef.h"
#include "platform/ArchiveBytes.h"
#include "platform/LocalTime.h"
#include "settings/SettingsArchive.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

// The fields of a scale archived with `version`, up to and including its filter list (one filter).
ArchiveBytes ScaleBytes(std::uint16_t version, std::uint16_t tareFormat = 1)
{
    ArchiveBytes bytes;
    bytes.U16(version).U16(12).U32(1).Short("Deli").U16(3).U16(0).U16(2).U16(7).U16(1).U16(1501).U16(tareFormat);
    if (version > 101) bytes.U16(1);
    if (version > 102) bytes.U16(1);
    if (version > 103) bytes.U32(4711);
    bytes.U16(1).NewClass("CLinkFilter").U16(2).U32(10).U32(20).U16(1).U16(0);
    return bytes;
}

TEST(SendDataLog, OldestFormatIsQueuedWhenReadAndCountsAsLogged)
{
    const double before = ToLocalOleDate(SystemClock().WallNow());
    CSendDataLog job;
    ASSERT_TRUE(Load(job, ArchiveBytes().U16(1).U16(2).U32(5).U32(9)));
    EXPECT_EQ(job.m_kind, 1u);
    EXPECT_EQ(job.m_tableId, 2);
    EXPECT_EQ(job.m_rangeStart, 5u);
    EXPECT_EQ(job.m_rangeEnd, 9u);
    EXPECT_GE(job.m_queued.value, before - 1.0 / 86400);
    EXPECT_TRUE(job.m_logged);
}

TEST(ScaleDef, StoresLinkAndScaleIdWithoutFormatWord)
{
    CScaleDef def(3, 17);
    EXPECT_EQ(Store(def), ArchiveBytes().U16(3).U16(17).Get());
    CScaleDef loaded;
    ASSERT_TRUE(Load(loaded, Store(def)));
    EXPECT_EQ(loaded, def);
}

TEST(LinkFilter, StoresItsFiveFieldsAndNamesItsKind)
{
    TestMainFrame frame;
    CLinkFilter filter(CLinkFilter::kDeptGroupKind, 200, 299);
    EXPECT_EQ(Store(filter), ArchiveBytes().U16(16).U32(200).U32(299).U16(1).U16(0).Get());
    EXPECT_EQ(filter.GetText(), "Dept. and Group Code : From 200 to 299");
    std::string setup;
    filter.WriteSetup(setup);
    EXPECT_EQ(setup, "    Dept. and Group Code : From 200 to 299\r\n");

    CLinkFilter loaded;
    ASSERT_TRUE(Load(loaded, Store(filter)));
    EXPECT_EQ(loaded.m_kind, 16u);
    EXPECT_EQ(loaded.m_to, 299u);
    EXPECT_EQ(CLinkFilter(2, 1, 9).GetText(), "PLU : From 1 to 9");
}

TEST(LinkScale, VersionLadder)
{
    struct Case {
        std::uint16_t version;
        std::uint16_t message28, twoColour;
        std::uint32_t storeNumber;
    };
    const Case cases[] = {{101, 0, 0, 12}, {102, 1, 0, 12}, {103, 1, 1, 12}, {104, 1, 1, 4711}};
    for (const Case& c : cases) {
        CLinkScale scale;
        ASSERT_TRUE(Load(scale, ScaleBytes(c.version))) << c.version;
        EXPECT_EQ(scale.m_scaleNo, 12) << c.version;
        EXPECT_EQ(scale.m_name, "Deli");
        EXPECT_EQ(scale.m_scaleType, 3);
        EXPECT_EQ(scale.m_machineNo, 7);
        EXPECT_EQ(scale.m_maxDescLength, 1501);
        EXPECT_EQ(scale.m_tareFormat, 1);
        EXPECT_EQ(scale.m_message28, c.message28) << c.version;
        EXPECT_EQ(scale.m_twoColour, c.twoColour) << c.version;
        EXPECT_EQ(scale.m_storeNumber, c.storeNumber) << c.version;
        ASSERT_EQ(scale.m_filters.size(), 1u);
        EXPECT_EQ(scale.m_filters[0]->m_from, 10u);
    }
}

TEST(LinkScale, TareFormatOutsideItsTwoValuesReadsAsStandard)
{
    CLinkScale scale;
    ASSERT_TRUE(Load(scale, ScaleBytes(104, 5)));
    EXPECT_EQ(scale.m_tareFormat, 0);
}

TEST(LinkScale, StoresVersion104AndReadsItBack)
{
    CLinkScale scale;
    ASSERT_TRUE(Load(scale, ScaleBytes(104)));
    EXPECT_EQ(Store(scale), ScaleBytes(104).Get());
}

TEST(LinkScale, UnknownVersionIsRefused)
{
    CLinkScale scale;
    EXPECT_FALSE(Load(scale, ScaleBytes(105)));
    EXPECT_FALSE(Load(scale, ScaleBytes(99)));
}

TEST(LinkScale, Version100QueueJoinsTheQueueUnlessTheUserChoseTheFile)
{
    ArchiveBytes bytes = ScaleBytes(100);
    bytes.U16(1).NewClass("CSendDataLog").U16(0).U16(2).U32(1).U32(50);
    for (const bool userChosen : {false, true}) {
        CLinkScale scale;
        scale.m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 3, 1, 1));
        SetupFileContext context;
        context.userChosenSiteSetup = userChosen;
        ASSERT_TRUE(LoadArchive(bytes.Get(), [&](CArchive& ar) {
            ar.SetContext(&context);
            scale.Serialize(ar);
        }));
        ASSERT_EQ(scale.m_sendQueue.size(), userChosen ? 1u : 2u);
        if (!userChosen) {
            EXPECT_EQ(scale.m_sendQueue[1]->m_rangeEnd, 50u);
        }
    }
}

TEST(IdEnqLink, StoresItsFieldsAndScales)
{
    MemoryLink link;
    link.m_name = "Deli line";
    link.m_enabled = true;
    link.m_eightBitData = 1;
    link.m_linkId = 4;
    link.m_logging = true;
    for (const std::uint16_t number : {1, 2}) {
        link.m_scales.push_back(std::make_unique<CLinkScale>());
        link.m_scales.back()->m_scaleNo = number;
    }
    const auto bytes = Store(link);
    ArchiveBytes head;
    head.U16(100).Short("Deli line").U16(1).U16(1).U16(4).U16(1).Short("").U16(2);
    ASSERT_GT(bytes.size(), head.Get().size());
    EXPECT_TRUE(std::equal(head.Get().begin(), head.Get().end(), bytes.begin()));

    MemoryLink loaded;
    SetupFileContext site;
    site.maxCommsLogSize = 64;
    ASSERT_TRUE(Load(loaded, bytes, site));
    EXPECT_EQ(loaded.m_name, "Deli line");
    EXPECT_TRUE(loaded.m_enabled);
    EXPECT_EQ(loaded.m_linkId, 4);
    ASSERT_EQ(loaded.m_scales.size(), 2u);
    EXPECT_EQ(loaded.m_scales[1]->m_scaleNo, 2);
    EXPECT_EQ(loaded.m_maxLogSize, 64u * 1024);
}

TEST(IdEnqLink, OldestSetupFormatHasNoFormatWord)
{
    MemoryLink loaded;
    const auto bytes = ArchiveBytes().Short("Old").U16(1).U16(0).U16(9).U16(0).Short("").U16(0).Get();
    ASSERT_TRUE(Load(loaded, bytes, kOldestSetupFormat));
    EXPECT_EQ(loaded.m_name, "Old");
    EXPECT_EQ(loaded.m_linkId, 9);
    EXPECT_FALSE(Load(loaded, bytes));  // read as the current format it is short
}

}  // namespace
}  // namespace varnel::test
