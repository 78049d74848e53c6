// The HBKU and scale number picker.
#include "app/SelectLinkScaleIdForm.h"

#include "comms/idenq/IdEnqLink.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/IdEnqLinkList.h"
#include "keyboards/KeyboardList.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <charconv>

namespace varnel {
namespace {

constexpr std::uint16_t kHbku5300 = 1;
constexpr std::uint16_t kHbku5200 = 3;
constexpr int kHighestScale = 31;
constexpr MessageId kScaleIdRange = 61253;
constexpr MessageId kKeyboardRegistered = 61257;

std::uint16_t FirstScaleFamily(const CIdEnqLink& link, std::uint16_t defaultFamily)
{
    return link.m_scales.empty() ? CLinkScaleSettings::kDefaultFamily
                                 : link.m_scales.front()->GetScaleType(defaultFamily);
}

// The text as "%hd" reads it: blanks, a sign and digits, the rest ignored.
std::optional<int> ReadShort(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{}) return std::nullopt;
    return value;
}

}  // namespace

SelectLinkScaleIdForm::SelectLinkScaleIdForm(const CIdEnqLinkList& links, const CKeyboardList& keyboards,
                                             std::uint16_t defaultFamily)
    : m_keyboards(keyboards), m_defaultFamily(defaultFamily)
{
    for (const auto& link : links.GetLinks()) {
        const std::uint16_t family = FirstScaleFamily(*link, defaultFamily);
        if (family == kHbku5300 || family == kHbku5200) m_links.push_back(link.get());
    }
    if (!m_links.empty()) m_selection = 0;
}

std::vector<std::string> SelectLinkScaleIdForm::GetLinkNames() const
{
    std::vector<std::string> names;
    for (const CIdEnqLink* link : m_links) names.push_back(link->m_name);
    return names;
}

void SelectLinkScaleIdForm::SelectLink(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_links.size() ? row : std::nullopt;
}

SelectLinkScaleIdForm::Outcome SelectLinkScaleIdForm::Submit(std::string_view scaleIdText)
{
    if (!m_selection) return Outcome::Cancelled;
    const CIdEnqLink& link = *m_links[*m_selection];
    const int lowest = FirstScaleFamily(link, m_defaultFamily) == kHbku5200 ? 1 : 2;
    const std::optional<int> scale = ReadShort(scaleIdText);
    if (!scale || *scale < lowest || *scale > kHighestScale) {
        ShowFormattedMessage(kScaleIdRange, FormatMessage(kScaleIdRange, lowest));
        return Outcome::StayOpen;
    }
    const auto keyboard = static_cast<std::uint16_t>(link.m_linkId * 100 + *scale - 100);
    if (m_keyboards.Find(keyboard) != nullptr &&
        ShowMessage(kKeyboardRegistered, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return Outcome::StayOpen;
    m_linkNumber = link.m_linkId;
    m_scaleNumber = static_cast<std::uint16_t>(*scale);
    return Outcome::Chosen;
}

}  // namespace varnel
