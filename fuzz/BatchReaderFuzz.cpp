// Any bytes read as a ".bch" batch journal give a clean success or failure, never a crash or an
// over-read. Each journal is applied to the tables in memory, wholly and for the department it names,
// and every record it leaves must fit its row.
#include "TestDatabase.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

const std::string& ScratchPath()
{
    static const std::string path = "/tmp/batch-reader-fuzz-" + std::to_string(::getpid()) + ".bch";
    return path;
}

void CheckRecordsFit(const varnel::CObjDatabase& db)
{
    for (std::uint16_t tableNo = 0; tableNo < db.GetTableSlots(); ++tableNo) {
        const varnel::CObjDBTable* table = db.GetTable(tableNo);
        if (!table) continue;
        for (const auto& entry : table->GetIndex())
            if (entry.record->GetLength() > entry.record->GetDataRoom() || entry.record->GetKey() != entry.key)
                __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    varnel::test::TestDatabase db;
    for (std::uint16_t tableNo = 1; tableNo <= 10; ++tableNo) db.EnsureTable(tableNo);
    std::string department;
    const bool readsWhole = db.ReadBatchDepartment(ScratchPath(), department);
    (void)db.LoadBatchFile(ScratchPath(), "");
    CheckRecordsFit(db);
    if (readsWhole && !department.empty()) {
        (void)db.LoadBatchFile(ScratchPath(), department);
        CheckRecordsFit(db);
    }
    if (db.IsBatchMode() || db.IsApplyingBatch()) __builtin_trap();
    return 0;
}
