// Operators added, renumbered and deleted in the operator list reach the scales' send queues through
// the document and the link manager.
#include "DocumentFixture.h"
#include "MemoryLink.h"
#include "settings/EditOperatorsForm.h"
#include "settings/OperatorList.h"

namespace varnel::test {
namespace {

class OperatorSends : public DocumentTest, public IEditOperatorsUi {
protected:
    void SetUp() override
    {
        auto link = std::make_unique<MemoryLink>();
        link->m_linkId = 1;
        link->m_enabled = true;
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = 11;
        scale->m_scaleType = 10;
        link->m_scales.push_back(std::move(scale));
        host.GetLinks().Add(std::move(link));
        ASSERT_TRUE(doc->OpenDatabase(dir.File("Shop.pld")));
        frame.m_setup.m_onlineComms = 1;  // after the open, so the links stay stopped and keep their queues
    }

    bool RunOperatorEntry(EditOperatorForm& entry) override
    {
        if (m_typed.empty()) return false;
        entry.GetValues().id = m_typed.front().first;
        entry.GetValues().name = m_typed.front().second;
        m_typed.erase(m_typed.begin());
        return entry.Accept();
    }

    // The queued jobs of scale 11 as (kind, first, last).
    std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>> Queued()
    {
        std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>> jobs;
        for (const auto& job : host.GetLinks().FindScale(11)->m_sendQueue)
            if (job) jobs.emplace_back(job->m_kind, job->m_rangeStart, job->m_rangeEnd);
        return jobs;
    }

    std::vector<std::pair<std::string, std::string>> m_typed;
    COperatorList m_operators;
    CAppEventLog m_log;
};

TEST_F(OperatorSends, EachChangeQueuesItsSendOrDeleteOnTheScales)
{
    OperatorEntrySite site;
    EditOperatorsForm form(m_operators, frame, frame.m_setup, m_log, site, false);
    form.SetUi(*this);
    m_typed = {{"5", "Anna"}};
    form.Add();
    form.Select(0);
    m_typed = {{"6", "Anna"}};
    form.Edit();
    form.Select(0);
    form.Delete();
    EXPECT_TRUE(m_operators.GetOperators().empty());
    using Job = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;
    EXPECT_EQ(Queued(), (std::vector<Job>{{SendOperators, 5, 5}, {SendOperatorDeletes, 5, 5}, {SendOperators, 6, 6},
                                          {SendOperatorDeletes, 6, 6}}));
}

}  // namespace
}  // namespace varnel::test
