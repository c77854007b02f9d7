#pragma once
#include "vkbasis/CString.h"

#include <array>
#include <map>
#include <vector>

class CVKDatabase;

// The practice's patients as the desk lists them, in number order, read from
// the database a page at a time when the list asks for a row, and counted
// only as far as the list has scrolled: opening the desk costs the rows on
// screen, not the size of the practice.
class CJ3PraxisPatienten {
public:
    enum EColumn { ColName, ColFirstName, ColBirthDate, ColNr, Columns };

    explicit CJ3PraxisPatienten(CVKDatabase& database) : m_database(database) {}

    // Forgets the rows read, so that they are read anew.
    void Refresh() { m_pages.clear(); }
    // How many patients there are, but no more than wanted.
    int RowsUpTo(int wanted);
    // A cell: name, first name, birth date for display, number as stored;
    // empty beyond the patients (one removed since they were counted).
    CString GetText(int row, int column);
    // The row of the patient with that number; -1 when he is not on file.
    int RowOf(const CString& patNr);

private:
    using SRow = std::array<CString, Columns>;
    static constexpr int PageRows = 64;
    // Pages kept: those on screen and a few around them.
    static constexpr std::size_t KeptPages = 8;

    const std::vector<SRow>& Page(int page);

    CVKDatabase& m_database;
    std::map<int, std::vector<SRow>> m_pages;
};
