#include "scaledata/EditTrayForm.h"

#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "scaledata/MessageTextEditForm.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace varnel {
namespace {

using namespace tray_columns;

constexpr TrayChoice kChoices[] = {
    {1158, "Tray Shape", kTrayShape, false},
    {1159, "Auto-Detect", kAutoDetect, false},
    {1166, "Film Selection", kFilmSel, false},
    {1167, "Lift Selection", kLiftSel, false},
    {1170, "Wrap Speed", kWrapSpeed, false},
    {1171, "Tray Search?", kTraySearch, true},
    {1172, "Wrap Pos. 1", kWrapPos1, false},
    {1173, "Horiz. Pos. 1", kWrapSidePos1, false},
    {1174, "Vert. Pos. 1", kWrapVerticalPos1, false},
    {1181, "Wrap Pos. 2", kWrapPos2, false},
    {1182, "Horiz. Pos. 2", kWrapSidePos2, false},
    {1183, "Vert. Pos. 2", kWrapVerticalPos2, false},
    {1187, "Wrap Pos. 3", kWrapPos3, false},
    {1188, "Horiz. Pos. 3", kWrapSidePos3, false},
    {1189, "Vert. Pos. 3", kWrapVerticalPos3, false},
    {1175, "", kFeedStopPos, false},
};

constexpr TrayMeasure kMeasures[] = {
    {1160, "Length", kLength, 999},         {1161, "Width", kWidth, 999},
    {1162, "Height", kHeight, 999},         {1163, "Bottom\nLength", kBottomLength, 999},
    {1164, "Tray\nWeight", kTrayWeight, 999}, {1165, "Film\nWeight", kFilmWeight, 999},
    {1168, "Recycle\nNo.", kContainer, 99},
};
constexpr std::size_t kDrawnMeasures = 4;  // length, width, height and bottom length

std::size_t IndexOf(const TrayMeasure& measure)
{
    return static_cast<std::size_t>(&measure - kMeasures);
}

std::vector<std::string> Patterns()
{
    std::vector<std::string> entries;
    for (int pattern = 1; pattern <= 8; ++pattern) entries.push_back(FormatText("Pattern %d", pattern));
    return entries;
}

// The cabinet drawing of a tray in millimetres, then in fractions of the picture.
TrayPicture Draw(double length, double width, double height, double bottom)
{
    if (bottom <= 0) bottom = length;
    const double depth = width / 2 * std::sqrt(0.5);
    const double left = (EditTrayForm::kPictureWidthMm - (std::max(length, bottom) + depth)) / 2;
    const double base = (EditTrayForm::kPictureHeightMm + height + depth) / 2;
    const double top = base - height;
    const double footLeft = left + (length - bottom) / 2;
    const double footRight = footLeft + bottom;
    TrayPicture picture;
    const auto line = [&picture](double x1, double y1, double x2, double y2) {
        picture.lines.push_back({x1 / EditTrayForm::kPictureWidthMm, y1 / EditTrayForm::kPictureHeightMm,
                                 x2 / EditTrayForm::kPictureWidthMm, y2 / EditTrayForm::kPictureHeightMm});
    };
    const auto label = [&picture](double x, double y, double mm) {
        picture.labels.push_back({x / EditTrayForm::kPictureWidthMm, y / EditTrayForm::kPictureHeightMm,
                                  FormatText("%d mm", static_cast<int>(mm))});
    };
    line(left, top, left + length, top);                        // the front's top edge
    line(footLeft, base, footRight, base);                      // its foot
    line(left, top, footLeft, base);                            // its sides
    line(left + length, top, footRight, base);
    line(left + depth, top - depth, left + length + depth, top - depth);  // the back's top edge
    line(left, top, left + depth, top - depth);                 // the top edges running back
    line(left + length, top, left + length + depth, top - depth);
    line(left + length + depth, top - depth, footRight + depth, base - depth);  // the back's right side
    line(footRight, base, footRight + depth, base - depth);     // the foot running back
    label(left + length / 2, base + 12, length);                  // under the foot
    label(std::min(left, footLeft) - 35, top + height / 2, height);  // left of the front
    label(left + depth / 2 - 35, top - depth / 2 - 6, width);       // left of the edge running back
    return picture;
}

}  // namespace

