// Any bytes opened as a ".pld" file give a database or a clean failure, never a crash or an over-read.
// Each opened database is also walked and compacted, so what the reader accepts must hold together.
#include "TestDatabase.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

const std::string& ScratchPath()
{
    static const std::string path = "/tmp/pld-reader-fuzz-" + std::to_string(::getpid()) + ".pld";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    varnel::test::TestDatabase db;
    if (db.Open(ScratchPath())) {
        const auto before = varnel::test::TakeSnapshot(db);
        if (db.Compact() && varnel::test::TakeSnapshot(db) != before) __builtin_trap();
    }
    return 0;
}
