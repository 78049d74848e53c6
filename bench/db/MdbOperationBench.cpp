// User-level operations on a 65,535-PLU ".mdb" database, each beside its reference measured in the same
// run: the same rows written by plain SQLite in one transaction, into a file of the same schema (made
// by the store) with the same settings (journal, sync and locking as the store opens with).
//   AddAllPlus: every PLU added, as one operation; the reference inserts the same rows.
//   ChangeEveryPrice: every PLU's unit price changed, as one operation; the reference updates the
//   price column of each row by its key.
// The time shown is the store's; counters give the reference's and the store's seconds and their ratio
// (the goal is at most 3).
#include "AgainstReference.h"
#include "BenchFiles.h"
#include "BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/store/StoreTransaction.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;
using bench::Clock;

std::string BenchPath() { return bench::BenchPath("mdb-operation", "mdb"); }

// A new, empty database file of every table; the store's own schema.
bool CreateFile(const std::string& path)
{
    std::remove(path.c_str());
    CPluDatabase db;
    db.CreateAllTables();
    return db.Create(path);
}

// A plain connection with the settings the store opens with.
void OpenPlain(SqliteDatabase& db, const std::string& path)
{
    (void)db.Open(path, SqliteOpen::ReadWrite);
    (void)db.Exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = EXTRA; PRAGMA locking_mode = EXCLUSIVE");
}

Result<void> Bind(SqliteStatement& statement, int index, const FieldVariant& value)
{
    return std::visit(
        [&](const auto& v) -> Result<void> {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_integral_v<V>) return statement.BindInt(index, v);
            else if constexpr (std::is_same_v<V, std::string>) return statement.BindText(index, v);
            else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) return statement.BindBlob(index, v);
            else if constexpr (std::is_same_v<V, COleDateTime>) return statement.BindDouble(index, v.value);
            else return statement.BindNull(index);
        },
        value);
}

bool Run(SqliteStatement& statement)
{
    const bool done = statement.Step().HasValue();
    statement.Reset();
    return done;
}

// The reference of AddAllPlus: each row made as the store's run makes it, its columns bound in one
// INSERT statement.
double PlainInsert(const std::string& path, const CPluDefTb& plus)
{
    const std::vector<DBFieldDef>& columns = plus.GetFields();
    SqliteDatabase db;
    OpenPlain(db, path);
    std::string names;
    std::string values;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + SqliteQuoteName(columns[i].m_name);
        values += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    auto insert = db.Prepare("INSERT INTO \"Plus\" (" + names + ") VALUES (" + values + ")");
    CPluDefRec row;
    const auto start = Clock::now();
    bool ok = insert && db.Exec("BEGIN").HasValue();
    for (std::uint32_t number = 1; ok && number <= kPlus; ++number) {
        bench::MakeBenchPlu(plus, row, number);
        row.SetKey(number);
        for (std::size_t i = 0; ok && i < columns.size(); ++i)
            ok = Bind(*insert, static_cast<int>(i + 1), row.GetFieldVariant(columns[i])).HasValue();
        ok = ok && Run(*insert);
    }
    ok = ok && db.Exec("COMMIT").HasValue();
    return ok ? bench::SecondsSince(start) : -1;
}

// AddAllPlus of the store: a new database opened, every PLU added in one operation.
double StoreInsert(const std::string& path)
{
    CPluDatabase db;
    db.CreateAllTables();
    if (!db.Open(path)) return -1;
    CPluDefTb& plus = *db.GetPluTable();
    const auto start = Clock::now();
    StoreTransaction operation(db);
    bool ok = true;
    for (std::uint32_t number = 1; ok && number <= kPlus; ++number) ok = bench::AddBenchPlu(plus, number);
    ok = ok && operation.Commit();
    return ok ? bench::SecondsSince(start) : -1;
}

void Report(benchmark::State& state, double reference, double store)
{
    bench::ReportAgainstReference(state, "store", reference, store, "an operation failed");
}

void AddAllPlus(benchmark::State& state)
{
    test::TestMainFrame frame;
    const std::string path = BenchPath();
    double reference = 0;
    double store = 0;
    CPluDatabase layout;  // the table whose columns, defaults and text rules the reference's rows take
    layout.CreateAllTables();
    for (auto _ : state) {
        if (!CreateFile(path)) state.SkipWithError("creating the file failed");
        reference = PlainInsert(path, *layout.GetPluTable());
        if (!CreateFile(path)) state.SkipWithError("creating the file failed");
        store = StoreInsert(path);
        state.SetIterationTime(std::max(store, 0.0));
    }
    std::remove(path.c_str());
    Report(state, reference, store);
}

void ChangeEveryPrice(benchmark::State& state)
{
    test::TestMainFrame frame;
    const std::string path = BenchPath();
    double reference = 0;
    double store = 0;
    std::int32_t price = 2000;
    for (auto _ : state) {
        if (!CreateFile(path) || StoreInsert(path) < 0) state.SkipWithError("filling the database failed");
        {
            ++price;
            SqliteDatabase db;
            OpenPlain(db, path);
            auto update = db.Prepare("UPDATE \"Plus\" SET \"UnitPrice\" = ?1 WHERE \"Plu_No\" = ?2");
            const auto start = Clock::now();
            bool ok = update && db.Exec("BEGIN").HasValue();
            for (std::uint32_t number = 1; ok && number <= kPlus; ++number)
                ok = update->BindInt(1, price).HasValue() && update->BindInt(2, number).HasValue() && Run(*update);
            ok = ok && db.Exec("COMMIT").HasValue();
            reference = ok ? bench::SecondsSince(start) : -1;
        }
        {
            ++price;
            CPluDatabase db;
            db.CreateAllTables();
            if (!db.Open(path)) state.SkipWithError("open failed");
            CPluDefTb& plus = *db.GetPluTable();
            const auto start = Clock::now();
            StoreTransaction operation(db);
            bool ok = true;
            for (std::uint32_t number = 1; ok && number <= kPlus; ++number)
                ok = plus.ChangePrice(number, price, 0, false, false);
            ok = ok && operation.Commit();
            store = ok ? bench::SecondsSince(start) : -1;
        }
        state.SetIterationTime(std::max(store, 0.0));
    }
    std::remove(path.c_str());
    Report(state, reference, store);
}

}  // namespace

BENCHMARK(AddAllPlus)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ChangeEveryPrice)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->UseManualTime()->Unit(benchmark::kMillisecond);
