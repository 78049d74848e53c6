// A link to two scales played by the scale simulator over the in-memory line: scale 7 of family 0 and
// scale 8 of family 9, with a document that hands the link the test's database.
#pragma once

#include "ScaleDataFixture.h"

#include "InMemoryLine.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "ScaleSimulator.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/Document.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace varnel::test {

class LinkDocument final : public IDocument {
public:
    LinkDocument(TestMainFrame& frame, CPluDatabase& database) : m_frame(frame), m_database(database)
    {
        m_frame.m_document = this;
    }
    ~LinkDocument() override { m_frame.m_document = nullptr; }
    LinkDocument(const LinkDocument&) = delete;
    LinkDocument& operator=(const LinkDocument&) = delete;

    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return false; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }
    CObjDatabase* GetPluDatabase() const override { return &m_database; }

private:
    TestMainFrame& m_frame;
    CPluDatabase& m_database;
};

class ScaleLinkFixture : public ScaleDataFixture {
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
        m_link.StartLink(&m_document, LinkRoles::Of(m_frame));
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
    // Whether any packet holds the record.
    static bool HoldsAnywhere(const std::vector<std::string>& packets, const std::string& record)
    {
        return std::ranges::any_of(packets, [&](const std::string& p) { return Holds(p, record); });
    }

    LinkDocument m_document{m_frame, m_database};
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

}  // namespace varnel::test
