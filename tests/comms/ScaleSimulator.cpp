#include "ScaleSimulator.h"

#include "comms/idenq/IdEnqFrame.h"

#include <algorithm>

namespace varnel::test {

using namespace idenq;

// The bytes the link sent, taken one at a time, read from the line as they come.
class ScaleSimulator::Reader {
public:
    Reader(ScaleSimulator& scale, ScaleLine::ConnectionPtr connection)
        : m_scale(scale), m_connection(std::move(connection))
    {
    }
    std::optional<std::uint8_t> Next()
    {
        if (m_position == m_buffer.size() && !Refill()) return std::nullopt;
        return m_buffer[m_position++];
    }
    std::size_t Buffered() const { return m_buffer.size() - m_position; }
    // Reads on while fewer than `count` bytes are buffered and more of what the link sends follows.
    bool Ensure(std::size_t count)
    {
        while (Buffered() < count && m_scale.m_line.MoreFollows(m_connection)) {
            Bytes kept(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_position), m_buffer.end());
            const bool more = Refill();
            if (more) kept.insert(kept.end(), m_buffer.begin(), m_buffer.end());
            m_buffer = std::move(kept);
            m_position = 0;
            if (!more) break;
        }
        return Buffered() >= count;
    }
    std::uint8_t Peek(std::size_t offset) const { return m_buffer[m_position + offset]; }
    void Skip(std::size_t count) { m_position += count; }

private:
    bool Refill()
    {
        if (m_scale.m_line.ScaleRead(m_connection, m_buffer) != ScaleLine::ReadResult::Data) return false;
        m_position = 0;
        const std::lock_guard lock(m_scale.m_mutex);
        m_scale.m_wireBytes += m_buffer.size();
        if (!m_scale.m_countOnly) m_scale.m_wire.insert(m_scale.m_wire.end(), m_buffer.begin(), m_buffer.end());
        return true;
    }

    ScaleSimulator& m_scale;
    ScaleLine::ConnectionPtr m_connection;
    Bytes m_buffer;
    std::size_t m_position = 0;
};

namespace {

Bytes Enquiry(std::uint16_t machineId)
{
    const auto enquiry = MakeEnquiry(machineId);
    return Bytes(enquiry->begin(), enquiry->end());
}

bool IsDigit(std::uint8_t byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

ScaleSimulator::ScaleSimulator(ScaleLine& line, std::set<std::uint16_t> machineIds, bool eightBitData)
    : m_line(line), m_machineIds(std::move(machineIds)), m_eightBitData(eightBitData)
{
}

ScaleSimulator::~ScaleSimulator() { Stop(); }

void ScaleSimulator::Start()
{
    m_thread = std::thread([this] { Run(); });
    m_line.WaitScaleIdle();
}

void ScaleSimulator::Stop()
{
    if (!m_thread.joinable()) return;
    m_line.Stop();
    m_thread.join();
}

void ScaleSimulator::SetReply(const Bytes& request, std::vector<Bytes> packets)
{
    const std::lock_guard lock(m_mutex);
    m_replies[request] = std::move(packets);
}

void ScaleSimulator::SetFaults(const std::function<void(ScaleFaults&)>& set)
{
    const std::lock_guard lock(m_mutex);
    m_faults = ScaleFaults{};
    set(m_faults);
}

std::vector<Bytes> ScaleSimulator::Packets(std::uint16_t machineId) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_packets.find(machineId);
    return found == m_packets.end() ? std::vector<Bytes>{} : found->second;
}

bool ScaleSimulator::WaitForPackets(std::uint16_t machineId, std::size_t count, std::chrono::milliseconds guard) const
{
    std::unique_lock lock(m_mutex);
    return m_packetCame.wait_for(lock, guard, [&] {
        const auto found = m_packets.find(machineId);
        return found != m_packets.end() && found->second.size() >= count;
    });
}

std::size_t ScaleSimulator::EnquiriesSeen() const
{
    const std::lock_guard lock(m_mutex);
    return m_enquiries;
}

std::size_t ScaleSimulator::FramesSeen() const
{
    const std::lock_guard lock(m_mutex);
    return m_frames;
}

Bytes ScaleSimulator::Wire() const
{
    const std::lock_guard lock(m_mutex);
    return m_wire;
}

std::size_t ScaleSimulator::PacketCount(std::uint16_t machineId) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_packetCounts.find(machineId);
    return found == m_packetCounts.end() ? 0 : found->second;
}

