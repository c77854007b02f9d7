#include "j3db/J3ProgressBar.h"

namespace {

constexpr int kBarWidth = 30;
constexpr int kLineStep = 10;

} // namespace

CJ3ProgressBar::CJ3ProgressBar(std::ostream& out, EStyle style, std::size_t total, std::string unit)
    : m_out(out), m_style(total > 0 ? style : EStyle::Off), m_total(total), m_unit(std::move(unit))
{
}

void CJ3ProgressBar::Update(std::size_t done)
{
    if (m_style == EStyle::Off)
        return;
    const std::size_t clamped = done < m_total ? done : m_total;
    int percent = static_cast<int>(clamped * 100 / m_total);
    if (m_style == EStyle::Lines)
        percent -= percent % kLineStep;
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    const std::string percentText = std::to_string(percent);
    const std::string figures = std::string(3 - percentText.size(), ' ') + percentText + "% " +
                                std::to_string(clamped) + "/" + std::to_string(m_total) + " " + m_unit;
    if (m_style == EStyle::Lines) {
        m_out << figures << "\n" << std::flush;
        return;
    }
    const int filled = percent * kBarWidth / 100;
    m_out << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '-') << "] " << figures << std::flush;
}

void CJ3ProgressBar::Finish()
{
    if (m_style == EStyle::Bar && m_shownPercent >= 0)
        m_out << "\n" << std::flush;
    m_shownPercent = -1;
}
