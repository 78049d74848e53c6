// Any bytes opened as the PLU database's ".pld" file give a database or a clean failure. An opened one
// is converted (every record brought to the current form), walked table by table, compacted and
// opened again: what the reader accepts must survive all of it unchanged.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"
#include "TestDatabase.h"

#include "db/plu/PluDatabase.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

using varnel::fuzz::Require;

const std::string& ScratchPath()
{
    static const std::string path = "/tmp/plu-database-fuzz-" + std::to_string(::getpid()) + ".pld";
    return path;
}

// Walks every record of every table from the first key to the last; each key comes once, rising.
void RequireWalkable(const varnel::CObjDatabase& database)
{
    for (std::uint16_t tableNo = 1; tableNo < database.GetTableSlots(); ++tableNo) {
        const varnel::CObjDBTable* table = database.GetTable(tableNo);
        if (!table) continue;
        varnel::KeyCursor cursor = 0;
        std::size_t walked = 0;
        std::uint64_t previous = 0;
        while (const varnel::CDBRecord* record = table->PeekNextRecord(cursor)) {
            Require(walked == 0 || record->GetKey() > previous);
            previous = record->GetKey();
            ++walked;
        }
        Require(walked == table->GetRecordCount());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    varnel::fuzz::FuzzMainFrame frame(0);
    varnel::CPluDatabase database;
    database.CreateAllTables();
    if (!database.Open(ScratchPath())) return 0;
    database.ConvertAllRecords();
    RequireWalkable(database);
    const auto converted = varnel::test::TakeSnapshot(database);
    if (!database.Compact()) return 0;
    Require(varnel::test::TakeSnapshot(database) == converted);
    Require(database.Close());

    varnel::CPluDatabase reopened;
    reopened.CreateAllTables();
    Require(reopened.Open(ScratchPath()));
    RequireWalkable(reopened);
    Require(varnel::test::TakeSnapshot(reopened) == converted);
    return 0;
}
