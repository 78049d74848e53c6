#include "comms/idenq/LinkSetup.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/IdEnqLink.h"
#include "platform/TextFormat.h"
#include "settings/MasterScaleList.h"

#include <optional>

namespace varnel {

LinkSettingsForm::LinkFields LinkFieldsOf(const CIdEnqLink& link)
{
    LinkSettingsForm::LinkFields fields;
    fields.enabled = link.m_enabled;
    fields.name = link.m_name;
    fields.linkNo = link.m_linkId;
    fields.logging = link.m_logging;
    fields.logFile = link.m_logFile;
    return fields;
}

CLinkScale& FirstScaleOf(CIdEnqLink& link, std::uint16_t family)
{
    if (link.m_scales.empty()) {
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = link.m_linkId;
        scale->m_name = FormatMessage(LinkSettingsForm::kMsgScaleIdName, int{link.m_linkId});
        scale->m_scaleType = family;
        link.m_scales.push_back(std::move(scale));
    }
    return *link.m_scales.front();
}

bool RunLinkSettings(LinkSettingsForm& form, const LinkSetupContext& context)
{
    ICommsDialogs* dialogs = GetCommsDialogs();
    return dialogs && dialogs->RunLinkSettings(form) && context.AllowsSetupChange();
}

void StoreLinkSettings(LinkSettingsForm& form, const LinkSetupContext& context, CIdEnqLink& link)
{
    const LinkSettingsForm::LinkFields& fields = form.Link();
    link.m_name = fields.name;
    link.m_logging = fields.logging;
    link.m_logFile = fields.logFile;
    if (!form.HasScaleList()) {
        link.m_enabled = fields.enabled;
        CLinkScale& scale = FirstScaleOf(link);
        LinkScaleFields scaleFields = form.Scale();
        scaleFields.enabled = fields.enabled;
        scaleFields.name = fields.name;
        scaleFields.StoreInto(scale);
        form.Filters().StoreInto(scale.m_filters);
        return;
    }
    link.m_enabled = fields.enabled;
    link.m_scales = std::move(form.Scales());
    if (context.departments)
        for (const std::uint16_t scaleNo : form.GetScalesToRemoveFromDepartments()) context.departments->RemoveScale(scaleNo);
}

bool EditLink(CIdEnqLink& link, const LinkSetupContext& context, ScaleNumberMap& scaleNumbers, const LinkSetupRun& run)
{
    std::optional<LinkSettingsForm> form;
    if (run.shape == LinkSettingsForm::Shape::TcpScales || run.shape == LinkSettingsForm::Shape::SerialScales) {
        form.emplace(run.shape, context, LinkFieldsOf(link), link.m_scales, scaleNumbers);
    } else {
        CLinkScale& scale = FirstScaleOf(link, run.newScaleFamily);
        LinkSettingsForm::LinkFields fields = LinkFieldsOf(link);
        fields.enabled = link.m_enabled && scale.m_enabled;
        form.emplace(run.shape, context, fields, scale);
    }
    run.load(*form);
    if (!RunLinkSettings(*form, context)) return false;
    run.store(*form);
    StoreLinkSettings(*form, context, link);
    context.LogSetupModified(run.subject, link.m_name);
    return true;
}

}  // namespace varnel
