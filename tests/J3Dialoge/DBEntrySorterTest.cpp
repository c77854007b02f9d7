#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "J3Dialoge/DBEntrySorter.h"

namespace {

struct SEntry {
    const char* name;
    SFileAttributes attributes;
};

// Two directories, files whose names test the byte order (upper case before
// lower case, "\xe4" after every ASCII letter, a prefix first), and ties.
const std::vector<SEntry> kSample = {
    {"zz", {true, 0, 0}},          {"Aa", {true, 0, 0}},          {"b.txt", {false, 300, 10}},
    {"A.txt", {false, 100, 30}},   {"Zeta", {false, 200, 20}},    {"alpha", {false, -5, 5}},
    {"\xe4rger", {false, 400, 1ull << 40}}, {"Zet", {false, 200, 20}},
};

std::vector<std::string> SortedNames(const CDBEntrySorter& sorter, const std::vector<SEntry>& sample)
{
    CDBDirectoryEntries entries;
    for (const SEntry& entry : sample)
        entries.Add(std::string("C:\\d\\") + entry.name, entry.attributes);
    std::vector<std::string> names;
    for (std::uint32_t index : sorter.SortElementsForDisplay(entries))
        names.emplace_back(entries.Name(index));
    return names;
}

// Header clicks from the start state (name, ascending), then the order. An
// empty name stands for either of two entries that tie.
struct SOrderCase {
    std::vector<CDBEntrySorter::ESortCriteria> clicks;
    CDBEntrySorter::ESortCriteria criteria;
    bool ascending;
    std::vector<std::string> names;
};

TEST(DBEntrySorterTest, HeaderClicksChooseTheOrder)
{
    using S = CDBEntrySorter;
    const std::vector<SOrderCase> cases = {
        {{}, S::SORT_BY_NAME, true, {"Aa", "zz", "A.txt", "Zet", "Zeta", "alpha", "b.txt", "\xe4rger"}},
        {{S::SORT_BY_NAME}, S::SORT_BY_NAME, false,
         {"\xe4rger", "b.txt", "alpha", "Zeta", "Zet", "A.txt", "zz", "Aa"}},
        {{S::SORT_BY_LAST_CHANGE}, S::SORT_BY_LAST_CHANGE, true,
         {"", "", "alpha", "A.txt", "", "", "b.txt", "\xe4rger"}},
        // From descending by name the size column keeps the direction: files
        // first; a second click turns it round, directories first.
        {{S::SORT_BY_NAME, S::SORT_BY_SIZE}, S::SORT_BY_SIZE, false,
         {"\xe4rger", "A.txt", "", "", "b.txt", "alpha", "", ""}},
        {{S::SORT_BY_NAME, S::SORT_BY_SIZE, S::SORT_BY_SIZE}, S::SORT_BY_SIZE, true,
         {"", "", "alpha", "b.txt", "", "", "A.txt", "\xe4rger"}},
    };
    for (const SOrderCase& c : cases) {
        CDBEntrySorter sorter;
        for (auto click : c.clicks)
            sorter.SetSortCriteria(click);
        EXPECT_EQ(sorter.SortCriteria(), c.criteria);
        EXPECT_EQ(sorter.SortAscending(), c.ascending);
        // The listing's own order must not matter: as given, turned round, rotated.
        std::vector<SEntry> sample = kSample;
        for (int arrangement = 0; arrangement < 3; ++arrangement) {
            if (arrangement == 1)
                std::reverse(sample.begin(), sample.end());
            if (arrangement == 2)
                std::rotate(sample.begin(), sample.begin() + 3, sample.end());
            std::vector<std::string> names = SortedNames(sorter, sample);
            for (std::size_t i = 0; i < names.size() && i < c.names.size(); ++i)
                if (c.names[i].empty())
                    names[i].clear();
            EXPECT_EQ(names, c.names) << c.criteria << c.ascending << " arrangement " << arrangement;
        }
    }
}

TEST(DBEntrySorterTest, RestoredStateTakesUnknownCriteriaAsTheName)
{
    const std::vector<std::pair<int, CDBEntrySorter::ESortCriteria>> cases = {
        {2, CDBEntrySorter::SORT_BY_SIZE}, {1, CDBEntrySorter::SORT_BY_LAST_CHANGE}, {7, CDBEntrySorter::SORT_BY_NAME},
        {-1, CDBEntrySorter::SORT_BY_NAME}};
    for (const auto& [stored, criteria] : cases) {
        CDBEntrySorter sorter;
        sorter.RestoreSortState(stored, false);
        EXPECT_EQ(sorter.SortCriteria(), criteria) << stored;
        EXPECT_FALSE(sorter.SortAscending());
    }
}

} // namespace
