#include "J3Dialoge/DBFilePathModel.h"

#include <string>

#include "vkbasis/CPath.h"
#include "vkdb/DBFileFind.h"

const winpath::path CDBFilePathModel::DISPLAY_PATH_ROOT;
const winpath::path CDBFilePathModel::DUMMY_FILENAME(L"__j3dbfiledialog-dummy__");

void CDBFilePathModel::AddAllowedRootDir(const CString& realRoot, const CString& displayName)
{
    m_allowedRootDirs.insert_or_assign(RemoveTrailingSeparator(realRoot), winpath::path(displayName.str()));
}

void CDBFilePathModel::RemoveAllowedRootDir(const CString& realRoot)
{
    m_allowedRootDirs.erase(RemoveTrailingSeparator(realRoot));
}

void CDBFilePathModel::SetAllowDirChanges(bool allowDirUp, bool allowDirDown)
{
    m_allowDirUp = allowDirUp;
    m_allowDirDown = allowDirDown;
}

bool CDBFilePathModel::SetCurrentDir(const winpath::path& dir)
{
    if (dir.empty()) {
        m_currentDir.clear();
        return true;
    }
    const winpath::path normal = RemoveTrailingSeparator(dir.lexically_normal());
    if (AllowedRootDirForRealPath(normal).empty() || !FileOrDirExistsDB(normal))
        return false;
    m_currentDir = normal;
    return true;
}

bool CDBFilePathModel::SetCurrentDir(const CString& dir)
{
    return SetCurrentDir(winpath::path(dir.str()));
}

winpath::path CDBFilePathModel::DisplayPathToRealPath(const winpath::path& displayPath) const
{
    const winpath::path relative = RemoveDisplayRootFromPath(displayPath);
    const winpath::path first = FirstSegment(relative);
    for (const auto& [realRoot, displayName] : m_allowedRootDirs) {
        if (displayName != first)
            continue;
        std::wstring text = relative.native();
        const std::wstring& name = displayName.native();
        const std::size_t at = text.find(name);
        if (at != std::wstring::npos)
            text.replace(at, name.size(), realRoot.native());
        // ".." may not climb out of the root that the path starts in.
        winpath::path real = winpath::path(std::move(text)).lexically_normal();
        return IsSubPath(real, realRoot) ? real : winpath::path();
    }
    return {};
}

winpath::path CDBFilePathModel::RealPathToDisplayPath(const winpath::path& realPath) const
{
    const winpath::path root = AllowedRootDirForRealPath(realPath);
    if (root.empty())
        return DISPLAY_PATH_ROOT;
    // The elements below the root, however the caller spelt the root.
    const winpath::path normal = realPath.lexically_normal();
    auto below = normal.begin();
    for (auto element = root.begin(); element != root.end() && below != normal.end(); ++element)
        ++below;
    winpath::path display = m_allowedRootDirs.at(root);
    for (; below != normal.end(); ++below)
        if (!below->empty())
            display /= *below;
    return DISPLAY_PATH_ROOT / display;
}

winpath::path CDBFilePathModel::AllowedRootDirForRealPath(const winpath::path& realPath) const
{
    for (const auto& entry : m_allowedRootDirs)
        if (IsSubPath(realPath, entry.first))
            return entry.first;
    return {};
}

bool CDBFilePathModel::IsDirChangeAllowed(const winpath::path& target, const CString& initialDir) const
{
    const bool inside = IsSubPath(target, winpath::path(initialDir.str()));
    return (m_allowDirUp || inside) && (m_allowDirDown || !inside);
}

winpath::path CDBFilePathModel::FirstSegment(const winpath::path& p)
{
    for (const winpath::path& element : p)
        if (!element.empty())
            return winpath::path(element.string());
    return {};
}

winpath::path CDBFilePathModel::RemoveTrailingSeparator(const CString& text)
{
    return RemoveTrailingSeparator(winpath::path(text.str()));
}

winpath::path CDBFilePathModel::RemoveTrailingSeparator(const winpath::path& p)
{
    if (p.empty() || p.native().back() != L'\\')
        return p;
    return p.parent_path();
}

winpath::path CDBFilePathModel::RemoveDisplayRootFromPath(const winpath::path& p)
{
    const std::wstring& root = DISPLAY_PATH_ROOT.native();
    const std::wstring& text = p.native();
    if (text.size() < root.size())
        return {};
    return winpath::path(text.substr(root.size()));
}

bool CDBFilePathModel::IsDisplayPathRoot(const winpath::path& p)
{
    const winpath::path root = RemoveTrailingSeparator(DISPLAY_PATH_ROOT);
    const winpath::path candidate = RemoveTrailingSeparator(p);
    return (root.empty() && candidate.empty()) || candidate == root;
}

bool CDBFilePathModel::FileOrDirExistsDB(const winpath::path& p)
{
    // The handle holds nothing and is never closed (see CDBFileFind).
    SDBFileEntry findData;
    return CDBFileFind::FindFirstFileA((p / L"*").string().c_str(), &findData) != CDBFileFind::InvalidHandleValue();
}

bool CDBFilePathModel::IsSubPath(const winpath::path& p, const winpath::path& dir)
{
    return CPath(p.string().c_str()).IsSubPath(CPath(dir.string().c_str()));
}

bool CDBFilePathModel::IsSamePath(const winpath::path& a, const winpath::path& b)
{
    if (a.empty() || b.empty())
        return a.empty() && b.empty();
    return IsSubPath(a, b) && IsSubPath(b, a);
}
