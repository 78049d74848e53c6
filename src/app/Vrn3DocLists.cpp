// The document's services over the PLU table: the send files of the outside maker's scales and the
// in-use checks of messages and coupons.
#include "app/Vrn3Doc.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluLayout.h"
#include "db/records/OrlanSendFile.h"
#include "db/site/MainFrame.h"

namespace varnel {
namespace {

// A PLU that names a number in `column` only counts with both of these CtrlFlag bits set.
constexpr std::uint32_t kMessageInUseFlags = 0x6;

bool IsNamedByFlaggedPlu(const CPluDefTb& plus, LongColumn column, std::uint32_t number)
{
    KeyCursor cursor = 0;
    while (const CDBRecord* record = plus.PeekNextRecord(cursor)) {
        const auto* row = dynamic_cast<const CPluDefRec*>(record);
        if (row != nullptr && (static_cast<std::uint32_t>(row->Get(PluCol::CtrlFlag)) & kMessageInUseFlags) ==
                                  kMessageInUseFlags &&
            static_cast<std::uint32_t>(row->Get(column)) == number)
            return true;
    }
    return false;
}

// The open database's PLU table; none while no database is open.
CPluDefTb* OpenPlus(const CVrn3Doc& document) { return document.IsDatabaseOpen() ? document.GetPluTable() : nullptr; }

// The send file's runs reach the site through the main frame, as the document's other commands do.
OrlanSendSite FrameOrlanSite()
{
    const ISiteRules& rules = FrameSiteRules();
    return {rules.GetScaleDataDirectory(), rules.GetTextRules().chars, FrameEventLog()};
}

}  // namespace

MessageId CVrn3Doc::SendOrlanPlus(std::uint32_t from, std::uint32_t to, bool showErrors)
{
    CPluDefTb* plus = OpenPlus(*this);
    return plus == nullptr ? 0 : OrlanSendRange(FrameOrlanSite(), *plus, from, to, showErrors, m_fs);
}

MessageId CVrn3Doc::SendAllOrlanPlus()
{
    const CPluDefTb* plus = OpenPlus(*this);
    return plus == nullptr ? 0 : SendOrlanPlus(0, plus->GetHighestKey(), true);
}

MessageId CVrn3Doc::SendOrlanChanges(bool showErrors)
{
    CPluDefTb* plus = OpenPlus(*this);
    return plus == nullptr ? 0 : OrlanSendChanges(FrameOrlanSite(), *plus, showErrors, m_fs);
}

bool CVrn3Doc::HasOrlanChanges() const
{
    const CPluDefTb* plus = OpenPlus(*this);
    return plus != nullptr && !plus->GetRememberedPlus().empty();
}

bool CVrn3Doc::IsExtraMessageInUse(std::uint32_t number) const
{
    const CPluDefTb* plus = OpenPlus(*this);
    return plus != nullptr && IsNamedByFlaggedPlu(*plus, PluCol::Message7, number);
}

bool CVrn3Doc::IsCouponInUse(std::uint32_t number) const
{
    const CPluDefTb* plus = OpenPlus(*this);
    return plus != nullptr && IsNamedByFlaggedPlu(*plus, PluCol::Coupon, number);
}

}  // namespace varnel
