// The general setup's 482-byte record: one table of (offset, field) that both the writer and the
// reader walk, the field's type giving its width (GeneralSetup.h shows the table as a map).
#include "db/site/GeneralSetup.h"

#include "platform/ByteOrder.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace varnel {
namespace {

// Calls visit(offset, field) for every field of the record, in the order of their offsets.
template <class Setup, class Visit>
void VisitRecordFields(Setup& s, Visit&& visit)
{
    visit(0, s.m_defaultScaleFamily);
    visit(4, s.m_labelWidths);
    visit(16, s.m_labelFromPlu);
    visit(40, s.m_labelToPlu);
    visit(64, s.m_onlineComms);
    visit(66, s.m_couponSupport);
    visit(68, s.m_setupPasswordInUse);
    visit(70, s.m_autoLoadDatabase);
    visit(72, s.m_dataSaveShowOptions);
    visit(74, s.m_dataSaveOpenMode);
    visit(76, s.m_overwriteExisting);
    visit(78, s.m_setupPassword);
    visit(90, s.m_reportFontSize);
    visit(92, s.m_hideDataSave);
    visit(94, s.m_seriesNumber);
    visit(96, s.m_market);
    visit(104, s.m_maxPluNo);
    visit(186, s.m_posCodeInSearch);
    visit(187, s.m_deptGroupInSearch);
    visit(192, s.m_displayFont);
    visit(252, s.m_keepHourlyDays);
    visit(254, s.m_keepOperatorDays);
    visit(256, s.m_keepPluDays);
    visit(260, s.m_maxExMessageNo);
    visit(264, s.m_autoBackup);
    visit(266, s.m_defaultDatabaseFormat);
    visit(268, s.m_startDayOfWeek);
    visit(270, s.m_maxCampaignNo);
    visit(272, s.m_maxStoreNo);
    visit(274, s.m_priceZoneMode);
    visit(276, s.m_localPriceZone);
    visit(278, s.m_multiUserAccess);
    visit(280, s.m_daisyChainedComms);
    visit(282, s.m_campaignDayOfWeek);
    visit(284, s.m_keepRewrapDays);
    visit(286, s.m_keepNextDayDays);
    visit(288, s.m_usaMarketFlag);
    visit(290, s.m_descLengths);
    visit(302, s.m_maxCommsLogSize);
    visit(304, s.m_lineSpacing);
    visit(306, s.m_printerDriverBypass);
    visit(308, s.m_lineLimit);
    visit(310, s.m_taiwanExtendedChars);
    visit(311, s.m_noAutoRuxPriceRecord);
    visit(312, s.m_deptGroupByText);
    visit(313, s.m_ctrlFlagPair);
    visit(314, s.m_itemRecordExtension);
    visit(316, s.m_noMarkdownFamily3);
    visit(317, s.m_family2Conversion);
    visit(318, s.m_discardUnsentOnOpenFailure);
    visit(372, s.m_pluActiveInactive);
    visit(374, s.m_posCheckNewPlu);
    visit(375, s.m_nutritionInUse);
    visit(376, s.m_oneToManyNutrition);
    visit(377, s.m_commsStatusAtStartup);
    visit(378, s.m_label60mmWidth);
    visit(380, s.m_lumenXtPriceChange);
    visit(381, s.m_hostSupportedShown);
    visit(382, s.m_twoDescLinesInSearch);
    visit(383, s.m_unitFixedPriceDecimal);
    visit(384, s.m_maxCouponNo);
    visit(388, s.m_kauriAucklandHostImport);
    visit(389, s.m_twoColourPrinting);
    visit(390, s.m_singleStoreOperation);
    visit(391, s.m_messageFileMapping);
    visit(396, s.m_noDeptGroupSearchFamily10);
    visit(397, s.m_markdownPercentDecimal);
    visit(398, s.m_kanaSupport);
    visit(399, s.m_posUpdateFileOutput);
    visit(400, s.m_keepProductionAfterLoad);
    visit(401, s.m_totaraHostImport);
    visit(402, s.m_kauriSouthIslandHostImport);
    visit(403, s.m_extraMessagesInLengthCheck);
    visit(406, s.m_orlanComms);
    visit(407, s.m_noAutoResend);
    visit(408, s.m_skipDuplicateIpCheck);
    visit(409, s.m_noTrayNumber);
    visit(410, s.m_tr5300ExtraMessage2);
    visit(411, s.m_market3ThirdMessage);
    visit(412, s.m_tr5400MasterSatellite);
    visit(413, s.m_koreanFont);
    visit(414, s.m_productionOption);
    visit(415, s.m_tenDigitProductionPrice);
    visit(416, s.m_productionPriceDiv100);
    visit(417, s.m_usePing);
    visit(418, s.m_checkConnectionBeforeProduction);
}

// The parts written as zero whatever was read.
constexpr std::pair<std::size_t, std::size_t> kReserved[] = {{2, 2}, {98, 6}, {258, 2}, {420, 62}};

template <class T>
void Store(std::uint8_t* at, const T& value)
{
    if constexpr (std::is_same_v<T, std::uint8_t>) {
        *at = value;
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        StoreLe16(at, value);
    } else if constexpr (std::is_same_v<T, std::uint32_t>) {
        StoreLe32(at, value);
    } else {
        for (const auto& element : value) {
            Store(at, element);
            at += sizeof(element);
        }
    }
}

template <class T>
void Load(const std::uint8_t* at, T& value)
{
    if constexpr (std::is_same_v<T, std::uint8_t>) {
        value = *at;
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        value = LoadLe16(at);
    } else if constexpr (std::is_same_v<T, std::uint32_t>) {
        value = LoadLe32(at);
    } else {
        for (auto& element : value) {
            Load(at, element);
            at += sizeof(element);
        }
    }
}

// Old record (versions 100 to 220) -> current record: (old offset, new offset, length).
struct MovedBytes {
    std::size_t from;
    std::size_t to;
    std::size_t length;
};
constexpr MovedBytes kOldRecordMoves[] = {
    {0, 0, 2},      {68, 4, 92},    {160, 96, 2},   {162, 104, 20}, {182, 134, 16},
    {198, 186, 4},  {236, 192, 60}, {306, 252, 4},  {310, 256, 2},  {312, 260, 48},
};
constexpr std::size_t kOldRecordSize = 370;
constexpr std::size_t kNutritionSupportOffset = 375;
constexpr std::size_t kMarketOffset = 96;

}  // namespace

