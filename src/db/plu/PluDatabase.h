// CPluDatabase: the database of the scales' master data (PLUs, messages, campaigns, keyboards,
// stores ...), tables 1 to 92 by number. Its factory makes each table of the class registered for its
// number (PluTableRegistry.h), or a placeholder that keeps its rows as bytes; it keeps the changes
// that a batch file brought in for a later send to the scales, and its batch hooks apply the
// price-change entries (table 14, which has no table of its own), follow the user's selection of
// entries and record what was applied.
#pragma once

#include "db/plu/PluCompanionData.h"
#include "db/plu/SendDataLog.h"
#include "db/store/ObjDatabase.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnel {

class CPluDefTb;
class ISendQueue;

// One entry of a batch file as the user chose to apply it or not.
struct BatchSelectionEntry {
    std::uint32_t apply = 1;
    std::uint16_t tableNo = 0;
    std::uint32_t key = 0;
};

class CPluDatabase : public CObjDatabase {
public:
    static constexpr std::uint16_t kHighestTableNo = 92;
    static constexpr std::uint16_t kPriceChangeTableNo = 14;

    explicit CPluDatabase(IFileSystem& fs = RealFileSystem());

    // The table of that number; null for a number without one.
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override;
    // Makes every table of the database (before a new file is created, so that it has them all).
    void CreateAllTables();
    CPluDefTb* GetPluTable() const;

    // Change entries: one job per kind, table and key (first = last = key), for scale-data tables only.
    void AddChangeEntry(std::uint32_t kind, const CObjDBTable& table, std::uint32_t key);
    const SendRequests& GetChangeEntries() const { return m_changes; }
    // Sends the entries now through the send queue and empties the list: true when the send succeeded;
    // with no entries the result is `showResult` as given.
    bool SendChangeEntries(const ISendQueue& sends, bool showResult);

    // In a shared database, reads the rows of the send requests again from the database, so that the
    // scales get them as other programs left them.
    void RefreshSendRecords(const SendRequests& requests);
    // After a ".pld" file of an older version was opened: every record into the current layout.
    void ConvertAllRecords();

    // What the document sets before it applies a batch file: which entries to apply (all when empty)
    // and whether applied entries become change entries.
    void SetBatchSelection(std::vector<BatchSelectionEntry> selection);
    void SetTrackChanges(bool track) { m_trackChanges = track; }

    void ApplyUnknownTableChunk(std::uint16_t kind, const CDBRecord::Header& header,
                                std::span<const std::uint8_t> data) override;
    bool AcceptBatchChunk(std::uint16_t kind, const CDBRecord::Header& header) override;
    bool OnBatchChunkApplied(std::uint16_t kind, const CDBRecord::Header& header, CObjDBTable& table) override;

private:
    // Campaign PLU lines carry their campaign's number in the top 8 bits of their keys; key data the
    // keyboard's number in the top 16.
    static constexpr std::uint16_t kCampaignTable = 10;
    static constexpr std::uint16_t kCampaignPluTable = 11;
    static constexpr std::uint16_t kKeyboardTable = 12;
    static constexpr std::uint16_t kKeyDataTable = 13;
    static std::uint64_t FirstCampaignLine(std::uint64_t campaign) { return campaign << 24; }
    static std::uint64_t LastCampaignLine(std::uint64_t campaign) { return FirstCampaignLine(campaign + 1) - 1; }
    static std::uint64_t FirstKeyOfKeyboard(std::uint64_t keyboard) { return keyboard << 16; }

    // Deletes the rows of keys first..last from a table, if the database has it.
    void DeleteKeyRange(std::uint16_t tableNo, std::uint64_t first, std::uint64_t last);

    std::unique_ptr<IPluCompanionData> m_companions;
    SendRequests m_changes;
    std::vector<BatchSelectionEntry> m_selection;
    std::size_t m_selectionCursor = 0;
    bool m_trackChanges = false;
};

}  // namespace varnel
