#include "J3Dialoge/DBFileRowTexts.h"

#include <ctime>

#include "vkbasis/StringUtils.h"

namespace {

// 3000-12-31 23:59:59 UTC, the last second that a row can show.
constexpr std::int64_t kLastShowableTime = 32535215999;

} // namespace

CString CDBFileRowTexts::NameCell(const DBFileEntry& entry)
{
    CString name(entry.first.filename().string());
    if (entry.second.isDirectory)
        name += '\\';
    return name;
}

CString CDBFileRowTexts::LastChangeCell(const DBFileEntry& entry)
{
    return entry.second.isDirectory ? CString() : FormatLastWriteTime(entry.second.lastWriteTime);
}

CString CDBFileRowTexts::SizeCell(const DBFileEntry& entry)
{
    return entry.second.isDirectory ? CString() : BytesToString(static_cast<double>(entry.second.size));
}

CString CDBFileRowTexts::FormatLastWriteTime(std::int64_t lastWriteTime)
{
    if (lastWriteTime <= 0 || lastWriteTime > kLastShowableTime)
        return {};
    const std::time_t time = static_cast<std::time_t>(lastWriteTime);
    std::tm local{};
    if (!localtime_r(&time, &local))
        return {};
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%d.%m.%Y  %H:%M:%S", &local);
    return CString(text, static_cast<int>(length));
}
