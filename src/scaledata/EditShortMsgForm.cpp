// "Edit Short Message".
#include "scaledata/EditShortMsgForm.h"

#include "scaledata/MessageRules.h"

namespace varnel {
namespace {

constexpr std::size_t kNumberChars = 2;
constexpr int kShortEditorMode = 2;

MessageTextEditForm::Rules RulesFor()
{
    MessageTextEditForm::Rules rules;
    rules.textMax = CShortMsgRec::kTextMax;
    rules.scaleMax = EditShortMsgForm::kScaleTextMax;
    rules.numberChars = kNumberChars;
    rules.hasName = true;
    return rules;
}

}  // namespace

EditShortMsgForm::EditShortMsgForm(const CShortMsgTb& table, std::uint32_t number, const ILabelTextMeasure* measure)
    : MessageTextEditForm(table, table.GetRoles(), RulesFor(), number, measure), m_kind(table.GetKind())
{
    Editor().SetTextKind(table.GetTableNo(), kShortEditorMode);
}

std::string EditShortMsgForm::GetTitle() const
{
    return std::string(GetMessageText(m_kind == MsgStorageTemp ? kMsgTitleTemperature : kMsgTitleInstructions));
}

}  // namespace varnel
