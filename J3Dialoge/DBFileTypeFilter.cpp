#include "J3Dialoge/DBFileTypeFilter.h"

#include <algorithm>
#include <cstring>

CDBFileTypeFilter::CDBFileTypeFilter(const char* const* filterText) : m_filterText(filterText)
{
}

// Same pairs as searching the text again and again for "([^|]+)\|([^|]+)";
// done by hand because the expression engine recurses once per character and
// a long filter text would overflow the stack.
std::vector<CDBFileTypeFilter::FilterPair> CDBFileTypeFilter::ParseFilterText(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        pieces.push_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::vector<FilterPair> pairs;
    for (std::size_t i = 0; i + 1 < pieces.size();) {
        if (!pieces[i].empty() && !pieces[i + 1].empty()) {
            pairs.emplace_back(std::string(pieces[i]), std::string(pieces[i + 1]));
            i += 2;
        } else {
            ++i;
        }
    }
    return pairs;
}

std::vector<std::string_view> CDBFileTypeFilter::SplitPatternList(std::string_view list)
{
    std::vector<std::string_view> patterns;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = list.find(';', start);
        std::string_view piece =
            list.substr(start, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - start);
        const std::size_t first = piece.find_first_not_of(' ');
        if (first != std::string_view::npos) {
            piece = piece.substr(first, piece.find_last_not_of(' ') - first + 1);
            patterns.push_back(piece);
        }
        if (semicolon == std::string_view::npos)
            break;
        start = semicolon + 1;
    }
    return patterns;
}

void CDBFileTypeFilter::RefreshIfTextChanged() const
{
    const char* text = (m_filterText && *m_filterText) ? *m_filterText : "";
    if (m_parsed && m_parsedText == text)
        return;
    m_parsedText = text;
    m_parsed = true;
    m_pairs = IsTextTooLong() ? std::vector<FilterPair>() : ParseFilterText(m_parsedText);
    m_patternsPerPair.clear();
    for (const FilterPair& pair : m_pairs) {
        std::vector<CDBFilterPattern> patterns;
        for (std::string_view pattern : SplitPatternList(pair.second))
            patterns.emplace_back(pattern);
        m_patternsPerPair.push_back(std::move(patterns));
    }
}

bool CDBFileTypeFilter::IsTextTooLong() const
{
    const char* text = (m_filterText && *m_filterText) ? *m_filterText : "";
    return std::strlen(text) > MaxTextLength;
}

std::vector<CDBFileTypeFilter::FilterPair> CDBFileTypeFilter::ParseOFNFilters() const
{
    RefreshIfTextChanged();
    return m_pairs;
}

bool CDBFileTypeFilter::FileMatchesAnyFilter(const winpath::path& name) const
{
    return FileMatchesAnyFilter(std::string_view(name.string()));
}

bool CDBFileTypeFilter::FileMatchesAnyFilter(std::string_view name) const
{
    RefreshIfTextChanged();
    for (const auto& patterns : m_patternsPerPair)
        if (std::any_of(patterns.begin(), patterns.end(),
                        [name](const CDBFilterPattern& pattern) { return pattern.Matches(name); }))
            return true;
    return false;
}

std::string CDBFileTypeFilter::JoinedPatternLists() const
{
    RefreshIfTextChanged();
    std::string joined;
    for (const FilterPair& pair : m_pairs) {
        if (!joined.empty())
            joined += ',';
        joined += pair.second;
    }
    return joined;
}
