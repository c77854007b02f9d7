#pragma once
#include <map>

#include "vkbasis/CString.h"
#include "winpath/Path.h"

// Where the file dialog may go in the database file store, and where it is.
//
// A real path names a place in the store ("C:\P\Data\sub"). A display path is
// what the user sees and types: the display name of an allowed root directory
// followed by the rest below it ("data\sub"). Above all roots lies the display
// root, the empty path, whose entries are the roots themselves.
//
// Guard: no path typed or chosen leads out of the allowed roots. Display
// paths are normalised lexically before the root check ("data\..\..\Windows"
// names nothing), and the current directory is only ever the display root or
// a directory within an allowed root; a directory outside every root, the
// initial directory included, is refused like a missing one.
class CDBFilePathModel {
public:
    // Real root directory (without trailing backslash) to its display name,
    // in path order: the first root always means the first in that order.
    using RootDirs = std::map<winpath::path, winpath::path>;

    // The display root: the empty path.
    static const winpath::path DISPLAY_PATH_ROOT;
    // The placeholder file that keeps an otherwise empty directory in the store.
    static const winpath::path DUMMY_FILENAME;

    // Adds a root, or gives an existing one (equal after removing a trailing
    // backslash) the new display name.
    void AddAllowedRootDir(const CString& realRoot, const CString& displayName);
    void RemoveAllowedRootDir(const CString& realRoot);
    const RootDirs& AllowedRootDirs() const { return m_allowedRootDirs; }

    // allowDirUp: directories that are not within the initial directory may
    // be entered; allowDirDown: directories within it may be entered (and
    // subdirectories are listed at all).
    void SetAllowDirChanges(bool allowDirUp, bool allowDirDown);
    bool AllowDirUp() const { return m_allowDirUp; }
    bool AllowDirDown() const { return m_allowDirDown; }

    // The current directory as a real path without trailing separator; the
    // empty path is the display root.
    const winpath::path& CurrentDir() const { return m_currentDir; }
    // Makes `dir` current when it is the display root, or lies within an
    // allowed root and the store knows it; false (nothing changes) otherwise.
    bool SetCurrentDir(const winpath::path& dir);
    bool SetCurrentDir(const CString& dir);

    // The real path of a display path; empty when its first segment names no
    // root or when it leads out of that root.
    winpath::path DisplayPathToRealPath(const winpath::path& displayPath) const;
    // The display path of a real path; the display root for a path outside
    // every root. The root is matched without regard to case, as the store
    // matches paths: "c:\p\data\x" is "data\x" for the root "C:\P\Data".
    winpath::path RealPathToDisplayPath(const winpath::path& realPath) const;
    // The first root (in path order) that holds `realPath`; empty for none.
    winpath::path AllowedRootDirForRealPath(const winpath::path& realPath) const;
    // Whether the direction flags allow `target`, relative to `initialDir`
    // (the dialog's initial-directory text, read anew at each question).
    bool IsDirChangeAllowed(const winpath::path& target, const CString& initialDir) const;

    static winpath::path FirstSegment(const winpath::path& p);
    // Drops trailing backslashes (never the root): "C:\d\\" is "C:\d", "C:\"
    // stays; a trailing '/' is kept.
    static winpath::path RemoveTrailingSeparator(const CString& text);
    static winpath::path RemoveTrailingSeparator(const winpath::path& p);
    static winpath::path RemoveDisplayRootFromPath(const winpath::path& p);
    static bool IsDisplayPathRoot(const winpath::path& p);
    // True when the store holds at least one entry below `p`.
    static bool FileOrDirExistsDB(const winpath::path& p);
    // True when `p` is the directory `dir` itself or lies below it.
    static bool IsSubPath(const winpath::path& p, const winpath::path& dir);
    // True when both name the same directory, whatever the case.
    static bool IsSamePath(const winpath::path& a, const winpath::path& b);

private:
    RootDirs m_allowedRootDirs;
    winpath::path m_currentDir;
    bool m_allowDirUp = false;
    bool m_allowDirDown = false;
};
