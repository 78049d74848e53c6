// The file codes as a table of rules: the first rule that names the data kind, the family, the
// market and the conditions gives the code; no rule, no code.
//
// Family groups: A = 0, 4, 5; B = 6, 8 (binary codes: packed BCD, so four zero bytes are BCD(8) of 0
// and the hourly-production code is BCD(2) of 99 and three zero bytes); C = 9 to 12 (the text start
// record "0,").
#include "comms/idenq/ScaleFileCodes.h"

#include "comms/idenq/ScaleFamily.h"
#include "db/text/DoubleByteText.h"
#include "db/site/TextRules.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace varnel {
namespace {

using namespace std::string_view_literals;

constexpr std::uint64_t Kind(unsigned kind) { return std::uint64_t{1} << kind; }
constexpr std::uint64_t Kinds(unsigned first, unsigned last)
{
    std::uint64_t mask = 0;
    for (unsigned kind = first; kind <= last; ++kind) mask |= Kind(kind);
    return mask;
}
constexpr std::uint16_t Family(unsigned family) { return static_cast<std::uint16_t>(1u << family); }
// Markets past the known ones share the last bit.
constexpr std::uint32_t Market(unsigned market) { return std::uint32_t{1} << std::min(market, 31u); }

constexpr std::uint16_t kGroupA = Family(0) | Family(4) | Family(5);
constexpr std::uint16_t kGroupB = Family(6) | Family(8);
constexpr std::uint16_t kGroupC = Family(9) | Family(10) | Family(11) | Family(12);
constexpr std::uint16_t kFamilies10To12 = Family(10) | Family(11) | Family(12);
constexpr std::uint16_t kFamilies10And12 = Family(10) | Family(12);
constexpr std::uint16_t kFamilies9And11 = Family(9) | Family(11);

constexpr std::uint32_t kAnyMarket = ~std::uint32_t{0};
constexpr std::uint32_t kUsa = Market(MarketUsa);
constexpr std::uint32_t kNotUsa = ~kUsa;

enum class Condition : std::uint8_t { Any, Yes, No };

enum class CodeForm : std::uint8_t {
    Text,
    Binary,
    ExtraMessageText,  // the text, then the zeros of the highest extra message key
};

struct FileCode {
    std::string_view bytes;
    CodeForm form = CodeForm::Text;
};

constexpr FileCode kStartRecord{"0,"};
constexpr FileCode kZeroWord{"\0\0\0\0"sv, CodeForm::Binary};
constexpr FileCode kZeroWordPair{"\0\0\0\0\0\0\0\0"sv, CodeForm::Binary};
constexpr FileCode kZeroByte{"\0"sv, CodeForm::Binary};
constexpr FileCode kEmptyCode{""sv, CodeForm::Binary};
constexpr FileCode kHourlyWord{"\x99\0\0\0"sv, CodeForm::Binary};

struct FileCodeRule {
    std::uint64_t kinds;
    std::uint16_t families;
    std::uint32_t markets;
    FileCode code;
    Condition ausNz = Condition::Any;
    Condition message28 = Condition::Any;
};

constexpr FileCodeRule kRules[] = {
    // 0 PLU
    {Kind(0), kGroupA, kUsa, {"50000000"}},
    {Kind(0), kGroupA, kNotUsa, {"500200000000"}},
    {Kind(0), Family(2), kAnyMarket, {"440000000000"}},
    {Kind(0), kGroupB, kAnyMarket, kZeroWordPair, Condition::Any, Condition::Yes},
    {Kind(0), kGroupB, kAnyMarket, kZeroWord},
    {Kind(0), kGroupC, kAnyMarket, kStartRecord},
    // 1 Store (TR-5300/LumenXT)
    {Kind(1), kGroupB, kAnyMarket, kZeroWord},
    // 2 Extra Message
    {Kind(2), kGroupA, kUsa, {"51", CodeForm::ExtraMessageText}},
    {Kind(2), kGroupA, kNotUsa, {"5102", CodeForm::ExtraMessageText}},
    {Kind(2), kGroupB, kAnyMarket, kZeroWord},
    {Kind(2), kGroupC, kAnyMarket, kStartRecord},
    // 3 Extra Message #2
    {Kind(3), Family(0), Market(MarketTaiwan), {"580200"}},
    {Kind(3), Family(0), Market(MarketThailand), {"82020000"}},
    {Kind(3), kGroupB, kAnyMarket, kZeroWord},
    {Kind(3), kGroupC, kAnyMarket, kStartRecord},
    // 4 Extra Message #3
    {Kind(4), Family(0), Market(MarketTaiwan), {"590200"}},
    {Kind(4), kGroupB, kAnyMarket, kZeroWord},
    {Kind(4), kGroupC, kAnyMarket, kStartRecord},
    // 5 Coupon
    {Kind(5), kGroupA, kUsa, {"5200"}},
    {Kind(5), kGroupA, kNotUsa, {"520200"}},
    {Kind(5), kGroupB, kAnyMarket, kZeroWord},
    {Kind(5), kGroupC, kAnyMarket, kStartRecord},
    // 6 Keyboards
    {Kind(6), kGroupB, kAnyMarket, kZeroWord},
    {Kind(6), kFamilies10And12, kAnyMarket, kStartRecord},
    // 10 Batch Labels
    {Kind(10), kGroupB, kAnyMarket, kEmptyCode},
    {Kind(10), kFamilies10And12, kAnyMarket, kStartRecord},
    // 11 Nutrition
    {Kind(11), kGroupA, kUsa, {"53000000"}},
    {Kind(11), kGroupB, kAnyMarket, kZeroWord},
    {Kind(11), kGroupC, kAnyMarket, kStartRecord},
    // 12 Advertising Message
    {Kind(12), kGroupA, kAnyMarket, {"54"}},
    {Kind(12), Family(8), kAnyMarket, kZeroByte},
    {Kind(12), kFamilies10To12, kAnyMarket, kStartRecord},
    // 13 Operator
    {Kind(13), kGroupB, kAnyMarket, kZeroWord},
    {Kind(13), kFamilies10To12, kAnyMarket, kStartRecord},
    // 14 PLU Production
    {Kind(14), kGroupA, kUsa, {"400000"}},
    {Kind(14), kGroupA, kNotUsa, {"40010000"}},
    {Kind(14), Family(1), kAnyMarket, {"40000000"}, Condition::Yes},
    {Kind(14), Family(1), kAnyMarket, {"910000"}},
    {Kind(14), Family(2), kAnyMarket, {"400000"}},
    {Kind(14), Family(3), kAnyMarket, {"910000"}},
    {Kind(14), kGroupB, kAnyMarket, kZeroWord},
    {Kind(14), kGroupC, kAnyMarket, kStartRecord},
    // 15 Next Day
    {Kind(15), Family(5), Market(MarketHongKong), {"45010000"}},
    {Kind(15), Family(1), kAnyMarket, {"93000000"}, Condition::Yes},
    // 16 Rewrap
    {Kind(16), Family(5), Market(MarketHongKong), {"44010000"}},
    {Kind(16), Family(1), kAnyMarket, {"94000000"}, Condition::Yes},
    // 17 Hourly Production
    {Kind(17), kGroupA, kUsa, {"43"}},
    {Kind(17), kGroupA, kNotUsa, {"4301"}},
    {Kind(17), Family(2), kUsa, {"43"}},
    {Kind(17), kGroupB, kAnyMarket, kHourlyWord},
    {Kind(17), kGroupC, kAnyMarket, kStartRecord},
    // 18 Operator Production
    {Kind(18), kGroupA, kUsa, {"47"}},
    {Kind(18), kGroupA, Market(MarketSouthAmerica) | Market(MarketSouthAfrica), {"4602"}},
    {Kind(18), kGroupA, kAnyMarket, {"4602"}, Condition::Yes},
    {Kind(18), Family(1), kAnyMarket, {"47000000"}, Condition::Yes},
    {Kind(18), Family(2), kUsa, {"95"}},
    {Kind(18), kGroupB, kAnyMarket, kZeroWord},
    {Kind(18), kGroupC, kAnyMarket, kStartRecord},
    // 19
    {Kind(19), kGroupB, kAnyMarket, kZeroWord},
    {Kind(19), kGroupC, kAnyMarket, kStartRecord},
    // 20 Campaign
    {Kind(20), Family(8), kAnyMarket, kZeroByte},
    {Kind(20), Family(9), ~Market(MarketTaiwan), kStartRecord},
    {Kind(20), kFamilies10To12, kAnyMarket, kStartRecord},
    // 21 Pop Message
    {Kind(21), Family(6), kAnyMarket, kZeroWord},
    {Kind(21), kFamilies9And11, kAnyMarket, kStartRecord},
    {Kind(21), kFamilies10And12, Market(MarketTaiwan), kStartRecord},
    // 22, 23, 34, 35 Comment/Lot Message, Store (5400-series/RUX/VM/QF), Department, Group
    {Kind(22) | Kind(23) | Kind(34) | Kind(35), kGroupC, kAnyMarket, kStartRecord},
    // 24 to 29, 36 Free Messages 1 to 5, Free Message Name, Memo/VM/QF Preset Keys
    {Kinds(24, 29) | Kind(36), kFamilies9And11, kAnyMarket, kStartRecord},
    // 30 to 33, 37, 38, 41, 42 Ingredients, Origin, Storage, Index Keys, Trays, production tables
    {Kinds(30, 33) | Kind(37) | Kind(38) | Kind(41) | Kind(42), Family(9), kAnyMarket, kStartRecord},
    // 39 Batch Production, 40 VM Images
    {Kind(39), Family(10), kAnyMarket, kStartRecord},
    {Kind(40), Family(11), kAnyMarket, kStartRecord},
};

constexpr std::uint16_t kHighestDataKind = 42;

// The message kinds that can travel in a mapped message file, with the source number that the
// general setup's message file mapping names for them.
struct MessageSource {
    std::uint16_t kind;
    std::uint8_t source;
};
constexpr MessageSource kMessageSources[] = {{22, 11}, {24, 5}, {25, 6},  {26, 7},  {27, 8},
                                             {28, 9},  {30, 10}, {32, 12}, {33, 13}};

// The data kinds of the mapping's entries (coupons, extra messages 1 to 3), in the order they are tried.
struct MappedFile {
    std::size_t entry;
    std::uint16_t kind;
};
constexpr MappedFile kMappedFiles[] = {{1, 2}, {2, 3}, {3, 4}, {0, 5}};

bool Holds(Condition condition, bool value)
{
    return condition == Condition::Any || (condition == Condition::Yes) == value;
}

const FileCode* FindFileCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CGeneralSetup& setup)
{
    const std::uint16_t family = scale.GetScaleType(setup.m_defaultScaleFamily);
    const std::uint16_t kind = MapMessageSlot(dataKind, family, setup.m_messageFileMapping);
    if (kind > kHighestDataKind || family > kHighestScaleFamily) return nullptr;
    const std::uint16_t market = setup.m_market;
    const bool ausNz = IsAusNzNutrition(setup);
    for (const FileCodeRule& rule : kRules) {
        if ((rule.kinds & Kind(kind)) != 0 && (rule.families & Family(family)) != 0 &&
            (rule.markets & Market(market)) != 0 && Holds(rule.ausNz, ausNz) &&
            Holds(rule.message28, scale.m_message28 != 0))
            return &rule.code;
    }
    return nullptr;
}

