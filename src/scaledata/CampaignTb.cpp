#include "scaledata/CampaignTb.h"

#include "db/plu/PluDatabase.h"
#include "db/records/ScaleRecordOut.h"
#include "db/store/StoreTransaction.h"
#include "db/text/RecordHeader.h"
#include "platform/TextFormat.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgCampaignName = 16393;
constexpr std::uint16_t kCsvCode = 1028;
constexpr std::uint16_t kBinaryCode = 20;
constexpr std::uint16_t kCsvKeyCode = 28;
constexpr std::uint16_t kBinaryKeyCode = 18;

// How a family takes a campaign record.
struct CampaignShape {
    CampaignForm form = CampaignForm::Text;
    CampaignRecordSite site;
    std::uint16_t code = 0;
    HeaderKind header = HeaderKind::None;
};

std::optional<CampaignShape> ShapeOf(std::uint16_t family, const CGeneralSetup& setup)
{
    CampaignShape shape;
    shape.site.family = family;
    shape.site.market = setup.m_market;
    CampaignRecordSite& site = shape.site;
    const bool ausNz = IsAusNzNutrition(setup);
    const bool dayOfWeek = setup.m_campaignDayOfWeek != 0;
    switch (family) {
    case 0:
    case 4:
    case 5:
        if (setup.m_market == MarketUsa) {
            site.opening = dayOfWeek ? CampaignOpening::Code33 : CampaignOpening::Code62;
            site.dates = dayOfWeek ? CampaignDates::DayOfWeek : CampaignDates::MonthDayYear;
        } else {
            site.opening = CampaignOpening::Code3302;
            const std::uint16_t m = setup.m_market;
            if (dayOfWeek)
                site.dates = CampaignDates::DayOfWeek;
            else if (m == MarketThailand || m == MarketChina || m == MarketTaiwan)
                site.dates = CampaignDates::YearMonthDay;
            else
                site.dates = ausNz ? CampaignDates::ShortYear : CampaignDates::MonthDayYear;
        }
        shape.code = site.opening == CampaignOpening::Code62 ? 62 : 33;
        return shape;
    case 1:
        site.opening = ausNz ? CampaignOpening::Code62 : CampaignOpening::Code80;
        site.dates = CampaignDates::ShortYear;
        shape.code = ausNz ? 62 : 80;
        return shape;
    case 2:
        if (setup.m_market == MarketUsa) return std::nullopt;
        site.opening = CampaignOpening::Code33;
        site.numbered = false;
        site.dates = CampaignDates::ShortYear;
        shape.code = 33;
        return shape;
    case 3:
        site.opening = CampaignOpening::Code80;
        site.dates = CampaignDates::ShortYear;
        shape.code = 80;
        return shape;
    case 8: return CampaignShape{CampaignForm::Binary, site, kBinaryCode, HeaderKind::Short};
    case 9:
    case 11: return CampaignShape{CampaignForm::Csv, site, kCsvCode, HeaderKind::Long};
    case 10:
    case 12: return CampaignShape{CampaignForm::Mixed, site, kCsvCode, HeaderKind::Long};
    default: return std::nullopt;  // families 6 and 7 take no campaigns
    }
}

CampaignRecordSite ReadSite(const ScaleDataRoles& roles, std::uint16_t family)
{
    return {family, roles.Setup().m_market};
}

}  // namespace

std::unique_ptr<CDBRecord> CCampDataTb::CreateRecord(std::size_t size) { return MakeRowUpTo<CCampDataRec>(size); }

void CCampDataTb::BindColumns() { AddColumns(*this, campdata_columns::kColumns); }

std::unique_ptr<CDBRecord> CTable5Tb::CreateRecord(std::size_t size) { return MakeRowUpTo<CTable5Rec>(size); }

CCampaignRec* CCampaignTb::FindCampaign(std::uint32_t number) const { return FindRow(number); }

CObjDBTable* CCampaignTb::GetLineTable() const
{
    CObjDatabase* database = GetDatabase();
    return database ? database->GetOrCreateTable(kLineTableNo) : nullptr;
}

std::uint32_t CCampaignTb::GetMaxKey() const
{
    return std::min<std::uint32_t>(GetRoles().Setup().m_maxCampaignNo, kHighestCampaign);
}

std::vector<CCampDataRec*> CCampaignTb::GetCampaignLines(std::uint32_t campaign) const
{
    std::vector<CCampDataRec*> lines;
    const CObjDBTable* table = GetLineTable();
    if (!table) return lines;
    KeyCursor cursor = static_cast<KeyCursor>(FirstCampaignLineKey(campaign));
    while (auto* line = dynamic_cast<CCampDataRec*>(table->PeekNextRecord(cursor))) {
        if (line->GetCampaignNo() != campaign) break;
        lines.push_back(line);
    }
    return lines;
}

