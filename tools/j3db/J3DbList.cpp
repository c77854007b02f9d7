#include "j3db/J3DbList.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3DbStorePath.h"
#include "j3params/J3HostText.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

#include <ctime>
#include <iomanip>
#include <sstream>

namespace {

std::string ListingLine(const SDBFileEntry& entry, bool longForm)
{
    std::string name = CJ3HostText::ToTerminal(CJ3DbStorePath::Name(entry.path)) + (entry.isDirectory ? "\\" : "");
    if (!longForm)
        return name;
    std::ostringstream line;
    if (entry.isDirectory) {
        line << std::string(16, ' ') << "  " << std::setw(12) << "<DIR>";
    } else {
        const std::time_t time = static_cast<std::time_t>(entry.lastWriteTime);
        std::tm local{};
        localtime_r(&time, &local);
        line << std::put_time(&local, "%Y-%m-%d %H:%M") << "  " << std::setw(12) << entry.length;
    }
    line << "  " << name;
    return line.str();
}

} // namespace

CJ3DbResult CJ3DbList::Run(CJ3DbFrame& frame, const Args& args) const
{
    const bool longForm = args.size() == 2;
    if (longForm && args[0] != "-l")
        return CJ3DbResult::WrongCall("ls kennt nur die Option -l.");
    CString path;
    if (CJ3DbResult opened = frame.OpenForStorePath(args.back(), true, path); !opened.IsDone())
        return opened;
    CDBFileStore store(dbDatabase);
    std::vector<SDBFileEntry> entries;
    bool searched = true;
    if (CJ3DbStorePath::Name(path).FindOneOf("*?") >= 0) {
        searched = CJ3DbStorePath::Find(store, path, entries);
    } else {
        const CString dir = CJ3DbStorePath::WithoutTrailingSeparators(path);
        searched = CJ3DbStorePath::Find(store, dir + "\\*", entries);
        if (searched && entries.empty())
            searched = CJ3DbStorePath::Find(store, dir, entries);
    }
    if (!searched)
        return CJ3DbFrame::DatabaseFailure();
    if (entries.empty())
        return CJ3DbResult::Failed("Unter " + args.back() + " gibt es in der Datenbank nichts.");
    for (const auto& entry : entries)
        frame.Out() << ListingLine(entry, longForm) << "\n";
    return CJ3DbResult::Done();
}
