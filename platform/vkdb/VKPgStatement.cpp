#include "vkdb/VKPgStatement.h"

#include "vkdb/VKPgConnection.h"
#include "winpath/AnsiLiteral.h"

#include <endian.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace {

// Type numbers of the server's catalogue.
constexpr Oid BoolOid = 16;
constexpr Oid ByteaOid = 17;
constexpr Oid Int8Oid = 20;
constexpr Oid Int2Oid = 21;
constexpr Oid Int4Oid = 23;

template <typename T> T BigEndian(const char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    if constexpr (sizeof(T) == 8)
        return static_cast<T>(be64toh(static_cast<std::uint64_t>(value)));
    else if constexpr (sizeof(T) == 4)
        return static_cast<T>(be32toh(static_cast<std::uint32_t>(value)));
    else
        return static_cast<T>(be16toh(static_cast<std::uint16_t>(value)));
}

} // namespace

CVKPgStatement::CVKPgStatement(CVKPgConnection& connection, std::string sql, bool isWrite)
    : m_connection(connection), m_sql(std::move(sql)), m_isWrite(isWrite)
{
}

CVKPgStatement::~CVKPgStatement()
{
    // The server forgets the prepared statement with the session.
    DropReadAhead();
    PQclear(m_result);
}

bool CVKPgStatement::Bind(int index, Oid type, std::string value)
{
    if (index < 1 || index > 65535)
        return m_connection.RecordFailure("Parameter " + std::to_string(index) + " außerhalb des Bereichs"_ansi);
    const auto slot = static_cast<std::size_t>(index);
    if (m_values.size() < slot) {
        m_values.resize(slot);
        m_types.resize(slot, ByteaOid);
    }
    m_types[slot - 1] = type;
    m_values[slot - 1] = std::move(value);
    return true;
}

bool CVKPgStatement::BindBytes(int index, std::string_view bytes)
{
    return Bind(index, ByteaOid, std::string(bytes));
}

bool CVKPgStatement::BindInt64(int index, std::int64_t value)
{
    const std::uint64_t network = htobe64(static_cast<std::uint64_t>(value));
    return Bind(index, Int8Oid, std::string(reinterpret_cast<const char*>(&network), sizeof network));
}

bool CVKPgStatement::PrepareForTypes()
{
    if (m_preparedGeneration == m_connection.Generation() && m_preparedTypes == m_types)
        return true;
    m_name = m_connection.NextStatementName();
    if (!m_connection.PrepareOnServer(m_name, m_sql, m_types))
        return false;
    m_preparedTypes = m_types;
    m_preparedGeneration = m_connection.Generation();
    return true;
}

bool CVKPgStatement::Run()
{
    if (TakeReadAhead()) {
        StartReadAhead();
        return true;
    }
    m_connection.Settle();
    if (!m_connection.EnsureSession() || !PrepareForTypes())
        return false;
    const SWireParams wire(m_values);
    // A write outside a transaction takes the practice's write lock for
    // itself, as every write on the file does. Inside one, a failed write
    // undoes only itself, as on the file, and the transaction goes on.
    const bool ownTransaction = m_isWrite && !m_connection.InTransaction();
    const bool ownSavepoint = m_isWrite && !ownTransaction;
    if (ownTransaction ? !m_connection.BeginWrite() : ownSavepoint && !m_connection.Execute("SAVEPOINT vk_statement"))
        return false;
    m_result = PQexecPrepared(m_connection.Handle(), m_name.c_str(), wire.Count(), wire.values.data(),
                              wire.lengths.data(), wire.formats.data(), 1);
    m_connection.NoteTransactionState();
    const ExecStatusType status = PQresultStatus(m_result);
    const bool succeeded = status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
    if (!succeeded)
        m_connection.RecordFailure(m_result);
    if (ownTransaction)
        return succeeded ? m_connection.Execute("COMMIT") : (m_connection.Rollback(), false);
    if (ownSavepoint)
        return succeeded ? m_connection.Execute("RELEASE vk_statement")
                         : (m_connection.Rollback("ROLLBACK TO vk_statement; RELEASE vk_statement"), false);
    if (succeeded)
        StartReadAhead();
    return succeeded;
}

void CVKPgStatement::ReadAhead(int keyParam, int keyColumn, int limitParam, std::int64_t maxLimit)
{
    m_readAhead = {keyParam, keyColumn, limitParam, maxLimit};
}

