// Scale data for the link tests: a table whose records the link sends (each row's scale record is 'P',
// its key in 4 packed-BCD bytes and the row's bytes, so keys such as 3 and 17 put the bytes 03 and 17
// into frames), a database of such tables, and a document that hands the links that database, keeps
// the packets they receive and makes the records of the document's own job kinds.
#pragma once

#include "comms/idenq/LinkScale.h"
#include "db/plu/DBComTb.h"
#include "db/plu/Document.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "support/InstalledFrameRoles.h"
#include "support/TestMainFrame.h"

#include <array>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace varnel::test {

class ScaleRow final : public CDBRecord {
public:
    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return GetLength(); }

private:
    std::array<std::uint8_t, 600> m_data{};
};

inline std::array<std::uint8_t, 4> KeyBcd(std::uint32_t key)
{
    std::array<std::uint8_t, 4> bcd{};
    for (int i = 3; i >= 0; --i) {
        bcd[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((key % 10) | ((key / 10 % 10) << 4));
        key /= 100;
    }
    return bcd;
}

// The scale record of a row ('P') and the key record that deletes a key ('D').
inline std::vector<std::uint8_t> ScaleRecordOf(char kind, std::uint32_t key, std::string_view body = {})
{
    std::vector<std::uint8_t> record{static_cast<std::uint8_t>(kind)};
    const auto bcd = KeyBcd(key);
    record.insert(record.end(), bcd.begin(), bcd.end());
    record.insert(record.end(), body.begin(), body.end());
    return record;
}

class ScaleDataTable final : public CDBComTb {
public:
    using CDBComTb::CDBComTb;
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 99999999; }
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t) override { return std::make_unique<ScaleRow>(); }

    bool EncodeRecord(const BuildLock&, const CLinkScaleSettings&, const CDBRecord& record, ScaleRecordOut& out) override
    {
        const std::string_view body(reinterpret_cast<const char*>(record.GetData()), record.GetLength());
        return Put(ScaleRecordOf('P', record.GetKey(), body), out);
    }
    bool EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings&, std::uint32_t key, ScaleRecordOut& out) override
    {
        return Put(ScaleRecordOf('D', key), out);
    }

    // Rows of the given keys, each holding `body` (enters them as a loaded file would, without a file).
    void AddRows(const std::vector<std::uint32_t>& keys, std::string_view body = "row")
    {
        std::vector<CDBKeyIndex::Entry> rows;
        for (const std::uint32_t key : keys) {
            auto row = CreateRecord(body.size());
            row->SetHeader(GetTableNo(), static_cast<std::uint16_t>(body.size()), static_cast<std::uint16_t>(body.size()), key);
            std::memcpy(row->GetData(), body.data(), body.size());
            rows.push_back({key, std::move(row)});
        }
        (void)AddLoadedRecords(std::move(rows));
    }

private:
    static bool Put(const std::vector<std::uint8_t>& record, ScaleRecordOut& out)
    {
        if (record.size() > out.buffer.size()) return false;
        std::memcpy(out.buffer.data(), record.data(), record.size());
        out.length = static_cast<std::uint16_t>(record.size());
        return true;
    }
};

// Tables of scale data; table 2 is the real PLU table once a test asks for it (PluTable) before using
// table 2 otherwise, and table 15 the real price-zone table in the same way (PriceZoneTable).
class ScaleDataDatabase final : public CObjDatabase {
public:
    ScaleDataDatabase() : CObjDatabase(92) {}
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        if (tableNo == CPluDefTb::kTableNo && m_realPluTable)
            return std::make_unique<CPluDefTb>(tableNo, this, "Plus", FrameRoles());
        if (tableNo == CPluPriceZoneTb::kTableNo && m_realPriceZoneTable)
            return std::make_unique<CPluPriceZoneTb>(tableNo, this, "PriceZones", FrameRoles());
        return std::make_unique<ScaleDataTable>(tableNo, this, "T" + std::to_string(tableNo), FrameRoles());
    }
    ScaleDataTable& Table(std::uint16_t tableNo) { return dynamic_cast<ScaleDataTable&>(*GetOrCreateTable(tableNo)); }

    CPluDefTb& PluTable()
    {
        m_realPluTable = true;
        return dynamic_cast<CPluDefTb&>(*GetOrCreateTable(CPluDefTb::kTableNo));
    }
    CPluPriceZoneTb& PriceZoneTable()
    {
        m_realPriceZoneTable = true;
        return dynamic_cast<CPluPriceZoneTb&>(*GetOrCreateTable(CPluPriceZoneTb::kTableNo));
    }
    // A PLU of that department and group, entered as a loaded file would enter it.
    void AddPlu(std::uint32_t number, std::uint16_t dept, std::uint16_t group)
    {
        auto row = std::make_unique<CPluDefRec>();
        PluTable().InitNewPlu(number, *row);
        row->Set(PluCol::Dept, dept);
        row->Set(PluCol::Group, group);
        const std::uint16_t size = row->CalcDataSize();
        row->SetHeader(CPluDefTb::kTableNo, size, size, number);
        std::vector<CDBKeyIndex::Entry> rows;
        rows.push_back({number, std::move(row)});
        (void)PluTable().AddLoadedRecords(std::move(rows));
    }

