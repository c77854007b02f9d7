#include "j3fremd/J3FremdDaisy.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace {
std::optional<int> s_hozAnswer;
int s_hozCalls = 0;
int s_daisyCalls = 0;
std::string s_lastDaisyCall;
} // namespace

int HasDaisyHOZ()
{
    ++s_hozCalls;
    if (s_hozAnswer)
        return *s_hozAnswer;
    const char* configured = std::getenv("J3_DAISY_HOZ");
    return configured && *configured ? std::atoi(configured) : 1;
}

void RunDaisy(const CString& first, const CString& second, bool flag)
{
    ++s_daisyCalls;
    s_lastDaisyCall = std::string(first.GetString()) + "|" + second.GetString() + "|" + (flag ? "1" : "0");
}

void J3FremdSetHozAnswer(int answer)
{
    s_hozAnswer = answer;
}

int J3FremdHozCalls()
{
    return s_hozCalls;
}

int J3FremdDaisyCalls()
{
    return s_daisyCalls;
}

const char* J3FremdLastDaisyCall()
{
    return s_lastDaisyCall.c_str();
}
