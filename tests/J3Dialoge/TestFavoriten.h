#pragma once
#include "J3Dialoge/DiaFavoriten.h"

#include <set>
#include <vector>

// A favourites tab as a host derives it: the programs it offers and lists in
// the tree are chosen by id, and every start is noted.
class CTestFavoriten : public CDiaFavoriten {
public:
    CTestFavoriten(CWPFDialog* dialog, SFavoProgramm* programme, const char** categories);

    bool IsProgrammAvailable(const SFavoProgramm* programm) override;
    bool ToAlle(const SFavoProgramm* programm) override;
    void StartProgramm(int index) override;
    // The favourites in the order the user sees them.
    std::vector<CString> FavoritenNames() const { return m_Fluid.GetFluidItemNames(); }

    std::set<int> m_notOffered;
    std::set<int> m_notInTree;
    std::vector<int> m_started;
};
