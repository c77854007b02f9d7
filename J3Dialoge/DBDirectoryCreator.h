#pragma once
#include <string>
#include <vector>

#include "J3Dialoge/DBFilePathModel.h"
#include "winpath/Path.h"

class QWidget;

// Creates directories in the database file store for the file dialog. The
// store keeps files only, so a new directory is an empty placeholder file
// (CDBFilePathModel::DUMMY_FILENAME) inside it. The placeholders live as long
// as this object: its destruction deletes those still stored, so a directory
// that was created and left empty disappears again, while one into which a
// file was saved stays, carried by that file.
//
// The store matches names without regard to case, so a user's file of the
// placeholder's name in another case is the placeholder's place: creating
// never writes over a file that is there already (the directory exists
// through it), and the destruction deletes only placeholders that this
// object wrote and that are still empty.
class CDBDirectoryCreator {
public:
    // The longest real path (8-bit text) of a directory that may be created.
    static constexpr std::size_t kMaxPathLength = 260;

    explicit CDBDirectoryCreator(const CDBFilePathModel& model);
    ~CDBDirectoryCreator();
    CDBDirectoryCreator(const CDBDirectoryCreator&) = delete;
    CDBDirectoryCreator& operator=(const CDBDirectoryCreator&) = delete;

    // True when `dir` lies within an allowed root, is at most 260 characters,
    // is absolute (a drive with a separator, or a network root) and every
    // name in it is a valid Windows name.
    bool ValidateCreationPath(const winpath::path& dir) const;
    // Writes the placeholder into `dir` and remembers it; false (nothing
    // remembered) when the store refuses. A placeholder place that holds a
    // file already is left as it is: the directory exists, nothing is
    // written or remembered, and the answer is true.
    bool CreateDummyFile(const winpath::path& dir);

    // The notices of a refused and of a failed creation. The caller lists
    // the current directory again afterwards.
    void OnCreationPathValidationFailed(QWidget* parent) const;
    static void OnDirCreationFailed(QWidget* parent);

    // The placeholders written, full real paths in the order written.
    const std::vector<std::string>& CreatedDummyFiles() const { return m_createdDummyFiles; }

private:
    static bool IsEmptyFile(const std::string& path);

    const CDBFilePathModel& m_model;
    std::vector<std::string> m_createdDummyFiles;
};
