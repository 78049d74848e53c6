// The check before production totals are loaded, against a simulated scale on loopback TCP and a
// link whose scale never answers: the switch that skips it, a department whose scales all answer,
// and an off-line scale logged and asked about, with the Communication Center's Continue or a cancel.
#include "DocumentFixture.h"
#include "LinkWaits.h"
#include "SimulatedSite.h"
#include "app/ProdScalesCheck.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/idenq/LinkScale.h"

namespace varnel::test {
namespace {

class ProdScalesCheck : public DocumentTest {
protected:
    void SetUp() override
    {
        frame.m_setup.m_onlineComms = 1;
        frame.m_setup.m_checkConnectionBeforeProduction = 1;
        CIdEnqLinkList& links = host.GetLinks();
        links.Add(scale.MakeLink(1, 11, clock, pinger));
        auto dead = std::make_unique<CIdEnqSocketLink>(clock, RealFileSystem(), pinger);
        dead->m_linkId = 2;
        dead->m_enabled = true;
        dead->m_address = {127, 0, 0, 1};
        dead->m_port = 1;  // nothing listens there
        auto silent = std::make_unique<CLinkScale>();
        silent->m_scaleNo = 21;
        silent->m_name = "Back room";
        dead->m_scales.push_back(std::move(silent));
        links.Add(std::move(dead));
        links.StartLinks(doc.get(), host.GetLinkRoles(), false);
        ASSERT_TRUE(WaitUntilIdle(links));
        online.m_scales.push_back(std::make_unique<CScaleDef>(1, 11));
        withOffline.m_scales.push_back(std::make_unique<CScaleDef>(1, 11));
        withOffline.m_scales.push_back(std::make_unique<CScaleDef>(2, 21));
    }
    void TearDown() override { (void)host.GetLinks().StopLinks(false); }

    ProdScalesCheckSite Site()
    {
        ProdScalesCheckSite site;
        site.links = &host.GetLinks();
        site.comms.clock = &clock;
        site.continueInCommCenter = [this](const CMasterScale* department) {
            continuedFor = department;
            return pressContinue;
        };
        return site;
    }
    std::vector<std::string> Events() const
    {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : frame.m_events) texts.push_back(text);
        return texts;
    }

    ScriptedPinger pinger;
    SimulatedScale scale{Transport::Tcp, &clock};
    CMasterScale online;
    CMasterScale withOffline;
    bool pressContinue = true;
    const CMasterScale* continuedFor = nullptr;
};

const std::string kStarted = "Load & delete production data started";
const std::string kCancelled = "Load and delete production data cancelled by user";

TEST_F(ProdScalesCheck, WithTheSwitchOffOrEveryScaleAnsweringTheLoadGoesOn)
{
    frame.m_setup.m_checkConnectionBeforeProduction = 0;
    EXPECT_TRUE(CheckProdScalesOnline(Site(), &withOffline));
    frame.m_setup.m_checkConnectionBeforeProduction = 1;
    EXPECT_TRUE(CheckProdScalesOnline(Site(), &online));
    EXPECT_EQ(Events(), (std::vector<std::string>{kStarted, kStarted}));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ProdScalesCheck, AnOffLineScaleIsLoggedAndAskedAbout)
{
    prompt.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(CheckProdScalesOnline(Site(), &withOffline));
    EXPECT_EQ(Shown(), std::vector<MessageId>{kMsgProdScalesOffline});
    EXPECT_EQ(Events(), (std::vector<std::string>{kStarted, "Scale [Back room] offline", kCancelled}));
    EXPECT_EQ(continuedFor, nullptr);

    // OK opens the Communication Center for the department: Continue goes on, closing it stops.
    frame.m_events.clear();
    EXPECT_TRUE(CheckProdScalesOnline(Site(), &withOffline));
    EXPECT_EQ(continuedFor, &withOffline);
    pressContinue = false;
    EXPECT_FALSE(CheckProdScalesOnline(Site(), &withOffline));
    EXPECT_EQ(Events().back(), kCancelled);
}

}  // namespace
}  // namespace varnel::test
