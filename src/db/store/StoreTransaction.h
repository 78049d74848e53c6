// StoreTransaction: one user-level operation on the record store (a bulk add, a price change over many
// PLUs, an import, a delete range, a file loaded into the database). In an ".mdb" database every row
// change mirrored while a scope lives goes into one SQLite transaction: the outermost scope begins it,
// scopes opened inside it (an operation that calls another) join it, and it is committed once, when
// the outermost scope commits.
//
// A scope that ends without Commit rolls the operation back whole: the outermost one at once, a nested
// one by dooming the transaction, whose outermost Commit then rolls back and fails. After a rollback
// (also of a commit that failed) every record the operation changed is read again from its row, so
// the tables in memory hold what the database holds. In a ".pld" database, in batch mode and in a
// read-only database a scope does nothing and Commit succeeds.
#pragma once

namespace varnel {

class CObjDatabase;

class StoreTransaction {
public:
    explicit StoreTransaction(CObjDatabase& database);
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;
    ~StoreTransaction();

    // Whether the scope took part in a transaction: false when the database could not begin one
    // (its last error text says why); changes are then refused rather than committed one by one.
    bool Begun() const { return m_begun; }
    // Ends the scope keeping its changes; the outermost scope commits them. False when the operation
    // was rolled back (a nested scope failed, or the commit did), with the last error text set.
    bool Commit();

private:
    CObjDatabase& m_database;
    bool m_begun = false;
    bool m_ended = false;
};

}  // namespace varnel
