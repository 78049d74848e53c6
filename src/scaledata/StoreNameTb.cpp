#include "scaledata/StoreNameTb.h"

#include "db/store/MdbTableDef.h"
#include "db/text/NationalChars.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"
#include "scaledata/StoreNameRecords.h"

namespace varnel {
namespace {

constexpr std::uint16_t kTextCode = 34;
constexpr std::uint16_t kBinaryCode = 31;
constexpr std::uint16_t kTextKeyCode = 23;
constexpr std::uint16_t kBinaryKeyCode = 1;
constexpr std::size_t kDataSaveRecordSize = 89;

StoreRecordSite StoreSiteOf(const ScaleDataRoles& roles, bool bigEndian = false)
{
    return {roles.Text(), roles.Setup().m_seriesNumber != 0, bigEndian};
}

bool IsTextFamily(std::uint16_t family) { return family <= 5; }

}  // namespace

CStoreNameRec* CStoreNameTb::FindStore(std::uint32_t number) const { return FindRow(number); }

void CStoreNameTb::CreateTableDef(MdbTableDef& definition) const
{
    CObjDBTable::CreateTableDef(definition);
    DeclareTextWidth(*this, definition, "Name", store_name_columns::kDeclaredTextWidth);
    DeclareTextWidth(*this, definition, "Address", store_name_columns::kDeclaredTextWidth);
}

std::uint32_t CStoreNameTb::GetMaxKey() const { return GetRoles().Setup().m_maxStoreNo; }

bool CStoreNameTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const CStoreNameRec* row = AsRow(record);
    const std::uint32_t key = record.GetKey();
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (!row) return false;
    const StoreRecordSite site = StoreSiteOf(GetRoles());
    if (IsTextFamily(family)) {
        if (key < 1 || key > kTextFamilyStores) return false;
        const bool narrow = family >= 1 && family <= 3;
        return BuildScaleRecord(out, HeaderKind::None, kTextCode, [&](RecordFields& f) {
            WriteStoreRecord(narrow ? StoreForm::Narrow : StoreForm::Text, site, key, *row, f);
            if (!narrow && f.Ok()) TranslateNationalBytes(f.WrittenSince(0), site.rules.market, true);
            f.Terminate();
        });
    }
    if (family != 6 && family != 8) return false;
    return BuildScaleRecord(out, HeaderKind::Short, kBinaryCode,
                            [&](RecordFields& f) { WriteStoreRecord(StoreForm::Binary, site, key, *row, f); });
}

bool CStoreNameTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                   ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (family == 6 || family == 8)
        return BuildScaleRecord(out, HeaderKind::None, kBinaryKeyCode,
                                [key](RecordFields& f) { f.Bcd("Store_No", key, 4); });
    if (family != 0 && family != 1 && family != 4 && family != 5) return false;
    const bool usa = GetRoles().Setup().m_market == MarketUsa;
    return BuildScaleRecord(out, HeaderKind::None, kTextKeyCode, [&](RecordFields& f) {
        f.Text(usa ? "23" : "2302");
        f.Decimal("Store_No", key, 2);
        f.Terminate();
    });
}

bool CStoreNameTb::StoreReceived(StoreForm form, const StoreRecordSite& site, std::span<const std::uint8_t> data,
                                 bool keepExisting)
{
    return StoreReceivedNumber(
        *this, ReadStoreNumber(form, data),
        [&](CDBRecord& record) -> std::uint16_t {
            ReadStoreRecord(form, site, data, dynamic_cast<CStoreNameRec&>(record));
            return CStoreNameRec::kSize;
        },
        keepExisting);
}

bool CStoreNameTb::DecodeRecordType6or8(const CLinkScaleSettings&, std::span<const std::uint8_t> data)
{
    return StoreReceived(StoreForm::Binary, StoreSiteOf(GetRoles()), data, false);
}

bool CStoreNameTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    if (family == 7) return StoreReceived(StoreForm::Lumen, StoreSiteOf(GetRoles()), data, false);
    if (family == 6 || family == 8) return StoreReceived(StoreForm::Binary, StoreSiteOf(GetRoles(), true), data, false);
    return false;
}

bool CStoreNameTb::EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                     std::uint16_t& length)
{
    length = 0;
    const CStoreNameRec* row = FindStore(key);
    if (!row || family < 6 || family > 8) return false;
    RecordFields f(buffer);
    WriteStoreRecord(family == 7 ? StoreForm::Lumen : StoreForm::Binary, StoreSiteOf(GetRoles(), true), key, *row, f);
    if (!f.Ok()) return false;
    length = static_cast<std::uint16_t>(f.Position());
    return true;
}

std::size_t CStoreNameTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const CStoreNameRec* row = AsRow(record);
    if (!row) return 0;
    RecordFields f(buffer);
    WriteStoreRecord(StoreForm::DataSave, StoreSiteOf(GetRoles()), record.GetKey(), *row, f);
    return f.Ok() ? f.Position() : 0;
}

bool CStoreNameTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    if (record.size() < kDataSaveRecordSize) return false;
    const bool overwrite = GetRoles().Setup().m_overwriteExisting != 0;
    return StoreReceived(StoreForm::DataSave, StoreSiteOf(GetRoles()), record, !overwrite);
}

}  // namespace varnel