std::vector<const CCampDataRec*> CCampaignTb::GetCampaignPlus(std::uint32_t campaign) const
{
    const std::vector<CCampDataRec*> found = GetCampaignLines(campaign);
    std::vector<const CCampDataRec*> lines(found.begin(), found.end());
    std::ranges::stable_sort(lines, {}, &CCampDataRec::GetPluNo);
    return lines;
}

void CCampaignTb::DeleteCampaignPlus(std::uint32_t campaign)
{
    CObjDBTable* table = GetLineTable();
    if (!table) return;
    std::vector<std::uint32_t> keys;
    KeyCursor cursor = 0;
    while (const auto* line = dynamic_cast<const CCampDataRec*>(table->PeekNextRecord(cursor)))
        if (line->GetCampaignNo() == campaign) keys.push_back(line->GetKey());
    for (const std::uint32_t key : keys) (void)table->DeleteKey(key);
}

bool CCampaignTb::AddCampaignLine(std::uint32_t campaign, std::size_t place, const CampaignLine& line)
{
    CObjDBTable* table = GetLineTable();
    const std::uint64_t key = FirstCampaignLineKey(campaign) + place;
    if (!table || key > LastCampaignLineKey(campaign) || key > 0xFFFFFFFF) return false;
    auto row = std::make_unique<CCampDataRec>();
    row->SetCampaignNo(campaign);
    row->SetPluNo(line.plu);
    row->SetSalesMode(static_cast<std::uint16_t>(line.salesMode));
    row->SetPrice(line.price);
    row->SetOldPrice(line.oldPrice);
    return table->AddRecord(static_cast<std::uint32_t>(key), CCampDataRec::kSize, std::move(row));
}

CampaignRecord CCampaignTb::RecordOf(const CCampaignRec& row) const
{
    CampaignRecord record;
    record.number = row.GetKey();
    record.start = row.GetStart().value_or(DateTimeParts{0, 0, 0, 0, 0, 0});
    record.end = row.GetEnd().value_or(DateTimeParts{0, 0, 0, 0, 0, 0});
    record.dayOfWeek = row.GetDayOfWeek();
    for (const CCampDataRec* line : GetCampaignPlus(row.GetKey()))
        record.lines.push_back({line->GetPluNo(), line->GetSalesMode(), line->GetPrice(), line->GetOldPrice()});
    return record;
}

bool CCampaignTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                               ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const CCampaignRec* row = AsRow(record);
    const std::optional<CampaignShape> shape = ShapeOf(GetRoles().FamilyOf(scale), GetRoles().Setup());
    if (!row || !shape) return false;
    RecordFields fields(out.buffer);
    if (shape->header != HeaderKind::None) fields.ZeroBytes(kRecordHeaderSize);
    WriteCampaignRecord(shape->form, shape->site, RecordOf(*row), fields);
    if (shape->header != HeaderKind::None)
        PutScaleRecordHeader(out, fields, shape->code, shape->header == HeaderKind::Short);
    return FinishScaleRecord(fields, shape->code, out);
}

bool CCampaignTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                  ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const CGeneralSetup& setup = GetRoles().Setup();
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    RecordFields fields(out.buffer);
    std::uint16_t code = 0;
    switch (family) {
    case 0:
    case 4:
    case 5:
    case 1: {
        const bool short22 = family == 1 ? IsAusNzNutrition(setup) : setup.m_market == MarketUsa;
        code = short22 ? 22 : 16;
        fields.Text(short22 ? "22" : "1602");
        fields.Decimal("Campaign_No", key, 2);
        break;
    }
    case 2:
        code = 16;
        fields.Text("16");
        fields.Decimal("Campaign_No", key, 2);
        break;
    case 3:
        code = 71;
        fields.Text("71");
        fields.Decimal("Campaign_No", key, 2);
        break;
    case 8:
        code = kBinaryKeyCode;
        fields.Bcd("Campaign_No", key, 2);
        break;
    case 9:
    case 10:
    case 11:
    case 12: return EncodeCsvKeyRecord(key, kCsvKeyCode, out);
    default: return false;
    }
    return FinishScaleRecord(fields, code, out);
}

bool CCampaignTb::Decode(CampaignForm form, const CampaignRecordSite& site, std::span<const std::uint8_t> data)
{
    const std::optional<CampaignRecord> received = ReadCampaignRecord(form, site, data);
    return received && StoreReceived(*received, false);
}

