#include "comms/center/CompareResultForm.h"

#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/Document.h"
#include "platform/TextFormat.h"
#include "platform/TextViewer.h"
#include "platform/UserPrompt.h"

#include <utility>

namespace varnel {

CompareResultForm::CompareResultForm(Shape shape, CIdEnqLinkList& links, const ScaleDefs& scales, Site site)
    : m_shape(shape), m_site(std::move(site))
{
    for (const CScaleDef& def : scales) {
        CIdEnqLink* link = links.FindLink(def.m_linkId);
        CLinkScale* scale = link ? link->FindScale(def.m_scaleId) : nullptr;
        if (scale) m_entries.push_back({link, scale});
    }
    for (const Entry& entry : m_entries) m_rows.push_back(RowOf(entry, m_site.severalScalesPerLink));
    if (!m_rows.empty()) m_selection = 0;
}

CompareResultForm::Row CompareResultForm::RowOf(const Entry& entry, bool severalScalesPerLink)
{
    Row row;
    row.name = severalScalesPerLink ? FormatText("%s-%s", entry.link->m_name.c_str(), entry.scale->m_name.c_str())
                                    : entry.link->m_name;
    row.notOnScale = entry.scale->m_notOnScale.size();
    row.notInDatabase = entry.scale->m_notInDatabase.size();
    row.different = entry.scale->m_different.size();
    return row;
}

std::string CompareResultForm::GetTitle() const
{
    const Entry* current = Current();
    if (!current) return {};
    return m_site.severalScalesPerLink ? FormatText("%s - %s", current->link->m_name.c_str(), current->scale->m_name.c_str())
                                       : current->link->m_name;
}

CompareResultForm::Row CompareResultForm::GetCurrentCounts() const
{
    const Entry* current = Current();
    return current ? RowOf(*current, m_site.severalScalesPerLink) : Row{};
}

void CompareResultForm::Select(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_rows.size() ? row : std::nullopt;
}

const CompareResultForm::Entry* CompareResultForm::Current() const
{
    if (m_entries.empty()) return nullptr;
    if (m_shape == Shape::OneScale) return &m_entries.front();
    return m_selection ? &m_entries[*m_selection] : nullptr;
}

void CompareResultForm::ViewResultLog()
{
    if (const Entry* current = Current()) {
        const std::string path = current->scale->GetCompareResultFileName(m_site.scaleDataDirectory);
        if (const Result<void> shown = OpenInTextViewer(path); !shown) (void)ShowMessageText(shown.GetError().message);
    }
}

void CompareResultForm::SynchronizeScale()
{
    const Entry* current = Current();
    if (!current || !m_site.document || !IsSynchronizeEnabled()) return;
    if (ShowMessage(kMsgSynchronize, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    if (m_site.document->SynchronizeScale(true, current->link->m_linkId, *current->scale) != 0) return;
    if (m_shape == Shape::OneScale) {
        m_outcome = true;
        return;
    }
    current->scale->m_notInDatabase.clear();
    current->scale->m_notOnScale.clear();
    current->scale->m_different.clear();
    m_rows[*m_selection] = RowOf(*current, m_site.severalScalesPerLink);
}

void CompareResultForm::SynchronizeAllScales()
{
    if (!m_site.document || !IsSynchronizeEnabled()) return;
    if (ShowMessage(kMsgSynchronize, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    m_site.document->SynchronizeAllScales(true, m_site.department);
    m_outcome = true;
}

}  // namespace varnel
