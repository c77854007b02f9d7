#include "J3Dialoge/DBFilterPattern.h"

#include <locale>

namespace {

bool IsLineTerminator(unsigned char ch)
{
    return ch == '\n' || ch == '\r';
}

} // namespace

CDBFilterPattern::CDBFilterPattern(std::string_view pattern)
{
    if (pattern == "*.*") {
        m_matchesEverything = true;
        return;
    }
    for (char ch : pattern)
        if (ch != '*')
            ++m_literalCount;
    // States 0..m_literalCount: how many literal characters are matched.
    m_wordCount = m_literalCount / kWordBits + 1;
    m_acceptedBy.assign(256 * m_wordCount, 0);
    m_starAt.assign(m_wordCount, 0);

    const auto& ctype = std::use_facet<std::ctype<char>>(std::locale());
    std::array<char, 256> folded{};
    for (int byte = 0; byte < 256; ++byte)
        folded[byte] = ctype.tolower(static_cast<char>(byte));

    std::size_t state = 0;
    for (char ch : pattern) {
        const Word bit = Word(1) << (state % kWordBits);
        if (ch == '*') {
            m_starAt[state / kWordBits] |= bit;
            continue;
        }
        const char foldedLiteral = folded[static_cast<unsigned char>(ch)];
        for (int byte = 0; byte < 256; ++byte)
            if (folded[byte] == foldedLiteral)
                m_acceptedBy[byte * m_wordCount + state / kWordBits] |= bit;
        ++state;
    }
}

bool CDBFilterPattern::Matches(std::string_view name) const
{
    if (m_matchesEverything)
        return true;
    if (m_wordCount == 1) {
        // The common case, a pattern of fewer than 64 literal characters.
        const Word star = m_starAt[0];
        Word active = 1;
        for (unsigned char ch : name) {
            const Word stay = IsLineTerminator(ch) ? 0 : (active & star);
            active = ((active & m_acceptedBy[ch]) << 1) | stay;
            if (active == 0)
                return false;
        }
        return (active >> m_literalCount) & 1;
    }
    std::vector<Word> active(m_wordCount, 0);
    active[0] = 1;
    for (unsigned char ch : name) {
        Word carry = 0;
        bool any = false;
        for (std::size_t w = 0; w < m_wordCount; ++w) {
            const Word stay = IsLineTerminator(ch) ? 0 : (active[w] & m_starAt[w]);
            const Word advanced = active[w] & m_acceptedBy[ch * m_wordCount + w];
            active[w] = (advanced << 1) | carry | stay;
            carry = advanced >> (kWordBits - 1);
            any = any || active[w] != 0;
        }
        if (!any)
            return false;
    }
    return (active[m_literalCount / kWordBits] >> (m_literalCount % kWordBits)) & 1;
}
