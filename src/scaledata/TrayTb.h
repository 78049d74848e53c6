// CTrayTb: the tray table (table 53, "Tray"), one row per tray 1 to 9999. Only family 9 takes trays,
// as comma-separated records.
#pragma once

#include "db/plu/DBComTb.h"
#include "scaledata/ScaleDataRoles.h"
#include "scaledata/TrayRec.h"

#include <cstdint>
#include <memory>
#include <string>

namespace varnel {

class CTrayTb final : public CDBComTb {
public:
    static constexpr std::uint16_t kTableNo = 53;

    CTrayTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles);
    // The site the table reads and the queue it sends through, for the editors of its rows too.
    const ScaleDataRoles& GetRoles() const { return m_roles; }

    CTrayRec* FindTray(std::uint32_t number) const;

    // A zeroed row of at most 128 bytes.
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t size) override;
    void BindColumns() override;
    void CreateTableDef(MdbTableDef& definition) const override;
    std::uint32_t GetMinKey() const override { return 1; }
    std::uint32_t GetMaxKey() const override { return 9999; }

    bool EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                      ScaleRecordOut& out) override;
    bool EncodeKeyRecord(const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t key,
                         ScaleRecordOut& out) override;
    bool DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data) override;

private:
    ScaleDataRoles m_roles;
};

}  // namespace varnel
