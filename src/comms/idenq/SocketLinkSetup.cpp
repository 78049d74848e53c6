// The ID-ENQ socket link's settings dialogs: one scale (dialog 182), or a list of scales (dialog 235)
// when the general setup lets a link carry several.
#include "comms/idenq/IdEnqSocketLink.h"

#include "comms/idenq/LinkSetup.h"

namespace varnel {
namespace {

constexpr MessageId kMsgSettingsSubject = 20517;  // "TCP/IP comms link settings"

LinkSettingsForm::TcpFields TcpFieldsOf(const CIdEnqSocketLink& link)
{
    LinkSettingsForm::TcpFields fields;
    fields.address = link.m_address;
    fields.port = link.m_port;
    fields.timeout = link.m_connectTimeout;
    fields.eightBit = link.m_eightBitData != 0;
    fields.udp = link.m_useUdp;
    return fields;
}

void StoreTcpFields(const LinkSettingsForm::TcpFields& fields, CIdEnqSocketLink& link)
{
    link.m_address = fields.address;
    link.m_port = fields.port;
    link.m_connectTimeout = fields.timeout;
    link.m_eightBitData = fields.eightBit ? 1 : 0;
    link.m_useUdp = fields.udp;
}

LinkSetupRun SocketRun(CIdEnqSocketLink& link, LinkSettingsForm::Shape shape)
{
    return {shape, kMsgSettingsSubject, CLinkScaleSettings::kDefaultFamily,
            [&link](LinkSettingsForm& form) { form.Tcp() = TcpFieldsOf(link); },
            [&link](const LinkSettingsForm& form) { StoreTcpFields(form.Tcp(), link); }};
}

}  // namespace

bool CIdEnqSocketLink::EditSettings(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers)
{
    if (context.Setup().m_daisyChainedComms != 0) return EditScales(context, scaleNumbers);
    return EditLink(*this, context, scaleNumbers, SocketRun(*this, LinkSettingsForm::Shape::Tcp));
}

bool CIdEnqSocketLink::EditScales(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers)
{
    return EditLink(*this, context, scaleNumbers, SocketRun(*this, LinkSettingsForm::Shape::TcpScales));
}

}  // namespace varnel
