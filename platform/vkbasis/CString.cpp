#include "vkbasis/CString.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

using CaseTable = std::array<unsigned char, 256>;

// Upper/lower partners of Windows-1252. Beyond ASCII, the block 0xC0-0xDE
// pairs with 0xE0-0xFE except the multiplication and division signs
// (0xD7/0xF7); Š Œ Ž Ÿ sit in the 0x80 block, Ÿ's partner ÿ at 0xFF.
constexpr CaseTable BuildLowerTable()
{
    CaseTable table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 0x20);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            table[c] = static_cast<unsigned char>(c + 0x20);
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}

constexpr CaseTable BuildUpperTable(const CaseTable& lower)
{
    CaseTable table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 256; ++i)
        if (lower[i] != i)
            table[lower[i]] = static_cast<unsigned char>(i);
    return table;
}

constexpr CaseTable kLower = BuildLowerTable();
constexpr CaseTable kUpper = BuildUpperTable(kLower);

char ToLower1252(char ch)
{
    return static_cast<char>(kLower[static_cast<unsigned char>(ch)]);
}

char ToUpper1252(char ch)
{
    return static_cast<char>(kUpper[static_cast<unsigned char>(ch)]);
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

bool IsCWhiteSpace(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

auto IsChar(char wanted)
{
    return [wanted](char ch) { return ch == wanted; };
}

auto IsOneOf(const char* charSet)
{
    return [set = std::string_view(OrEmpty(charSet))](char ch) { return set.find(ch) != std::string_view::npos; };
}

} // namespace

CString::CString(const char* text) : m_text(OrEmpty(text))
{
}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(const std::string& text) : m_text(text)
{
}

CString::CString(std::string_view text) : m_text(text)
{
}

CString::CString(char ch, int repeat) : m_text(static_cast<std::size_t>(std::max(repeat, 0)), ch)
{
}

CString& CString::operator=(const char* text)
{
    m_text = OrEmpty(text);
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return '\0';
    return m_text[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength())
        m_text[static_cast<std::size_t>(index)] = ch;
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const int start = std::clamp(first, 0, GetLength());
    const int taken = std::clamp(count, 0, GetLength() - start);
    return CString(m_text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(taken)));
}

CString CString::Right(int count) const
{
    const int taken = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - taken, taken);
}

int CString::Find(char ch, int start) const
{
    if (start > GetLength())
        return -1;
    const auto found = m_text.find(ch, static_cast<std::size_t>(std::max(start, 0)));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::Find(const char* text, int start) const
{
    if (start > GetLength())
        return -1;
    const auto found = m_text.find(OrEmpty(text), static_cast<std::size_t>(std::max(start, 0)));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(char ch) const
{
    const auto found = m_text.rfind(ch);
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::FindOneOf(const char* charSet) const
{
    const auto found = m_text.find_first_of(OrEmpty(charSet));
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (char& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    const std::string_view from = OrEmpty(oldText);
    const std::string_view to = OrEmpty(newText);
    if (from.empty())
        return 0;
    int count = 0;
    std::string result;
    std::size_t pos = 0;
    for (auto found = m_text.find(from); found != std::string::npos; found = m_text.find(from, pos)) {
        result.append(m_text, pos, found - pos).append(to);
        pos = found + from.size();
        ++count;
    }
    result.append(m_text, pos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(char ch)
{
    const auto before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch)
{
    m_text.insert(static_cast<std::size_t>(std::clamp(index, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    m_text.insert(static_cast<std::size_t>(std::clamp(index, 0, GetLength())), OrEmpty(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const int start = std::clamp(index, 0, GetLength());
    const int removed = std::clamp(count, 0, GetLength() - start);
    m_text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(removed));
    return GetLength();
}

template <typename IsTrimmed> CString& CString::TrimLeftWhile(IsTrimmed isTrimmed)
{
    const auto kept = std::find_if_not(m_text.begin(), m_text.end(), isTrimmed);
    m_text.erase(m_text.begin(), kept);
    return *this;
}

template <typename IsTrimmed> CString& CString::TrimRightWhile(IsTrimmed isTrimmed)
{
    const auto kept = std::find_if_not(m_text.rbegin(), m_text.rend(), isTrimmed);
    m_text.erase(kept.base(), m_text.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(const char* charSet)
{
    return TrimRight(charSet).TrimLeft(charSet);
}

CString& CString::TrimLeft()
{
    return TrimLeftWhile(IsCWhiteSpace);
}

CString& CString::TrimLeft(char ch)
{
    return TrimLeftWhile(IsChar(ch));
}

CString& CString::TrimLeft(const char* charSet)
{
    return TrimLeftWhile(IsOneOf(charSet));
}

CString& CString::TrimRight()
{
    return TrimRightWhile(IsCWhiteSpace);
}

CString& CString::TrimRight(char ch)
{
    return TrimRightWhile(IsChar(ch));
}

CString& CString::TrimRight(const char* charSet)
{
    return TrimRightWhile(IsOneOf(charSet));
}

CString& CString::MakeLower()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), ToLower1252);
    return *this;
}

CString& CString::MakeUpper()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), ToUpper1252);
    return *this;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    m_text.clear();
    AppendFormatV(format, args);
}

void CString::AppendFormatV(const char* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, OrEmpty(format), measure);
    va_end(measure);
    if (needed <= 0)
        return; // nothing to add, or an encoding error: the text stays as it was
    const std::size_t oldSize = m_text.size();
    m_text.resize(oldSize + static_cast<std::size_t>(needed));
    // vsnprintf writes the terminating NUL onto std::string's own terminator.
    std::vsnprintf(m_text.data() + oldSize, static_cast<std::size_t>(needed) + 1, OrEmpty(format), args);
}

int CString::Compare(const char* other) const
{
    return Sign(m_text.compare(OrEmpty(other)));
}

int CString::CompareNoCase(const char* other) const
{
    const std::string_view right = OrEmpty(other);
    const std::size_t common = std::min(m_text.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int l = static_cast<unsigned char>(ToLower1252(m_text[i]));
        const int r = static_cast<unsigned char>(ToLower1252(right[i]));
        if (l != r)
            return Sign(l - r);
    }
    return Sign(static_cast<int>(m_text.size()) - static_cast<int>(right.size()));
}

char* CString::GetBuffer(int minLength)
{
    // The caller may also write the NUL after minLength characters: that lands
    // on std::string's own terminator, which may be set to '\0'.
    m_text.resize(std::max(m_text.size(), static_cast<std::size_t>(std::max(minLength, 0))));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    const std::size_t length =
        newLength < 0 ? std::strlen(m_text.c_str()) : std::min(static_cast<std::size_t>(newLength), m_text.size());
    m_text.resize(length);
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    m_text += OrEmpty(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& left, const CString& right)
{
    return CString(left.m_text + right.m_text);
}

CString operator+(const CString& left, const char* right)
{
    return CString(left.m_text + OrEmpty(right));
}

CString operator+(const char* left, const CString& right)
{
    return CString(OrEmpty(left) + right.m_text);
}

CString operator+(const CString& left, char right)
{
    return CString(left.m_text + right);
}

CString operator+(char left, const CString& right)
{
    return CString(left + right.m_text);
}
