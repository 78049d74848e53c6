#include "comms/center/PendingLinks.h"

#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/Document.h"
#include "db/plu/PluDefTb.h"
#include "db/store/ObjDatabase.h"

#include <algorithm>

namespace varnel {

void PendingLinks::Collect(const CIdEnqLinkList& links, const ScaleDefs* scales)
{
    m_links.clear();
    for (const auto& link : links.GetLinks())
        if (link->IsLinkSelected(scales)) m_links.push_back(link.get());
}

bool PendingLinks::Contains(std::uint16_t linkId) const { return Find(linkId) != nullptr; }

CIdEnqLink* PendingLinks::Find(std::uint16_t linkId) const
{
    const auto found = std::ranges::find_if(m_links, [linkId](const CIdEnqLink* link) { return link->m_linkId == linkId; });
    return found == m_links.end() ? nullptr : *found;
}

bool PendingLinks::Remove(std::uint16_t linkId)
{
    return std::erase_if(m_links, [linkId](const CIdEnqLink* link) { return link->m_linkId == linkId; }) != 0;
}

void PendingLinks::Release()
{
    for (CIdEnqLink* link : m_links) link->ClearNotifyWindow();
    m_links.clear();
}

MessageId EndLinkPart(CIdEnqLink& link, std::uintptr_t code, const ScaleDefs* scales, IDocument* document,
                      std::string_view compareDirectory, IFileSystem& fs)
{
    link.ClearNotifyWindow();
    if (code != CIdEnqLink::ResultReceiveDone) return link.GetCommsError();
    const MessageId result = link.FinishReceive();
    if (document == nullptr || document->GetReceivedRecordMode() != 0) return result;
    const CObjDatabase* database = document->GetPluDatabase();
    const auto* plus = database ? dynamic_cast<const CPluDefTb*>(database->GetTable(CPluDefTb::kTableNo)) : nullptr;
    if (plus == nullptr) return result;
    // A scale that did not answer sent nothing: comparing it would list every PLU as missing there.
    for (const auto& scale : link.m_scales)
        if (link.IsScaleSelected(*scale, scales) && scale->m_enabled && scale->IsOnline())
            scale->CompareWithDatabase(*plus, compareDirectory, fs);
    return result;
}

}  // namespace varnel
