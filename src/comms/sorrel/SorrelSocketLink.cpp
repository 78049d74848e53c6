// The block link as an object: its archive form, its socket, its descriptions and setup lines.
#include "comms/sorrel/SorrelSocketLink.h"

#include "comms/sorrel/SorrelCodes.h"
#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kFirstVersionWithBlockSize = 101;

// The family names of the status line and the description.
constexpr MessageId kMsgLumenXt = 16470;
constexpr MessageId kMsgTr5400Xt = 16472;
constexpr MessageId kMsgRux = 16473;
constexpr MessageId kMsgTr5400 = 16474;
constexpr MessageId kMsgVm8100 = 16475;
constexpr MessageId kMsgKb7100 = 16476;

MessageId FamilyName(std::uint16_t family)
{
    switch (family) {
    case 6: return kMsgLumenXt;
    case 8: return kMsgTr5400Xt;
    case 9: return kMsgRux;
    case 11: return kMsgVm8100;
    case 12: return kMsgKb7100;
    default: return kMsgTr5400;
    }
}

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CSorrelSocketLink, 1)

CSorrelSocketLink::CSorrelSocketLink(IClock& clock, IFileSystem& fs, IPinger& pinger)
    : CNetworkLink(clock, fs, pinger, kDefaultPort)
{
}

CSorrelSocketLink::~CSorrelSocketLink() { Close(); }

void CSorrelSocketLink::Serialize(CArchive& ar)
{
    CIdEnqLink::Serialize(ar);
    const std::uint16_t version = SerializeSetupVersion(ar, kVersion);
    Exchange(ar, m_port, m_address[0], m_address[1], m_address[2], m_address[3], m_sendTimeout, m_connectTimeout);
    if (version >= kFirstVersionWithBlockSize)
        Exchange(ar, m_recordsPerBlock);
    else
        m_recordsPerBlock = kDefaultRecordsPerBlock;
}

CLinkScale* CSorrelSocketLink::LinkScale() const { return m_scales.empty() ? nullptr : m_scales.front().get(); }

sorrel::Form CSorrelSocketLink::GetForm() const
{
    const CLinkScale* scale = LinkScale();
    return scale ? sorrel::FormOfFamily(FamilyOf(*scale)) : sorrel::Form::Short;
}

std::uint16_t CSorrelSocketLink::GetBlockCode(std::uint16_t dataKind) const
{
    const CLinkScale* scale = LinkScale();
    return scale ? sorrel::GetBlockCode(dataKind, *scale, sorrel::CodeSettings::Of(Settings()->setup)) : 0;
}

bool CSorrelSocketLink::Open()
{
    const bool opened = OpenStream() == ScaleSocket::Outcome::Opened;
    m_sendTimeout = kOpenedSendTimeout;
    return opened;
}

std::string CSorrelSocketLink::GetDescription(const CGeneralSetup& setup) const
{
    const CLinkScale* scale = LinkScale();
    return std::string(GetMessageText(FamilyName(scale ? scale->GetScaleType(setup.m_defaultScaleFamily) : 6)));
}

std::string CSorrelSocketLink::GetStatusText(const CGeneralSetup& setup) const
{
    const CLinkScale* scale = LinkScale();
    const std::uint16_t family =
        scale ? scale->GetScaleType(setup.m_defaultScaleFamily) : std::uint16_t{10};  // "TR-5400" without a scale
    std::string text(GetMessageText(FamilyName(family)));
    if (family != 8) text += "    ";
    text += "  " + m_name;
    if (m_enabled) {
        text += '*';
        if (IsAnyScaleOnline()) text += '*';
    }
    return text;
}

bool CSorrelSocketLink::IsSameAddress(const std::array<std::uint16_t, 4>& octets) const
{
    static constexpr std::array<std::uint16_t, 4> kNone{0, 0, 0, 0};
    static constexpr std::array<std::uint16_t, 4> kLoopback{127, 0, 0, 1};
    return octets != kNone && octets != kLoopback && octets == m_address;
}

void CSorrelSocketLink::WriteSetupDetails(std::string& out) const
{
    WriteAddressDetails(out);
    out += FormatText("  Max. records per block              : %hd\r\n", static_cast<short>(m_recordsPerBlock));
}

}  // namespace varnel
