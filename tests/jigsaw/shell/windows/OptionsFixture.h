#pragma once
#include "tests/support/TempDir.h"
#include <atomic>
#include <cstdio>
#include <memory>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "framework/qt/UiText.h"

namespace testfix {

using qvtest::TempDir;

inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Captions "C<id>" and texts "T<id>", so a test sees which id a label took.
inline void useMarkedTexts()
{
    fw::UiText::setSource([](int kind, int id) {
        if (kind == 4 && id == 1)
            return std::string("OK");
        if (kind == 4 && id == 2)
            return std::string("Cancel");
        return std::string(kind == 4 ? "C" : "T") + std::to_string(id) + (id == 566 ? " %s" : "");
    });
}

}  // namespace testfix

#include <map>
#include <utility>

#include "framework/TraductorSource.h"

namespace testfix {

// The English texts from their source, for screenshots a person reads.
inline void useEnglishTexts()
{
    const auto source = fw::parseDixSource(
        readText(std::filesystem::path(QV_SOURCE_DIR) / "jigsaw/resources/lang/QV21eng.txt"), "QV21eng.txt");
    auto texts = std::make_shared<std::map<std::pair<int, int>, std::string>>();
    for (const fw::DixEntry& e : source.entries)
        if (e.variant == 0 && e.context == 0)
            (*texts)[{e.kind, e.id}] = e.text;
    fw::UiText::setSource([texts](int kind, int id) -> std::string {
        auto it = texts->find({kind, id});
        if (it == texts->end())
            return {};
        std::string t = it->second;
        int k = 0, i = 0;
        if (!t.empty() && t[0] == '#' && std::sscanf(t.c_str(), "#%d,%d", &k, &i) == 2) {
            auto ref = texts->find({k, i});
            return ref == texts->end() ? std::string() : ref->second;
        }
        return t;
    });
}

}  // namespace testfix
