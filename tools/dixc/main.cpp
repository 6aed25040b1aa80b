// dixc: compiles the readable source of a translation into a dix file.
//
//     dixc SOURCE --flag FLAG.bmp -o OUT.dix [--version N]
//
// N is the file version in hundredths (default 100); --version 0 writes the
// old layout that has no version field.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "framework/Bmp.h"
#include "framework/TraductorSource.h"

namespace {

struct Args {
    std::string source, flag, output;
    long version = 100;
};

int usage()
{
    std::cerr << "usage: dixc SOURCE --flag FLAG.bmp -o OUT.dix [--version N]\n";
    return 2;
}

bool parseArgs(int argc, char** argv, Args& a)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((arg == "-o" || arg == "--output") && hasValue)
            a.output = argv[++i];
        else if (arg == "--flag" && hasValue)
            a.flag = argv[++i];
        else if (arg == "--version" && hasValue) {
            char* end = nullptr;
            a.version = std::strtol(argv[++i], &end, 10);
            if (*end || a.version < 0 || a.version > 0xFFFF || a.version == 0x4D42)
                return false;  // 0x4D42 reads as "BM", the mark of the old layout
        } else if (a.source.empty() && arg[0] != '-')
            a.source = arg;
        else
            return false;
    }
    return !a.source.empty() && !a.flag.empty() && !a.output.empty();
}

bool readFile(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv)
{
    Args a;
    if (!parseArgs(argc, argv, a))
        return usage();
    std::string text, flag;
    if (!readFile(a.source, text)) {
        std::cerr << "dixc: cannot read " << a.source << '\n';
        return 1;
    }
    if (!readFile(a.flag, flag)) {
        std::cerr << "dixc: cannot read " << a.flag << '\n';
        return 1;
    }
    fw::MemoryStream flagStream(flag.data(), flag.size());
    int w = 0, h = 0;
    if (!fw::readBmpSize(flagStream, w, h).ok()) {
        std::cerr << "dixc: " << a.flag << " is not a BMP picture\n";
        return 1;
    }
    fw::DixSource src = fw::parseDixSource(text, a.source);
    for (const auto& e : src.errors)
        std::cerr << e << '\n';
    if (!src.errors.empty())
        return 1;
    if (src.entries.empty()) {
        std::cerr << a.source << ": no entries\n";
        return 1;
    }
    const std::vector<uint8_t> flagBytes(flag.begin(), flag.end());
    if (!fw::writeDix(a.output, fw::buildDix(src.entries, flagBytes, static_cast<uint16_t>(a.version)))) {
        std::cerr << "dixc: cannot write " << a.output << '\n';
        return 1;
    }
    return 0;
}
