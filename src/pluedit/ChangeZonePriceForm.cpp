// "Change Prices" per price zone.
#include "pluedit/ChangeZonePriceForm.h"

#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/PriceChangeLog.h"
#include "db/text/PriceText.h"
#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"
#include "settings/PriceZone.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kSalesModeField = 1002;
constexpr std::uint16_t kMarkdownFlagField = 1003;
constexpr std::uint16_t kMarkdownPriceField = 1004;
constexpr std::uint16_t kUnitPriceField = 1005;
constexpr int kPage = 5;

const PriceZoneEntry* FindEntry(const PriceZoneEntries& entries, std::uint16_t fieldNo, std::uint16_t zone)
{
    const auto found =
        std::ranges::find_if(entries, [&](const PriceZoneEntry& e) { return e.fieldNo == fieldNo && e.zone == zone; });
    return found != entries.end() ? &*found : nullptr;
}

}  // namespace

ChangeZonePriceForm::ChangeZonePriceForm(ChangePricesSite site, const CPriceZoneList& zones,
                                         std::uint16_t sitePriceZone)
    : ChangePricesForm(std::move(site)), m_sitePriceZone(sitePriceZone),
      m_flagDefinition(FindPluFieldDefAny(kMarkdownFlagField)), m_field(AmountField::Of(EditedField()))
{
    for (const CPriceZone* zone : zones.SortById()) m_zones.push_back({zone->m_id, zone->m_name});
    const auto own = std::ranges::find(m_zones, sitePriceZone, &Zone::id);
    const auto index = static_cast<int>(own - m_zones.begin());
    if (sitePriceZone != 0 && own != m_zones.end() && index >= static_cast<int>(kVisibleRows))
        m_first = std::min(index, GetScrollLast());
}

std::uint16_t ChangeZonePriceForm::EditedField() const
{
    return IsMarkdown() ? kMarkdownPriceField : kUnitPriceField;
}

int ChangeZonePriceForm::GetScrollLast() const
{
    return IsScrollEnabled() ? static_cast<int>(m_zones.size() - kVisibleRows) : 0;
}

void ChangeZonePriceForm::OnScroll(ScrollAction action, int thumb)
{
    if (!IsScrollEnabled()) return;
    m_first = ScrollPosition(m_first, action, GetScrollLast(), kPage, thumb);
    Fill();
}

int ChangeZonePriceForm::FirstAmount() const
{
    if (m_sitePriceZone == 0) return kDefaultAmount;
    for (std::size_t row = 0; row < kVisibleRows; ++row)
        if (ZoneOfRow(static_cast<int>(row)) == m_sitePriceZone) return kAmounts[row];
    return kDefaultAmount;
}

std::optional<std::uint16_t> ChangeZonePriceForm::ZoneOfRow(int row) const
{
    if (row == kDefaultRow) return std::uint16_t{0};
    const std::size_t index = static_cast<std::size_t>(m_first) + static_cast<std::size_t>(row);
    if (row < 0 || index >= m_zones.size()) return std::nullopt;
    return m_zones[index].id;
}

std::int32_t ChangeZonePriceForm::ValueIn(const CPluDefRec& plu, std::uint16_t fieldNo, std::uint16_t zone,
                                          const PriceZoneEntries* pending) const
{
    if (zone != 0) {
        if (const PriceZoneEntry* entry = pending ? FindEntry(*pending, fieldNo, zone) : nullptr) return entry->value;
        if (const PriceZoneEntry* entry = FindEntry(m_stored, fieldNo, zone)) return entry->value;
    }
    return GetPluFieldValue(plu, fieldNo);
}

std::uint16_t ChangeZonePriceForm::DecimalsIn(std::uint16_t zone) const
{
    const auto salesMode = static_cast<std::uint8_t>(ValueIn(*m_plu, kSalesModeField, zone, nullptr));
    const auto flag = static_cast<std::uint8_t>(ValueIn(*m_plu, kMarkdownFlagField, zone, &m_newFlags));
    return GetPriceDecimals(m_field.decimals, IsMarkdown(), salesMode, flag);
}

void ChangeZonePriceForm::Show(const CPluDefRec* row)
{
    m_plu.reset();
    m_original.reset();
    m_stored.clear();
    m_newValues.clear();
    m_newFlags.clear();
    m_changed = false;
    if (row) {
        m_plu = *row;
        m_original = *row;
        if (CPluPriceZoneTb* zones = Site().plus.GetPriceZoneTable()) {
            std::vector<std::uint16_t> fields{EditedField(), kSalesModeField};
            if (IsMarkdown()) fields.push_back(kMarkdownFlagField);
            for (const std::uint16_t field : fields) {
                PriceZoneEntries loaded;
                (void)zones->LoadFieldEntries(row->GetKey(), field, loaded);
                m_stored.insert(m_stored.end(), loaded.begin(), loaded.end());
            }
        }
    }
    Fill();
}

