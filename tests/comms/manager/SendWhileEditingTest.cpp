// Four links send every PLU to their scales on loopback TCP while the user's thread changes the
// settings and edits, deletes and imports PLUs: each link's pass reads the settings snapshot it started
// with, and the edits and the links' range walks take the PLU table's build lock (the walks shared,
// each link in its own scratch; every change of the PLU or price-zone rows alone). Run under
// ThreadSanitizer, which reports any read of the settings or the tables that escapes those rules.
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/store/BatchJournalFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

namespace varnel::test {
namespace {

constexpr std::size_t kLinks = 4;
constexpr std::uint32_t kFirstAddedPlu = 100000;
constexpr std::uint16_t kHeadOffice = 2;
constexpr std::uint16_t kUnitPriceField = 1005;

class SendWhileEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.m_setup.m_usePing = 0;
        frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
        frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
        frame.SelectScaleFontSet();
    }

    // PLUs 1 to `count`, then four links, link n to scale n (in price zone n when `zoned`), started.
    void StartLinksToFourScales(std::uint32_t count, bool zoned)
    {
        for (std::uint32_t number = 1; number <= count; ++number) document.m_database.AddPlu(number, 1, 1);
        for (std::uint16_t i = 0; i < kLinks; ++i) {
            scales.push_back(std::make_unique<SimulatedScale>(Transport::Tcp, &linkClocks[i]));
            const auto number = static_cast<std::uint16_t>(i + 1);
            std::unique_ptr<CIdEnqLink> link = scales.back()->MakeLink(number, number, linkClocks[i], pinger);
            if (zoned) link->m_scales.front()->m_priceZone = number;
            links.Add(std::move(link));
        }
        links.StartLinks(&document, LinkRoles::Of(frame), false);
        ASSERT_TRUE(WaitUntilIdle(links));
    }

    // Head office: PLUs 1 to `count` with a unit price of their own in each of zones 1 to 4, and four
    // links to scales of zones 1 to 4, started.
    void StartLinksToFourZonedScales(std::uint32_t count)
    {
        frame.m_setup.m_priceZoneMode = kHeadOffice;
        for (std::uint16_t zone = 1; zone <= kLinks; ++zone) frame.m_priceZones.SetZone(zone, "Zone " + std::to_string(zone));
        frame.m_priceZoneFields = {kUnitPriceField};
        ASSERT_NO_FATAL_FAILURE(StartLinksToFourScales(count, true));
        for (std::uint32_t number = 1; number <= count; ++number) {
            PriceZoneEntries prices;
            for (std::uint16_t zone = 1; zone <= kLinks; ++zone)
                prices.push_back({zone, kUnitPriceField, static_cast<std::int32_t>(zone * 1000 + number)});
            ASSERT_TRUE(zones.WritePlu(number, prices, dynamic_cast<const CPluDefRec*>(plus.FindRecord(number))));
        }
    }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    CPluDefTb& plus = document.m_database.PluTable();
    CPluPriceZoneTb& zones = document.m_database.PriceZoneTable();
    FakeClock clock;
    // Each link and its scale keep their own time (see SimulatedScale).
    std::array<FakeClock, kLinks> linkClocks;
    ScriptedPinger pinger;
    std::vector<std::unique_ptr<SimulatedScale>> scales;
    CIdEnqLinkList links{clock, RealFileSystem()};
};

