// The PLU edit window's checks of each entry as its control is left.
#include "pluedit/PluEditForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/text/PriceText.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluFieldNumbers.h"
#include "settings/DeptCode.h"

#include <algorithm>
#include <charconv>

namespace varnel {
namespace {

using namespace plufield;

constexpr MessageId kMsgBadTime = 61261;
constexpr MessageId kMsgOutOfRange = 61237;
constexpr MessageId kMsgOddTare = 61271;
constexpr MessageId kMsgWeightSteps = 61411;
constexpr MessageId kMsgLimits = 31529;
constexpr MessageId kMsgToFixedPrice = 61277;
constexpr MessageId kMsgToWeight = 61334;
constexpr MessageId kMsgProhibitedPlu = 61286;
constexpr MessageId kMsgDeptGroup = 61405;
constexpr std::uint8_t kByWeight = 0;
constexpr std::uint8_t kFixedPrice = 1;
constexpr std::uint8_t kThirdMode = 2;
constexpr std::int32_t kWeightStep = 5;  // 0.005 in a weight of three decimals

struct TextField {
    std::uint16_t fieldNo;
    TextColumn column;
    std::size_t width;
};
constexpr std::array<TextField, 3> kTextFields{{{kRegCode, PluCol::RegCode, kRegCodeWidth},
                                                {kPosCode, PluCol::PosCode, kPosCodeWidth},
                                                {kPackType, PluCol::PackType, kPackTypeWidth}}};

const TextField* FindTextField(std::uint16_t fieldNo)
{
    const auto found = std::ranges::find(kTextFields, fieldNo, &TextField::fieldNo);
    return found == kTextFields.end() ? nullptr : &*found;
}

bool IsWeightField(std::uint16_t fieldNo)
{
    return fieldNo == kTare || fieldNo == kSecondTare || fieldNo == kUpperLimit || fieldNo == kLowerLimit;
}

// A time "h:mm" (or hhmm typed without the colon).
bool ParseTime(std::string_view text, std::int32_t& value)
{
    return ParsePrice(text, 2, ':', value);
}

}  // namespace

bool PluEditForm::CheckFieldValue(const CLabProp& definition, std::int32_t& value) const
{
    if (!definition.m_values.empty()) return true;
    const std::uint16_t fieldNo = definition.m_fieldNo;
    if (IsTimeField(definition) && (value % 100 > 59 || value / 100 > 23)) return false;
    const std::uint16_t market = Setup().m_market;
    if (fieldNo == kTare && market != MarketUsa && market != MarketHongKong) {
        if ((value & 1) != 0) {
            value &= ~1;
            ShowMessage(kMsgOddTare);
        }
    } else if (market == MarketUsa && IsWeightField(fieldNo) && GetFieldDecimals(definition) == 3 &&
               value % kWeightStep != 0) {
        value -= value % kWeightStep;
        ShowMessage(kMsgWeightSteps);
    }
    if ((fieldNo == kUpperLimit && value <= m_row.Get(PluCol::LowerLimit)) ||
        (fieldNo == kLowerLimit && value >= m_row.Get(PluCol::UpperLimit)))
        ShowMessage(kMsgLimits);
    if (definition.m_max < definition.m_min || (value >= definition.m_min && value <= definition.m_max)) return true;
    value = std::clamp(value, definition.m_min, definition.m_max);
    return false;
}

void PluEditForm::ShowRangeMessage(std::int32_t min, std::int32_t max) const
{
    const std::string text = std::string(GetMessageText(kMsgOutOfRange)) +
                             FormatText(" (Min = %ld, Max = %ld)", static_cast<long>(min), static_cast<long>(max));
    ShowFormattedMessage(kMsgOutOfRange, text);
}

void PluEditForm::ShowRangeMessage(const CLabProp& definition) const
{
    if (IsTimeField(definition)) {
        ShowMessage(kMsgBadTime);
        return;
    }
    const std::optional<std::int32_t> flag = ShownValue(m_markdownFlag);
    if (definition.m_fieldNo == kMarkdownPrice && flag && IsPercentMarkdown(static_cast<std::uint8_t>(*flag))) {
        const std::string text = std::string(GetMessageText(kMsgOutOfRange)) +
                                 (GetFieldDecimals(definition) != 0 ? " (Min = 0.0, Max = 99.9)" : " (Min = 0, Max = 99)");
        ShowFormattedMessage(kMsgOutOfRange, text);
        return;
    }
    ShowRangeMessage(definition.m_min, definition.m_max);
}

PluEditForm::FieldCommit PluEditForm::RefuseEntry(const CLabProp& definition, MessageId message)
{
    if (message != 0)
        ShowMessage(message);
    else
        ShowRangeMessage(definition);
    RequestFocus(definition.m_fieldNo);
    return {false, {definition.m_fieldNo}};
}

PluEditForm::FieldCommit PluEditForm::CommitEdit(const PluFieldControl& control, std::string_view text)
{
    const CLabProp& definition = *control.definition;
    const std::uint16_t fieldNo = definition.m_fieldNo;
    if (GetPluFieldType(definition) == FieldText) {
        if (const TextField* field = FindTextField(fieldNo)) {
            const std::string_view kept = text.substr(0, std::min(text.size(), field->width));
            if (kept != m_row.Get(field->column)) {
                m_row.Set(field->column, kept);
                m_site.document.pluChanged = true;
            }
        }
        return {true, {fieldNo}};
    }
    const std::int32_t stored = GetFieldValue(definition);
    const std::uint16_t decimals = GetFieldDecimals(definition);
    std::int32_t value = 0;
    const bool parsed = IsTimeField(definition) ? ParseTime(text, value)
                                                : ParsePrice(text, decimals, GetSeparator(control), value);
    if (!parsed) return RefuseEntry(definition, kMsgNotNumeric);
    if (value == stored) return {true, {fieldNo}};
    bool valid = CheckFieldValue(definition, value);
    if (valid && fieldNo == kMarkdownPrice) {
        const std::optional<std::int32_t> flag = ShownValue(m_markdownFlag);
        if (flag && IsPercentMarkdown(static_cast<std::uint8_t>(*flag))) valid = value <= (decimals != 0 ? 999 : 99);
    }
    if (!valid) return RefuseEntry(definition, 0);
    SetFieldValue(definition, value);
    m_site.document.pluChanged = true;
    FieldCommit commit{true, {fieldNo}};
    AskSalesMode(definition, value, commit);
    return commit;
}

// A fixed weight suggests selling by fixed price, a tare selling by weight.
void PluEditForm::AskSalesMode(const CLabProp& definition, std::int32_t value, FieldCommit& commit)
{
    if (value == 0 || m_salesMode == nullptr) return;
    const std::int32_t mode = GetShownValue(*m_salesMode);
    std::optional<std::pair<MessageId, std::uint8_t>> question;
    if (definition.m_fieldNo == kFixedWeight && mode != kFixedPrice) question.emplace(kMsgToFixedPrice, kFixedPrice);
    if (definition.m_fieldNo == kTare && mode != kByWeight && mode != kThirdMode) question.emplace(kMsgToWeight, kByWeight);
    if (!question || ShowMessage(question->first, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    SetFieldValue(*m_salesMode->definition, question->second);
    commit.shownAgain.push_back(kSalesMode);
    commit.shownAgain.push_back(kUnitPrice);  // its decimals follow the sales mode
}

PluEditForm::FieldCommit PluEditForm::CommitCombo(const PluFieldControl& control, std::optional<std::size_t> selection)
{
    const CLabProp& definition = *control.definition;
    const CPropValue* chosen = GetSelectedPropValue(definition, selection);
    if (chosen == nullptr || chosen->m_number == GetFieldValue(definition)) return {true, {}};
    SetFieldValue(definition, chosen->m_number);
    m_site.document.pluChanged = true;
    // The fields whose decimals follow this one show again; the first takes the focus.
    switch (definition.m_fieldNo) {
    case kMarkdownFlag: RequestFocus(kMarkdownPrice); return {true, {kMarkdownPrice}};
    case kExpiryTimeFlag: RequestFocus(kExpiryTime); return {true, {kExpiryTime}};
    case kSalesMode: return {true, {kUnitPrice}};
    default: return {true, {}};
    }
}

bool PluEditForm::CommitPluNumber(std::string_view text)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const std::uint32_t maxPlu = Setup().m_maxPluNo;
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        ShowMessage(kMsgNotNumeric);
    else if (number < 1 || number > maxPlu)
        ShowRangeMessage(1, static_cast<std::int32_t>(maxPlu));
    else if (!m_site.rules.IsPluNumberAllowed(number))
        ShowMessage(kMsgProhibitedPlu);
    else {
        if (number != m_current) {
            m_current = number;
            m_site.document.pluChanged = true;
        }
        return true;
    }
    RequestFocus(kPluNumber);
    return false;
}

void PluEditForm::CommitActiveState(bool activeSelected)
{
    if (GetActiveMode() != ActiveMode::Radios) return;
    const bool inactive = !activeSelected;
    if (inactive == !IsActive()) return;
    m_row.SetCtrlFlag(1, inactive);
    m_site.document.pluChanged = true;
}

bool PluEditForm::CheckDeptGroup()
{
    const PluFieldControl* department = FindControl(kDepartment);
    if (department == nullptr || department->kind != PluControlKind::DeptCombo) return true;
    if (m_site.deptCodes.HasGroup(m_row.Get(PluCol::Dept), m_row.Get(PluCol::Group))) return true;
    ShowMessage(kMsgDeptGroup);
    RequestFocus(FindControl(kGroup) != nullptr ? kGroup : kDepartment);
    return false;
}

std::optional<int> PluEditForm::TakeFocusRequest() { return std::exchange(m_focusRequest, std::nullopt); }

}  // namespace varnel
