// CDBRecord: the base of every table record. Its 12-byte header is also the record's header in the
// ".pld" file and the batch journal, so it is held as those bytes:
//   OFFSET SIZE FIELD (little-endian)
//     0     2   table number
//     2     2   capacity: bytes of data room the record owns in the file
//     4     2   length: bytes of data in use, at most the capacity
//     6     2   reserved, written as 0
//     8     4   key
// Row classes derive from it and own their data area.
#pragma once

#include "db/store/DBFieldDef.h"
#include "db/store/FieldVariant.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CDBRecord {
public:
    static constexpr std::size_t kHeaderSize = 12;
    using Header = std::array<std::uint8_t, kHeaderSize>;

    CDBRecord() = default;
    CDBRecord(const CDBRecord&) = default;
    CDBRecord& operator=(const CDBRecord&) = default;
    virtual ~CDBRecord() = default;

    // The first byte of the data area; null for a record without one.
    virtual std::uint8_t* GetData() { return nullptr; }
    const std::uint8_t* GetData() const { return const_cast<CDBRecord*>(this)->GetData(); }
    // Bytes the data area holds now.
    virtual std::size_t GetDataRoom() const { return 0; }
    // Makes the data area hold at least `bytes` bytes, the new ones zero; false when the row cannot
    // grow that far. A row that keeps a variable text at its length grows for a longer one; growing
    // may move the data area.
    virtual bool ReserveData(std::size_t bytes) { return bytes <= GetDataRoom(); }
    // The most bytes the data area can grow to.
    virtual std::size_t GetDataLimit() const { return GetDataRoom(); }
    // Gives back room that a write through the catalogue made and the row no longer uses.
    virtual void FitData() {}
    // Fills a new row with its defaults.
    virtual void InitNew(std::uint32_t /*key*/) {}
    // Bytes of data the row uses now: the length to store.
    virtual std::uint16_t GetDataSize() const { return 0; }
    // Moves the fields of a row read from an older file version into the current layout.
    virtual void ConvertOldLayout() {}

    std::uint16_t GetTableNo() const;
    std::uint16_t GetCapacity() const;
    std::uint16_t GetLength() const;
    std::uint32_t GetKey() const;
    void SetCapacity(std::uint16_t capacity);
    void SetLength(std::uint16_t length);
    void SetKey(std::uint32_t key);
    void SetHeader(std::uint16_t tableNo, std::uint16_t capacity, std::uint16_t length, std::uint32_t key);
    // Takes table number, capacity, length and key from a header as read from a file (not the reserved word).
    void CopyHeader(const std::uint8_t* header);
    const Header& GetHeaderBytes() const { return m_header; }

    // The bytes of a catalogued field that the row holds now: all of them, or fewer for a variable text
    // kept at its length, whose missing bytes count as zeros; empty when the field lies outside the row.
    std::span<const std::uint8_t> FieldSpan(const DBFieldDef& field) const;
    // The field's bytes, all of them, to be written; null when the row cannot hold the field.
    std::uint8_t* WritableField(const DBFieldDef& field);

    // The field's value as text (a text ends at its field's last byte at the latest).
    std::string FormatField(const DBFieldDef& field) const;
    // Stores a text into the field; false when it cannot be read for the field's type. `changed`
    // tells whether the stored value differs from the old one.
    bool ParseField(const DBFieldDef& field, std::string_view text, bool& changed);

    // The field's value as it goes into an ".mdb" database. An empty text goes as the single blank
    // " ", never as an empty string; a long binary field as its bytes up to the last one that is not
    // 0 (SetFieldVariant fills the rest with zeros again).
    FieldVariant GetFieldVariant(const DBFieldDef& field) const;
    // Stores a value read from an ".mdb" database; false, leaving the field as it was, for a value
    // the field cannot take (nothing, NULL, a date into a number). The blank " " gives an empty
    // text, and every value is cut to the field's width.
    bool SetFieldVariant(const DBFieldDef& field, const FieldVariant& value);

    std::uint32_t m_fileOffset = 0;  // where the record's header stands in the ".pld" file

private:
    Header m_header{};
};

// The record as it is written to a file in one piece: its header, `dataBytes` bytes of its data and
// zero bytes up to `room` bytes after the header.
std::vector<std::uint8_t> RecordImage(const CDBRecord& record, std::uint16_t dataBytes, std::uint16_t room);

}  // namespace varnel
