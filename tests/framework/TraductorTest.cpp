#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <iterator>

#include "framework/Bmp.h"
#include "framework/ByteIO.h"
#include "framework/Traductor.h"
#include "framework/TraductorFormat.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> flagBmp(int w, int h, uint32_t colour)
{
    MemoryStream mem;
    writeBmp(mem, Bitmap(w, h, colour));
    return mem.take();
}

std::vector<uint8_t> slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spit(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Spanish entries that exercise every lookup path.
std::vector<DixEntry> spanish()
{
    return {
        {1, 500, 0, 0, "pieza"},
        {1, 501, 0, 0, "mano"},
        {1, 501, 0, 64, "manitas"},        // an explicit plural wins over the rule
        {1, 502, 0, 0, "flor"},
        {1, 600, 0, 0, "#1,500"},          // reference
        {1, 601, 0, 0, "#1,601"},          // refers to itself
        {1, 602, 0, 0, "#1,603"},          // a loop of two
        {1, 603, 0, 0, "#1,602"},
        {1, 700, 0, 0, "base"},
        {1, 700, 3, 0, "variante"},
        {1, 701, 0, 32, "contexto 32"},
        {1, 800, 0, 0, "Guardar en @IDA y @IDA"},
        {5, 0, 0, 0, "Quorvane"},
        {5, 7, 0, 0, "disco"},
        {3, 2, 0, 0, "No se encuentra el archivo"},
        {4, 1, 0, 0, "Aceptar"},
        {1, 900, 0, 0, "primero"},
        {1, 900, 0, 0, "segundo"},       // same key: the lowest index wins
    };
}

struct TraductorTest : ::testing::Test {
    fs::path dir;
    std::vector<std::string> reports;
    Traductor tr;

    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("qv-dix-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        tr.setReporter([this](const std::string& r) { reports.push_back(r); });
    }
    void TearDown() override { fs::remove_all(dir); }

    void make(const std::string& name, std::vector<DixEntry> entries, uint16_t version = 100, int flagWidth = 4)
    {
        ASSERT_TRUE(writeDix(dir / name, buildDix(std::move(entries), flagBmp(flagWidth, 3, 0xFF0000), version)));
    }
    Status create(const std::string& wanted, const std::string& list = "eng,cas,cat,deu,fra,ita",
                  uint16_t version = 0)
    {
        return tr.Create(wanted, dir, "QV21", version, list);
    }
};

}  // namespace

TEST(DixFile, KeyPutsTheContextOnTheKindAndWrapsIn32Bits)
{
    EXPECT_EQ(dixKey(1, 500, 0, 0), 0x101F4);
    EXPECT_EQ(dixKey(1, 500, 0, 64), (65 << 16) + 500);
    EXPECT_EQ(dixKey(1, 500, 0, 64), dixKey(65, 500, 0, 0));
    EXPECT_EQ(dixKey(2, 1, 3, 16), ((3 * 256 + 2 + 16) << 16) + 1);
    EXPECT_LT(dixKey(1, 1, 200, 0), 0);  // variant 200 sets the sign bit
}

TEST(DixFile, BothLayoutsReadBackWithTheirVersion)
{
    const auto flag = flagBmp(5, 2, 0x00FF00);
    for (uint16_t version : {uint16_t(0), uint16_t(120)}) {
        auto bytes = buildDix({{1, 2, 0, 0, "b"}, {1, 1, 0, 0, "a"}}, flag, version);
        EXPECT_EQ(bytes[4] == 'B' && bytes[5] == 'M', version == 0);
        DixTable t;
        std::string why;
        ASSERT_TRUE(parseDix(bytes, t, why)) << why;
        EXPECT_EQ(t.version, version == 0 ? 100 : 120);
        EXPECT_EQ(t.flagBmp, flag);
        ASSERT_EQ(t.keys.size(), 2u);
        EXPECT_STREQ(t.textAt(*t.find(dixKey(1, 1, 0, 0))), "a");
        EXPECT_STREQ(t.textAt(*t.find(dixKey(1, 2, 0, 0))), "b");
        EXPECT_FALSE(t.find(dixKey(1, 3, 0, 0)));
    }
}

