#include "golden/PluGolden.h"

#include "db/plu/PluDefTb.h"
#include "db/records/PluRecord.h"
#include "support/TestMainFrame.h"

#include <array>
#include <fstream>
#include <sstream>

namespace varnel::test {
namespace {

constexpr std::size_t kRecordRoom = 2400;

// Every kind of code a description holds: line codes, effects 1 to 5, the codes only the quoted form
// of some families carries, a width marker, a quote, a backslash and a control byte.
constexpr std::string_view kRichDesc = "\x1B" "C3Beef \"rump\" \x1B" "D1steak\x1B" "D1 \\ 500g\x1B" "D2\x1B" "D3"
                                       "\x1B" "D4\x1B" "D5" "\x1B" "C4Line <WD-0012>two\x1B" "E2x\x1B" "F3y"
                                       "\x1B" "G1\x1B" "H2\x1B" "I3z\x01" "\x1B" "C5Aged, 21 days";
// Double-byte characters, one with a second byte that is a backslash, one with a quote.
constexpr std::string_view kDoubleByteDesc = "\x1B" "C2\xC5\xA3\xC8\xE2 ABC \xB0\x5C\xA4\x22" "\x1B" "C3\xB3\xA1\xC9\xCF";

void SetCommonFields(CPluDefRec& r)
{
    r.Set(PluCol::PackType, "ea");
    r.Set(PluCol::FreeMsg1, 21);
    r.Set(PluCol::FreeMsg2, 22);
    r.Set(PluCol::FreeMsg3, 23);
    r.Set(PluCol::FreeMsg4, 24);
    r.Set(PluCol::FreeMsg5, 25);
    r.Set(PluCol::StorageTemp, 2);
    r.Set(PluCol::StorageInstruct, 3);
    r.Set(PluCol::Origin, 4);
    r.Set(PluCol::Comment, 5);
    r.Set(PluCol::StoreId, 6);
    for (ByteColumn flag : {PluCol::TotalsFlag, PluCol::TopBarFlag, PluCol::PrintFlag, PluCol::TopPrintFlag,
                            PluCol::BottomPrintFlag, PluCol::EyeCatchPrintFlag, PluCol::TopTypeFlag, PluCol::PopFlag,
                            PluCol::ItfCodeType, PluCol::ItfFlag, PluCol::Ean128CodeType, PluCol::Ean128Flag,
                            PluCol::PosFlagSelect, PluCol::KgPrint, PluCol::StockFlag, PluCol::Volume,
                            PluCol::TrayFlag, PluCol::SafeHandlingFlag, PluCol::No2PrintFlag, PluCol::ForcedTare})
        r.Set(flag, 1);
    r.Set(PluCol::WrappingMode, 2);
    r.Set(PluCol::WrappingSpeed, 3);
    r.Set(PluCol::FeedRate, 3);
    r.Set(PluCol::ServeHeight, 4);
    r.Set(PluCol::LabellingPos, 5);
    r.Set(PluCol::LabellingMode, 6);
    r.Set(PluCol::Wrapping, 7);
    r.Set(PluCol::Logo1, 1);
    r.Set(PluCol::Logo2, 2);
    r.Set(PluCol::Logo3, 3);
    r.Set(PluCol::PropTare, 10);
    r.Set(PluCol::No2Tare, 15);
    r.Set(PluCol::SafeHandlingNo, 2);
    r.Set(PluCol::LabelFormatNo1, 3);
    r.Set(PluCol::LabelFormatNo2, 4);
    r.Set(PluCol::LabelFormat, 2);
    r.Set(PluCol::TrayNo, 5);
    r.Set(PluCol::Rotate, 1);
    r.Set(PluCol::BarCodeNum, 6);
    r.Set(PluCol::TaxNo, 2);
    r.Set(PluCol::Random, 6);
    r.Set(PluCol::UpperLimit, 800);
    r.Set(PluCol::LowerLimit, 200);
}

// PLU 123: plain values that every layout carries.
void SetPlu123(CPluDefRec& r, const CharRule& chars)
{
    r.Set(PluCol::SalesMode, 1);
    r.Set(PluCol::UnitPrice, 1234);
    r.Set(PluCol::CostPrice, 567);
    r.Set(PluCol::MarkFlag, 2);
    r.Set(PluCol::MarkPrice, 99);
    r.Set(PluCol::Weight, 250);
    r.Set(PluCol::PackQuant, 12);
    r.Set(PluCol::Tare, 35);
    r.Set(PluCol::DateFlag, 3);
    r.Set(PluCol::ShelfLife, 7);
    r.Set(PluCol::BestBeforeFlag, 1);
    r.Set(PluCol::BestBefore, 9);
    r.Set(PluCol::TimeFlag, 1);
    r.Set(PluCol::PackTime, 830);
    r.Set(PluCol::ExpTimeFlag, 2);
    r.Set(PluCol::ExpTime, 1700);
    r.Set(PluCol::PosSelect, 3);
    r.Set(PluCol::Posflag, 21);
    r.Set(PluCol::PosCode, "0012345");
    r.Set(PluCol::RegCode, "42");
    r.Set(PluCol::Dept, 5);
    r.Set(PluCol::Group, 3);
    r.Set(PluCol::ItemCode, 45);
    r.Set(PluCol::Message1, 4);
    r.Set(PluCol::Message7, 7);
    r.Set(PluCol::Coupon, 8);
    r.Set(PluCol::ExMessage2, 11);
    r.Set(PluCol::ExMessage3, 12);
    r.Set(PluCol::Nutrition, 1);
    r.Set(PluCol::NutritionID, 123);
    r.Set(PluCol::Ingredients, 123);
    r.Set(PluCol::OpenPrice, 1);
    r.SetDesc(kRichDesc, chars);
}

// PLU 4567: double-byte text and the other branches of the flags.
void SetPlu4567(CPluDefRec& r, const CharRule& chars)
{
    r.Set(PluCol::SalesMode, 2);
    r.Set(PluCol::UnitPrice, 45000);
    r.Set(PluCol::CostPrice, 0);
    r.Set(PluCol::MarkFlag, 0);
    r.Set(PluCol::MarkPrice, 500);
    r.Set(PluCol::Weight, 0);
    r.Set(PluCol::PackQuant, 1);
    r.Set(PluCol::Tare, 0);
    r.Set(PluCol::DateFlag, 7);
    r.Set(PluCol::ShelfLife, 30);
    r.Set(PluCol::BestBeforeFlag, 2);
    r.Set(PluCol::BestBefore, 60);
    r.Set(PluCol::TimeFlag, 5);
    r.Set(PluCol::PackTime, 0);
    r.Set(PluCol::ExpTimeFlag, 1);
    r.Set(PluCol::ExpTime, 0);
    r.Set(PluCol::PosSelect, 1);
    r.Set(PluCol::Posflag, 2);
    r.Set(PluCol::PosCode, "9876543210");
    r.Set(PluCol::RegCode, "7");
    r.Set(PluCol::Dept, 12);
    r.Set(PluCol::Group, 0);
    r.Set(PluCol::ItemCode, 4567);
    r.Set(PluCol::Message1, 99);
    r.Set(PluCol::Message7, 3);
    r.SetDesc(kDoubleByteDesc, chars);
    r.Set(PluCol::OpenPrice, 2);
}

// PLU 999999: values at the edge of the widths, some past them, so that layouts refuse it.
void SetPlu999999(CPluDefRec& r)
{
    r.Set(PluCol::SalesMode, 0);
    r.Set(PluCol::UnitPrice, 999999);
    r.Set(PluCol::MarkFlag, 1);
    r.Set(PluCol::MarkPrice, 99999);
    r.Set(PluCol::Weight, 99999);
    r.Set(PluCol::PackQuant, 150);
    r.Set(PluCol::Tare, 9999);
    r.Set(PluCol::DateFlag, 2);
    r.Set(PluCol::ShelfLife, 999);
    r.Set(PluCol::Posflag, 100);
    r.Set(PluCol::PosCode, "12345678901");
    r.Set(PluCol::Dept, 999);
    r.Set(PluCol::Group, 99);
    r.Set(PluCol::ItemCode, 999);
    r.Set(PluCol::TimeFlag, 2);
    r.Set(PluCol::PackTime, 2359);
    r.SetDesc("", CharRule{});
}

std::string Hex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::optional<std::string> Unhex(std::string_view hex)
{
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int value = 0;
        for (const char c : hex.substr(i, 2)) {
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
        }
        bytes += static_cast<char>(value);
    }
    return bytes;
}

constexpr GoldenKind kKinds[] = {GoldenKind::Plu, GoldenKind::Key, GoldenKind::Price, GoldenKind::Markdown,
                                 GoldenKind::Lumen};

}  // namespace

