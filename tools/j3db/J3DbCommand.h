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

    // A command's name and how many arguments it takes.
    struct SSyntax {
        const char* name;
        std::size_t minArgs;
        std::size_t maxArgs;
    };

    virtual ~CJ3DbCommand() = default;

    // args: what follows the command's name, as many as its syntax allows.
    virtual CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const = 0;

    // The entry of table named by args[0] that takes the number of
    // arguments after it, as index; a wrong call otherwise. caller is the
    // command the table belongs to, empty for the tool itself.
    static CJ3DbResult Choose(std::span<const SSyntax> table, const Args& args, const std::string& caller,
                              std::size_t& index);
};