bool CCampaignTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return Decode(CampaignForm::Csv, ReadSite(GetRoles(), GetRoles().FamilyOf(scale)), data);
}

bool CCampaignTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    return Decode(family == 11 ? CampaignForm::Csv : CampaignForm::Mixed, ReadSite(GetRoles(), family), data);
}

bool CCampaignTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return Decode(CampaignForm::Binary, ReadSite(GetRoles(), GetRoles().FamilyOf(scale)), data);
}

bool CCampaignTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    return family == 8 && Decode(CampaignForm::Binary, ReadSite(GetRoles(), family), data);
}

std::size_t CCampaignTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const CCampaignRec* row = AsRow(record);
    if (!row) return 0;
    RecordFields fields(buffer);
    WriteCampaignRecord(CampaignForm::DataSave, {}, RecordOf(*row), fields);
    return fields.Ok() ? fields.Position() : 0;
}

bool CCampaignTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    const std::optional<CampaignRecord> received = ReadCampaignRecord(CampaignForm::DataSave, {}, record);
    return received && StoreReceived(*received, GetRoles().Setup().m_overwriteExisting == 0);
}

bool CCampaignTb::StoreReceived(const CampaignRecord& received, bool keepExisting)
{
    const std::uint32_t number = received.number;
    const std::optional<double> start = PartsToOleDate(received.start);
    const std::optional<double> end = PartsToOleDate(received.end);
    if (number < GetMinKey() || number > GetMaxKey() || !start || !end) return false;
    CObjDatabase* database = GetDatabase();
    if (!database) return false;
    if (keepExisting) {
        const BuildLock lock = LockRecordBuild();
        if (FindRecord(number)) return true;
    }
    // The row and its lines change together: one transaction in an ".mdb" database, opened before
    // the build lock, which a rolled-back operation takes to read the rows again.
    StoreTransaction operation(*database);
    bool stored = false;
    {
        const BuildLock lock = LockRecordBuild();
        const std::string name = FormatMessage(kMsgCampaignName, static_cast<long>(number));
        stored = StoreReceivedRow(*this, number, [&](CDBRecord& record) -> std::uint16_t {
            auto& row = dynamic_cast<CCampaignRec&>(record);
            row.SetName(name);
            row.SetStartValue(*start);
            row.SetEndValue(*end);
            return CCampaignRec::kSize;
        });
        if (stored) {
            DeleteCampaignPlus(number);
            const std::uint32_t maxPlu = GetRoles().Setup().m_maxPluNo;
            for (std::size_t place = 0; place < received.lines.size(); ++place)
                if (received.lines[place].plu <= maxPlu) (void)AddCampaignLine(number, place, received.lines[place]);
        }
    }
    return operation.Commit() && stored;
}

CCampaignRec* CCampaignTb::ConvertOldCampaign(const CTable5Rec& old)
{
    const std::uint32_t number = old.GetKey();
    if (CCampaignRec* held = FindCampaign(number)) return held;
    auto row = std::make_unique<CCampaignRec>();
    row->SetName(old.GetName());
    const auto dateOf = [](const CTable5Rec::When& when) {
        return DateTimeParts{when.year, when.month, when.day, when.hour, when.minute, 0};
    };
    row->SetStart(dateOf(old.GetStart()));
    row->SetEnd(dateOf(old.GetEnd()));
    if (!AddRecord(number, CCampaignRec::kSize, std::move(row))) return nullptr;
    for (std::size_t i = 0; i < CTable5Rec::kLines; ++i) {
        const CTable5Rec::Line line = old.GetLine(i);
        if (line.plu == 0) break;
        (void)AddCampaignLine(number, i, {line.plu, line.salesMode, line.price, 0});
    }
    return FindCampaign(number);
}

void ConvertOldCampaigns(CPluDatabase& database)
{
    auto* campaigns = dynamic_cast<CCampaignTb*>(database.GetOrCreateTable(CCampaignTb::kTableNo));
    CObjDBTable* old = database.GetTable(CCampaignTb::kOldTableNo);
    if (!campaigns || !old) return;
    std::vector<std::uint32_t> keys;
    KeyCursor cursor = 0;
    while (const CDBRecord* record = old->PeekNextRecord(cursor)) {
        if (const auto* oldCampaign = dynamic_cast<const CTable5Rec*>(record))
            (void)campaigns->ConvertOldCampaign(*oldCampaign);
        keys.push_back(record->GetKey());
    }
    for (const std::uint32_t key : keys) (void)old->DeleteKey(key);
}

}  // namespace varnel
