// The records of a block a scale sends back, read as they come: the reader says what to read next
// (a record header, a body, or bytes to drop) and learns from each piece read. The announced length
// and every record header come from the scale, so none is trusted: a body longer than what is left
// of the block, or than the room for it, ends the block with an error instead of reading past either.
//
//   block: records while at least 8 bytes are left, each an 8-byte record header and its body
//          (a body of length 0 is skipped); a remainder shorter than a header is dropped.
//   paged long form: a record header whose second byte is 0 ends the block; the rest is dropped.
#pragma once

#include "comms/sorrel/SorrelWire.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel::sorrel {

class RecordBlockReader {
public:
    enum class Step { RecordHeader, RecordBody, Drop, Done, Overlong };

    RecordBlockReader(Form form, bool paged, std::uint32_t announced, std::size_t bodyRoom);

    Step GetStep() const { return m_step; }
    // Bytes the step wants: 8 for a header, the body's length, the bytes to drop; 0 when done.
    std::uint32_t GetWanted() const { return m_wanted; }
    // The header of the record whose body is wanted (or that overran the block).
    const RecordHeaderFields& GetRecordHeader() const { return m_header; }

    // The record header the step wanted, as read.
    void TakeHeader(std::span<const std::uint8_t, kHeaderSize> header);
    // The body or the dropped bytes the step wanted were read.
    void TakeWanted();

private:
    void NextRecord();

    Form m_form;
    bool m_paged;
    std::size_t m_bodyRoom;
    std::uint32_t m_left;  // of the announced block
    Step m_step = Step::Done;
    std::uint32_t m_wanted = 0;
    RecordHeaderFields m_header;
};

}  // namespace varnel::sorrel
