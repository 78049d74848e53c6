#include "comms/sorrel/SorrelCodes.h"

#include "comms/idenq/ScaleFamily.h"
#include "comms/idenq/ScaleFileCodes.h"
#include "db/site/GeneralSetup.h"
#include "db/site/TextRules.h"
#include "db/text/DoubleByteText.h"
#include "db/site/LinkScaleSettings.h"

#include <array>
#include <optional>

namespace varnel::sorrel {
namespace {

constexpr std::uint16_t kHighestDataKind = 42;
constexpr std::uint16_t kMessage28BlockCode = 28;

struct KindCodes {
    std::uint16_t shortCode;
    std::uint16_t longCode;
};

// By data kind.
constexpr std::array<KindCodes, kHighestDataKind + 1> kCodes{{
    {50, 2001}, {51, 0},    {52, 2003}, {53, 2004}, {54, 2005}, {55, 2006}, {56, 2024}, {57, 2021},
    {58, 2020}, {59, 0},    {60, 0},    {66, 2026}, {26, 2029}, {67, 2027}, {61, 2031}, {0, 0},
    {0, 0},     {62, 2032}, {63, 2033}, {64, 2037}, {25, 2028}, {69, 2011}, {0, 2003},  {0, 2002},
    {0, 2004},  {0, 2005},  {0, 2006},  {0, 2007},  {0, 2008},  {0, 2009},  {0, 2010},  {0, 2012},
    {0, 2013},  {0, 2014},  {0, 2015},  {0, 2016},  {0, 2018},  {0, 2019},  {0, 2030},  {0, 2041},
    {0, 0},     {0, 2048},  {0, 2042},
}};

// The long form's exceptions, tested in this order before the table; none when the table decides.
std::optional<std::uint16_t> LongFormException(std::uint16_t kind, std::uint16_t family, const CodeSettings& settings)
{
    if (family == 11) {
        if (kind == 40) return 2036;
        if (kind >= 3 && kind <= 5) return static_cast<std::uint16_t>(2040 + kind);
    }
    if (family != 9 && (kind == 41 || kind == 42)) return 0;
    if (family == 9 && settings.market != MarketTaiwan) {
        if (kind >= 3 && kind <= 5) return static_cast<std::uint16_t>(2040 + kind);
        if (kind == 11 && settings.ausNzNutrition) return 2044;
        if (kind == 18 || kind == 39 || kind == 19) return 0;
    }
    if (settings.ausNzNutrition) {
        if (kind == 11) return 2005;
        if (kind == 5) return 2004;
        if (kind == 22) return 2006;
    }
    return std::nullopt;
}

}  // namespace

CodeSettings CodeSettings::Of(const CGeneralSetup& setup)
{
    return {setup.m_market, IsAusNzNutrition(setup), setup.m_messageFileMapping, setup.m_defaultScaleFamily};
}

std::uint16_t GetBlockCode(std::uint16_t dataKind, const CLinkScaleSettings& scale, const CodeSettings& settings)
{
    if (dataKind > kHighestDataKind) return 0;
    const std::uint16_t family = scale.GetScaleType(settings.defaultFamily);
    if (!IsType9To12(family)) {
        if (dataKind == 0 && scale.m_message28 != 0 && (family == 6 || family == 8)) return kMessage28BlockCode;
        const std::uint16_t mapped = MapMessageSlot(dataKind, family, settings.messageFileMapping);
        return mapped > kHighestDataKind ? 0 : kCodes[mapped].shortCode;
    }
    if (const std::optional<std::uint16_t> exception = LongFormException(dataKind, family, settings)) return *exception;
    const std::uint16_t mapped = MapMessageSlot(dataKind, family, settings.messageFileMapping);
    return mapped > kHighestDataKind ? 0 : kCodes[mapped].longCode;
}

std::uint16_t GetDeleteTotalsCode(std::uint16_t dataKind, std::uint16_t family, const CodeSettings& settings)
{
    if (!IsType9To12(family)) {
        switch (dataKind) {
        case 14: return 11;
        case 17: return 12;
        case 18: return 13;
        default: return 0;
        }
    }
    if (family == 11) return dataKind == 18 ? 31 : 0;
    const bool taiwanRux = family == 9 && settings.market == MarketTaiwan;
    switch (dataKind) {
    case 14: return 31;
    case 17: return 32;
    case 18: return family == 9 && !taiwanRux ? 0 : 33;
    case 39: return (family == 9 && !taiwanRux) || family == 12 ? 0 : 41;
    case 41: return taiwanRux ? 48 : 0;
    case 42: return taiwanRux ? 42 : 0;
    default: return 0;
    }
}

}  // namespace varnel::sorrel
