// The block link's settings dialog (dialog 267): the link and its one scale of families 6 and 8 to 12.
#include "comms/sorrel/SorrelSocketLink.h"

#include "comms/idenq/LinkSetup.h"

namespace varnel {
namespace {

constexpr MessageId kMsgSettingsSubject = 20517;  // "TCP/IP comms link settings"
constexpr std::uint16_t kNewScaleFamily = 8;

}  // namespace

bool CSorrelSocketLink::EditSettings(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers)
{
    const auto load = [this](LinkSettingsForm& form) {
        LinkSettingsForm::TcpFields& tcp = form.Tcp();
        tcp.address = m_address;
        tcp.port = m_port;
        tcp.timeout = m_connectTimeout;
        tcp.recordsPerBlock = m_recordsPerBlock;
    };
    const auto store = [this](const LinkSettingsForm& form) {
        const LinkSettingsForm::TcpFields& tcp = form.Tcp();
        m_address = tcp.address;
        m_port = tcp.port;
        m_connectTimeout = tcp.timeout;
        m_recordsPerBlock = static_cast<std::uint16_t>(tcp.recordsPerBlock);
        m_eightBitData = 1;
    };
    return EditLink(*this, context, scaleNumbers,
                    {LinkSettingsForm::Shape::BlockTcp, kMsgSettingsSubject, kNewScaleFamily, load, store});
}

bool CSorrelSocketLink::EditScales(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers)
{
    return EditSettings(context, scaleNumbers);
}

}  // namespace varnel