TEST(DixFile, ACountOfZeroMeansUpToTheEndOfTheFile)
{
    auto bytes = buildDix({{1, 1, 0, 0, "abc"}}, flagBmp(1, 1, 0), 100);
    // The pool size is the last count before the pool: 4 bytes "abc\0" at the end.
    const size_t poolCount = bytes.size() - 4 - 4;
    ASSERT_EQ(loadU32(&bytes[poolCount]), 4u);
    storeU32(&bytes[poolCount], 0);
    DixTable t;
    std::string why;
    ASSERT_TRUE(parseDix(bytes, t, why)) << why;
    EXPECT_STREQ(t.textAt(0), "abc");
}

TEST(DixFile, FileOnDiskIsScrambledWithTheFixedKey)
{
    const fs::path p = fs::temp_directory_path() / ("qv-dix-scr-" + std::to_string(::getpid()) + ".dix");
    auto plain = buildDix({{1, 1, 0, 0, "hello"}}, flagBmp(2, 2, 0), 100);
    ASSERT_TRUE(writeDix(p, plain));
    auto disk = slurp(p);
    ASSERT_EQ(disk.size(), plain.size());
    const std::string key = "(c)K.Wendolar P.";
    for (size_t pos : {size_t(0), size_t(17), size_t(disk.size() - 1)})
        EXPECT_EQ(disk[pos], uint8_t(plain[pos] ^ key[(pos >> 4) % 16] ^ 0x80)) << pos;
    DixTable t;
    std::string why;
    EXPECT_TRUE(loadDix(p, t, why).ok()) << why;
    fs::remove(p);
}

