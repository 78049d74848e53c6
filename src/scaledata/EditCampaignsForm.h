// The model of "Edit Campaigns" (CEditCampaignsDlg, template 139): one line for every campaign number
// from 1 to "Max. Campaign No.", its name or "Spare"; "&Edit" (1006, or a double click) opens "Edit
// Campaign" for the number and "&Delete" (1003) deletes a campaign at the scales and then in the
// database, with its lines; "&Close" (1011) ends it.
#pragma once

#include "platform/OleDate.h"
#include "scaledata/EditCampaignForm.h"
#include "scaledata/ScaleDataListForm.h"

#include <functional>

namespace varnel {

class CCampaignTb;

class EditCampaignsForm final : public ScaleDataListForm {
public:
    static constexpr MessageId kMsgDeleteCampaign = 61241;
    static constexpr MessageId kMsgSpare = 61222;
    static constexpr MessageId kMsgDeleteFailed = 61294;
    static constexpr std::size_t kNameShown = 19;

    // Runs "Edit Campaign" over the form; true for OK (which stored the campaign).
    using EditDialog = std::function<bool(EditCampaignForm&)>;
    // The date and time a new campaign starts and ends at.
    using Now = std::function<DateTimeParts()>;

    EditCampaignsForm(CCampaignTb& campaigns, const CPluDefTb* plus, EditDialog editDialog, Now now);

    // Opens "Edit Campaign" for the number; false when it opens nothing (above 255) or is cancelled.
    bool EditCampaign(std::uint32_t number);
    // The list line of a campaign: its name, cut to 19 characters and "..." when longer, or "Spare".
    std::string GetCampaignText(std::uint32_t number) const;

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override;
    void InitList(int& selIndex) override;
    bool EditItem(int& index, bool& inserted) override;
    // A deleted campaign's line stays and reads "Spare".
    bool DeleteItem(int index) override;

private:
    CCampaignTb& m_campaigns;
    const CPluDefTb* m_plus;
    EditDialog m_editDialog;
    Now m_now;
};

}  // namespace varnel
