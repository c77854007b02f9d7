// The file type filter against the regular expressions that define it: a
// pattern "*.txt" is "^.*\.txt$" (ECMAScript, ignoring case), and the pairs of
// a filter text are the successive matches of "([^|]+)\|([^|]+)".
#include "FuzzCheck.h"

#include "J3Dialoge/DBFileTypeFilter.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <regex>
#include <string>

namespace {

// The expressions recurse once per character and backtrack once per "*":
// the model sees short texts and few wildcards only.
constexpr std::size_t kLongestModelText = 120;
constexpr std::size_t kLongestModelName = 40;
constexpr std::ptrdiff_t kMostModelStars = 4;

bool ModelMatches(const std::string& pattern, const std::string& name)
{
    if (pattern == "*.*")
        return true;
    std::string expression = "^";
    for (char ch : pattern) {
        if (ch == '*')
            expression += ".*";
        else if (std::string("\\^$.|?+()[]{}").find(ch) != std::string::npos)
            expression += std::string("\\") + ch;
        else
            expression += ch;
    }
    return std::regex_search(name, std::regex(expression + "$", std::regex::ECMAScript | std::regex::icase));
}

std::vector<CDBFileTypeFilter::FilterPair> ModelPairs(const std::string& text)
{
    static const std::regex pair("([^|]+)\\|([^|]+)");
    std::vector<CDBFileTypeFilter::FilterPair> pairs;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pair); it != std::sregex_iterator(); ++it)
        pairs.emplace_back((*it)[1].str(), (*it)[2].str());
    return pairs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(40);
    const std::string name = input.ConsumeRandomLengthString(kLongestModelText);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const bool simplePattern = !pattern.empty() && pattern.find_first_of("\0;|", 0, 3) == std::string::npos &&
                               pattern.find_first_not_of(' ') == 0 && pattern.back() != ' ';
    const bool modelIsQuick = std::count(pattern.begin(), pattern.end(), '*') <= kMostModelStars &&
                              name.size() <= kLongestModelName;
    if (simplePattern && modelIsQuick && name.find('\0') == std::string::npos) {
        const std::string filterText = "Typ|" + pattern;
        const char* textPointer = filterText.c_str();
        const CDBFileTypeFilter filter(&textPointer);
        FuzzCheck(filter.FileMatchesAnyFilter(std::string_view(name)) == ModelMatches(pattern, name),
                  "a pattern matches the names its expression matches");
    }

    const char* textPointer = text.c_str();
    const CDBFileTypeFilter filter(&textPointer);
    const auto pairs = filter.ParseOFNFilters();
    if (text.size() <= kLongestModelText && text.find('\0') == std::string::npos)
        FuzzCheck(pairs == ModelPairs(text), "the pairs are those of the pair expression");
    if (pairs.empty())
        FuzzCheck(!filter.FileMatchesAnyFilter(std::string_view(name)), "without a pair no file passes");
    filter.JoinedPatternLists();
    return 0;
}
