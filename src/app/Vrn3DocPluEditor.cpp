// The document's side of the PLU edit window.
#include "app/Vrn3Doc.h"

#include "platform/LocalTime.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/PluPromotion.h"

namespace varnel {

void CVrn3Doc::ShowPluEditor(std::uint32_t pluNumber)
{
    m_pluEdit.showNext = pluNumber;
    if (m_pluEditorOpen) {
        m_ui->UpdateAllViews();
        return;
    }
    m_pluEditorOpen = m_ui->OpenPluEditorWindow();
}

void CVrn3Doc::CloseEditorWindows()
{
    if (m_pluEditorOpen) m_ui->ClosePluEditorWindows();
}

int CVrn3Doc::GetPluPromotionState(std::uint32_t pluNumber, std::uint32_t& campaign) const
{
    const auto* campaigns = dynamic_cast<const CCampaignTb*>(GetCachedTable(CCampaignTb::kTableNo));
    if (campaigns == nullptr) return 0;
    const PluCampaignState found = FindPluCampaign(*campaigns, pluNumber, ToLocalOleDate(m_clock.WallNow()));
    campaign = found.campaign;
    return found.state;
}

}  // namespace varnel
