#pragma once
#include "J3Dialoge/FavoProgramm.h"

#include <vector>

// The programs of the suite that the practice desk can start, in six
// categories, with the ids that the favourites record stores. Each desk keeps
// its own copy, since the favourites tab writes into it.
class CJ3PraxisProgramme {
public:
    CJ3PraxisProgramme();

    // The table, ended by an entry with a negative category.
    SFavoProgramm* Table() { return m_programme.data(); }
    const char** Kategorien();
    // Whether the practice holds a licence for the program.
    static bool IsLicensed(int id);

    // Where the favourites of a user are stored: this number and the key
    // "favoriten" followed by the user id.
    static constexpr int FavoritenNr = 1;
    static constexpr const char* FavoritenKeyPrefix = "favoriten";

private:
    std::vector<SFavoProgramm> m_programme;
};
