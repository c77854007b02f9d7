#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "J3Dialoge/FileAttributes.h"
#include "winpath/Path.h"

// The entries of one listed directory, each kept once and compactly: a
// directory of a million files must fit in memory beside its list. Names
// are the 8-bit texts as the store spells them, all in one buffer; the
// directory part of the paths is kept once per spelling (entries of one
// directory nearly always share it), so a full path is made only when one
// entry is asked for.
class CDBDirectoryEntries {
public:
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    void clear();

    // Adds the entry at `fullPath` (8-bit text, separator '\').
    void Add(std::string_view fullPath, const SFileAttributes& attributes);

    // The last element of the entry's path, as the name comparison and the
    // name cell see it.
    std::string_view Name(std::size_t entry) const;
    const SFileAttributes& Attributes(std::size_t entry) const { return m_entries[entry].attributes; }
    winpath::path Path(std::size_t entry) const;
    DBFileEntry Entry(std::size_t entry) const { return {Path(entry), Attributes(entry)}; }

private:
    struct SEntry {
        std::uint32_t nameOffset = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t directory = 0;
        SFileAttributes attributes;
    };

    std::vector<SEntry> m_entries;
    std::string m_names;
    // Directory parts with their trailing separator, as spelt.
    std::vector<std::string> m_directories;
};