CGeneralSetup::Record CGeneralSetup::ToRecord() const
{
    Record record = m_recordBytes;
    for (const auto& [offset, length] : kReserved) std::fill_n(record.begin() + offset, length, 0);
    VisitRecordFields(*this, [&record](std::size_t offset, const auto& field) { Store(record.data() + offset, field); });
    return record;
}

void CGeneralSetup::FromRecord(const Record& record)
{
    m_recordBytes = record;
    VisitRecordFields(*this, [&record](std::size_t offset, auto& field) { Load(record.data() + offset, field); });
}

CGeneralSetup::Record CGeneralSetup::ConvertOldRecord(std::span<const std::uint8_t> oldRecord)
{
    std::array<std::uint8_t, kOldRecordSize> old{};
    std::copy_n(oldRecord.begin(), std::min(oldRecord.size(), old.size()), old.begin());
    Record record{};
    for (const MovedBytes& move : kOldRecordMoves)
        std::copy_n(old.begin() + move.from, move.length, record.begin() + move.to);
    const std::uint16_t market = LoadLe16(record.data() + kMarketOffset);
    record[kNutritionSupportOffset] = market == MarketUsa || market == MarketThailand ? 1 : 0;
    return record;
}

void CGeneralSetup::Normalise()
{
    constexpr std::uint32_t kLargestCouponNo = 99999999;
    constexpr std::uint16_t kDefault60mmWidth = 440;
    m_usaMarketFlag = m_market == MarketUsa ? 1 : 0;
    if (m_maxCouponNo == 0 || m_maxCouponNo > kLargestCouponNo) m_maxCouponNo = 99;
    for (std::uint16_t& length : m_descLengths)
        if (length == 0) length = 100;
    if (m_label60mmWidth == 0) m_label60mmWidth = kDefault60mmWidth;
}

}  // namespace varnel
