#pragma once
#include <cstddef>
#include <ostream>
#include <string>

// Progress of a long command. On a terminal a one-line bar
// ("\r[#####-----]  50% 12/24 Dateien"), redrawn only when the shown
// percentage changes; in a log or pipe a plain line per tenth of the work;
// or nothing at all.
class CJ3ProgressBar {
public:
    enum class EStyle { Bar, Lines, Off };

    CJ3ProgressBar(std::ostream& out, EStyle style, std::size_t total, std::string unit = "Dateien");
    ~CJ3ProgressBar() { Finish(); }
    CJ3ProgressBar(const CJ3ProgressBar&) = delete;
    CJ3ProgressBar& operator=(const CJ3ProgressBar&) = delete;

    void Update(std::size_t done);
    // Ends the bar's line when anything was drawn; also when the bar goes.
    // Call it before writing a message while the bar still exists.
    void Finish();

private:
    std::ostream& m_out;
    EStyle m_style;
    std::size_t m_total;
    std::string m_unit;
    int m_shownPercent = -1;
};
