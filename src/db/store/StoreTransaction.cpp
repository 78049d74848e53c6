#include "db/store/StoreTransaction.h"

#include "db/store/ObjDatabase.h"

#include <algorithm>

namespace varnel {

StoreTransaction::StoreTransaction(CObjDatabase& database) : m_database(database)
{
    m_begun = m_database.EnterOperation();
}

StoreTransaction::~StoreTransaction()
{
    if (!m_ended) (void)m_database.LeaveOperation(false);
}

bool StoreTransaction::Commit()
{
    if (m_ended) return false;
    m_ended = true;
    return m_database.LeaveOperation(true);
}

bool CObjDatabase::EnterOperation()
{
    std::unique_lock lock(m_operation.mutex);
    if (++m_operation.depth > 1) return !m_operation.transacted || m_mdb.InTransaction();
    m_operation.doomed = false;
    m_operation.changed.clear();
    m_operation.transacted = m_mode == DbMode::Dao && m_mdb.IsOpen() && !m_readOnly && !m_batchMode;
    if (!m_operation.transacted) return true;
    // Immediate: the write lock is taken now, so in the shared mode two programs' operations queue for
    // it instead of both reading and then failing to write.
    return Succeeded(m_mdb.Exec("BEGIN IMMEDIATE"));
}

bool CObjDatabase::LeaveOperation(bool keep)
{
    std::unique_lock lock(m_operation.mutex);
    if (m_operation.depth == 0) return false;
    if (--m_operation.depth > 0) {
        if (!keep) m_operation.doomed = true;
        return keep;
    }
    if (!m_operation.transacted) return keep;
    m_operation.transacted = false;
    auto changed = std::exchange(m_operation.changed, {});
    const bool open = m_mdb.IsOpen() && m_mdb.InTransaction();
    if (keep && m_operation.doomed)
        SetLastError(MakeError(Errc::Invalid, "a part of the operation failed; none of it was kept"));
    else if (keep && !open)
        SetLastError(MakeError(Errc::Io, "the operation's transaction ended early; none of it was kept"));
    else if (keep && Succeeded(m_mdb.Exec("COMMIT")))
        return true;
    if (m_mdb.InTransaction()) (void)m_mdb.Exec("ROLLBACK");
    lock.unlock();
    FollowRollback(std::move(changed));
    return false;
}

Result<void> CObjDatabase::CheckMirrorWritable()
{
    std::lock_guard lock(m_operation.mutex);
    if (m_operation.depth > 0 && m_operation.transacted && !m_mdb.InTransaction())
        return MakeError(Errc::Io, "the operation's transaction ended early; the change was not made");
    return {};
}

void CObjDatabase::NoteMirroredChange(CObjDBTable& table, std::uint32_t key)
{
    std::lock_guard lock(m_operation.mutex);
    if (m_operation.depth > 0 && m_operation.transacted) m_operation.changed.emplace_back(&table, key);
}

void CObjDatabase::FollowRollback(std::vector<std::pair<CObjDBTable*, std::uint32_t>> changed)
{
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    std::vector<std::uint32_t> keys;
    for (auto first = changed.begin(); first != changed.end();) {
        CObjDBTable* const table = first->first;
        keys.clear();
        for (; first != changed.end() && first->first == table; ++first) keys.push_back(first->second);
        table->FollowDaoRows(keys);
    }
}

}  // namespace varnel
