// The general settings record that the main frame holds and saves in the general setup file.
// The record store reads it through the main frame (MainFrame.h); fields are added as the parts
// that read them are built.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varnel {

enum Market : std::uint16_t {
    MarketUsa = 0,
    MarketNewZealand = 1,
    MarketAustralia = 2,
    MarketThailand = 3,
    MarketSouthAmerica = 4,
    MarketHongKong = 5,
    MarketIndonesia = 6,
    MarketChina = 7,
    MarketIceland = 8,
    MarketPhilippines = 9,
    MarketTaiwan = 10,
    MarketSingapore = 11,
    MarketMalaysia = 12,
    MarketSouthAfrica = 13,
    MarketSweden = 14,
    MarketTurkey = 15,
    MarketNorway = 16,
    MarketBaltic = 17
};

struct CGeneralSetup {
    std::uint16_t m_defaultScaleFamily = 0;  // 0 to 12; a scale of family 65535 takes this one
    std::uint16_t m_market = MarketUsa;
    std::uint16_t m_seriesNumber = 0;
    std::uint16_t m_onlineComms = 1;         // on-line communication: queued sends and operator sends need it
    std::uint32_t m_maxPluNo = 999999;       // "Max. PLU No."
    std::uint8_t m_koreanFont = 0;           // "Use Korean font? (North America only)"
    std::uint16_t m_maxCommsLogSize = 0;     // of a link's comms log, in kilobytes
    std::uint8_t m_discardUnsentOnOpenFailure = 0;  // a link that cannot be opened empties its scales' queues
    // "Use ping to check scales (turn OFF where ping is not permitted)": a TCP link pings its scale first.
    std::uint8_t m_usePing = 1;
    // Daisy-chained comms: a link carries a list of scales (compare titles and department choices name
    // link and scale); when 0 each link carries one scale, named by the link.
    std::uint16_t m_daisyChainedComms = 0;
    std::uint8_t m_kauriAucklandHostImport = 0;
    std::uint8_t m_nutritionInUse = 0;
    // The message source (0 none, 5 to 13 another message column) sent in the files of coupons and
    // of extra messages 1 to 3, in that order.
    std::array<std::uint8_t, 4> m_messageFileMapping{};
    std::uint16_t m_lineLimit = 0;           // of description fonts; families 6 and 8 to 12 take it for every font
    std::uint8_t m_taiwanExtendedChars = 0;  // Taiwan: lines with characters of the extended range are left out

    // Six label-size ranges: PLUs From..To (inclusive) print on labels of that width and description length.
    std::array<std::uint32_t, 6> m_labelFromPlu{};
    std::array<std::uint32_t, 6> m_labelToPlu{};
    std::array<std::uint16_t, 6> m_labelWidths{};
    std::array<std::uint16_t, 6> m_descLengths{};
    std::uint16_t m_labelWidth60mmDots = 440;  // "60 mm label width (dots)": label widths in mm scale to dots by it
    std::uint16_t m_priceZoneMode = 0;        // bit 0 price zones disabled, bit 1 head-office mode
    std::uint16_t m_localPriceZone = 0;
    std::uint8_t m_markdownPercentDecimal = 0;  // "Different dec. pt. for markdown percentage?"
    std::uint8_t m_orlanComms = 0;            // the PLU table remembers changed PLUs for the outside maker's scales
    std::uint8_t m_ctrlFlagPair = 0;          // CtrlFlag bits 1 and 2 together mean something to the scales
    std::uint8_t m_deptGroupByText = 0;       // departments and groups are named by their texts (tables 82, 83)
    std::uint8_t m_noAutoRuxPriceRecord = 0;  // a price change makes no first extra price record

    // What the PLU record builders read.
    std::uint16_t m_couponSupport = 0;
    std::uint16_t m_pluActiveInactive = 0;    // a PLU whose CtrlFlag bit 0 is set is not sent to scales
    std::uint32_t m_maxExMessageNo = 99;      // "Max. Ex. Message No."
    std::uint32_t m_maxCouponNo = 99;         // "Max. Coupon No."
    std::uint8_t m_singleStoreOperation = 0;  // "Single store operation?"
    std::uint8_t m_noTrayNumber = 0;          // no tray number to the comma-separated families
    std::uint8_t m_family2Conversion = 0;     // family-2 scales get their PLUs converted
    std::uint8_t m_noMarkdownFamily3 = 0;     // family-3 scales get no markdown
    std::uint8_t m_market3ThirdMessage = 0;   // Thailand: the third message slot in the text records
    std::uint8_t m_lumenXtPriceChange = 0;    // "Use LumenXT price change message": short price records to family 6
    std::uint8_t m_posUpdateFileOutput = 0;   // each changed PLU is written to the POS update file
    std::string m_posUpdateFilePath{};

    // Data Save files and the file link.
    std::uint16_t m_overwriteExisting = 0;    // "Overwrite existing records?": take imported records of numbers held
    std::uint16_t m_itemRecordExtension = 0;  // item records: 0 the short form (66 bytes), 1 the long one (80 bytes)
    std::uint16_t m_maxStoreNo = 99;          // "Max. Store No."
    std::uint16_t m_maxCampaignNo = 100;      // "Max. Campaign No."

    // The label width of the last label-size range that holds the PLU; 60 when none does.
    std::uint16_t GetLabelWidth(std::uint32_t pluNumber) const;
    // The description length of the last label-size range that holds the PLU; 100 when none does.
    std::uint16_t GetDescLength(std::uint32_t pluNumber) const;
    bool IsHeadOfficeMode() const { return (m_priceZoneMode & 3) == 2; }
    // The store's own price zone; 0 when price zones are disabled or in head-office mode.
    std::uint16_t GetLocalPriceZone() const { return (m_priceZoneMode & 3) == 0 ? m_localPriceZone : 0; }
};

}  // namespace varnel
