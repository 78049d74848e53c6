// The change lines a save writes to the event log: one entry per changed field, in page order, then
// the description.
#include "pluedit/PluEditForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "platform/TextFormat.h"
#include "pluedit/PluFieldNumbers.h"

#include <algorithm>

namespace varnel {
namespace {

using namespace plufield;

constexpr MessageId kMsgNumberChange = 20535;
constexpr MessageId kMsgZoneChanges = 20536;
constexpr MessageId kMsgZoneChange = 20537;
constexpr MessageId kMsgTextChange = 20538;
constexpr char kEscape = 27;

std::optional<TextColumn> TextColumnOf(std::uint16_t fieldNo)
{
    switch (fieldNo) {
    case kRegCode: return PluCol::RegCode;
    case kPosCode: return PluCol::PosCode;
    case kPackType: return PluCol::PackType;
    default: return std::nullopt;
    }
}

std::string TextChange(std::string_view name, std::string_view before, std::string_view after)
{
    return FormatMessage(kMsgTextChange, std::string(name).c_str(), std::string(before).c_str(),
                         std::string(after).c_str());
}

std::string NumberChange(std::string_view name, std::int32_t before, std::int32_t after)
{
    return FormatMessage(kMsgNumberChange, std::string(name).c_str(), static_cast<long>(before),
                         static_cast<long>(after));
}

// Escape characters would end the log line's text where a reader sees them.
std::string Printable(std::string_view description)
{
    std::string text(description);
    std::ranges::replace(text, kEscape, '~');
    return text;
}

}  // namespace

std::vector<std::string> PluEditForm::MakeChangeLines(const CPluDefRec& before, std::string_view description)
{
    std::vector<std::string> lines;
    const bool headOffice = m_site.settings.headOffice;
    // In head-office mode the PLU's own values are compared and the zones' values listed apart.
    const std::uint16_t zone = m_zone;
    if (headOffice) m_zone = 0;
    CPluPriceZoneTb* zones = Zones();
    for (const PluEditPage& page : m_pages.pages) {
        for (const CLabProp& definition : page.fields) {
            const std::uint16_t fieldNo = definition.m_fieldNo;
            if (GetPluFieldType(definition) == FieldText) {
                if (const std::optional<TextColumn> column = TextColumnOf(fieldNo);
                    column && before.Get(*column) != m_row.Get(*column))
                    lines.push_back(TextChange(definition.m_name, before.Get(*column), m_row.Get(*column)));
                continue;
            }
            if (GetPluFieldType(definition) == FieldNone) continue;
            const std::int32_t old = m_zone == 0 ? GetPluFieldValue(before, definition)
                                                 : GetEntryValue(before, m_storedZoneValues, fieldNo);
            const std::int32_t now = GetFieldValue(definition);
            const bool zoned = headOffice && std::ranges::any_of(m_pendingZoneValues, [fieldNo](const PriceZoneEntry& e) {
                                   return e.fieldNo == fieldNo;
                               });
            if (!zoned) {
                if (old != now) lines.push_back(NumberChange(definition.m_name, old, now));
                continue;
            }
            std::string line = NumberChange(definition.m_name, old, now) + std::string(GetMessageText(kMsgZoneChanges));
            PriceZoneEntries stored;
            if (zones != nullptr && !m_isNew) (void)zones->LoadFieldEntries(m_loaded, fieldNo, stored);
            for (const PriceZoneEntry& entry : m_pendingZoneValues) {
                if (entry.fieldNo != fieldNo) continue;
                line += FormatMessage(kMsgZoneChange, static_cast<int>(entry.zone),
                                      static_cast<long>(varnel::GetZoneValue(before, stored, fieldNo, entry.zone)),
                                      static_cast<long>(entry.value));
            }
            lines.push_back(std::move(line));
        }
    }
    m_zone = zone;
    if (before.GetDesc() != description)
        lines.push_back(TextChange("Desc", Printable(before.GetDesc()), Printable(description)));
    return lines;
}

}  // namespace varnel
