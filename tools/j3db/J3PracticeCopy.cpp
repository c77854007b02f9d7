#include "j3db/J3PracticeCopy.h"

#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"
#include "winpath/AnsiLiteral.h"

#include <QCryptographicHash>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

struct SColumn {
    const char* name;
    bool number;
};

struct STable {
    const char* name;
    std::vector<SColumn> columns;
};

// Every table that holds a practice's records, with the columns that carry
// them (a new table of the schema belongs here too).
const std::vector<STable>& PracticeTables()
{
    static const std::vector<STable> tables = {
        {"parpool", {{"nr", false}, {"kuerzel", false}, {"wert", false}}},
        {"pat",
         {{"patnr", false},
          {"name", false},
          {"vorname", false},
          {"gebdat", false},
          {"indexmarker", false},
          {"emoji1", false},
          {"emoji2", false}}},
        {"BEH", {{"patnr", false}, {"datum", false}, {"leistung", false}, {"text", false}}},
        {"protokoll",
         {{"patnr", false}, {"art", false}, {"status", false}, {"funktion", false}, {"text", false}, {"zeit", true}}},
        {"progpool", {{"prognr", true}, {"name", false}, {"benutzer", false}, {"permission", true}}},
        {"files",
         {{"pathkey", false},
          {"path", false},
          {"mtime", true},
          {"size", true},
          {"content", false},
          {"dirkey", false},
          {"name", false}}},
        {"subdirs", {{"parentkey", false}, {"namekey", false}, {"name", false}, {"path", false}}},
        {"patmerge", {{"altnr", false}, {"neunr", false}}},
    };
    return tables;
}

std::string ColumnList(const STable& table)
{
    std::string list;
    for (const auto& column : table.columns)
        list += std::string(list.empty() ? "" : ", ") + column.name;
    return list;
}

std::string SelectSql(const STable& table)
{
    return "SELECT " + ColumnList(table) + " FROM " + table.name;
}

std::string InsertSql(const STable& table)
{
    std::string values;
    for (std::size_t i = 1; i <= table.columns.size(); ++i)
        values += (i > 1 ? ", ?" : "?") + std::to_string(i);
    return "INSERT INTO " + std::string(table.name) + "(" + ColumnList(table) + ") VALUES(" + values + ")";
}

// The hash of a table: every record's values are hashed on their own, and
// the sorted record hashes are hashed together, so the order the backend
// returns the records in does not matter while duplicates still count.
class CTableDigest {
public:
    // Takes the current record of query; binds its values to insert when given.
    void Add(const CVKQuery& query, const STable& table, CVKQuery* insert)
    {
        m_record.reset();
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const int column = static_cast<int>(i);
            if (table.columns[i].number) {
                const std::int64_t number = query.ColumnInt64(column);
                AddToRecord("n" + std::to_string(number) + ";");
                if (insert)
                    insert->Bind(column + 1, number);
            } else {
                // The length first, so that neighbouring values cannot trade bytes.
                const std::string_view bytes = query.ColumnBytes(column);
                AddToRecord("b" + std::to_string(bytes.size()) + ":");
                AddToRecord(bytes);
                if (insert)
                    insert->Bind(column + 1, bytes);
            }
        }
        std::array<char, 32> digest{};
        const QByteArrayView result = m_record.resultView();
        std::memcpy(digest.data(), result.data(), digest.size());
        m_records.push_back(digest);
    }

    CJ3PracticeCopy::STableCheck Check(const char* table)
    {
        std::sort(m_records.begin(), m_records.end());
        QCryptographicHash all(QCryptographicHash::Sha256);
        for (const auto& digest : m_records)
            all.addData(QByteArrayView(digest.data(), static_cast<qsizetype>(digest.size())));
        return {table, static_cast<std::int64_t>(m_records.size()), all.result().toHex().toStdString()};
    }

private:
    void AddToRecord(std::string_view bytes)
    {
        m_record.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }

    QCryptographicHash m_record{QCryptographicHash::Sha256};
    std::vector<std::array<char, 32>> m_records;
};

} // namespace

