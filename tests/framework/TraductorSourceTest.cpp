#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <iterator>
#include <map>
#include <set>

#include "framework/Bmp.h"
#include "framework/Traductor.h"
#include "framework/TraductorSource.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const fs::path kLangDir = fs::path(QV_SOURCE_DIR) / "jigsaw" / "resources" / "lang";

DixSource source(const std::string& lang)
{
    return parseDixSource(readText(kLangDir / ("QV21" + lang + ".txt")), "QV21" + lang + ".txt");
}

// The conversions (%s, %i, %.2f ...) of a text in order: a translation must
// keep them, because the values are filled in that order.
std::string conversions(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        size_t j = i + 1;
        while (j < text.size() && std::strchr("-+ #0123456789.l", text[j]))
            ++j;
        if (j < text.size())
            out += text.substr(i, j - i + 1) + " ";
        i = j;
    }
    return out;
}

}  // namespace

TEST(DixSourceText, Cp1252RoundTripsAndRefusesWhatItCannotHold)
{
    EXPECT_EQ(utf8ToCp1252("Guardar autom\xC3\xA1ticamente \xE2\x82\xAC"), "Guardar autom\xE1ticamente \x80");
    EXPECT_EQ(utf8ToCp1252("\xC2\xB7 \xE2\x80\x9C" "a" "\xE2\x80\x9D"), "\xB7 \x93" "a" "\x94");
    EXPECT_FALSE(utf8ToCp1252("\xE4\xB8\xAD"));   // a CJK character
    EXPECT_FALSE(utf8ToCp1252("\xC3"));           // cut sequence
    EXPECT_FALSE(utf8ToCp1252("a\xA0z"));         // a bare continuation byte
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(DixSourceText, ParsesEntriesEscapesAndQuotes)
{
    DixSource s = parseDixSource("# comment\n"
                                 "\n"
                                 "1 500 0 0   pieces   \n"
                                 "4 0x77 1 64 &Help\\tF1\n"
                                 "1 991 0 0 \"Started: \"\n"
                                 "1 510 0 0 Save?\\nYes \\\"now\\\" \\xB7\r\n"
                                 "1 600 0 0 #1,500\n",
                                 "t.txt");
    ASSERT_TRUE(s.errors.empty()) << s.errors[0];
    ASSERT_EQ(s.entries.size(), 5u);
    EXPECT_EQ(s.entries[0].text, "pieces");
    EXPECT_EQ(s.entries[1].kind, 4);
    EXPECT_EQ(s.entries[1].id, 119);
    EXPECT_EQ(s.entries[1].variant, 1);
    EXPECT_EQ(s.entries[1].context, 64);
    EXPECT_EQ(s.entries[1].text, "&Help\tF1");
    EXPECT_EQ(s.entries[2].text, "Started: ");
    EXPECT_EQ(s.entries[3].text, "Save?\nYes \"now\" \xB7");
    EXPECT_EQ(s.entries[4].text, "#1,500");
}

TEST(DixSourceText, ErrorsNameTheLine)
{
    struct Case {
        const char* line;
        const char* what;
    } cases[] = {
        {"1 500 0 pieces", "four numbers"},
        {"1 70000 0 0 x", "four numbers"},
        {"1 -1 0 0 x", "four numbers"},
        {"1 500 0 0", "no text"},
        {"1 500 0 0 \"\"", "no text"},
        {"1 500 0 0 a\\qb", "unknown escape"},
        {"1 500 0 0 a\\x0", "hexadecimal"},
        {"1 500 0 0 a\\x00", "hexadecimal"},
        {"1 500 0 0 \xE4\xB8\xAD", "Windows-1252"},
        {"1 500 0 0 \xFF", "Windows-1252"},
    };
    for (const auto& c : cases) {
        DixSource s = parseDixSource(std::string("# x\n") + c.line + "\n", "t.txt");
        ASSERT_EQ(s.errors.size(), 1u) << c.line;
        EXPECT_EQ(s.errors[0].rfind("t.txt:2: ", 0), 0u) << s.errors[0];
        EXPECT_NE(s.errors[0].find(c.what), std::string::npos) << s.errors[0];
    }
    DixSource dup = parseDixSource("1 500 0 0 a\n1 500 0 0 b\n1 500 0 64 p\n65 500 0 0 c\n", "t.txt");
    ASSERT_EQ(dup.errors.size(), 2u);
    EXPECT_EQ(dup.errors[0], "t.txt:2: the same key as line 1");
    EXPECT_EQ(dup.errors[1], "t.txt:4: the same key as line 3");  // kind 65 is kind 1 in context 64
}

TEST(DixSources, EnglishHoldsEveryTextTheGameAsksFor)
{
    DixSource eng = source("eng");
    ASSERT_TRUE(eng.errors.empty()) << eng.errors[0];
    std::set<std::pair<int, int>> have;
    for (const auto& e : eng.entries)
        if (e.variant == 0 && e.context == 0)
            have.insert({e.kind, e.id});
    const int texts[] = {2,   8,   20,  36,  37,  101, 102, 103, 104, 199, 500, 501, 503, 504,  506,  508,
                         510, 513, 519, 525, 527, 529, 530, 531, 537, 539, 541, 542, 543, 544,  545,  546,
                         547, 548, 549, 550, 553, 554, 556, 563, 564, 566, 567, 568, 569, 570,  571,  712,
                         713, 800, 801, 809, 812, 850, 851, 852, 853, 854, 855, 856, 857, 986,  987,  991,
                         992, 995, 996, 1000, 1001, 1002, 1003, 1004, 1008, 1012, 1163, 2600, 2602};
    for (int id : texts)
        EXPECT_TRUE(have.count({1, id})) << "text " << id;
    const int captions[] = {1,    2,    3,    4,    10,   11,   13,   101,  102,  103,  104,  111,  114,
                            119,  120,  170,  1006, 1007, 1008, 1009, 1102, 1103, 1104, 1106, 1107, 1108,
                            1112, 1116, 1119, 1125, 1126, 1127, 1128, 1163, 1200, 1201, 1202, 1203, 1300,
                            1301, 2000, 2001, 2002, 2500, 2501, 2502, 2503, 2504, 2505, 2511, 2512, 2513,
                            2514, 2515, 2516, 2603, 2604, 2605, 3020, 4500, 5001, 6013, 6014, 6015, 6016,
                            6019, 8510, 8511, 8515, 8516, 8517, 8520, 8521, 8522, 8523, 8530, 8531};
    for (int id : captions)
        EXPECT_TRUE(have.count({4, id})) << "caption " << id;
    EXPECT_TRUE(have.count({5, 0}));
}

TEST(DixSources, SpanishTranslatesEveryEntryAndKeepsTheInsertedValues)
{
    DixSource eng = source("eng");
    DixSource cas = source("cas");
    ASSERT_TRUE(cas.errors.empty()) << cas.errors[0];
    std::map<int32_t, std::string> spanish;
    for (const auto& e : cas.entries)
        spanish[dixKey(e.kind, e.id, e.variant, e.context)] = e.text;
    for (const auto& e : eng.entries) {
        if (e.context == Traductor::Plural)
            continue;  // Spanish forms its plurals
        auto it = spanish.find(dixKey(e.kind, e.id, e.variant, e.context));
        ASSERT_NE(it, spanish.end()) << "kind " << e.kind << " id " << e.id << " variant " << e.variant;
        EXPECT_EQ(conversions(it->second), conversions(e.text)) << "kind " << e.kind << " id " << e.id;
        EXPECT_EQ(it->second[0] == '#', e.text[0] == '#') << "kind " << e.kind << " id " << e.id;
    }
}

TEST(DixSources, CompiledFilesRunReferencesPluralsAndFallbacks)
{
    const fs::path dir = fs::temp_directory_path() / ("qv-dixsrc-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const std::string lang : {"eng", "cas"}) {
        DixSource s = source(lang);
        const std::string flag = readText(kLangDir / "flags" / (lang + ".bmp"));
        ASSERT_TRUE(writeDix(dir / ("QV21" + lang + ".dix"),
                             buildDix(s.entries, std::vector<uint8_t>(flag.begin(), flag.end()), 100)));
    }
    Traductor tr;
    ASSERT_TRUE(tr.Create("eng", dir, "QV21", 0, "eng,cas,cat,deu,fra,ita").ok()) << tr.lastError();
    EXPECT_EQ(tr.languages(), (std::vector<std::string>{"eng", "cas"}));
    EXPECT_EQ(tr.flags()[0].width(), 24);
    EXPECT_EQ(tr.flags()[1].height(), 16);
    EXPECT_EQ(tr.Lookup(4, 1163), "Save automatically");
    EXPECT_EQ(tr.Lookup(1, 2600, 0, Traductor::Plural), "Boxes");
    EXPECT_NE(tr.GetText(510).find("leaving Quorvane?"), std::string::npos);

    ASSERT_TRUE(tr.SetLanguage("cas", false).ok());
    EXPECT_EQ(tr.Lookup(4, 1163), "Guardar autom\xE1ticamente");  // a reference to text 1163
    EXPECT_EQ(tr.Lookup(4, 120), "Elegir una imagen...");
    EXPECT_EQ(tr.Lookup(1, 2600, 0, Traductor::Plural), "Cajas");
    EXPECT_EQ(tr.Lookup(4, 1, 7), "Aceptar");                        // unknown variant
    EXPECT_EQ(tr.Lookup(4, 1119, 1), "&Abrir la caja");
    EXPECT_EQ(tr.Lookup(1, 1004, 0, 32), "Un puzzle necesita al menos 4 piezas.");
    EXPECT_EQ(tr.GetText(9711), "");  // an id no language has
    fs::remove_all(dir);
}
