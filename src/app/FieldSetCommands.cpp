// The field-set commands.
#include "app/FieldSetCommands.h"

#include "app/MainFrame.h"
#include "platform/UserPrompt.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

#include <algorithm>
#include <memory>

namespace varnel {

namespace {

constexpr std::uint16_t kDeptField = 1014;
constexpr std::uint16_t kGroupField = 1015;
constexpr std::uint16_t kItemCodeField = 1016;
constexpr std::uint16_t kBarCodeDigits = 8;
constexpr std::uint16_t kRuxFamily = 9;
constexpr std::uint32_t kBothPluSets = 1;  // the scale mix that uses both PLU sets
constexpr MessageId kMsgItemCodeTooLong = 31474;

CLabProp* FindByFieldNo(CLabPropMap& set, std::uint16_t fieldNo)
{
    for (auto& [key, definition] : set)
        if (definition && definition->m_fieldNo == fieldNo) return definition.get();
    return nullptr;
}

std::uint16_t WidthOf(CLabPropMap& set, std::uint16_t fieldNo)
{
    const CLabProp* definition = FindByFieldNo(set, fieldNo);
    return definition != nullptr ? definition->m_width : 0;
}

bool IsPluSet(FieldDefMap set)
{
    return set == FieldDefMap::Plu || set == FieldDefMap::Plu2;
}

}  // namespace

void TakeFieldSet(CLabPropMap& set, const CLabPropMap& edited)
{
    std::erase_if(set, [&edited](const auto& entry) { return !edited.contains(entry.first); });
    for (const auto& [key, definition] : edited) {
        if (!definition) continue;
        std::unique_ptr<CLabProp>& kept = set[key];
        if (kept)
            kept->Copy(*definition);
        else
            kept = std::make_unique<CLabProp>(*definition);
    }
}

std::optional<std::uint16_t> FittedItemCodeWidth(std::uint16_t dept, std::uint16_t group, std::uint16_t item)
{
    const unsigned taken = 0u + dept + group;
    if (taken + item <= kBarCodeDigits) return std::nullopt;
    return static_cast<std::uint16_t>(taken >= kBarCodeDigits ? 0 : kBarCodeDigits - taken);
}

void FitItemCodeWidth(CLabPropMap& pluSet)
{
    CLabProp* item = FindByFieldNo(pluSet, kItemCodeField);
    if (item == nullptr) return;
    const std::optional<std::uint16_t> width =
        FittedItemCodeWidth(WidthOf(pluSet, kDeptField), WidthOf(pluSet, kGroupField), item->m_width);
    if (!width) return;
    ShowMessage(kMsgItemCodeTooLong, MessageButtons::Ok, MessageIcon::Warning);
    item->m_width = *width;
    if (*width == 0) {
        item->m_display = 0;
        item->m_print = 0;
    }
}

void HideFieldsShownIn(const CLabPropMap& edited, CLabPropMap& other)
{
    for (const auto& [key, definition] : edited) {
        if (!definition || definition->m_display == 0 || definition->m_fieldNo == kPluCodeField) continue;
        for (auto& [otherKey, hidden] : other)
            if (hidden && hidden->m_fieldNo == definition->m_fieldNo) hidden->m_display = 0;
    }
}

bool EditFieldSet(CMainFrame& frame, const FieldSetCommand& command, const EnterSetupPassword& enterPassword,
                  const std::function<bool(FieldSetupForm&)>& runDialog)
{
    if (!PassSetupPassword(frame.GetGeneralSetup(), enterPassword)) return false;
    CLabPropMap& set = frame.FieldDefs(command.set);
    FieldSetupForm form(set, command.range);
    if (!runDialog(form)) return false;
    if (!CheckUserPermission(frame, kSetupTable, AccessUpdate, true)) return false;
    TakeFieldSet(set, form.GetDefinitions());
    // Both rules change the set before it is saved, so the file holds what the frame uses.
    if (command.set == FieldDefMap::Plu && frame.GetGeneralSetup().m_defaultScaleFamily < kRuxFamily)
        FitItemCodeWidth(set);
    if (IsPluSet(command.set) && frame.GetRuxScaleMix() == kBothPluSets)
        HideFieldsShownIn(set, frame.FieldDefs(command.set == FieldDefMap::Plu ? FieldDefMap::Plu2 : FieldDefMap::Plu));
    if (command.logSubject != 0) frame.EventLog().LogSetupModified(command.logSubject, {});
    // The save says itself when it fails, and leaves its file as it was.
    (void)frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    return true;
}

}  // namespace varnel
