#include "vkbasis/DateUtils.h"

#include <algorithm>
#include <cctype>
#include <chrono>

namespace {

// The number of the characters first .. first+count-1 of digits.
int DigitsValue(const CString& digits, int first, int count)
{
    int value = 0;
    for (int i = first; i < first + count; ++i)
        value = value * 10 + (digits[i] - '0');
    return value;
}

} // namespace

CString Db2Date(const CString& dbDate)
{
    CString digits(dbDate);
    digits.Trim(' ');
    const std::string& text = digits.str();
    if (text.size() != 8 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
        return CString();
    const int year = DigitsValue(digits, 0, 4);
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(DigitsValue(digits, 4, 2))),
                                           std::chrono::day(static_cast<unsigned>(DigitsValue(digits, 6, 2)))};
    if (year < 1 || !date.ok())
        return CString();
    return digits.Mid(6, 2) + "." + digits.Mid(4, 2) + "." + digits.Left(4);
}

CString GetStechUhr()
{
    return StechUhrOf(std::time(nullptr));
}

CString StechUhrOf(std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    CString stamp;
    stamp.Format("%04d%02d%02d%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                 local.tm_min, local.tm_sec);
    return stamp;
}
