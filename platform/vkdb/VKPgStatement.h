#pragma once
#include "vkdb/VKPgWireParams.h"
#include "vkdb/VKStatement.h"

#include <libpq-fe.h>

#include <cstdint>
#include <string>
#include <vector>

class CVKPgConnection;

// A statement on a PostgreSQL server, prepared on its first run with the
// types of the values bound then (bytea for texts, bigint for numbers; a run
// with other types prepares it again). Parameters and results travel in
// binary form, so every byte of a text, NUL included, round-trips and
// numbers need no parsing. The rows of a run are read at its first step.
class CVKPgStatement : public CVKStatement {
public:
    // sql in the server's dialect ($N placeholders, CVKPgConnection).
    CVKPgStatement(CVKPgConnection& connection, std::string sql, bool isWrite);
    ~CVKPgStatement() override;
    CVKPgStatement(const CVKPgStatement&) = delete;
    CVKPgStatement& operator=(const CVKPgStatement&) = delete;

    bool BindBytes(int index, std::string_view bytes) override;
    bool BindInt64(int index, std::int64_t value) override;
    EStep Step() override;
    void Reset() override;
    void ClearBindings() override;
    void ReadAhead(int keyParam, int keyColumn, int limitParam, std::int64_t maxLimit) override;
    // Waits for the run read ahead, so that the session can take other work.
    void CollectReadAhead();
    std::string_view ColumnBytes(int column) const override;
    std::int64_t ColumnInt64(int column) const override;

private:
    bool Bind(int index, Oid type, std::string value);
    bool PrepareForTypes();
    bool Run();
    bool TakeReadAhead();
    void StartReadAhead();
    void DropReadAhead();

    struct SReadAhead {
        int keyParam = 0; // 0: no read-ahead
        int keyColumn = 0;
        int limitParam = 0;
        std::int64_t maxLimit = 0;
    };

    CVKPgConnection& m_connection;
    std::string m_sql;
    bool m_isWrite;
    std::string m_name;
    std::vector<Oid> m_preparedTypes;
    int m_preparedGeneration = -1;
    std::vector<Oid> m_types;
    std::vector<std::string> m_values;
    PGresult* m_result = nullptr;
    int m_row = -1;
    SReadAhead m_readAhead;
    bool m_readingAhead = false;
    std::vector<std::string> m_aheadValues;
    PGresult* m_aheadResult = nullptr;
};
