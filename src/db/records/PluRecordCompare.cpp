// A PLU record received from a scale compared with the database: the record is read over a copy of the
// database's PLU, as the scale's zone has it, and the fields and the description (both in the scale's
// form) are compared; family 9 compares the extra price records too.
#include "db/plu/PluDefTb.h"

#include "db/text/DoubleByteText.h"
#include "db/text/LineText.h"
#include "db/plu/PluCompare.h"
#include "db/plu/PluFieldAccess.h"
#include "db/records/PluRecordLayouts.h"
#include "db/records/PluRecordReaders.h"
#include "db/text/QuotedScaleText.h"
#include "db/text/ScaleCharset.h"
#include "platform/TextFormat.h"

#include <cctype>
#include <string>

namespace varnel {
namespace {

constexpr MessageId kMsgNotInDatabase = 20553;
constexpr MessageId kMsgTextDiffers = 20555;
constexpr std::size_t kLongBlockTextRoom = 1001;
constexpr int kExtraPriceTables = 5;

bool IsCompared(std::uint16_t family)
{
    return family == 0 || family == 2 || (family >= 6 && family <= 12 && family != 7);
}

// The database's description as the encoder writes it for the scale (without the quotes and comma of
// the comma-separated families).
std::string DatabaseScaleText(const PluDecodeContext& c, std::string_view desc)
{
    std::string out(2 * kPluDescMax + 8, '\0');
    std::size_t length = 0;
    if (c.family <= 5) {
        const bool longBlock = c.family == 2 && !(c.Market() != MarketUsa && c.setup.m_couponSupport != 0);
        const std::size_t limit = longBlock ? std::min<std::size_t>(c.scale.m_maxDescLength, kLongBlockTextRoom)
                                            : c.scale.m_maxDescLength;
        length = ConvertTextToScaleCharset(c.text, c.scale, desc, std::span(out).first(std::min(limit, out.size())));
    } else if (c.family == 6 || c.family == 8) {
        length = EscapeTextToLineTextForType(c.text, c.family, out, desc);
    } else {
        length = EncodeQuotedScaleText(c.text, c.scale, out, desc, MaxCsvDescLength(c.family, c.Market(), c.ausNz));
        out.resize(length);
        return out.size() >= 3 ? out.substr(1, out.size() - 3) : std::string{};
    }
    out.resize(length);
    return out;
}

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Every "\x" escape written one way: a lower-case x and upper-case hex digits.
std::string WithEscapesInOneCase(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i + 3 < out.size(); ++i) {
        if (out[i] != '\\' || (out[i + 1] != 'x' && out[i + 1] != 'X') || !IsHexDigit(out[i + 2]) ||
            !IsHexDigit(out[i + 3]))
            continue;
        out[i + 1] = 'x';
        out[i + 2] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i + 2])));
        out[i + 3] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i + 3])));
        i += 3;
    }
    return out;
}

std::string_view ScaleTextOf(const DecodedPluFields& decoded, std::span<const std::uint8_t> record, bool csv)
{
    const std::string_view whole = csv ? std::string_view(decoded.csvText)
                                       : std::string_view(reinterpret_cast<const char*>(record.data()), record.size());
    return whole.substr(std::min(decoded.text.start, whole.size()), decoded.text.length);
}

// The extra price records of the tables in use, each compared by its table.
void CompareExtraPrices(const PluDecodeContext& c, IRuxPriceTables& tables, std::uint32_t plu,
                        DecodedPluFields& decoded, IPluCompareResults& results)
{
    const int tablesInUse = c.setup.m_singleStoreOperation != 0 ? 1 : kExtraPriceTables;
    const std::span<char> text(decoded.csvText);
    std::size_t position = decoded.priceFields;
    for (int table = 1; table <= tablesInUse; ++table)
        (void)tables.CompareReceivedBlock(table, c.scale, plu, text, position, results);
}

}  // namespace

bool CPluDefTb::ComparePluRecord(const CLinkScaleSettings& scale, std::span<const std::uint8_t> record,
                                 IPluCompareResults& results)
{
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    const CGeneralSetup& setup = GetRoles().Setup();
    const TextRules text = GetRoles().Text();
    const bool ausNz = text.ausNzNutrition;
    const std::optional<std::uint32_t> plu = ReadPluNumber(setup, ausNz, family, record);
    if (!plu) return false;
    results.AddScaleKey(*plu);
    const CPluDefRec* stored = FindPlu(*plu);
    if (!stored) {
        results.AddNotInDatabase(*plu);
        results.WriteLine(FormatMessage(kMsgNotInDatabase, static_cast<unsigned long>(*plu)));
        return true;
    }
    if (!IsCompared(family)) return true;

    const BuildLock lock = LockRecordBuild();
    const CurrentScale current(*this, lock, scale);
    const std::uint16_t zone = setup.IsHeadOfficeMode() ? scale.m_priceZone : setup.GetLocalPriceZone();
    const CPluDefRec database = zone == 0 ? *stored : GetZonePlu(lock, *stored, zone);
    CPluDefRec onScale = database;
    const PluDecodeContext context{onScale, scale, family, setup, ausNz, text, GetRoles()};
    DecodedPluFields decoded = DecodePluFields(context, record);
    const bool csv = family >= 9;
    if (family == 9) {
        // Read in place over a copy: the extra price tables compare the blocks from the text as it came.
        std::string ownBlock = decoded.csvText;
        std::size_t position = decoded.priceFields;
        ReadOwnPriceBlock(context, ownBlock, position);
    }

    PluDifferenceLines lines(results, *plu);
    ComparePluWithScale(lines, onScale, database);
    const std::string scaleText(ScaleTextOf(decoded, record, csv));
    const std::string databaseText = DatabaseScaleText(context, database.GetDesc());
    if ((csv ? WithEscapesInOneCase(scaleText) : scaleText) != databaseText)
        lines.Write(GetMessageText(kMsgTextDiffers));
    if (family == 9 && m_ruxPriceTables) CompareExtraPrices(context, *m_ruxPriceTables, *plu, decoded, results);
    return true;
}

}  // namespace varnel
