// The database container: opening, creating and saving by extension, the table array and its factory,
// closing.
#include "db/store/ObjDatabase.h"

#include <algorithm>
#include <cctype>

namespace varnel {

namespace {

std::string UpperExtension(const std::string& path)
{
    std::string extension = CObjDatabase::GetFileExtension(path);
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension;
}

}  // namespace

CObjDatabase::CObjDatabase(std::uint16_t highestTableNo, IFileSystem& fs) : m_highestTableNo(highestTableNo), m_fs(fs)
{
    m_tables.push_back(std::make_unique<CObjDBTable>(0, this, ""));
}

CObjDatabase::~CObjDatabase()
{
    if (m_open) Close();
}

std::unique_ptr<CObjDBTable> CObjDatabase::CreateTable(std::uint16_t tableNo)
{
    return std::make_unique<CObjDBTable>(tableNo, this, "");
}

void CObjDatabase::ApplyUnknownTableChunk(std::uint16_t, const CDBRecord::Header&, std::span<const std::uint8_t>) {}

bool CObjDatabase::AcceptBatchChunk(std::uint16_t, const CDBRecord::Header&) { return true; }

bool CObjDatabase::OnBatchChunkApplied(std::uint16_t, const CDBRecord::Header&, CObjDBTable&) { return true; }

void CObjDatabase::Warn(const std::string& text) const
{
    if (m_warningHandler) m_warningHandler(text);
}

bool CObjDatabase::Open(const std::string& path)
{
    if (m_open) return false;
    m_path = path;
    const std::string extension = UpperExtension(path);
    bool opened = false;
    if (m_chooseByExtension && extension == "MDB") {
        m_mode = DbMode::Dao;
        opened = OpenMdb(path, true);
    } else {
        m_mode = DbMode::Pld;
        opened = ReadPldFile(path);
        // A file of another extension that is no ".pld" file may be an ".mdb" database.
        if (!opened && m_chooseByExtension && extension != "PLD") {
            FreeAllRecords();
            m_mode = DbMode::Dao;
            opened = OpenMdb(path, true);
        }
    }
    m_open = opened;
    return opened;
}

bool CObjDatabase::Create(const std::string& path)
{
    const std::string extension = UpperExtension(path);
    if (extension == "MDB" || (extension != "PLD" && m_mode == DbMode::Dao)) return CreateMdb(path);
    return CreateEmptyPldFile(path);
}

bool CObjDatabase::Close()
{
    if (m_batchMode) {
        (void)CloseBatchFile();
        m_batchMode = false;
    }
    if (m_mode == DbMode::Dao) (void)CloseMdb();
    m_pldFile.reset();
    DeleteAllTables();
    m_open = false;
    return true;
}

bool CObjDatabase::SaveAs(const std::string& path)
{
    if (!m_open) return false;
    // Another copy of the program holding the target keeps it: it is never replaced under that copy.
    std::unique_ptr<IFile> targetLock;
    if (path != m_path && m_fs.Exists(path)) {
        auto locked = m_fs.Open(path, FileAccess::ReadWrite, FileShare::DenyWrite);
        if (!locked) {
            SetLastError(locked.GetError());
            return false;
        }
        targetLock = std::move(*locked);
    }
    const std::string extension = UpperExtension(path);
    const bool asPld = extension != "MDB" && (extension == "PLD" || m_mode == DbMode::Pld);
    return asPld ? WriteCompactCopy(path) : SaveAsMdb(path);
}

bool CObjDatabase::Compact() { return m_mode == DbMode::Dao ? CompactMdb() : WriteCompactCopy(m_path); }

CObjDBTable* CObjDatabase::GetOrCreateTable(std::uint16_t tableNo)
{
    if (tableNo < m_tables.size() && m_tables[tableNo]) return m_tables[tableNo].get();
    if (tableNo >= m_tables.size()) m_tables.resize(std::size_t{tableNo} + 1);
    m_tables[tableNo] = CreateTable(tableNo);
    if (m_tables[tableNo]) m_tables[tableNo]->BindColumns();
    return m_tables[tableNo].get();
}

CObjDBTable* CObjDatabase::GetTable(std::uint16_t tableNo) const
{
    return tableNo < m_tables.size() ? m_tables[tableNo].get() : nullptr;
}

void CObjDatabase::FreeAllRecords()
{
    for (const auto& table : m_tables)
        if (table) table->FreeAllRecords();
}

void CObjDatabase::DeleteAllTables()
{
    m_tables.clear();
    m_tables.push_back(std::make_unique<CObjDBTable>(0, this, ""));
}

std::string CObjDatabase::GetFileExtension(const std::string& path)
{
    // Only the file-name part counts: a '.' in a directory name is no extension.
    const std::size_t separator = path.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart || dot + 1 == path.size()) return {};
    return path.substr(dot + 1);
}

}  // namespace varnel
