// A site for the communication windows' tests: the real link manager with links to ID-ENQ scales
// simulated on loopback TCP (and, when a test adds it, a link to a port where nothing listens), a
// document of scale data tables, a recording prompt and a frame; the waits of a window's thread.
#pragma once

#include "LinkTestData.h"
#include "LinkWaits.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "platform/PostQueue.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace varnel::test {

class CenterSite : public ::testing::Test {
protected:
    static constexpr std::uint16_t kTable = 4;

    void SetUp() override
    {
        frame.m_setup.m_usePing = 0;
        frame.m_scaleDataDirectory = dir.Path();
        document.m_database.Table(kTable).AddRows({1, 2, 3});
        document.m_pathName = dir.File("shop.pld");
    }
    void TearDown() override { (void)links.StopLinks(false); }

    // Link `linkId` with scale `scaleNo` to simulated scale `index` (0 or 1).
    void AddScaleLink(std::size_t index, std::uint16_t linkId, std::uint16_t scaleNo)
    {
        links.Add(scales[index]->MakeLink(linkId, scaleNo, scaleClocks[index], pinger));
    }
    // A socket link to a port of this host where nothing listens: every operation ends with 61326.
    void AddDeadLink(std::uint16_t linkId, std::uint16_t scaleNo)
    {
        auto link = std::make_unique<CIdEnqSocketLink>(clock, RealFileSystem(), pinger);
        link->m_linkId = linkId;
        link->m_enabled = true;
        link->m_name = "Dead " + std::to_string(linkId);
        link->m_address = {127, 0, 0, 1};
        link->m_port = 1;
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_scaleType = 0;
        scale->m_name = "Scale " + std::to_string(scaleNo);
        link->m_scales.push_back(std::move(scale));
        links.Add(std::move(link));
    }
    void Start()
    {
        links.StartLinks(&document, LinkRoles::Of(frame), false);
        ASSERT_TRUE(WaitUntilIdle(links));
    }

    // The window's thread: dispatches the form's posts until `done` holds (a real-time guard).
    static ::testing::AssertionResult DispatchUntil(const std::function<void()>& dispatch,
                                                    const std::function<bool()>& done)
    {
        const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            if (std::chrono::steady_clock::now() > guard) return ::testing::AssertionFailure() << "never done";
            dispatch();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return ::testing::AssertionSuccess();
    }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    RecordingPrompt prompt;
    TempDir dir;
    FakeClock clock;
    // Each link and its scale keep their own time (see SimulatedScale).
    std::array<FakeClock, 2> scaleClocks;
    ScriptedPinger pinger;
    std::array<std::unique_ptr<SimulatedScale>, 2> scales{
        std::make_unique<SimulatedScale>(Transport::Tcp, &scaleClocks[0]),
        std::make_unique<SimulatedScale>(Transport::Tcp, &scaleClocks[1])};
    CIdEnqLinkList links{clock, RealFileSystem()};
};

}  // namespace varnel::test
