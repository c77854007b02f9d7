#pragma once
#include <cstddef>
#include <ostream>

// A one-line progress bar for a terminal ("\r[#####-----]  50% 12/24 Dateien"),
// redrawn only when the shown percentage changes. A disabled bar writes
// nothing, so the same code serves terminals, pipes and log files.
class CJ3ProgressBar {
public:
    CJ3ProgressBar(std::ostream& out, bool enabled, std::size_t total);

    void Update(std::size_t done);
    // Ends the line when anything was drawn.
    void Finish();

private:
    std::ostream& m_out;
    bool m_enabled;
    std::size_t m_total;
    int m_shownPercent = -1;
};
