#include "scaledata/EditScrollMsgExForm.h"

#include "db/site/LinkScaleSettings.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/MessageTextEditForm.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kLatestHour = 24;
constexpr std::size_t kTextMax = 96;
constexpr std::size_t kCsvTextMax = 94;
constexpr std::size_t kInvertedTextMax = 93;

// Every scale on the links is of family 11 (so also when there are none).
bool AllScalesOfFamily11(const ScaleDataRoles& roles)
{
    const std::vector<const CLinkScaleSettings*> scales = roles.sends.GetLinkScales();
    const std::uint16_t defaultFamily = roles.Setup().m_defaultScaleFamily;
    return std::ranges::all_of(scales, [defaultFamily](const CLinkScaleSettings* scale) {
        return scale->GetScaleType(defaultFamily) == 11;
    });
}

std::string HourText(std::uint16_t hour) { return hour > kLatestHour ? std::string("00") : FormatText("%02.2d", hour); }

}  // namespace

EditScrollMsgExForm::EditScrollMsgExForm(std::string_view text, const ScrollSettings& settings,
                                         const ScaleDataRoles& roles)
    : m_chars(roles.Text().chars),
      m_settings(settings),
      m_startHour(HourText(settings.time / 100)),
      m_endHour(HourText(settings.time % 100))
{
    const CGeneralSetup& setup = roles.Setup();
    const auto hasScale = [&roles](std::uint16_t family) { return roles.rules.HasEnabledScaleType(family); };
    m_consecutiveShown = setup.m_defaultScaleFamily != 8;
    m_invertedShown = setup.m_market == MarketUsa && hasScale(10);
    m_hasFamily11 = hasScale(11);
    m_allFamily11 = AllScalesOfFamily11(roles);
    const bool csvScales = hasScale(10) || m_hasFamily11 || hasScale(12);
    m_textLimit = m_invertedShown ? kInvertedTextMax : csvScales ? kCsvTextMax : kTextMax;
    SetText(text);
}

std::vector<std::string> EditScrollMsgExForm::ModeEntries()
{
    return {"Display OFF", "Scroll 1", "Scroll 2", "Scroll 3", "Flash 1", "Flash 2", "Flash 3"};
}

std::vector<std::string> EditScrollMsgExForm::DayEntries()
{
    return {"Every day", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
}

std::vector<std::string> EditScrollMsgExForm::SizeEntries() { return {"Standard", "Enlarged"}; }
std::vector<std::string> EditScrollMsgExForm::SpeedEntries() { return {"Fast", "Medium", "Slow"}; }
std::vector<std::string> EditScrollMsgExForm::FlashEntries() { return {"Flash", "Scroll"}; }

std::vector<std::string> EditScrollMsgExForm::FlashCountEntries()
{
    std::vector<std::string> entries{"Do not flash", "Once"};
    for (int times = 2; times <= 9; ++times) entries.push_back(FormatText("%d times", times));
    return entries;
}

bool EditScrollMsgExForm::IsShown(Control control) const
{
    if (control == kConsecutive) return m_consecutiveShown;
    if (control == kInverted) return m_invertedShown;
    return true;
}

bool EditScrollMsgExForm::IsEnabled(Control control) const
{
    switch (control) {
    case kConsecutive:
    case kMode:
    case kDay:
    case kStartHour:
    case kEndHour:
    case kInverted: return !m_allFamily11 && IsShown(control);
    case kSize:
    case kSpeed:
    case kFlash: return m_hasFamily11;
    case kFlashes: return m_hasFamily11 && m_settings.flash == kFlashing;
    default: return true;
    }
}

void EditScrollMsgExForm::SetText(std::string_view text) { m_text = CutToWholeChars(text, m_textLimit, m_chars); }

bool EditScrollMsgExForm::OnOK()
{
    if (m_allFamily11) return true;
    const auto readHour = [this](const std::string& text, Control control) -> std::optional<std::uint16_t> {
        const std::optional<long long> hour = MessageTextEditForm::ReadLong(text);
        if (hour && *hour >= 0 && *hour <= kLatestHour) return static_cast<std::uint16_t>(*hour);
        ShowMessage(kMsgBadHour);
        m_refusedFocus = control;
        return std::nullopt;
    };
    const std::optional<std::uint16_t> start = readHour(m_startHour, kStartHour);
    if (!start) return false;
    const std::optional<std::uint16_t> end = readHour(m_endHour, kEndHour);
    if (!end) return false;
    m_settings.time = static_cast<std::uint16_t>(*start * 100 + *end);
    return true;
}

}  // namespace varnel
