#include "msgbox/StringTable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

struct SEntry {
    int number;
    const char* utf8;
};

constexpr std::array s_entries = {
    SEntry{1, "Fehler"},
    SEntry{2, "Hinweis"},
    SEntry{3, "Frage"},
    SEntry{4, "Achtung"},
    SEntry{5, "Eingabe"},
    SEntry{6, "J3"},
    SEntry{7049, "Die Karteireiter wurden gespeichert. Programme, die schon laufen, zeigen sie nach einem Neustart."},
    SEntry{7057, "Die Fortschrittsanzeige konnte nicht geöffnet werden."},
};

const SEntry* Find(int number)
{
    const auto found = std::find_if(s_entries.begin(), s_entries.end(),
                                    [number](const SEntry& entry) { return entry.number == number; });
    return found == s_entries.end() ? nullptr : &*found;
}

} // namespace

bool CStringTable::Contains(int number)
{
    return Find(number) != nullptr;
}

QString CStringTable::Text(int number)
{
    if (const SEntry* entry = Find(number))
        return QString::fromUtf8(entry->utf8);
    return QStringLiteral("(Text Nr. %1)").arg(number);
}
