// A PLU database whose scale-data tables are this subsystem's, with a test frame, and the records
// its tables build for a family as strings.
#pragma once

#include "db/plu/DBComTb.h"
#include "db/plu/PluDatabase.h"
#include "scaledata/ScaleDataTables.h"
#include "support/ScaleDataRegistration.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

namespace varnel::test {

inline CLinkScaleSettings ScaleOf(std::uint16_t family)
{
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    return scale;
}

inline std::span<const std::uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The 8-byte header of the comma-separated families' records (its code's BCD digits given) and the
// short header of families 6 and 8.
inline std::string Header(std::uint8_t code0, std::uint8_t code1, std::uint16_t length)
{
    return std::string{static_cast<char>(code0), static_cast<char>(code1), 0, 0, 0, 0,
                       static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
}
inline std::string ShortHeader(std::uint8_t code, std::uint16_t length)
{
    return std::string{static_cast<char>(code), 0, 0, 0, 0, 0, static_cast<char>(length & 0xFF),
                       static_cast<char>(length >> 8)};
}

// A built record: whether one was made, its code and bytes, and the field that refused it.
struct BuiltRecord {
    bool made = false;
    std::uint16_t code = 0;
    std::string bytes;
    std::string refusedField;
};

template <class Build>
BuiltRecord BuildInto(Build build)
{
    std::array<std::uint8_t, 4096> buffer{};
    ScaleRecordOut out{buffer};
    BuiltRecord built;
    built.made = build(out);
    built.code = out.code;
    built.bytes.assign(reinterpret_cast<const char*>(buffer.data()), out.length);
    built.refusedField = out.refusedField;
    return built;
}

// The record of the table's row of that key for a scale of the family, and the key record.
inline BuiltRecord EncodeRow(CDBComTb& table, std::uint16_t family, std::uint32_t key)
{
    return BuildInto([&](ScaleRecordOut& out) {
        const BuildLock lock = table.LockRecordBuild();
        return table.EncodeRecord(lock, ScaleOf(family), *table.FindRecord(key), out);
    });
}
inline BuiltRecord EncodeKey(CDBComTb& table, std::uint16_t family, std::uint32_t key)
{
    return BuildInto([&](ScaleRecordOut& out) {
        const BuildLock lock = table.LockRecordBuild();
        return table.EncodeKeyRecord(lock, ScaleOf(family), key, out);
    });
}

// A database file (".pld" or ".mdb" by its name) with every table, made anew and opened, or opened
// again; null, failing the test, when that fails.
inline std::unique_ptr<CPluDatabase> OpenDatabaseFile(const std::string& path, bool makeNew)
{
    auto database = std::make_unique<CPluDatabase>();
    database->CreateAllTables();
    if ((makeNew && !database->Create(path)) || !database->Open(path)) {
        ADD_FAILURE() << path << ": " << database->GetLastErrorText();
        return nullptr;
    }
    return database;
}

class ScaleDataFixture : public ::testing::Test, protected ScaleDataRegistration {
protected:
    ScaleDataFixture() { m_database.CreateAllTables(); }

    template <class Table>
    Table& TableOf(std::uint16_t tableNo)
    {
        auto* table = dynamic_cast<Table*>(m_database.GetTable(tableNo));
        if (!table) throw std::logic_error("no such table");
        return *table;
    }
    // A scale of the family enabled on the links.
    void AddLinkScale(std::uint16_t family) { m_frame.m_linkScales.push_back(ScaleOf(family)); }

    TestMainFrame m_frame;
    CPluDatabase m_database;
};

}  // namespace varnel::test
