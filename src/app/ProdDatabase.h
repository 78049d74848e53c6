// The production database the document opens beside the PLU database: its file name, and what the
// document needs of it (open, close, version, the nine totals tables, their retention periods, and
// the parsers of the totals records that scales send). The production subsystem supplies the full
// database; until then CBasicProdDatabase keeps the nine tables as rows of bytes and parses no totals.
#pragma once

#include "db/store/ObjDatabase.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace varnel {

struct CLinkScaleSettings;

// "<path up to the file name's last '.'>Prod.<extension>"; "<path>Prod.pld" when the file name has
// no '.'. Only the file name's own '.' counts: a directory "v1.2" is part of the path.
std::string GetProdDatabaseName(const std::string& pluDatabasePath);

class IProdDatabase {
public:
    static constexpr std::uint16_t kVersion = 354;
    static constexpr std::uint16_t kTableCount = 9;

    virtual ~IProdDatabase() = default;

    // Opens the file, made empty first when it does not exist.
    virtual bool Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The version of the open file.
    virtual std::uint16_t GetFileVersion() const = 0;
    // Converts every record of a version-150 or -350 file from its old layout, in memory.
    virtual void ConvertOldRecords() = 0;
    // Writes the database in the current format to its own path, replacing the file whole.
    virtual bool SaveInCurrentFormat() = 0;
    // Table 1 to 9, made when absent; null for another number.
    virtual CObjDBTable* GetProdTable(std::uint16_t tableNo) = 0;
    virtual void SetRetention(std::uint16_t tableNo, std::uint32_t days, std::uint8_t selector) = 0;
    virtual bool EmptyTable(std::uint16_t tableNo) = 0;
    // Accumulates one totals record received from `scale` into the table.
    virtual bool ParseScaleRecord(std::uint16_t tableNo, const CLinkScaleSettings& scale,
                                  std::span<const std::uint8_t> record) = 0;
};

class CBasicProdDatabase final : public CObjDatabase, public IProdDatabase {
public:
    explicit CBasicProdDatabase(IFileSystem& fs = RealFileSystem());

    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override;

    // Makes the file first when it does not exist.
    bool Open(const std::string& path) override;
    void Close() override { (void)CObjDatabase::Close(); }
    bool IsOpen() const override { return CObjDatabase::IsOpen(); }
    std::uint16_t GetFileVersion() const override { return CObjDatabase::GetFileVersion(); }
    void ConvertOldRecords() override;
    bool SaveInCurrentFormat() override { return SaveAs(GetPath()); }
    CObjDBTable* GetProdTable(std::uint16_t tableNo) override;
    void SetRetention(std::uint16_t tableNo, std::uint32_t days, std::uint8_t selector) override;
    bool EmptyTable(std::uint16_t tableNo) override;
    bool ParseScaleRecord(std::uint16_t tableNo, const CLinkScaleSettings& scale,
                          std::span<const std::uint8_t> record) override;

    struct Retention {
        std::uint32_t days = 0;
        std::uint8_t selector = 0;
    };
    const Retention& GetRetention(std::uint16_t tableNo) const { return m_retention.at(tableNo - 1u); }

private:
    std::array<Retention, kTableCount> m_retention{};
};

}  // namespace varnel
