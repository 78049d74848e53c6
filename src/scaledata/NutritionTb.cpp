#include "scaledata/NutritionTb.h"

#include "db/plu/Document.h"
#include "db/plu/PluFieldAccess.h"
#include "db/records/RecordLayout.h"
#include "db/records/ScaleRecordOut.h"
#include "db/store/ObjDatabase.h"
#include "db/text/Bcd.h"
#include "db/text/CsvFields.h"
#include "db/text/NationalChars.h"
#include "db/text/RecordHeader.h"
#include "db/text/ScaleFontCodes.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/NutritionPanel.h"
#include "scaledata/NutritionRecords.h"
#include "scaledata/ReceivedRows.h"

#include <algorithm>
#include <vector>

namespace varnel {
namespace {

constexpr std::uint16_t kTextCode = 60;
constexpr std::uint16_t kBinaryCode = 46;
constexpr std::uint16_t kCsvCode = 1026;
constexpr std::uint16_t kPanelCode = 1044;
constexpr std::uint16_t kPanelCodeFamilies10And12 = 1005;
constexpr std::uint16_t kKeyCode = 24;
constexpr std::uint16_t kBinaryKeyCode = 15;
constexpr std::uint16_t kCsvKeyCode = 26;
constexpr std::size_t kDataSaveSize = 89;
constexpr std::size_t kBinaryKeySize = 4;
constexpr std::size_t kFileKeySize = 3;
constexpr std::uint8_t kPanelFont = 7;

bool IsCsvFamily(std::uint16_t family) { return family >= 9 && family <= 12; }
bool InKeys(std::uint32_t key) { return key >= 1 && key <= CNutritionTb::kHighestKey; }

bool NutritionInUse(const ISiteRules& site) { return site.UsesStandardNutrition() || site.UsesCustomNutrition(); }

// The custom fields 1402 to 1413 that have a definition in the nutrition field map.
std::vector<CustomNutritionField> CustomFields()
{
    std::vector<CustomNutritionField> fields;
    for (std::uint16_t id = StandardNutrition::kFirstPercentField; id <= StandardNutrition::kLastPercentField; ++id)
        if (const CLabProp* definition = GetNutritionFieldDef(id)) fields.push_back({id, definition->m_width});
    return fields;
}

char PanelFontCode(const TextRules& text)
{
    bool effect2 = false;
    return FontToScaleFontCode(text, kPanelFont, effect2);
}

}  // namespace

bool CNutritionTb::IsPanelLayout() const { return IsAusNzNutrition(GetRoles().Setup()); }

CNutritionRowBase* CNutritionTb::FindNutrition(std::uint32_t key) const
{
    return dynamic_cast<CNutritionRowBase*>(FindRecord(key));
}

std::unique_ptr<CDBRecord> CNutritionTb::CreateRecord(std::size_t size)
{
    if (size > CNutritionRowBase::kSize) return nullptr;
    if (IsPanelLayout()) return std::make_unique<CNutrPanelRec>();
    return std::make_unique<CNutritionRec>();
}

void CNutritionTb::BindColumns() { AddNutritionColumns(*this, IsPanelLayout()); }

std::uint32_t CNutritionTb::GetFreeNumber(std::uint32_t wanted) const
{
    if (wanted != 0 && !FindRecord(wanted)) return wanted;
    std::uint32_t n = 1;
    KeyCursor cursor = 0;
    while (const CDBRecord* row = PeekNextRecord(cursor)) {
        if (row->GetKey() != n) return n;
        ++n;
    }
    return n;
}

bool CNutritionTb::QueueDeleteRange(std::uint32_t from, std::uint32_t to)
{
    IDocument* document = GetRoles().sends.GetDocument();
    if (!document) return false;
    SendRequests requests;
    KeyCursor cursor = from;
    while (const CDBRecord* row = PeekNextRecord(cursor)) {
        if (row->GetKey() > to) break;
        requests.emplace_back(SendExistingDeletes, GetTableNo(), row->GetKey(), row->GetKey());
    }
    return document->SendDataNow(IDocument::kDataType, true, requests, nullptr) == 0;
}

bool CNutritionTb::QueueDeleteAll(bool showResult)
{
    IDocument* document = GetRoles().sends.GetDocument();
    if (!document) return false;
    const SendRequests requests{CSendDataLog(SendKeyDeletes, GetTableNo(), 0, 0)};
    return document->SendDataNow(IDocument::kDataType, showResult, requests, nullptr) == 0;
}

bool CNutritionTb::QueueKeyDelete(std::uint32_t key, bool showResult)
{
    return !NutritionInUse(GetRoles().rules) || CDBComTb::QueueKeyDelete(key, showResult);
}

bool CNutritionTb::QueueKeySend(std::uint32_t key, bool showResult)
{
    return !NutritionInUse(GetRoles().rules) || CDBComTb::QueueKeySend(key, showResult);
}

bool CNutritionTb::QueueRangeSend(std::uint32_t from, std::uint32_t to, bool showResult)
{
    return !NutritionInUse(GetRoles().rules) || CDBComTb::QueueRangeSend(from, to, showResult);
}

std::string CNutritionTb::GetPanelText(std::uint16_t family, std::uint32_t key) const
{
    constexpr std::size_t kPanelRoom = 4096;
    const auto* row = dynamic_cast<const CNutrPanelRec*>(FindRecord(key));
    if (!row) return {};
    const std::string panel = BuildNutritionPanel(family, key, row->GetValues(), kPanelRoom, PanelFontCode(GetRoles().Text()));
    return panel.substr(std::min(panel.size(), NutritionPanelPrefixLength(family, key)));
}

bool CNutritionTb::IsHeldBack(std::uint32_t key) const
{
    return GetRoles().Setup().m_pluActiveInactive != 0 && IsInactivePlu(*this, key);
}

bool CNutritionTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const auto* row = dynamic_cast<const CNutritionRowBase*>(&record);
    const std::uint32_t key = record.GetKey();
    if (!row || IsHeldBack(key)) return false;
    const std::uint16_t market = GetRoles().Setup().m_market;
    std::uint16_t family = GetRoles().FamilyOf(scale);
    if (family == 5 && market != MarketHongKong) family = 0;
    const auto* panel = dynamic_cast<const CNutrPanelRec*>(row);
    const auto* standard = dynamic_cast<const CNutritionRec*>(row);

