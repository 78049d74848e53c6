#include "pluedit/EditPriceZoneValuesForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/text/PriceText.h"
#include "platform/Messages.h"
#include "platform/TextFormat.h"
#include "pluedit/NumEditFilter.h"
#include "pluedit/PluEditForm.h"
#include "settings/PriceZone.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgDefault = 16429;
constexpr std::size_t kPageStep = 7;
constexpr int kPlacedLeftOfControl = 20;  // pixels

}  // namespace

EditPriceZoneValuesForm::EditPriceZoneValuesForm(PluEditForm& plu, const CLabProp& definition)
    : m_plu(plu), m_definition(definition), m_stored(plu.LoadFieldZoneValues(definition.m_fieldNo))
{
    m_zones.push_back(0);
    for (const CPriceZone* zone : plu.GetZoneList().SortById()) m_zones.push_back(zone->m_id);
}

std::string EditPriceZoneValuesForm::GetRowLabel(std::size_t shown) const
{
    const std::uint16_t zone = GetZone(shown);
    std::string name(GetMessageText(kMsgDefault));
    if (zone != 0) {
        const auto sorted = m_plu.GetZoneList().SortById();
        const auto found = std::ranges::find(sorted, zone, [](const CPriceZone* entry) { return entry->m_id; });
        name = found != sorted.end() ? (*found)->m_name : std::string();
    }
    return FormatText("%02.2d  %s", static_cast<int>(zone), name.c_str());
}

bool EditPriceZoneValuesForm::IsCombo() const { return !m_definition.m_values.empty(); }

std::int32_t EditPriceZoneValuesForm::RowValue(std::size_t shown) const
{
    return m_plu.GetZoneValue(m_definition, GetZone(shown), m_stored);
}

FieldChoices EditPriceZoneValuesForm::GetRowChoices(std::size_t shown) const
{
    return PropValueChoices(m_definition, static_cast<std::uint16_t>(RowValue(shown)),
                            m_plu.Editor().GetSettings().chars);
}

std::string EditPriceZoneValuesForm::GetRowText(std::size_t shown) const
{
    std::int32_t value = RowValue(shown);
    if (m_definition.m_max >= m_definition.m_min) value = std::clamp(value, m_definition.m_min, m_definition.m_max);
    return FormatFixedPoint(m_plu.GetFieldDecimals(m_definition), '.', value);
}

char EditPriceZoneValuesForm::GetSeparator() const { return NumEditSeparator(m_definition); }

std::size_t EditPriceZoneValuesForm::GetTextLimit() const
{
    return m_definition.m_width + (m_definition.m_decimals != 0 ? 1u : 0u);
}

bool EditPriceZoneValuesForm::CommitRowEdit(std::size_t shown, std::string_view text)
{
    const std::int32_t old = RowValue(shown);
    std::int32_t value = 0;
    if (!ParsePrice(text, m_plu.GetFieldDecimals(m_definition), GetSeparator(), value) || value == old) return true;
    m_busy = true;
    const bool valid = m_plu.CheckFieldValue(m_definition, value);
    if (valid)
        m_plu.SetZoneValue(m_definition, GetZone(shown), value);
    else
        m_plu.ShowRangeMessage(m_definition);
    m_busy = false;
    return valid;
}

void EditPriceZoneValuesForm::CommitRowCombo(std::size_t shown, std::optional<std::size_t> selection)
{
    const CPropValue* chosen = GetSelectedPropValue(m_definition, selection);
    if (chosen != nullptr && chosen->m_number != RowValue(shown))
        m_plu.SetZoneValue(m_definition, GetZone(shown), chosen->m_number);
}

bool EditPriceZoneValuesForm::OnScroll(Scroll action, std::size_t thumb)
{
    if (!HasScrollBar()) return false;
    const std::size_t last = GetLastPosition();
    std::size_t position = m_first;
    switch (action) {
    case Scroll::LineUp: position = position > 0 ? position - 1 : 0; break;
    case Scroll::LineDown: position = std::min(position + 1, last); break;
    case Scroll::PageUp: position = position > kPageStep ? position - kPageStep : 0; break;
    case Scroll::PageDown: position = position + kPageStep < last ? position + kPageStep : last; break;
    case Scroll::Thumb: position = std::min(thumb, last); break;
    case Scroll::Top: position = 0; break;
    case Scroll::Bottom: position = last; break;
    }
    if (position == m_first) return false;
    m_first = position;
    return true;
}

FormRect EditPriceZoneValuesForm::Place(const FormRect& control, const FormRect& workArea, const FormUnits& units) const
{
    int width = units.X(kMargin + kLabelWidth + 10 + kInputWidth + kMargin);
    if (IsCombo()) width += units.X(kRowPitch);  // the drop button
    if (HasScrollBar()) width += units.X(kScrollBarWidth);
    const int height = units.Y(static_cast<int>(GetShownRowCount()) * kRowPitch + 10);
    int left = control.left - kPlacedLeftOfControl;
    int top = control.top;
    left = std::max({std::min(left, workArea.right - width), workArea.left, 0});
    top = std::max({std::min(top, workArea.bottom - height), workArea.top, 0});
    return {left, top, left + width, top + height};
}

}  // namespace varnel
