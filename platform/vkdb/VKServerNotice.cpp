#include "vkdb/VKServerNotice.h"

namespace {

CVKServerNotice::Listener& CurrentListener()
{
    static CVKServerNotice::Listener listener;
    return listener;
}

} // namespace

void CVKServerNotice::SetListener(Listener listener)
{
    CurrentListener() = std::move(listener);
}

void CVKServerNotice::Tell(const std::string& serverStart, const CString& text)
{
    static std::string s_lastTold;
    if (serverStart == s_lastTold || !CurrentListener())
        return;
    s_lastTold = serverStart;
    CurrentListener()(text);
}