void AddGoldenPlus(CPluDefTb& plus)
{
    for (const std::uint32_t number : kGoldenPlus) {
        auto row = std::make_unique<CPluDefRec>();
        plus.InitNewPlu(number, *row);
        SetCommonFields(*row);
        if (number == 123) SetPlu123(*row, plus.GetRoles().Text().chars);
        if (number == 4567) SetPlu4567(*row, plus.GetRoles().Text().chars);
        if (number == 999999) SetPlu999999(*row);
        const std::uint16_t size = row->CalcDataSize();
        plus.AddPlu(number, size, std::move(row));
    }
    plus.SetCompanionData(&TheGoldenCompanions());
}

std::optional<std::string_view> GoldenCompanions::GetExMessageText(std::uint32_t number) const
{
    if (number != 7) return std::nullopt;
    return "\x1B" "C2Keep refrigerated (below 4C), use within 3 days of opening, or freeze on the day of purchase";
}

std::optional<std::string_view> GoldenCompanions::GetIngredientsText(std::uint32_t pluNumber) const
{
    if (pluNumber != 123) return std::nullopt;
    return "\x1B" "C1Beef (98%), salt, pepper";
}

bool GoldenCompanions::HasNutritionRecord(std::uint32_t pluNumber) const { return pluNumber == 123; }

