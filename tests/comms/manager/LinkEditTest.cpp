// Four links sending the PLU table to their scales while the user's thread edits PLUs: prices of the
// PLUs being sent change, PLUs beyond them come and go. Run under ThreadSanitizer too.
#include "LinkWaits.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/Document.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace varnel::test {
namespace {

constexpr std::uint32_t kSentPlus = 300;
constexpr std::uint32_t kFirstEditedPlu = 1000;
constexpr std::size_t kLinks = 4;

class PluDocument final : public IDocument {
public:
    explicit PluDocument(TestMainFrame& frame) : m_frame(frame) { m_frame.m_document = this; }
    ~PluDocument() override { m_frame.m_document = nullptr; }
    PluDocument(const PluDocument&) = delete;
    PluDocument& operator=(const PluDocument&) = delete;

    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return false; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }
    CObjDatabase* GetPluDatabase() const override { return &m_database; }

    mutable CPluDatabase m_database;

private:
    TestMainFrame& m_frame;
};

std::unique_ptr<CPluDefRec> NewPlu(const CPluDefTb& plus, std::uint32_t number, std::int32_t price)
{
    auto row = std::make_unique<CPluDefRec>();
    plus.InitNewPlu(number, *row);
    row->SetDesc("\x1B" "C1Beef mince " + std::to_string(number), CharRule{});
    row->Set(PluCol::UnitPrice, price);
    return row;
}

TEST(LinksWhileEditing, FourLinksSendEveryPluWhileTheUsersThreadEditsTheTable)
{
    TestMainFrame frame;
    frame.m_setup.m_usePing = 0;
    frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
    frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
    frame.SelectScaleFontSet();
    PluDocument document(frame);
    document.m_database.CreateAllTables();
    CPluDefTb& plus = *document.m_database.GetPluTable();
    for (std::uint32_t number = 1; number <= kSentPlus; ++number) {
        auto row = NewPlu(plus, number, 100);
        const std::uint16_t size = row->CalcDataSize();
        ASSERT_TRUE(plus.AddPlu(number, size, std::move(row)));
    }

    ScriptedPinger pinger;
    std::vector<std::unique_ptr<SimulatedScale>> scales;
    CIdEnqLinkList links;
    for (std::uint16_t i = 0; i < kLinks; ++i) {
        scales.push_back(std::make_unique<SimulatedScale>(Transport::Tcp, nullptr));
        links.Add(scales.back()->MakeLink(static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(i + 1),
                                          SystemClock(), pinger));
    }
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(WaitUntilIdle(links));

    RecordingWindow window;
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, kSentPlus)}, &window);
    // The editor changes the table under its build lock, as every change beside the links does.
    std::atomic<bool> sending = true;
    std::thread editor([&] {
        std::uint32_t round = 0;
        while (sending) {
            ++round;
            const BuildLock lock = plus.LockRecordBuild();
            auto* row = static_cast<CPluDefRec*>(plus.FindRecord(1 + round % kSentPlus));
            row->Set(PluCol::UnitPrice, static_cast<std::int32_t>(100 + round));
            row->SetDesc("\x1B" "C1Beef mince, round " + std::to_string(round), CharRule{});
            ASSERT_TRUE(plus.UpdatePlu(*row, row->CalcDataSize()));
            const std::uint32_t extra = kFirstEditedPlu + round % 50;
            if (plus.FindRecord(extra)) {
                ASSERT_TRUE(plus.DeleteKey(extra));
            } else {
                auto added = NewPlu(plus, extra, 7);
                const std::uint16_t size = added->CalcDataSize();
                ASSERT_TRUE(plus.AddPlu(extra, size, std::move(added)));
            }
        }
    });
    const bool done = window.WaitFor(CIdEnqLink::ResultDone, kLinks);
    sending = false;
    editor.join();
    ASSERT_TRUE(done);
    for (const auto& scale : scales) EXPECT_EQ(scale->Sim().Packets(1).size(), kSentPlus);
    links.StopLinks(false);
}

}  // namespace
}  // namespace varnel::test