    if (panel) {
        // The panel goes to the families that print it; families 6 and 8 take only the standard and
        // custom bodies, which a panel row does not have.
        const bool printsPanel = family <= 2 || family == 4 || IsCsvFamily(family);
        if (!printsPanel) return false;
        const bool csv = IsCsvFamily(family);
        const std::uint16_t code = !csv ? kTextCode : family == 10 || family == 12 ? kPanelCodeFamilies10And12 : kPanelCode;
        return BuildScaleRecord(out, csv ? HeaderKind::Long : HeaderKind::None, code, [&](RecordFields& f) {
            const std::string text = BuildNutritionPanel(family, key, panel->GetValues(), f.Rest().size(), PanelFontCode(GetRoles().Text()));
            f.Text(text);
        });
    }
    if (!standard) return false;
    switch (family) {
    case 0:
    case 2:
    case 4:
        return BuildScaleRecord(out, HeaderKind::None, kTextCode, [&](RecordFields& f) {
            const std::size_t start = f.Position();
            WriteNutritionRecord({NutritionForm::Text, market}, key, *standard, f);
            if (f.Ok()) TranslateNationalBytes(f.WrittenSince(start), market, true);
        });
    case 5:
        return BuildScaleRecord(out, HeaderKind::None, kTextCode, [&](RecordFields& f) {
            const std::size_t start = f.Position();
            WriteCustomNutrition(CustomNutritionForm::Text, key, standard->GetValues(), CustomFields(), f);
            if (f.Ok()) TranslateNationalBytes(f.WrittenSince(start), market, true);
        });
    case 6:
    case 8:
        return BuildScaleRecord(out, HeaderKind::Short, kBinaryCode, [&](RecordFields& f) {
            if (market == MarketHongKong)
                WriteCustomNutrition(CustomNutritionForm::Binary, key, standard->GetValues(), CustomFields(), f);
            else
                WriteNutritionRecord({NutritionForm::Binary, market}, key, *standard, f);
        });
    case 9:
    case 10:
    case 11:
    case 12:
        return BuildScaleRecord(out, HeaderKind::Long, kCsvCode, [&](RecordFields& f) {
            if (market != MarketUsa) return WriteCustomNutrition(CustomNutritionForm::Csv, key, standard->GetValues(), CustomFields(), f);
            const bool quoted = family == 10 || family == 12;
            WriteNutritionRecord({quoted ? NutritionForm::QuotedCsv : NutritionForm::Csv, market}, key, *standard, f);
        });
    default: return false;  // families 1 (without the panel), 3 and 7 take none
    }
}

