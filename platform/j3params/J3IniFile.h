#pragma once
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

// A small reader for INI-style files such as the machine configuration.
//
// Grammar chosen here:
// - "[name]" opens a section; a section may be opened more than once.
// - "key = value"; blanks around key and value are dropped. A value wrapped in
//   double quotes loses the quotes and keeps its inner blanks; "key =" is a key
//   with the empty value.
// - Lines whose first non-blank character is ';' or '#' are comments. There are
//   no comments after a value, since ';' and '#' are legal in Windows paths.
// - A backslash has no special meaning (Windows paths are written as they are).
// - Section and key names compare without regard to ASCII case, as Windows'
//   own INI files do; a key given twice in one section is an error.
// - The text is UTF-8; a leading byte-order mark is skipped.
// Every fault throws CJ3ConfigError with the file name and line number.
class CJ3IniFile {
public:
    struct SEntry {
        std::string section; // as written in the file
        std::string key;     // as written in the file
        std::string value;
        int line = 0;
    };

    static CJ3IniFile Parse(std::istream& in, const std::string& sourceName);
    static CJ3IniFile Load(const std::filesystem::path& file);

    const std::string& SourceName() const { return m_sourceName; }
    // In file order.
    const std::vector<SEntry>& Entries() const { return m_entries; }

    static bool NamesEqual(const std::string& a, const std::string& b);

private:
    std::string m_sourceName;
    std::vector<SEntry> m_entries;
};