CJ3PracticeCopy::CJ3PracticeCopy(CVKDatabase& source, CVKDatabase& target) : m_source(source), m_target(target)
{
}

bool CJ3PracticeCopy::TargetHoldsRecords(bool& holds)
{
    holds = false;
    for (const auto& table : PracticeTables()) {
        CVKQuery query(m_target, "SELECT 1 FROM " + std::string(table.name) + " LIMIT 1");
        holds = holds || query.Next();
        if (query.Failed()) {
            FailOn(m_target);
            return false;
        }
    }
    return true;
}

CJ3PracticeCopy::EResult CJ3PracticeCopy::Run(std::ostream& progressOut, CJ3ProgressBar::EStyle style,
                                              const std::function<bool()>& interrupted)
{
    m_checks.clear();
    CVKTransaction hold(m_source);
    if (!hold.IsActive())
        return FailOn(m_source);
    CVKTransaction write(m_target);
    if (!write.IsActive())
        return FailOn(m_target);

    std::vector<STableCheck> sourceChecks;
    if (const EResult copied = CopyRecords(progressOut, style, interrupted, sourceChecks); copied != EResult::Done)
        return copied;
    std::vector<STableCheck> targetChecks;
    if (!CheckAll(m_target, targetChecks))
        return FailOn(m_target);
    for (std::size_t i = 0; i < sourceChecks.size(); ++i) {
        if (targetChecks[i] != sourceChecks[i]) {
            m_error = CString("Die Kopie der Tabelle ") + sourceChecks[i].table.c_str() + " weicht ab (" +
                      std::to_string(targetChecks[i].records).c_str() + " statt " +
                      std::to_string(sourceChecks[i].records).c_str() + " Datensätze oder anderer Inhalt)."_ansi;
            return EResult::Failed;
        }
    }
    if (interrupted())
        return EResult::Interrupted;
    if (!write.Commit())
        return FailOn(m_target);
    hold.Commit();
    m_checks = std::move(targetChecks);
    return EResult::Done;
}

CJ3PracticeCopy::EResult CJ3PracticeCopy::CopyRecords(std::ostream& progressOut, CJ3ProgressBar::EStyle style,
                                                      const std::function<bool()>& interrupted,
                                                      std::vector<STableCheck>& sourceChecks)
{
    std::size_t total = 0;
    for (const auto& table : PracticeTables()) {
        CVKQuery count(m_source, "SELECT count(*) FROM " + std::string(table.name));
        if (!count.Next())
            return FailOn(m_source);
        total += static_cast<std::size_t>(count.ColumnInt64(0));
    }
    CJ3ProgressBar progress(progressOut, style, total, "Datensätze");
    std::size_t done = 0;
    for (const auto& table : PracticeTables()) {
        CVKQuery read(m_source, SelectSql(table));
        CVKQuery insert(m_target, InsertSql(table));
        CTableDigest digest;
        while (read.Next()) {
            digest.Add(read, table, &insert);
            if (!insert.Run())
                return FailOn(m_target);
            insert.Reset();
            progress.Update(++done);
            if (interrupted())
                return EResult::Interrupted;
        }
        if (read.Failed())
            return FailOn(m_source);
        sourceChecks.push_back(digest.Check(table.name));
    }
    return EResult::Done;
}

bool CJ3PracticeCopy::CheckAll(CVKDatabase& database, std::vector<STableCheck>& checks)
{
    checks.clear();
    for (const auto& table : PracticeTables()) {
        CVKQuery read(database, SelectSql(table));
        CTableDigest digest;
        while (read.Next())
            digest.Add(read, table, nullptr);
        if (read.Failed())
            return false;
        checks.push_back(digest.Check(table.name));
    }
    return true;
}

CJ3PracticeCopy::EResult CJ3PracticeCopy::FailOn(CVKDatabase& database)
{
    m_error = database.GetLastError();
    return EResult::Failed;
}
