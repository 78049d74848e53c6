// The general settings record that the main frame holds and saves in the general setup file.
// The record store reads it through the main frame (MainFrame.h); fields are added as the parts
// that read them are built.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
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

// The 482-byte record that the general setup file stores raw (GeneralSetupRecord.cpp writes and reads
// it). Offsets from the start of the record, little-endian; fields marked * have places of our
// choosing, in the order the system lists its settings, in bytes no other field claims:
//
//   offset  width   field                                  offset  width   field
//   0       u16     default scale family                   302     u16     max. comms log size (KB)
//   2       u16     reserved (0)                           304     u16     desc. text line spacing (dots)
//   4       6 u16   label widths of ranges 1-6             306     u16     printer driver bypass
//   16      6 u32   From PLU of ranges 1-6                 308*    u16     line limit of description fonts
//   40      6 u32   To PLU of ranges 1-6                   310*    u8      Taiwan extended characters
//   64      u16     on-line comms                          311*    u8      no automatic first RUX price record
//   66      u16     coupon support                         312*    u8      departments and groups by text
//   68      u16     setup password in use                  313*    u8      CtrlFlag pair
//   70      u16     auto-load database                     314*    u16     item-record extension
//   72      u16     Data Save: display options on open     316*    u8      no markdown to family 3
//   74      u16     Data Save file open mode               317*    u8      family-2 conversion
//   76      u16     Data Save: overwrite existing records   318*    u8      discard unsent on open failure
//   78*     9 bytes setup password (8 and a terminator)    372     u16     PLU active/inactive
//   90      u16     report font size                       374     u8      POS/item code check for new PLU
//   92      u16     hide Data Save function                375     u8      nutrition support
//   94      u16     left-justified fonts (font series)     376     u8      one-to-many nutrition
//   96      u16     market                                 377     u8      comms status at start-up
//   98      6 bytes reserved (0)                           378     u16     60 mm label width (dots)
//   104     u32     max. PLU No.                           380     u8      LumenXT price change message
//   108     78 bytes old key-type area (cleared on load)   381*    u8      host-supported flag shown
//   186     u8      POS code in search window              382*    u8      two description lines in search
//   187     u8      Dept & Group in search window          383     u8      dec. pt. for unit/fixed price
//   192*    60 bytes display font                          384     u32     max. coupon No.
//   252     u16     keep hourly production (days)          388     u8      Kauri Auckland host import
//   254     u16     keep operator production (days)        389     u8      2-colour printing
//   256     u16     keep PLU production (days)             390     u8      single store operation
//   258     u16     reserved (0)                           391     4 u8    message file mapping (P Q R S)
//   260     u32     max. Ex. Message No.                   396     u8      no Dept & Group search, family 10+
//   264     u16     automatic backup                       397     u8      dec. pt. for markdown percentage
//   266     u16     default database format (1 ".mdb")     398*    u8      kana support
//   268     u16     start day of week                      399     u8      Kauri POS update file output
//   270     u16     max. campaign No.                      400     u8      keep production after loading
//   272     u16     max. store No.                         401     u8      Totara host import
//   274     u16     price-zone mode                        402     u8      Kauri South Island host import
//   276     u16     local price zone                       403*    3 u8    extra messages 1-3 in length check
//   278     u16     multi-user access                      406*    u8      Orlan comms
//   280     u16     daisy-chained comms                    407*    u8      no automatic resend of unsent data
//   282     u16     campaign includes day of week          408*    u8      skip duplicate IP address check
//   284     u16     keep rewrap production (days)          409*    u8      no tray number (RUX, PZ4, Tarn4)
//   286     u16     keep next-day production (days)        410*    u8      TR-5300 extra message 2
//   288     u16     USA market flag                        411     u8      option T: Thailand third message
//   290     6 u16   description lengths of ranges 1-6      412*    u8      TR-5400 master-satellite mode
//                                                          413     u8      Korean font
//                                                          414     u8      production option (meat cut test)
//                                                          415*    u8      10-digit production price
//                                                          416*    u8      production price divided by 100
//                                                          417*    u8      ping to check scales
//                                                          418*    u8      check connection before production
//                                                          420     62 bytes reserved (0)
//
// Bytes no field claims (88-89, 188-191, 319-371, 395, 419) are kept as they were read.
struct CGeneralSetup {
    static constexpr std::size_t kRecordSize = 482;
    using Record = std::array<std::uint8_t, kRecordSize>;