bool CNutritionTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                   ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    const bool ausNz = IsAusNzNutrition(GetRoles().Setup());
    RecordFields fields(out.buffer);
    switch (family) {
    case 1:
        if (!ausNz) return false;
        [[fallthrough]];
    case 0:
    case 4:
    case 5:
        fields.Text(ausNz && family != 1 ? "2402" : "24");
        fields.Decimal("Nutrition_No", key, 6);
        return FinishScaleRecord(fields, kKeyCode, out);
    case 6:
    case 8:
        fields.Bcd("Nutrition_No", key, 8);
        return FinishScaleRecord(fields, kBinaryKeyCode, out);
    case 9:
    case 10:
    case 11:
    case 12: {
        std::uint16_t code = kCsvKeyCode;
        if (ausNz) code = family == 10 ? 5 : 44;
        return EncodeCsvKeyRecord(key, code, out);
    }
    case 2:
    case 3:
    case 7: return true;  // an empty record, made
    default: return false;
    }
}

bool CNutritionTb::StoreStandard(std::uint32_t key, const std::function<void(CNutritionRec&)>& fill, bool keepExisting)
{
    if (const CDBRecord* present = FindRecord(key); present && !dynamic_cast<const CNutritionRec*>(present)) return false;
    if (IsPanelLayout() && !FindRecord(key)) return false;
    return StoreReceivedRow(
        *this, key,
        [&](CDBRecord& record) -> std::uint16_t {
            fill(dynamic_cast<CNutritionRec&>(record));
            return CNutritionRowBase::kSize;
        },
        keepExisting);
}

bool CNutritionTb::StorePanel(std::uint32_t key, const PanelNutrition& panel)
{
    if (const CDBRecord* present = FindRecord(key); present && !dynamic_cast<const CNutrPanelRec*>(present)) return false;
    if (!IsPanelLayout() && !FindRecord(key)) return false;
    return StoreReceivedRow(*this, key, [&](CDBRecord& record) -> std::uint16_t {
        PanelNutrition values = panel;
        values.plu = key;
        dynamic_cast<CNutrPanelRec&>(record).SetValues(values);
        return CNutritionRowBase::kSize;
    });
}

bool CNutritionTb::DecodeBinary(std::uint32_t key, std::span<const std::uint8_t> body,
                                std::span<const std::uint8_t> record, bool file)
{
    if (!InKeys(key)) return true;
    const auto lock = LockRecordBuild();
    if (IsPanelLayout()) return StorePanel(key, ReadNutritionPanelLines(body));
    if (GetRoles().Setup().m_market == MarketHongKong) {
        return StoreStandard(key, [&](CNutritionRec& row) {
            StandardNutrition values = row.GetValues();
            (void)ReadCustomNutrition(CustomNutritionForm::Binary, body, CustomFields(), values);
            values.plu = key;
            row.SetValues(values);
        });
    }
    const NutritionRecordSite site{file ? NutritionForm::File : NutritionForm::Binary, GetRoles().Setup().m_market};
    return StoreStandard(key, [&](CNutritionRec& row) {
        (void)ReadNutritionRecord(site, record, row);
        StandardNutrition values = row.GetValues();
        values.plu = key;
        row.SetValues(values);
    });
}

bool CNutritionTb::DecodeRecordType6or8(const CLinkScaleSettings&, std::span<const std::uint8_t> data)
{
    std::uint32_t key = 0;
    if (data.size() < kBinaryKeySize || !UnpackBcdLong(key, data.first(kBinaryKeySize), 8)) return false;
    return DecodeBinary(key, data.subspan(kBinaryKeySize), data, false);
}

bool CNutritionTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    if (family < 6 || family > 8) return false;
    std::uint32_t key = 0;
    if (data.size() < kFileKeySize || !UnpackBcdLong(key, data.first(kFileKeySize), 6)) return false;
    return DecodeBinary(key, data.subspan(kFileKeySize), data, true);
}

