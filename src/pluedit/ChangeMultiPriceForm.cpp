// "Change Prices" with the extra price tables.
#include "pluedit/ChangeMultiPriceForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PriceChangeLog.h"
#include "db/plu/RuxPriceLayout.h"
#include "db/text/PriceText.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kRuxUnitPriceField = 1200;
constexpr std::uint16_t kRuxMarkdownPriceField = 1201;

std::int32_t ReadColumn(const RuxPriceRecordBytes& record, std::string_view name)
{
    std::int32_t value = 0;
    (void)ReadNumber(record, FindColumn(kRuxPriceColumns, name), value);
    return value;
}

}  // namespace

ChangeMultiPriceForm::ChangeMultiPriceForm(ChangePricesSite site, const CLabProp* flagDefinition, std::uint16_t zone)
    : ChangePricesForm(std::move(site)), m_flagDefinition(flagDefinition), m_zone(zone),
      m_field(AmountField::Of(IsMarkdown() ? kRuxMarkdownPriceField : kRuxUnitPriceField)),
      m_counterApart(Site().plus.GetRoles().Setup().m_noAutoRuxPriceRecord != 0)
{
}

std::uint16_t ChangeMultiPriceForm::DecimalsOf(const Price& price) const
{
    return GetPriceDecimals(m_field.decimals, IsMarkdown(), price.salesMode, price.flag);
}

void ChangeMultiPriceForm::Show(const CPluDefRec* row)
{
    m_view.reset();
    m_prices = {};
    m_changed = false;
    if (row) {
        m_view = ZoneView(*row, m_zone);
        const CPluDefRec& view = *m_view;
        m_prices[0] = {IsMarkdown() ? view.Get(PluCol::MarkPrice) : view.Get(PluCol::UnitPrice),
                       view.Get(PluCol::MarkFlag), view.Get(PluCol::SalesMode), true};
        const IRuxPriceTables* tables = Site().plus.GetRuxPriceTables();
        for (std::size_t n = 1; n < kRows; ++n) {
            const std::optional<RuxPriceRecordBytes> record =
                tables ? tables->FindRecord(static_cast<int>(n), row->GetKey()) : std::nullopt;
            if (!record) {
                // Without a record of its own, Price #1 is the counter scale price unless kept apart.
                if (n == 1 && !m_counterApart) m_prices[1] = m_prices[0];
                continue;
            }
            m_prices[n] = {ReadColumn(*record, IsMarkdown() ? "MarkPrice" : "UnitPrice"),
                           static_cast<std::uint8_t>(IsMarkdown() ? ReadColumn(*record, "MarkFlag") : 0),
                           static_cast<std::uint8_t>(ReadColumn(*record, "SalesMode")), ReadColumn(*record, "PriceNo") != 0};
        }
    }
    Fill();
}

void ChangeMultiPriceForm::Fill()
{
    for (std::size_t n = 0; n < kRows; ++n) {
        const Price& price = m_prices[n];
        Row& shown = m_shown[n];
        shown = Row{};
        if (!m_view) continue;
        shown.amount = FormatFixedPoint(DecimalsOf(price), '.', std::min(price.value, m_field.max));
        if (IsMarkdown() && m_flagDefinition)
            shown.flag = PropValueChoices(*m_flagDefinition, price.flag, Site().plus.GetRoles().Text().chars);
        shown.enabled = price.inUse;
    }
}

bool ChangeMultiPriceForm::ReadRows()
{
    bool read = true;
    for (std::size_t n = 0; n < kRows; ++n) {
        Price& price = m_prices[n];
        if (IsMarkdown() && m_flagDefinition)
            if (const CPropValue* chosen = GetSelectedPropValue(*m_flagDefinition, m_shown[n].flag.selected);
                chosen && chosen->m_number != price.flag) {
                price.flag = static_cast<std::uint8_t>(chosen->m_number);
                m_changed = true;
            }
        std::int32_t value = 0;
        if (!ParsePrice(m_shown[n].amount, DecimalsOf(price), '.', value)) {
            if (read) (void)Refuse(kAmounts[n], kMsgNotNumeric);
            read = false;
            value = 0;
        }
        if (value != price.value) {
            price.value = value;
            m_changed = true;
        }
    }
    Fill();
    return read;
}

bool ChangeMultiPriceForm::OnRowsChanged() { return !m_view || ReadRows(); }

bool ChangeMultiPriceForm::Apply()
{
    const CPluDefRec* row = CurrentRow();
    if (!row || !m_view) return true;
    if (!ReadRows()) return false;
    if (!m_changed) return true;
    const std::uint32_t plu = GetCurrentPlu();
    if (IsBeingEdited(plu)) return true;
    if (IsMarkdown())
        for (std::size_t n = 0; n < kRows; ++n)
            if (m_prices[n].inUse && !CheckPercentage(m_prices[n].flag, m_prices[n].value, DecimalsOf(m_prices[n]),
                                                      kAmounts[n]))
                return false;
    if (!m_counterApart) {
        m_prices[0].value = m_prices[1].value;
        m_prices[0].flag = m_prices[1].flag;
    }
    CPluDefTb::RuxPrices values{};
    CPluDefTb::RuxMarkdownFlags flags{};
    for (std::size_t n = 0; n < kRows; ++n) {
        values[n] = m_prices[n].value;
        flags[n] = m_prices[n].flag;
    }
    const bool written = IsMarkdown()
                             ? Site().plus.ChangeMarkdownWithRuxPrices(plu, values, flags, m_zone, Site().send, true)
                             : Site().plus.ChangePriceWithRuxPrices(plu, values, m_zone, Site().send, true);
    if (!written) return Refuse(FirstAmount(), kMsgDatabaseError);
    const CPluDefRec& before = *m_view;
    const bool ownChanged = IsMarkdown() ? values[0] != before.Get(PluCol::MarkPrice) || flags[0] != before.Get(PluCol::MarkFlag)
                                         : values[0] != before.Get(PluCol::UnitPrice);
    if (ownChanged)
        LogPriceChange(Site().plus.GetRoles(), IsMarkdown() ? kMsgMarkdownPriceChange : kMsgPriceChange, before,
                       values[0], flags[0], m_zone, false);
    m_changed = false;
    ChangeDone(*CurrentRow());
    return true;
}

}  // namespace varnel
