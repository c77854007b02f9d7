#pragma once

class CVKDatabase;

// A write transaction that is committed explicitly and rolled back when the
// object goes without a commit, so a failure half-way leaves nothing written.
//
// The outermost transaction takes the write lock at once (BEGIN IMMEDIATE on
// a file, the practice's advisory lock on a server, CVKPgConnection):
// it waits up to the busy timeout for another workstation, then fails, and
// never fails later on a read-to-write upgrade. A transaction opened while
// another one is running on the connection nests as a savepoint: its
// rollback undoes only its own work, its commit becomes final with the
// outer one. That lets the admin tool wrap a bulk import around the store's
// own operations.
class CVKTransaction {
public:
    explicit CVKTransaction(CVKDatabase& database);
    ~CVKTransaction();
    CVKTransaction(const CVKTransaction&) = delete;
    CVKTransaction& operator=(const CVKTransaction&) = delete;

    // False when the transaction could not begin (the reason is on the connection).
    bool IsActive() const { return m_active; }
    bool Commit();
    void Rollback();

private:
    CVKDatabase& m_database;
    bool m_nested = false;
    bool m_active = false;
};
