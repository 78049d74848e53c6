#include "LumenScaleSimulator.h"

#include "comms/lumen/LumenFrames.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace varnel::test {
namespace {

constexpr int kAttempts = 3;
constexpr std::size_t kLetterAt = 2;
constexpr std::size_t kNumberAt = 2;
constexpr std::size_t kDataAt = 4;
constexpr std::size_t kStatusAt = 2;
constexpr std::uint8_t kAccepted = '1';
constexpr std::uint8_t kRefusedLetter = '0';

bool IsSound(const Bytes& frame)
{
    return frame.size() >= lumen::kCommandFrameSize && frame.front() == lumen::kStx &&
           frame[frame.size() - 2] == lumen::kEtx &&
           lumen::BlockCheck(std::span(frame).subspan(1, frame.size() - 2)) == frame.back();
}

std::vector<Bytes> FramesOf(const std::vector<LumenRecord>& records)
{
    std::vector<Bytes> frames;
    std::optional<std::uint8_t> command;
    for (const LumenRecord& record : records) {
        if (record.letter != command) frames.push_back(lumen::CommandFrame(record.letter));
        command = record.letter;
        const std::size_t blocks = lumen::BlockCount(record.data.size());
        for (std::size_t block = 0; block < blocks; ++block) {
            const std::size_t start = block * lumen::kMaxBlockData;
            const auto piece = std::span(record.data).subspan(start, std::min(lumen::kMaxBlockData, record.data.size() - start));
            frames.push_back(lumen::DataBlockFrame(static_cast<std::uint8_t>(blocks - 1 - block), piece));
        }
    }
    frames.push_back(lumen::CommandFrame('E'));
    return frames;
}

}  // namespace

// What the link sent, taken in pieces of the sizes the protocol asks for.
class LumenScaleSimulator::Reader {
public:
    Reader(ScaleLine& line, ScaleLine::ConnectionPtr connection) : m_line(line), m_connection(std::move(connection)) {}

    // The next `count` bytes, appended to `out`; false once the connection is gone.
    bool Take(std::size_t count, Bytes& out)
    {
        while (m_buffer.size() < count) {
            Bytes bytes;
            if (m_line.ScaleRead(m_connection, bytes) != ScaleLine::ReadResult::Data) return false;
            m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
        }
        out.insert(out.end(), m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(count));
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(count));
        return true;
    }
    // Reads and drops everything until the connection is gone.
    void SwallowAll()
    {
        Bytes bytes;
        while (m_line.ScaleRead(m_connection, bytes) == ScaleLine::ReadResult::Data) {}
    }

private:
    ScaleLine& m_line;
    ScaleLine::ConnectionPtr m_connection;
    Bytes m_buffer;
};

LumenScaleSimulator::LumenScaleSimulator(ScaleLine& line) : m_line(line) {}

LumenScaleSimulator::~LumenScaleSimulator() { Stop(); }

void LumenScaleSimulator::Start()
{
    m_thread = std::thread([this] { Run(); });
    m_line.WaitScaleIdle();
}

void LumenScaleSimulator::Stop()
{
    if (!m_thread.joinable()) return;
    m_line.Stop();
    m_thread.join();
}

void LumenScaleSimulator::SetBatch(const std::vector<LumenRecord>& records) { SetFrames(FramesOf(records)); }

void LumenScaleSimulator::SetFrames(std::vector<Bytes> frames)
{
    const std::lock_guard lock(m_mutex);
    m_batch = std::move(frames);
}

void LumenScaleSimulator::SetFaults(const std::function<void(LumenScaleFaults&)>& set)
{
    const std::lock_guard lock(m_mutex);
    m_faults = LumenScaleFaults{};
    set(m_faults);
}

std::vector<LumenRecord> LumenScaleSimulator::Records() const
{
    const std::lock_guard lock(m_mutex);
    return m_records;
}

std::vector<Bytes> LumenScaleSimulator::Received() const
{
    const std::lock_guard lock(m_mutex);
    return m_received;
}

