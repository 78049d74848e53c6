// Any bytes as a stored PLU row (as a ".pld" file or a database hands them over) encoded into the PLU
// record of every scale family and into the item record: the encoders never crash or write past their
// buffer, and a record they make fits it.
//
// Input: byte 0 the market and Korean font option (FuzzMainFrame), byte 1 the scale's added day (bit 0),
// tare format (bit 1), two-colour printer (bit 2) and the item record's long form (bit 3); the row's bytes.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecord.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 2;
constexpr std::uint32_t kPluNumber = 1;
constexpr std::uint16_t kFamilies = 13;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    varnel::fuzz::FuzzMainFrame frame(data[0]);
    frame.m_setup.m_itemRecordExtension = (data[1] >> 3) & 1;
    const std::span row(data + kSettingsBytes, size - kSettingsBytes);

    varnel::CPluDatabase database;
    database.CreateAllTables();
    varnel::CPluDefTb& plus = *database.GetPluTable();
    auto record = plus.CreateRecord(0);
    auto* plu = dynamic_cast<varnel::CPluDefRec*>(record.get());
    Require(plu != nullptr);
    std::ranges::copy(row.first(std::min(row.size(), plu->Bytes().size())), plu->Bytes().begin());
    const std::uint16_t stored = plu->GetDataSize();
    if (!plus.AddRecord(kPluNumber, stored, std::move(record))) return 0;

    // Room past the largest record, filled with a mark: an encoder that writes past its length shows.
    std::array<std::uint8_t, 16384> buffer{};
    const varnel::SiteSettingsPtr settings = frame.GetSiteSettings();
    for (std::uint16_t family = 0; family < kFamilies; ++family) {
        varnel::CLinkScaleSettings scale;
        scale.m_scaleType = family;
        scale.m_addOneDay = data[1] & 1;
        scale.m_tareFormat = (data[1] >> 1) & 1;
        scale.m_twoColour = (data[1] >> 2) & 1;
        buffer.fill(0xA5);
        varnel::ScaleRecordOut out{std::span(buffer).first(8192)};
        out.settings = settings.get();
        const varnel::BuildLock lock = plus.LockRecordBuild();
        if (varnel::BuildPluRecord(plus, lock, scale, kPluNumber, out)) Require(out.length <= 8192);
        Require(std::ranges::all_of(std::span(buffer).subspan(8192), [](std::uint8_t b) { return b == 0xA5; }));
    }
    const varnel::CDBRecord* kept = plus.FindRecord(kPluNumber);
    Require(kept != nullptr);
    (void)plus.EncodeItemRecord(*kept, std::span(buffer).first(8192));
    return 0;
}
