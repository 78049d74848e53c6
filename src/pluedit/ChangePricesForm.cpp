// What the "Change Prices" dialogs share.
#include "pluedit/ChangePricesForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "platform/UserPrompt.h"

namespace varnel {

AmountField AmountField::Of(std::uint16_t fieldNo)
{
    constexpr std::uint16_t kFirstRuxPriceField = 1200;
    const CLabProp* definition =
        fieldNo >= kFirstRuxPriceField ? GetRuxPriceFieldDef(fieldNo) : FindPluFieldDefAny(fieldNo);
    if (!definition) return {};
    return {GetFieldDecimals(fieldNo), definition->m_width, definition->m_max};
}

ChangePricesForm::ChangePricesForm(ChangePricesSite site) : m_site(std::move(site)) {}

std::string ChangePricesForm::GetPluText() const { return m_current != 0 ? std::to_string(m_current) : std::string(); }

bool ChangePricesForm::CanNext() const { return m_current != 0 && NextPlu(m_current).has_value(); }

bool ChangePricesForm::CanPrev() const { return m_current != 0 && PrevPlu(m_current).has_value(); }

void ChangePricesForm::OnInitDialog()
{
    if (m_site.plus.FindRecord(m_site.startPlu) && m_site.startPlu != 0)
        ShowPlu(m_site.startPlu);
    else if (const std::optional<std::uint32_t> next = NextPlu(m_site.startPlu))
        ShowPlu(*next);
    else
        Show(nullptr);
}

bool ChangePricesForm::OnNext() { return Apply() && MoveTo(NextPlu(m_current)); }

bool ChangePricesForm::OnPrev() { return Apply() && m_current != 0 && MoveTo(PrevPlu(m_current)); }

bool ChangePricesForm::OnSelect()
{
    if (!Apply() || !m_site.pickPlu) return false;
    const std::uint32_t initial = NextPlu(m_current).value_or(m_current);
    const std::optional<std::uint32_t> picked = m_site.pickPlu(initial);
    return picked && m_site.plus.FindRecord(*picked) && MoveTo(picked);
}

bool ChangePricesForm::MoveTo(std::optional<std::uint32_t> pluNumber)
{
    if (!pluNumber) return false;
    ShowPlu(*pluNumber);
    return true;
}

void ChangePricesForm::ShowPlu(std::uint32_t pluNumber)
{
    m_current = pluNumber;
    const auto* row = dynamic_cast<const CPluDefRec*>(m_site.plus.GetRecord(pluNumber));
    m_name = row ? std::string(row->Get(PluCol::Name).substr(0, kNameChars)) : std::string();
    m_focus = FirstAmount();
    Show(row);
}

const CPluDefRec* ChangePricesForm::CurrentRow() const
{
    return m_current != 0 ? dynamic_cast<const CPluDefRec*>(m_site.plus.GetRecord(m_current)) : nullptr;
}

CPluDefRec ChangePricesForm::ZoneView(const CPluDefRec& row, std::uint16_t zone) const
{
    const BuildLock lock = m_site.plus.LockRecordBuild();
    return m_site.plus.GetZonePlu(lock, row, zone);
}

bool ChangePricesForm::IsBeingEdited(std::uint32_t pluNumber) const
{
    if (!m_site.isBeingEdited || !m_site.isBeingEdited(pluNumber)) return false;
    ShowMessage(kMsgBeingEdited);
    return true;
}

bool ChangePricesForm::CheckPercentage(std::uint8_t markdownFlag, std::int32_t amount, std::uint16_t decimals,
                                       int focus)
{
    if (!IsPercentMarkdown(markdownFlag)) return true;
    const std::int32_t limit = decimals == 0 ? 100 : 1000;
    return amount < limit || Refuse(focus, kMsgPercentTooHigh);
}

bool ChangePricesForm::Refuse(int focus, MessageId message)
{
    ShowMessage(message);
    m_focus = focus;
    return false;
}

void ChangePricesForm::ChangeDone(const CPluDefRec& row) const
{
    m_site.plus.GetRoles().log.WriteToPluUpdateLog(row);
    if (m_site.updateViews) m_site.updateViews();
}

std::optional<std::uint32_t> ChangePricesForm::NextPlu(std::uint32_t pluNumber) const
{
    return pluNumber == UINT32_MAX ? std::nullopt : PluAtOrAbove(pluNumber + 1);
}

std::optional<std::uint32_t> ChangePricesForm::PrevPlu(std::uint32_t pluNumber) const
{
    return pluNumber == 0 ? std::nullopt : PluAtOrBelow(pluNumber - 1);
}

std::optional<std::uint32_t> ChangePricesForm::PluAtOrAbove(std::uint32_t pluNumber) const
{
    KeyCursor cursor = pluNumber;
    const CDBRecord* row = m_site.plus.PeekNextRecord(cursor);
    return row ? std::optional<std::uint32_t>(row->GetKey()) : std::nullopt;
}

std::optional<std::uint32_t> ChangePricesForm::PluAtOrBelow(std::uint32_t pluNumber) const
{
    KeyCursor cursor = pluNumber;
    const CDBRecord* row = m_site.plus.PeekPrevRecord(cursor);
    return row ? std::optional<std::uint32_t>(row->GetKey()) : std::nullopt;
}

}  // namespace varnel
