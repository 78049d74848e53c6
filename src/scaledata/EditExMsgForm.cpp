// "Edit Message".
#include "scaledata/EditExMsgForm.h"

#include "db/site/TextRules.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageRules.h"

namespace varnel {
namespace {

constexpr std::string_view kTooLongForLabel =
    "The length of the ingredients is too long for the label size.\n\nMaximum length = %d.%02.2dmm\nCurrent length  = "
    "%d.%02.2dmm\n\nDo you still wish to save?";

MessageTextEditForm::Rules RulesFor(const CExMsgTb& table)
{
    MessageTextEditForm::Rules rules;
    rules.textMax = CExMsgRec::kTextMax;
    const ScaleDataRoles& roles = table.GetRoles();
    const MessageSite site = MessageSiteOf(roles, roles.Setup().m_defaultScaleFamily);
    rules.scaleMax = GetMaxMessageText(site, table.GetKind());
    rules.numberChars = EditExMsgForm::NumberDigits(table.GetMaxKey());
    rules.unreadableOutOfRange = true;
    rules.hasName = true;
    return rules;
}

}  // namespace

std::size_t EditExMsgForm::NumberDigits(std::uint32_t highest)
{
    if (highest < 100) return 2;
    if (highest < 10000) return 4;
    if (highest <= 999999) return 6;
    return 8;
}

EditExMsgForm::EditExMsgForm(const CExMsgTb& table, std::uint32_t number, const ILabelTextMeasure* measure)
    : MessageTextEditForm(table, table.GetRoles(), RulesFor(table), number, measure), m_kind(table.GetKind())
{
    Editor().SetTextKind(table.GetTableNo(), m_kind == MsgIngredients ? 4 : 2);
}

std::string EditExMsgForm::GetCaption() const
{
    if (m_kind != MsgCoupon) return MessageTextEditForm::GetCaption();
    return FormatMessage(kMsgCouponCaption, static_cast<long>(GetOpeningNumber()));
}

bool EditExMsgForm::IsAusNzCoupon() const
{
    return m_kind == MsgCoupon && IsAusNzNutrition(Roles().Setup());
}

bool EditExMsgForm::IsNumberEnabled() const { return !IsAusNzCoupon(); }

bool EditExMsgForm::CheckMore()
{
    if (!IsAusNzCoupon()) return true;
    const std::uint32_t allowed = Roles().Setup().GetDescLength(GetNumber()) * 100U;
    const std::uint32_t length = GetPrintLengthHundredths();
    if (length <= allowed) return true;
    const std::string question = FormatText(kTooLongForLabel, static_cast<int>(allowed / 100), 0,
                                            static_cast<int>(length / 100), static_cast<int>(length % 100));
    return ShowMessageText(question, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

}  // namespace varnel
