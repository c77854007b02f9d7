#include "vkbasis/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

double RoundedToTenths(double value)
{
    return std::round(value * 10) / 10;
}

} // namespace

int SeparatedStrToVec(const CString& text, char separator, std::vector<CString>& pieces, bool dropEmptyLast)
{
    pieces.clear();
    if (text.IsEmpty())
        return 0;
    int start = 0;
    for (int found = text.Find(separator); found >= 0; found = text.Find(separator, start)) {
        pieces.push_back(text.Mid(start, found - start));
        start = found + 1;
    }
    if (start < text.GetLength() || !dropEmptyLast)
        pieces.push_back(text.Mid(start));
    return static_cast<int>(pieces.size());
}

CString GetMidStr(const CString& text, int first, int count)
{
    return count < 0 ? text.Mid(first) : text.Mid(first, count);
}

void PutMidStr(CString& target, int pos, const CString& text, int count)
{
    const int start = std::max(pos, 0);
    const int written = count < 0 ? text.GetLength() : count;
    if (written == 0)
        return;
    CString piece = text.Left(written);
    FillTail(piece, written, ' ');
    FillTail(target, start, ' ');
    target = target.Left(start) + piece + target.Mid(start + written);
}

CString& FillTail(CString& text, int length, char fill)
{
    if (text.GetLength() < length)
        text += CString(fill, length - text.GetLength());
    return text;
}

CString BytesToString(double bytes)
{
    if (!std::isfinite(bytes) || bytes < 0)
        return CString();
    CString result;
    const double wholeBytes = std::round(bytes);
    if (wholeBytes < 1024) {
        result.Format("%.0f %s", wholeBytes, wholeBytes == 1 ? "Byte" : "Bytes");
        return result;
    }
    static const char* const units[] = {"KB", "MB", "GB", "TB"};
    double value = bytes / 1024;
    std::size_t unit = 0;
    // Decide on the value as it is shown, rounded half away from zero to one
    // decimal, so that 1023.95 KB shows as "1,0 MB".
    while (RoundedToTenths(value) >= 1024 && unit + 1 < std::size(units)) {
        value /= 1024;
        ++unit;
    }
    result.Format("%.1f %s", RoundedToTenths(value), units[unit]);
    result.Replace('.', ',');
    return result;
}
