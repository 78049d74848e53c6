// The short records that change only a PLU's unit price or markdown at a scale, the walks that give
// them one at a time to a link, and the requests that have the links delete PLUs or send changes.
//
//   unit price, families 0, 4, 5:  "31" PLU(6) "0" price(5)            market 0          code 31
//                                  "6602" PLU(6) "0" price(7)          market 3, AU/NZ   code 66
//                                  "3101" PLU(6) "0" price(6)          market 6          code 31
//                                  "3101" PLU(6) "0" price(5)          other markets     code 31
//               families 1, 2, 3:  "31" PLU(6) price(6)                                  code 31
//   markdown,   families 0, 4, 5:  "32" PLU(6) flag(1) price(5)        market 0          code 32
//                                  "6702" PLU(6) flag(1) price(6)      market 3, AU/NZ   code 67
//                                  "3201" PLU(6) flag(1) price(6)      market 6          code 32
//                                  "3201" PLU(6) price(6)              market 14         code 32
//                                  "3201" PLU(6) flag(1) price(5)      other markets     code 32
//               families 1, 2, 3:  "32" PLU(6) MarkFlag(1) price(5)                      code 32
//   (the flag of families 0, 4 and 5 is MarkFlag less 1)
//   BCD families: the short record (PLU BCD 8, a 0 byte, price BCD 8; code 23) or the whole PLU record;
//   comma-separated families: the whole PLU record, or "PLU,price," with code 1040 (families 10, 12).
#include "db/records/PluRecord.h"

#include "db/plu/Document.h"
#include "db/text/DoubleByteText.h"
#include "db/plu/PluDefTb.h"
#include "db/records/ScaleRecordOut.h"
#include "db/store/ObjDatabase.h"
#include "db/text/RecordFields.h"
#include "db/text/RecordHeader.h"

