// The link manager's lookups of links and scales, and its counts over the selected scales.
#include "comms/manager/IdEnqLinkList.h"

#include "comms/idenq/ScaleFamily.h"

#include <algorithm>
#include <optional>

namespace varnel {
namespace {

constexpr MessageId kMsgAllScales = 17599;       // "All Scales"
constexpr MessageId kMsgUserAdjustment = 17541;  // "User Adjustment"

}  // namespace

template <class Visit>
void CIdEnqLinkList::ForEachScale(Visit visit) const
{
    for (const auto& link : m_links)
        for (const auto& scale : link->m_scales) visit(*link, *scale);
}

CIdEnqLink* CIdEnqLinkList::FindLink(std::uint16_t linkNo) const
{
    const auto found = std::ranges::find_if(m_links, [linkNo](const auto& link) { return link->m_linkId == linkNo; });
    return found == m_links.end() ? nullptr : found->get();
}

CLinkScale* CIdEnqLinkList::FindScale(std::uint16_t scaleNo) const
{
    for (const auto& link : m_links)
        if (CLinkScale* scale = link->FindScale(scaleNo)) return scale;
    return nullptr;
}

CLinkScale* CIdEnqLinkList::FindScaleByDef(const CScaleDef& def) const
{
    const CIdEnqLink* link = FindLink(def.m_linkId);
    return link ? link->FindScale(def.m_scaleId) : nullptr;
}

CLinkScale* CIdEnqLinkList::FindScaleByName(std::string_view name) const
{
    for (const auto& link : m_links)
        if (CLinkScale* scale = link->FindScaleByName(name)) return scale;
    return nullptr;
}

CIdEnqLink* CIdEnqLinkList::FindLinkOfScale(std::uint16_t scaleNo) const
{
    const auto found =
        std::ranges::find_if(m_links, [scaleNo](const auto& link) { return link->FindScale(scaleNo) != nullptr; });
    return found == m_links.end() ? nullptr : found->get();
}

std::string CIdEnqLinkList::GetScaleName(std::uint16_t scaleNo) const
{
    if (scaleNo == kAllScales) return std::string(GetMessageText(kMsgAllScales));
    if (scaleNo == kUserAdjustment) return std::string(GetMessageText(kMsgUserAdjustment));
    const CLinkScale* scale = FindScale(scaleNo);
    return scale ? scale->m_name : std::string{};
}

void CIdEnqLinkList::GetAllScaleDefs(ScaleDefs& defs) const
{
    ForEachScale([&](const CIdEnqLink& link, const CLinkScale& scale) { defs.emplace_back(link.m_linkId, scale.m_scaleNo); });
}

std::uint16_t CIdEnqLinkList::GetMaxDescLength() const
{
    std::optional<std::uint16_t> longest;
    ForEachScale([&](const CIdEnqLink& link, const CLinkScale& scale) {
        if (link.m_enabled) longest = std::max(longest.value_or(0), scale.m_maxDescLength);
    });
    return longest.value_or(kDefaultMaxDescLength);
}

std::uint16_t CIdEnqLinkList::GetSingleScaleId() const
{
    if (m_links.size() != 1 || m_links.front()->m_scales.size() != 1) return 0;
    return m_links.front()->m_scales.front()->m_scaleNo;
}

bool CIdEnqLinkList::HasAtMostOneScale() const
{
    std::size_t count = 0;
    for (const auto& link : m_links) count += link->m_scales.size();
    return count <= 1;
}

bool CIdEnqLinkList::IsAnyScaleOnline(std::uint16_t linkNo) const
{
    return std::ranges::any_of(m_links, [linkNo](const auto& link) {
        return link->m_enabled && (linkNo == 0 || link->m_linkId == linkNo) && link->IsAnyScaleOnline();
    });
}

bool CIdEnqLinkList::AnyScaleEnabled(const ScaleDefs* scales) const
{
    bool found = false;
    ForEachScale([&](const CIdEnqLink& link, const CLinkScale& scale) {
        found |= link.m_enabled && scale.m_enabled && link.IsScaleSelected(scale, scales);
    });
    return found;
}

std::size_t CIdEnqLinkList::CountOfflineScales(const ScaleDefs* scales) const
{
    std::size_t count = 0;
    ForEachScale([&](const CIdEnqLink& link, const CLinkScale& scale) {
        if (link.m_enabled && scale.m_enabled && link.IsScaleSelected(scale, scales) && !scale.IsOnline()) ++count;
    });
    return count;
}

bool CIdEnqLinkList::AreAllScalesOnline(const ScaleDefs* scales)
{
    for (const auto& link : m_links) link->ResetJob();
    bool all = true;
    ForEachScale([&](const CIdEnqLink& link, const CLinkScale& scale) {
        if (link.m_enabled && link.IsLinkSelected(scales) && scale.m_enabled && link.IsScaleSelected(scale, scales))
            all &= scale.IsOnline();
    });
    return all;
}

bool CIdEnqLinkList::IsDataWaiting(const ScaleDefs* scales) const { return CountScalesWithDataWaiting(scales) > 0; }

std::size_t CIdEnqLinkList::CountScalesWithDataWaiting(const ScaleDefs* scales) const
{
    std::size_t count = 0;
    for (const auto& link : m_links) {
        if (!link->m_enabled) continue;
        const auto lock = link->LockQueues();
        for (const auto& scale : link->m_scales)
            if (link->IsScaleSelected(*scale, scales) && scale->HasDataWaiting()) ++count;
    }
    return count;
}

std::uint32_t CIdEnqLinkList::CountJobRecords(const ScaleDefs* scales) const
{
    std::uint32_t count = 0;
    for (const auto& link : m_links) {
        if (!link->m_enabled) continue;
        const auto lock = link->LockQueues();
        for (const auto& scale : link->m_scales)
            if (link->IsScaleSelected(*scale, scales)) count += scale->GetRecordCounter();
    }
    return count;
}

std::string CIdEnqLinkList::GetUnsentDataText() const
{
    std::string text;
    for (const auto& link : m_links) {
        if (!link->m_enabled) continue;
        const auto lock = link->LockQueues();
        for (const auto& scale : link->m_scales)
            if (scale->HasDataWaiting()) text += "\n - " + link->m_name;
    }
    return text;
}

}  // namespace varnel
