#pragma once
#include <stdexcept>
#include <string>

// A machine configuration that cannot be used: names the file and, when the
// fault sits on one line, that line, so that an administrator can mend it.
class CJ3ConfigError : public std::runtime_error {
public:
    CJ3ConfigError(const std::string& source, int line, const std::string& message)
        : std::runtime_error(Compose(source, line, message)), m_line(line)
    {
    }

    // 0 when the fault belongs to no single line (missing file, bad variable).
    int Line() const { return m_line; }

private:
    static std::string Compose(const std::string& source, int line, const std::string& message)
    {
        std::string where = source;
        if (line > 0)
            where += ":" + std::to_string(line);
        return where + ": " + message;
    }

    int m_line;
};