TEST_F(TraductorTest, LanguageListDropsListedLanguagesWithoutFileAndAppendsUnlistedOnes)
{
    make("QV21cas.dix", spanish(), 100, 6);
    make("QV21eng.dix", {{1, 500, 0, 0, "piece"}}, 100, 4);
    make("QV21xyz.dix", {{1, 500, 0, 0, "?"}}, 100, 2);
    make("Other.dix", {{1, 500, 0, 0, "?"}});
    ASSERT_TRUE(create("cas").ok()) << tr.lastError();
    EXPECT_EQ(tr.languages(), (std::vector<std::string>{"eng", "cas", "xyz"}));
    ASSERT_EQ(tr.flags().size(), 3u);
    EXPECT_EQ(tr.flags()[0].width(), 4);
    EXPECT_EQ(tr.flags()[1].width(), 6);
    EXPECT_EQ(tr.flags()[1].pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(tr.currentLanguage(), "cas");
    EXPECT_EQ(tr.currentIndex(), 1);
}

TEST_F(TraductorTest, WantedLanguageWithoutFileTakesTheFirstOfTheList)
{
    make("QV21cat.dix", {{1, 1, 0, 0, "u"}});
    make("QV21cas.dix", {{1, 1, 0, 0, "uno"}});
    ASSERT_TRUE(create("deu").ok());
    EXPECT_EQ(tr.currentLanguage(), "cas");
    EXPECT_EQ(tr.GetText(1), "uno");
}

TEST_F(TraductorTest, NoFileAtAllFailsTheLoad)
{
    Status s = create("eng");
    EXPECT_EQ(s.id, msg::DixCannotOpen);
    EXPECT_FALSE(tr.loaded());
    EXPECT_TRUE(tr.languages().empty());
    EXPECT_EQ(tr.GetText(500), "");
}

TEST_F(TraductorTest, WrongVersionIsReportedWithText199AndFails)
{
    make("QV21eng.dix", {{1, 500, 0, 0, "piece"}}, 0);
    Status s = create("eng", "eng", 120);
    EXPECT_EQ(s.id, msg::DixVersion);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("1.20"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("1.00"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("QV21eng.dix"), std::string::npos) << reports[0];

    Traductor any;
    EXPECT_TRUE(any.Create("eng", dir, "QV21", 0, "eng").ok());
    EXPECT_EQ(any.fileVersion(), 100);
}

TEST_F(TraductorTest, DamagedOrForeignFilesFailCleanly)
{
    const auto good = buildDix(spanish(), flagBmp(3, 3, 0), 100);
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
    } cases[] = {
        {"empty file", [](auto& b) { b.clear(); }},
        {"cut in the table", [](auto& b) { b.resize(b.size() - 40); }},
        {"cut in the header", [](auto& b) { b.resize(9); }},
        {"table offset past the end", [](auto& b) { storeU32(&b[0], 0x7FFFFFF0); }},
        {"table offset inside the header", [](auto& b) { storeU32(&b[0], 2); }},
        {"no flag picture", [](auto& b) { b[6] = 'X'; }},
        {"huge key count", [&](auto& b) { storeU32(&b[loadU32(&b[0])], 0x40000000); }},
        {"keys out of order", [&](auto& b) { storeU32(&b[loadU32(&b[0]) + 4], 0x7FFFFFFF); }},
        {"offset outside the pool", [&](auto& b) {
             storeU32(&b[loadU32(&b[0]) + 4 + 4 * spanish().size() + 4], 0xFFFFFF);
         }},
        {"offset count differs", [&](auto& b) { storeU32(&b[loadU32(&b[0]) + 4 + 4 * spanish().size()], 3); }},
        {"a text file", [](auto& b) {
             std::string t = "[Options]\nlang=eng\n";
             b.assign(t.begin(), t.end());
         }},
    };
    for (const auto& c : cases) {
        auto bytes = good;
        c.damage(bytes);
        ASSERT_TRUE(writeDix(dir / "QV21eng.dix", bytes));
        Traductor t;
        Status s = t.Create("eng", dir, "QV21", 0, "eng");
        EXPECT_EQ(s.id, msg::DixDamaged) << c.what;
        EXPECT_NE(s.text.find("QV21eng.dix"), std::string::npos) << c.what;
        EXPECT_FALSE(t.lastError().empty()) << c.what;
        EXPECT_FALSE(t.loaded()) << c.what;
        EXPECT_EQ(t.GetText(500), "") << c.what;
    }
}

TEST_F(TraductorTest, AFileNotScrambledIsRefused)
{
    spit(dir / "QV21eng.dix", buildDix(spanish(), flagBmp(3, 3, 0), 100));
    EXPECT_EQ(create("eng").id, msg::DixDamaged);
}

TEST_F(TraductorTest, LookupFindsTextsAndMissingEntriesGiveTheEmptyText)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    EXPECT_EQ(tr.GetText(500), "pieza");
    EXPECT_EQ(tr.Lookup(4, 1), "Aceptar");
    EXPECT_EQ(tr.GetText(900), "primero");
    EXPECT_EQ(tr.Lookup(1, 12345), "");
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(tr.Lookup(1, 12345, 2, 16, Traductor::ReportMissing), "");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Traductor:: id:12345 tip:1 atm:2 ctx:16");

    // Told to report every miss: plain lookups report, found texts and raw probes do not.
    tr.setReportAll(true);
    EXPECT_EQ(tr.GetText(500), "pieza");
    EXPECT_EQ(tr.Lookup(4, 777, 0, 0, Traductor::Raw), "");
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(tr.Lookup(4, 777), "");
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], "Traductor:: id:777 tip:4 atm:0 ctx:0");
}

TEST_F(TraductorTest, ReferencesFollowUnderTheVariantAndContextAsked)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    EXPECT_EQ(tr.GetText(600), "pieza");
    EXPECT_EQ(tr.Lookup(1, 600, 0, 0, Traductor::Raw), "#1,500");
    // Plural asked of a reference: the reference is followed with context 64.
    EXPECT_EQ(tr.Lookup(1, 600, 0, Traductor::Plural), "piezas");
}

TEST_F(TraductorTest, ReferenceLoopsEndWithTheEmptyText)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    EXPECT_EQ(tr.GetText(601), "");
    EXPECT_EQ(tr.GetText(602), "");
    EXPECT_EQ(tr.Lookup(1, 602, 0, Traductor::Plural), "");
    EXPECT_FALSE(reports.empty());
}

