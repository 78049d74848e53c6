// The conversion of a PLU database written by an older version, on the tables in memory: nothing here
// writes to the database's file. The document saves the converted tables in the current format as a
// whole new file afterwards, so a refused or failed save leaves the old file as it was.
//
// Offsets are into a row's data (after its header); a row too short for a field is left without it.
#pragma once

#include <cstdint>

namespace varnel {

class CPluDatabase;

enum class MigrationStep {
    Current,        // 327: nothing to convert
    Unsupported,    // refused with "Cannot open database\nUnsupported file version"
    OldRowsAndTextV,  // 100: the oldest rows' texts, then old table 5 and 6 records after the save
    NutritionAndStores,   // 200, 202
    NutritionAndZones,    // 203
    ZonesAndRows,         // 204 to 206
    ZonesAndRelay,        // 300, 301
    RelayOnly,            // 244, 310
    OldPriceFields,       // 320 to 325
    SixByteMove,          // 326
};

MigrationStep GetMigrationStep(std::uint16_t storedVersion);
// Versions whose ".pld" records are read in the 10-byte-header layout and convert themselves first.
bool HasOldRecordLayout(std::uint16_t storedVersion);

// Runs the step's conversions that come before the save; `pld` tells a ".pld" container, whose rows
// still have their old layouts, from an ".mdb" one, read through the current columns.
void ConvertTables(CPluDatabase& database, MigrationStep step, bool pld);
// Version 100, after its save: the store record with key 1 gets its old text block in its new place.
void ConvertOldStoreRecord(CPluDatabase& database);

// The single conversions, exposed for their tests.
namespace migration {
constexpr std::uint16_t kPluTable = 2;
constexpr std::uint16_t kExtraMessageTable = 4;
constexpr std::uint16_t kStoreTable = 7;
constexpr std::uint16_t kNutritionTable = 9;
constexpr std::uint16_t kPriceZoneTable = 15;

void LinkNutrition(CPluDatabase& database, bool pld);
void RelayNutritionRecords(CPluDatabase& database);
void WidenOldPluFields(CPluDatabase& database, bool clearField156);
void ClearExtraMessageField(CPluDatabase& database);
void MoveStoreTexts(CPluDatabase& database);
void RenumberPriceZoneRows(CPluDatabase& database);
void MoveSixBytes(CPluDatabase& database);
void CleanOldestPluTexts(CPluDatabase& database);
// Rows written before version 326 lack four one-byte settings: the tray flag gets 2, the wrapping
// mode, conveyor speed and labelling mode 1.
void SetOldLayoutDefaults(CPluDatabase& database);
}  // namespace migration

}  // namespace varnel
