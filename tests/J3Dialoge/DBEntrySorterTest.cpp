#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "J3Dialoge/DBEntrySorter.h"

namespace {

using winpath::path;

DBFileEntries SampleEntries()
{
    return {
        {path(L"C:\\d\\zz"), {true, 0, 0}},         {path(L"C:\\d\\Aa"), {true, 0, 0}},
        {path(L"C:\\d\\b.txt"), {false, 300, 10}},  {path(L"C:\\d\\A.txt"), {false, 100, 30}},
        {path(L"C:\\d\\Zeta"), {false, 200, 20}},   {path(L"C:\\d\\alpha"), {false, -5, 5}},
        {path(L"C:\\d\\\x00e4rger"), {false, 400, 1ull << 40}},
    };
}

std::vector<std::string> Names(const std::vector<DBFileEntry>& entries)
{
    std::vector<std::string> names;
    for (const DBFileEntry& entry : entries)
        names.push_back(entry.first.filename().string());
    return names;
}

struct SOrderCase {
    CDBEntrySorter::ESortCriteria criteria;
    bool ascending;
    std::vector<std::string> names;
};

TEST(DBEntrySorterTest, OrdersByEachCriterionAndDirection)
{
    using S = CDBEntrySorter;
    const std::vector<SOrderCase> cases = {
        {S::SORT_BY_NAME, true, {"Aa", "zz", "A.txt", "Zeta", "alpha", "b.txt", "\xe4rger"}},
        {S::SORT_BY_NAME, false, {"\xe4rger", "b.txt", "alpha", "Zeta", "A.txt", "zz", "Aa"}},
        {S::SORT_BY_LAST_CHANGE, true, {"", "", "alpha", "A.txt", "Zeta", "b.txt", "\xe4rger"}},
        {S::SORT_BY_SIZE, false, {"\xe4rger", "A.txt", "Zeta", "b.txt", "alpha", "", ""}},
    };
    const DBFileEntries entries = SampleEntries();
    for (const SOrderCase& c : cases) {
        CDBEntrySorter sorter;
        if (c.criteria != sorter.SortCriteria())
            sorter.SetSortCriteria(c.criteria);
        if (c.ascending != sorter.SortAscending())
            sorter.SetSortCriteria(c.criteria);
        ASSERT_EQ(sorter.SortCriteria(), c.criteria);
        ASSERT_EQ(sorter.SortAscending(), c.ascending);
        std::vector<std::string> names = Names(sorter.SortElementsForDisplay(entries));
        // The two directories tie under time and size; their order is open.
        for (std::size_t i = 0; i < names.size(); ++i)
            if (c.names[i].empty())
                names[i].clear();
        EXPECT_EQ(names, c.names) << c.criteria << c.ascending;
    }
}

TEST(DBEntrySorterTest, HeaderClicksReverseOrSwitchKeepingTheDirection)
{
    CDBEntrySorter sorter;
    EXPECT_EQ(sorter.SortCriteria(), CDBEntrySorter::SORT_BY_NAME);
    EXPECT_TRUE(sorter.SortAscending());
    sorter.SetSortCriteria(CDBEntrySorter::SORT_BY_NAME);
    EXPECT_FALSE(sorter.SortAscending());
    sorter.SetSortCriteria(CDBEntrySorter::SORT_BY_SIZE);
    EXPECT_EQ(sorter.SortCriteria(), CDBEntrySorter::SORT_BY_SIZE);
    EXPECT_FALSE(sorter.SortAscending());
    const std::vector<DBFileEntry> descending = sorter.SortElementsForDisplay(SampleEntries());
    EXPECT_FALSE(descending.front().second.isDirectory);
    EXPECT_TRUE(descending.back().second.isDirectory);
    sorter.SetSortCriteria(CDBEntrySorter::SORT_BY_SIZE);
    EXPECT_TRUE(sorter.SortAscending());
    EXPECT_TRUE(sorter.SortElementsForDisplay(SampleEntries()).front().second.isDirectory);
}

TEST(DBEntrySorterTest, CompareAnswersFalseBothWaysOnTies)
{
    const DBFileEntry a{path(L"C:\\x\\same"), {false, 7, 7}};
    const DBFileEntry b{path(L"C:\\y\\same"), {false, 7, 7}};
    for (auto criteria : {CDBEntrySorter::SORT_BY_NAME, CDBEntrySorter::SORT_BY_LAST_CHANGE,
                          CDBEntrySorter::SORT_BY_SIZE, static_cast<CDBEntrySorter::ESortCriteria>(9)})
        for (bool ascending : {true, false}) {
            EXPECT_FALSE(CDBEntrySorter::CompareFilesByCriteria(a, b, criteria, ascending));
            EXPECT_FALSE(CDBEntrySorter::CompareFilesByCriteria(b, a, criteria, ascending));
        }
    const DBFileEntry shorter{path(L"C:\\x\\ab"), {false, 0, 0}};
    const DBFileEntry longer{path(L"C:\\x\\abc"), {false, 0, 0}};
    EXPECT_TRUE(CDBEntrySorter::CompareFilesByCriteria(shorter, longer, CDBEntrySorter::SORT_BY_NAME, true));
    EXPECT_TRUE(CDBEntrySorter::CompareFilesByCriteria(longer, shorter, static_cast<CDBEntrySorter::ESortCriteria>(9), false));
}

// The fast sort must give an order that the defining comparison accepts.
TEST(DBEntrySorterTest, SortedOrderAgreesWithTheComparisonOnRandomEntries)
{
    std::mt19937 random(3);
    const std::wstring alphabet = L"aAbB.\x00e4\x00c4z";
    DBFileEntries entries;
    for (int i = 0; i < 3000; ++i) {
        std::wstring name;
        for (int n = 1 + static_cast<int>(random() % 6); n > 0; --n)
            name += alphabet[random() % alphabet.size()];
        entries[path(L"C:\\d\\" + name)] = {random() % 5 == 0, static_cast<std::int64_t>(random() % 50) - 10,
                                            random() % 40};
    }
    for (auto criteria : {CDBEntrySorter::SORT_BY_NAME, CDBEntrySorter::SORT_BY_LAST_CHANGE, CDBEntrySorter::SORT_BY_SIZE})
        for (bool ascending : {true, false}) {
            CDBEntrySorter sorter;
            sorter.SetSortCriteria(criteria);
            if (sorter.SortAscending() != ascending)
                sorter.SetSortCriteria(criteria);
            const std::vector<DBFileEntry> sorted = sorter.SortElementsForDisplay(entries);
            ASSERT_EQ(sorted.size(), entries.size());
            EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [&](const DBFileEntry& a, const DBFileEntry& b) {
                return CDBEntrySorter::CompareFilesByCriteria(a, b, criteria, ascending);
            })) << criteria << ascending;
            for (const DBFileEntry& entry : sorted)
                ASSERT_EQ(entries.at(entry.first), entry.second);
        }
}

} // namespace
