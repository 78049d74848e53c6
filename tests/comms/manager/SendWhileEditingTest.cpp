// Four links send every PLU to their scales on loopback TCP while the user's thread changes the
// settings and edits PLUs: each link's pass reads the settings snapshot it started with, and the edits
// and the links' range walks take the PLU table's build lock. Run under ThreadSanitizer, which reports
// any read of the settings or the table that escapes those rules.
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"

#include <gtest/gtest.h>

#include <thread>

namespace varnel::test {
namespace {

constexpr std::uint32_t kPlus = 600;
constexpr std::size_t kLinks = 4;
constexpr std::uint32_t kFirstAddedPlu = 100000;

TEST(SendWhileEditing, FourLinksSendWhileTheUserChangesTheSettingsAndEditsPlus)
{
    TestMainFrame frame;
    frame.m_setup.m_usePing = 0;
    frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
    frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
    frame.SelectScaleFontSet();
    LinkTestDocument document{frame};
    CPluDefTb& plus = document.m_database.PluTable();
    for (std::uint32_t number = 1; number <= kPlus; ++number) document.m_database.AddPlu(number, 1, 1);

    FakeClock clock;
    ScriptedPinger pinger;
    std::vector<std::unique_ptr<SimulatedScale>> scales;
    CIdEnqLinkList links{clock, RealFileSystem()};
    for (std::uint16_t i = 0; i < kLinks; ++i) {
        scales.push_back(std::make_unique<SimulatedScale>(Transport::Tcp, &clock));
        links.Add(scales.back()->MakeLink(static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(i + 1), clock,
                                          pinger));
    }
    links.StartLinks(&document, false);
    ASSERT_TRUE(WaitUntilIdle(links));

    RecordingWindow window;
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, kPlus)}, &window);
    // The user's thread works on while the links send: the settings are replaced whole (as the
    // Options sheet does), prices change in place, and PLUs are added past the range being sent.
    std::uint32_t added = 0;
    for (std::uint32_t round = 0; window.Results().size() < kLinks; ++round) {
        CGeneralSetup changed = frame.m_setup;
        changed.m_maxCommsLogSize = static_cast<std::uint16_t>(round % 1000);
        changed.m_discardUnsentOnOpenFailure = static_cast<std::uint8_t>(round % 2);
        frame.m_setup = changed;
        ASSERT_TRUE(plus.ChangePrice(round % kPlus + 1, static_cast<std::int32_t>(round % 9999), -1, false, false));
        auto row = std::make_unique<CPluDefRec>();
        row->InitNew(kFirstAddedPlu + added);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(plus.AddPlu(kFirstAddedPlu + added, size, std::move(row)));
        ++added;
    }
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone, kLinks));
    EXPECT_GT(added, 0u);
    for (const auto& scale : scales) EXPECT_EQ(scale->Sim().Packets(1).size(), kPlus);
    EXPECT_EQ(plus.GetRecordCount(), kPlus + added);
    EXPECT_TRUE(links.StopLinks(false));
}

}  // namespace
}  // namespace varnel::test
