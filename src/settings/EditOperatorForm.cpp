// The operator entry's rules.
#include "settings/EditOperatorForm.h"

#include "db/text/DbcsString.h"
#include "db/text/FullWidthChars.h"
#include "db/text/ScaleFontCodes.h"
#include "db/text/ScaleFontList.h"
#include "platform/NumberEntry.h"
#include "platform/UserPrompt.h"

namespace varnel {
namespace {

constexpr std::uint16_t kNameField = 1605;
constexpr std::size_t kNewOperatorFont = 4;
constexpr std::uint16_t kMaxId = 99;
constexpr std::uint16_t kMaxLogoffTimer = 60;

bool HasScaleLogon(std::uint16_t family) { return family == 10 || family == 12; }

// The name with every byte in its full-width double-byte form; bytes that have none are kept.
std::string ToFullWidth(std::string_view name, std::size_t (*convert)(std::uint8_t, DoubleByteChar&))
{
    std::string converted;
    for (const char byte : name) {
        DoubleByteChar out{};
        const std::size_t length = convert(static_cast<std::uint8_t>(byte), out);
        converted.append(reinterpret_cast<const char*>(out.data()), length);
    }
    return converted;
}

// Whether a byte at an even offset lies below `bound`: the scale's font would show it as a half of a
// double-byte character.
bool HasSingleByteChars(std::string_view name, std::uint8_t bound)
{
    for (std::size_t i = 0; i < name.size(); i += 2)
        if (static_cast<std::uint8_t>(name[i]) < bound) return true;
    return false;
}

}  // namespace

OperatorEntrySite OperatorEntrySite::Of(const CGeneralSetup& setup, bool systemDoubleByte, const CScaleFontList& fonts,
                                        const CLabPropMap& productionFields)
{
    OperatorEntrySite site;
    site.rules = TextRules::Of(setup, systemDoubleByte);
    for (std::size_t i = 0; i < fonts.GetSize(); ++i) {
        site.fontCodes.push_back(fonts.GetAt(i).m_code);
        site.fontNames.push_back(fonts.GetAt(i).m_name);
    }
    for (const auto& [key, definition] : productionFields)
        if (definition && definition->m_fieldNo == kNameField) site.nameLimit = definition->m_width;
    return site;
}

EditOperatorForm::EditOperatorForm(const OperatorEntrySite& site) : m_site(site)
{
    if (kNewOperatorFont < site.fontNames.size()) m_values.font = kNewOperatorFont;
}

EditOperatorForm::EditOperatorForm(const OperatorEntrySite& site, const COperator& op)
    : m_site(site), m_id(op.m_id), m_logoffTimer(op.m_logoffTimer)
{
    m_values.id = std::to_string(op.m_id);
    m_values.name = op.m_name;
    m_values.password = op.m_password;
    m_values.logoffTimer = std::to_string(op.m_logoffTimer);
    m_values.accessLevel = op.m_accessLevel < kAccessLevels ? op.m_accessLevel : 0;
    bool effect2 = false;
    const auto code = static_cast<std::uint8_t>(FontToScaleFontCode(site.rules, op.m_font, effect2));
    // The first font stands for a code the list does not hold.
    std::size_t position = 0;
    for (std::size_t i = 0; i < site.fontCodes.size(); ++i)
        if (site.fontCodes[i] == code) {
            position = i;
            break;
        }
    if (position < site.fontNames.size()) m_values.font = position;
}

std::vector<std::string> EditOperatorForm::AccessLevelNames()
{
    std::vector<std::string> names;
    for (int level = 0; level < kAccessLevels; ++level) names.push_back("Level " + std::to_string(level));
    return names;
}

bool EditOperatorForm::IsFontEnabled() const { return m_site.rules.IsThai(); }

bool EditOperatorForm::AreScaleLogonFieldsEnabled() const { return HasScaleLogon(m_site.rules.defaultScaleFamily); }

std::size_t EditOperatorForm::GetPasswordLimit() const { return AreScaleLogonFieldsEnabled() ? 6 : 5; }

bool EditOperatorForm::Accept()
{
    const auto id = ReadNumberInRange(m_values.id, 1, kMaxId);
    if (!id) return false;
    const auto timer = ReadNumberInRange(m_values.logoffTimer, 0, kMaxLogoffTimer);
    if (!timer) return false;
    m_id = static_cast<std::uint16_t>(*id);
    m_logoffTimer = static_cast<std::uint16_t>(*timer);
    m_values.name = std::string(DbcsLeft(m_values.name, m_site.nameLimit, m_site.rules.chars));
    m_values.password = std::string(DbcsLeft(m_values.password, GetPasswordLimit(), m_site.rules.chars));
    if (m_values.accessLevel < 0 || m_values.accessLevel >= kAccessLevels) m_values.accessLevel = 0;
    return true;
}

COperator EditOperatorForm::GetOperator() const
{
    COperator op;
    op.m_id = m_id;
    op.m_name = m_values.name;
    op.m_password = m_values.password;
    op.m_logoffTimer = m_logoffTimer;
    op.m_accessLevel = static_cast<std::uint16_t>(m_values.accessLevel);
    if (m_values.font && *m_values.font < m_site.fontCodes.size())
        op.m_font = ScaleFontCodeToFont(m_site.rules, static_cast<char>(m_site.fontCodes[*m_values.font]));
    else op.m_font = GetDefaultScaleFont(m_site.rules);
    return op;
}

bool EditOperatorForm::CheckName()
{
    if (m_values.name.empty()) {
        ShowMessage(kMsgNoName);
        return false;
    }
    std::size_t (*convert)(std::uint8_t, DoubleByteChar&) = nullptr;
    if (m_site.rules.IsChina() && HasSingleByteChars(m_values.name, 160)) convert = AsciiToGb2312Char;
    else if (m_site.rules.IsHongKongTaiwan() && HasSingleByteChars(m_values.name, 128)) convert = AsciiToBig5Char;
    if (convert == nullptr) return true;
    ShowMessage(kMsgNameConverted, MessageButtons::Ok, MessageIcon::Information);
    // The full-width name takes twice the bytes: it is cut to the limit at a whole character.
    m_values.name = std::string(DbcsLeft(ToFullWidth(m_values.name, convert), m_site.nameLimit, m_site.rules.chars));
    return false;
}

}  // namespace varnel
