#include "j3db/J3InterruptCatcher.h"

CJ3InterruptCatcher::CJ3InterruptCatcher()
{
    s_caught = 0;
    struct sigaction action {};
    action.sa_handler = [](int) { s_caught = 1; };
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &m_previous[i]);
}

CJ3InterruptCatcher::~CJ3InterruptCatcher()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
}
