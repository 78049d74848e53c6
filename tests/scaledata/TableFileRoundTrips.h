// The two file round trips of a scale-data table's tests: rows written into a new ".pld" and ".mdb"
// database and read back after reopening it, and a table's records through a whole Data Save file
// that is loaded and written again.
#pragma once

#include "comms/DataSaveFixture.h"
#include "comms/filelink/DataSaveStore.h"
#include "db/plu/DBComTb.h"
#include "db/plu/PluDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace varnel::test {

// For each database kind: `fill` adds rows to a new database, which is closed and opened again for
// `check`; both are given the database and the file's name.
template <class Fill, class Check>
void ForEachReopenedDatabase(Fill fill, Check check)
{
    TempDir dir;
    for (const char* file : {"plu.pld", "plu.mdb"}) {
        SCOPED_TRACE(file);
        const std::string path = dir.File(file);
        {
            CPluDatabase db;
            db.CreateAllTables();
            ASSERT_TRUE(db.Create(path)) << db.GetLastErrorText();
            ASSERT_TRUE(db.Open(path)) << db.GetLastErrorText();
            fill(db);
        }
        CPluDatabase reopened;
        reopened.CreateAllTables();
        ASSERT_TRUE(reopened.Open(path)) << reopened.GetLastErrorText();
        check(reopened);
    }
}

// The Data Save records of the keys (each `size` bytes) as one section named `name`; the rows are
// deleted, the file loaded (then `check` runs) and written again, which must give the same bytes.
template <class Check>
void LoadAndRewriteDataSaveSection(IMainFrame& frame, CObjDatabase& database, CDBComTb& table, const char* name,
                                   const std::vector<std::uint32_t>& keys, std::size_t size, Check check)
{
    std::array<std::uint8_t, 4096> buffer{};
    std::string section;
    for (const std::uint32_t key : keys) {
        ASSERT_EQ(table.EncodeItemRecord(*table.FindRecord(key), buffer), size) << key;
        section += WithLength(std::string(reinterpret_cast<const char*>(buffer.data()), size));
    }
    for (const std::uint32_t key : keys) ASSERT_TRUE(table.DeleteKey(key));
    TempDir dir;
    const std::string path = dir.File("saved.dsv");
    WriteWholeFile(path, DataSaveBytes({{name, section}}));
    CDataSaveStore store(database, nullptr, frame.GetGeneralSetup());
    CDataSaveFiles files(store, LinkRoles::Of(frame));
    ASSERT_TRUE(files.LoadDataSaveFile(path));
    check();
    const std::string rewritten = dir.File("again.dsv");
    ASSERT_TRUE(files.WriteDataSaveFile(rewritten));
    EXPECT_EQ(ReadWholeFile(rewritten), DataSaveBytes({{name, section}}));
}

}  // namespace varnel::test
