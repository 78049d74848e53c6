// The campaign tables: CCampaignTb (table 10) holds one row per campaign and sends a campaign with
// all its lines as one scale record in the layout of the scale's family (CampaignRecords.h);
// CCampDataTb (table 11) holds the lines, keyed campaign × 2^24 + the line's place, which the
// campaign table finds in its database; CTable5Tb (table 5) holds the old campaign records of the
// oldest databases, which ConvertOldCampaign turns into campaigns.
//
// Campaign numbers run from 1 to "Max. Campaign No." but never above 255: a line key keeps the
// campaign in its top 8 bits, so a higher campaign's lines would take the keys of a lower one's.
#pragma once

#include "scaledata/ScaleDataTb.h"
#include "scaledata/CampaignRecords.h"
#include "scaledata/CampaignRows.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

class CPluDatabase;

class CCampDataTb final : public CObjDBTable {
public:
    using CObjDBTable::CObjDBTable;

    bool IsKeyAllowed(std::uint32_t) const override { return true; }
    // A line of at most 20 bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;
};

class CTable5Tb final : public CObjDBTable {
public:
    using CObjDBTable::CObjDBTable;

    bool IsKeyAllowed(std::uint32_t) const override { return true; }
    // An old campaign record of at most 3280 bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
};

class CCampaignTb final : public CScaleDataRowTb<CCampaignRec, campaign_columns::kColumns> {
public:
    static constexpr std::uint16_t kTableNo = 10;
    static constexpr std::uint16_t kLineTableNo = 11;
    static constexpr std::uint16_t kOldTableNo = 5;
    static constexpr std::uint32_t kHighestCampaign = 255;

    using CScaleDataRowTb::CScaleDataRowTb;

    CCampaignRec* FindCampaign(std::uint32_t number) const;
    // The line table of the database; null when it has none.
    CObjDBTable* GetLineTable() const;

    // The campaign's lines in key order: walked from the campaign's first key while they name it.
    std::vector<CCampDataRec*> GetCampaignLines(std::uint32_t campaign) const;
    // The same in PLU order, lines of one PLU in key order.
    std::vector<const CCampDataRec*> GetCampaignPlus(std::uint32_t campaign) const;
    // Deletes every line that names the campaign, wherever its key lies.
    void DeleteCampaignPlus(std::uint32_t campaign);
    // Adds a line under the campaign's key of that place; false when the table refuses it.
    bool AddCampaignLine(std::uint32_t campaign, std::size_t place, const CampaignLine& line);

    // The campaign of an old record (table 5) with its lines; a campaign of that number already held
    // is left as it is. Null when no campaign could be added.
    CCampaignRec* ConvertOldCampaign(const CTable5Rec& old);

    std::uint32_t GetMinKey() const override { return 1; }
    // "Max. Campaign No.", at most 255.
    std::uint32_t GetMaxKey() const override;

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;

    // A received campaign replaces the row's dates and all its lines.
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    bool DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;
    // Families 0 to 5 and 7 send no campaigns back.
    bool DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return false; }
    bool DecodeRecordOther(const CLinkScaleSettings&, std::span<const std::uint8_t>) override { return false; }
    // The file link's records: family 8 only, in the binary form.
    bool DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data) override;

    // Data Save records (type 7). A campaign the table holds is changed only while the load
    // overwrites existing records.
    std::size_t EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer) override;
    bool DecodeItemRecord(std::span<const std::uint8_t> record) override;
    bool HasItemRecords() const override { return true; }

private:
    CampaignRecord RecordOf(const CCampaignRec& row) const;
    bool Decode(CampaignForm form, const CampaignRecordSite& site, std::span<const std::uint8_t> data);
    // Stores a read campaign: its row named "Campaign No. <n>" with its dates, and its lines in place
    // of the old ones (lines above "Max. PLU No." or refused left out). False for a number outside
    // the table's or dates that name no day; with `keepExisting` a campaign held stays as it is.
    bool StoreReceived(const CampaignRecord& received, bool keepExisting);
};

// Turns every old campaign record of the database into a campaign and deletes it from table 5.
void ConvertOldCampaigns(CPluDatabase& database);

}  // namespace varnel
