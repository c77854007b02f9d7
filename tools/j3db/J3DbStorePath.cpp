#include "j3db/J3DbStorePath.h"

#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"
#include "vkbasis/CPath.h"
#include "vkdb/DBFileEntryView.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"

#include <algorithm>

CJ3DbResult CJ3DbStorePath::FromArgument(const std::string& argument, CString& path)
{
    if (argument.empty() || !CJ3HostText::FitsSuite(argument))
        return CJ3DbResult::Failed("\"" + argument +
                                   "\" ist kein Pfad, den die Datenbank speichern kann (leer oder "
                                   "mit Zeichen außerhalb von Windows-1252).");
    path = CJ3HostText::FromHost(argument);
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3DbStorePath::CheckNewFile(const CString& path)
{
    const std::string fault = CDBStorePath::NewFileFault(CDBStorePath::Normalize(path.str()));
    const std::string shown = CJ3HostText::ToTerminal(path);
    if (!fault.empty())
        return CJ3DbResult::WrongCall("\"" + shown +
                                      "\" kann nicht gespeichert werden: " + CJ3HostText::ToHost(CString(fault)) + ".");
    const auto config = CJ3MachineConfig::Current();
    for (const EJ3Dir root : {EJ3Dir::Data, EJ3Dir::QA}) {
        if (CPath(path).IsSubPath(CPath(CString(CJ3HostText::FromHost(config->Dir(root))))))
            return CJ3DbResult::Done();
    }
    return CJ3DbResult::WrongCall("\"" + shown + "\" liegt in keinem Ordner, den der Dateidialog zeigt (" +
                                  config->Dir(EJ3Dir::Data) + " oder " + config->Dir(EJ3Dir::QA) +
                                  "); die Datei wäre für alle verloren.");
}

bool CJ3DbStorePath::EndsWithSeparator(const std::string& argument)
{
    return !argument.empty() && (argument.back() == '\\' || argument.back() == '/');
}

CString CJ3DbStorePath::WithoutTrailingSeparators(CString path)
{
    path.TrimRight("\\/");
    return path;
}

CString CJ3DbStorePath::Name(const CString& path)
{
    const int separator = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(separator + 1);
}

bool CJ3DbStorePath::Find(CDBFileStore& store, const CString& pattern, std::vector<SDBFileEntry>& entries,
                          std::size_t maxEntries)
{
    entries.clear();
    return store.Visit(pattern, [&](const SDBFileEntryView& view) {
        entries.push_back({CString(view.path), view.isDirectory, view.length, view.lastWriteTime});
        return entries.size() < maxEntries;
    });
}