void ChangeZonePriceForm::Fill()
{
    const bool flagsByZone =
        IsMarkdown() && IsPriceZoneField(Site().plus.GetRoles().Fields(), kMarkdownFlagField);
    const auto fill = [&](Row& shown, std::optional<std::uint16_t> zone) {
        shown = Row{};
        if (!zone) return;
        shown.label = *zone == 0 ? std::string(GetMessageText(kMsgDefault))
                                 : std::ranges::find(m_zones, *zone, &Zone::id)->name;
        if (!m_plu) return;
        shown.amount = FormatFixedPoint(DecimalsIn(*zone), '.', ValueIn(*m_plu, EditedField(), *zone, &m_newValues));
        if (IsMarkdown() && m_flagDefinition)
            shown.flag = PropValueChoices(
                *m_flagDefinition,
                static_cast<std::uint16_t>(ValueIn(*m_plu, kMarkdownFlagField, *zone, &m_newFlags)),
                Site().plus.GetRoles().Text().chars);
        shown.enabled = m_sitePriceZone == 0 || *zone == m_sitePriceZone;
        shown.flagEnabled = shown.enabled && IsMarkdown() && (*zone == 0 || flagsByZone);
    };
    fill(m_default, std::uint16_t{0});
    for (std::size_t row = 0; row < kVisibleRows; ++row) fill(m_rows[row], ZoneOfRow(static_cast<int>(row)));
}

bool ChangeZonePriceForm::OnAmountKillFocus(int row, std::string_view text)
{
    const std::optional<std::uint16_t> zone = ZoneOfRow(row);
    if (!zone || !m_plu) return true;
    const int control = row == kDefaultRow ? kDefaultAmount : kAmounts.at(static_cast<std::size_t>(row));
    const std::uint16_t decimals = DecimalsIn(*zone);
    std::int32_t value = 0;
    if (!ParsePrice(text, decimals, '.', value)) {
        Fill();
        return Refuse(control, kMsgNotNumeric);
    }
    const auto flag = static_cast<std::uint8_t>(ValueIn(*m_plu, kMarkdownFlagField, *zone, &m_newFlags));
    if (IsMarkdown() && !CheckPercentage(flag, value, decimals, control)) {
        Fill();
        return false;
    }
    if (value != ValueIn(*m_plu, EditedField(), *zone, &m_newValues)) {
        m_changed = true;
        if (*zone == 0)
            (void)SetPluFieldValue(*m_plu, EditedField(), value);
        else
            SetZoneEntry(EditedField(), *zone, value, m_newValues);
    }
    Fill();
    return true;
}

void ChangeZonePriceForm::OnFlagChange(int row, std::optional<std::size_t> selection)
{
    const std::optional<std::uint16_t> zone = ZoneOfRow(row);
    const CPropValue* chosen = m_flagDefinition ? GetSelectedPropValue(*m_flagDefinition, selection) : nullptr;
    if (!zone || !m_plu || !chosen) return;
    if (chosen->m_number != ValueIn(*m_plu, kMarkdownFlagField, *zone, &m_newFlags)) {
        m_changed = true;
        if (*zone == 0)
            (void)SetPluFieldValue(*m_plu, kMarkdownFlagField, chosen->m_number);
        else
            SetZoneEntry(kMarkdownFlagField, *zone, chosen->m_number, m_newFlags);
    }
    Fill();
}

bool ChangeZonePriceForm::Apply()
{
    if (!m_changed) return true;
    const CPluDefRec* row = CurrentRow();
    if (!row || !m_plu) return Refuse(FirstAmount(), kMsgDatabaseError);
    const std::uint32_t plu = GetCurrentPlu();
    if (IsBeingEdited(plu)) return true;
    const CPluDefRec original = *m_original;
    const bool written =
        IsMarkdown() ? Site().plus.ChangeMarkdownWithZones(plu, m_plu->Get(PluCol::MarkPrice), m_plu->Get(PluCol::MarkFlag),
                                                           Site().send, true, m_newFlags, m_newValues)
                     : Site().plus.ChangePriceWithZones(plu, m_plu->Get(PluCol::UnitPrice), Site().send, true,
                                                        m_newValues);
    if (!written) return Refuse(FirstAmount(), kMsgDatabaseError);
    LogChange(original);
    m_changed = false;
    ChangeDone(*CurrentRow());
    return true;
}

void ChangeZonePriceForm::LogChange(const CPluDefRec& original) const
{
    const IEventLog& events = Site().plus.GetRoles().log;
    const long plu = static_cast<long>(GetCurrentPlu());
    const std::string desc = PriceChangeLogDesc(original, Site().plus.GetRoles().Text().chars);
    const std::uint16_t field = EditedField();
    events.WriteEvent(EventPriceChange,
                      IsMarkdown() ? FormatMessage(kMsgMarkdownChange, plu, static_cast<int>(m_plu->Get(PluCol::MarkFlag)),
                                                   long{original.Get(PluCol::MarkPrice)},
                                                   long{m_plu->Get(PluCol::MarkPrice)}, desc.c_str())
                                   : FormatMessage(kMsgPriceChange, plu, long{original.Get(PluCol::UnitPrice)},
                                                   long{m_plu->Get(PluCol::UnitPrice)}, desc.c_str()));
    for (const Zone& zone : m_zones) {
        const std::int32_t before = ValueIn(original, field, zone.id, nullptr);
        const std::int32_t after = ValueIn(*m_plu, field, zone.id, &m_newValues);
        if (before != after)
            events.WriteEvent(EventContinuation, FormatMessage(kMsgZoneChange, static_cast<short>(zone.id),
                                                               long{before}, long{after}));
    }
}

}  // namespace varnel
