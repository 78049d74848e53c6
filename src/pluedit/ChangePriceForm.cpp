// "Change Prices", one price.
#include "pluedit/ChangePriceForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PriceChangeLog.h"
#include "db/text/PriceText.h"

namespace varnel {
namespace {

constexpr std::uint16_t kMarkdownPriceField = 1004;
constexpr std::uint16_t kUnitPriceField = 1005;
constexpr std::uint8_t kCountedFlag = 1;
constexpr std::uint8_t kWeighedFlag = 2;

}  // namespace

ChangePriceForm::ChangePriceForm(ChangePricesSite site, const CLabProp* flagDefinition, std::uint16_t zone)
    : ChangePricesForm(std::move(site)),
      m_flagDefinition(Site().plus.GetRoles().Setup().m_market == MarketSweden ? nullptr : flagDefinition), m_zone(zone),
      m_field(AmountField::Of(IsMarkdown() ? kMarkdownPriceField : kUnitPriceField))
{
}

std::uint8_t ChangePriceForm::ChosenFlag(const CPluDefRec& view) const
{
    if (!m_flagDefinition) return view.Get(PluCol::SalesMode) != 0 ? kCountedFlag : kWeighedFlag;
    const CPropValue* chosen = GetSelectedPropValue(*m_flagDefinition, m_flagChoices.selected);
    return chosen ? static_cast<std::uint8_t>(chosen->m_number) : view.Get(PluCol::MarkFlag);
}

std::uint16_t ChangePriceForm::DecimalsOf(const CPluDefRec& view, std::uint8_t flag) const
{
    return GetPriceDecimals(m_field.decimals, IsMarkdown(), view.Get(PluCol::SalesMode), flag);
}

std::string ChangePriceForm::FormatAmount(const CPluDefRec& view) const
{
    const std::uint8_t flag = view.Get(PluCol::MarkFlag);
    const std::int32_t amount = IsMarkdown() ? view.Get(PluCol::MarkPrice) : view.Get(PluCol::UnitPrice);
    return FormatFixedPoint(DecimalsOf(view, flag), '.', amount);
}

void ChangePriceForm::Show(const CPluDefRec* row)
{
    m_flagChoices = {};
    m_amountText.clear();
    m_goToText.clear();
    if (!row) return;
    const CPluDefRec view = ZoneView(*row, m_zone);
    if (IsFlagShown())
        m_flagChoices =
            PropValueChoices(*m_flagDefinition, view.Get(PluCol::MarkFlag), Site().plus.GetRoles().Text().chars);
    m_amountText = FormatAmount(view);
    m_goToText = std::to_string(NextPlu(GetCurrentPlu()).value_or(GetCurrentPlu()));
}

void ChangePriceForm::OnFlagChange(std::optional<std::size_t> selection)
{
    const CPluDefRec* row = CurrentRow();
    if (!row) return;
    const CPluDefRec view = ZoneView(*row, m_zone);
    std::int32_t amount = 0;
    const bool read = ParsePrice(m_amountText, DecimalsOf(view, ChosenFlag(view)), '.', amount);
    m_flagChoices.selected = selection;
    if (read) m_amountText = FormatFixedPoint(DecimalsOf(view, ChosenFlag(view)), '.', amount);
}

bool ChangePriceForm::OnGoTo()
{
    if (!Apply()) return false;
    std::int32_t number = 0;
    if (!ParsePrice(m_goToText, 0, 0, number)) return Refuse(kGoToPlu, kMsgNotNumeric);
    const auto wanted = static_cast<std::uint32_t>(number);
    std::optional<std::uint32_t> found = PluAtOrAbove(wanted);
    if (!found) found = PluAtOrBelow(wanted);
    return MoveTo(found);
}

bool ChangePriceForm::Apply()
{
    if (GetCurrentPlu() == 0) return true;
    const CPluDefRec* row = CurrentRow();
    if (!row) return Refuse(kAmount, kMsgDatabaseError);
    const CPluDefRec view = ZoneView(*row, m_zone);
    const std::uint8_t flag = IsMarkdown() ? ChosenFlag(view) : view.Get(PluCol::MarkFlag);
    const std::uint16_t decimals = DecimalsOf(view, flag);
    std::int32_t amount = 0;
    if (!ParsePrice(m_amountText, decimals, '.', amount)) {
        m_amountText = FormatAmount(view);
        return Refuse(kAmount, kMsgNotNumeric);
    }
    return IsMarkdown() ? ApplyMarkdown(view, amount, flag, decimals) : ApplyPrice(view, amount);
}

bool ChangePriceForm::ApplyPrice(const CPluDefRec& view, std::int32_t amount)
{
    const std::uint32_t plu = GetCurrentPlu();
    if (amount == view.Get(PluCol::UnitPrice) || IsBeingEdited(plu)) return true;
    if (!Site().plus.ChangePrice(plu, amount, m_zone, Site().send, true)) return Refuse(kAmount, kMsgDatabaseError);
    LogPriceChange(Site().plus.GetRoles(), kMsgPriceChange, view, amount, 0, m_zone, false);
    ChangeDone(*CurrentRow());
    return true;
}

bool ChangePriceForm::ApplyMarkdown(const CPluDefRec& view, std::int32_t amount, std::uint8_t flag,
                                    std::uint16_t decimals)
{
    const std::uint32_t plu = GetCurrentPlu();
    const bool changed = amount != view.Get(PluCol::MarkPrice) || flag != view.Get(PluCol::MarkFlag);
    if (!CheckPercentage(flag, amount, decimals, kAmount)) return false;
    if (!changed) return true;
    if (flag == 0 && amount != 0) return Refuse(kAmount, kMsgFlagNone);
    if (IsBeingEdited(plu)) return true;
    if (!Site().plus.ChangeMarkdownPrice(plu, amount, m_zone, flag, Site().send, true))
        return Refuse(kAmount, kMsgDatabaseError);
    LogPriceChange(Site().plus.GetRoles(), kMsgMarkdownPriceChange, view, amount, flag, m_zone, false);
    ChangeDone(*CurrentRow());
    return true;
}

}  // namespace varnel
