#pragma once
#include <string>
#include <vector>

namespace puzdump {

// One subcommand of the inspector. run() gets the arguments after the
// command name (argv[0] is the command name itself) and returns the exit
// status: 0 done, 2 bad arguments or unreadable input.
struct Command {
    std::string name;
    std::string usage;  // one line, the arguments after the name
    int (*run)(int argc, char** argv) = nullptr;
};

// Every command file holds one static registrar, e.g.
//   static puzdump::CommandRegistrar reg{"header", "FILE", &runHeader};
// so adding a command never touches main.cpp.
struct CommandRegistrar {
    CommandRegistrar(const char* name, const char* usage, int (*run)(int, char**));
};

// The registered commands, sorted by name.
const std::vector<Command>& commands();

// Prints "puzdump: <message>" on stderr and returns the status for bad input (2).
int fail(const std::string& message);

}  // namespace puzdump
