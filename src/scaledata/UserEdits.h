// The one step of a user's change to a scale-data table, for every list and editor: the row stored,
// its send queued to the scales and the change written to the event log as a user edit; and a
// deletion, which the scales are told of first.
#pragma once

#include "db/plu/DBComTb.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace varnel {

constexpr MessageId kMsgUserEdit = 20506;        // " Op: <User edit>"
constexpr MessageId kMsgNotDeleted = 61224;      // "Item not deleted because communications with scales failed."

// Logs the key as added or updated with " Op: <User edit>".
void LogUserEdit(CDBComTb& table, std::uint32_t key, bool created);
// Queues the send of the key and logs it (LogUserEdit).
void QueueAndLogUserEdit(CDBComTb& table, std::uint32_t key, bool created);

// Stores the row of `key` as `fill` makes it (returning the size to store) in one step: an existing row
// is changed in place and put back as it was when the store fails; a new one (made with room for
// `newSize` bytes) enters the table only once it is filled. `created` tells which it was; false when
// nothing was stored.
template <class Row>
bool StoreRowChange(CObjDBTable& table, std::uint32_t key, std::size_t newSize,
                    const std::function<std::uint16_t(Row&)>& fill, bool& created)
{
    created = false;
    if (auto* present = dynamic_cast<Row*>(table.GetRecord(key))) {
        const Row saved = *present;
        if (!table.UpdateRecord(present, fill(*present))) {
            *present = saved;
            return false;
        }
        return true;
    }
    std::unique_ptr<CDBRecord> made = table.CreateRecord(newSize);
    auto* row = dynamic_cast<Row*>(made.get());
    if (!row) return false;
    const std::uint16_t size = fill(*row);
    if (!table.AddRecord(key, size, std::move(made))) return false;
    created = true;
    return true;
}

// StoreRowChange, then the change queued to the scales and logged.
template <class Row>
bool StoreUserEdit(CDBComTb& table, std::uint32_t key, std::size_t newSize,
                   const std::function<std::uint16_t(Row&)>& fill, bool& created)
{
    if (!StoreRowChange<Row>(table, key, newSize, fill, created)) return false;
    QueueAndLogUserEdit(table, key, created);
    return true;
}

// Queues the deletion of the key at the scales, then deletes its row and logs it. When the request
// cannot be queued the row stays (message 61224): the scales would keep what the database lost. A row
// that cannot be deleted shows `deleteFailed` when there is one.
bool DeleteUserEdit(CDBComTb& table, std::uint32_t key, MessageId deleteFailed = 0);

}  // namespace varnel
