#pragma once
#include "vkbasis/CString.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class CVKDatabase;

// Base of every record class: a set of text fields bound to the columns of
// one table, positioned on at most one record (the one the last lookup found).
//
// Derived classes register their fields in their constructor and offer
// lookups built on Lookup(). A lookup returns FOUND (0) and fills every field
// with the stored texts, NOT_FOUND with the fields left as the caller set
// them (so a following Write stores them), or DB_ERROR.
// Write inserts the field values as a new record; Rewrite replaces the record
// found by the last lookup (also when the caller changed its key fields).
// A forward-only record set is for reading only: Write, Rewrite and Delete
// refuse. Failures are recorded on the connection (GetLastError).
class CVKRSet {
public:
    static constexpr int FOUND = 0;
    static constexpr int NOT_FOUND = 100;
    static constexpr int DB_ERROR = -1;

    // reserved: kept for the suite's constructor form (connection, null);
    // the record sets here take no further argument and ignore it.
    CVKRSet(CVKDatabase* database, void* reserved, const char* tableName);
    virtual ~CVKRSet();
    CVKRSet(const CVKRSet&) = delete;
    CVKRSet& operator=(const CVKRSet&) = delete;

    void SetForwardOnly(bool forwardOnly) { m_forwardOnly = forwardOnly; }
    bool IsForwardOnly() const { return m_forwardOnly; }

    // context names the write in the error text; empty: the table name.
    bool Write(const CString& context);
    bool Rewrite(const CString& context);
    // Deletes the record found by the last lookup, in one write transaction
    // with the deletion protocol entry that the registered system services
    // (gp_VKSysBase->DeleteProtokoll) may write for it. False, with nothing
    // written, when the record is gone already or the transaction fails.
    bool Delete();

    CString GetTableName() const { return CString(m_tableName); }
    CVKDatabase* GetDatabase() const { return m_database; }
    // True after a lookup found a record (and until it is deleted).
    bool IsPositioned() const { return m_rowId != 0; }
    // True when the record found by the last lookup is still stored.
    bool IsRecordPresent() const;
    // Empties every field and forgets the position.
    void Clear();

protected:
    void AddField(const char* column, CString& field);
    // One record of the table: condition is a SQL condition with ?1.. for
    // values (never values pasted in), order a SQL ordering or nullptr.
    int Lookup(const char* condition, std::initializer_list<std::string_view> values, const char* order);

private:
    struct SField {
        const char* column;
        CString* value;
    };
    bool CanChange(const CString& context, const char* action) const;
    CString Describe(const CString& context, const char* action) const;
    std::string ColumnList() const;

    CVKDatabase* m_database;
    const char* m_tableName;
    std::vector<SField> m_fields;
    std::int64_t m_rowId = 0;
    bool m_forwardOnly = false;
};