TEST_F(TraductorTest, FallbacksTable)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    struct Case {
        int id, variant, context;
        const char* expect;
    } cases[] = {
        {700, 3, 0, "variante"},
        {700, 5, 0, "base"},        // unknown variant: variant 0
        {700, 3, 16, "variante"},   // context 16: the same variant without context
        {700, 0, 32, "base"},       // context 32: without context
        {700, 0, 80, "base"},       // context 80 likewise
        {700, 0, 48, ""},           // other contexts have no fallback
        {701, 4, 32, "contexto 32"},// variant dropped, context kept
        {500, 0, 64, "piezas"},     // plural formed by the rule
        {502, 0, 64, "flores"},
        {501, 0, 64, "manitas"},    // explicit plural entry
        {500, 2, 64, "piezas"},     // plural of the variant, which falls back
    };
    for (const auto& c : cases)
        EXPECT_EQ(tr.Lookup(1, c.id, c.variant, c.context), c.expect)
            << c.id << " v" << c.variant << " c" << c.context;
}

TEST_F(TraductorTest, RawLookupHasNoFallback)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    EXPECT_EQ(tr.Lookup(1, 700, 5, 0, Traductor::Raw), "");
    EXPECT_EQ(tr.Lookup(1, 500, 0, 64, Traductor::Raw), "");
}

TEST_F(TraductorTest, GetTextFillsEveryIdaMark)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    EXPECT_EQ(tr.GetText(800), "Guardar en Quorvane y Quorvane");
    EXPECT_EQ(tr.GetText(800, 7), "Guardar en disco y disco");
    EXPECT_EQ(tr.GetText(800, 99), "Guardar en  y ");
}

TEST_F(TraductorTest, ErrorTexts)
{
    make("QV21cas.dix", spanish());
    ASSERT_TRUE(create("cas").ok());
    EXPECT_EQ(Traductor::ErrorText(&tr, 2), "No se encuentra el archivo");
    EXPECT_EQ(Traductor::ErrorText(nullptr, 2), "Error #2");
}

TEST_F(TraductorTest, Plurals)
{
    make("QV21cas.dix", {{1, 1, 0, 0, "x"}});
    make("QV21cat.dix", {{1, 1, 0, 0, "x"}});
    make("QV21eng.dix", {{1, 1, 0, 0, "x"}});
    ASSERT_TRUE(create("cat").ok());
    struct Case {
        const char* lang;
        const char* word;
        const char* plural;
    } cases[] = {
        {"cat", "casa", "cases"},       {"cat", "m\xE0", "mes"},          {"cat", "pa", "pes"},
        {"cat", "ull", "ulls"},         {"cat", "cami\xF3", "camions"},   {"cat", "CAMI\xD3", "CAMIOns"},   {"cat", "bamb\xFA", "bambuns"},
        {"cat", "rellotge", "rellotges"}, {"cat", "pi", "pis"},
        {"cas", "mano", "manos"},       {"cas", "flor", "flores"},        {"cas", "caf\xE9", "caf\xE9s"},
        {"cas", "PAN", "PANes"},        {"cas", "", ""},
        {"eng", "piece", "piece"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(tr.SetLanguage(c.lang, false).ok());
        EXPECT_EQ(tr.Pluralize(c.word), c.plural) << c.lang << " " << c.word;
    }
}

TEST_F(TraductorTest, SetLanguageRemembersAndBroadcasts)
{
    make("QV21cas.dix", {{1, 1, 0, 0, "uno"}});
    make("QV21eng.dix", {{1, 1, 0, 0, "one"}});
    ASSERT_TRUE(create("eng").ok());
    std::vector<std::string> remembered;
    int changes = 0;
    tr.setRememberHook([&](const std::string& c) { remembered.push_back(c); });
    tr.setChangeHook([&] { ++changes; });

    ASSERT_TRUE(tr.SetLanguage("cas").ok());
    EXPECT_EQ(tr.GetText(1), "uno");
    EXPECT_EQ(remembered, std::vector<std::string>{"cas"});
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(tr.SetLanguage(0, false).ok());
    EXPECT_EQ(tr.GetText(1), "one");
    EXPECT_EQ(remembered.size(), 1u);
    EXPECT_EQ(changes, 2);

    EXPECT_FALSE(tr.SetLanguage("ita").ok());
    EXPECT_FALSE(tr.SetLanguage(7).ok());
    EXPECT_EQ(changes, 2);
}

TEST_F(TraductorTest, SwitchingToADamagedFileKeepsTheCurrentLanguage)
{
    make("QV21eng.dix", {{1, 1, 0, 0, "one"}});
    make("QV21cas.dix", {{1, 1, 0, 0, "uno"}});
    ASSERT_TRUE(create("eng").ok());
    auto bytes = slurp(dir / "QV21cas.dix");
    bytes.resize(bytes.size() / 2);
    spit(dir / "QV21cas.dix", bytes);
    int changes = 0;
    tr.setChangeHook([&] { ++changes; });
    EXPECT_EQ(tr.SetLanguage("cas").id, msg::DixDamaged);
    EXPECT_EQ(tr.currentLanguage(), "eng");
    EXPECT_EQ(tr.GetText(1), "one");
    EXPECT_EQ(changes, 0);
}

TEST(TraductorDefault, SystemLanguageMapping)
{
    struct Case {
        const char* system;
        const char* language;
    } cases[] = {{"eng", "eng"}, {"ENU", "eng"}, {"esp", "cas"}, {"esn", "cas"}, {"fra", "fra"},
                 {"nld", "deu"}, {"deu", "deu"}, {"ita", "ita"}, {"cat", "cat"}, {"ptg", "eng"},
                 {"", "eng"}};
    for (const auto& c : cases)
        EXPECT_EQ(Traductor::DefaultLanguage(c.system), c.language) << c.system;
}

TEST(TraductorDefault, SystemAbbreviationFromTheLocale)
{
    const char* saved[3];
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 3; ++i) {
        const char* v = std::getenv(names[i]);
        saved[i] = v ? strdup(v) : nullptr;
        unsetenv(names[i]);
    }
    EXPECT_EQ(Traductor::SystemLanguageAbbreviation(), "eng");
    struct Case {
        const char* lang;
        const char* abbreviation;
    } cases[] = {{"es_ES.UTF-8", "esn"}, {"nl_NL", "nld"}, {"en_GB.UTF-8", "eng"},
                 {"en_US", "enu"},       {"ca_ES@valencia", "cat"}, {"C.UTF-8", "eng"}};
    for (const auto& c : cases) {
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(Traductor::SystemLanguageAbbreviation(), c.abbreviation) << c.lang;
    }
    setenv("LC_ALL", "it_IT", 1);
    EXPECT_EQ(Traductor::DefaultLanguage(Traductor::SystemLanguageAbbreviation()), "ita");
    for (int i = 0; i < 3; ++i) {
        if (saved[i]) {
            setenv(names[i], saved[i], 1);
            free(const_cast<char*>(saved[i]));
        } else {
            unsetenv(names[i]);
        }
    }
}

