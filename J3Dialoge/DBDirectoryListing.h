#pragma once
#include "J3Dialoge/DBFilePathModel.h"
#include "J3Dialoge/DBFileTypeFilter.h"
#include "J3Dialoge/FileAttributes.h"

// Reads what the file dialog shows of its current directory from the
// database file store.
class CDBDirectoryListing {
public:
    // The entries of the model's current directory: at the display root the
    // allowed roots that hold anything (as directories, time 0, size 0);
    // elsewhere the store's entries, subdirectories only when the model
    // allows going down, files only when they pass `filter`, never the
    // placeholder file. A store that reports an entry twice keeps the last.
    //
    // Only plain direct children of the current directory are taken: an
    // entry named "." or "..", or one that the store reports under another
    // directory, is left out, so a damaged or foreign store cannot lead the
    // dialog out of its allowed roots.
    static DBFileEntries FillElementsToDisplay(const CDBFilePathModel& model, const CDBFileTypeFilter& filter);

private:
    static DBFileEntries ListAllowedRoots(const CDBFilePathModel& model);
    static DBFileEntries ListStoreDirectory(const CDBFilePathModel& model, const CDBFileTypeFilter& filter);
};
