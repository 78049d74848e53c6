#include "comms/sorrel/RecordBlockReader.h"

namespace varnel::sorrel {

RecordBlockReader::RecordBlockReader(Form form, bool paged, std::uint32_t announced, std::size_t bodyRoom)
    : m_form(form), m_paged(paged), m_bodyRoom(bodyRoom), m_left(announced)
{
    NextRecord();
}

void RecordBlockReader::NextRecord()
{
    if (m_left >= kHeaderSize) {
        m_step = Step::RecordHeader;
        m_wanted = kHeaderSize;
    } else if (m_left > 0) {
        m_step = Step::Drop;
        m_wanted = m_left;
    } else {
        m_step = Step::Done;
        m_wanted = 0;
    }
}

void RecordBlockReader::TakeHeader(std::span<const std::uint8_t, kHeaderSize> header)
{
    if (m_step != Step::RecordHeader) return;
    m_left -= kHeaderSize;
    m_header = ParseRecordHeader(m_form, header);
    if (m_paged && m_form == Form::Long && header[1] == 0) {
        m_step = m_left > 0 ? Step::Drop : Step::Done;
        m_wanted = m_left;
        return;
    }
    if (m_header.length > m_left || m_header.length > m_bodyRoom) {
        m_step = Step::Overlong;
        m_wanted = 0;
        return;
    }
    if (m_header.length == 0) {
        NextRecord();
        return;
    }
    m_step = Step::RecordBody;
    m_wanted = m_header.length;
}

void RecordBlockReader::TakeWanted()
{
    if (m_step == Step::RecordBody) {
        m_left -= m_wanted;
        NextRecord();
    } else if (m_step == Step::Drop) {
        m_left = 0;
        m_step = Step::Done;
        m_wanted = 0;
    }
}

}  // namespace varnel::sorrel
