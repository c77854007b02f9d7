#include "vkbasis/PlatformChatterFilter.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>

namespace {

// The beginnings of the platform's own warnings that say nothing to a user.
constexpr const char* kChatter[] = {
    "QStandardPaths: XDG_RUNTIME_DIR not set",
    "This plugin does not support ",
};

std::atomic<QtMessageHandler> s_next{nullptr};

bool IsChatter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // Only Qt's uncategorised warnings and its platform categories; a
    // critical message or a fatal one is never chatter.
    const char* category = context.category ? context.category : "default";
    if (type == QtCriticalMsg || type == QtFatalMsg ||
        (std::strcmp(category, "default") != 0 && std::strncmp(category, "qt.qpa", 6) != 0))
        return false;
    return std::any_of(std::begin(kChatter), std::end(kChatter),
                       [&](const char* start) { return message.startsWith(QLatin1StringView(start)); });
}

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!IsChatter(type, context, message))
        s_next.load()(type, context, message);
}

} // namespace

void CPlatformChatterFilter::Install()
{
    const QtMessageHandler previous = qInstallMessageHandler(Filter);
    if (previous != Filter)
        s_next = previous;
}
