#include "vkdb/DBWildcard.h"

CDBWildcard::CDBWildcard(std::string_view patternKey) : m_pattern(patternKey == "*.*" ? "*" : patternKey)
{
}

std::string_view CDBWildcard::LiteralPrefix() const
{
    const std::size_t wildcard = m_pattern.find_first_of("*?");
    return std::string_view(m_pattern).substr(0, wildcard);
}

bool CDBWildcard::Matches(std::string_view name) const
{
    if (m_pattern == "*")
        return true;
    // Greedy match with one backtrack point: the latest "*" absorbs one more
    // character whenever the rest fails. Linear in practice, no recursion.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        // A "*" in the pattern is always a wildcard, also where the name
        // holds a "*" itself.
        if (p < m_pattern.size() && m_pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < m_pattern.size() && (m_pattern[p] == '?' || m_pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < m_pattern.size() && m_pattern[p] == '*')
        ++p;
    return p == m_pattern.size();
}