namespace varnel {
namespace {

constexpr std::uint16_t kCodeShortBcdPrice = 23;
constexpr std::uint16_t kCodeCsvPrice = 1040;
constexpr std::int32_t kCtrlFlagInactive = 1;

bool Finish(const RecordFields& fields, std::uint16_t code, ScaleRecordOut& out)
{
    if (!fields.Ok()) {
        out.refusedField = fields.RefusedField();
        out.length = 0;
        if (!out.buffer.empty()) out.buffer[0] = 0;
        return false;
    }
    out.length = static_cast<std::uint16_t>(fields.Position());
    out.code = code;
    return true;
}

// The PLU as the scale sees it in its price zone; null for a PLU that does not exist or that the
// active/inactive option holds back.
const CPluDefRec* FetchForScale(CPluDefTb& table, const BuildLock& lock, const CGeneralSetup& setup,
                                const CLinkScaleSettings& scale, std::uint32_t pluNumber)
{
    const CPluDefTb::CurrentScale current(table, lock, scale);
    const auto* stored = dynamic_cast<const CPluDefRec*>(table.FindRecord(pluNumber));
    if (!stored) return nullptr;
    const CPluDefRec* row = &table.GetCurrentZonePlu(lock, *stored);
    const bool heldBack = setup.m_pluActiveInactive != 0 && (row->Get(PluCol::CtrlFlag) & kCtrlFlagInactive) != 0;
    return heldBack ? nullptr : row;
}

bool UsesCode66Layout(const SiteSettings& site)
{
    return site.setup.m_market == MarketThailand || site.text.ausNzNutrition;
}

void WriteTextPriceChange(const SiteSettings& site, const CPluDefRec& row, std::uint32_t pluNumber,
                          std::uint16_t family, RecordFields& f, std::uint16_t& code)
{
    const std::uint16_t market = site.setup.m_market;
    const std::int32_t price = row.Get(PluCol::UnitPrice);
    code = 31;
    if (family >= 1 && family <= 3) {
        f.Text("31");
        f.Decimal("PLU number", pluNumber, 6);
        return f.Decimal("UnitPrice", price, 6);
    }
    std::size_t priceDigits = 5;
    if (market == MarketUsa) {
        f.Text("31");
    } else if (UsesCode66Layout(site)) {
        f.Text("6602");
        code = 66;
        priceDigits = 7;
    } else {
        f.Text("3101");
        if (market == MarketIndonesia) priceDigits = 6;
    }
    f.Decimal("PLU number", pluNumber, 6);
    f.Text("0");
    f.Decimal("UnitPrice", price, priceDigits);
}

void WriteTextMarkdownChange(const SiteSettings& site, const CPluDefRec& row, std::uint32_t pluNumber,
                             std::uint16_t family, RecordFields& f, std::uint16_t& code)
{
    const std::uint16_t market = site.setup.m_market;
    const std::int32_t price = row.Get(PluCol::MarkPrice);
    const std::int64_t markFlag = row.Get(PluCol::MarkFlag);
    code = 32;
    if (family >= 1 && family <= 3) {
        f.Text("32");
        f.Decimal("PLU number", pluNumber, 6);
        f.Decimal("MarkFlag", markFlag, 1);
        return f.Decimal("MarkPrice", price, 5);
    }
    if (market == MarketUsa) {
        f.Text("32");
        f.Decimal("PLU number", pluNumber, 6);
        f.Decimal("MarkFlag", markFlag - 1, 1);
        return f.Decimal("MarkPrice", price, 5);
    }
    if (UsesCode66Layout(site)) {
        f.Text("6702");
        code = 67;
    } else {
        f.Text("3201");
    }
    f.Decimal("PLU number", pluNumber, 6);
    if (market != MarketSweden) f.Decimal("MarkFlag", markFlag - 1, 1);
    const bool widePrice = code == 67 || market == MarketIndonesia || market == MarketSweden;
    f.Decimal("MarkPrice", price, widePrice ? 6 : 5);
}

// The whole PLU record in place of a change record.
bool WholeRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                 ScaleRecordOut& out)
{
    return BuildPluRecord(table, lock, scale, pluNumber, out);
}

using ChangeBuilder = bool (*)(CPluDefTb&, const BuildLock&, const CLinkScaleSettings&, std::uint32_t,
                               ScaleRecordOut&);

bool NextChangeRecord(CPluDefTb& table, ChangeBuilder build, const CLinkScaleSettings& scale, KeyCursor& cursor,
                      std::uint32_t last, ScaleRecordOut& out, KeyCursor& key)
{
    if (cursor > last) return false;
    // The step through the index is a read of the table as much as the build is. In a database shared
    // with another program each row is read again as the walk reaches it, a change of the row: that
    // walk holds the lock alone.
    const CObjDatabase* database = table.GetDatabase();
    const bool rereads = database != nullptr && database->IsShared();
    const auto lock = table.LockRecordBuild(rereads ? nullptr : out.scratch);
    while (const CDBRecord* record = rereads ? table.GetNextRecord(cursor) : table.PeekNextRecord(cursor)) {
        const std::uint32_t pluNumber = record->GetKey();
        if (pluNumber > last) return false;
        key = pluNumber;
        if (build(table, lock, scale, pluNumber, out)) return true;
        ReportRefusal(table.GetRoles().log, scale, pluNumber, out);
    }
    return false;
}

// One change request of the PLU, sent at once; false when the PLU does not exist or the send fails.
bool SendChangeNow(const CPluDefTb& table, SendJobKind kind, std::uint32_t pluNumber, bool showResult)
{
    IDocument* document = table.GetRoles().sends.GetDocument();
    if (!document || !table.FindRecord(pluNumber)) return false;
    const SendRequests requests{CSendDataLog(kind, table.GetTableNo(), pluNumber, pluNumber)};
    return document->SendDataNow(IDocument::kDataType, showResult, requests, nullptr) == 0;
}

}  // namespace

