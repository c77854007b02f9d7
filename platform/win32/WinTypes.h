#pragma once
// The Windows names the suite's code is written in, with their Windows widths.
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using HRESULT = std::int32_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPCWSTR = const wchar_t*;

// Handles are distinct opaque pointer types, as with STRICT on Windows.
struct SWindowTag;
using HWND = SWindowTag*;
struct SInstanceTag;
using HINSTANCE = SInstanceTag*;
using HMODULE = HINSTANCE;

// A function fetched from a library; the caller casts it to its real type.
using FARPROC = void (*)();

constexpr int MAX_PATH = 260;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

inline bool SUCCEEDED(HRESULT result)
{
    return result >= 0;
}
inline bool FAILED(HRESULT result)
{
    return result < 0;
}
