// The block link as an object: its archive form, its socket, its descriptions and setup lines.
#include "comms/sorrel/SorrelSocketLink.h"

#include "comms/sorrel/SorrelCodes.h"
#include "db/site/MainFrame.h"
#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint32_t kOpenedSendTimeout = 5;
constexpr std::chrono::seconds kReceiveWait(1);
constexpr std::size_t kTraceLimit = 200;
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
    : CIdEnqLink(clock, fs), m_pinger(pinger), m_socket(clock)
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
    return scale ? sorrel::FormOfFamily(scale->GetScaleType()) : sorrel::Form::Short;
}

std::uint16_t CSorrelSocketLink::GetBlockCode(std::uint16_t dataKind) const
{
    const CLinkScale* scale = LinkScale();
    return scale ? sorrel::GetBlockCode(dataKind, *scale, sorrel::CurrentCodeSettings()) : 0;
}

Ipv4Address CSorrelSocketLink::PeerAddress() const
{
    Ipv4Address peer{{}, m_port};
    std::ranges::transform(m_address, peer.octets.begin(), [](std::uint16_t octet) { return static_cast<std::uint8_t>(octet); });
    return peer;
}

bool CSorrelSocketLink::Open()
{
    bool opened = false;
    if (!m_socket.IsOpen()) {
        const Ipv4Address peer = PeerAddress();
        const std::string text = peer.DottedText();
        Result<void> result = m_socket.Create(CBlockingSocket::Type::Stream);
        bool pinged = true;
        if (result && CurrentGeneralSetup().m_usePing != 0) {
            const Result<bool> answered = m_pinger.PingHost(text);
            if (!answered) WriteTrace(TraceMessage, "Ping could not be sent: " + answered.GetError().message);
            pinged = answered && *answered;
        }
        if (!pinged) {
            (void)m_socket.Close();
            WriteTrace(TraceMessage, "Error opening link: - Unable to ping scale");
        } else {
            if (result) result = m_socket.ConnectTimed(peer, std::chrono::seconds(m_connectTimeout), &m_cancelEvent);
            if (result) {
                WriteTrace(TraceMessage, FormatText("Opened socket: %s - %d", text.c_str(), int{m_port}));
                opened = true;
            } else {
                (void)m_socket.Close();
                TraceSocketError("Error opening link: ", result.GetError());
            }
        }
    }
    m_sendTimeout = kOpenedSendTimeout;
    return opened;
}

bool CSorrelSocketLink::ClosePort()
{
    (void)m_socket.Close();
    return true;
}

void CSorrelSocketLink::Close()
{
    StopThread();
    ClosePort();
}

bool CSorrelSocketLink::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    sent = 0;
    const Result<std::size_t> written = m_socket.SendAll(bytes, std::chrono::seconds(m_sendTimeout));
    if (!written) {
        TraceSocketError("TCP/IP socket send error: ", written.GetError());
        return false;
    }
    sent = *written;
    return true;
}

bool CSorrelSocketLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    const Result<std::size_t> read = m_socket.Receive(into, kReceiveWait);
    if (!read) {
        if (read.GetError().code != Errc::Timeout) TraceSocketError("TCP/IP socket receive error: ", read.GetError());
        return true;
    }
    // A connection the scale closed brings nothing more: a line error rather than a wait of up to
    // five minutes spent reading nothing at once.
    if (*read == 0 && !into.empty()) {
        WriteTrace(TraceMessage, "TCP/IP socket receive error: the scale closed the connection");
        return false;
    }
    got = *read;
    return true;
}

void CSorrelSocketLink::TraceSocketError(std::string_view prefix, const Error& error)
{
    std::string text(prefix);
    text += error.message;
    if (text.size() > kTraceLimit) text.resize(kTraceLimit);
    WriteTrace(TraceMessage, text);
}

std::string CSorrelSocketLink::GetDescription() const
{
    const CLinkScale* scale = LinkScale();
    return std::string(GetMessageText(FamilyName(scale ? scale->GetScaleType() : 6)));
}

std::string CSorrelSocketLink::GetStatusText() const
{
    const CLinkScale* scale = LinkScale();
    const std::uint16_t family = scale ? scale->GetScaleType() : std::uint16_t{10};  // "TR-5400" without a scale
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
    out += FormatText("  IP address                          : %hd.%hd.%hd.%hd (Port = %d)\r\n", m_address[0],
                      m_address[1], m_address[2], m_address[3], int{m_port});
    out += FormatText("  Connect timeout                     : %hd\r\n", static_cast<short>(m_connectTimeout));
    out += FormatText("  Max. records per block              : %hd\r\n", static_cast<short>(m_recordsPerBlock));
}

}  // namespace varnel