bool LumenScaleSimulator::WaitExchanges(std::size_t count) const
{
    std::unique_lock lock(m_mutex);
    return m_ended.wait_for(lock, std::chrono::minutes(1), [&] { return m_exchanges >= count; });
}

void LumenScaleSimulator::Run()
{
    while (const ScaleLine::ConnectionPtr connection = m_line.Accept()) Serve(connection);
}

void LumenScaleSimulator::Serve(const ScaleLine::ConnectionPtr& connection)
{
    Reader reader(m_line, connection);
    std::vector<Bytes> batch;
    {
        const std::lock_guard lock(m_mutex);
        batch = std::exchange(m_batch, {});
    }
    if (!batch.empty()) SendBatch(connection, reader, batch);
    while (Receive(connection, reader)) {}
}

bool LumenScaleSimulator::Receive(const ScaleLine::ConnectionPtr& connection, Reader& reader)
{
    std::optional<LumenRecord> record;
    for (;;) {
        Bytes frame;
        if (!reader.Take(lumen::kCommandFrameSize, frame)) return false;
        const lumen::FrameShape shape = lumen::ShapeOf(frame);
        if (!reader.Take(shape.size - frame.size(), frame)) return false;
        LumenScaleFaults faults;
        std::size_t index = 0;
        {
            const std::lock_guard lock(m_mutex);
            faults = m_faults;
            index = m_received.size();
            m_received.push_back(frame);
        }
        if (faults.ignore && faults.ignore(index)) continue;
        if ((faults.refuse && faults.refuse(index)) || !IsSound(frame)) {
            if (!m_line.ScaleWrite(connection, lumen::ReplyFrame(false, kRefusedLetter))) return false;
            continue;
        }
        if (shape.command) {
            const std::uint8_t letter = frame[kLetterAt];
            if (std::toupper(letter) == 'E') {
                EndExchange();
                return m_line.ScaleWrite(connection, lumen::ReplyFrame(true, letter));
            }
            record = LumenRecord{letter, {}};
            if (!m_line.ScaleWrite(connection, lumen::ReplyFrame(true, letter))) return false;
            continue;
        }
        const std::uint8_t letter = record ? record->letter : kRefusedLetter;
        if (record) {
            record->data.insert(record->data.end(), frame.begin() + kDataAt, frame.end() - 2);
            if (frame[kNumberAt] == 0) {
                const std::lock_guard lock(m_mutex);
                m_records.push_back(std::exchange(*record, LumenRecord{letter, {}}));
            }
        }
        if (!m_line.ScaleWrite(connection, lumen::ReplyFrame(true, letter))) return false;
    }
}

void LumenScaleSimulator::SendBatch(const ScaleLine::ConnectionPtr& connection, Reader& reader,
                                    const std::vector<Bytes>& frames)
{
    for (const Bytes& planned : frames) {
        for (int attempt = 0;; ++attempt) {
            if (attempt == kAttempts) return EndExchange();
            LumenScaleFaults faults;
            std::size_t index = 0;
            {
                const std::lock_guard lock(m_mutex);
                faults = m_faults;
                index = m_sentFrames++;
            }
            if (faults.silentAfter && index >= *faults.silentAfter) {
                reader.SwallowAll();
                return EndExchange();
            }
            Bytes frame = planned;
            if (faults.badCheck && faults.badCheck(index)) frame.back() ^= 0xFF;
            Bytes reply;
            if (!m_line.ScaleWrite(connection, frame) || !reader.Take(lumen::kReplyFrameSize, reply)) return EndExchange();
            {
                const std::lock_guard lock(m_mutex);
                m_received.push_back(reply);
            }
            if (reply[kStatusAt] == kAccepted) break;
        }
    }
    EndExchange();
}

void LumenScaleSimulator::EndExchange()
{
    {
        const std::lock_guard lock(m_mutex);
        ++m_exchanges;
    }
    m_ended.notify_all();
}

}  // namespace varnel::test
