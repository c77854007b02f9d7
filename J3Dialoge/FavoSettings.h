#pragma once

class CJParPool;

// The user's two yes/no settings, records of the parameter pool with the
// number "  0": "usrfavorit" and "usrpostit", each "1" when set and "0" when
// not. Only the exact value "1" counts as set; a missing record, "1 " or "01"
// load as not set. The favourites tab derives from this class; the eInfo
// store reads "usrpostit" to decide whether notes are kept per user.
//
// Loading uses the read-only connection and falls back to the read-write one
// when a program opened only that, as the database layer's own readers do.
class CFavoSettings {
public:
    // Loads both settings.
    CFavoSettings();
    CFavoSettings(const CFavoSettings&) = default;
    CFavoSettings& operator=(const CFavoSettings&) = default;
    virtual ~CFavoSettings() = default;

    void LoadSettings();
    // Stores both settings, replacing the records that exist. The host
    // program calls it; the results of the writes are not consulted.
    void SaveSettings();

    bool m_bFavorit = false;
    bool m_bPostIt = false;

private:
    static bool LoadFlag(CJParPool& pool, const char* key);
    static void SaveFlag(CJParPool& pool, const char* key, bool value);
};
