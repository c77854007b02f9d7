#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "J3Dialoge/DBFilterPattern.h"
#include "winpath/Path.h"

// The file types that the file dialog offers, given by a filter text of the
// framework's form: description and pattern list alternating, separated by
// '|' ("Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*||"). A file passes
// when any pattern of any pair matches its name; with no pair no file passes.
//
// The filter reads the text through a pointer to the caller's text pointer
// (the dialog's record field), so that a changed filter text counts from the
// next question on. The parsed patterns are kept until the text changes: a
// listing asks once per file, and parsing anew each time would cost more than
// the listing itself.
class CDBFileTypeFilter {
public:
    using FilterPair = std::pair<std::string, std::string>; // description, pattern list

    // `filterText` points to the pointer that holds the text; either may be
    // null (no filter text: no pair).
    explicit CDBFileTypeFilter(const char* const* filterText);

    // Longer filter texts are refused and give no pair: every pattern costs
    // some kilobytes, and a caller's text must not exhaust the memory.
    static constexpr std::size_t MaxTextLength = 32767;
    bool IsTextTooLong() const;

    // The description/pattern-list pairs in text order. Pairs are formed by
    // two neighbouring non-empty pieces; an empty piece ends a pair attempt,
    // so the closing "||" and a trailing description yield nothing and
    // "A||B|b" yields only ("B", "b").
    std::vector<FilterPair> ParseOFNFilters() const;

    // True when the 8-bit text of `name` matches some pattern.
    bool FileMatchesAnyFilter(const winpath::path& name) const;
    bool FileMatchesAnyFilter(std::string_view name) const;

    // The pattern lists of all pairs in filter order, joined with "," (for the
    // message that refuses a file type).
    std::string JoinedPatternLists() const;

private:
    static std::vector<FilterPair> ParseFilterText(std::string_view text);
    // Splits a pattern list at ';' and trims blanks; empty pieces are dropped.
    static std::vector<std::string_view> SplitPatternList(std::string_view list);
    void RefreshIfTextChanged() const;

    const char* const* m_filterText;
    // Cache of the last text seen, built again when the text differs.
    mutable std::string m_parsedText;
    mutable bool m_parsed = false;
    mutable std::vector<FilterPair> m_pairs;
    mutable std::vector<std::vector<CDBFilterPattern>> m_patternsPerPair;
};
