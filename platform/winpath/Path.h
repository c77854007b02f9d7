#pragma once
#include <compare>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <iterator>
#include <string>
#include <string_view>

namespace winpath {

// A file-system path with the Windows grammar, usable on any host: the
// counterpart of std::filesystem::path as it behaves on Windows (wide text,
// preferred separator '\', both '\' and '/' separate, drive and network root
// names). std::filesystem on Linux parses with POSIX grammar, so paths of the
// practice's file store ("C:\P\Data\x.txt") need this type.
//
// Grammar of the root name, checked on the first characters only:
//   "X:"            a drive, X an ASCII letter ("prn:" is a plain file name);
//   "\\?" "\\." "\??"  the device prefixes, when followed by exactly one
//                   separator: "\\?\C:\x" has the root name "\\?" and the root
//                   directory "\";
//   "\\server"      a network name: two separators, then anything up to the
//                   next separator ("\\\x" has no root name).
// The root directory is the first separator after the root name; further
// separators of the same run belong to nothing and are skipped like every run.
//
// Choices where the standard leaves room or Windows differs:
// - compare(), ==, <=> and hash_value() treat '\' and '/' as equal everywhere,
//   root names included, and are case-sensitive ("C:\a" != "c:\a").
// - Text is never decoded as alternate data streams ("a.txt:s" has the
//   extension ".txt:s").
// - 8-bit text is always Windows-1252 (see AnsiCodePage.h); there is no
//   format argument and no UTF-8 interface.
// - operator<< writes the plain 8-bit text, not the quoted form of the
//   standard, since logs and messages show paths as users type them.
class path {
public:
    using value_type = wchar_t;
    using string_type = std::wstring;
    static constexpr value_type preferred_separator = L'\\';

    class iterator;
    using const_iterator = iterator;

    path() noexcept = default;
    path(const path&) = default;
    path(path&&) noexcept = default;
    path(string_type&& source) noexcept;
    path(const string_type& source);
    path(std::wstring_view source);
    path(const wchar_t* source);
    // 8-bit text is converted through the ANSI code page (Windows-1252).
    path(const std::string& source);
    path(std::string_view source);
    path(const char* source);
    ~path() = default;

    path& operator=(const path&) = default;
    path& operator=(path&&) noexcept = default;
    path& assign(string_type source);

    // Joins with the Windows root-name rules: an absolute argument or one
    // with another root name replaces the path ("C:\d" / "a:b" is "a:b");
    // an argument with a root directory keeps only the root name
    // ("C:\d" / "\x" is "C:\x"); otherwise a separator is added when needed and
    // the argument's text without its root name is appended
    // ("C:\d" / "C:x" is "C:\d\x").
    path& operator/=(const path& p);
    path& append(const path& p) { return *this /= p; }
    friend path operator/(const path& lhs, const path& rhs);

    // Plain text append, no separator added.
    path& operator+=(const path& p);
    path& operator+=(const string_type& text);
    path& operator+=(std::wstring_view text);
    path& operator+=(const wchar_t* text);
    path& operator+=(wchar_t c);
    path& concat(const path& p) { return *this += p; }

    void clear() noexcept;
    path& make_preferred(); // every '/' becomes '\'
    path& remove_filename();
    path& replace_filename(const path& replacement);
    path& replace_extension(const path& replacement = path());
    void swap(path& other) noexcept;

    const string_type& native() const noexcept { return m_text; }
    const value_type* c_str() const noexcept { return m_text.c_str(); }
    operator string_type() const { return m_text; }
    std::wstring wstring() const { return m_text; }
    std::string string() const;           // 8-bit, through the ANSI code page
    std::wstring generic_wstring() const; // every '\' becomes '/'
    std::string generic_string() const;

    // Element by element: root names first (text, '\' == '/'), then a path
    // without root directory before one with it, then the file names of the
    // relative paths lexicographically. Never allocates.
    int compare(const path& p) const noexcept;
    int compare(const string_type& text) const noexcept;
    int compare(std::wstring_view text) const noexcept;
    int compare(const wchar_t* text) const noexcept;

    path root_name() const;
    path root_directory() const;
    path root_path() const;
    path relative_path() const;
    path parent_path() const;
    path filename() const;
    path stem() const;
    path extension() const;

    [[nodiscard]] bool empty() const noexcept { return m_text.empty(); }
    bool has_root_name() const noexcept;
    bool has_root_directory() const noexcept;
    bool has_root_path() const noexcept;
    bool has_relative_path() const noexcept;
    bool has_parent_path() const noexcept;
    bool has_filename() const noexcept;
    bool has_stem() const noexcept;
    bool has_extension() const noexcept;
    // "C:\x" and "\\server\share" are absolute; "C:x" and "\x" are not.
    bool is_absolute() const noexcept;
    bool is_relative() const noexcept { return !is_absolute(); }

    path lexically_normal() const;
    path lexically_relative(const path& base) const;
    path lexically_proximate(const path& base) const;

    // Elements: the root name, the root directory (as written, '\' or '/'),
    // each file name, and an empty last element after a trailing separator.
    iterator begin() const;
    iterator end() const;

    friend bool operator==(const path& lhs, const path& rhs) noexcept { return lhs.compare(rhs) == 0; }
    friend std::strong_ordering operator<=>(const path& lhs, const path& rhs) noexcept
    {
        return lhs.compare(rhs) <=> 0;
    }

private:
    string_type m_text;
};

// A bidirectional iterator over the elements of a path; it refers to the
// path it came from, which must outlive it and stay unchanged.
class path::iterator {
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = path;
    using difference_type = std::ptrdiff_t;
    using pointer = const path*;
    using reference = const path&;

    iterator() = default;

    reference operator*() const noexcept { return m_element; }
    pointer operator->() const noexcept { return &m_element; }
    iterator& operator++();
    iterator operator++(int);
    iterator& operator--();
    iterator operator--(int);

    friend bool operator==(const iterator& lhs, const iterator& rhs) noexcept
    {
        return lhs.m_owner == rhs.m_owner && lhs.m_position == rhs.m_position;
    }

private:
    friend class path;
    iterator(const path* owner, std::size_t position);
    void loadElement();

    const path* m_owner = nullptr;
    std::size_t m_position = 0; // offset of the element in the owner's text
    path m_element;
};

void swap(path& lhs, path& rhs) noexcept;
// Equal paths (compare() == 0) give equal values.
std::size_t hash_value(const path& p) noexcept;
std::ostream& operator<<(std::ostream& out, const path& p);
std::wostream& operator<<(std::wostream& out, const path& p);

} // namespace winpath

template <> struct std::hash<winpath::path> {
    std::size_t operator()(const winpath::path& p) const noexcept { return winpath::hash_value(p); }
};
