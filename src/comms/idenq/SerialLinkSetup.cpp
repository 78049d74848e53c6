// The ID-ENQ serial link's settings dialogs: one scale (dialog 185), or a list of scales (dialog 237)
// when the general setup lets a link carry several. The serial settings are kept as the texts chosen.
#include "comms/idenq/IdEnqComLink.h"

#include "comms/idenq/LinkSetup.h"

namespace varnel {
namespace {

constexpr MessageId kMsgSettingsSubject = 20518;  // "RS-232 comms link settings"

LinkSettingsForm::SerialFields SerialFieldsOf(const CIdEnqComLink& link)
{
    LinkSettingsForm::SerialFields fields;
    fields.port = link.m_portName;
    fields.baudRate = link.m_baudRate;
    fields.dataBits = link.m_dataBits;
    fields.parity = LinkSettingsForm::ParityChoices()[LinkSettingsForm::ParityIndex(link.m_parity)];
    fields.stopBits = link.m_stopBits;
    fields.rtsCts = link.m_useRtsCts;
    return fields;
}

void StoreSerialFields(const LinkSettingsForm::SerialFields& fields, CIdEnqComLink& link)
{
    link.m_portName = fields.port;
    link.m_baudRate = fields.baudRate;
    link.m_dataBits = fields.dataBits;
    link.m_parity = fields.parity;
    link.m_stopBits = fields.stopBits;
    link.m_useRtsCts = fields.rtsCts;
}

LinkSetupRun SerialRun(CIdEnqComLink& link, LinkSettingsForm::Shape shape)
{
    return {shape, kMsgSettingsSubject, CLinkScaleSettings::kDefaultFamily,
            [&link](LinkSettingsForm& form) { form.Serial() = SerialFieldsOf(link); },
            [&link](const LinkSettingsForm& form) { StoreSerialFields(form.Serial(), link); }};
}

}  // namespace

bool CIdEnqComLink::EditSettings(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers)
{
    if (context.Setup().m_daisyChainedComms != 0) return EditScales(context, scaleNumbers);
    return EditLink(*this, context, scaleNumbers, SerialRun(*this, LinkSettingsForm::Shape::Serial));
}

bool CIdEnqComLink::EditScales(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers)
{
    return EditLink(*this, context, scaleNumbers, SerialRun(*this, LinkSettingsForm::Shape::SerialScales));
}

}  // namespace varnel
