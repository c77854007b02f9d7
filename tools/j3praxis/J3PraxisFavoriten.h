#pragma once
#include "J3Dialoge/DiaFavoriten.h"
#include "j3praxis/J3PraxisProgramme.h"

#include <functional>

// The favourites tab of the practice desk over the suite's programs. A
// program without a licence is not offered. The suite's other programs do not
// run here, so starting one tells the desk which it would have been.
class CJ3PraxisFavoriten : public CDiaFavoriten {
public:
    // started receives the text of every program the user starts.
    CJ3PraxisFavoriten(CWPFDialog* desk, std::function<void(const CString&)> started);

    bool IsProgrammAvailable(const SFavoProgramm* programm) override;
    void StartProgramm(int index) override;

    // The favourites of the user the program runs as (dbPId).
    bool LoadUserFavoriten();
    void SaveUserFavoriten();

private:
    static CString UserKey();

    CJ3PraxisProgramme m_programme;
    std::function<void(const CString&)> m_started;
};
