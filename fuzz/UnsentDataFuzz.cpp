// Any bytes as the unsent-data file: loading never crashes, a save after it succeeds, and from then on
// the file carries every scale's jobs unchanged: loaded again, saved again and loaded once more, each
// scale's queue holds the same jobs, field for field, in the same order.
#include "FuzzRequire.h"
#include "MemoryLink.h"

#include "comms/manager/IdEnqLinkList.h"
#include "support/FakeClock.h"

#include <unistd.h>

#include <bit>
#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using varnel::fuzz::Require;

const std::string& ScratchPath()
{
    static const std::string path = "/tmp/unsent-data-fuzz-" + std::to_string(::getpid()) + ".usd";
    return path;
}

// Links 1 (scales 11, 12) and 2 (scale 21): a file naming other scales loses their groups.
void AddLinks(varnel::CIdEnqLinkList& list)
{
    for (const auto& [linkId, scaleIds] :
         {std::pair<std::uint16_t, std::vector<std::uint16_t>>{1, {11, 12}}, {2, {21}}}) {
        auto link = std::make_unique<varnel::test::MemoryLink>();
        link->m_linkId = linkId;
        for (const std::uint16_t id : scaleIds) {
            auto scale = std::make_unique<varnel::CLinkScale>();
            scale->m_scaleNo = id;
            link->m_scales.push_back(std::move(scale));
        }
        list.Add(std::move(link));
    }
}

using JobFields = std::tuple<std::uint32_t, std::uint16_t, std::uint32_t, std::uint32_t, std::uint64_t, int>;

std::vector<std::vector<JobFields>> Queues(const varnel::CIdEnqLinkList& list)
{
    std::vector<std::vector<JobFields>> queues;
    for (const auto& link : list.GetLinks()) {
        for (const auto& scale : link->m_scales) {
            std::vector<JobFields>& jobs = queues.emplace_back();
            for (const auto& job : scale->m_sendQueue)
                if (job)
                    jobs.emplace_back(job->m_kind, job->m_tableId, job->m_rangeStart, job->m_rangeEnd,
                                      std::bit_cast<std::uint64_t>(job->m_queued.value),
                                      static_cast<int>(job->m_queued.status));
        }
    }
    return queues;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    varnel::test::FakeClock clock{varnel::DateTimeParts{2024, 5, 6, 7, 8, 9}};
    varnel::CIdEnqLinkList first(clock, varnel::RealFileSystem());
    AddLinks(first);
    (void)first.LoadUnsentData(ScratchPath());
    Require(first.SaveUnsentData(ScratchPath()));
    const auto saved = Queues(first);

    varnel::CIdEnqLinkList second(clock, varnel::RealFileSystem());
    AddLinks(second);
    Require(second.LoadUnsentData(ScratchPath()));
    Require(Queues(second) == saved);
    Require(second.SaveUnsentData(ScratchPath()));
    Require(Queues(second) == saved);

    varnel::CIdEnqLinkList third(clock, varnel::RealFileSystem());
    AddLinks(third);
    Require(third.LoadUnsentData(ScratchPath()));
    Require(Queues(third) == saved);
    return 0;
}