std::string GoldenCompanions::GetNutritionPanelText(std::uint16_t family, std::uint32_t pluNumber) const
{
    if (pluNumber != 123) return {};
    return "Energy 800kJ, protein 20g (family " + std::to_string(family) + ")";
}

std::size_t GoldenCompanions::WriteExtraPriceFields(int table, const CLinkScaleSettings&, std::uint32_t pluNumber,
                                                    std::span<std::uint8_t> out) const
{
    if (table != 2 || pluNumber != 123) return 0;
    std::string fields;
    for (int field = 1; field <= 34; ++field) fields += std::to_string(field * 3) + ",";
    if (fields.size() > out.size()) return 0;
    std::copy(fields.begin(), fields.end(), out.begin());
    return fields.size();
}

const GoldenCompanions& TheGoldenCompanions()
{
    static const GoldenCompanions companions;
    return companions;
}

std::string GoldenCase::Name() const
{
    return "family " + std::to_string(family) + " market " + std::to_string(market) + " " + variant;
}

CGeneralSetup GoldenCase::Setup() const
{
    CGeneralSetup setup;
    setup.m_market = market;
    setup.m_defaultScaleFamily = family;
    if (variant == "nutrition") setup.m_nutritionInUse = 1;
    if (variant == "coupons") {
        setup.m_couponSupport = 1;
        setup.m_maxCouponNo = 9999;
        setup.m_maxExMessageNo = 500;
    }
    if (variant == "options") {
        setup.m_defaultScaleFamily = 9;
        setup.m_couponSupport = 1;
        setup.m_family2Conversion = 1;
        setup.m_noMarkdownFamily3 = 1;
        setup.m_market3ThirdMessage = 1;
        setup.m_singleStoreOperation = 1;
        setup.m_noTrayNumber = 1;
        setup.m_lumenXtPriceChange = 1;
        setup.m_maxExMessageNo = 20000;
    }
    return setup;
}

CLinkScaleSettings GoldenCase::Scale() const
{
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    scale.m_name = "golden";
    if (variant == "options") {
        scale.m_tareFormat = 1;
        scale.m_maxDescLength = 150;
    }
    return scale;
}

std::vector<GoldenCase> GoldenCases()
{
    std::vector<GoldenCase> cases;
    for (std::uint16_t family = 0; family <= 12; ++family) {
        for (std::uint16_t market = 0; market <= 17; ++market) cases.push_back({family, market, "base"});
        for (std::uint16_t market : {0, 1, 2}) cases.push_back({family, market, "nutrition"});
        for (std::uint16_t market : {0, 1, 3, 10}) cases.push_back({family, market, "coupons"});
        for (std::uint16_t market : {0, 1, 3, 9, 10}) cases.push_back({family, market, "options"});
    }
    return cases;
}

std::string_view KindName(GoldenKind kind)
{
    switch (kind) {
    case GoldenKind::Plu: return "plu";
    case GoldenKind::Key: return "key";
    case GoldenKind::Price: return "price";
    case GoldenKind::Markdown: return "markdown";
    case GoldenKind::Lumen: return "lumen";
    }
    return "?";
}

std::string FormatKey(std::string_view caseName, GoldenKind kind, std::uint32_t plu)
{
    return std::string(caseName) + "|" + std::string(KindName(kind)) + "|" + std::to_string(plu);
}

