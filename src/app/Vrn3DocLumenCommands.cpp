// The Lumen serial transfers of the document.
#include "app/LumenCommands.h"

#include "app/Vrn3Doc.h"
#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/LinkScale.h"
#include "comms/lumen/LumenLink.h"
#include "comms/manager/SiteScales.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varnel {
namespace {

constexpr std::uint16_t kLumenXtFamily = CLumenLink::kLumenXt;
constexpr std::uint16_t kLargeLumenXtFamily = 8;

enum class Chosen { Scale, NoScale, Cancelled };

// The scale whose settings the transfer's records follow: the one chosen, else a scale of the link's
// family alone.
Chosen ChooseScale(const LumenCommandSite& site, std::uint16_t family, CLinkScaleSettings& settings)
{
    settings = CLinkScaleSettings{};
    settings.m_scaleType = family;
    if (site.lumenScales.empty()) return Chosen::NoScale;
    const std::optional<CScaleChoice> chosen =
        SelectScaleForData(site.lumenScales, [](const CScaleChoice&) { return true; }, site.pick);
    if (!chosen) return Chosen::Cancelled;
    if (const CLinkScale* scale = site.links->FindScaleByDef(CScaleDef(chosen->linkId, chosen->scaleId)))
        settings = *scale;
    return Chosen::Scale;
}

MessageId Shown(MessageId result)
{
    if (result != 0) (void)ShowMessage(result);
    return result;
}

}  // namespace

std::vector<CScaleChoice> LumenScaleChoices(const CIdEnqLinkList& links, const std::optional<ScaleDefs>& scales,
                                            const CGeneralSetup& setup)
{
    std::vector<CScaleChoice> choices = BuildScaleChoiceList(links, scales, setup, false);
    std::erase_if(choices, [&](const CScaleChoice& choice) {
        const CLinkScale* scale = links.FindScaleByDef(CScaleDef(choice.linkId, choice.scaleId));
        const std::uint16_t family = scale ? scale->GetScaleType(setup.m_defaultScaleFamily) : 0;
        return family != kLumenXtFamily && family != kLargeLumenXtFamily;
    });
    std::ranges::stable_sort(choices, {}, [](const CScaleChoice& c) { return c.linkId * 100 + c.scaleId; });
    return choices;
}

MessageId ReceiveFromLumen(CVrn3Doc& document, std::uint16_t family, const LumenCommandSite& site)
{
    site.link->m_scaleType = family;
    if (ShowMessage(kMsgAskLumenReceive, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok)
        return CVrn3Doc::kMsgCommsCancelled;
    CLinkScaleSettings scale;
    if (ChooseScale(site, family, scale) == Chosen::Cancelled) return Shown(CVrn3Doc::kMsgCommsCancelled);
    document.BeginLumenTransfer({}, scale);
    const MessageId result = site.link->ReceiveFromScale(document, site.market, *site.ui);
    if (result == 0) document.UpdateAllViews();
    return Shown(result);
}

void PresetLumenSendData(SelectSendDataForm& form, std::uint16_t family, std::uint16_t market, bool ausNzNutrition)
{
    using Box = SelectSendDataForm::Box;
    for (const Box box : {Box::Plus, Box::StoreNameAddress, Box::ExtraMessages1, Box::KeyboardPresets, Box::Nutrition})
        form.SetChecked(box, true);
    const bool largeFamily = family == kLumenXtFamily || family == kLargeLumenXtFamily;
    if (largeFamily) {
        form.SetChecked(Box::ExtraMessages2, true);
        form.SetChecked(Box::ExtraMessages3, true);
    }
    if (largeFamily || ((market == 1 || market == 2) && ausNzNutrition)) form.SetChecked(Box::CouponMessages, true);
}

std::vector<std::uint16_t> LumenSendTables(const SelectSendDataForm& form)
{
    using Box = SelectSendDataForm::Box;
    static constexpr std::array<std::pair<Box, std::uint16_t>, 8> kOrder = {{
        {Box::Plus, 2},
        {Box::StoreNameAddress, 7},
        {Box::ExtraMessages1, 4},
        {Box::Nutrition, 9},
        {Box::KeyboardPresets, kLumenKeyboardTable},
        {Box::ExtraMessages2, 29},
        {Box::ExtraMessages3, 30},
        {Box::CouponMessages, 8},
    }};
    std::vector<std::uint16_t> tables;
    for (const auto& [box, table] : kOrder)
        if (form.IsChecked(box)) tables.push_back(table);
    return tables;
}

MessageId SendToLumen(CVrn3Doc& document, std::uint16_t family, const LumenCommandSite& site)
{
    site.link->m_scaleType = family;
    SelectSendDataForm form(family, site.ausNzNutrition, site.canEditNutrition);
    PresetLumenSendData(form, family, site.market, site.ausNzNutrition);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (dialogs == nullptr || !dialogs->RunSelectSendData(form)) return CVrn3Doc::kMsgCommsCancelled;
    std::vector<std::uint16_t> tables = LumenSendTables(form);
    if (tables.empty()) return Shown(CVrn3Doc::kMsgCommsCancelled);
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    if (std::ranges::find(tables, kLumenKeyboardTable) != tables.end()) {
        switch (ChooseScale(site, family, scale)) {
        case Chosen::Cancelled: return Shown(CVrn3Doc::kMsgCommsCancelled);
        case Chosen::NoScale:
            std::erase(tables, kLumenKeyboardTable);
            if (tables.empty()) return Shown(kMsgNoLumenScales);
            break;
        case Chosen::Scale: break;
        }
    }
    document.BeginLumenTransfer(std::move(tables), scale);
    return Shown(site.link->SendToScale(document, site.market, *site.ui));
}

}  // namespace varnel