private:
    bool m_realPluTable = false;
    bool m_realPriceZoneTable = false;
};

// The document the links work for, installed on a TestMainFrame for its lifetime.
class LinkTestDocument final : public IDocument {
public:
    struct Stored {
        std::uint16_t dataKind;
        std::uint16_t scaleNo;
        std::vector<std::uint8_t> packet;
        bool operator==(const Stored&) const = default;
    };

    explicit LinkTestDocument(TestMainFrame& frame) : m_frame(frame) { m_frame.m_document = this; }
    ~LinkTestDocument() override { m_frame.m_document = nullptr; }
    LinkTestDocument(const LinkTestDocument&) = delete;
    LinkTestDocument& operator=(const LinkTestDocument&) = delete;

    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return false; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }

    CObjDatabase* GetPluDatabase() const override { return &m_database; }
    std::string GetPathName() const override { return m_pathName; }
    bool StoreReceivedRecord(std::uint16_t dataKind, CLinkScale& scale, std::span<const std::uint8_t> packet) override
    {
        if (m_stored.size() == m_refuseAfter) return false;
        m_stored.push_back({dataKind, scale.m_scaleNo, std::vector<std::uint8_t>(packet.begin(), packet.end())});
        return true;
    }
    // Date and time (kind 5): one record "DT"; operators (kind 6): key records 'O' of the range.
    bool NextJobRecord(std::uint32_t kind, const CLinkScaleSettings&, IEventLog&, KeyCursor& cursor,
                       std::uint32_t last, ScaleRecordOut& out, KeyCursor& key) override
    {
        if (m_onJobRecord) m_onJobRecord();
        std::vector<std::uint8_t> record;
        if (kind == SendDateTime) {
            record = {'D', 'T'};
        } else if (kind == SendOperators && cursor <= last) {
            key = cursor++;
            record = ScaleRecordOf('O', static_cast<std::uint32_t>(key));
        } else {
            return false;
        }
        std::memcpy(out.buffer.data(), record.data(), record.size());
        out.length = static_cast<std::uint16_t>(record.size());
        return true;
    }

    void SetReceivedRecordMode(int mode) override { m_receivedRecordMode = mode; }
    int GetReceivedRecordMode() const override { return m_receivedRecordMode; }
    void UpdateAllViews() override { ++m_viewUpdates; }
    MessageId SynchronizeScale(bool, std::uint16_t linkNo, CLinkScale& scale) override
    {
        m_synchronized.push_back({linkNo, scale.m_scaleNo});
        return m_synchronizeResult;
    }
    void SynchronizeAllScales(bool, const CMasterScale*) override { ++m_synchronizedAll; }

    mutable ScaleDataDatabase m_database;
    std::string m_pathName;
    int m_receivedRecordMode = 1;
    int m_viewUpdates = 0;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> m_synchronized;  // link, scale
    MessageId m_synchronizeResult = 0;
    int m_synchronizedAll = 0;
    std::vector<Stored> m_stored;
    std::size_t m_refuseAfter = SIZE_MAX;
    std::function<void()> m_onJobRecord;  // runs on the link's worker as each of those records is asked for

private:
    TestMainFrame& m_frame;
};

}  // namespace varnel::test