TEST_F(SendWhileEditing, FourLinksSendWhileTheUserChangesTheSettingsAndEditsPlus)
{
    constexpr std::uint32_t kPlus = 600;
    ASSERT_NO_FATAL_FAILURE(StartLinksToFourScales(kPlus, false));
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
        plus.InitNewPlu(kFirstAddedPlu + added, *row);
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

// Head office: four links serve scales of four price zones at once. Each builds its records in its
// own scratch beside the others, so every scale gets its own zone's prices.
TEST_F(SendWhileEditing, LinksToScalesOfFourPriceZonesBuildEachZonesRecordsAtOnce)
{
    constexpr std::uint32_t kPlus = 300;
    ASSERT_NO_FATAL_FAILURE(StartLinksToFourZonedScales(kPlus));
    RecordingWindow window;
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, kPlus)}, &window);
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone, kLinks));
    EXPECT_TRUE(links.StopLinks(false));

    for (std::uint16_t i = 0; i < kLinks; ++i) {
        SCOPED_TRACE(i + 1);
        const std::vector<Bytes> packets = scales[i]->Sim().Packets(1);
        ASSERT_EQ(packets.size(), kPlus);
        CLinkScaleSettings scale;
        scale.m_priceZone = static_cast<std::uint16_t>(i + 1);
        const SiteSettingsPtr settings = frame.GetSiteSettings();
        const BuildLock lock = plus.LockRecordBuild();
        for (std::uint32_t number = 1; number <= kPlus; ++number) {
            std::array<std::uint8_t, 1024> room{};
            ScaleRecordOut out;
            out.buffer = room;
            out.settings = settings.get();
            ASSERT_TRUE(plus.EncodeRecord(lock, scale, *plus.FindRecord(number), out));
            ASSERT_EQ(packets[number - 1], Bytes(room.begin(), room.begin() + out.length)) << "PLU " << number;
        }
    }
}

// The user deletes PLUs of the range being sent, with their zone rows, and imports a batch file that
// adds a PLU, replaces one and deletes another, while links to scales of four zones walk the PLUs and
// their zone rows: every change of either table holds the PLU table's build lock alone.
TEST_F(SendWhileEditing, FourLinksSendWhileTheUserDeletesAndImportsPlus)
{
    constexpr std::uint32_t kPlus = 400;
    ASSERT_NO_FATAL_FAILURE(StartLinksToFourZonedScales(kPlus));
    TempDir dir;
    const auto batchOf = [&](std::uint32_t round) {
        CPluDefRec added;
        plus.InitNewPlu(kFirstAddedPlu + round, added);
        CPluDefRec replaced;
        plus.InitNewPlu(round + 1, replaced);
        replaced.Set(PluCol::UnitPrice, static_cast<std::int32_t>(round));
        std::vector<std::uint8_t> bytes = EncodeBatchVersion(327);
        CPluDefRec deleted;
        const std::array<std::tuple<std::uint16_t, CPluDefRec*, std::uint32_t>, 3> entries{
            {{kBatchAdded, &added, kFirstAddedPlu + round}, {kBatchUpdated, &replaced, round + 1},
             {kBatchDeleted, &deleted, kPlus / 2 + round}}};
        for (const auto& [kind, row, number] : entries) {
            const std::uint16_t size = kind == kBatchDeleted ? 0 : row->CalcDataSize();
            row->SetHeader(CPluDefTb::kTableNo, size, size, number);
            const std::vector<std::uint8_t> chunk = EncodeRecordChunk(kind, *row);
            bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        }
        std::string path = dir.File(std::to_string(round) + ".bch");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    };

    RecordingWindow window;
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, kPlus)}, &window);
    std::uint32_t rounds = 0;
    for (; window.Results().size() < kLinks && rounds < kPlus / 4; ++rounds) {
        const std::uint32_t doomed = kPlus - rounds;
        ASSERT_TRUE(plus.DeleteKey(doomed));
        ASSERT_TRUE(zones.DeletePlu(doomed));
        ASSERT_TRUE(document.m_database.LoadBatchFile(batchOf(rounds), ""));
    }
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone, kLinks));
    EXPECT_TRUE(links.StopLinks(false));
    ASSERT_GT(rounds, 0u);
    // Each round took two PLUs of the range away and added one beyond it.
    EXPECT_EQ(plus.GetRecordCount(), kPlus - rounds);
    for (const auto& scale : scales) {
        EXPECT_LE(scale->Sim().Packets(1).size(), kPlus);
        EXPECT_GE(scale->Sim().Packets(1).size(), kPlus - 2 * rounds);
    }
}

}  // namespace
}  // namespace varnel::test
