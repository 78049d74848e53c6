// What the main frame answers about the scales of the site: the scales of a department, which scale
// families are on the links, the mix of the comma-separated families, and the department dialog's
// choice of scales. The frame passes its link manager, departments and general setup.
#pragma once

#include "comms/manager/IdEnqLinkList.h"
#include "db/site/GeneralSetup.h"
#include "platform/Messages.h"
#include "settings/MasterScaleList.h"
#include "settings/ScaleChoice.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// The scales of the department, or of the current one when none is given; none (meaning every
// scale) when there is no current department either.
std::optional<ScaleDefs> GetMasterScaleScales(const CMasterScaleList& departments, const CMasterScale* department);

// Whether a scale of the family is on the links (with a current department, among its scales; a
// stored family of 65535 counts as the default family); with no links, whether it is the default
// family. With `countDisabled` clear, HasEnabledScaleType.
bool HasScaleType(const CIdEnqLinkList& links, const CMasterScaleList& departments, const CGeneralSetup& setup,
                  std::uint16_t family, bool countDisabled);
// The same over enabled scales (of enabled links without a current department); when no enabled scale
// is found at all, whether the family is the default family.
bool HasEnabledScaleType(const CIdEnqLinkList& links, const CMasterScaleList& departments, const CGeneralSetup& setup,
                         std::uint16_t family);

// 0 no scale of families 9 to 12 (disabled scales counted); 1 such scales but none of family 9; with
// family 9: 2 all scales of it in multi-store operation, 1 the same in single-store operation, 4 mixed
// with other families in multi-store operation, 3 mixed in single-store operation.
std::uint32_t GetRuxScaleMix(const CIdEnqLinkList& links, const CGeneralSetup& setup);

// Every scale of every link, in link and scale order, labelled by its link (one scale per link), by
// its own name (a single link of several scales) or as "link - scale", and selected when the
// department holds it.
std::vector<CScaleChoice> BuildScaleChoices(const CMasterScale& department, const CIdEnqLinkList& links,
                                            const CGeneralSetup& setup);

// The document's scale choice items: one per scale of `scales` (every scale of every link when none),
// only enabled scales of enabled links when asked, labelled as BuildScaleChoices labels them.
std::vector<CScaleChoice> BuildScaleChoiceList(const CIdEnqLinkList& links, const std::optional<ScaleDefs>& scales,
                                               const CGeneralSetup& setup, bool enabledOnly);

// The data picker: of the choices, those whose scale supports the data, ordered by link × 100 +
// scale. None left shows 61453 and gives none; one is taken without asking; of more, `pick` chooses
// (none when the user cancels).
constexpr MessageId kMsgNoScaleSupports = 61453;
std::optional<CScaleChoice> SelectScaleForData(
    std::vector<CScaleChoice> choices, const std::function<bool(const CScaleChoice&)>& supports,
    const std::function<std::optional<std::size_t>(const std::vector<CScaleChoice>&)>& pick);

}  // namespace varnel