std::string FormatGoldenRecord(const GoldenRecord& record)
{
    return FormatKey(record.caseName, record.kind, record.plu) + "|" +
           (record.built ? std::to_string(record.code) : "none") + "|" + Hex(record.bytes);
}

std::optional<GoldenRecord> ParseGoldenRecord(std::string_view line)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = line.find('|', start);
        parts.push_back(line.substr(start, bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    if (parts.size() != 5) return std::nullopt;
    GoldenRecord record;
    record.caseName = parts[0];
    bool known = false;
    for (const GoldenKind kind : kKinds)
        if (KindName(kind) == parts[1]) {
            record.kind = kind;
            known = true;
        }
    const std::optional<std::string> bytes = Unhex(parts[4]);
    if (!known || !bytes) return std::nullopt;
    record.plu = static_cast<std::uint32_t>(std::stoul(std::string(parts[2])));
    record.built = parts[3] != "none";
    record.code = record.built ? static_cast<std::uint16_t>(std::stoul(std::string(parts[3]))) : 0;
    record.bytes = *bytes;
    return record;
}

GoldenRecords ReadGoldenFile(const std::string& path)
{
    GoldenRecords records;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (const auto record = ParseGoldenRecord(line))
            records[FormatKey(record->caseName, record->kind, record->plu)] = *record;
    }
    return records;
}

bool WriteGoldenFile(const std::string& path, const GoldenRecords& records)
{
    std::ofstream out(path);
    out << "# PLU scale records of the golden PLU set: case|kind|PLU|record code or none|bytes in hex\n";
    for (const auto& [key, record] : records) out << FormatGoldenRecord(record) << '\n';
    return static_cast<bool>(out);
}

std::string GoldenFilePath() { return std::string(VARNEL_GOLDEN_DIR) + "/plu_records.golden"; }

void AddGoldenFieldDefs(TestMainFrame& frame)
{
    frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
    frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
    frame.AddFieldDef(FieldDefMap::Plu, 1026).m_width = 5;
}

GoldenRecord EncodeGoldenRecord(CPluDefTb& plus, TestMainFrame& frame, const GoldenCase& goldenCase,
                                GoldenKind kind, std::uint32_t plu, std::vector<TracedField>* trace)
{
    frame.m_setup = goldenCase.Setup();
    frame.SelectScaleFontSet();
    const CLinkScaleSettings scale = goldenCase.Scale();
    std::array<std::uint8_t, kRecordRoom> buffer{};
    const SiteSettingsPtr settings = frame.GetSiteSettings();
    ScaleRecordOut out{buffer};
    out.settings = settings.get();
    std::vector<TracedField> ignored;
    const RecordFieldTrace traced(trace ? *trace : ignored);
    GoldenRecord record{goldenCase.Name(), kind, plu, false, 0, {}};
    const BuildLock lock = plus.LockRecordBuild();
    switch (kind) {
    case GoldenKind::Plu: record.built = BuildPluRecord(plus, lock, scale, plu, out); break;
    case GoldenKind::Key: record.built = BuildKeyRecord(goldenCase.family, plu, out); break;
    case GoldenKind::Price: record.built = BuildPriceChangeRecord(plus, lock, scale, plu, out); break;
    case GoldenKind::Markdown: record.built = BuildMarkdownChangeRecord(plus, lock, scale, plu, out); break;
    case GoldenKind::Lumen:
        record.built = BuildLumenRecord(plus, *settings, goldenCase.family, plu, buffer, out.length);
        out.code = 0;
        break;
    }
    record.code = out.code;
    record.bytes.assign(reinterpret_cast<const char*>(buffer.data()), record.built ? out.length : 0);
    return record;
}

GoldenRecords EncodeGoldenRecords(CPluDefTb& plus, TestMainFrame& frame)
{
    GoldenRecords records;
    for (const GoldenCase& goldenCase : GoldenCases())
        for (const GoldenKind kind : kKinds) {
            if (kind == GoldenKind::Lumen && (goldenCase.family < 6 || goldenCase.family > 8)) continue;
            if (kind == GoldenKind::Key && goldenCase.variant != "base") continue;
            for (const std::uint32_t plu : kGoldenPlus) {
                GoldenRecord record = EncodeGoldenRecord(plus, frame, goldenCase, kind, plu);
                records[FormatKey(record.caseName, kind, plu)] = std::move(record);
            }
        }
    return records;
}

}  // namespace varnel::test
