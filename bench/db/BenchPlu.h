// The PLU of the benchmark database as a user would key it in: a two-line description, a name and a price;
// and the database file that the benchmarks fill with PLUs.
#pragma once

#include "BenchDescription.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace varnel::bench {

// The PLU of the number from a new row, under the table's setup, field definitions and text rules.
inline void MakeBenchPlu(const CPluDefTb& plus, CPluDefRec& row, std::uint32_t number)
{
    const CharRule chars = plus.GetRoles().Text().chars;
    plus.InitNewPlu(number, row);
    row.SetDesc(BenchDescription(number), chars);
    row.SetNameFromDesc(chars);
    row.Set(PluCol::UnitPrice, static_cast<std::int32_t>(number % 5000));
}

// Adds the PLU of the number, made by `make` from a new row; false when the table refuses it.
template <class Make>
bool AddPlu(CPluDefTb& plus, std::uint32_t number, Make make)
{
    auto row = std::make_unique<CPluDefRec>();
    make(plus, *row, number);
    const std::uint16_t size = row->CalcDataSize();
    return plus.AddPlu(number, size, std::move(row));
}

inline bool AddBenchPlu(CPluDefTb& plus, std::uint32_t number) { return AddPlu(plus, number, MakeBenchPlu); }

// Makes the file new with every table and opens it; false when it cannot be made or opened.
inline bool CreatePluFile(CPluDatabase& db, const std::string& path)
{
    std::remove(path.c_str());
    db.CreateAllTables();
    if (!db.Create(path) || !db.Open(path)) return false;
    db.CreateAllTables();
    return true;
}

}  // namespace varnel::bench
