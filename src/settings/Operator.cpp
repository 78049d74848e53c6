#include "settings/Operator.h"

#include "db/text/ScaleFontCodes.h"
#include "platform/Archive.h"
#include "settings/SetupFormat.h"

namespace varnel {
namespace {

constexpr char kCr = '\r';
// Site setups before this version keep only the name text and the id of each operator.
constexpr std::uint32_t kFirstVersionedSiteSetup = 312;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(COperator, 1)

std::string COperator::GetNameText() const
{
    std::string text{kCr, static_cast<char>(m_font)};
    return text + m_name;
}

void COperator::SetNameText(std::string_view text, std::uint8_t defaultFont)
{
    if (text.size() >= 2 && text[0] == kCr) {
        m_font = static_cast<std::uint8_t>(text[1]);
        m_name = text.substr(2);
    } else {
        m_font = defaultFont;
        m_name = text;
    }
}

void COperator::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kVersion << GetNameText() << m_id << m_password << m_logoffTimer << m_accessLevel;
        return;
    }
    std::string nameText;
    if (GetSiteSetupVersion(ar) < kFirstVersionedSiteSetup) {
        ar >> nameText >> m_id;
    } else {
        std::uint16_t version = 0;
        ar >> version >> nameText >> m_id >> m_password >> m_logoffTimer;
        if (version >= 101) ar >> m_accessLevel;
    }
    // The archive's class factory makes the operator, so the market comes with the file being read.
    SetNameText(nameText, GetDefaultScaleFont(GetSetupTextRules(ar)));
}

}  // namespace varnel