bool CNutritionTb::EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                     std::uint16_t& length)
{
    length = 0;
    const CNutritionRowBase* row = FindNutrition(key);
    if (!row) return false;
    RecordFields fields(buffer);
    if (const auto* panel = dynamic_cast<const CNutrPanelRec*>(row)) {
        fields.Text(BuildNutritionPanel(family, key, panel->GetValues(), buffer.size(), PanelFontCode(GetRoles().Text())));
    } else {
        WriteNutritionRecord({NutritionForm::File, GetRoles().Setup().m_market}, key,
                             dynamic_cast<const CNutritionRec&>(*row), fields);
    }
    if (!fields.Ok() || fields.Position() > 0xFFFF) return false;
    length = static_cast<std::uint16_t>(fields.Position());
    return true;
}

bool CNutritionTb::DecodeCsv(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    const std::uint16_t market = GetRoles().Setup().m_market;
    const NutritionForm form = family == 10 || family == 12 ? NutritionForm::QuotedCsv : NutritionForm::Csv;
    const std::optional<std::uint32_t> key = ReadNutritionKey({form, market}, data);
    if (!key) return false;
    if (!InKeys(*key)) return true;
    const auto lock = LockRecordBuild();
    if (market == MarketUsa) {
        return StoreStandard(*key, [&](CNutritionRec& row) {
            (void)ReadNutritionRecord({form, market}, data, row);
        });
    }
    if (IsPanelLayout()) {
        // The panel is the quoted field after the key.
        std::vector<char> text(data.begin(), std::ranges::find(data, 0));
        text.push_back('\0');
        std::size_t position = 0;
        CsvFieldReader reader(std::span<char>(text).first(text.size() - 1), position, {});
        reader.Skip();
        std::string field;
        (void)CsvReadText(reader.Buffer(), position, text.size(), field, {});
        const std::optional<PanelNutrition> panel = ReadNutritionPanelCsv(field);
        return !panel || StorePanel(*key, *panel);
    }
    return StoreStandard(*key, [&](CNutritionRec& row) {
        StandardNutrition values = row.GetValues();
        (void)ReadCustomNutrition(CustomNutritionForm::Csv, data, CustomFields(), values);
        values.plu = *key;
        row.SetValues(values);
    });
}

bool CNutritionTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeCsv(scale, data);
}

bool CNutritionTb::DecodeRecordOther(const CLinkScaleSettings&, std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> record(data.begin(), data.end());
    const std::uint16_t market = GetRoles().Setup().m_market;
    TranslateNationalBytes(record, market, false);
    if (GetRoles().rules.UsesCustomNutrition()) {
        StandardNutrition values;
        const auto fields = CustomFields();
        const std::optional<std::uint32_t> key = ReadCustomNutrition(CustomNutritionForm::Text, record, fields, values);
        if (!key) return false;
        if (!InKeys(*key)) return true;
        const auto lock = LockRecordBuild();
        return StoreStandard(*key, [&](CNutritionRec& row) {
            StandardNutrition stored = row.GetValues();
            (void)ReadCustomNutrition(CustomNutritionForm::Text, record, fields, stored);
            stored.plu = *key;
            row.SetValues(stored);
        });
    }
    const NutritionRecordSite site{NutritionForm::Text, market};
    const std::optional<std::uint32_t> key = ReadNutritionKey(site, record);
    if (!key) return false;
    if (!InKeys(*key)) return true;
    const auto lock = LockRecordBuild();
    return StoreStandard(*key, [&](CNutritionRec& row) {
        (void)ReadNutritionRecord(site, record, row);
    });
}

std::size_t CNutritionTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const auto* row = dynamic_cast<const CNutritionRec*>(&record);
    if (!row || buffer.size() < kDataSaveSize) return 0;
    std::ranges::fill(buffer.first(kDataSaveSize), std::uint8_t{0});
    RecordFields fields(buffer);
    WriteNutritionRecord({NutritionForm::DataSave, GetRoles().Setup().m_market}, record.GetKey(), *row, fields);
    return fields.Ok() ? fields.Position() : 0;
}

bool CNutritionTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    if (record.size() < kDataSaveSize) return false;
    const NutritionRecordSite site{NutritionForm::DataSave, GetRoles().Setup().m_market};
    const std::optional<std::uint32_t> key = ReadNutritionKey(site, record);
    if (!key) return false;
    // Panel rows have no standard fields to take the record.
    if (!InKeys(*key) || IsPanelLayout()) return true;
    const bool keep = GetRoles().Setup().m_overwriteExisting == 0;
    const auto lock = LockRecordBuild();
    return StoreStandard(
        *key,
        [&](CNutritionRec& row) {
            (void)ReadNutritionRecord(site, record, row);
        },
        keep);
}

}  // namespace varnel
