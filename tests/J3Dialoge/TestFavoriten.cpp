#include "TestFavoriten.h"

CTestFavoriten::CTestFavoriten(CWPFDialog* dialog, SFavoProgramm* programme, const char** categories)
    : CDiaFavoriten(dialog)
{
    m_pProgramme = programme;
    m_ppszProgKat = categories;
}

bool CTestFavoriten::IsProgrammAvailable(const SFavoProgramm* programm)
{
    return !m_notOffered.contains(programm->nProgId);
}

bool CTestFavoriten::ToAlle(const SFavoProgramm* programm)
{
    return !m_notInTree.contains(programm->nProgId);
}

void CTestFavoriten::StartProgramm(int index)
{
    m_started.push_back(index);
}
