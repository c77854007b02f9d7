#include "J3Dialoge/DBFileRowTexts.h"

#include <ctime>

#include "vkbasis/StringUtils.h"

namespace {

// 3000-12-31 23:59:59 UTC, the last second that a row can show.
constexpr std::int64_t kLastShowableTime = 32535215999;

} // namespace

CString CDBFileRowTexts::Cell(int column, std::string_view name, const SFileAttributes& attributes)
{
    switch (column) {
    case NAME_COLUMN:
        return attributes.isDirectory ? CString(std::string(name) + '\\') : CString(name);
    case LAST_CHANGE_COLUMN:
        return attributes.isDirectory ? CString() : FormatLastWriteTime(attributes.lastWriteTime);
    case SIZE_COLUMN:
        return attributes.isDirectory ? CString() : BytesToString(static_cast<double>(attributes.size));
    default:
        return {};
    }
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
