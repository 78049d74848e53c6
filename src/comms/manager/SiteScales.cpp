#include "comms/manager/SiteScales.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kIpRuxFamily = 9;

// A stored family of 65535 is the setup's default family.
std::uint16_t EffectiveFamily(const CLinkScale& scale, const CGeneralSetup& setup)
{
    return scale.m_scaleType == CLinkScaleSettings::kDefaultFamily ? setup.m_defaultScaleFamily : scale.m_scaleType;
}

// Visits every scale the question is about: the current department's, else every link's.
template <class Visit>
void ForScalesInQuestion(const CIdEnqLinkList& links, const CMasterScaleList& departments, Visit visit)
{
    if (const CMasterScale* current = departments.GetCurrent()) {
        for (const auto& def : current->m_scales)
            if (const CIdEnqLink* link = links.FindLink(def->m_linkId))
                if (const CLinkScale* scale = link->FindScale(def->m_scaleId)) visit(*link, *scale, true);
        return;
    }
    for (const auto& link : links.GetLinks())
        for (const auto& scale : link->m_scales) visit(*link, *scale, false);
}

}  // namespace

std::optional<ScaleDefs> GetMasterScaleScales(const CMasterScaleList& departments, const CMasterScale* department)
{
    if (!department) department = departments.GetCurrent();
    if (!department) return std::nullopt;
    return department->GetScaleDefs();
}

bool HasScaleType(const CIdEnqLinkList& links, const CMasterScaleList& departments, const CGeneralSetup& setup,
                  std::uint16_t family, bool countDisabled)
{
    if (!countDisabled) return HasEnabledScaleType(links, departments, setup, family);
    if (links.GetLinks().empty()) return family == setup.m_defaultScaleFamily;
    bool found = false;
    ForScalesInQuestion(links, departments, [&](const CIdEnqLink&, const CLinkScale& scale, bool) {
        found |= EffectiveFamily(scale, setup) == family;
    });
    return found;
}

bool HasEnabledScaleType(const CIdEnqLinkList& links, const CMasterScaleList& departments, const CGeneralSetup& setup,
                         std::uint16_t family)
{
    if (links.GetLinks().empty()) return family == setup.m_defaultScaleFamily;
    bool anyEnabled = false;
    bool found = false;
    ForScalesInQuestion(links, departments, [&](const CIdEnqLink& link, const CLinkScale& scale, bool inDepartment) {
        if (!scale.m_enabled || (!inDepartment && !link.m_enabled)) return;
        anyEnabled = true;
        found |= EffectiveFamily(scale, setup) == family;
    });
    return anyEnabled ? found : family == setup.m_defaultScaleFamily;
}

std::uint32_t GetRuxScaleMix(const CIdEnqLinkList& links, const CGeneralSetup& setup)
{
    bool commaSeparated = false;
    bool ipRux = false;
    bool allIpRux = true;
    for (const auto& link : links.GetLinks()) {
        for (const auto& scale : link->m_scales) {
            const std::uint16_t family = EffectiveFamily(*scale, setup);
            commaSeparated |= family >= 9 && family <= 12;
            ipRux |= family == kIpRuxFamily;
            allIpRux &= family == kIpRuxFamily;
        }
    }
    if (!commaSeparated) return 0;
    if (!ipRux) return 1;
    const bool singleStore = setup.m_singleStoreOperation != 0;
    if (allIpRux) return singleStore ? 1 : 2;
    return singleStore ? 3 : 4;
}

// A scale as the pickers name it: by its link, by itself on a single link, or both.
static std::string ScaleLabel(const CIdEnqLink& link, const CLinkScale& scale, const CGeneralSetup& setup, bool oneLink)
{
    if (setup.m_daisyChainedComms == 0) return link.m_name;
    return oneLink ? scale.m_name : FormatText("%s - %s", link.m_name.c_str(), scale.m_name.c_str());
}

std::vector<CScaleChoice> BuildScaleChoices(const CMasterScale& department, const CIdEnqLinkList& links,
                                            const CGeneralSetup& setup)
{
    std::vector<CScaleChoice> choices;
    const bool oneLink = links.GetLinks().size() == 1;
    for (const auto& link : links.GetLinks()) {
        for (const auto& scale : link->m_scales) {
            std::string label = ScaleLabel(*link, *scale, setup, oneLink);
            const CScaleDef def(link->m_linkId, scale->m_scaleNo);
            const bool selected = std::ranges::any_of(department.m_scales, [&](const auto& held) { return *held == def; });
            choices.push_back({link->m_linkId, scale->m_scaleNo, std::move(label), selected});
        }
    }
    return choices;
}

std::vector<CScaleChoice> BuildScaleChoiceList(const CIdEnqLinkList& links, const std::optional<ScaleDefs>& scales,
                                               const CGeneralSetup& setup, bool enabledOnly)
{
    std::vector<CScaleChoice> choices;
    const bool oneLink = links.GetLinks().size() == 1;
    for (const auto& link : links.GetLinks()) {
        for (const auto& scale : link->m_scales) {
            if (enabledOnly && (!link->m_enabled || !scale->m_enabled)) continue;
            const CScaleDef def(link->m_linkId, scale->m_scaleNo);
            if (scales && std::ranges::none_of(*scales, [&](const CScaleDef& held) { return held == def; })) continue;
            choices.push_back({link->m_linkId, scale->m_scaleNo, ScaleLabel(*link, *scale, setup, oneLink), false});
        }
    }
    return choices;
}

std::optional<CScaleChoice> SelectScaleForData(
    std::vector<CScaleChoice> choices, const std::function<bool(const CScaleChoice&)>& supports,
    const std::function<std::optional<std::size_t>(const std::vector<CScaleChoice>&)>& pick)
{
    std::erase_if(choices, [&supports](const CScaleChoice& choice) { return !supports(choice); });
    std::ranges::stable_sort(choices, {}, [](const CScaleChoice& c) { return c.linkId * 100 + c.scaleId; });
    if (choices.empty()) {
        ShowMessage(kMsgNoScaleSupports);
        return std::nullopt;
    }
    if (choices.size() == 1) return choices.front();
    const std::optional<std::size_t> chosen = pick(choices);
    if (!chosen || *chosen >= choices.size()) return std::nullopt;
    return choices[*chosen];
}

}  // namespace varnel