TEST(TraductorFormat, FillsConversionsSafely)
{
    EXPECT_EQ(formatText("Version %.2f needed, %.2f found in %s", {1.2, 1.0, "QV21eng.dix"}),
              "Version 1.20 needed, 1.00 found in QV21eng.dix");
    EXPECT_EQ(formatText("%i%% of %d", {50, "200"}), "50% of 200");
    EXPECT_EQ(formatText("[%5s|%-4i|%03u|%x]", {"ab", 7, 5, 255}), "[   ab|7   |005|ff]");
    EXPECT_EQ(formatText("%s and %s and %i", {"one"}), "one and  and ");
    EXPECT_EQ(formatText("%n%p %", {1, 2}), "%n%p %");
    EXPECT_EQ(formatText("%99999999s|", {"x"}).size(), 513u);
    EXPECT_EQ(formatText("%li pieces (%c)", {300L, 'R'}), "300 pieces (R)");
}

TEST(DixFile, RandomDamageNeverReadsOutsideTheFile)
{
    const auto good = buildDix(spanish(), flagBmp(3, 3, 0), 100);
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        auto bytes = good;
        const int hits = 1 + next() % 4;
        for (int h = 0; h < hits; ++h)
            bytes[next() % bytes.size()] = static_cast<uint8_t>(next());
        if (next() % 8 == 0)
            bytes.resize(next() % bytes.size());
        DixTable t;
        std::string why;
        if (!parseDix(bytes, t, why)) {
            EXPECT_FALSE(why.empty());
            continue;
        }
        ++parsed;
        // Whatever was accepted can be looked up from end to end.
        for (size_t i = 0; i < t.keys.size(); ++i)
            EXPECT_LT(t.offsets[i] + std::strlen(t.textAt(i)), t.pool.size());
    }
    EXPECT_GT(parsed, 0);
}