    std::uint16_t m_defaultScaleFamily = 0;  // 0 to 12; a scale of family 65535 takes this one
    std::uint16_t m_market = MarketUsa;
    std::uint16_t m_seriesNumber = 0;        // "Left-justified fonts", also the font series of set 0
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
    // of extra messages 1 to 3, in that order; also the options P, Q, R and S of the derived flags.
    std::array<std::uint8_t, 4> m_messageFileMapping{};
    std::uint16_t m_lineLimit = 0;           // of description fonts; families 6 and 8 to 12 take it for every font
    std::uint8_t m_taiwanExtendedChars = 0;  // Taiwan: lines with characters of the extended range are left out

    // Six label-size ranges: PLUs From..To (inclusive) print on labels of that width and description length.
    std::array<std::uint32_t, 6> m_labelFromPlu{1, 1, 1, 1, 1, 1};
    std::array<std::uint32_t, 6> m_labelToPlu{999999, 999999, 999999, 999999, 999999, 999999};
    std::array<std::uint16_t, 6> m_labelWidths{60, 60, 60, 60, 60, 60};
    std::array<std::uint16_t, 6> m_descLengths{100, 100, 100, 100, 100, 100};
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
    std::uint8_t m_market3ThirdMessage = 0;   // Thailand: the third message slot in the text records (option T)
    std::uint8_t m_lumenXtPriceChange = 0;    // "Use LumenXT price change message": short price records to family 6
    std::uint8_t m_posUpdateFileOutput = 0;   // each changed PLU is written to the POS update file
    std::string m_posUpdateFilePath{};        // the event log's POS update file; not part of the record

    // Data Save files and the file link.
    std::uint16_t m_overwriteExisting = 0;    // "Overwrite existing records?": take imported records of numbers held
    std::uint16_t m_itemRecordExtension = 0;  // item records: 0 the short form (66 bytes), 1 the long one (80 bytes)
    std::uint16_t m_maxStoreNo = 99;          // "Max. Store No."
    std::uint16_t m_maxCampaignNo = 100;      // "Max. Campaign No."

