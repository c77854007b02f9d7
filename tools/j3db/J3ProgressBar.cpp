#include "j3db/J3ProgressBar.h"

#include <string>

namespace {

constexpr int kBarWidth = 30;

} // namespace

CJ3ProgressBar::CJ3ProgressBar(std::ostream& out, bool enabled, std::size_t total)
    : m_out(out), m_enabled(enabled && total > 0), m_total(total)
{
}

void CJ3ProgressBar::Update(std::size_t done)
{
    if (!m_enabled)
        return;
    const std::size_t clamped = done < m_total ? done : m_total;
    const int percent = static_cast<int>(clamped * 100 / m_total);
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    const int filled = percent * kBarWidth / 100;
    const std::string percentText = std::to_string(percent);
    m_out << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '-') << "] "
          << std::string(3 - percentText.size(), ' ') << percentText << "% " << clamped << "/" << m_total
          << " Dateien" << std::flush;
}

void CJ3ProgressBar::Finish()
{
    if (m_shownPercent >= 0)
        m_out << "\n" << std::flush;
    m_shownPercent = -1;
}
