#include "winpath/Path.h"

#include "winpath/AnsiCodePage.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

namespace winpath {

namespace {

using View = std::wstring_view;

constexpr wchar_t kGenericSeparator = L'/';
constexpr View kSeparators = L"\\/";
constexpr View kDot = L".";
constexpr View kDotDot = L"..";

bool isSeparator(wchar_t c) noexcept
{
    return c == path::preferred_separator || c == kGenericSeparator;
}

bool isAsciiLetter(wchar_t c) noexcept
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

std::size_t findSeparator(View text, std::size_t from) noexcept
{
    const std::size_t found = text.find_first_of(kSeparators, from);
    return found == View::npos ? text.size() : found;
}

std::size_t skipSeparators(View text, std::size_t from) noexcept
{
    while (from < text.size() && isSeparator(text[from]))
        ++from;
    return from;
}

bool isDevicePrefix(View text) noexcept
{
    // "\\?\", "\\.\" and "\??\", followed by a name rather than another separator.
    if (text.size() < 4 || !isSeparator(text[3]) || (text.size() > 4 && isSeparator(text[4])))
        return false;
    const bool slashQuestionOrDot = isSeparator(text[1]) && (text[2] == L'?' || text[2] == L'.');
    const bool doubleQuestion = text[1] == L'?' && text[2] == L'?';
    return slashQuestionOrDot || doubleQuestion;
}

// Only the first characters are looked at, and a network name is scanned up
// to its end: no allocation, since comparison calls this for every key.
std::size_t rootNameEnd(View text) noexcept
{
    if (text.size() < 2)
        return 0;
    if (isAsciiLetter(text[0]) && text[1] == L':')
        return 2;
    if (!isSeparator(text[0]))
        return 0;
    if (isDevicePrefix(text))
        return 3;
    if (text.size() >= 3 && isSeparator(text[1]) && !isSeparator(text[2]))
        return findSeparator(text, 3);
    return 0;
}

bool hasRootDirectoryAt(View text, std::size_t rootEnd) noexcept
{
    return rootEnd < text.size() && isSeparator(text[rootEnd]);
}

std::size_t relativeStart(View text) noexcept
{
    return skipSeparators(text, rootNameEnd(text));
}

View rootNameOf(View text) noexcept
{
    return text.substr(0, rootNameEnd(text));
}

View rootDirectoryOf(View text) noexcept
{
    const std::size_t rootEnd = rootNameEnd(text);
    return hasRootDirectoryAt(text, rootEnd) ? text.substr(rootEnd, 1) : View();
}

std::size_t filenameStart(View text) noexcept
{
    const std::size_t relative = relativeStart(text);
    std::size_t start = text.size();
    while (start > relative && !isSeparator(text[start - 1]))
        --start;
    return start;
}

View filenameOf(View text) noexcept
{
    return text.substr(filenameStart(text));
}

// Offset of the extension's dot in a file name, or its size when it has none;
// "." and ".." and names that only start with a dot have no extension.
std::size_t extensionOffset(View name) noexcept
{
    if (name == kDot || name == kDotDot)
        return name.size();
    const std::size_t dot = name.rfind(L'.');
    return dot == View::npos || dot == 0 ? name.size() : dot;
}

View parentPathOf(View text) noexcept
{
    const std::size_t relative = relativeStart(text);
    std::size_t end = text.size();
    while (end > relative && !isSeparator(text[end - 1]))
        --end;
    while (end > relative && isSeparator(text[end - 1]))
        --end;
    return text.substr(0, end);
}

// Relative elements are addressed by the offset of their first character; the
// empty element after a trailing separator sits on the last separator.
View relativeElementAt(View text, std::size_t position) noexcept
{
    if (isSeparator(text[position]))
        return {};
    return text.substr(position, findSeparator(text, position) - position);
}

std::size_t nextRelativePosition(View text, std::size_t position) noexcept
{
    if (isSeparator(text[position]))
        return text.size();
    const std::size_t elementEnd = findSeparator(text, position);
    if (elementEnd == text.size())
        return text.size();
    const std::size_t next = skipSeparators(text, elementEnd);
    return next == text.size() ? text.size() - 1 : next;
}

View elementAt(View text, std::size_t position) noexcept
{
    const std::size_t rootEnd = rootNameEnd(text);
    if (position == 0 && rootEnd > 0)
        return text.substr(0, rootEnd);
    if (position == rootEnd && hasRootDirectoryAt(text, rootEnd))
        return text.substr(position, 1);
    return relativeElementAt(text, position);
}

wchar_t preferredForm(wchar_t c) noexcept
{
    return c == kGenericSeparator ? path::preferred_separator : c;
}

int compareRootNames(View lhs, View rhs) noexcept
{
    const std::size_t common = std::min(lhs.size(), rhs.size());
    for (std::size_t i = 0; i < common; ++i) {
        const wchar_t a = preferredForm(lhs[i]);
        const wchar_t b = preferredForm(rhs[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (lhs.size() == rhs.size())
        return 0;
    return lhs.size() < rhs.size() ? -1 : 1;
}

// The relative parts are read as one stream of tokens: a character, a run
// of separators (sorting below every character, since it ends an element), or
// the end (sorting below a separator, since it ends the element list). Walking
// that stream once is the same as comparing element by element, without
// finding element bounds first.
long relativeToken(View text, std::size_t position) noexcept
{
    constexpr long kEnd = -2;
    constexpr long kSeparatorRun = -1;
    if (position == text.size())
        return kEnd;
    return isSeparator(text[position]) ? kSeparatorRun : static_cast<long>(static_cast<std::uint32_t>(text[position]));
}

int compareTexts(View lhs, View rhs) noexcept
{
    const std::size_t lhsRootEnd = rootNameEnd(lhs);
    const std::size_t rhsRootEnd = rootNameEnd(rhs);
    if (const int byRootName = compareRootNames(lhs.substr(0, lhsRootEnd), rhs.substr(0, rhsRootEnd)))
        return byRootName;
    const bool lhsHasRootDir = hasRootDirectoryAt(lhs, lhsRootEnd);
    if (lhsHasRootDir != hasRootDirectoryAt(rhs, rhsRootEnd))
        return lhsHasRootDir ? 1 : -1;
    std::size_t i = skipSeparators(lhs, lhsRootEnd);
    std::size_t j = skipSeparators(rhs, rhsRootEnd);
    while (true) {
        const long lhsToken = relativeToken(lhs, i);
        const long rhsToken = relativeToken(rhs, j);
        if (lhsToken != rhsToken)
            return lhsToken < rhsToken ? -1 : 1;
        if (i == lhs.size())
            return 0;
        if (isSeparator(lhs[i])) {
            i = skipSeparators(lhs, i);
            j = skipSeparators(rhs, j);
        } else {
            ++i;
            ++j;
        }
    }
}

// FNV-1a over the same parts that compareTexts() looks at.
class ElementHash {
public:
    void add(std::size_t value) noexcept
    {
        m_value ^= value;
        m_value *= kPrime;
    }
    void addText(View text) noexcept
    {
        add(text.size());
        for (const wchar_t c : text)
            add(static_cast<std::size_t>(preferredForm(c)));
    }
    std::size_t value() const noexcept { return m_value; }

private:
    static constexpr std::size_t kPrime = 1099511628211ULL;
    std::size_t m_value = 14695981039346656037ULL;
};

bool looksLikeRootName(View element) noexcept
{
    return rootNameEnd(element) > 0;
}

} // namespace

path::path(string_type&& source) noexcept : m_text(std::move(source))
{
}
path::path(const string_type& source) : m_text(source)
{
}
path::path(std::wstring_view source) : m_text(source)
{
}
path::path(const wchar_t* source) : m_text(source)
{
}
path::path(const std::string& source) : m_text(AnsiToWide(source))
{
}
path::path(std::string_view source) : m_text(AnsiToWide(source))
{
}
path::path(const char* source) : m_text(AnsiToWide(source))
{
}

path& path::assign(string_type source)
{
    m_text = std::move(source);
    return *this;
}

path& path::operator/=(const path& p)
{
    if (this == &p)
        return *this /= path(p);
    if (p.is_absolute() || (p.has_root_name() && compareRootNames(rootNameOf(p.m_text), rootNameOf(m_text)) != 0)) {
        m_text = p.m_text;
        return *this;
    }
    if (p.has_root_directory())
        m_text.erase(rootNameEnd(m_text));
    else if (has_filename() || (!has_root_directory() && is_absolute()))
        m_text += preferred_separator;
    m_text.append(p.m_text, rootNameEnd(p.m_text));
    return *this;
}

path operator/(const path& lhs, const path& rhs)
{
    path joined(lhs);
    joined /= rhs;
    return joined;
}

path& path::operator+=(const path& p)
{
    m_text += p.m_text;
    return *this;
}

path& path::operator+=(const string_type& text)
{
    m_text += text;
    return *this;
}

path& path::operator+=(std::wstring_view text)
{
    m_text += text;
    return *this;
}

path& path::operator+=(const wchar_t* text)
{
    m_text += text;
    return *this;
}

path& path::operator+=(wchar_t c)
{
    m_text += c;
    return *this;
}

void path::clear() noexcept
{
    m_text.clear();
}

path& path::make_preferred()
{
    std::replace(m_text.begin(), m_text.end(), kGenericSeparator, preferred_separator);
    return *this;
}

path& path::remove_filename()
{
    m_text.erase(filenameStart(m_text));
    return *this;
}

path& path::replace_filename(const path& replacement)
{
    if (this == &replacement)
        return replace_filename(path(replacement));
    remove_filename();
    return *this /= replacement;
}

path& path::replace_extension(const path& replacement)
{
    if (this == &replacement)
        return replace_extension(path(replacement));
    const std::size_t nameStart = filenameStart(m_text);
    m_text.erase(nameStart + extensionOffset(View(m_text).substr(nameStart)));
    if (!replacement.empty() && replacement.m_text.front() != L'.')
        m_text += L'.';
    m_text += replacement.m_text;
    return *this;
}

void path::swap(path& other) noexcept
{
    m_text.swap(other.m_text);
}

std::string path::string() const
{
    return WideToAnsi(m_text);
}

std::wstring path::generic_wstring() const
{
    std::wstring generic = m_text;
    std::replace(generic.begin(), generic.end(), preferred_separator, kGenericSeparator);
    return generic;
}

std::string path::generic_string() const
{
    return WideToAnsi(generic_wstring());
}

int path::compare(const path& p) const noexcept
{
    return compareTexts(m_text, p.m_text);
}

int path::compare(const string_type& text) const noexcept
{
    return compareTexts(m_text, text);
}

int path::compare(std::wstring_view text) const noexcept
{
    return compareTexts(m_text, text);
}

int path::compare(const wchar_t* text) const noexcept
{
    return compareTexts(m_text, text);
}

path path::root_name() const
{
    return path(rootNameOf(m_text));
}

path path::root_directory() const
{
    return path(rootDirectoryOf(m_text));
}

path path::root_path() const
{
    return path(View(m_text).substr(0, rootNameEnd(m_text) + rootDirectoryOf(m_text).size()));
}

path path::relative_path() const
{
    return path(View(m_text).substr(relativeStart(m_text)));
}

path path::parent_path() const
{
    return path(parentPathOf(m_text));
}

path path::filename() const
{
    return path(filenameOf(m_text));
}

path path::stem() const
{
    const View name = filenameOf(m_text);
    return path(name.substr(0, extensionOffset(name)));
}

path path::extension() const
{
    const View name = filenameOf(m_text);
    return path(name.substr(extensionOffset(name)));
}

bool path::has_root_name() const noexcept
{
    return rootNameEnd(m_text) > 0;
}

bool path::has_root_directory() const noexcept
{
    return hasRootDirectoryAt(m_text, rootNameEnd(m_text));
}

bool path::has_root_path() const noexcept
{
    return has_root_name() || has_root_directory();
}

bool path::has_relative_path() const noexcept
{
    return relativeStart(m_text) < m_text.size();
}

bool path::has_parent_path() const noexcept
{
    return !parentPathOf(m_text).empty();
}

bool path::has_filename() const noexcept
{
    return filenameStart(m_text) < m_text.size();
}

bool path::has_stem() const noexcept
{
    return extensionOffset(filenameOf(m_text)) > 0;
}

bool path::has_extension() const noexcept
{
    const View name = filenameOf(m_text);
    return extensionOffset(name) < name.size();
}

bool path::is_absolute() const noexcept
{
    // A drive needs its root directory ("C:x" is relative to the drive's
    // current directory); a network or device root name is absolute alone.
    if (m_text.size() >= 2 && isAsciiLetter(m_text[0]) && m_text[1] == L':')
        return has_root_directory();
    return has_root_name();
}

path path::lexically_normal() const
{
    if (empty())
        return {};
    std::vector<View> names;
    bool endsWithSeparator = false;
    const bool rooted = has_root_directory();
    for (std::size_t position = relativeStart(m_text); position < m_text.size();
         position = nextRelativePosition(m_text, position)) {
        const View element = relativeElementAt(m_text, position);
        if (element.empty() || element == kDot) {
            endsWithSeparator = true;
        } else if (element == kDotDot) {
            if (!names.empty() && names.back() != kDotDot) {
                names.pop_back();
                endsWithSeparator = true;
            } else if (!rooted) {
                names.push_back(element);
                endsWithSeparator = false;
            }
        } else {
            names.push_back(element);
            endsWithSeparator = false;
        }
    }

    path normal(rootNameOf(m_text));
    normal.make_preferred();
    if (rooted)
        normal.m_text += preferred_separator;
    // A relative path whose first name reads like a drive ("C:x") keeps a
    // leading ".\": without it the name would become a root name, and the
    // result would name another place and normalise differently again.
    if (normal.empty() && !names.empty() && looksLikeRootName(names.front())) {
        normal.m_text = kDot;
        normal.m_text += preferred_separator;
    }
    // Likewise "\??\" would read as a device prefix: a rooted path whose
    // first directory is "??" keeps a "." before it.
    const bool trailingSeparator = endsWithSeparator && !names.empty() && names.back() != kDotDot;
    if (normal.native() == L"\\" && !names.empty() && names.front() == L"??" &&
        (names.size() > 1 || trailingSeparator)) {
        normal.m_text += kDot;
        normal.m_text += preferred_separator;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            normal.m_text += preferred_separator;
        normal.m_text += names[i];
    }
    // A trailing ".." never keeps its separator.
    if (trailingSeparator)
        normal.m_text += preferred_separator;
    if (normal.empty())
        normal.m_text = kDot;
    return normal;
}

path path::lexically_relative(const path& base) const
{
    if (compareRootNames(rootNameOf(m_text), rootNameOf(base.m_text)) != 0 || is_absolute() != base.is_absolute() ||
        (!has_root_directory() && base.has_root_directory()))
        return {};
    for (const path* side : {this, &base}) {
        for (std::size_t position = relativeStart(side->m_text); position < side->m_text.size();
             position = nextRelativePosition(side->m_text, position)) {
            if (looksLikeRootName(relativeElementAt(side->m_text, position)))
                return {};
        }
    }

    auto [mine, theirs] = std::mismatch(begin(), end(), base.begin(), base.end());
    if (mine == end() && theirs == base.end())
        return path(kDot);
    long levelsUp = 0;
    for (; theirs != base.end(); ++theirs) {
        const View name = theirs->native();
        if (name == kDotDot)
            --levelsUp;
        else if (!name.empty() && name != kDot)
            ++levelsUp;
    }
    if (levelsUp < 0)
        return {};
    if (levelsUp == 0 && (mine == end() || mine->empty()))
        return path(kDot);
    path relative;
    for (long i = 0; i < levelsUp; ++i)
        relative /= path(kDotDot);
    for (; mine != end(); ++mine)
        relative /= *mine;
    return relative;
}

path path::lexically_proximate(const path& base) const
{
    path relative = lexically_relative(base);
    return relative.empty() ? *this : relative;
}

path::iterator path::begin() const
{
    return iterator(this, 0);
}

path::iterator path::end() const
{
    return iterator(this, m_text.size());
}

path::iterator::iterator(const path* owner, std::size_t position) : m_owner(owner), m_position(position)
{
    loadElement();
}

void path::iterator::loadElement()
{
    const View text = m_owner->m_text;
    if (m_position >= text.size())
        m_element.clear();
    else
        m_element.m_text = elementAt(text, m_position);
}

path::iterator& path::iterator::operator++()
{
    const View text = m_owner->m_text;
    const std::size_t rootEnd = rootNameEnd(text);
    const bool hasRootDirectory = hasRootDirectoryAt(text, rootEnd);
    if (m_position == 0 && rootEnd > 0)
        m_position = hasRootDirectory ? rootEnd : skipSeparators(text, rootEnd);
    else if (m_position == rootEnd && hasRootDirectory)
        m_position = skipSeparators(text, rootEnd);
    else
        m_position = nextRelativePosition(text, m_position);
    loadElement();
    return *this;
}

path::iterator path::iterator::operator++(int)
{
    iterator previous = *this;
    ++*this;
    return previous;
}

path::iterator& path::iterator::operator--()
{
    const View text = m_owner->m_text;
    const std::size_t rootEnd = rootNameEnd(text);
    const bool hasRootDirectory = hasRootDirectoryAt(text, rootEnd);
    const std::size_t relative = skipSeparators(text, rootEnd);
    const std::size_t rootDirectoryOrName = hasRootDirectory ? rootEnd : 0;
    if (m_position == text.size() && relative < text.size() && isSeparator(text.back())) {
        m_position = text.size() - 1; // the empty element after a trailing separator
    } else if (m_position == relative || (m_position == text.size() && relative == text.size())) {
        m_position = rootDirectoryOrName;
    } else if (m_position == rootEnd && hasRootDirectory) {
        m_position = 0;
    } else {
        // Back over the separators before this element, then over the previous name.
        std::size_t start = m_position;
        while (start > relative && isSeparator(text[start - 1]))
            --start;
        while (start > relative && !isSeparator(text[start - 1]))
            --start;
        m_position = start;
    }
    loadElement();
    return *this;
}

path::iterator path::iterator::operator--(int)
{
    iterator previous = *this;
    --*this;
    return previous;
}

void swap(path& lhs, path& rhs) noexcept
{
    lhs.swap(rhs);
}

std::size_t hash_value(const path& p) noexcept
{
    const View text = p.native();
    ElementHash hash;
    const std::size_t rootEnd = rootNameEnd(text);
    hash.addText(text.substr(0, rootEnd));
    hash.add(hasRootDirectoryAt(text, rootEnd) ? 1 : 0);
    for (std::size_t position = skipSeparators(text, rootEnd); position < text.size();
         position = nextRelativePosition(text, position))
        hash.addText(relativeElementAt(text, position));
    return hash.value();
}

std::ostream& operator<<(std::ostream& out, const path& p)
{
    return out << p.string();
}

std::wostream& operator<<(std::wostream& out, const path& p)
{
    return out << p.native();
}

} // namespace winpath
