#pragma once
#include <filesystem>
#include <string>
#include <vector>

// One name on the way to a place: a name of a Windows path (whose spelling
// may follow an existing entry) or one of a link's target.
struct SPendingName {
    std::string name;
    bool windowsName;
};

// A host place reached one level at a time from the root: its names with
// every symbolic link followed, and an open descriptor of the deepest of them
// that is an existing folder, so that each level costs the same however deep
// the place lies.
class CJ3PlaceWalk {
public:
    CJ3PlaceWalk();
    CJ3PlaceWalk(const CJ3PlaceWalk&) = delete;
    CJ3PlaceWalk& operator=(const CJ3PlaceWalk&) = delete;
    ~CJ3PlaceWalk();

    // The names of path, the first one last, as Follow takes them.
    static std::vector<SPendingName> PendingNames(const std::filesystem::path& path, bool windowsNames);

    // Goes down through pending (the first name last); a Windows name that
    // does not exist takes the spelling of an entry that differs only in
    // case, and is added to spelled. False after too many links.
    bool Follow(std::vector<SPendingName> pending, std::filesystem::path& spelled);

    // The place reached, absolute, without links (as far as it exists).
    std::filesystem::path Resolved() const;

private:
    bool AtOpenFolder() const { return m_folder >= 0 && m_openDepth == m_names.size(); }
    void Replace(int folder);
    void Up();
    void Down(const std::string& name);
    bool LinkTarget(const std::string& name, std::string& target) const;
    std::string ExistingSpelling(const std::string& name) const;

    int m_folder;
    std::vector<std::string> m_names;
    std::size_t m_openDepth = 0;
    int m_links = 0;
};
