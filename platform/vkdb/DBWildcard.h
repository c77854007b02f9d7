#pragma once
#include <string>
#include <string_view>

// A file-name pattern of a store search: "*" stands for any run of
// characters (also none), "?" for exactly one; every other byte ("%", "_",
// "[", quotes, ...) stands for itself. Matching is on store keys (upper case),
// so the pattern is folded the same way. "*.*" matches every name, as on
// Windows.
class CDBWildcard {
public:
    explicit CDBWildcard(std::string_view patternKey);

    bool Matches(std::string_view nameKey) const;
    // The bytes before the first wildcard: every match starts with them.
    std::string_view LiteralPrefix() const;

private:
    std::string m_pattern;
};
