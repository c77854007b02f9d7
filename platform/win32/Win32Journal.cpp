#include "win32/Win32Journal.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex& JournalMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string>& JournalEntries()
{
    static std::vector<std::string> entries;
    return entries;
}

} // namespace

void CWin32Journal::Record(std::string entry)
{
    std::lock_guard lock(JournalMutex());
    JournalEntries().push_back(std::move(entry));
}

std::vector<std::string> CWin32Journal::Entries()
{
    return EntriesSince(0);
}

std::size_t CWin32Journal::Size()
{
    std::lock_guard lock(JournalMutex());
    return JournalEntries().size();
}

std::vector<std::string> CWin32Journal::EntriesSince(std::size_t mark)
{
    std::lock_guard lock(JournalMutex());
    const auto& entries = JournalEntries();
    if (mark >= entries.size())
        return {};
    return {entries.begin() + static_cast<std::ptrdiff_t>(mark), entries.end()};
}

int CWin32Journal::CountSince(std::size_t mark, std::string_view entry)
{
    const auto entries = EntriesSince(mark);
    return static_cast<int>(std::count(entries.begin(), entries.end(), entry));
}
