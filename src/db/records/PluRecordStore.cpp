// PLU records received from scales, stored in the PLU table: the record read into a block of the PLU's
// defaults, merged into the row (created when absent) and the values of the price zone the record
// belongs to, as one operation on the database. The decoders hold the table's build lock while the
// current-scale fields name the sending scale, so that a record build for another scale never sees
// them, and while they change the table, which the link threads' range walks step through under that
// lock.
#include "db/plu/PluDefTb.h"

#include "db/text/DoubleByteText.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/records/PluRecordReaders.h"
#include "db/plu/RuxPriceRecord.h"
#include "db/store/StoreTransaction.h"

namespace varnel {
namespace {

constexpr int kExtraPriceTables = 5;

// The zone whose values a received record carries: the scale's in head-office mode, else the store's own.
std::uint16_t ReceivedZone(const CGeneralSetup& setup, const CLinkScaleSettings& scale)
{
    return setup.IsHeadOfficeMode() ? scale.m_priceZone : setup.GetLocalPriceZone();
}

bool HasReceivedLayout(std::uint16_t family) { return family <= 12 && family != 7; }

// Family 9's price blocks, one per extra price table, each taken by its table; the first table's
// record then gives the PLU its prices. A table whose block is missing loses its record of the PLU.
// Without the tables the first block is read as the PLU's own.
void ReadExtraPriceBlocks(const PluDecodeContext& context, IRuxPriceTables* tables, std::uint32_t pluNumber,
                          DecodedPluFields& decoded)
{
    const std::span<char> text(decoded.csvText);
    std::size_t position = decoded.priceFields;
    if (!tables) return ReadOwnPriceBlock(context, text, position);
    const std::size_t end = decoded.csvText.size() - 1;  // the 0 byte after the record
    int read = 0;
    while (read < kExtraPriceTables && position < end) {
        ++read;
        if (!tables->StoreReceivedBlock(read, context.scale, pluNumber, text, position)) break;
    }
    if (read > 0)
        if (const auto record = tables->FindRecord(1, pluNumber)) PluFromRuxPriceRecord(context.row, *record);
    for (int table = read + 1; table <= kExtraPriceTables; ++table)
        if (tables->FindRecord(table, pluNumber)) tables->ResetRecord(table, pluNumber);
}

}  // namespace

bool CPluDefTb::CheckPluAllowed(std::uint32_t pluNumber) const
{
    const bool allowed = GetRoles().rules.IsPluNumberAllowed(pluNumber);
    if (!allowed) GetRoles().log.SetInvalidRecordFlag(1);
    return allowed;
}

bool CPluDefTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return StoreReceivedPlu(scale, GetRoles().FamilyOf(scale), data, false);
}

bool CPluDefTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeRecordType9(scale, data);
}

bool CPluDefTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return StoreReceivedPlu(scale, GetRoles().FamilyOf(scale), data, false);
}

bool CPluDefTb::DecodeRecordType2(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return StoreReceivedPlu(scale, GetRoles().FamilyOf(scale), data, false);
}

bool CPluDefTb::DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return StoreReceivedPlu(scale, GetRoles().FamilyOf(scale), data, false);
}

bool CPluDefTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    if (family < 6 || family > 8) return false;
    const CLinkScaleSettings defaults;  // price zone 0, no added day, the default family
    return StoreReceivedPlu(defaults, family, data, true);
}

bool CPluDefTb::StoreReceivedPlu(const CLinkScaleSettings& scale, std::uint16_t family,
                                 std::span<const std::uint8_t> record, bool lumen)
{
    if (!lumen && !HasReceivedLayout(family)) return false;
    const CGeneralSetup& setup = GetRoles().Setup();
    const TextRules text = GetRoles().Text();
    const bool ausNz = text.ausNzNutrition;
    const std::optional<std::uint32_t> plu = ReadPluNumber(setup, ausNz, family, record);
    if (!plu || *plu == 0 || *plu > setup.m_maxPluNo) return false;
    // A PLU the profile leaves out is passed over, the frame told; the other records still go in.
    if (!CheckPluAllowed(*plu)) return true;

    CPluDefRec block;
    InitNewPlu(*plu, block);
    // The row, its zone values and its extra prices change together or not at all. The operation
    // ends after the build lock is let go: a rollback reads the rows again under that lock.
    StoreTransaction operation(*GetDatabase());
    bool stored = false;
    {
        // The range walks of the link threads step through the table under the same lock.
        const BuildLock lock = LockRecordBuild();
        const CurrentScale current(*this, lock, scale);
        const PluDecodeContext context{block, scale, family, setup, ausNz, text, GetRoles()};
        if (lumen && family == 7) {
            ReadFamily7Record(context, record);
        } else if (lumen) {
            ReadBcdBody(context, record, true);
        } else {
            DecodedPluFields decoded = DecodePluFields(context, record);
            if (family == 9) ReadExtraPriceBlocks(context, m_ruxPriceTables, *plu, decoded);
        }
        block.Set(PluCol::LabelWidth, setup.GetLabelWidth(*plu));
        block.Set(PluCol::DescLen, ausNz ? std::uint16_t{100} : setup.GetDescLength(*plu));
        stored = MergeReceivedPlu(block, *plu, ReceivedZone(setup, scale));
    }
    return stored && operation.Commit();
}

bool CPluDefTb::MergeReceivedPlu(const CPluDefRec& block, std::uint32_t pluNumber, std::uint16_t zone)
{
    CPluPriceZoneTb* zones = GetPriceZoneTable();
    CPluDefRec* row = FindPlu(pluNumber);
    std::unique_ptr<CPluDefRec> created;
    if (!row) {
        // A new PLU takes every value of the block, in no zone; zone rows of an earlier one go.
        created = std::make_unique<CPluDefRec>(block);
        row = created.get();
        zone = 0;
        if (zones && !zones->DeletePlu(pluNumber)) return false;
    }
    const CPluDefRec before = *row;
    if (zones && zone != 0 && !zones->RemoveZoneFromPlu(pluNumber, zone)) return false;
    PriceZoneEntries entries;
    MergePluData(zone, block, *row, entries, nullptr);
    const CharRule chars = GetRoles().Text().chars;
    row->SetDesc(block.GetDesc(), chars);
    row->SetNameFromDesc(chars);
    const std::uint16_t size = row->CalcDataSize();
    if (created) {
        if (!AddPlu(pluNumber, size, std::move(created))) return false;
    } else if (!UpdatePlu(*row, size)) {
        *row = before;  // what is stored stays as it was
        return false;
    }
    return !zones || zones->WritePlu(pluNumber, entries, row);
}

}  // namespace varnel
