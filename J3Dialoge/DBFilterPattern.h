#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// One pattern of a file type filter, such as "*.txt" or "Brief*.doc": '*'
// stands for any run of characters, every other character for itself,
// compared without regard to case.
//
// The answers are those of the regular expression that the filter form
// defines ("*.txt" is "^.*\.txt$", ECMAScript, ignoring case), including its
// corners: case folding is that of the global locale's ctype<char> when the
// pattern is built (the regular expression's own folding), and '*' does not
// run across a line feed or carriage return, as ".*" does not. The pattern
// "*.*" matches every name.
//
// Characters that a regular expression would treat specially but that are no
// wildcard here (+ ( ) [ ] { } ^ $ ? \) match themselves: "*.c++" matches
// "main.c++". A filter text comes from the calling program and must never
// stop the dialog, and a file name cannot hold '?' or '*', so no other
// reading would find more files.
//
// Matching runs the pattern as a bit-parallel automaton (one bit per literal
// character), without recursion and, below 64 literal characters, without
// allocation: a listing of 100,000 names is filtered in a few milliseconds
// and no name length can exhaust the stack.
class CDBFilterPattern {
public:
    explicit CDBFilterPattern(std::string_view pattern);

    bool Matches(std::string_view name) const;

private:
    using Word = std::uint64_t;
    static constexpr std::size_t kWordBits = 64;

    bool m_matchesEverything = false;
    std::size_t m_literalCount = 0;
    std::size_t m_wordCount = 0;
    // For every byte value: the literal positions that accept it.
    std::vector<Word> m_acceptedBy; // 256 * m_wordCount
    // Positions (literal characters matched so far) that a '*' may stay on.
    std::vector<Word> m_starAt; // m_wordCount
};
