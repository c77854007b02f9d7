#pragma once

#include "vkbasis/CString.h"

// A file or directory name as 8-bit text with the Windows grammar: drive or
// network root, '\' and '/' both separate.
class CPath {
public:
    CPath() = default;
    CPath(const char* text);
    CPath(const CString& text);

    const CString& GetPath() const { return m_text; }

    // True when this path is the directory dir itself or lies below it. Both
    // are normalised lexically first (".", ".." and runs of separators
    // resolved without asking any file system), so "C:\P\Data\..\Windows" is
    // not below "C:\P\Data". Names compare without regard to case
    // (Windows-1252) and '\' equals '/'; only whole names match, so
    // "C:\P\Database" is not below "C:\P\Data". A trailing separator changes
    // nothing. Paths with different roots (another drive or server, relative
    // against absolute) never contain each other, and the empty path neither
    // contains nor lies within anything.
    bool IsSubPath(const CPath& dir) const;

    // The directory part including its final separator, every separator
    // written as '\': "C:\P\x.cpp" and "C:/P/x.cpp" give "C:\P\", a path that
    // ends in a separator gives itself, a plain name gives the empty text, and
    // a bare root ("C:\", "C:", "\\server\share\") stays as it is.
    CString GetDir() const;

    // The last name without its extension: "C:\P\DiaX.cpp" gives "DiaX". Help
    // topics are named after the dialog's source unit without the source
    // extension ("hDiaX.htm"), so the extension is left out. A name that
    // only starts with a dot (".hidden") has no extension and stays whole;
    // a path ending in a separator has no file name (empty text).
    CString GetFilename() const;

private:
    CString m_text;
};
