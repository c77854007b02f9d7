#include "j3params/J3IniFile.h"

#include "j3params/J3ConfigError.h"

#include <algorithm>
#include <fstream>
#include <unordered_map>

namespace {

std::string Trimmed(const std::string& text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    auto last = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(first), isBlank);
    return std::string(first, last.base());
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
    return text;
}

} // namespace

bool CJ3IniFile::NamesEqual(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

CJ3IniFile CJ3IniFile::Parse(std::istream& in, const std::string& sourceName)
{
    CJ3IniFile file;
    file.m_sourceName = sourceName;
    std::string section;
    bool inSection = false;
    std::string raw;
    std::unordered_map<std::string, int> firstLines;
    for (int lineNumber = 1; std::getline(in, raw); ++lineNumber) {
        if (lineNumber == 1 && raw.starts_with("\xEF\xBB\xBF"))
            raw.erase(0, 3);
        if (raw.find('\0') != std::string::npos)
            throw CJ3ConfigError(sourceName, lineNumber, "the line holds a NUL byte; this is not a text file");
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                throw CJ3ConfigError(sourceName, lineNumber, "a section header must end with ']': " + line);
            section = Trimmed(line.substr(1, line.size() - 2));
            if (section.empty())
                throw CJ3ConfigError(sourceName, lineNumber, "the section name is empty");
            inSection = true;
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            throw CJ3ConfigError(sourceName, lineNumber,
                                 "expected \"key = value\", a [section] or a comment, found: " + line);
        SEntry entry{section, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), lineNumber};
        if (entry.key.empty())
            throw CJ3ConfigError(sourceName, lineNumber, "the key before '=' is empty");
        if (!inSection)
            throw CJ3ConfigError(sourceName, lineNumber,
                                 "the key \"" + entry.key + "\" stands before the first [section]");
        if (entry.value.size() >= 2 && entry.value.front() == '"' && entry.value.back() == '"')
            entry.value = entry.value.substr(1, entry.value.size() - 2);
        // Section and key folded into one text; a NUL cannot occur in a line.
        const auto [earlier, isNew] =
            firstLines.try_emplace(AsciiLowered(entry.section) + '\0' + AsciiLowered(entry.key), lineNumber);
        if (!isNew)
            throw CJ3ConfigError(sourceName, lineNumber,
                                 "the key \"" + entry.key + "\" of [" + section + "] was already given on line " +
                                     std::to_string(earlier->second));
        file.m_entries.push_back(std::move(entry));
    }
    return file;
}

CJ3IniFile CJ3IniFile::Load(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CJ3ConfigError(path.string(), 0, "cannot be read");
    return Parse(in, path.string());
}
