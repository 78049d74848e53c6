// "Edit Campaigns".
#include "scaledata/EditCampaignsForm.h"

#include "scaledata/CampaignTb.h"
#include "scaledata/MessageTextEditForm.h"

namespace varnel {
namespace {

std::uint32_t CampaignOfRow(int index) { return static_cast<std::uint32_t>(index) + 1; }

}  // namespace

EditCampaignsForm::EditCampaignsForm(CCampaignTb& campaigns, const CPluDefTb* plus, EditDialog editDialog, Now now)
    : ScaleDataListForm(campaigns), m_campaigns(campaigns), m_plus(plus), m_editDialog(std::move(editDialog)),
      m_now(std::move(now))
{
    AddColumn(kColumnNo, 15);
    AddColumn(kColumnName, 84);
}

void EditCampaignsForm::InitList(int& selIndex)
{
    Surface().SetTitle("Edit Campaigns");
    selIndex = 0;
    Surface().ShowButton(ListButton::Add, false);
    Surface().EnableButton(ListButton::Delete, m_campaigns.CheckUserRights(CDBComTb::kRightDelete, false));
}

std::string EditCampaignsForm::GetCampaignText(std::uint32_t number) const
{
    const CCampaignRec* row = m_campaigns.FindCampaign(number);
    if (!row) return std::string(GetMessageText(kMsgSpare));
    const std::string_view name = row->GetName();
    std::string shown = CutToWholeChars(name, kNameShown, m_campaigns.GetRoles().Text().chars);
    if (shown.size() < name.size()) shown += "...";
    return shown;
}

bool EditCampaignsForm::GetRowText(int index, std::vector<std::string>& texts)
{
    if (index < 0 || CampaignOfRow(index) > m_campaigns.GetRoles().Setup().m_maxCampaignNo) return false;
    texts.push_back(std::to_string(CampaignOfRow(index)));
    texts.push_back(GetCampaignText(CampaignOfRow(index)));
    return true;
}

bool EditCampaignsForm::EditCampaign(std::uint32_t number)
{
    if (!EditCampaignForm::CanEdit(number) || !m_editDialog) return false;
    EditCampaignForm dialog(m_campaigns, m_plus, number, m_now ? m_now() : DateTimeParts{});
    return m_editDialog(dialog);
}

bool EditCampaignsForm::EditItem(int& index, bool& inserted)
{
    inserted = false;
    return index >= 0 && EditCampaign(CampaignOfRow(index));
}

bool EditCampaignsForm::DeleteItem(int index)
{
    const std::uint32_t number = CampaignOfRow(index);
    if (index < 0 || !m_campaigns.FindCampaign(number) || !ConfirmDelete(kMsgDeleteCampaign)) return false;
    if (DeleteUserEdit(m_campaigns, number, kMsgDeleteFailed)) m_campaigns.DeleteCampaignPlus(number);
    return false;
}

}  // namespace varnel
