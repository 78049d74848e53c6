// The message edit dialogs' shared rules.
#include "scaledata/MessageTextEditForm.h"

#include "db/site/SiteRules.h"
#include "db/text/DescText.h"
#include "db/text/DoubleByteText.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

// A label dot prints 0.15 mm.
constexpr std::uint32_t kHundredthsPerDot = 15;
constexpr std::uint16_t kNarrowestLabel = 10;
constexpr std::uint16_t kWidestLabel = 500;

}  // namespace

LabelTextSettings LabelTextSettingsOf(const ISiteRules& site)
{
    return LabelTextSettings::Of(site.GetGeneralSetup(), site.GetSystemDoubleByteFlag(), site.GetScaleFontList(),
                                 site.GetDefLineFont());
}

std::string CutToWholeChars(std::string_view text, std::size_t limit, const CharRule& chars)
{
    std::string cut;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = GetCharLength(text.substr(at), chars);
        if (length == 0 || cut.size() + length > limit) break;
        cut.append(text.substr(at, length));
        at += length;
    }
    return cut;
}

MessageTextEditForm::MessageTextEditForm(const CDBComTb& table, const ScaleDataRoles& roles, const Rules& rules,
                                         std::uint32_t number, const ILabelTextMeasure* measure)
    : m_table(table), m_roles(roles), m_rules(rules), m_editor(LabelTextSettingsOf(roles.rules), measure), m_openingNumber(number),
      m_number(number), m_numberText(std::to_string(number))
{
}

void MessageTextEditForm::SetText(std::string_view text, std::uint16_t labelWidth)
{
    (void)m_editor.SetTextAndWidth(text, labelWidth);
}

std::string MessageTextEditForm::GetCaption() const
{
    return FormatMessage(kMsgCaption, static_cast<long>(m_openingNumber));
}

void MessageTextEditForm::SetName(std::string_view name) { m_name = CutToWholeChars(name, kNameMax, m_roles.Text().chars); }

std::vector<std::uint16_t> MessageTextEditForm::GetLabelWidths() const
{
    std::vector<std::uint16_t> widths;
    for (const std::uint16_t width : m_roles.Setup().m_labelWidths) {
        if (width >= kNarrowestLabel && width <= kWidestLabel) widths.push_back(width);
    }
    std::ranges::sort(widths);
    // std::unique: clang does not take ranges::unique's result with this standard library.
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
    return widths;
}

std::uint32_t MessageTextEditForm::GetPrintLengthHundredths() const
{
    return m_editor.GetPrintLength() * kHundredthsPerDot;
}

std::string MessageTextEditForm::GetLengthText() const
{
    const std::uint32_t hundredths = GetPrintLengthHundredths();
    return FormatMessage(kMsgLength, static_cast<int>(hundredths / 100), static_cast<int>(hundredths % 100));
}

std::optional<long long> MessageTextEditForm::ReadLong(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    const std::size_t digits = at;
    long long value = 0;
    constexpr long long kCeiling = 1'000'000'000'000LL;  // far above any message number, never overflows
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        value = std::min(kCeiling, value * 10 + (text[at] - '0'));
    if (at == digits) return std::nullopt;
    return negative ? -value : value;
}

bool MessageTextEditForm::Refuse(Focus focus)
{
    m_refusedFocus = focus;
    return false;
}

bool MessageTextEditForm::CheckText()
{
    std::string buffer(m_rules.textMax + 1, '\0');
    bool truncated = false;
    buffer.resize(m_editor.GetTextChecked(buffer, truncated));
    m_text = std::move(buffer);
    const std::size_t length = GetDescTextLength(m_text, m_roles.Setup().m_defaultScaleFamily);
    if (!truncated && length <= m_rules.scaleMax) return true;
    const std::string question =
        FormatMessage(kMsgTooLong, static_cast<int>(m_rules.scaleMax / 2), static_cast<int>(m_rules.scaleMax));
    return ShowFormattedMessage(kMsgTooLong, question, MessageButtons::YesNo, MessageIcon::Question) ==
           MessageAnswer::Yes;
}

bool MessageTextEditForm::CheckNumber()
{
    const std::optional<long long> read = ReadLong(m_numberText);
    if (!read && !m_rules.unreadableOutOfRange) {
        ShowMessage(kMsgNotNumeric);
        return false;
    }
    const long lowest = static_cast<long>(m_table.GetMinKey());
    const long highest = static_cast<long>(m_table.GetMaxKey());
    if (!read || *read == 0 || *read < lowest || *read > highest) {
        ShowFormattedMessage(kMsgOutOfRange, FormatMessage(kMsgOutOfRange, lowest, highest));
        return false;
    }
    const auto number = static_cast<std::uint32_t>(*read);
    if (number != m_openingNumber && m_table.FindRecord(number) &&
        ShowMessage(kMsgOverwrite, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    m_number = number;
    return true;
}

bool MessageTextEditForm::OnOK()
{
    m_refusedFocus = Focus::None;
    if (!CheckText()) return Refuse(Focus::Editor);
    if (!CheckNumber()) return Refuse(Focus::Number);
    return CheckMore();
}

}  // namespace varnel
