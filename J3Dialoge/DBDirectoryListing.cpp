#include "J3Dialoge/DBDirectoryListing.h"

#include <string>
#include <string_view>

#include "vkdb/DBFileFind.h"
#include "vkdb/DBStorePath.h"

namespace {

// The store's text of a directory followed by its separator, folded as the
// store compares paths.
std::string ChildPrefixKey(const winpath::path& dir)
{
    std::string prefix = CDBStorePath::Normalize(dir.string());
    if (prefix.empty() || prefix.back() != CDBStorePath::Separator)
        prefix += CDBStorePath::Separator;
    return CDBStorePath::Key(prefix);
}

// The name of `entryPath` when it is a plain entry directly below the
// directory whose prefix key is given; empty otherwise.
std::string_view DirectChildName(std::string_view entryPath, std::string_view prefixKey)
{
    if (entryPath.size() <= prefixKey.size()
        || CDBStorePath::Key(entryPath.substr(0, prefixKey.size())) != prefixKey)
        return {};
    const std::string_view name = entryPath.substr(prefixKey.size());
    if (name == "." || name == ".." || name.find_first_of("\\/") != std::string_view::npos)
        return {};
    return name;
}

} // namespace

DBFileEntries CDBDirectoryListing::FillElementsToDisplay(const CDBFilePathModel& model,
                                                         const CDBFileTypeFilter& filter)
{
    if (model.CurrentDir().empty())
        return ListAllowedRoots(model);
    return ListStoreDirectory(model, filter);
}

DBFileEntries CDBDirectoryListing::ListAllowedRoots(const CDBFilePathModel& model)
{
    DBFileEntries entries;
    for (const auto& root : model.AllowedRootDirs())
        if (CDBFilePathModel::FileOrDirExistsDB(root.first))
            entries.emplace(root.first, SFileAttributes{true, 0, 0});
    return entries;
}

DBFileEntries CDBDirectoryListing::ListStoreDirectory(const CDBFilePathModel& model, const CDBFileTypeFilter& filter)
{
    DBFileEntries entries;
    const std::string prefixKey = ChildPrefixKey(model.CurrentDir());
    const std::string dummyName = CDBFilePathModel::DUMMY_FILENAME.string();
    CDBFileFind finder;
    for (int more = finder.FindFile((model.CurrentDir() / L"*").string().c_str(), 0); more;) {
        more = finder.FindNextFileA();
        SFileAttributes attributes;
        finder.GetLastWriteTime(attributes.lastWriteTime);
        attributes.isDirectory = finder.IsDirectory();
        attributes.size = finder.GetLength();
        if (attributes.isDirectory && !model.AllowDirDown())
            continue;
        const CString entryPath = finder.GetFilePath();
        const std::string_view name = DirectChildName(entryPath.str(), prefixKey);
        if (name.empty())
            continue;
        if (!attributes.isDirectory && (name == dummyName || !filter.FileMatchesAnyFilter(name)))
            continue;
        // The store reports names in key order, mostly the map's order too:
        // the hint makes each insertion cost a comparison or two.
        entries.insert_or_assign(entries.end(), winpath::path(entryPath.str()), attributes);
    }
    return entries;
}