bool BuildPriceChangeRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale,
                            std::uint32_t pluNumber, ScaleRecordOut& out)
{
    out.refusedField = {};
    out.length = 0;
    const SiteSettings& site = BuildSettings(out);
    const std::uint16_t family = scale.GetScaleType(site.setup.m_defaultScaleFamily);
    if (family == 9 || family == 11 || (family == 6 && site.setup.m_lumenXtPriceChange == 0))
        return WholeRecord(table, lock, scale, pluNumber, out);
    const CPluDefRec* row = FetchForScale(table, lock, site.setup, scale, pluNumber);
    if (!row) return false;
    RecordFields fields(out.buffer);
    std::uint16_t code = 0;
    if (family <= 5 && family != 7) {
        WriteTextPriceChange(site, *row, pluNumber, family, fields, code);
    } else if (family == 6 || family == 8) {
        code = kCodeShortBcdPrice;
        fields.ZeroBytes(kRecordHeaderSize);
        fields.Bcd("PLU number", pluNumber, 8);
        fields.Byte(0);
        fields.Bcd("UnitPrice", row->Get(PluCol::UnitPrice), 8);
        if (fields.Ok()) MakeShortRecordHeader(out.buffer.first<kRecordHeaderSize>(), code, 9);
    } else if (family == 10 || family == 12) {
        code = kCodeCsvPrice;
        fields.ZeroBytes(kRecordHeaderSize);
        fields.CsvNumber(pluNumber);
        fields.CsvNumber(row->Get(PluCol::UnitPrice));
        if (fields.Ok())
            MakeRecordHeader(out.buffer.first<kRecordHeaderSize>(), code,
                             static_cast<std::uint16_t>(fields.Position() - kRecordHeaderSize));
    } else {
        return false;
    }
    return Finish(fields, code, out);
}

bool BuildMarkdownChangeRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale,
                               std::uint32_t pluNumber, ScaleRecordOut& out)
{
    out.refusedField = {};
    out.length = 0;
    const SiteSettings& site = BuildSettings(out);
    const std::uint16_t family = scale.GetScaleType(site.setup.m_defaultScaleFamily);
    if (family == 6 || family == 8 || (family >= 9 && family <= 12))
        return WholeRecord(table, lock, scale, pluNumber, out);
    const CPluDefRec* row = FetchForScale(table, lock, site.setup, scale, pluNumber);
    if (!row || family == 7 || family > 12) return false;
    RecordFields fields(out.buffer);
    std::uint16_t code = 0;
    WriteTextMarkdownChange(site, *row, pluNumber, family, fields, code);
    return Finish(fields, code, out);
}

bool CPluDefTb::NextPriceChangeRecord(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t last,
                                      ScaleRecordOut& out, KeyCursor& key)
{
    return NextChangeRecord(*this, BuildPriceChangeRecord, scale, cursor, last, out, key);
}

bool CPluDefTb::NextMarkdownChangeRecord(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t last,
                                         ScaleRecordOut& out, KeyCursor& key)
{
    return NextChangeRecord(*this, BuildMarkdownChangeRecord, scale, cursor, last, out, key);
}

bool CPluDefTb::DeleteRecordRange(std::uint32_t first, std::uint32_t last)
{
    IDocument* document = GetRoles().sends.GetDocument();
    if (!document) return false;
    SendRequests requests;
    KeyCursor cursor = first;
    while (const CDBRecord* record = PeekNextRecord(cursor)) {
        if (record->GetKey() > last) break;
        requests.emplace_back(SendKeyDeletes, GetTableNo(), record->GetKey(), record->GetKey());
    }
    if (requests.empty()) return true;
    return document->SendData(IDocument::kDataType, true, requests, nullptr);
}

bool CPluDefTb::DeleteAllRecords(bool showResult)
{
    IDocument* document = GetRoles().sends.GetDocument();
    if (!document) return false;
    const SendRequests requests{CSendDataLog(SendKeyDeletes, GetTableNo(), 0, 0)};
    return document->SendData(IDocument::kDataType, showResult, requests, nullptr);
}

bool CPluDefTb::QueuePriceSend(std::uint32_t pluNumber, bool showResult)
{
    return SendChangeNow(*this, SendPriceChanges, pluNumber, showResult);
}

bool CPluDefTb::QueueMarkdownSend(std::uint32_t pluNumber, bool showResult)
{
    return SendChangeNow(*this, SendMarkdownChanges, pluNumber, showResult);
}

}  // namespace varnel
