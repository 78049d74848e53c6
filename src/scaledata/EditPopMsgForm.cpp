// "Edit POP Message".
#include "scaledata/EditPopMsgForm.h"


namespace varnel {
namespace {

constexpr std::size_t kNumberChars = 3;
constexpr int kPopEditorMode = 3;

MessageTextEditForm::Rules RulesFor(const CPopMsgTb& table)
{
    MessageTextEditForm::Rules rules;
    rules.textMax = CPopMsgRec::kTextMax;
    rules.scaleMax = CPopMsgTb::GetPopMsgTextLimit(table.GetRoles().Setup().m_defaultScaleFamily);
    rules.numberChars = kNumberChars;
    return rules;
}

}  // namespace

bool EditPopMsgForm::TakesEffects(std::uint16_t defaultFamily) { return defaultFamily == 9 || defaultFamily == 11; }

EditPopMsgForm::EditPopMsgForm(const CPopMsgTb& table, std::uint32_t number, const ILabelTextMeasure* measure)
    : MessageTextEditForm(table, table.GetRoles(), RulesFor(table), number, measure), m_kind(table.GetKind())
{
    Editor().SetTextKind(table.GetTableNo(), kPopEditorMode);
    if (!TakesEffects(Roles().Setup().m_defaultScaleFamily)) Editor().DisableFontEffects();
}

std::string EditPopMsgForm::GetTitle() const
{
    return std::string(GetMessageText(m_kind == CPopMsgTb::kPop ? kMsgTitlePop : kMsgTitleOrigin));
}

}  // namespace varnel
