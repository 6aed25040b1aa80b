// Every translation shipped with the jigsaw game against the English one:
// the same entries, and texts that the program can fill and show the same
// way (inserted values, line breaks, accelerators, references, marks).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Traductor.h"
#include "framework/TraductorSource.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

const fs::path kSources = fs::path(QV_SOURCE_DIR) / "jigsaw" / "resources" / "lang";

std::string fileText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using EntryKey = std::tuple<int, int, int, int>;  // kind, id, variant, context

std::string describe(const EntryKey& k)
{
    std::ostringstream s;
    s << "kind " << std::get<0>(k) << " id " << std::get<1>(k) << " variant " << std::get<2>(k) << " context "
      << std::get<3>(k);
    return s.str();
}

std::map<EntryKey, std::string> entriesOf(const std::string& lang)
{
    const fs::path path = kSources / ("QV21" + lang + ".txt");
    EXPECT_TRUE(fs::exists(path)) << path;
    DixSource src = parseDixSource(fileText(path), path.filename().string());
    for (const auto& e : src.errors)
        ADD_FAILURE() << e;
    std::map<EntryKey, std::string> out;
    for (auto& e : src.entries)
        out[{e.kind, e.id, e.variant, e.context}] = std::move(e.text);
    return out;
}

// What a translation must keep of the English text so that the program fills
// and shows it the same way: the conversions in order (the values are passed
// in that order), line breaks, accelerator marks, markup braces, the "@IDA"
// mark and the blanks at either end (texts that are joined to others).
std::string shape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            size_t j = i + 1;
            while (j < text.size() && std::strchr("-+ #0123456789.lh", text[j]))
                ++j;
            out += text.substr(i, j - i + 1) + ' ';
            i = j;
        } else if (c == '\n' || c == '&' || c == '{' || c == '}') {
            out += c;
        } else if (text.compare(i, 4, "@IDA") == 0) {
            out += "@IDA ";
        }
    }
    if (!text.empty() && text.front() == ' ')
        out = "<blank>" + out;
    if (!text.empty() && text.back() == ' ')
        out += "<blank>";
    return out;
}

}  // namespace

TEST(TranslationFiles, EveryLanguageHasTheEnglishEntriesAndKeepsWhatTheProgramFillsIn)
{
    struct Language {
        const char* code;
        bool formsPlurals;  // the translation layer forms the missing plurals
    };
    const Language languages[] = {{"cas", true}, {"cat", true}, {"deu", false}, {"fra", false}, {"ita", false}};

    const auto english = entriesOf("eng");
    ASSERT_FALSE(english.empty());
    std::vector<EntryKey> plurals;
    for (const auto& [key, text] : english)
        if (std::get<3>(key) == Traductor::Plural)
            plurals.push_back(key);

    for (const Language& lang : languages) {
        SCOPED_TRACE(lang.code);
        const auto texts = entriesOf(lang.code);
        for (const auto& [key, text] : english) {
            auto it = texts.find(key);
            if (it == texts.end()) {
                if (!(lang.formsPlurals && std::get<3>(key) == Traductor::Plural))
                    ADD_FAILURE() << "missing " << describe(key) << ": " << text;
                continue;
            }
            const std::string& mine = it->second;
            if (text[0] == '#')
                EXPECT_EQ(mine, text) << describe(key) << " must refer to the same entry";
            else
                EXPECT_NE(mine[0], '#') << describe(key) << " is a reference only in this language";
            EXPECT_EQ(shape(mine), shape(text)) << describe(key) << ": " << cp1252ToUtf8(mine);
        }
        for (const auto& [key, text] : texts)
            EXPECT_TRUE(english.count(key)) << "not in English: " << describe(key);
    }

    // Compiled and loaded together, every language answers each plural that
    // English has with a word of its own: from its file, or formed by the layer.
    const fs::path dir = fs::temp_directory_path() / ("qv-langs-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::vector<std::string> codes{"eng"};
    for (const Language& lang : languages)
        codes.push_back(lang.code);
    std::string list;
    for (const auto& code : codes) {
        list += (list.empty() ? "" : ",") + code;
        DixSource src = parseDixSource(fileText(kSources / ("QV21" + code + ".txt")), code);
        const std::string flag = fileText(kSources / "flags" / (code + ".bmp"));
        ASSERT_FALSE(flag.empty()) << "no flag for " << code;
        ASSERT_TRUE(writeDix(dir / ("QV21" + code + ".dix"),
                             buildDix(src.entries, std::vector<uint8_t>(flag.begin(), flag.end()), 100)));
    }
    Traductor tr;
    ASSERT_TRUE(tr.Create("eng", dir, "QV21", 100, list).ok()) << tr.lastError();
    EXPECT_EQ(tr.languages(), codes);
    ASSERT_EQ(tr.flags().size(), codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(tr.flags()[i].width(), 24) << codes[i];
        EXPECT_EQ(tr.flags()[i].height(), 16) << codes[i];
        ASSERT_TRUE(tr.SetLanguage(codes[i], false).ok()) << codes[i];
        for (const auto& [kind, id, variant, context] : plurals) {
            const std::string one = tr.Lookup(kind, id, variant, 0);
            const std::string many = tr.Lookup(kind, id, variant, context);
            EXPECT_FALSE(many.empty()) << codes[i] << " plural of " << id;
            EXPECT_NE(many, one) << codes[i] << " plural of " << id;
        }
    }
    fs::remove_all(dir);
}
