#include "Command.h"

#include <algorithm>
#include <cstdio>

namespace puzdump {

namespace {
// A function-local static, so registrars in other files may run first.
std::vector<Command>& registry()
{
    static std::vector<Command> list;
    return list;
}
}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, int (*run)(int, char**))
{
    auto& list = registry();
    list.push_back({name, usage, run});
    std::sort(list.begin(), list.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}

const std::vector<Command>& commands() { return registry(); }

int fail(const std::string& message)
{
    std::fprintf(stderr, "puzdump: %s\n", message.c_str());
    return 2;
}

}  // namespace puzdump