std::size_t ScaleSimulator::WireBytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_wireBytes;
}

void ScaleSimulator::Run()
{
    while (const ScaleLine::ConnectionPtr connection = m_line.Accept()) Serve(connection);
    m_line.AttachScale(false);
}

void ScaleSimulator::Serve(const ScaleLine::ConnectionPtr& connection)
{
    Reader reader(*this, connection);
    m_claimedBy.reset();
    m_packet.clear();
    m_pendingRequest.reset();
    while (const std::optional<std::uint8_t> byte = reader.Next()) {
        if (*byte == kEot) {
            const bool enquiry = reader.Ensure(5) && reader.Peek(0) == 'K' && reader.Peek(1) == 'T' &&
                                 IsDigit(reader.Peek(2)) && IsDigit(reader.Peek(3)) && reader.Peek(4) == kEnq;
            m_packet.clear();
            if (enquiry) {
                const auto machineId = static_cast<std::uint16_t>((reader.Peek(2) - '0') * 10 + (reader.Peek(3) - '0'));
                reader.Skip(5);
                {
                    const std::lock_guard lock(m_mutex);
                    ++m_enquiries;
                }
                m_claimedBy.reset();
                if (m_machineIds.contains(machineId) && AnswerEnquiry(connection, machineId)) m_claimedBy = machineId;
                continue;
            }
            // The link gives the line back; a request it sent is answered now.
            if (m_claimedBy && m_pendingRequest) {
                std::vector<Bytes> packets;
                {
                    const std::lock_guard lock(m_mutex);
                    packets = m_replies[*m_pendingRequest];
                }
                m_pendingRequest.reset();
                if (!SendReply(connection, reader, *m_claimedBy, packets)) return;
            }
            m_claimedBy.reset();
        } else if (*byte == kStx && m_claimedBy) {
            ReceiveFrame(connection, reader);
        }
    }
}

bool ScaleSimulator::AnswerEnquiry(const ScaleLine::ConnectionPtr& connection, std::uint16_t)
{
    int late = 0;
    std::uint8_t answer = kAck;
    std::function<void()> beforeAnswer;
    {
        const std::lock_guard lock(m_mutex);
        if (m_faults.offline) return false;
        if (m_faults.silentEnquiries > 0) {
            --m_faults.silentEnquiries;
            return false;
        }
        late = m_faults.lateAnswerSeconds;
        answer = m_faults.ackByte.value_or(kAck);
        beforeAnswer = m_faults.beforeAnswer;
    }
    if (beforeAnswer) beforeAnswer();
    if (late > 0 && !m_line.ScaleSleep(std::chrono::seconds(late))) return false;
    const std::uint8_t bytes[] = {answer};
    return m_line.ScaleWrite(connection, bytes) && answer == kAck;
}

void ScaleSimulator::ReceiveFrame(const ScaleLine::ConnectionPtr& connection, Reader& reader)
{
    const std::optional<std::uint8_t> first = reader.Next();
    const std::optional<std::uint8_t> second = reader.Next();
    if (!first || !second) return;
    const SequenceDigits digits{*first, *second};
    // The frame is what the link sent before it waits for the answer: on a real transport, until a
    // terminator and a right block check end what has come.
    Bytes& body = m_frameBody;
    body.clear();
    for (;;) {
        while (reader.Buffered() > 0) body.push_back(*reader.Next());
        if (IsCheckedFrameEnd(digits, body, m_eightBitData) || !reader.Ensure(1)) break;
    }

    std::uint8_t answer = kAck;
    {
        const std::lock_guard lock(m_mutex);
        const std::size_t frame = m_frames++;
        if (!IsCheckedFrameEnd(digits, body, m_eightBitData)) {
            answer = kNak;
        } else if (m_faults.dropFrame && m_faults.dropFrame(frame)) {
            m_packet.clear();  // lost, as if it never came: the link hears nothing
            return;
        } else if (m_faults.naksInARow > 0) {
            --m_faults.naksInARow;
            answer = kNak;
        } else if (m_faults.nakFrame && m_faults.nakFrame(frame)) {
            answer = kNak;
        }
    }
    if (answer == kAck) {
        m_packet.insert(m_packet.end(), body.begin(), body.end() - kFrameTrailerSize);
        if (body[body.size() - 2] == kEtx) {
            const std::lock_guard lock(m_mutex);
            ++m_packetCounts[*m_claimedBy];
            if (!m_countOnly) m_packets[*m_claimedBy].push_back(m_packet);
            if (m_replies.contains(m_packet)) m_pendingRequest = m_packet;
            m_packet.clear();
            m_packetCame.notify_all();
        }
    }
    const std::uint8_t bytes[] = {answer};
    (void)m_line.ScaleWrite(connection, bytes);
}

