// The file store's path texts and wildcard. The wildcard is compared against
// a brute-force matcher; new-file paths against the path type and the name
// rules, which judge the same question by other means.
#include "FuzzCheck.h"

#include "vkdb/DBStorePath.h"
#include "vkdb/DBWildcard.h"
#include "winpath/Path.h"
#include "winpath/WindowsNameRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// "*" any run, "?" one character, everything else itself; "*.*" is "*".
bool ModelMatches(std::string_view pattern, std::string_view name)
{
    if (pattern == "*.*")
        pattern = "*";
    // matches[j]: the pattern read so far matches the first j characters.
    std::vector<bool> matches(name.size() + 1, false);
    matches[0] = true;
    for (char p : pattern) {
        std::vector<bool> next(name.size() + 1, false);
        for (std::size_t j = 0; j <= name.size(); ++j) {
            if (p == '*')
                next[j] = matches[j] || (j > 0 && next[j - 1]);
            else
                next[j] = j > 0 && matches[j - 1] && (p == '?' || p == name[j - 1]);
        }
        matches = std::move(next);
    }
    return matches[name.size()];
}

bool ModelNewFile(const std::string& normalized)
{
    const winpath::path path(normalized);
    const bool controls = std::any_of(normalized.begin(), normalized.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    const bool longName = std::any_of(path.begin(), path.end(), [](const winpath::path& element) {
        return element.native().size() > CDBStorePath::MaxNameLength;
    });
    return path.is_absolute() && path.has_filename() && !controls && !longName &&
           normalized.size() <= CDBStorePath::MaxPathLength && path.lexically_normal().native() == path.native() &&
           !CWindowsNameRules::HasInvalidPathComponent(path) && path.root_name().native().size() == 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string pattern = input.ConsumeRandomLengthString(64);
    const std::string name = input.ConsumeRandomLengthString(256);
    const std::string path = input.ConsumeRemainingBytesAsString();

    const std::string patternKey = CDBStorePath::Key(pattern);
    const std::string nameKey = CDBStorePath::Key(name);
    const CDBWildcard wildcard(patternKey);
    const bool matches = wildcard.Matches(nameKey);
    FuzzCheck(matches == ModelMatches(patternKey, nameKey), "the wildcard matches as the brute-force matcher");
    FuzzCheck(!matches || nameKey.starts_with(wildcard.LiteralPrefix()), "every match starts with the literal prefix");

    const std::string normalized = CDBStorePath::Normalize(path);
    FuzzCheck(CDBStorePath::Normalize(normalized) == normalized, "normalising twice changes nothing");
    FuzzCheck(CDBStorePath::Key(normalized).size() == normalized.size(), "a key lines up with its path");
    FuzzCheck(CDBStorePath::NewFileFault(normalized).empty() == ModelNewFile(normalized),
              "a new file's path is accepted exactly when the path type and the name rules accept it");
    const std::string end = CDBStorePath::PrefixEnd(nameKey);
    FuzzCheck(end.empty() || nameKey < end, "the prefix end lies above the prefix");
    return 0;
}
