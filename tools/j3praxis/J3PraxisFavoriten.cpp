#include "j3praxis/J3PraxisFavoriten.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "vkdb/VKDatabase.h"

CJ3PraxisFavoriten::CJ3PraxisFavoriten(CWPFDialog* desk, std::function<void(const CString&)> started)
    : CDiaFavoriten(desk), m_started(std::move(started))
{
    m_pProgramme = m_programme.Table();
    m_ppszProgKat = m_programme.Kategorien();
}

bool CJ3PraxisFavoriten::IsProgrammAvailable(const SFavoProgramm* programm)
{
    return CJ3PraxisProgramme::IsLicensed(programm->nProgId);
}

void CJ3PraxisFavoriten::StartProgramm(int index)
{
    if (m_started)
        m_started(GetText(&m_pProgramme[index]));
}

bool CJ3PraxisFavoriten::LoadUserFavoriten()
{
    CJParPool pool(&dbDatabase, nullptr);
    return LoadFavoriten(pool, CJ3PraxisProgramme::FavoritenNr, UserKey());
}

void CJ3PraxisFavoriten::SaveUserFavoriten()
{
    CJParPool pool(&dbDatabase, nullptr);
    SaveFavoriten(pool, CJ3PraxisProgramme::FavoritenNr, UserKey());
}

CString CJ3PraxisFavoriten::UserKey()
{
    return CString(CJ3PraxisProgramme::FavoritenKeyPrefix) + dbPId;
}