bool ScaleSimulator::SendReply(const ScaleLine::ConnectionPtr& connection, Reader& reader, std::uint16_t machineId,
                               const std::vector<Bytes>& packets)
{
    if (!m_line.ScaleWrite(connection, Enquiry(machineId))) return false;
    if (reader.Next() != kAck) return false;
    ScaleFaults faults;
    {
        const std::lock_guard lock(m_mutex);
        faults = m_faults;
    }
    if (faults.afterClaim) faults.afterClaim();
    if (faults.silentAfterClaim) return true;
    bool firstFrame = true;
    for (const Bytes& packet : packets) {
        for (std::size_t position = 0; position < packet.size();) {
            const std::size_t size = std::min(packet.size() - position, kMaxFrameData);
            const bool last = position + size == packet.size();
            if (!SendFrame(connection, reader, std::span(packet).subspan(position, size), last, firstFrame))
                return false;
            position += size;
        }
    }
    const std::uint8_t eot[] = {kEot};
    return m_line.ScaleWrite(connection, eot);
}

bool ScaleSimulator::SendFrame(const ScaleLine::ConnectionPtr& connection, Reader& reader,
                               std::span<const std::uint8_t> data, bool last, bool& firstFrame)
{
    ScaleFaults faults;
    {
        const std::lock_guard lock(m_mutex);
        faults = m_faults;
        m_faults.repeatedEnquiries = 0;
    }
    for (int repeat = 0; firstFrame && repeat < faults.repeatedEnquiries; ++repeat)
        if (!m_line.ScaleWrite(connection, Enquiry(*m_claimedBy)) || reader.Next() != kAck) return false;
    for (;;) {
        const SequenceDigits digits = MakeSequenceDigits(m_sequence);
        m_sequence = static_cast<std::uint16_t>((m_sequence + 1) % kSequenceModulus);
        const std::uint8_t terminator = last ? kEtx : kEtb;
        Bytes frame{kStx, digits[0], digits[1]};
        frame.insert(frame.end(), data.begin(), data.end());
        frame.push_back(terminator);
        frame.push_back(BlockCheck(digits, data, terminator, m_eightBitData));
        {
            const std::lock_guard lock(m_mutex);
            if (m_faults.badBlockChecks > 0) {
                --m_faults.badBlockChecks;
                frame.back() ^= 0x01;
            }
        }
        if (firstFrame && faults.dropAfterBytes) {
            (void)m_line.ScaleWrite(connection, std::span(frame).first(std::min(*faults.dropAfterBytes, frame.size())));
            (void)m_line.ScaleWaitDrained(connection);
            m_line.ScaleDrop(connection);
            return false;
        }
        if (faults.trickle) {
            for (const std::uint8_t byte : frame)
                if (!m_line.ScaleWrite(connection, std::span(&byte, 1)) || !m_line.ScaleWaitDrained(connection))
                    return false;
        } else if (!m_line.ScaleWrite(connection, frame)) {
            return false;
        }
        const std::optional<std::uint8_t> answer = reader.Next();
        if (answer == kAck) break;
        if (answer != kNak) return false;  // EOT: the link gave up; or the line is gone
    }
    firstFrame = false;
    return true;
}

}  // namespace varnel::test