EditTrayForm::EditTrayForm(std::uint32_t number, const CTrayRec& values, const ScaleDataRoles& roles)
    : m_template(roles.Setup().m_market == MarketUsa ? 333 : 311), m_chars(roles.Text().chars), m_number(number),
      m_numberText(std::to_string(number)), m_values(values)
{
    for (const TrayMeasure& measure : kMeasures) m_measureTexts.push_back(std::to_string(m_values.Get(measure.column)));
    OnMeasureLeft();
}

std::span<const TrayChoice> EditTrayForm::Choices() { return kChoices; }
std::span<const TrayMeasure> EditTrayForm::Measures() { return kMeasures; }

std::vector<std::string> EditTrayForm::EntriesOf(const TrayChoice& choice) const
{
    switch (choice.id) {
    case 1158: return {"Standard", "Round", GetTemplate() == 333 ? "Fan-Shaped" : "Quarter Sector"};
    case 1159: return {"Registered Tray", "Search Tray"};
    case 1166: return {"Right", "Left"};
    case 1167: return {"Small", "Large"};
    case 1170: return {"Fast", "Medium", "Slow"};
    case 1171: return {"Include", "Exclude"};
    case 1172:
    case 1181:
    case 1187: return {"Horizontal", "Vertical"};
    case 1175: return {"Front", "Back"};
    default: return Patterns();
    }
}

void EditTrayForm::SetName(std::string_view name)
{
    m_values.Set(kName, CutToWholeChars(name, CTrayRec::kNameMax, m_chars));
}

int EditTrayForm::GetChoice(const TrayChoice& choice) const
{
    const int index = m_values.Get(choice.column) - (choice.storedAsIndex ? 0 : 1);
    return index >= 0 && index < static_cast<int>(EntriesOf(choice).size()) ? index : -1;
}

void EditTrayForm::SetChoice(const TrayChoice& choice, int index)
{
    if (index < 0 || index >= static_cast<int>(EntriesOf(choice).size())) return;
    m_values.Set(choice.column, static_cast<std::uint8_t>(index + (choice.storedAsIndex ? 0 : 1)));
}

const std::string& EditTrayForm::GetMeasureText(const TrayMeasure& measure) const
{
    return m_measureTexts.at(IndexOf(measure));
}

void EditTrayForm::SetMeasureText(const TrayMeasure& measure, std::string_view text)
{
    m_measureTexts.at(IndexOf(measure)) = text;
}

void EditTrayForm::OnMeasureLeft()
{
    std::array<double, kDrawnMeasures> sizes{};
    for (std::size_t i = 0; i < kDrawnMeasures; ++i) {
        const std::optional<long long> read = MessageTextEditForm::ReadLong(m_measureTexts[i]);
        sizes[i] = read && *read >= 0 && *read <= kMeasures[i].highest ? static_cast<double>(*read)
                                                                         : m_values.Get(kMeasures[i].column);
    }
    m_picture = Draw(sizes[0], sizes[1], sizes[2], sizes[3]);
}

bool EditTrayForm::OnOK()
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(m_numberText, kLowestNumber, kHighestNumber);
    if (!number) {
        m_refusedFocus = kNumberId;
        return false;
    }
    CTrayRec values = m_values;
    for (const TrayMeasure& measure : kMeasures) {
        const std::optional<std::uint32_t> value = ReadNumberInRange(GetMeasureText(measure), 0, measure.highest);
        if (!value) {
            m_refusedFocus = measure.id;
            return false;
        }
        values.Set(measure.column, static_cast<std::uint16_t>(*value));
    }
    m_number = *number;
    m_values = values;
    return true;
}

}  // namespace varnel