void CVKPgStatement::StartReadAhead()
{
    const auto keySlot = static_cast<std::size_t>(m_readAhead.keyParam);
    const auto limitSlot = static_cast<std::size_t>(m_readAhead.limitParam);
    if (keySlot == 0 || m_isWrite || keySlot > m_values.size() || limitSlot == 0 || limitSlot > m_values.size() ||
        m_types[keySlot - 1] != ByteaOid || m_types[limitSlot - 1] != Int8Oid ||
        m_readAhead.keyColumn >= PQnfields(m_result))
        return;
    const std::int64_t limit = BigEndian<std::int64_t>(m_values[limitSlot - 1].data());
    const int rows = PQntuples(m_result);
    if (rows == 0 || rows != limit)
        return;
    m_aheadValues = m_values;
    const int last = rows - 1;
    const int column = m_readAhead.keyColumn;
    m_aheadValues[keySlot - 1].assign(PQgetvalue(m_result, last, column),
                                      static_cast<std::size_t>(PQgetlength(m_result, last, column)));
    m_aheadValues[keySlot - 1] += '\0';
    const std::uint64_t next = htobe64(static_cast<std::uint64_t>(std::min(limit * 2, m_readAhead.maxLimit)));
    m_aheadValues[limitSlot - 1].assign(reinterpret_cast<const char*>(&next), sizeof next);
    m_readingAhead = m_connection.SendAhead(*this, m_name, SWireParams(m_aheadValues));
}

void CVKPgStatement::CollectReadAhead()
{
    if (!m_readingAhead)
        return;
    while (PGresult* result = PQgetResult(m_connection.Handle())) {
        if (m_aheadResult)
            PQclear(result);
        else
            m_aheadResult = result;
    }
    m_readingAhead = false;
    m_connection.AheadCollected();
}

bool CVKPgStatement::TakeReadAhead()
{
    CollectReadAhead();
    const bool matches = m_aheadResult && PQresultStatus(m_aheadResult) == PGRES_TUPLES_OK &&
                         m_aheadValues == m_values && m_types == m_preparedTypes &&
                         m_preparedGeneration == m_connection.Generation();
    if (!matches) {
        DropReadAhead();
        return false;
    }
    m_result = m_aheadResult;
    m_aheadResult = nullptr;
    return true;
}

void CVKPgStatement::DropReadAhead()
{
    CollectReadAhead();
    PQclear(m_aheadResult);
    m_aheadResult = nullptr;
}

CVKStatement::EStep CVKPgStatement::Step()
{
    if (m_row < 0) {
        m_row = 0;
        if (!Run()) {
            PQclear(m_result);
            m_result = nullptr;
            return EStep::Failed;
        }
    } else if (m_result) {
        ++m_row;
    }
    return m_result && m_row < PQntuples(m_result) ? EStep::Row : EStep::Done;
}

void CVKPgStatement::Reset()
{
    PQclear(m_result);
    m_result = nullptr;
    m_row = -1;
}

void CVKPgStatement::ClearBindings()
{
    DropReadAhead();
    m_values.clear();
    m_types.clear();
}

std::string_view CVKPgStatement::ColumnBytes(int column) const
{
    if (!m_result || column < 0 || column >= PQnfields(m_result) || PQgetisnull(m_result, m_row, column))
        return {};
    return {PQgetvalue(m_result, m_row, column), static_cast<std::size_t>(PQgetlength(m_result, m_row, column))};
}

std::int64_t CVKPgStatement::ColumnInt64(int column) const
{
    const std::string_view bytes = ColumnBytes(column);
    if (bytes.empty())
        return 0;
    switch (PQftype(m_result, column)) {
    case Int8Oid:
        return bytes.size() == 8 ? BigEndian<std::int64_t>(bytes.data()) : 0;
    case Int4Oid:
        return bytes.size() == 4 ? BigEndian<std::int32_t>(bytes.data()) : 0;
    case Int2Oid:
        return bytes.size() == 2 ? BigEndian<std::int16_t>(bytes.data()) : 0;
    case BoolOid:
        return bytes[0] != 0 ? 1 : 0;
    default: {
        // A number stored as text reads as SQLite reads it: its leading digits.
        std::int64_t value = 0;
        std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
        return value;
    }
    }
}
