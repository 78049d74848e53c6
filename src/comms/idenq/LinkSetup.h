// The steps every link kind's settings operation shares: its fields into the form and back, the
// first scale of a one-scale link, and the run of the dialog, which counts as done only after OK and
// when the current user may change the setup.
#pragma once

#include "comms/idenq/LinkSettingsForm.h"

#include <cstdint>
#include <functional>

namespace varnel {

class CIdEnqLink;

LinkSettingsForm::LinkFields LinkFieldsOf(const CIdEnqLink& link);
// The link's first scale; a link without one is given a scale numbered as the link, named
// "Scale Id = <n>", of `family`.
CLinkScale& FirstScaleOf(CIdEnqLink& link, std::uint16_t family = CLinkScaleSettings::kDefaultFamily);
// Runs the settings dialog: true after OK when the user may change the setup.
bool RunLinkSettings(LinkSettingsForm& form, const LinkSetupContext& context);
// After OK: the link's fields; the scale's fields and filters, the scale named as the link and enabled
// with it (one-scale shapes); the scale list in place of the link's scales (list shapes), the scales
// deleted from it leaving the departments.
void StoreLinkSettings(LinkSettingsForm& form, const LinkSetupContext& context, CIdEnqLink& link);

// One run of a link kind's settings: the shape, the subject of its setup-change line, and how the
// kind's own line fields go into the form and back.
struct LinkSetupRun {
    LinkSettingsForm::Shape shape = LinkSettingsForm::Shape::Tcp;
    std::uint32_t subject = 0;
    std::uint16_t newScaleFamily = CLinkScaleSettings::kDefaultFamily;  // a one-scale link without one
    std::function<void(LinkSettingsForm&)> load;
    std::function<void(const LinkSettingsForm&)> store;
};
// The settings dialog on the link, stored back and logged after OK: true when it was.
bool EditLink(CIdEnqLink& link, const LinkSetupContext& context, ScaleNumberMap& scaleNumbers, const LinkSetupRun& run);

}  // namespace varnel
