// The price zone list's rules.
#include "settings/EditPriceZonesForm.h"

#include "db/text/DbcsString.h"
#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/PriceZone.h"
#include "settings/UserSetupList.h"

namespace varnel {
namespace {

constexpr std::uint16_t kMaxZone = 9999;

std::string Detail(std::uint16_t id, const std::string& name)
{
    return FormatText(" ID=%d : %s", int{id}, name.c_str());
}

}  // namespace

EditPriceZoneForm::EditPriceZoneForm(std::uint16_t id, std::string name, const CharRule& chars)
    : m_id(std::to_string(id)), m_name(std::move(name)), m_number(id), m_chars(chars)
{
}

bool EditPriceZoneForm::Accept()
{
    const auto id = ReadNumberInRange(m_id, 1, kMaxZone);
    if (!id) return false;
    m_number = static_cast<std::uint16_t>(*id);
    m_name = std::string(DbcsLeft(m_name, kNameLimit, m_chars));
    return true;
}

EditPriceZonesForm::EditPriceZonesForm(CPriceZoneList& zones, const CAppEventLog& log, const CharRule& chars)
    : SettingsListForm(Rule::SetupPermissions), m_zones(zones), m_log(log), m_chars(chars)
{
    Fill(0);
}

void EditPriceZonesForm::Fill(std::uint16_t selectedId)
{
    FieldChoices rows = m_zones.FillListBox(selectedId);
    SetRows(std::move(rows.items), rows.selected);
}

std::uint16_t EditPriceZonesForm::IdAt(std::size_t row) const { return m_zones.SortById().at(row)->m_id; }

bool EditPriceZonesForm::RunEntry(EditPriceZoneForm& entry)
{
    while (m_ui != nullptr && m_ui->RunPriceZoneEntry(entry)) {
        if (!entry.m_name.empty()) return true;
        ShowMessage(kMsgNoName);
    }
    return false;
}

void EditPriceZonesForm::Store(std::uint16_t id, const std::string& name)
{
    m_zones.SetZone(id, name);
    m_log.LogSetupModified(kMsgPriceZone, Detail(id, name));
}

void EditPriceZonesForm::Add()
{
    if (!IsAddEnabled()) return;
    EditPriceZoneForm entry(m_chars);
    for (;;) {
        if (!RunEntry(entry)) return;
        if (!m_zones.IsDefined(entry.GetId())) break;
        ShowMessage(kMsgAddIdInUse);
    }
    Store(entry.GetId(), entry.m_name);
    Fill(entry.GetId());
}

void EditPriceZonesForm::EditRow(std::size_t row)
{
    const std::uint16_t oldId = IdAt(row);
    EditPriceZoneForm entry(oldId, m_zones.Find(oldId)->m_name, m_chars);
    for (;;) {
        if (!RunEntry(entry)) return;
        if (!CheckUserPermission(kSetupTable, AccessUpdate, true)) return;
        if (entry.GetId() == oldId || !m_zones.IsDefined(entry.GetId())) break;
        ShowMessage(kMsgEditIdInUse);
    }
    if (entry.GetId() == oldId) {
        Store(oldId, entry.m_name);
        SetRow(row, FormatText("%04.4d  %s", int{oldId}, entry.m_name.c_str()));
        return;
    }
    m_zones.RemoveZone(oldId);
    Store(entry.GetId(), entry.m_name);
    Fill(entry.GetId());
}

void EditPriceZonesForm::DeleteRow(std::size_t row)
{
    if (ShowMessage(kMsgDeleteZone, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    const std::uint16_t id = IdAt(row);
    m_log.LogSetupDeleted(kMsgPriceZone, Detail(id, m_zones.Find(id)->m_name));
    m_zones.RemoveZone(id);
    RemoveRow(row);
}

}  // namespace varnel
