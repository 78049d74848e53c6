// Extra messages go through the link to the scales in their family's record: a family-0 scale and a
// family-9 scale on one link, played by the scale simulator over the in-memory line.
#include "ScaleDataFixture.h"

#include "InMemoryLine.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "ScaleSimulator.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/Document.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/MessageRules.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

class MessageDocument final : public IDocument {
public:
    MessageDocument(TestMainFrame& frame, CPluDatabase& database) : m_frame(frame), m_database(database)
    {
        m_frame.m_document = this;
    }
    ~MessageDocument() override { m_frame.m_document = nullptr; }
    MessageDocument(const MessageDocument&) = delete;
    MessageDocument& operator=(const MessageDocument&) = delete;

    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return false; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }
    CObjDatabase* GetPluDatabase() const override { return &m_database; }

private:
    TestMainFrame& m_frame;
    CPluDatabase& m_database;
};

class MessageLinkTest : public ScaleDataFixture {
protected:
    void SetUp() override
    {
        m_sim.Start();
        m_link.m_linkId = 1;
        m_link.m_enabled = true;
        m_link.m_name = "Deli";
        for (const auto& [machine, family] : {std::pair{7, 0}, std::pair{8, 9}}) {
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = static_cast<std::uint16_t>(machine);
            scale->m_machineNo = static_cast<std::uint16_t>(machine);
            scale->m_scaleType = static_cast<std::uint16_t>(family);
            m_link.m_scales.push_back(std::move(scale));
        }
        m_link.StartLink(&m_document);
    }
    void TearDown() override { m_link.StopThread(); }

    void Send(const SendRequests& jobs)
    {
        m_link.ResetJob();
        for (const auto& scale : m_link.m_scales) m_link.AddJobScale(scale.get());
        const ScaleDefs all{CScaleDef(1, 7), CScaleDef(1, 8)};
        m_link.MarkJobStart(&all);
        m_link.QueueSendData(&all, jobs);
        RecordingWindow window;
        m_link.SubmitRequest(CIdEnqLink::RequestSendNow, &window, true);
        ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone));
    }
    std::vector<std::string> PacketsOf(std::uint16_t machine) const
    {
        std::vector<std::string> packets;
        for (const Bytes& packet : m_sim.Packets(machine)) packets.emplace_back(packet.begin(), packet.end());
        return packets;
    }
    static bool Holds(const std::string& packet, const std::string& record)
    {
        return packet.find(record) != std::string::npos;
    }

    MessageDocument m_document{m_frame, m_database};
    FakeClock m_clock;
    InMemoryLine m_line{m_clock};
    ScaleSimulator m_sim{m_line, {7, 8}};
    CIdEnqLinkList m_links{m_clock, RealFileSystem()};
    MemoryLink& m_link = AddLink();

private:
    MemoryLink& AddLink()
    {
        auto link = std::make_unique<MemoryLink>(m_line);
        MemoryLink& added = *link;
        m_links.Add(std::move(link));
        return added;
    }
};

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
    const auto holdsAnywhere = [](const std::vector<std::string>& packets, const std::string& record) {
        return std::ranges::any_of(packets, [&](const std::string& p) { return Holds(p, record); });
    };
    EXPECT_TRUE(holdsAnywhere(family0, "3505\x1B" "C2MSG5"s + '\0'));
    EXPECT_TRUE(holdsAnywhere(family0, "3506\x1B" "C2MSG6"s + '\0'));
    EXPECT_TRUE(holdsAnywhere(family9, R"(5,"\x0D\x0DMSG5",)"));
    EXPECT_TRUE(holdsAnywhere(family9, R"(6,"\x0D\x0DMSG6",)"));

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
