// monkey: plays a game on an X display with random, meaningful input from a
// seed; tools/monkey/run.sh sets up the display and the game's folder.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "Monkey.h"

namespace {

int usage()
{
    std::cerr << "usage: monkey --game qvrk32|mvro --folder DIR --seconds N --seed S --logs DIR\n"
                 "              [--puzdump PROGRAM] [--user NAME]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    monkey::Config config;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string opt = argv[i], value = argv[i + 1];
        if (opt == "--game")
            config.game = value;
        else if (opt == "--folder")
            config.folder = value;
        else if (opt == "--seconds")
            config.seconds = std::atoi(value.c_str());
        else if (opt == "--seed")
            config.seed = std::strtoull(value.c_str(), nullptr, 10);
        else if (opt == "--logs")
            config.logDir = value;
        else if (opt == "--puzdump")
            config.puzdump = value;
        else if (opt == "--user")
            config.user = value;
        else
            return usage();
    }
    if (argc % 2 == 0 || (config.game != "qvrk32" && config.game != "mvro") || config.folder.empty() ||
        config.logDir.empty() || config.seconds <= 0)
        return usage();
    return monkey::Monkey(config).run();
}
