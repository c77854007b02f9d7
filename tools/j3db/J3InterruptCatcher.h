#pragma once
#include <signal.h> // NOLINT(modernize-deprecated-headers): sigaction is POSIX, <csignal> lacks it

#include <csignal>
#include <iterator>

// Ctrl+C, a closed terminal or a kill (other than -9) while it lives: the
// work asks Caught() and stops at its next step, rolling back, instead of
// the program ending in the middle. The handlers before are restored when it
// goes.
class CJ3InterruptCatcher {
public:
    CJ3InterruptCatcher();
    ~CJ3InterruptCatcher();
    CJ3InterruptCatcher(const CJ3InterruptCatcher&) = delete;
    CJ3InterruptCatcher& operator=(const CJ3InterruptCatcher&) = delete;

    static bool Caught() { return s_caught != 0; }

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    static inline volatile std::sig_atomic_t s_caught = 0;
    struct sigaction m_previous[std::size(kSignals)]{};
};
