#include "J3Dialoge/FavoSettings.h"

#include "dbdll/JParPool.h"
#include "vkdb/VKDatabase.h"

namespace {

// The number field of the user settings: 0 formatted "%3d".
constexpr const char* SettingsNumber = "  0";
constexpr const char* FavoritKey = "usrfavorit";
constexpr const char* PostItKey = "usrpostit";

} // namespace

CFavoSettings::CFavoSettings()
{
    LoadSettings();
}

void CFavoSettings::LoadSettings()
{
    CJParPool pool(dbDatabaseRO.IsOpen() ? &dbDatabaseRO : &dbDatabase, nullptr);
    pool.SetForwardOnly(true);
    m_bFavorit = LoadFlag(pool, FavoritKey);
    m_bPostIt = LoadFlag(pool, PostItKey);
}

void CFavoSettings::SaveSettings()
{
    CJParPool pool(&dbDatabase, nullptr);
    SaveFlag(pool, FavoritKey, m_bFavorit);
    SaveFlag(pool, PostItKey, m_bPostIt);
}

bool CFavoSettings::LoadFlag(CJParPool& pool, const char* key)
{
    pool.m_strNr = SettingsNumber;
    pool.m_strKey = key;
    return pool.GetByK1(0) == CVKRSet::FOUND && pool.m_strValue == "1";
}

void CFavoSettings::SaveFlag(CJParPool& pool, const char* key, bool value)
{
    pool.m_strNr = SettingsNumber;
    pool.m_strKey = key;
    pool.m_strValue = value ? "1" : "0";
    pool.WriteValue("");
}
