#include "dbdll/J3TempDir.h"

#include "j3params/J3Params.h"

CString GetJ3TempDir()
{
    return GetJ3TempPath();
}
