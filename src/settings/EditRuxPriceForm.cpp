// The price master dialog's rules.
#include "settings/EditRuxPriceForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/text/PriceText.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <cstring>

namespace varnel {
namespace {

constexpr std::uint16_t kDisplayOrder[] = {1211, 1200, 1202, 1205, 1201, 1212, 1228, 1220, 1213, 1206, 1227, 1207,
                                           1219, 1218, 1203, 1204, 1216, 1217, 1215, 1214, 1229, 1230, 1231, 1232,
                                           1208, 1209, 1210, 1221, 1222, 1224, 1235, 1236, 1237, 1234};
constexpr std::uint32_t kUnordered = 9999;
constexpr std::uint32_t kNotAPriceField = 999999;

constexpr std::uint16_t kUnitPrice = 1200;
constexpr std::uint16_t kMarkdownPrice = 1201;
constexpr std::uint16_t kPopMessage = 1206;
constexpr std::uint16_t kExtraMessage = 1207;
constexpr std::uint16_t kTray = 1210;
constexpr std::uint16_t kSalesMode = 1211;
constexpr std::uint16_t kMarkdownFlag = 1212;
constexpr std::uint8_t kPercentMarkdownFlag = 3;

// The texts the dialog keeps in the record itself: offset and most characters, a terminator after.
struct TextField {
    std::uint16_t fieldNo;
    std::size_t offset;
    std::size_t length;
};
constexpr TextField kTextFields[] = {{1218, 2, 10}, {1219, 14, 4}, {1220, 20, 3}};

const TextField* FindTextField(std::uint16_t fieldNo)
{
    const auto found = std::ranges::find(kTextFields, fieldNo, &TextField::fieldNo);
    return found == std::end(kTextFields) ? nullptr : found;
}

std::string ReadText(const EditRuxPriceForm::Record& record, const TextField& field)
{
    const auto* begin = reinterpret_cast<const char*>(record.data() + field.offset);
    return std::string(begin, strnlen(begin, field.length));
}

std::int32_t Clamp(const CLabProp& field, std::int32_t value) { return std::clamp(value, field.m_min, std::max(field.m_min, field.m_max)); }

}  // namespace

EditRuxPriceForm::EditRuxPriceForm(const Records& records, const RuxPriceDialogSite& site) : m_site(site), m_records(records)
{
    for (const auto& [key, definition] : site.definitions) {
        if (!definition || definition->m_display == 0) continue;
        const std::uint32_t order = DisplayOrder(definition->m_fieldNo);
        const auto at = std::ranges::find_if(m_fields, [order](const CLabProp& field) {
            return DisplayOrder(field.m_fieldNo) > order;
        });
        m_fields.insert(at, *definition);
    }
}

std::uint32_t EditRuxPriceForm::DisplayOrder(std::uint16_t fieldNo)
{
    if (fieldNo < 1200 || fieldNo > 1238) return kNotAPriceField;
    const auto found = std::ranges::find(kDisplayOrder, fieldNo);
    return found == std::end(kDisplayOrder) ? kUnordered : static_cast<std::uint32_t>(found - std::begin(kDisplayOrder));
}

EditRuxPriceForm::Layout EditRuxPriceForm::ComputeLayout(int frameHeight) const
{
    Layout layout;
    layout.rows = (m_fields.size() + 1) / 2;
    const std::size_t divisor = layout.rows >= 10 ? layout.rows : 10;
    layout.pitch = frameHeight / static_cast<int>(divisor);
    layout.controlHeight = layout.pitch < 22 ? layout.pitch : 20;
    for (std::size_t i = 0; i < m_fields.size(); ++i) layout.places.push_back({i / layout.rows, i % layout.rows});
    return layout;
}

std::string EditRuxPriceForm::GetLabel(const CLabProp& field)
{
    return field.m_name.empty() ? std::string(GetMessageText(field.m_fieldNo)) : field.m_name;
}

std::optional<int> EditRuxPriceForm::PickerButton(std::uint16_t fieldNo)
{
    switch (fieldNo) {
    case kPopMessage: return 130;
    case kExtraMessage: return 126;
    case kTray: return 129;
    default: return std::nullopt;
    }
}

std::size_t EditRuxPriceForm::GetTextLimit(const CLabProp& field)
{
    if (const TextField* text = FindTextField(field.m_fieldNo)) return text->length;
    return field.m_width + (field.m_decimals > 0 ? 1 : 0);
}

char EditRuxPriceForm::GetSeparator(std::uint16_t fieldNo) { return fieldNo == 1220 ? '/' : '.'; }

void EditRuxPriceForm::SetTab(std::size_t tab)
{
    if (tab < kMasters) m_tab = tab;
}

std::string EditRuxPriceForm::GetTabTitle(std::size_t tab) { return FormatMessage(kMsgTabTitle, int(tab + 1)); }

std::int32_t EditRuxPriceForm::ValueOf(std::uint16_t fieldNo) const
{
    for (const auto& [key, definition] : m_site.definitions)
        if (definition && definition->m_fieldNo == fieldNo) return GetRuxPriceFieldValue(Current(), *definition);
    return 0;
}

std::uint16_t EditRuxPriceForm::GetDecimals(const CLabProp& field) const
{
    if (field.m_fieldNo == kMarkdownPrice) {
        const auto flag = static_cast<std::uint8_t>(ValueOf(kMarkdownFlag));
        if (IsPercentMarkdown(flag)) return m_site.percentMarkdownDecimal ? 1 : 0;
        if (m_site.unitFixedPriceDecimal && IsExtraDecimalMarkdown(flag)) return field.m_decimals + 1;
    }
    if (field.m_fieldNo == kUnitPrice && m_site.unitFixedPriceDecimal && ValueOf(kSalesMode) == 0)
        return field.m_decimals + 1;
    return field.m_decimals;
}

std::string EditRuxPriceForm::GetText(const CLabProp& field) const
{
    if (const TextField* text = FindTextField(field.m_fieldNo)) return ReadText(Current(), *text);
    return FormatFixedPoint(GetDecimals(field), GetSeparator(field.m_fieldNo),
                            Clamp(field, GetRuxPriceFieldValue(Current(), field)));
}

FieldChoices EditRuxPriceForm::GetChoices(const CLabProp& field) const
{
    return PropValueChoices(field, static_cast<std::uint16_t>(GetRuxPriceFieldValue(Current(), field)), m_site.chars);
}

std::vector<std::uint16_t> EditRuxPriceForm::FieldsShownAfterChange(std::uint16_t fieldNo)
{
    if (fieldNo == kSalesMode) return {fieldNo, kUnitPrice};
    if (fieldNo == kMarkdownFlag) return {fieldNo, kMarkdownPrice};
    return {fieldNo};
}

std::string EditRuxPriceForm::RangeSuffix(const CLabProp& field) const
{
    if (field.m_fieldNo == kMarkdownPrice && ValueOf(kMarkdownFlag) == kPercentMarkdownFlag)
        return GetDecimals(field) == 1 ? " (Min = 0, Max = 99.9)" : " (Min = 0, Max = 99)";
    return FormatText(" (Min = %ld, Max = %ld)", long{field.m_min}, long{field.m_max});
}

bool EditRuxPriceForm::UpdateFromEdit(const CLabProp& field, std::string_view text)
{
    if (const TextField* textField = FindTextField(field.m_fieldNo)) {
        const std::string typed(text.substr(0, std::min(text.size(), textField->length)));
        if (typed == ReadText(Current(), *textField)) return true;
        std::fill_n(Current().begin() + static_cast<std::ptrdiff_t>(textField->offset), textField->length + 1, 0);
        std::ranges::copy(typed, Current().begin() + static_cast<std::ptrdiff_t>(textField->offset));
        m_modified = true;
        return true;
    }
    std::int32_t value = 0;
    if (!ParsePrice(text, GetDecimals(field), GetSeparator(field.m_fieldNo), value) || value < field.m_min ||
        value > field.m_max) {
        ShowMessageText(std::string(GetMessageText(kMsgOutOfRange)) + RangeSuffix(field));
        return false;
    }
    if (value != GetRuxPriceFieldValue(Current(), field)) {
        m_modified = true;
        (void)SetRuxPriceFieldValue(Current(), field, value);
    }
    return true;
}

bool EditRuxPriceForm::UpdateFromCombo(const CLabProp& field, std::optional<std::size_t> selection)
{
    const CPropValue* value = GetSelectedPropValue(field, selection);
    if (value == nullptr) return false;
    if (value->m_number != GetRuxPriceFieldValue(Current(), field)) {
        m_modified = true;
        (void)SetRuxPriceFieldValue(Current(), field, value->m_number);
    }
    return true;
}

bool EditRuxPriceForm::IsInUse(std::size_t master) const
{
    return m_records.at(master)[0] != 0 || m_records.at(master)[1] != 0;
}

bool EditRuxPriceForm::IsUsePriceEnabled() const
{
    std::size_t inUse = 0;
    for (std::size_t master = 0; master < kMasters; ++master)
        inUse += IsInUse(master) ? 1 : 0;
    return !(GetUsePrice() && inUse < 2);
}

void EditRuxPriceForm::SetUsePrice(bool on)
{
    if (!IsUsePriceEnabled()) return;
    Current()[0] = on ? 1 : 0;
    Current()[1] = 0;
    m_modified = true;
}

std::vector<std::size_t> EditRuxPriceForm::GetCopySources() const
{
    std::vector<std::size_t> sources;
    for (std::size_t master = 0; master < kMasters; ++master)
        if (master != m_tab && IsInUse(master)) sources.push_back(master);
    return sources;
}

bool EditRuxPriceForm::IsCopyEnabled() const { return GetUsePrice() && !GetCopySources().empty(); }

bool EditRuxPriceForm::CopyFrom(std::size_t source)
{
    if (source >= kMasters || source == m_tab) return false;
    if (ShowMessageText(FormatMessage(kMsgCopyOver, int(source + 1)), MessageButtons::OkCancel,
                        MessageIcon::Question) != MessageAnswer::Ok)
        return false;
    Current() = m_records[source];
    m_modified = true;
    return true;
}

bool EditRuxPriceForm::Pick(std::uint16_t fieldNo, IRuxPricePickers& pickers)
{
    const auto field = std::ranges::find(m_fields, fieldNo, &CLabProp::m_fieldNo);
    if (field == m_fields.end() || !AreFieldsEnabled()) return false;
    const auto current = static_cast<std::uint32_t>(GetRuxPriceFieldValue(Current(), *field));
    std::optional<std::uint32_t> picked;
    if (fieldNo == kPopMessage) picked = pickers.PickPopMessage(current);
    else if (fieldNo == kExtraMessage) picked = pickers.PickExtraMessage(current);
    else if (fieldNo == kTray) picked = pickers.PickTray(current);
    if (!picked) return false;
    (void)SetRuxPriceFieldValue(Current(), *field, static_cast<std::int32_t>(*picked));
    m_modified = true;
    return true;
}

}  // namespace varnel
