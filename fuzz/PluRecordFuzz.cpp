// Any bytes as a PLU record from a scale of any family and market, as a Lumen record and as an item
// record of a Data Save file: the decoders never crash or read past the record, a PLU they store has a
// number from 1 to "Max. PLU No." and a description of at most 2050 bytes, the comparison with the
// stored PLU runs, and a PLU read from an item record goes into an item record again and reads back.
//
// Input: byte 0 the market and Korean font option (FuzzMainFrame), byte 1 the family (low 4 bits), the
// scale's added day (bit 4), tare format (bit 5) and the item record's long form (bit 6); the record.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"

#include "db/plu/PluCompare.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"

#include <array>
#include <cstdint>
#include <span>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 2;

struct IgnoredCompare final : varnel::IPluCompareResults {
    void AddScaleKey(std::uint32_t) override {}
    void AddNotInDatabase(std::uint32_t) override {}
    void AddDifferent(std::uint32_t) override {}
    void WriteLine(std::string_view) override {}
};

// Every PLU the table holds is one the decoders may store.
void RequireSoundPlus(varnel::CPluDefTb& plus, std::uint32_t maxPlu)
{
    varnel::KeyCursor cursor = 0;
    while (const varnel::CDBRecord* record = plus.PeekNextRecord(cursor)) {
        const auto* row = dynamic_cast<const varnel::CPluDefRec*>(record);
        Require(row && row->GetKey() >= 1 && row->GetKey() <= maxPlu);
        Require(row->GetDesc().size() <= varnel::kPluDescMax);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    varnel::fuzz::FuzzMainFrame frame(data[0]);
    frame.m_setup.m_itemRecordExtension = (data[1] >> 6) & 1;
    frame.m_setup.m_maxPluNo = 999999;
    varnel::CLinkScaleSettings scale;
    scale.m_scaleType = data[1] & 0x0F;
    scale.m_addOneDay = (data[1] >> 4) & 1;
    scale.m_tareFormat = (data[1] >> 5) & 1;
    const std::span record(data + kSettingsBytes, size - kSettingsBytes);

    varnel::CPluDatabase database;
    database.CreateAllTables();
    varnel::CPluDefTb& plus = *database.GetPluTable();
    (void)plus.ReceiveScaleRecord(scale, record);
    (void)plus.DecodeLumenRecord(scale.m_scaleType, record);
    IgnoredCompare compare;
    (void)plus.ComparePluRecord(scale, record, compare);
    RequireSoundPlus(plus, frame.m_setup.m_maxPluNo);

    varnel::CPluDatabase items;
    items.CreateAllTables();
    varnel::CPluDefTb& itemPlus = *items.GetPluTable();
    if (!itemPlus.DecodeItemRecord(record)) return 0;
    RequireSoundPlus(itemPlus, frame.m_setup.m_maxPluNo);
    varnel::KeyCursor cursor = 0;
    const varnel::CDBRecord* stored = itemPlus.PeekNextRecord(cursor);
    if (!stored) return 0;  // a PLU number the frame leaves out
    std::array<std::uint8_t, 8192> buffer{};
    const std::size_t length = itemPlus.EncodeItemRecord(*stored, buffer);
    if (length == 0) return 0;  // a value read back that its field cannot carry, such as a POS flag of 255
    frame.m_setup.m_overwriteExisting = 1;
    Require(itemPlus.DecodeItemRecord(std::span(buffer).first(length)));
    return 0;
}
