#pragma once

#include <cstdint>
#include <string_view>

// One prepared statement of a backend connection (CVKConnection). Texts are
// bound and read as bytes; parameters count from 1, columns from 0. A failed
// step leaves its reason on the connection.
class CVKStatement {
public:
    enum class EStep { Row, Done, Failed };

    virtual ~CVKStatement() = default;

    virtual bool BindBytes(int index, std::string_view bytes) = 0;
    virtual bool BindInt64(int index, std::int64_t value) = 0;
    virtual EStep Step() = 0;
    // Back to before the first row; the bindings stay.
    virtual void Reset() = 0;
    virtual void ClearBindings() = 0;
    // See CVKQuery::ReadAhead; a backend may ignore it.
    virtual void ReadAhead(int /*keyParam*/, int /*keyColumn*/, int /*limitParam*/, std::int64_t /*maxLimit*/) {}
    virtual std::string_view ColumnBytes(int column) const = 0;
    virtual std::int64_t ColumnInt64(int column) const = 0;
};