// The zeros after the extra message code: as many as the highest key takes, 2, 4 or 6.
std::string_view ExtraMessageZeros(std::uint32_t highestKey)
{
    if (highestKey < 100) return "00";
    if (highestKey < 10000) return "0000";
    return "000000";
}

}  // namespace

std::uint16_t MapMessageSlot(std::uint16_t dataKind, std::uint16_t family,
                             const std::array<std::uint8_t, 4>& messageFileMapping)
{
    if (family == 9) return dataKind;
    const auto source = std::find_if(std::begin(kMessageSources), std::end(kMessageSources),
                                     [dataKind](const MessageSource& entry) { return entry.kind == dataKind; });
    if (source == std::end(kMessageSources)) return dataKind;
    for (const MappedFile& file : kMappedFiles)
        if (messageFileMapping[file.entry] == source->source) return file.kind;
    return dataKind;
}

bool GetScaleFileCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CGeneralSetup& setup,
                      std::uint32_t highestExtraMessageKey, std::span<std::uint8_t> out, std::size_t& length)
{
    const FileCode* code = FindFileCode(dataKind, scale, setup);
    if (code == nullptr) return false;
    std::string bytes(code->bytes);
    if (code->form == CodeForm::ExtraMessageText) bytes += ExtraMessageZeros(highestExtraMessageKey);
    const std::size_t terminator = code->form == CodeForm::Binary ? 0 : 1;
    if (bytes.size() + terminator > out.size()) return false;
    std::copy(bytes.begin(), bytes.end(), out.begin());
    if (terminator != 0) out[bytes.size()] = 0;
    length = bytes.size();
    return true;
}

bool HasScaleFileCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CGeneralSetup& setup)
{
    return FindFileCode(dataKind, scale, setup) != nullptr;
}

}  // namespace varnel
