// The keyboard commands.
#include "app/KeyboardCommands.h"

#include "app/MainFrame.h"
#include "app/SetupFlags.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/manager/SiteScales.h"
#include "keyboards/KeyboardList.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {

// The families whose scales keep their keyboards themselves (one keyboard number per scale).
bool IsHbkuFamily(std::uint16_t family) { return family == 1 || family == 3; }
// The families whose keys are edited in the preset lists rather than a keyboard window.
bool HasPresetKeysOnly(std::uint16_t family) { return family == 9 || family == 11; }

std::optional<CScaleChoice> PickHbkuScale(CMainFrame& frame, const KeyboardCommandUi& ui)
{
    return ui.pickKeyboardScale(BuildKeyboardScaleList(frame.Keyboards(), frame.Links(), frame.GetGeneralSetup()));
}

std::optional<CScaleChoice> PickKeyboardScale(const CMainFrame& frame, const KeyboardCommandUi& ui)
{
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    const CIdEnqLinkList& links = frame.Links();
    const auto suits = [&](const CScaleChoice& choice) {
        const CIdEnqLink* link = links.FindLink(choice.linkId);
        const CLinkScale* scale = link ? link->FindScale(choice.scaleId) : nullptr;
        return scale != nullptr && !HasPresetKeysOnly(scale->GetScaleType(setup.m_defaultScaleFamily));
    };
    return SelectScaleForData(
        BuildScaleChoiceList(links, GetMasterScaleScales(frame.Departments(), nullptr), setup, false), suits,
        ui.pickScale);
}

void OpenKeyboardWindow(IKeyboardWindows& keyboards, const KeyboardWindowTarget& target)
{
    if (!keyboards.OpenKeyboardWindow(target)) ShowMessage(kMsgNoKeyboardWindow);
}

}  // namespace

std::uint32_t HbkuKeyboardNumber(std::uint16_t linkId, std::uint16_t scaleId)
{
    return static_cast<std::uint32_t>(linkId) * 100 + scaleId - 100;
}

std::vector<CScaleChoice> BuildKeyboardScaleList(const CKeyboardList& keyboards, const CIdEnqLinkList& links,
                                                 const CGeneralSetup& setup)
{
    const std::vector<CScaleChoice> scales = BuildScaleChoiceList(links, std::nullopt, setup, false);
    std::vector<CScaleChoice> owners;
    for (const auto& [number, keyboard] : keyboards.GetKeyboards()) {
        const auto linkId = static_cast<std::uint16_t>(number / 100 + 1);
        const auto scaleId = static_cast<std::uint16_t>(number % 100);
        const CIdEnqLink* link = links.FindLink(linkId);
        if (link == nullptr) continue;
        const auto known = std::ranges::find_if(scales, [&](const CScaleChoice& choice) {
            return choice.linkId == linkId && choice.scaleId == scaleId;
        });
        owners.push_back(known != scales.end() ? *known
                                               : CScaleChoice{linkId, scaleId,
                                                              FormatText("%s - %u", link->m_name.c_str(),
                                                                         static_cast<unsigned>(scaleId)),
                                                              false});
    }
    return owners;
}

void EditKeyboardPresets(CMainFrame& frame, IKeyboardWindows& keyboards, const KeyboardCommandUi& ui)
{
    if (!frame.GetSetupFlag(SetupFlagKeyboardPresets)) {
        keyboards.EditPresetScales();
        return;
    }
    if (!frame.ConfirmOfflineEdit()) return;
    if (keyboards.IsKeyboardWindowOpen()) {
        keyboards.BringKeyboardWindowToTop();
        return;
    }
    if (IsHbkuFamily(frame.GetGeneralSetup().m_defaultScaleFamily)) {
        const std::optional<CScaleChoice> chosen = PickHbkuScale(frame, ui);
        if (chosen) OpenKeyboardWindow(keyboards, {std::nullopt, HbkuKeyboardNumber(chosen->linkId, chosen->scaleId)});
        return;
    }
    const std::optional<CScaleChoice> chosen = PickKeyboardScale(frame, ui);
    if (chosen) OpenKeyboardWindow(keyboards, {std::nullopt, 0, chosen->linkId, chosen->scaleId});
}

void EditKeyboard(CMainFrame& frame, IKeyboardWindows& keyboards, const KeyboardCommandUi& ui)
{
    if (frame.GetSetupFlag(SetupFlagKeyboardPresets) && frame.GetSetupFlag(kFlagFamily9)) {
        const std::optional<bool> keyboardWindow = ui.chooseKeyboardOrPresets();
        if (!keyboardWindow) return;
        if (!*keyboardWindow) {
            keyboards.EditPresetScales();
            return;
        }
    }
    EditKeyboardPresets(frame, keyboards, ui);
}

void OpenDefaultKeyboard(IKeyboardWindows& keyboards, std::uint16_t family)
{
    OpenKeyboardWindow(keyboards, {family});
}

}  // namespace varnel
