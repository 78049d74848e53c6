// The scale's archive form, settings copy and send queue.
#include "comms/idenq/LinkScale.h"

#include "platform/ArchiveCollections.h"
#include "platform/ArchiveExchange.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kOldestVersion = 100;
constexpr std::uint16_t kHighestTareFormat = 1;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CLinkScale, 1)

void CLinkScale::SerializeSettings(CArchive& ar, std::uint16_t version)
{
    std::uint32_t enabled = m_enabled ? 1 : 0;
    std::uint16_t reserved = 0;
    Exchange(ar, m_scaleNo, enabled, m_name, m_scaleType, reserved, m_priceZone, m_machineNo, m_addOneDay,
             m_maxDescLength, m_tareFormat);
    m_enabled = enabled != 0;
    if (version > 101) Exchange(ar, m_message28);
    if (version > 102) Exchange(ar, m_twoColour);
    if (version > 103)
        Exchange(ar, m_storeNumber);
    else
        m_storeNumber = m_scaleNo;
}

void CLinkScale::Serialize(CArchive& ar)
{
    std::uint16_t version = kVersion;
    Exchange(ar, version);
    if (ar.IsLoading() && ar.Ok() && (version < kOldestVersion || version > kVersion)) {
        ar.Fail(Errc::Unsupported, "link scale version " + std::to_string(version) + " is not supported");
        return;
    }
    SerializeSettings(ar, version);
    SerializeObjectList(ar, m_filters);
    if (ar.IsStoring()) return;

    if (m_tareFormat > kHighestTareFormat) m_tareFormat = 0;
    if (version == kOldestVersion) {
        SendQueue oldQueue;
        SerializeObjectList(ar, oldQueue);
        // A setup file that the user chose brings no jobs of its own scales into this site's queues.
        if (!IsUserChosenSiteSetup(ar))
            std::ranges::move(oldQueue, std::back_inserter(m_sendQueue));
    }
}

void CLinkScale::CopySettings(const CLinkScale& other)
{
    ClearFiltersAndQueue();
    static_cast<CLinkScaleSettings&>(*this) = other;
    for (const auto& filter : other.m_filters)
        m_filters.push_back(filter ? std::make_unique<CLinkFilter>(*filter) : nullptr);
}

void CLinkScale::ClearFiltersAndQueue()
{
    m_filters.clear();
    ClearSendQueue();
}

void CLinkScale::ClearSendQueue() { m_sendQueue.clear(); }

bool CLinkScale::HasDataWaiting() const
{
    return std::ranges::any_of(m_sendQueue, [](const auto& job) { return job != nullptr; });
}

void CLinkScale::MergeSendQueue(SendQueue& items, SendJobCounts& known)
{
    SendQueue added;
    for (std::unique_ptr<CSendDataLog>& item : items)
        if (item && !known.Take(*item)) added.push_back(std::move(item));
    if (added.empty()) return;
    std::ranges::stable_sort(added, {}, [](const auto& job) { return job->m_queued.value; });
    SendQueue merged;
    merged.reserve(m_sendQueue.size() + added.size());
    auto next = added.begin();
    for (std::unique_ptr<CSendDataLog>& job : m_sendQueue) {
        if (job)
            for (; next != added.end() && (*next)->m_queued.value < job->m_queued.value; ++next)
                merged.push_back(std::move(*next));
        merged.push_back(std::move(job));
    }
    std::move(next, added.end(), std::back_inserter(merged));
    m_sendQueue = std::move(merged);
}

void CLinkScale::DropCurrentJob()
{
    if (m_sendQueue.empty() || !m_currentJobStart) return;
    const std::size_t start = std::min(*m_currentJobStart, m_sendQueue.size());
    const bool partlyDelivered =
        std::any_of(m_sendQueue.begin() + static_cast<std::ptrdiff_t>(start), m_sendQueue.end(),
                    [](const auto& job) { return job == nullptr; });
    if (partlyDelivered)
        m_sendQueue.clear();
    else
        m_sendQueue.resize(start);
    m_currentJobStart.reset();
}

}  // namespace varnel
