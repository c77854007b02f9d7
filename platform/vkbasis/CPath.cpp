#include "vkbasis/CPath.h"

#include "winpath/Path.h"

#include <vector>

namespace {

// The 8-bit text of a path with every separator written as '\', so that
// "//server" and "\\SERVER" compare equal without regard to case.
CString BackslashText(const winpath::path& p)
{
    CString text(p.string());
    text.Replace('/', '\\');
    return text;
}

bool SameElement(const winpath::path& left, const winpath::path& right)
{
    return BackslashText(left).CompareNoCase(BackslashText(right)) == 0;
}

// The names below the root of a normalised path; "." and the empty name
// after a trailing separator say nothing about the place and are left out.
std::vector<winpath::path> NamesBelowRoot(const winpath::path& normalised)
{
    std::vector<winpath::path> names;
    for (const winpath::path& element : normalised.relative_path())
        if (!element.empty() && element.native() != L".")
            names.push_back(element);
    return names;
}

} // namespace

CPath::CPath(const char* text) : m_text(text)
{
}

CPath::CPath(const CString& text) : m_text(text)
{
}

bool CPath::IsSubPath(const CPath& dir) const
{
    if (m_text.IsEmpty() || dir.m_text.IsEmpty())
        return false;
    const winpath::path self = winpath::path(m_text.str()).lexically_normal();
    const winpath::path base = winpath::path(dir.m_text.str()).lexically_normal();
    if (!SameElement(self.root_name(), base.root_name()) || self.has_root_directory() != base.has_root_directory())
        return false;

    const std::vector<winpath::path> selfNames = NamesBelowRoot(self);
    const std::vector<winpath::path> baseNames = NamesBelowRoot(base);
    if (selfNames.size() < baseNames.size())
        return false;
    for (std::size_t i = 0; i < baseNames.size(); ++i)
        if (!SameElement(selfNames[i], baseNames[i]))
            return false;
    // A relative path that climbs out of a relative directory ("..\x" against
    // ".") lies outside it; normalising leaves ".." only at the front.
    return selfNames.size() == baseNames.size() || selfNames[baseNames.size()].native() != L"..";
}

CString CPath::GetDir() const
{
    const winpath::path self(m_text.str());
    const winpath::path dir = self.has_filename() ? self.parent_path() : self;
    CString text = BackslashText(dir);
    if (dir.has_relative_path() && text.Right(1) != "\\")
        text += '\\';
    return text;
}

CString CPath::GetFilename() const
{
    return CString(winpath::path(m_text.str()).filename().stem().string());
}
