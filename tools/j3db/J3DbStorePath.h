#pragma once
#include "j3db/J3DbResult.h"
#include "vkbasis/CString.h"
#include "vkdb/DBFileEntry.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

class CDBFileStore;

// Paths of the database file store as the admin tool takes them from the
// command line and shows them: Windows paths ("C:\J3\Daten\Briefe"), UTF-8 on
// the command line, Windows-1252 in the store.
class CJ3DbStorePath {
public:
    // A store path from the command line; fails when 1252 cannot show it.
    static CJ3DbResult FromArgument(const std::string& argument, CString& path);
    // Whether a file may be stored at path, a wrong call saying why not: the
    // store's own path rules, and a place inside the folders the file dialog
    // shows.
    static CJ3DbResult CheckNewFile(const CString& path);

    static bool EndsWithSeparator(const std::string& argument);
    static CString WithoutTrailingSeparators(CString path);
    // The last element.
    static CString Name(const CString& path);

    // Entries of a store search; false when the search itself failed, which
    // is not the same as finding nothing.
    static bool Find(CDBFileStore& store, const CString& pattern, std::vector<SDBFileEntry>& entries,
                     std::size_t maxEntries = std::numeric_limits<std::size_t>::max());
};
