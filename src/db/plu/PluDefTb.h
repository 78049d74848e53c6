// CPluDefTb: the PLU table, number 2 "Plus": one CPluDefRec per PLU, keyed by the PLU number, which
// must be one the main frame allows. Besides the scale-data table's operations it keeps the scratch
// of the record builders that hold the build lock alone (BuildScratch.h), the PLUs
// remembered for the outside maker's scales, and the PLU-specific adds, updates and searches.
#pragma once

#include "db/plu/BuildScratch.h"
#include "db/plu/DBComTb.h"
#include "db/plu/PluCompanionData.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PosUpdateFile.h"
#include "db/plu/PriceZoneEntry.h"
#include "db/plu/RuxPriceTables.h"
#include "db/site/TableRoles.h"

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

class CPluPriceZoneTb;
class IPluCompareResults;

class CPluDefTb : public CDBComTb {
public:
    static constexpr std::uint16_t kTableNo = 2;

    CPluDefTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const TableRoles& roles);

    // A new row (fixed bytes zeroed, empty description); null for more than 2312 data bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    std::unique_ptr<CDBRecord> CreateLoadedRecord(std::span<const std::uint8_t> data, RowArena& arena) override;
    void BindColumns() override;
    // 1 to the general setup's "Max. PLU No.".
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override;
    std::optional<std::string_view> GetDescText(const CDBRecord& record) const override;

    // Adds or rewrites the row unless the main frame refuses its PLU number (0, above "Max. PLU No."
    // or in an excluded range), which sets the frame's PLUs-skipped flag and gives false.
    bool AddPlu(std::uint32_t pluNumber, std::uint16_t size, std::unique_ptr<CPluDefRec> row);
    bool UpdatePlu(CPluDefRec& row, std::uint16_t size);
    // Whether the main frame allows the PLU number; a refused one sets the frame's PLUs-skipped flag.
    bool CheckPluAllowed(std::uint32_t pluNumber) const;
    // Makes `row` a new PLU of that number under the table's setup and field definitions
    // (InitPluDataDefaults).
    void InitNewPlu(std::uint32_t pluNumber, CPluDefRec& row) const;
    // Moves the number to the first free PLU number in [low, high] that no excluded range holds;
    // false when there is none.
    bool FindFreePluNo(std::uint32_t& pluNumber, std::uint32_t low, std::uint32_t high) const;

    // With the outside maker's scales in use, remembers the PLU's department (replacing what was
    // remembered of that PLU), so that a deleted PLU can still be named to those scales.
    void RememberPluValue(std::uint32_t pluNumber, std::uint32_t department);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& GetRememberedPlus() const { return m_remembered; }
    void ForgetRememberedPlus() { m_remembered.clear(); }

    // Each PLU from `first` in key order up to PLU number `last` goes to `writeLine`, the caller's
    // writer of a PLU send-failure log line; `first` ends past the last PLU looked at.
    void LogSendFailedRange(const std::function<void(const CPluDefRec&)>& writeLine, KeyCursor& first,
                            std::uint32_t last);

    // Price changes (PluPriceChange.cpp). The unit price (markdown price and flag) of the PLU in a zone
    // (-1 the store's own, 0 the row itself): a price-zone field takes the value in the zone, any other
    // the row. In batch mode the change is journaled as price-change entries and nothing is sent;
    // otherwise, when asked, it is sent unless it is another zone's than the store's own outside
    // head-office mode. False when the PLU is not in the table or the change is refused or not
    // written (and nothing is sent then); else, with a send, the send's result.
    bool ChangePrice(std::uint32_t pluNumber, std::int32_t price, int zone, bool send, bool showResult);
    bool ChangeMarkdownPrice(std::uint32_t pluNumber, std::int32_t price, int zone, std::uint8_t markdownFlag,
                             bool send, bool showResult);
    // The same with the prices (markdown flags) of the extra price tables 1 to 5 after the PLU's own;
    // each table's record of the PLU takes its value. A unit-price change gives a PLU without a record
    // in the first table one made from the PLU, unless the general setup says not to.
    using RuxPrices = std::array<std::int32_t, 6>;
    using RuxMarkdownFlags = std::array<std::uint8_t, 6>;
    bool ChangePriceWithRuxPrices(std::uint32_t pluNumber, const RuxPrices& prices, int zone, bool send,
                                  bool showResult);
    bool ChangeMarkdownWithRuxPrices(std::uint32_t pluNumber, const RuxPrices& prices, const RuxMarkdownFlags& flags,
                                     int zone, bool send, bool showResult);
    // The row's own price and the zone values of it (of fields 1005; 1003 and 1004), written together.
    bool ChangePriceWithZones(std::uint32_t pluNumber, std::int32_t price, bool send, bool showResult,
                              PriceZoneEntries zonePrices);
    bool ChangeMarkdownWithZones(std::uint32_t pluNumber, std::int32_t price, std::uint8_t markdownFlag, bool send,
                                 bool showResult, PriceZoneEntries zoneFlags, PriceZoneEntries zonePrices);

    // Queues the send of the PLU to the scales, or the delete of an inactive one (CtrlFlag bit 0), with
    // its ingredients and nutrition in the Australia/New Zealand layouts. While "Active/Inactive"
    // (1053) may differ by price zone, each scale gets the PLU as its zone has it, in a send of its own.
    void QueuePluSend(const CPluDefRec& row);
    // The same for the tables asked for; nutrition goes with the PLU whenever the user may edit it.
    void QueuePluSendEx(const CPluDefRec& row, bool plu, bool ingredients, bool nutrition);

    // Takes a PLU decoded from a scale or an import into the row and the zone's values (loaded into
    // `entries` first): each field of the PLU field definitions whose value differs goes to the zone
    // when it is a price-zone field, else to the row. The codes, pack type, label width, description
    // length and CtrlFlag are taken when one of them differs, or always when `changed` is null;
    // `changed` tells whether anything differed.
    void MergePluData(std::uint16_t zone, const CPluDefRec& decoded, CPluDefRec& row, PriceZoneEntries& entries,
                      bool* changed);
    // The positions of the PLUs of the department and group (65535: any) whose names match the
    // pattern ('?' one character, '*' any run; a pattern not ending in '*' gets one).
    void FindPlusByName(std::string_view pattern, std::uint16_t department, std::uint16_t group,
                        std::vector<std::size_t>& positions) const;

    // The POS update line of a changed PLU (kind 'C' changed, 'D' deleted), or with no row the pending
    // lines only, while the general setup writes the POS update file (PosUpdateFile.h). A row is first
    // remembered for the outside maker's scales.
    void WritePosUpdateLine(const CPluDefRec* row, char kind, bool noQueue);
    CPosUpdateFile& GetPosUpdateFile() { return m_posUpdate; }

    // The scratch in which the holder of `lock` builds: its own, or the table's for a hold alone.
    BuildScratch& GetScratch(const BuildLock& lock);
    // The scratch row in which record builders and zone views put together a PLU.
    CPluDefRec& GetScratchRow(const BuildLock& lock) { return GetScratch(lock).row; }

    // The settings of the scale a record is being built for, set in the builder's scratch for the
    // length of one build and cleared to zero when it ends.
    class CurrentScale {
    public:
        CurrentScale(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale);
        ~CurrentScale();
        CurrentScale(const CurrentScale&) = delete;
        CurrentScale& operator=(const CurrentScale&) = delete;

    private:
        BuildScratch& m_scratch;
    };
    // The current scale of a build that holds the lock alone (in the table's scratch).
    std::uint32_t GetCurrentAddOneDay() const { return m_scratch.addOneDay; }
    std::uint16_t GetCurrentPriceZone() const { return m_scratch.priceZone; }

    // The PLU as seen in a price zone: the row itself when the zone holds none of its values, else the
    // scratch row with the zone's values over a copy of the row, valid until the next zone view.
    const CPluDefRec& GetZonePlu(const BuildLock& lock, const CPluDefRec& row, std::uint16_t zone);
    // In the zone of the scale being served (head-office mode, once a zone is set for it), else in the
    // store's own zone; the row itself for zone 0.
    const CPluDefRec& GetCurrentZonePlu(const BuildLock& lock, const CPluDefRec& row);
    // GetCurrentZonePlu; while the scale being served adds a day, a copy in the scratch row whose
    // ShelfLife and BestBefore are each one greater (the stored row never changes).
    const CPluDefRec& GetCurrentZonePluCopy(const BuildLock& lock, const CPluDefRec& row);
    // GetCurrentZonePluCopy of the PLU in the index (not read again from the database); null for none.
    const CPluDefRec* GetCurrentZonePluByKey(const BuildLock& lock, std::uint32_t pluNumber);
    // The database's price-zone table; null when it has none.
    CPluPriceZoneTb* GetPriceZoneTable() const;

    // Scale records of the PLUs (PluRecord.h) and the tables beside this one that they read: none
    // until the database sets them, which gives a PLU no texts, nutrition or extra prices.
    // The highest PLU number that the layout of the scale's family carries, within the table's limit.
    std::uint32_t GetHighestKeyFor(const CLinkScaleSettings& scale, const ScaleRecordOut& out) const override;
    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                           std::uint16_t& length) override;
    void SetCompanionData(const IPluCompanionData* companions) { m_companions = companions; }
    const IPluCompanionData& GetCompanionData() const;

    // PLU records received from scales (PluRecordStore.cpp), as the scale sent them less their record
    // header: each is read into the PLU's defaults and merged into the row (made when absent) and the
    // values of the price zone it belongs to. False, changing nothing, for a PLU number that does not
    // read, is 0 or is above "Max. PLU No.", and when the PLU could not be written; a PLU number that
    // the PLU profile leaves out sets the frame's PLUs-skipped flag and is passed over (true).
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType2(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data) override;
    // The item record of Data Save files and the file link (PluItemRecord.cpp), in the short or the long
    // form as the general setup says; 0 when the PLU number or a value does not fit or the buffer is
    // too small.
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override;
    // Reads an item record into the PLU of its number, made anew from the PLU's defaults; an existing
    // PLU is overwritten only with the general setup's "Overwrite existing records?" (else true and
    // nothing changes). False, changing nothing, for a record too short for its fixed part or its
    // text, a text longer than 2050 bytes or one that does not fit the description as escape-coded
    // text, a PLU number of 0 or above "Max. PLU No.", and when the PLU could not be written.
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override;
    bool HasItemRecords() const override { return true; }
    // Compares a PLU record received from the scale with the database (PluRecordCompare.cpp): the PLU
    // goes to the scale's compare lists, and its differences, or its absence from the database, to
    // the compare result lines. Families 0, 2, 6, 8 and 9 to 12 are compared; false when the record's
    // PLU number does not read.
    bool ComparePluRecord(const CLinkScaleSettings& scale, std::span<const std::uint8_t> record,
                          IPluCompareResults& results);
    // The extra price tables that take family 9's price blocks; none until the database sets them.
    void SetRuxPriceTables(IRuxPriceTables* tables) { m_ruxPriceTables = tables; }
    IRuxPriceTables* GetRuxPriceTables() const { return m_ruxPriceTables; }

    // The unit-price (markdown) change record of the next PLU from the cursor up to PLU number `last`
    // that the scale takes, each built under the build lock; false when the range is done. `key` tells
    // the PLU of the record.
    bool NextPriceChangeRecord(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t last,
                               ScaleRecordOut& out, KeyCursor& key);
    bool NextMarkdownChangeRecord(const CLinkScaleSettings& scale, KeyCursor& cursor, std::uint32_t last,
                                  ScaleRecordOut& out, KeyCursor& key);

    // Requests to all scales through the document. One delete (of its key record) for each PLU the
    // table holds from `first` up to `last`, in one send; true when the document reports success.
    bool DeleteRecordRange(std::uint32_t first, std::uint32_t last);
    // The delete of key 0, which stands for every PLU.
    bool DeleteAllRecords(bool showResult);
    // The PLU's unit-price (markdown) change, sent at once; false for a PLU the table does not hold.
    bool QueuePriceSend(std::uint32_t pluNumber, bool showResult);
    bool QueueMarkdownSend(std::uint32_t pluNumber, bool showResult);

private:
    CPluDefRec* FindPlu(std::uint32_t pluNumber);
    bool StoreReceivedPlu(const CLinkScaleSettings& scale, std::uint16_t family, std::span<const std::uint8_t> record,
                          bool lumen);
    // The decoded block into the PLU's row (made when absent) and its values of the zone.
    bool MergeReceivedPlu(const CPluDefRec& block, std::uint32_t pluNumber, std::uint16_t zone);

    BuildScratch m_scratch;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_remembered;  // PLU number, department
    CPosUpdateFile m_posUpdate;
    const IPluCompanionData* m_companions = nullptr;
    IRuxPriceTables* m_ruxPriceTables = nullptr;
};

// Whether the PLU's name matches the pattern, by whole characters of the rule: '?' matches one
// character, '*' any run (also none), any other character the name's after ASCII upper-casing.
bool MatchNamePattern(const CPluDefRec& row, std::string_view pattern, const CharRule& chars);

}  // namespace varnel
