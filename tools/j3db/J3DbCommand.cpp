#include "j3db/J3DbCommand.h"

#include <algorithm>

CJ3DbResult CJ3DbCommand::Choose(std::span<const SEntry> table, const Args& args, const std::string& caller,
                                 Handler& run)
{
    const std::string prefix = caller.empty() ? "" : caller + " ";
    const auto command = std::find_if(table.begin(), table.end(), [&](const SEntry& c) { return args[0] == c.name; });
    if (command == table.end()) {
        std::string known;
        for (const auto& c : table)
            known += std::string(known.empty() ? "" : ", ") + c.name;
        return CJ3DbResult::WrongCall("Unbekannter Befehl " + prefix + args[0] + " (bekannt: " + known + ").");
    }
    const std::size_t count = args.size() - 1;
    if (count < command->minArgs || count > command->maxArgs)
        return CJ3DbResult::WrongCall("Falsche Zahl von Argumenten für " + prefix + args[0] + ".");
    run = command->run;
    return CJ3DbResult::Done();
}