    // The rest of the record.
    std::uint16_t m_setupPasswordInUse = 0;
    std::array<std::uint8_t, 9> m_setupPassword{};  // at most 8 characters and a terminator
    std::uint16_t m_autoLoadDatabase = 1;
    std::uint16_t m_dataSaveShowOptions = 1;  // "Display options when opening file?"
    std::uint16_t m_dataSaveOpenMode = 2;     // 0 open only, 1 import into a new database, 2 into the current one
    std::uint16_t m_reportFontSize = 0;       // points
    std::uint16_t m_hideDataSave = 0;
    std::uint8_t m_posCodeInSearch = 0;
    std::uint8_t m_deptGroupInSearch = 0;
    std::array<std::uint8_t, 60> m_displayFont{};  // a logical font, kept as stored
    std::uint16_t m_keepHourlyDays = 5;
    std::uint16_t m_keepOperatorDays = 10;
    std::uint16_t m_keepPluDays = 28;
    std::uint16_t m_keepRewrapDays = 0;
    std::uint16_t m_keepNextDayDays = 0;
    std::uint16_t m_autoBackup = 1;
    std::uint16_t m_defaultDatabaseFormat = 1;  // 1 ".mdb", otherwise ".pld"
    std::uint16_t m_startDayOfWeek = 0;         // 1 Monday to 7 Sunday
    std::uint16_t m_multiUserAccess = 0;
    std::uint16_t m_campaignDayOfWeek = 0;      // campaigns include the day of the week
    std::uint16_t m_usaMarketFlag = 1;          // 1 exactly in market 0, set after each load
    std::uint16_t m_lineSpacing = 0;            // description text line spacing, dots
    std::uint16_t m_printerDriverBypass = 0;
    std::uint8_t m_posCheckNewPlu = 0;
    std::uint8_t m_oneToManyNutrition = 0;
    std::uint8_t m_commsStatusAtStartup = 0;
    std::uint16_t m_label60mmWidth = 0;         // dots; 0 becomes 440 after a load
    std::uint8_t m_hostSupportedShown = 0;
    std::uint8_t m_twoDescLinesInSearch = 0;
    std::uint8_t m_unitFixedPriceDecimal = 0;   // "Different dec. pt. for unit/fixed price"
    std::uint8_t m_twoColourPrinting = 0;
    std::uint8_t m_noDeptGroupSearchFamily10 = 0;  // departments and groups from the scales (families 10 and above)
    std::uint8_t m_kanaSupport = 0;
    std::uint8_t m_keepProductionAfterLoad = 0;    // "Do not delete production totals after loading"
    std::uint8_t m_totaraHostImport = 0;
    std::uint8_t m_kauriSouthIslandHostImport = 0;
    std::array<std::uint8_t, 3> m_extraMessagesInLengthCheck{};
    std::uint8_t m_noAutoResend = 0;
    std::uint8_t m_skipDuplicateIpCheck = 0;
    std::uint8_t m_tr5300ExtraMessage2 = 0;
    std::uint8_t m_tr5400MasterSatellite = 0;
    std::uint8_t m_productionOption = 0;        // copied into derived flag 33 for family-9 sites
    std::uint8_t m_tenDigitProductionPrice = 0;
    std::uint8_t m_productionPriceDiv100 = 0;
    std::uint8_t m_checkConnectionBeforeProduction = 0;

    // The record bytes as last read (or zero): the bytes no field claims are written back from here.
    Record m_recordBytes{};

    // The 482-byte record of these settings: the bytes as read with every field put in its place and
    // the reserved parts zeroed.
    Record ToRecord() const;
    // Takes every field from the record and keeps its bytes.
    void FromRecord(const Record& record);
    // The record of an old general setup (versions 100 to 220; 236 or 370 bytes, the rest zero)
    // moved to the current places; nutrition support follows the market (on in markets 0 and 3).
    static Record ConvertOldRecord(std::span<const std::uint8_t> oldRecord);
    // The part of the record bytes that held the key types before they had an object of their own.
    static constexpr std::size_t kOldKeyTypeOffset = 108;
    static constexpr std::size_t kOldKeyTypeSize = 78;

    // After every load: the USA market flag; a coupon limit of 0 or above 99999999 becomes 99; a
    // description length of 0 becomes 100; a 60 mm label width of 0 becomes 440.
    void Normalise();

    // The label width of the last label-size range that holds the PLU; 60 when none does.
    std::uint16_t GetLabelWidth(std::uint32_t pluNumber) const;
    // The description length of the last label-size range that holds the PLU; 100 when none does.
    std::uint16_t GetDescLength(std::uint32_t pluNumber) const;
    // The USA market with the Korean font option on.
    bool IsKoreanFontMode() const { return m_market == MarketUsa && m_koreanFont != 0; }
    bool IsHeadOfficeMode() const { return (m_priceZoneMode & 3) == 2; }
    // The store's own price zone; 0 when price zones are disabled or in head-office mode.
    std::uint16_t GetLocalPriceZone() const { return (m_priceZoneMode & 3) == 0 ? m_localPriceZone : 0; }

    // Field by field: whether a snapshot of the settings still stands (SiteSettings.h).
    bool operator==(const CGeneralSetup&) const = default;
};

}  // namespace varnel
