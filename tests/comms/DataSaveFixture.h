// A database for the Data Save tests: the PLU table, and as the nutrition table one whose item records
// are kept as they come (keyed by their first two bytes), so that an "INGR" section goes through a
// table too; Data Save files put together section by section.
#pragma once

#include "comms/filelink/DataSaveFile.h"
#include "comms/filelink/DataSaveIndex.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/UnbuiltTable.h"
#include "platform/ByteOrder.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/InstalledFrameRoles.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace varnel::test {

// Item records kept byte for byte, keyed by their first two bytes (little-endian); key 0 is refused.
class ItemBytesTable final : public CByteRowTable<CDBComTb> {
public:
    using CByteRowTable::CByteRowTable;
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 999999; }
    bool HasItemRecords() const override { return true; }
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override
    {
        const std::size_t length = std::min<std::size_t>(record.GetLength(), buffer.size());
        std::copy_n(record.GetData(), length, buffer.begin());
        return length;
    }
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override
    {
        if (record.size() < 2 || LoadLe16(record.data()) == 0) return false;
        const std::uint32_t key = LoadLe16(record.data());
        (void)DeleteKey(key);
        auto row = std::make_unique<CByteRowRecord>(record.size());
        std::copy(record.begin(), record.end(), row->GetData());
        return AddRecord(key, static_cast<std::uint16_t>(record.size()), std::move(row));
    }
};

class DataSaveDatabase final : public CObjDatabase {
public:
    DataSaveDatabase() : CObjDatabase(92)
    {
        (void)GetOrCreateTable(CPluDefTb::kTableNo);
        (void)GetOrCreateTable(kNutritionTable);
    }
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        if (tableNo == CPluDefTb::kTableNo) return std::make_unique<CPluDefTb>(tableNo, this, "Plus", FrameRoles());
        if (tableNo == kNutritionTable) return std::make_unique<ItemBytesTable>(tableNo, this, FrameRoles());
        return nullptr;
    }
    CPluDefTb& Plus() { return dynamic_cast<CPluDefTb&>(*GetTable(CPluDefTb::kTableNo)); }
    ItemBytesTable& Nutrition() { return dynamic_cast<ItemBytesTable&>(*GetTable(kNutritionTable)); }

    static constexpr std::uint16_t kNutritionTable = 9;
};

// A section of a file being put together.
struct Section {
    std::string name;  // the scale's file name, at most 8 characters
    std::string bytes;
    std::uint16_t reserved = 0;
    std::uint8_t reserved2 = 0;
};

// The sections one after the other, then their index.
inline std::string DataSaveBytes(const std::vector<Section>& sections)
{
    std::string file;
    std::string index;
    for (const Section& s : sections) {
        CDataSaveSection entry;
        entry.type = DataSaveTypeOfName(s.name);
        entry.offset = static_cast<std::uint32_t>(file.size());
        std::copy(s.name.begin(), s.name.end(), entry.name.begin());
        entry.reserved = s.reserved;
        entry.reserved2 = s.reserved2;
        std::array<std::uint8_t, kDataSaveEntrySize> packed{};
        PackDataSaveSection(entry, packed);
        index.append(reinterpret_cast<const char*>(packed.data()), packed.size());
        file += s.bytes;
    }
    const auto count = static_cast<std::uint16_t>(sections.size());
    return file + index + std::string{static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
}

// A record with its length word.
inline std::string WithLength(const std::string& record)
{
    const auto length = static_cast<std::uint16_t>(record.size() + 2);
    return std::string{static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)} + record;
}

// A short-form item record of the PLU (at most 6 digits) with its description as line-coded text.
inline std::string ItemRecord(std::uint32_t plu, std::uint32_t price, const std::string& text)
{
    std::string record(66, '\0');
    const auto bcd = [](std::uint32_t v) { return static_cast<char>((v / 10 % 10) << 4 | v % 10); };
    record[0] = bcd(plu / 10000);
    record[1] = bcd(plu / 100);
    record[2] = bcd(plu);
    record[4] = bcd(price / 10000);
    record[5] = bcd(price / 100);
    record[6] = bcd(price);
    record[64] = static_cast<char>(text.size());
    return record + text;
}

class DataSaveFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_dir.File(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    CPluDefRec* Plu(std::uint32_t number)
    {
        return dynamic_cast<CPluDefRec*>(m_database.Plus().FindRecord(number));
    }

    TestMainFrame m_frame;
    RecordingPrompt m_prompt;
    TempDir m_dir;
    DataSaveDatabase m_database;
    CDataSaveStore m_store{m_database, nullptr, m_frame.m_setup};
    CDataSaveFiles m_files{m_store, LinkRoles::Of(m_frame)};
};

}  // namespace varnel::test
