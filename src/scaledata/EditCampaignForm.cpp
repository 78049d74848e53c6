// "Edit Campaign": opening a campaign and editing its lines.
#include "scaledata/EditCampaignForm.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/CampaignTb.h"
#include "scaledata/MessageTextEditForm.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kCampaignOnlyFamily = 11;

}  // namespace

EditCampaignForm::EditCampaignForm(CCampaignTb& campaigns, const CPluDefTb* plus, std::uint32_t number,
                                   const DateTimeParts& now)
    : EditCampaignForm(campaigns, plus, number, now, CampaignPriceRules::Of(campaigns.GetRoles().rules))
{
}

EditCampaignForm::EditCampaignForm(CCampaignTb& campaigns, const CPluDefTb* plus, std::uint32_t number,
                                   const DateTimeParts& now, const CampaignPriceRules& rules)
    : m_campaigns(campaigns), m_plus(plus), m_rules(rules), m_number(number),
      m_dayOfWeekTemplate(campaigns.GetRoles().Setup().m_campaignDayOfWeek != 0), m_start(now), m_end(now),
      m_lineLimit(LineLimitOf(campaigns.GetRoles()))
{
    const CCampaignRec* row = campaigns.FindCampaign(number);
    if (!row) {
        SetName(FormatMessage(kMsgNewName, static_cast<long>(number)));
        return;
    }
    SetName(row->GetName());
    m_start = row->GetStart().value_or(now);
    m_end = row->GetEnd().value_or(now);
    m_dayOfWeek = row->GetDayOfWeek();
    for (const CCampDataRec* line : campaigns.GetCampaignLines(number)) {
        if (m_lines.size() == kFamily11LineLimit) break;
        m_lines.push_back({line->GetPluNo(), line->GetSalesMode(), line->GetPrice(), line->GetOldPrice()});
    }
    if (!m_lines.empty()) m_selected = 0;
}

std::size_t EditCampaignForm::LineLimitOf(const TableRoles& roles)
{
    const std::vector<const CLinkScaleSettings*> scales = roles.sends.GetLinkScales();
    const bool allFamily11 = !scales.empty() && std::ranges::all_of(scales, [&roles](const CLinkScaleSettings* scale) {
        return roles.FamilyOf(*scale) == kCampaignOnlyFamily;
    });
    return allFamily11 ? kFamily11LineLimit : kLineLimit;
}

void EditCampaignForm::SetName(std::string_view name) { m_name = CutToWholeChars(name, kNameChars, m_campaigns.GetRoles().Text().chars); }

std::vector<std::string> EditCampaignForm::GetDayOfWeekItems()
{
    return {"Everyday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
}

std::vector<std::string> EditCampaignForm::GetLineTexts(std::size_t index) const
{
    if (index >= m_lines.size()) return {};
    const CampaignLine& line = m_lines[index];
    std::vector<std::string> texts{std::to_string(line.plu), m_rules.FormatPrice(line.salesMode, line.price)};
    if (m_rules.HasOldPrice()) texts.push_back(m_rules.FormatPrice(line.salesMode, line.oldPrice));
    texts.push_back(m_rules.SalesModeName(line.salesMode));
    return texts;
}

std::size_t EditCampaignForm::GetPluDigits() const
{
    return std::to_string(m_campaigns.GetRoles().Setup().m_maxPluNo).size();
}

bool EditCampaignForm::HoldsPlu(std::uint32_t plu, int except) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (static_cast<int>(i) != except && m_lines[i].plu == plu) return true;
    return false;
}

bool EditCampaignForm::RunPriceDialog(const PriceDialog& priceDialog, EditCampPriceForm& form, int editing) const
{
    while (priceDialog && priceDialog(form)) {
        if (!HoldsPlu(form.GetLine().plu, editing)) return true;
        ShowMessage(kMsgDuplicatePlu);
    }
    return false;
}

bool EditCampaignForm::OnAdd(const PriceDialog& priceDialog)
{
    if (!CanAdd()) return false;
    EditCampPriceForm form(m_rules, m_plus, CampaignLine{1, 0, 0, 0});
    if (!RunPriceDialog(priceDialog, form, -1)) return false;
    m_lines.push_back(form.GetLine());
    m_selected = static_cast<int>(m_lines.size() - 1);
    return true;
}

bool EditCampaignForm::OnEdit(const PriceDialog& priceDialog)
{
    if (m_selected < 0 || static_cast<std::size_t>(m_selected) >= m_lines.size()) return false;
    CampaignLine line = m_lines[static_cast<std::size_t>(m_selected)];
    if (!m_rules.IsSalesModeEnabled()) line.salesMode = 0;
    EditCampPriceForm form(m_rules, m_plus, line);
    if (!RunPriceDialog(priceDialog, form, m_selected)) return false;
    m_lines[static_cast<std::size_t>(m_selected)] = form.GetLine();
    return true;
}

bool EditCampaignForm::OnDelete()
{
    if (m_selected < 0 || static_cast<std::size_t>(m_selected) >= m_lines.size()) return false;
    m_lines.erase(m_lines.begin() + m_selected);
    if (static_cast<std::size_t>(m_selected) >= m_lines.size()) m_selected = static_cast<int>(m_lines.size()) - 1;
    return true;
}

}  // namespace varnel
