// puzdump: shows what the game reads from its files, for users and maintainers.
#include <cstdio>
#include <cstring>

#include "Command.h"

namespace {

void printUsage(std::FILE* out)
{
    std::fprintf(out, "usage:\n");
    for (const auto& c : puzdump::commands())
        std::fprintf(out, "  puzdump %s %s\n", c.name.c_str(), c.usage.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "help")) {
        printUsage(stdout);
        return 0;
    }
    for (const auto& c : puzdump::commands()) {
        if (c.name == argv[1])
            return c.run(argc - 1, argv + 1);
    }
    return puzdump::fail(std::string("unknown command '") + argv[1] + "' (try puzdump --help)");
}
