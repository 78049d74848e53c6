#include "BlockScaleSimulator.h"

#include "db/text/Bcd.h"
#include "platform/ByteOrder.h"

namespace varnel::test {
namespace {

std::uint32_t AnnouncedLength(sorrel::Form form, std::span<const std::uint8_t> header)
{
    return sorrel::ParseHeader(form, header.first<sorrel::kHeaderSize>()).length;
}

void PutBcd(std::span<std::uint8_t> field, std::uint16_t value, std::size_t digits)
{
    (void)PackBcdShort(field, value, digits);
}

}  // namespace

BlockScaleSimulator::BlockScaleSimulator(ScaleLine& line, sorrel::Form form) : m_line(line), m_form(form) {}

BlockScaleSimulator::~BlockScaleSimulator() { Stop(); }

void BlockScaleSimulator::Start()
{
    m_thread = std::thread([this] { Run(); });
    m_line.WaitScaleIdle();
}

void BlockScaleSimulator::Stop()
{
    if (!m_thread.joinable()) return;
    m_line.Stop();
    m_thread.join();
}

void BlockScaleSimulator::SetRecords(std::uint16_t requestCode, std::uint16_t recordCode, std::vector<Bytes> records)
{
    Bytes block;
    for (const Bytes& record : records) {
        std::array<std::uint8_t, sorrel::kHeaderSize> header{};
        const auto length = static_cast<std::uint16_t>(record.size());
        if (m_form == sorrel::Form::Long) {
            PutBcd(std::span(header).first(2), recordCode, 4);
            StoreBe16(&header[6], length);
        } else {
            PutBcd(std::span(header).first(1), recordCode, 2);
            StoreLe16(&header[6], length);
        }
        block.insert(block.end(), header.begin(), header.end());
        block.insert(block.end(), record.begin(), record.end());
    }
    SetRawReply(requestCode, std::move(block));
}

void BlockScaleSimulator::SetRawReply(std::uint16_t requestCode, Bytes block)
{
    const std::lock_guard lock(m_mutex);
    m_replies[requestCode] = std::move(block);
}

void BlockScaleSimulator::SetScript(Script script)
{
    const std::lock_guard lock(m_mutex);
    m_script = std::move(script);
}

std::vector<BlockMessage> BlockScaleSimulator::Messages() const
{
    const std::lock_guard lock(m_mutex);
    return m_messages;
}

std::size_t BlockScaleSimulator::Connections() const
{
    const std::lock_guard lock(m_mutex);
    return m_connections;
}

void BlockScaleSimulator::Run()
{
    while (const ScaleLine::ConnectionPtr connection = m_line.Accept()) {
        {
            const std::lock_guard lock(m_mutex);
            ++m_connections;
        }
        Serve(connection);
    }
}

void BlockScaleSimulator::Serve(const ScaleLine::ConnectionPtr& connection)
{
    Bytes pending;
    for (;;) {
        // A whole message: the header, then what its length announces.
        while (pending.size() < sorrel::kHeaderSize ||
               pending.size() < sorrel::kHeaderSize + AnnouncedLength(m_form, pending)) {
            Bytes bytes;
            if (m_line.ScaleRead(connection, bytes) != ScaleLine::ReadResult::Data) return;
            pending.insert(pending.end(), bytes.begin(), bytes.end());
        }
        const std::size_t size = sorrel::kHeaderSize + AnnouncedLength(m_form, pending);
        BlockMessage message;
        message.wire.assign(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(size));
        message.payload.assign(message.wire.begin() + sorrel::kHeaderSize, message.wire.end());
        message.code = sorrel::ParseHeader(m_form, std::span(message.wire).first<sorrel::kHeaderSize>()).code;
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(size));
        std::size_t index = 0;
        {
            const std::lock_guard lock(m_mutex);
            index = m_messages.size();
            m_messages.push_back(message);
        }
        if (!Answer(connection, message, index)) return;
    }
}

bool BlockScaleSimulator::Answer(const ScaleLine::ConnectionPtr& connection, const BlockMessage& message,
                                 std::size_t index)
{
    std::optional<BlockAnswer> scripted;
    std::optional<Bytes> records;
    {
        const std::lock_guard lock(m_mutex);
        if (m_script) scripted = m_script(message, index);
        if (const auto found = m_replies.find(message.code); found != m_replies.end()) records = found->second;
    }
    const BlockAnswer answer = scripted.value_or(BlockAnswer{});
    if (answer.lateSeconds > 0 && !m_line.ScaleSleep(std::chrono::seconds(answer.lateSeconds))) return false;
    switch (answer.kind) {
    case BlockAnswer::Kind::Silent:
        return true;
    case BlockAnswer::Kind::Drop:
        m_line.ScaleDrop(connection);
        return false;
    case BlockAnswer::Kind::WrongLength: {
        Bytes reply = Reply(message.code, 0, answer.junk);
        return m_line.ScaleWrite(connection, reply);
    }
    case BlockAnswer::Kind::Refuse: {
        const Bytes body = ReplyBody(answer);
        return m_line.ScaleWrite(connection, Reply(message.code, 1, body));
    }
    case BlockAnswer::Kind::Accept:
        break;
    }
    if (records && !scripted) return m_line.ScaleWrite(connection, Reply(message.code, 0, *records));
    return m_line.ScaleWrite(connection, Reply(message.code, 0, ReplyBody(answer)));
}

Bytes BlockScaleSimulator::Reply(std::uint16_t code, std::uint8_t flag, std::span<const std::uint8_t> body) const
{
    std::array<std::uint8_t, sorrel::kHeaderSize> header{};
    const auto length = static_cast<std::uint32_t>(body.size());
    if (m_form == sorrel::Form::Long) {
        PutBcd(std::span(header).first(2), code, 4);
        StoreBe32(&header[4], length + static_cast<std::uint32_t>(sorrel::kHeaderSize));
    } else {
        PutBcd(std::span(header).first(1), code, 2);
        StoreLe32(&header[4], length);
    }
    header[3] = flag;
    Bytes reply(header.begin(), header.end());
    reply.insert(reply.end(), body.begin(), body.end());
    return reply;
}

Bytes BlockScaleSimulator::ReplyBody(const BlockAnswer& answer) const
{
    Bytes body(sorrel::kReplyBodySize, 0);
    if (m_form == sorrel::Form::Long) {
        PutBcd(std::span(body).subspan(4, 2), answer.firstCount, 4);
        PutBcd(std::span(body).subspan(6, 2), answer.secondCount, 4);
        StoreBe16(&body[10], answer.errorCode);
    } else {
        StoreLe16(&body[4], answer.firstCount);
        StoreLe16(&body[6], answer.secondCount);
        StoreLe16(&body[10], answer.errorCode);
    }
    return body;
}

}  // namespace varnel::test
