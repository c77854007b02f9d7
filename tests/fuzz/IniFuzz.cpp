// The INI reader: any text is read or refused with a CJ3ConfigError, and what
// it reads, written out again, reads back the same.
#include "FuzzCheck.h"

#include "j3params/J3ConfigError.h"
#include "j3params/J3IniFile.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>

namespace {

std::string Written(const CJ3IniFile& file)
{
    std::string text;
    const std::string* section = nullptr;
    for (const auto& entry : file.Entries()) {
        if (!section || *section != entry.section)
            text += "[" + entry.section + "]\n";
        section = &entry.section;
        text += entry.key + " = \"" + entry.value + "\"\n";
    }
    return text;
}

// What a written entry keeps; its line changes.
auto Fields(const CJ3IniFile::SEntry& entry)
{
    return std::tie(entry.section, entry.key, entry.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    CJ3IniFile file;
    try {
        file = CJ3IniFile::Parse(in, "fuzz.ini");
    } catch (const CJ3ConfigError&) {
        return 0;
    }
    const auto& entries = file.Entries();
    for (std::size_t i = 0; i < entries.size() && i < 64; ++i)
        for (std::size_t j = i + 1; j < entries.size() && j < 64; ++j)
            FuzzCheck(!CJ3IniFile::NamesEqual(entries[i].section, entries[j].section) ||
                          !CJ3IniFile::NamesEqual(entries[i].key, entries[j].key),
                      "no key is read twice in one section");
    std::istringstream again(Written(file));
    FuzzCheck(std::ranges::equal(entries, CJ3IniFile::Parse(again, "again.ini").Entries(), {}, Fields, Fields),
              "what is read, written out, reads back");
    return 0;
}
