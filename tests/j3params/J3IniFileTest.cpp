#include "j3params/J3ConfigError.h"
#include "j3params/J3IniFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A section of keys "key0" to "key<count-1>".
std::string ManyKeys(int count)
{
    std::string text = "[many]\n";
    for (int i = 0; i < count; ++i)
        text += "key" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    return text;
}

CJ3IniFile ParseText(const std::string& text)
{
    std::istringstream in(text);
    return CJ3IniFile::Parse(in, "test.ini");
}

TEST(J3IniFile, ReadsSectionsKeysAndValuesAsWritten)
{
    const CJ3IniFile file = ParseText("\xEF\xBB\xBF; comment\n"
                                      "[Paths]\r\n"
                                      "  data =  C:\\J3\\Daten\\  \n"
                                      "\n"
                                      "# another comment\n"
                                      "[parameters]\n"
                                      "UseCrashRpt =\n"
                                      "quoted = \"  two words  \"\n"
                                      "hash = a;b#c\n"
                                      "[paths]\n"
                                      "log=C:\\J3\\Log\\\n");
    const auto& entries = file.Entries();
    ASSERT_EQ(entries.size(), 5u);
    const struct {
        const char* section;
        const char* key;
        const char* value;
        int line;
    } expected[] = {
        {"Paths", "data", "C:\\J3\\Daten\\", 3},
        {"parameters", "UseCrashRpt", "", 7},
        {"parameters", "quoted", "  two words  ", 8},
        {"parameters", "hash", "a;b#c", 9},
        {"paths", "log", "C:\\J3\\Log\\", 11},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].section, expected[i].section);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].value, expected[i].value);
        EXPECT_EQ(entries[i].line, expected[i].line);
    }
}

TEST(J3IniFile, MalformedLinesNameTheirLine)
{
    const struct {
        std::string text;
        int line;
        const char* fragment;
    } cases[] = {
        {"[a]\nno equals sign\n", 2, "expected \"key = value\""},
        {"[a]\nx=1\n[unclosed\n", 3, "must end with ']'"},
        {"[]\n", 1, "section name is empty"},
        {"[a]\n = value\n", 2, "key before '=' is empty"},
        {"\nkey = value\n", 2, "before the first [section]"},
        {"[a]\nKey = 1\n[b]\nkey = 2\n[A]\nkey = 3\n", 6, "already given on line 2"},
        {std::string("[a]\nx = 1\0\n", 11), 2, "NUL byte"},
        {ManyKeys(30000) + "key7 = again\n", 30002, "already given on line 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        try {
            ParseText(c.text);
            ADD_FAILURE() << "no error";
        } catch (const CJ3ConfigError& error) {
            EXPECT_EQ(error.Line(), c.line);
            EXPECT_NE(std::string(error.what()).find("test.ini:" + std::to_string(c.line) + ": "), std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find(c.fragment), std::string::npos) << error.what();
        }
    }
}

TEST(J3IniFile, UnreadableFileIsAnError)
{
    EXPECT_THROW(CJ3IniFile::Load("/nonexistent/j3machine.ini"), CJ3ConfigError);
}

} // namespace
