// The one table of commands. Each file of commands adds its entries when the
// program starts, through a CommandRegistration at namespace scope:
//
//     const CommandRegistration kFaceCommands{{
//         {.id = "face.extrude", .text = "押し出し(&E)", ..., .perform = Extrude},
//     }};
//
// so a new command is a new entry in its own file, and nothing else changes.
// (The library is linked whole for that reason: see commands/CMakeLists.txt.)
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "commands/command.h"

class CommandTable {
public:
    // The program's table.
    static CommandTable& Global();

    // Adds `spec`; a second entry with the same id is a programming error and
    // ends the program with a message at start-up.
    void Add(CommandSpec spec);

    const CommandSpec* Find(std::string_view id) const;
    // Every entry, by id.
    std::vector<const CommandSpec*> All() const;
    // The entries shown in menu or toolbar `bar`, by group, then order.
    std::vector<const CommandSpec*> In(std::string_view bar) const;

private:
    std::map<std::string, CommandSpec, std::less<>> specs_;
};

struct CommandRegistration {
    CommandRegistration(std::initializer_list<CommandSpec> specs);
};
