// "Edit Campaign Price".
#include "scaledata/EditCampPriceForm.h"

#include "db/plu/PluDefTb.h"
#include "db/text/PriceText.h"
#include "platform/UserPrompt.h"

namespace varnel {
namespace {

constexpr std::int64_t kShortPriceLimit = 100000;

const CPluDefRec* FindPlu(const CPluDefTb* plus, std::uint32_t pluNumber)
{
    return plus ? dynamic_cast<const CPluDefRec*>(plus->FindRecord(pluNumber)) : nullptr;
}

}  // namespace

EditCampPriceForm::EditCampPriceForm(const CampaignPriceRules& rules, const CPluDefTb* plus, const CampaignLine& line)
    : m_rules(rules), m_plus(plus), m_line(line)
{
    ShowValues();
}

void EditCampPriceForm::ShowValues()
{
    m_pluText = std::to_string(m_line.plu);
    m_priceText = m_rules.FormatPrice(m_line.salesMode, m_line.price);
    m_oldPriceText = m_rules.FormatPrice(m_line.salesMode, m_line.oldPrice);
}

void EditCampPriceForm::OnSalesModeChange(int position)
{
    const std::uint32_t mode = m_line.salesMode;
    std::int32_t plu = 0;
    if (ParsePrice(m_pluText, 0, 0, plu)) m_line.plu = static_cast<std::uint32_t>(plu);
    if (const auto price = m_rules.ReadPrice(mode, m_priceText)) m_line.price = static_cast<std::uint32_t>(*price);
    if (const auto old = m_rules.ReadPrice(mode, m_oldPriceText); old && m_rules.HasOldPrice())
        m_line.oldPrice = static_cast<std::uint32_t>(*old);
    m_line.salesMode = m_rules.ModeOfSelection(position);
    ShowValues();
}

void EditCampPriceForm::OnSelectPlu(const PluPicker& pick)
{
    std::int32_t typed = 0;
    const std::uint32_t current = ParsePrice(m_pluText, 0, 0, typed) ? static_cast<std::uint32_t>(typed) : m_line.plu;
    const std::optional<std::uint32_t> picked = pick ? pick(current) : std::nullopt;
    const CPluDefRec* plu = picked ? FindPlu(m_plus, *picked) : nullptr;
    if (!plu) return;
    m_line.plu = *picked;
    m_line.salesMode = m_rules.ModeOfPlu(plu->Get(PluCol::SalesMode));
    m_line.price = static_cast<std::uint32_t>(plu->Get(PluCol::UnitPrice));
    m_line.oldPrice = m_line.price;
    ShowValues();
}

bool EditCampPriceForm::Refuse(CampPriceControl control, MessageId message)
{
    ShowMessage(message);
    m_focus = control;
    return false;
}

bool EditCampPriceForm::OnOK()
{
    const std::uint32_t mode = m_line.salesMode;
    std::int32_t pluNumber = 0;
    if (!ParsePrice(m_pluText, 0, 0, pluNumber)) return Refuse(CampPriceControl::Plu, kMsgNotNumeric);
    const std::optional<std::int64_t> price = m_rules.ReadPrice(mode, m_priceText);
    if (!price) return Refuse(CampPriceControl::Price, kMsgNotNumeric);
    std::optional<std::int64_t> oldPrice = m_line.oldPrice;
    if (m_rules.HasOldPrice()) {
        oldPrice = m_rules.ReadPrice(mode, m_oldPriceText);
        if (!oldPrice) return Refuse(CampPriceControl::OldPrice, kMsgNotNumeric);
    }
    if (*price > m_rules.UpperLimit(mode)) return Refuse(CampPriceControl::Price, kMsgOutOfRange);
    const bool shortPrices = m_rules.family == 2 || m_rules.family == 3;
    if (shortPrices && *price >= kShortPriceLimit) return Refuse(CampPriceControl::Price, kMsgPriceTooLong);
    const CPluDefRec* plu = FindPlu(m_plus, static_cast<std::uint32_t>(pluNumber));
    if (!plu && ShowMessage(kMsgPluNotRegistered, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) {
        m_focus = CampPriceControl::Plu;
        return false;
    }
    m_line.plu = static_cast<std::uint32_t>(pluNumber);
    m_line.price = static_cast<std::uint32_t>(*price);
    m_line.oldPrice = static_cast<std::uint32_t>(*oldPrice);
    if (plu && !m_rules.IsSalesModeEnabled()) m_line.salesMode = plu->Get(PluCol::SalesMode);
    m_line.price = m_rules.FinishPrice(m_line.salesMode, m_line.price);
    return true;
}

}  // namespace varnel
