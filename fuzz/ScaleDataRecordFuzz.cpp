// Any bytes as a record of a scale-data table, from a scale of any family, from the file link or from
// a Data Save file: the table stores it or refuses it, never reading past it; every row it then holds
// is encoded again for that family (and for the file link), and its key record too. For a price master table the bytes are
// the price part of a family-9 PLU record, stored and compared, and the part of the stored record is
// written again.
//
// Input: byte 0 the market and Korean font option (FuzzMainFrame); byte 1 the table (by its place
// among the scale-data tables); byte 2 the family (low 4 bits, 0 to 12) and the form (bits 4-5: 0 a
// scale's record, 1 the file link's, 2 Data Save's), bit 6 Data Save's short number form, bit 7 the
// same-number rule; byte 3 the highest message and coupon numbers (0 99, 1 9999, 2 99999, 3 99999999),
// bit 4 nutrition in use (the panel layout in markets 1 and 2), bit 5 campaigns by day of week, bit
// 6 a tare format of 1; the record.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"

#include "db/plu/DBComTb.h"
#include "db/plu/PluDatabase.h"
#include "scaledata/RuxPriceTb.h"
#include "scaledata/ScaleDataTables.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 4;
constexpr std::array<std::uint16_t, 26> kTables{4,  8,  29, 30, 70, 72, 73, 74, 75, 76, 77, 78, 37,
                                                79, 80, 81, 82, 83, 9,  10, 87, 7,  71, 53, 34, 3};
constexpr std::uint16_t kPriceMaster = 87;

// Nothing is kept of a compare.
class NoCompareResults final : public varnel::IPluCompareResults {
public:
    void AddScaleKey(std::uint32_t) override {}
    void AddNotInDatabase(std::uint32_t) override {}
    void AddDifferent(std::uint32_t) override {}
    void WriteLine(std::string_view) override {}
};

void FuzzPricePart(varnel::CRuxPriceTb& table, const varnel::CLinkScaleSettings& scale,
                   std::span<const std::uint8_t> record)
{
    // The PLU records hand the part over as text ending in a 0 byte, which the readers change in place.
    std::vector<char> text(record.begin(), record.end());
    text.push_back('\0');
    const std::span<char> part = std::span<char>(text).first(record.size());
    std::size_t position = 0;
    (void)table.StoreReceivedRecord(scale, 1, part, position);
    Require(position <= record.size());
    text.assign(record.begin(), record.end());
    text.push_back('\0');
    position = 0;
    NoCompareResults results;
    (void)table.CompareReceivedRecord(scale, std::span<char>(text).first(record.size()), position, results, 1);
    Require(position <= record.size());
    std::array<std::uint8_t, 1024> buffer{};
    varnel::RecordFields fields(buffer);
    (void)table.WriteCsvFields(scale, 1, fields);
    Require(fields.Position() <= buffer.size());
}
constexpr std::array<std::uint32_t, 4> kHighest{99, 9999, 99999, 99999999};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    varnel::fuzz::FuzzMainFrame frame(data[0]);
    frame.m_setup.m_maxExMessageNo = kHighest[data[3] & 3];
    frame.m_setup.m_maxCouponNo = kHighest[(data[3] >> 2) & 3];
    frame.m_setup.m_itemRecordExtension = (data[2] >> 6) & 1;
    frame.m_setup.m_overwriteExisting = (data[2] >> 7) & 1;
    frame.m_setup.m_nutritionInUse = (data[3] >> 4) & 1;
    frame.m_setup.m_campaignDayOfWeek = (data[3] >> 5) & 1;
    frame.m_setup.m_maxCampaignNo = 255;
    frame.m_setup.m_maxStoreNo = 9999;
    const auto family = static_cast<std::uint16_t>((data[2] & 0x0F) % 13);
    const int form = (data[2] >> 4) & 3;

    varnel::RegisterScaleDataTables({frame, frame, frame});
    varnel::CPluDatabase database;
    database.CreateAllTables();
    const std::uint16_t tableNo = kTables[data[1] % kTables.size()];
    // An exact copy, so that a read past the record's end is caught.
    const std::vector<std::uint8_t> record(data + kSettingsBytes, data + size);
    varnel::CLinkScaleSettings scale;
    scale.m_scaleType = family;
    scale.m_tareFormat = (data[3] >> 6) & 1;
    if (tableNo == kPriceMaster) {
        auto* prices = dynamic_cast<varnel::CRuxPriceTb*>(database.GetTable(tableNo));
        Require(prices != nullptr);
        FuzzPricePart(*prices, scale, record);
        return 0;
    }
    auto* table = dynamic_cast<varnel::CDBComTb*>(database.GetTable(tableNo));
    Require(table != nullptr);
    switch (form) {
    case 0: (void)table->ReceiveScaleRecord(scale, record); break;
    case 1: (void)table->DecodeLumenRecord(family, record); break;
    default: (void)table->DecodeItemRecord(record); break;
    }
    // A campaign's lines go to their own table.
    Require(table->GetRecordCount() <= 1);

    std::array<std::uint8_t, 4096> buffer{};
    const varnel::BuildLock lock = table->LockRecordBuild();
    varnel::KeyCursor cursor = 0;
    while (const varnel::CDBRecord* row = table->PeekNextRecord(cursor)) {
        varnel::ScaleRecordOut out{buffer};
        if (table->EncodeRecord(lock, scale, *row, out)) Require(out.length <= buffer.size());
        varnel::ScaleRecordOut key{buffer};
        if (table->EncodeKeyRecord(lock, scale, row->GetKey(), key)) Require(key.length <= buffer.size());
        Require(table->EncodeItemRecord(*row, buffer) <= buffer.size());
        std::uint16_t length = 0;
        if (table->EncodeLumenRecord(family, row->GetKey(), buffer, length)) Require(length <= buffer.size());
    }
    return 0;
}
