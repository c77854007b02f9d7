#pragma once
#include "vkbasis/CString.h"

// Program permissions: per program number, permission name and user a value.
class CJProgPool {
public:
    enum PERMISSION { PERM_NONE = -1, PERM_READ = 1, PERM_WRITE = 2 };

    // The permission of the running user (dbPId) for program and name; with
    // practiceDefault, when the user has none, the practice-wide one (stored
    // for the empty user). PERM_NONE (negative) when there is none.
    static int GetPermission(int progNr, const CString& name, bool practiceDefault);
    // Stores a permission (the empty user: the practice-wide default).
    static bool SetPermission(int progNr, const CString& name, const CString& user, int permission);
};
