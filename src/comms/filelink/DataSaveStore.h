// What the records of Data Save files and QD47FD files are read into and written from: for each
// section type the table of the open PLU database in the type's key range (its records in the item
// form of the file link, CDBComTb::EncodeItemRecord and DecodeItemRecord), and for keyboard presets the
// keyboards. A type whose table has no item form, or presets without keyboards, is not held here: such
// a section is copied unchanged when a file is rewritten and passed over when one is loaded.
//
// Section records: a u16 length (little-endian) that counts itself, then the record. The preset
// section is written as the one piece the keyboards build, records and length words included.
#pragma once

#include "db/site/GeneralSetup.h"
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace varnel {

class CDBComTb;
class CObjDatabase;

constexpr std::size_t kPresetSectionMax = 1056;

// The keyboards' side of the preset section.
class IKeyboardPresets {
public:
    // Fills the buffer with the presets in the "PSET" layout and gives their length; 0 for none.
    virtual std::size_t ImportPsetRecords(std::span<std::uint8_t, kPresetSectionMax> buffer) = 0;
    // Applies one preset key record (without its length word); address 0 starts a new keyboard. False
    // stops the import.
    virtual bool ImportPsetKey(std::span<const std::uint8_t> record, std::uint16_t address) = 0;

protected:
    ~IKeyboardPresets() = default;
};

class CDataSaveStore {
public:
    // `presets` may be null: no keyboards. The key ranges and the item record's size follow `setup`.
    CDataSaveStore(CObjDatabase& database, IKeyboardPresets* presets, const CGeneralSetup& setup)
        : m_database(database), m_presets(presets), m_setup(setup)
    {
    }

    CObjDatabase& GetDatabase() const { return m_database; }
    bool Holds(std::uint16_t type) const;
    // The longest record of the type, its length word included; a longer length word is bad data.
    std::size_t LargestRecord(std::uint16_t type) const;
    // Stores one record of the type; `recordNo` counts the section's records from 0. False refuses it.
    bool ApplyRecord(std::uint16_t type, std::span<const std::uint8_t> record, std::uint32_t recordNo);
    // Writes the records of the type at the file's position: each row of the type's key range (the
    // PLUs as the current price zone sees them) that the table encodes, or the presets' piece.
    Result<void> WriteSection(std::uint16_t type, IFile& out);

private:
    CDBComTb* TableOf(std::uint16_t type) const;

    CObjDatabase& m_database;
    IKeyboardPresets* m_presets;
    const CGeneralSetup& m_setup;
};

// Walks the records of a section's bytes: each goes to `apply` with its running number from 0. A length
// word below 2 or above `largest`, a record that would run past the end, or `apply` giving false ends
// the walk.
void ForEachSectionRecord(std::span<const std::uint8_t> section, std::size_t largest,
                          const std::function<bool(std::span<const std::uint8_t>, std::uint32_t)>& apply);

}  // namespace varnel
