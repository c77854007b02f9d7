#pragma once
#include "vkbasis/CString.h"

// The database file store of the running program (on dbDatabase), in the
// form the suite calls it. Paths follow CDBStorePath; texts are any bytes.
bool FileExistsDB(const CString& path);
int DeleteFileDB(const CString& path); // nonzero on success
bool SaveTextFileDB(const CString& path, const CString& text);
bool LoadTextFileDB(const CString& path, CString& text);
