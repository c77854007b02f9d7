#pragma once

#include <compare>
#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The suite's 8-bit text in the Windows-1252 code page.
//
// Indices never crash: every index or count is clamped into the text the way
// the framework's release build behaves.
//  - A negative start counts as 0, a start past the end gives an empty result
//    (Mid, Find) or appends at the end (Insert).
//  - A negative count counts as 0, a count past the end stops at the end
//    (Mid, Left, Right, Delete).
//  - GetAt/operator[] outside the text answer '\0'; SetAt outside the text
//    changes nothing.
// Case conversion and CompareNoCase follow Windows-1252: A-Z, the accented
// letters 0xC0-0xDE (not 0xD7, the multiplication sign) and Š Œ Ž Ÿ have
// lower-case partners; ß and µ have none and stay as they are.
class CString {
public:
    CString() = default;
    CString(const char* text);             // null gives the empty text
    CString(const char* text, int length); // length bytes, embedded NULs kept
    CString(const std::string& text);
    CString(std::string_view text);
    explicit CString(char ch, int repeat = 1);

    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Index of the first match at or after start, -1 when there is none.
    // An empty text is found at start itself.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // Each returns the number of replaced or removed characters or texts.
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText); // empty oldText: 0
    int Remove(char ch);

    // Each returns the new length.
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    // Without an argument blanks, tabs and line ends (C white space) go.
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* charSet);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* charSet);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* charSet);

    CString& MakeLower();
    CString& MakeUpper();

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
    void AppendFormatV(const char* format, va_list args) __attribute__((format(printf, 2, 0)));

    // Byte-wise (unsigned) comparison: < 0, 0 or > 0.
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    // A writable buffer of at least minLength characters plus a terminating
    // NUL, holding the current text. Other members may only be used again
    // after ReleaseBuffer, which sets the length to newLength (clamped to the
    // buffer) or, with -1, to the position of the first NUL.
    char* GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    friend CString operator+(const CString& left, const CString& right);
    friend CString operator+(const CString& left, const char* right);
    friend CString operator+(const char* left, const CString& right);
    friend CString operator+(const CString& left, char right);
    friend CString operator+(char left, const CString& right);

    friend bool operator==(const CString& left, const CString& right) { return left.m_text == right.m_text; }
    friend bool operator==(const CString& left, const char* right) { return left.Compare(right) == 0; }
    friend std::strong_ordering operator<=>(const CString& left, const CString& right)
    {
        return left.m_text.compare(right.m_text) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& left, const char* right)
    {
        return left.Compare(right) <=> 0;
    }

private:
    template <typename IsTrimmed> CString& TrimLeftWhile(IsTrimmed isTrimmed);
    template <typename IsTrimmed> CString& TrimRightWhile(IsTrimmed isTrimmed);

    std::string m_text;
};

template <> struct std::hash<CString> {
    std::size_t operator()(const CString& text) const noexcept { return std::hash<std::string>()(text.str()); }
};
