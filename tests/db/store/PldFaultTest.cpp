// Fault loops over the ".pld" store: every file call of an operation is failed in turn, and the file
// must then hold exactly the old state or the new one, with the failure reported.
#include "PldBytes.h"
#include "TestDatabase.h"

#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace varnel::test {
namespace {

// A database with free blocks of several sizes and records in two tables.
std::string FixtureImage()
{
    return PldBytes(327)
        .Record(1, 16, 16, 1, std::string(16, 'a'))
        .FreeBlock(40)
        .Record(1, 30, 30, 2, std::string(30, 'b'))
        .FreeBlock(20)
        .Record(2, 8, 8, 7, std::string(8, 'c'))
        .Bytes();
}

struct Operation {
    const char* name;
    std::function<bool(TestDatabase&, const TempDir&)> run;
    // The file whose state is checked afterwards (the database itself unless the operation writes another).
    const char* checkedFile = "store.pld";
};

void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

bool ChangeRow(TestDatabase& db, std::uint32_t key, std::uint16_t size, char fill)
{
    CDBRecord* record = db.GetTable(1)->FindRecord(key);
    std::memset(record->GetData(), fill, size);
    return db.GetTable(1)->UpdateRecord(record, size);
}

const Operation kOperations[] = {
    {"add into a free block", [](TestDatabase& db, const TempDir&) { return AddRow(*db.GetOrCreateTable(1), 5, 18, 'n'); }},
    {"add at the end", [](TestDatabase& db, const TempDir&) { return AddRow(*db.GetOrCreateTable(3), 5, 100, 'n'); }},
    {"update in place", [](TestDatabase& db, const TempDir&) { return ChangeRow(db, 2, 25, 'u'); }},
    {"update that moves", [](TestDatabase& db, const TempDir&) { return ChangeRow(db, 1, 35, 'm'); }},
    {"delete", [](TestDatabase& db, const TempDir&) { return db.GetTable(1)->DeleteKey(2); }},
    {"change key",
     [](TestDatabase& db, const TempDir&) { return db.GetTable(1)->ChangeKey(db.GetTable(1)->FindRecord(1), 9); }},
    {"compact", [](TestDatabase& db, const TempDir&) { return db.Compact(); }},
    {"save as", [](TestDatabase& db, const TempDir& dir) { return db.SaveAs(dir.File("saved.pld")); }, "saved.pld"},
};

class PldFaultTest : public ::testing::TestWithParam<Operation> {
protected:
    RecordingPrompt m_prompt;
};

TEST_P(PldFaultTest, EveryFailedFileCallLeavesTheOldStateOrTheNew)
{
    const Operation& op = GetParam();

    // The states a file may end in: as it was, or as a fault-free run leaves it.
    Snapshot oldState;
    Snapshot newState;
    {
        TempDir dir;
        WriteWholeFile(dir.File("store.pld"), FixtureImage());
        TestDatabase db;
        ASSERT_TRUE(db.Open(dir.File("store.pld")));
        oldState = TakeSnapshot(db);
        ASSERT_TRUE(op.run(db, dir));
        newState = TakeSnapshot(db);
    }
    const bool checksAnotherFile = std::string(op.checkedFile) != "store.pld";

    for (std::uint64_t n = 1;; ++n) {
        ASSERT_LT(n, 200u) << "the operation never finished";
        TempDir dir;
        WriteWholeFile(dir.File("store.pld"), FixtureImage());
        FaultInjectingFileSystem fs;
        bool ok = false;
        bool fired = false;
        std::string continuedIn;
        {
            TestDatabase db(fs);
            ASSERT_TRUE(db.Open(dir.File("store.pld")));
            fs.FailAt(n);
            ok = op.run(db, dir);
            fired = fs.Fired();
            // Whatever failed, the database goes on working in the file it names.
            fs.FailAt(0);
            ASSERT_TRUE(AddRow(*db.GetOrCreateTable(9), 999, 3, 'f')) << op.name << ": call " << n;
            continuedIn = db.GetPath();
        }
        const auto continued = SnapshotOfFile(continuedIn);
        ASSERT_TRUE(continued);
        EXPECT_EQ((*continued).at(9).at(999), "fff") << op.name << ": call " << n << " lost a later change";
        auto withoutLaterChange = [](std::optional<Snapshot> snapshot) {
            if (snapshot) snapshot->erase(9);
            return snapshot;
        };
        const auto held = withoutLaterChange(SnapshotOfFile(dir.File(op.checkedFile)));
        if (!fired) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(held, newState);
            break;
        }
        EXPECT_FALSE(ok) << op.name << ": call " << n << " failed but the operation reported success";
        if (checksAnotherFile) {
            EXPECT_TRUE(!held || *held == newState) << op.name << ": call " << n;
            EXPECT_EQ(withoutLaterChange(SnapshotOfFile(dir.File("store.pld"))), oldState) << op.name << ": the source changed";
        } else {
            ASSERT_TRUE(held) << op.name << ": call " << n << " left a file that does not open";
            EXPECT_TRUE(*held == oldState || *held == newState) << op.name << ": call " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Store, PldFaultTest, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& param) {
                             std::string name = param.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace varnel::test
