// The PLU list's commands: rights, new, edit, prices and the active switch.
#include "app/PluListViewForm.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/site/SiteRules.h"
#include "platform/UserPrompt.h"
#include "pluedit/PluListPanelForm.h"
#include "scaledata/NutritionTb.h"

namespace varnel {
namespace {

constexpr std::uint8_t kView = 1;
constexpr std::uint8_t kUpdate = 2;
constexpr std::uint8_t kDelete = 4;
constexpr std::uint16_t kNutritionTable = 9;
constexpr std::uint16_t kActiveField = 1053;
constexpr std::uint32_t kInactiveBit = 1;

}  // namespace

PluListViewForm::PluListViewForm(CPluDatabase& database, PluListPanelForm& panel, const ISiteRules& site,
                                 IPluListViewHost& host, PluListViewSettings settings)
    : m_database(database), m_panel(panel), m_site(site), m_host(host), m_settings(settings)
{
}

CPluDefTb* PluListViewForm::Plus() const { return m_database.GetPluTable(); }

CPluPriceZoneTb* PluListViewForm::Zones() const
{
    return dynamic_cast<CPluPriceZoneTb*>(m_database.GetTable(CPluPriceZoneTb::kTableNo));
}

CNutritionTb* PluListViewForm::Nutrition() const
{
    return dynamic_cast<CNutritionTb*>(m_database.GetTable(kNutritionTable));
}

CDBComTb* PluListViewForm::Ingredients() const
{
    return dynamic_cast<CDBComTb*>(m_database.GetTable(kIngredientsTable));
}

CDBComTb* PluListViewForm::AusNzIngredients() const { return m_settings.ausNzNutrition ? Ingredients() : nullptr; }

bool PluListViewForm::HasPluRight(std::uint8_t mask) const
{
    return m_site.HasTableAccess(CPluDefTb::kTableNo, mask);
}

std::optional<std::uint32_t> PluListViewForm::Selected() const
{
    return m_panel.GetSelectedPluNumber();
}

bool PluListViewForm::IsEnabled(std::uint32_t command) const
{
    if (Plus() == nullptr) return false;
    using namespace PluCommand;
    switch (command) {
    case kNewPlu:
    case kNewPluButton: return HasPluRight(kUpdate) && HasPluRight(kView);
    case kEditPlu:
    case kEditButton: return HasPluRight(kView);
    case kDeleteRange:
    case kDeleteButton:
    case kDeletePlu: return HasPluRight(kDelete);
    case kPriceChanges:
    case kMarkdownChanges: return m_site.HasTableAccess(kPriceChangeTable, kUpdate);
    case kCopy:
    case kCut:
    case kPaste:
    case kMarkActive: return HasPluRight(kUpdate) && Selected().has_value();
    case kNutrition: return m_site.HasTableAccess(kNutritionTable, kView);
    case kDeleteNutrition:
    case kIngredients:
    case kDeleteIngredients: return Selected().has_value();
    default: return false;
    }
}

MessageId PluListViewForm::GetActiveCommandText() const
{
    const MessageId text = m_panel.GetActiveCommand().text;
    return text != 0 ? text : PluListPanelForm::kMsgMakeInactive;
}

bool PluListViewForm::RunCommand(std::uint32_t command)
{
    if (!IsEnabled(command)) return false;
    using namespace PluCommand;
    switch (command) {
    case kNewPlu:
    case kNewPluButton: NewPlu(); return true;
    case kEditPlu:
    case kEditButton: EditSelectedPlu(); return true;
    case kDeleteRange: (void)DeletePluRange(); return true;
    case kDeleteButton:
    case kDeletePlu: (void)DeleteSelectedPlu(); return true;
    case kPriceChanges:
    case kMarkdownChanges: ChangePrices(command); return true;
    case kCopy: (void)CopySelectedPlu(); return true;
    case kCut: (void)CutSelectedPlu(); return true;
    case kPaste: (void)PastePlu(); return true;
    case kNutrition: (void)EditSelectedNutrition(); return true;
    case kDeleteNutrition: (void)DeleteSelectedNutrition(); return true;
    case kIngredients: (void)EditSelectedIngredients(); return true;
    case kDeleteIngredients: (void)DeleteSelectedIngredients(); return true;
    case kMarkActive: (void)SwitchSelectedActive(); return true;
    default: return false;
    }
}

CPluDefRec* PluListViewForm::RowToChange(std::uint32_t pluNumber) const
{
    auto* row = dynamic_cast<CPluDefRec*>(Plus()->FindRecord(pluNumber));
    if (row == nullptr) return nullptr;
    if (m_host.GetPluInEditor() == pluNumber) {
        ShowMessage(kMsgBeingEdited);
        return nullptr;
    }
    if (row->IsCtrlFlagPairSet(m_site.GetGeneralSetup())) {
        ShowMessage(kMsgHostControlled);
        return nullptr;
    }
    return row;
}

std::optional<std::uint32_t> PluListViewForm::FirstFreePlu() const
{
    const std::uint32_t from = Selected().value_or(1);
    std::uint32_t number = from;
    if (!Plus()->FindFreePluNo(number, from, Plus()->GetMaxKey())) {
        ShowMessage(kMsgNoFreePlu);
        return std::nullopt;
    }
    return number;
}

bool PluListViewForm::CheckNewPluNumber(std::uint32_t pluNumber) const
{
    if (pluNumber == 0 || pluNumber > Plus()->GetMaxKey()) {
        ShowMessage(kMsgOutOfRange);
        return false;
    }
    if (!m_site.IsPluNumberAllowed(pluNumber)) {
        ShowMessage(kMsgProhibited);
        return false;
    }
    return true;
}

void PluListViewForm::NewPlu()
{
    if (!IsEnabled(PluCommand::kNewPlu)) return;
    // An empty edit names no number, so the picker proposes one.
    if (!m_panel.GetPluNoText().empty()) {
        const long typed = m_panel.GetTypedPluNumber();
        if (typed > 0 && m_site.IsPluNumberAllowed(static_cast<std::uint32_t>(typed)) &&
            Plus()->FindRecord(static_cast<std::uint32_t>(typed)) == nullptr) {
            m_host.EditPlu(static_cast<std::uint32_t>(typed));
            return;
        }
    }
    const std::optional<std::uint32_t> proposed = FirstFreePlu();
    if (!proposed) return;
    const std::optional<std::uint32_t> chosen = m_host.PickPlu(*proposed);
    if (chosen && CheckNewPluNumber(*chosen)) m_host.EditPlu(*chosen);
}

void PluListViewForm::EditSelectedPlu()
{
    if (!IsEnabled(PluCommand::kEditPlu)) return;
    m_panel.AddSearchHistory();
    if (const std::optional<std::uint32_t> plu = Selected()) m_host.EditPlu(*plu);
}

int PluListViewForm::ChoosePriceDialog(std::uint32_t command) const
{
    const bool markdown = command == PluCommand::kMarkdownChanges;
    const std::uint16_t priceField = markdown ? 1004 : 1005;
    if (m_settings.headOffice && IsPriceZoneField(FieldDefSet(m_site), priceField)) return markdown ? 274 : 275;
    const CLabPropMap& fields = m_site.GetFieldDefMap(FieldDefMap::Plu);
    if (markdown && FindFieldDef(1003, fields) == nullptr) {
        ShowMessage(kMsgNoMarkdownFlag);
        return 0;
    }
    if (FindFieldDef(priceField, fields) == nullptr) return 0;
    if (m_settings.scaleMix == 2 || m_settings.scaleMix == 4) return markdown ? 310 : 309;
    return 145;
}

void PluListViewForm::ChangePrices(std::uint32_t command)
{
    if (!IsEnabled(command)) return;
    const std::optional<std::uint32_t> plu = Selected();
    const int dialog = ChoosePriceDialog(command);
    if (dialog == 0) return;
    m_host.RunPriceDialog(dialog, command, plu.value_or(0));
    m_host.UpdateAllViews();
}

bool PluListViewForm::SwitchSelectedActive()
{
    const std::optional<std::uint32_t> plu = Selected();
    if (!IsEnabled(PluCommand::kMarkActive) || !plu) return false;
    CPluDefRec* row = RowToChange(*plu);
    if (row == nullptr) return false;
    bool nowActive = false;
    bool written = false;
    CPluPriceZoneTb* zones = Zones();
    if (m_settings.headOffice && m_settings.localZone != 0 && zones != nullptr && zones->IsZoneField(kActiveField)) {
        PriceZoneEntries entries;
        (void)zones->LoadZoneEntries(*plu, m_settings.localZone, entries);
        const auto flags =
            static_cast<std::uint32_t>(GetZoneValue(*row, entries, kActiveField, m_settings.localZone)) ^ kInactiveBit;
        nowActive = (flags & kInactiveBit) == 0;
        written = zones->SetZoneValue(*plu, kActiveField, m_settings.localZone, static_cast<std::int32_t>(flags), row);
    } else {
        nowActive = row->TestCtrlFlag(kInactiveBit);
        row->SetCtrlFlag(kInactiveBit, !nowActive);
        written = Plus()->UpdatePlu(*row, row->CalcDataSize());
        if (!written) row->SetCtrlFlag(kInactiveBit, nowActive);
    }
    if (!written) return false;
    Plus()->LogRecordUpdated(*plu, nowActive ? kMsgSetActive : kMsgSetInactive, {}, false);
    // The scales take the PLU again, or delete it while it is inactive.
    Plus()->QueuePluSend(*row);
    Refresh();
    return true;
}

void PluListViewForm::Refresh()
{
    m_panel.Refresh();
    m_host.UpdateAllViews();
}

}  // namespace varnel
