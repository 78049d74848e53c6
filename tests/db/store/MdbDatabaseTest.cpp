// The ".mdb" database on SQLite: its layout, loading, the row mirrors, exclusive and shared opening,
// and refusing files it cannot read.
#include "MdbTestDatabase.h"

#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace varnel::test {
namespace {

class MdbDatabaseTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("store.mdb"); }

    void CreateAndOpen(MdbTestDatabase& db)
    {
        ASSERT_TRUE(db.Create(Path())) << db.GetLastErrorText();
        ASSERT_TRUE(db.Open(Path())) << db.GetLastErrorText();
        ASSERT_TRUE(db.IsDaoMode());
    }

    // Opens the file, the store's warnings going to m_warnings.
    void OpenCollectingWarnings(MdbTestDatabase& db)
    {
        db.SetWarningHandler([this](const std::string& text) { m_warnings.push_back(text); });
        ASSERT_TRUE(db.Open(Path())) << db.GetLastErrorText();
    }

    TempDir m_dir;
    RecordingPrompt m_prompt;
    std::vector<std::string> m_warnings;
};

TEST_F(MdbDatabaseTest, ANewDatabaseHoldsItsVersionAndOneTablePerNamedTable)
{
    MdbTestDatabase db;
    ASSERT_TRUE(db.Create(Path()));

    EXPECT_EQ(QueryColumn(Path(), "SELECT \"Version\" FROM \"Version\""), std::vector<std::string>{"327"});
    EXPECT_EQ(QueryColumn(Path(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
              (std::vector<std::string>{"Items", "Others", "Version"}));
    const std::vector<std::string> expectedTypes = {"INTEGER", "INTEGER", "INTEGER", "INTEGER",
                                                    "REAL",    "TEXT(60)", "BLOB"};
    EXPECT_EQ(QueryColumn(Path(), "SELECT type FROM pragma_table_info('Items')"), expectedTypes);
    EXPECT_EQ(QueryColumn(Path(), "SELECT name FROM pragma_table_info('Items') WHERE pk = 1"),
              std::vector<std::string>{"Key"});
    const auto sql = QueryColumn(Path(), "SELECT sql FROM sqlite_master WHERE name = 'Others'");
    ASSERT_EQ(sql.size(), 1u);
    EXPECT_NE(sql[0].find("CONSTRAINT \"PrimaryKey\" PRIMARY KEY (\"Key\")"), std::string::npos) << sql[0];
}

TEST_F(MdbDatabaseTest, EveryChangeIsMirroredAndSurvivesAReopen)
{
    Snapshot before;
    {
        MdbTestDatabase db;
        CreateAndOpen(db);
        CObjDBTable& items = *db.GetTable(1);
        ASSERT_TRUE(AddItem(items, 1, {7, -300, -70000, 46000.25, "", "\x01\x02"}));
        ASSERT_TRUE(AddItem(items, 2, {255, 32767, 2147483647, 0, std::string(29, 'n'), std::string(16, '\xFF')}));
        ASSERT_TRUE(AddItem(items, 3, {0, 0, 0, 0, "gone", ""}));
        ASSERT_TRUE(AddItem(items, 4, {1, 1, 1, 1, "renamed", ""}));
        ASSERT_TRUE(AddItem(items, 0xFFFFFE00u, {2, 2, 2, 2, "a key above 2^31", ""}));
        ASSERT_TRUE(AddItem(*db.GetTable(2), 1, {3, 3, 3, 3, "other table", ""}));
        ASSERT_TRUE(AddItem(*db.GetTable(3), 1, {4, 4, 4, 4, "memory only", ""}));

        CDBRecord* changed = items.FindRecord(2);
        WriteItem(*changed, {9, 9, 9, 9, "changed", ""});
        ASSERT_TRUE(items.UpdateRecord(changed, ItemRow::kSize));
        ASSERT_TRUE(items.DeleteKey(3));
        ASSERT_TRUE(items.ChangeKey(items.FindRecord(4), 40));
        before = TakeSnapshot(db);
        before.erase(3);  // the table without a name is not in the database
    }
    EXPECT_EQ(SnapshotOfItems(Path()), before);
    // An empty text goes into the database as a single blank and comes back empty.
    EXPECT_EQ(QueryColumn(Path(), "SELECT \"Name\" FROM \"Items\" WHERE \"Key\" = 1"), std::vector<std::string>{" "});
    EXPECT_EQ(QueryColumn(Path(), "SELECT \"Key\" FROM \"Items\" ORDER BY \"Key\""),
              (std::vector<std::string>{"-512", "1", "2", "40"}));
}

TEST_F(MdbDatabaseTest, TheVersionTableDecidesWhetherTheDatabaseOpens)
{
    struct Case {
        const char* name;
        const char* versionSql;
        bool opens;
        std::uint16_t version;
    } const cases[] = {
        {"current", "", true, 327},
        {"older accepted", "UPDATE \"Version\" SET \"Version\" = 326", true, 326},
        {"empty table", "DELETE FROM \"Version\"", false, 0},
        {"unknown version", "UPDATE \"Version\" SET \"Version\" = 201", false, 201},
        {"beyond 16 bits", "UPDATE \"Version\" SET \"Version\" = 65863", false, 0},
    };
    for (const Case& c : cases) {
        {
            MdbTestDatabase maker;
            ASSERT_TRUE(maker.Create(Path()));
        }
        if (*c.versionSql) RunSql(Path(), c.versionSql);
        MdbTestDatabase db;
        EXPECT_EQ(db.Open(Path()), c.opens) << c.name;
        EXPECT_EQ(db.GetFileVersion(), c.version) << c.name;
        if (!c.opens) {
            EXPECT_EQ(db.GetLastErrorText(), GetMessageText(CObjDatabase::kMsgUnsupportedVersion)) << c.name;
        }
    }
}

TEST_F(MdbDatabaseTest, AMissingTableFailsOnlyADatabaseOfTheCurrentVersion)
{
    for (const std::uint16_t version : {std::uint16_t{327}, std::uint16_t{326}}) {
        {
            MdbTestDatabase maker;
            ASSERT_TRUE(maker.Create(Path()));
            ASSERT_TRUE(maker.Open(Path()));
            ASSERT_TRUE(AddItem(*maker.GetTable(1), 5, {1, 1, 1, 1, "kept", ""}));
        }
        RunSql(Path(), "DROP TABLE \"Others\"; UPDATE \"Version\" SET \"Version\" = " + std::to_string(version));
        MdbTestDatabase db;
        const bool current = version == db.GetVersionToWrite();
        EXPECT_EQ(db.Open(Path()), !current) << version;
        if (current) {
            EXPECT_NE(db.GetLastErrorText().find("no such table: Others"), std::string::npos) << db.GetLastErrorText();
            EXPECT_FALSE(db.IsOpen());
        } else {
            EXPECT_EQ(ItemName(*db.GetTable(1)->FindRecord(5)), "kept");
        }
    }
}

TEST_F(MdbDatabaseTest, AHostileFileIsRefusedBeforeAnythingIsReadFromIt)
{
    const std::string endless = "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) ";
    struct Case {
        const char* name;
        std::string sql;
        const char* error;
    } const cases[] = {
        {"a view that never ends",
         "DROP TABLE \"Items\"; CREATE VIEW \"Items\" AS " + endless +
             "SELECT n AS \"Key\", 0 AS \"Flag\", 0 AS \"Count\", 0 AS \"Amount\", 0.0 AS \"Changed\", "
             "'x' AS \"Name\", x'00' AS \"Picture\" FROM r",
         "cannot be read"},
        {"a version view that never ends",
         "DROP TABLE \"Version\"; CREATE VIEW \"Version\" AS " + endless + "SELECT 327 AS \"Version\" FROM r",
         "cannot be read"},
        {"a computed column",
         "DROP TABLE \"Items\"; CREATE TABLE \"Items\" (\"Key\" INTEGER PRIMARY KEY, \"Flag\" INTEGER, "
         "\"Name\" TEXT AS (zeroblob(2000000000)))",
         "cannot be read"},
        {"text where a number belongs",
         "DROP TABLE \"Items\"; CREATE TABLE \"Items\" (\"Key\" INTEGER PRIMARY KEY, \"Count\" TEXT)",
         "cannot be read"},
        {"a value far larger than any record",
         "INSERT INTO \"Items\" (\"Key\", \"Name\") VALUES (1, CAST(zeroblob(5000000) AS TEXT))", "too big"},
    };
    for (const Case& c : cases) {
        for (const std::uint16_t version : {std::uint16_t{327}, std::uint16_t{326}}) {
            {
                MdbTestDatabase maker;
                ASSERT_TRUE(maker.Create(Path()));
            }
            RunSql(Path(), c.sql);
            if (std::string(c.name).find("version") == std::string::npos)
                RunSql(Path(), "UPDATE \"Version\" SET \"Version\" = " + std::to_string(version));
            MdbTestDatabase db;
            EXPECT_FALSE(db.Open(Path())) << c.name << ", version " << version;
            EXPECT_NE(db.GetLastErrorText().find(c.error), std::string::npos) << c.name << ": " << db.GetLastErrorText();
            EXPECT_FALSE(db.IsOpen()) << c.name;
        }
    }
}

TEST_F(MdbDatabaseTest, RowsOfARepeatedKeyStayInTheDatabaseAndOnlyTheFirstIsLoaded)
{
    // A database made elsewhere, whose table has no primary key; columns in another order and one
    // column the catalogue does not know.
    RunSql(Path(), "CREATE TABLE \"Version\" (\"Version\" INTEGER); INSERT INTO \"Version\" VALUES (327);"
                   "CREATE TABLE \"Others\" (\"Key\" INTEGER);"
                   "CREATE TABLE \"Items\" (\"Extra\" TEXT, \"Name_FLD\" TEXT, \"Key\" INTEGER);"
                   "INSERT INTO \"Items\" VALUES ('x', 'first', 5), ('y', 'second', 5), ('z', 'other', 6),"
                   " ('w', 'refused key', -1);");
    MdbTestDatabase db;
    ASSERT_NO_FATAL_FAILURE(OpenCollectingWarnings(db));
    const std::vector<std::string>& warnings = m_warnings;

    const CObjDBTable& items = *db.GetTable(1);
    EXPECT_EQ(items.GetRecordCount(), 2u);
    EXPECT_EQ(ItemName(*items.FindRecord(5)), "first");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("Key 4294967295 is out of range"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("\"Items\""), std::string::npos) << warnings[1];
    EXPECT_NE(warnings[1].find("key 5"), std::string::npos) << warnings[1];
    db.Close();
    EXPECT_EQ(QueryColumn(Path(), "SELECT \"Name_FLD\" FROM \"Items\""),
              (std::vector<std::string>{"first", "second", "other", "refused key"}));
}

TEST_F(MdbDatabaseTest, ARowWhoseKeyIsOutOfRangeIsReportedAndLeftOutWhileTheRestLoads)
{
    {
        MdbTestDatabase maker;
        ASSERT_TRUE(maker.Create(Path()));
    }
    RunSql(Path(), "INSERT INTO \"Items\" (\"Key\", \"Name\") VALUES (5, 'kept'), (3000000000, 'above 2^31'),"
                   " (4294967297, 'not PLU 1'), (4294967296, 'not PLU 0'), (-1, 'minus one')");
    MdbTestDatabase db;
    ASSERT_NO_FATAL_FAILURE(OpenCollectingWarnings(db));
    const std::vector<std::string>& warnings = m_warnings;
    const CObjDBTable& items = *db.GetTable(1);
    EXPECT_EQ(items.GetRecordCount(), 2u);
    EXPECT_EQ(ItemName(*items.FindRecord(5)), "kept");
    EXPECT_EQ(ItemName(*items.FindRecord(3000000000u)), "above 2^31");
    EXPECT_EQ(items.FindRecord(1), nullptr);
    EXPECT_EQ(items.FindRecord(0), nullptr);
    EXPECT_EQ(warnings.size(), 3u);
    for (const std::string& warning : warnings)
        EXPECT_NE(warning.find("\"Items\" holds a row whose Key"), std::string::npos) << warning;
    db.Close();
    EXPECT_EQ(QueryColumn(Path(), "SELECT count(*) FROM \"Items\"").at(0), "5") << "the rows stay in the file";
}

TEST_F(MdbDatabaseTest, AFailedMirrorFailsTheOperationAndLeavesTheTableAsTheDatabaseHoldsIt)
{
    struct Case {
        const char* name;
        std::function<bool(CObjDBTable&)> run;
    } const cases[] = {
        {"add", [](CObjDBTable& t) { return AddItem(t, 99, {1, 1, 1, 1, "new", ""}); }},
        {"update",
         [](CObjDBTable& t) {
             CDBRecord* record = t.FindRecord(98);
             WriteItem(*record, {2, 2, 2, 2, "changed", ""});
             return t.UpdateRecord(record, ItemRow::kSize);
         }},
        {"delete", [](CObjDBTable& t) { return t.DeleteKey(98); }},
        {"change key", [](CObjDBTable& t) { return t.ChangeKey(t.FindRecord(98), 99); }},
        {"change key away", [](CObjDBTable& t) { return t.ChangeKey(t.FindRecord(97), 96); }},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.File("refusing.mdb");
        {
            MdbTestDatabase maker;
            ASSERT_TRUE(maker.Create(path));
            ASSERT_TRUE(maker.Open(path));
            ASSERT_TRUE(AddItem(*maker.GetTable(1), 97, {7, 7, 7, 7, "seven", ""}));
            ASSERT_TRUE(AddItem(*maker.GetTable(1), 98, {8, 8, 8, 8, "eight", ""}));
        }
        // Another program's rule refuses every change that touches keys 98 and 99, or moves 97.
        RunSql(path, "CREATE TRIGGER refuse_add BEFORE INSERT ON \"Items\" WHEN NEW.\"Key\" IN (98, 99)"
                     " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;"
                     "CREATE TRIGGER refuse_update BEFORE UPDATE ON \"Items\" WHEN OLD.\"Key\" = 98"
                     " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;"
                     "CREATE TRIGGER refuse_delete BEFORE DELETE ON \"Items\" WHEN OLD.\"Key\" = 98"
                     " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;"
                     "CREATE TRIGGER refuse_move BEFORE INSERT ON \"Items\" WHEN NEW.\"Key\" = 96"
                     " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;");
        MdbTestDatabase db;
        ASSERT_TRUE(db.Open(path));
        const Snapshot before = TakeSnapshot(db);
        EXPECT_FALSE(c.run(*db.GetTable(1))) << c.name;
        EXPECT_EQ(db.GetLastErrorText(), "refused by the test") << c.name;
        EXPECT_EQ(TakeSnapshot(db), before) << c.name << ": memory changed";
        db.Close();
        EXPECT_EQ(SnapshotOfItems(path), before) << c.name << ": the database changed";
    }
}

TEST_F(MdbDatabaseTest, ASharedDatabaseSeesAChangeMadeByAnotherProcess)
{
    {
        MdbTestDatabase maker;
        CreateAndOpen(maker);
        ASSERT_TRUE(AddItem(*maker.GetTable(1), 1, {1, 1, 1, 1, "before", ""}));
    }
    MdbTestDatabase db;
    db.SetShared(true);
    ASSERT_TRUE(db.Open(Path()));
    ASSERT_EQ(ItemName(*db.GetTable(1)->GetRecord(1)), "before");

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The other program: its own connection, sharing the database too.
        MdbTestDatabase other;
        other.SetShared(true);
        bool ok = other.Open(Path());
        if (ok) {
            CDBRecord* record = other.GetTable(1)->GetRecord(1);
            WriteItem(*record, {2, 2, 2, 2, "after", ""});
            ok = other.GetTable(1)->UpdateRecord(record, ItemRow::kSize);
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(ItemName(*db.GetTable(1)->FindRecord(1)), "before") << "the index alone is not read again";
    EXPECT_EQ(ItemName(*db.GetTable(1)->GetRecord(1)), "after");
}

TEST_F(MdbDatabaseTest, AnExclusiveOpenRefusesOtherOpeners)
{
    {
        MdbTestDatabase maker;
        ASSERT_TRUE(maker.Create(Path()));
    }
    struct Opener {
        bool shared;
        bool readOnly;
    };
    struct Case {
        const char* name;
        Opener first;
        Opener second;
        bool secondOpens;
    } const cases[] = {
        {"exclusive, exclusive", {false, false}, {false, false}, false},
        {"shared, shared", {true, false}, {true, false}, true},
        {"read-only, read-only", {false, true}, {false, true}, true},
        {"read-only, exclusive writer", {false, true}, {false, false}, false},
    };
    for (const Case& c : cases) {
        MdbTestDatabase first;
        first.SetShared(c.first.shared);
        first.SetReadOnly(c.first.readOnly);
        ASSERT_TRUE(first.Open(Path())) << c.name;
        MdbTestDatabase second;
        second.SetShared(c.second.shared);
        second.SetReadOnly(c.second.readOnly);
        EXPECT_EQ(second.Open(Path()), c.secondOpens) << c.name;
        if (!c.secondOpens) {
            EXPECT_EQ(second.GetLastErrorText(), "database is locked") << c.name;
        }
    }
}

TEST_F(MdbDatabaseTest, AReadOnlyDatabaseChangesOnlyInMemory)
{
    {
        MdbTestDatabase maker;
        CreateAndOpen(maker);
        ASSERT_TRUE(AddItem(*maker.GetTable(1), 1, {1, 1, 1, 1, "stored", ""}));
    }
    const auto stored = SnapshotOfItems(Path());
    MdbTestDatabase db;
    db.SetReadOnly(true);
    ASSERT_TRUE(db.Open(Path()));
    ASSERT_TRUE(AddItem(*db.GetTable(1), 2, {2, 2, 2, 2, "memory", ""}));
    ASSERT_TRUE(db.GetTable(1)->DeleteKey(1));
    EXPECT_EQ(db.GetTable(1)->GetRecordCount(), 1u);
    db.Close();
    EXPECT_EQ(SnapshotOfItems(Path()), stored);
}

TEST_F(MdbDatabaseTest, FilesThatAreNoDatabaseOfOursFailWithAClearText)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string error;
    } const cases[] = {
        {"Access 97-2003", std::string("\x00\x01\x00\x00Standard Jet DB\x00", 20) + std::string(200, '\0'),
         std::string(GetMessageText(CObjDatabase::kMsgAccessDatabase))},
        {"Access 2007 and later", std::string("\x00\x01\x00\x00Standard ACE DB\x00", 20) + std::string(200, '\0'),
         std::string(GetMessageText(CObjDatabase::kMsgAccessDatabase))},
        {"other bytes", std::string(600, 'x'), "file is not a database"},
    };
    for (const Case& c : cases) {
        WriteWholeFile(Path(), c.bytes);
        MdbTestDatabase db;
        EXPECT_FALSE(db.Open(Path())) << c.name;
        EXPECT_EQ(db.GetLastErrorText(), c.error) << c.name;
    }
    EXPECT_NE(GetMessageText(CObjDatabase::kMsgAccessDatabase).find("Microsoft Access"), std::string_view::npos);

    MdbTestDatabase db;
    EXPECT_FALSE(db.Open(m_dir.File("missing.mdb")));
    EXPECT_EQ(db.GetLastErrorText(), "unable to open database file");
    EXPECT_TRUE(m_prompt.m_ids.empty()) << "the caller shows its own message";
}

TEST_F(MdbDatabaseTest, AnyOtherExtensionIsTriedAsAPldFileFirst)
{
    const std::string path = m_dir.File("store.dat");
    {
        MdbTestDatabase maker;
        ASSERT_TRUE(maker.CreateMdb(path));
        ASSERT_TRUE(maker.Open(path));
        EXPECT_TRUE(maker.IsDaoMode());
        ASSERT_TRUE(AddItem(*maker.GetTable(1), 1, {1, 1, 1, 1, "dat", ""}));
    }
    MdbTestDatabase db;
    db.SetChooseByExtension(false);
    EXPECT_FALSE(db.Open(path)) << "without the choice by extension every file is a .pld file";
    MdbTestDatabase pld;
    ASSERT_TRUE(pld.Create(m_dir.File("store.pld")));
    ASSERT_TRUE(pld.Open(m_dir.File("store.pld")));
    EXPECT_FALSE(pld.IsDaoMode());
}

}  // namespace
}  // namespace varnel::test
