// "Edit Campaign": OK. In order: the update right; the campaign row stored and logged; each stored
// line, in key order, deleted when the dialog no longer holds its PLU, kept when unchanged, else
// rewritten; each dialog line left added; then the campaign queued for the scales. A failed write
// shows 61293 and ends the save before anything is queued; what was written before it stays.
#include "scaledata/EditCampaignForm.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/UserEdits.h"
#include "settings/AppEventLog.h"

namespace varnel {
namespace {

// " Op: <User edit> : <Added|Updated|Deleted> Campaign PLU No. <plu>", then " : " and `detail`.
void LogLine(const IEventLog& log, EventKind kind, std::uint32_t plu, std::string_view detail = {})
{
    const MessageId format = kind == EventAdded     ? CDBComTb::kMsgLogAdded
                             : kind == EventDeleted ? CDBComTb::kMsgLogDeleted
                                                    : CDBComTb::kMsgLogUpdated;
    std::string line(GetMessageText(kMsgUserEdit));
    line += FormatMessage(format, EditCampaignForm::kLineCaption, static_cast<unsigned>(plu));
    if (!detail.empty()) line.append(" : ").append(detail);
    log.WriteEvent(kind, line);
}

bool SameValues(const CCampDataRec& stored, const CampaignLine& line)
{
    return stored.GetPrice() == line.price && stored.GetOldPrice() == line.oldPrice &&
           stored.GetSalesMode() == line.salesMode;
}

}  // namespace

bool EditCampaignForm::OnOK()
{
    if (!m_campaigns.CheckUserRights(CDBComTb::kRightUpdate, true)) return false;
    if (!StoreRow() || !StoreLines()) {
        ShowMessage(kMsgSaveFailed);
        return false;
    }
    (void)m_campaigns.QueueKeySend(m_number, false);
    return true;
}

bool EditCampaignForm::StoreRow()
{
    bool created = false;
    const auto fill = [this](CCampaignRec& row) {
        row.SetName(m_name);
        (void)row.SetStart(m_start);
        (void)row.SetEnd(m_end);
        row.SetDayOfWeek(m_dayOfWeek);
        return static_cast<std::uint16_t>(CCampaignRec::kSize);
    };
    if (!StoreRowChange<CCampaignRec>(m_campaigns, m_number, CCampaignRec::kSize, fill, created)) return false;
    LogUserEdit(m_campaigns, m_number, created);
    return true;
}

bool EditCampaignForm::StoreLines()
{
    CObjDBTable* table = m_campaigns.GetLineTable();
    if (!table) return false;
    std::vector<bool> done(m_lines.size(), false);
    for (CCampDataRec* stored : m_campaigns.GetCampaignLines(m_number)) {
        std::size_t match = 0;
        while (match < m_lines.size() && (done[match] || m_lines[match].plu != stored->GetPluNo())) ++match;
        if (match == m_lines.size()) {
            const std::uint32_t plu = stored->GetPluNo();
            if (!table->DeleteKey(stored->GetKey())) return false;
            LogLine(m_campaigns.GetRoles().log, EventDeleted, plu);
            continue;
        }
        done[match] = true;
        if (!UpdateLine(*stored, m_lines[match])) return false;
    }
    for (std::size_t place = 0; place < m_lines.size() && place < kFamily11LineLimit; ++place)
        if (!done[place] && !AddLine(place, m_lines[place])) return false;
    return true;
}

bool EditCampaignForm::UpdateLine(CCampDataRec& stored, const CampaignLine& line)
{
    if (SameValues(stored, line)) return true;
    const CCampDataRec saved = stored;
    stored.SetPrice(line.price);
    stored.SetOldPrice(line.oldPrice);
    stored.SetSalesMode(static_cast<std::uint16_t>(line.salesMode));
    if (!m_campaigns.GetLineTable()->UpdateRecord(&stored, CCampDataRec::kSize)) {
        stored = saved;
        return false;
    }
    LogLine(m_campaigns.GetRoles().log, EventUpdated, line.plu,
            FormatMessage(kMsgLineChange, static_cast<int>(saved.GetPrice()), static_cast<int>(line.price),
                          static_cast<int>(saved.GetSalesMode()), static_cast<int>(line.salesMode)));
    return true;
}

bool EditCampaignForm::AddLine(std::size_t place, const CampaignLine& line)
{
    const CObjDBTable& table = *m_campaigns.GetLineTable();
    const auto taken = [&](std::size_t at) { return table.FindRecord(static_cast<std::uint32_t>(
                                                 FirstCampaignLineKey(m_number) + at)) != nullptr; };
    // The place's key may be held by a kept line that stood elsewhere in the dialog: the first free
    // place of the campaign serves instead.
    if (taken(place))
        for (place = 0; taken(place);) ++place;
    if (!m_campaigns.AddCampaignLine(m_number, place, line)) return false;
    LogLine(m_campaigns.GetRoles().log, EventAdded, line.plu);
    return true;
}

}  // namespace varnel
