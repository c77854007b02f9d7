#pragma once
#include "j3db/J3DbResult.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

class CJ3DbFrame;

// One command of the admin tool ("ls", "put", ...), run in the frame that
// holds what all commands share.
class CJ3DbCommand {
public:
    using Args = std::vector<std::string>;
    // What runs a chosen command; args: what follows its name.
    using Handler = CJ3DbResult (*)(CJ3DbFrame& frame, const Args& args);

    // A command's name, how many arguments it takes and what runs it, in one
    // entry so that a table's names and handlers cannot fall out of step.
    struct SEntry {
        const char* name;
        std::size_t minArgs;
        std::size_t maxArgs;
        Handler run;
    };

    virtual ~CJ3DbCommand() = default;

    // args: what follows the command's name, as many as its syntax allows.
    virtual CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const = 0;

    // The handler of the entry of table named by args[0] that takes the
    // number of arguments after it, as run; a wrong call otherwise. caller is
    // the command the table belongs to, empty for the tool itself.
    static CJ3DbResult Choose(std::span<const SEntry> table, const Args& args, const std::string& caller, Handler& run);

    // The handler of an entry whose command is a class of its own.
    template <typename Command> static CJ3DbResult HandlerOf(CJ3DbFrame& frame, const Args& args)
    {
        return Command().Run(frame, args);
    }
};
