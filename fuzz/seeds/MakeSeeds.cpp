// Writes the seed corpora of the fuzz targets with the program's own
// writers, so that every seed is a file the program could have made:
//   fuzz_seeds fuzz/corpus
// Run it again when a file format changes; the seeds are small on purpose.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "framework/Bmp.h"
#include "framework/ScrambledStream.h"
#include "framework/TraductorFile.h"
#include "jigsaw/document/Jpeg.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/PuzzleFileWriter.h"
#include "jigsaw/library/DirectoryCache.h"
#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/Ranking.h"
#include "jigsaw/scores/ReceivedRanking.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using namespace std::string_literals;

namespace {

fs::path g_out;
fs::path g_tmp;

Bytes readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void seed(const std::string& target, const std::string& name, const Bytes& prefix, const Bytes& body)
{
    fs::create_directories(g_out / target);
    std::ofstream out(g_out / target / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(prefix.data()), static_cast<std::streamsize>(prefix.size()));
    out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
}
void seed(const std::string& target, const std::string& name, const Bytes& prefix, const std::string& body)
{
    seed(target, name, prefix, Bytes(body.begin(), body.end()));
}

fw::Bitmap gradient(int w, int h)
{
    fw::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.row(y)[x] = static_cast<uint32_t>((x * 10) << 16 | (y * 15) << 8 | ((x + y) * 5));
    return b;
}

Bytes tinyJpeg()
{
    fw::MemoryStream m;
    qv::EncodeJpeg(gradient(24, 16), {}, m, 0, 50, qv::kJpegOptimise);
    return m.take();
}

qv::PuzzleFileContent castle(const Bytes& jpeg)
{
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 2;
    c.header = "/Med0:4#6/Med1:6#8/(c):Maker/Tit:Castle/Rndn:7/BkClr:1,2[0xC0C0C0";
    c.palette = {0x112233, 0x445566, 0xFFFFFF};
    c.jpeg = jpeg;
    return c;
}

Bytes puzzleFile(const qv::PuzzleFileContent& c)
{
    fw::MemoryStream m;
    qv::writePuzzleFile(m, c);
    return m.take();
}

void headerSeeds()
{
    seed("header_string_fuzz", "puzzle", {0}, castle({}).header + "/MinRes:640x480/NoCustom/NoRotable");
    seed("header_string_fuzz", "editing", {4}, "/Med0:4#6/Meds:2,3,4/WantPgmVersion:201/Tit:A//B/Nopreview");
    seed("header_string_fuzz", "saved", {8 | 2},
         "/Rndn:5/BkClr:0[0xFF/Tit:Castle/NoHelp/Vers:240/VersMakePieza:240/SZW:800x600/FactorImgSav:0.500000"
         "/ScorePos:10,20/bmphalf:0,0/mmsrun:12/boxnm:0\x07" "Edges\x07" "1\x07Sky/clr2box:255,/BoxFlags:0100"
         "/dateStart:20240101/dateEnd:20240102/wmuestra:5,5/Options:Competition,AutoSave");
    seed("header_string_fuzz", "library", {1}, "-Med0:3#3/Med1:10#10-nocustom");
}

// A saved game of base.puz (the puzzle the saved-game target lays beside
// its inputs), with boxes, joins and counters.
void savedGameSeeds()
{
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 2;
    c.header = "/Med0:4#6/Med1:6#8/Tit:Castle/Rndn:0";
    c.palette = {0x112233};
    c.jpeg = {0xFF, 0xD8, 0xFF, 0xD9};
    qv::writePuzzleFile(g_tmp / "base.puz", c);
    struct Case {
        const char* name;
        int size;
        const char* custom;
    };
    for (Case k : {Case{"size0", 0, nullptr}, Case{"size1", 1, nullptr}, Case{"custom", 7, "12"}}) {
        qv::HeadlessUser user;
        if (k.custom)
            user.customSize = k.custom;
        qv::CutRandom rng;
        qv::Puz puz;
        puz.setUser(&user);
        puz.setGenerator(&rng);
        if (!puz.OpenPuzzle(g_tmp / "base.puz", k.size, 0).ok()) {
            std::fprintf(stderr, "cannot open base.puz\n");
            continue;
        }
        puz.savedName = "Game";
        puz.playerName = "Ann";
        puz.boxes.resize(2);
        puz.boxes[0].name = "Edges";
        puz.boxes[1].colour = 0xFF;
        if (puz.pieceCount() > 1) {
            puz.pieces[1].box = 0;
            puz.pieces[0].rotation = 2;
        }
        puz.counters = {4, 65000, 1, 2, 9};
        puz.savedPath = g_tmp / "game.sav";
        puz.Save();
        const Bytes game = readAll(puz.savedPath);
        seed("saved_game_fuzz", k.name, {}, game);
        seed("shelf_entry_fuzz", std::string("saved-") + k.name, {1}, game);
    }
}

void pictureSeeds()
{
    const Bytes jpeg = tinyJpeg();
    const Bytes kind2 = puzzleFile(castle(jpeg));
    seed("puzzle_file_fuzz", "castle", {0, 0}, kind2);
    seed("puzzle_file_fuzz", "custom", {5, 25}, kind2);
    seed("shelf_entry_fuzz", "castle", {0}, kind2);
    for (int mode : {0, 1, 2, 3, 4 | 0, 4 | 1, 8})
        seed("picture_fuzz", "kind2-mode" + std::to_string(mode), {uint8_t(mode)}, kind2);

    // The same file after a load wrote its picture cache (256 colours) into it.
    fs::path file = g_tmp / "cached.puz";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(kind2.data()), std::streamsize(kind2.size()));
    qv::Puz puz;
    qv::HeadlessUser user;
    puz.setUser(&user);
    puz.entry.readFile(file);
    puz.puzzlePath = file;
    qv::PictureSettings s;
    s.display.width = 640;
    s.display.height = 480;
    s.display.paletteSize = 256;
    s.freeSpace = [](const fs::path&) -> uint64_t { return 1u << 30; };
    qv::LoadPicture(puz, s);
    seed("picture_fuzz", "cached256", {4 | 1}, readAll(file));

    // Kind 0: a BMP picture block, appended and named by a patched directory.
    Bytes bmpFile;
    {
        fw::MemoryStream m;
        fw::writeBmp(m, gradient(20, 12));
        bmpFile = m.take();
    }
    Bytes kind0 = kind2;
    qv::Entry e;
    fw::MemoryStream probe(kind2);
    e.read(probe, "probe.puz");
    const uint32_t at = static_cast<uint32_t>(kind0.size());
    kind0.insert(kind0.end(), bmpFile.begin(), bmpFile.end());
    uint8_t* dir = kind0.data() + e.directoryPosition;
    fw::storeU32(dir + 4, at);
    fw::storeU32(dir + 8, static_cast<uint32_t>(bmpFile.size()));
    dir[12] = 0;
    seed("picture_fuzz", "kind0", {0}, kind0);

    seed("jpeg_fuzz", "true-colour", {0, 0}, jpeg);
    seed("jpeg_fuzz", "scaled", {1, 0}, jpeg);
    seed("jpeg_fuzz", "256", {2, 0}, jpeg);
    seed("jpeg_fuzz", "16", {4, 0}, jpeg);
    seed("jpeg_fuzz", "bmp-out", {6 | 8, 0}, jpeg);
    seed("jpeg_fuzz", "short", {3 | 16, 3}, Bytes{1, 2, 3});
    {
        Bytes shifted{1, 2, 3};
        shifted.insert(shifted.end(), jpeg.begin(), jpeg.end());
        seed("jpeg_fuzz", "offset", {3, 3}, shifted);
    }

    seed("bmp_fuzz", "rgb24", {}, bmpFile);
    for (int colours : {2, 16, 200}) {
        fw::IndexedBitmap ib;
        ib.width = 9;
        ib.height = 5;
        for (int i = 0; i < colours; ++i)
            ib.palette.push_back(static_cast<uint32_t>(i * 0x010203));
        for (int i = 0; i < ib.width * ib.height; ++i)
            ib.indices.push_back(static_cast<uint8_t>(i % colours));
        fw::MemoryStream m;
        fw::writeBmp(m, ib);
        seed("bmp_fuzz", "indexed" + std::to_string(colours), {}, m.bytes());
        if (colours == 16)
            seed("minefield_texture_fuzz", "indexed16.bmp", {}, m.bytes());
    }
}

Bytes unscrambled(Bytes bytes, const std::string& key)
{
    fw::ScrambledStream::scramble(bytes.data(), bytes.size(), 0, key);
    return bytes;
}

qv::ScoreRecord result(const std::string& key, const std::string& player, int score, int16_t pieces)
{
    qv::ScoreRecord r;
    r.key = key;
    r.player = player;
    r.owner = "Owner";
    r.score = score;
    r.time = 61200;
    r.helps = 1;
    r.solved = 30;
    r.moves = 44;
    r.pieces = pieces;
    return r;
}

void scoreSeeds()
{
    fw::MemoryStream m;
    qv::Ranking::Write(m, {result("*R*", "Ann", 5000, 0), result("Game", "Bob", 4000, 300),
                           result("Game(2)", "Cy", 100, 24)});
    seed("scores_file_fuzz", "three", {}, unscrambled(m.take(), qv::Ranking::ScrambleKey));
    fw::MemoryStream empty;
    qv::Ranking::Write(empty, {});
    seed("scores_file_fuzz", "empty", {}, unscrambled(empty.take(), qv::Ranking::ScrambleKey));

    // The shelf puzzle of the score-text target, for its id.
    qv::PuzzleFileContent c;
    c.title = "Castle";
    c.sizeCount = 1;
    c.header = "/Med0:4#4/Tit:Castle";
    c.palette = {0x102030};
    c.jpeg = Bytes(64, 0x5A);
    qv::writePuzzleFile(g_tmp / "Castle.puz", c);

    qv::Certificate cert;
    cert.title = "Castle";
    cert.columns = cert.rows = 4;
    cert.flags = 0x20;
    cert.puzzleId = qv::PuzzleId::FromFile(g_tmp / "Castle.puz");
    cert.record = result("*R*", "Ann", 1234567, 16);
    seed("score_text_fuzz", "certificate", {}, cert.ToText());
    cert.puzzleId = {};
    seed("score_text_fuzz", "certificate-noid", {}, cert.ToText());

    for (int version : {1, 2}) {
        qv::ReceivedRanking rr;
        rr.ranking.title = "Castle";
        rr.ranking.level = version == 2 ? 5 : 0;
        rr.ranking.columns = rr.ranking.rows = 4;
        rr.ranking.version = static_cast<uint8_t>(version);
        rr.ranking.puzzleId = qv::PuzzleId::FromFile(g_tmp / "Castle.puz").words;
        rr.ranking.records = {result("*R*", "Ann", 9000, 16), result("*R*", "Bob", 1500, 16)};
        std::string text = "Quorvane ranking\r\nRanking for Castle Level: " + std::to_string(rr.ranking.level) +
                           ",4x4,PuzID:" + qv::PuzzleId{rr.ranking.puzzleId}.ToText() + ",version:" +
                           std::to_string(version) + "\r\nBOR{\r\n";
        for (size_t i = 0; i < rr.ranking.records.size(); ++i)
            text += rr.ResultLine(rr.ranking.records[i], static_cast<int>(i));
        text += "}EOR\r\nBOK{" + rr.Signature() + "}EOK\r\n";
        seed("score_text_fuzz", "ranking-v" + std::to_string(version), {}, text);
    }
}

void libraryCacheSeeds()
{
    fs::path dir = g_tmp / "shelf";
    fs::create_directories(dir);
    qv::DirectoryCache cache;
    cache.Open(dir, false);
    qv::ShelfEntry p;
    p.fileName = "Castle.puz";
    p.formatVersion = 200;
    p.requiredVersion = 120;
    p.title = "Castle";
    p.sizeCount = 2;
    p.columns[0] = 4, p.rows[0] = 6, p.columns[1] = 6, p.rows[1] = 8;
    cache.Store(p);
    qv::ShelfEntry s;
    s.kind = qv::ShelfEntry::Kind::SavedGame;
    s.fileName = "Game.sav";
    s.title = "Castle";
    s.puzzleFile = "Castle.puz";
    s.sizeIndex = 1;
    s.savedColumns = 6, s.savedRows = 8;
    s.savedNumber = 0x1020;
    s.savedText = "Ann";
    cache.Store(s);
    cache.Save();
    const Bytes plain = unscrambled(readAll(dir / qv::DirectoryCache::FileName), qv::DirectoryCache::ScrambleKey);
    seed("dircache_fuzz", "two-records", {0}, plain);
    seed("dircache_fuzz", "two-records-kept", {2 | 4}, plain);
}

void dixSeeds()
{
    Bytes flag;
    {
        fw::MemoryStream m;
        fw::writeBmp(m, gradient(4, 3));
        flag = m.take();
    }
    std::vector<fw::DixEntry> entries = {
        {1, 20, 0, 0, "Cannot read %s."},       {1, 500, 0, 0, "pieces"},
        {1, 501, 0, 0, "#1,500"},               {1, 502, 0, 64, "casas"},
        {1, 503, 0, 0, "With @IDA inside"},     {5, 7, 0, 0, "named"},
        {2, 600, 3, 0, "variant %i of %d"},     {3, 8, 0, 0, "Out of memory"},
        {4, 1, 0, 0, "OK"},                     {1, 199, 0, 0, "Version %.2f wanted, %.2f found in %s"},
        {1, 504, 0, 16, "#1,501"},
    };
    seed("dix_fuzz", "v120", {}, fw::buildDix(entries, flag, 120));
    seed("dix_fuzz", "v100", {}, fw::buildDix({entries[0], entries[2], entries[1]}, flag, 0));
}

void textSeeds()
{
    seed("profile_fuzz", "settings", {},
         "[Main]\r\nOptions=0x61\r\nLoupe=250, 2.5\r\nMute=1\r\nlang=cas\r\nLastPuz=C:\\Puzzles\\Castle.sav\r\n"
         "AbEnd=1\r\n; a comment\r\n[DontAsk]\r\nMovePuz=1\r\n[History]\r\nLastImage=x.jpg\r\n");
    seed("profile_fuzz", "unix", {}, "[main]\nFileProfile=Other\nNoSparkle=-3\nDefAutoSave=0\n");

    seed("markup_fuzz", "question", {0x23, 0}, "Quorvane\0Save the game?\0"s);
    seed("markup_fuzz", "field", {0x01, 7},
         "Name\0Your name:\0<{LIN}{+12,+0}{inp:XXXXXXX/limittext:7/ini:Ann}{check:Again/INI:1}"s);
    seed("markup_fuzz", "tokens", {0x40, 0},
         "T\0{x\0{TIT:Own}{CENTER}{THIN}{STR:a}{SETTAB2}{TAB2}{20,4}{IDS(500)}{ICON_STOP}{lin}"
         "{static:(9999)}{btns{OK}{cancel}{HELP}{yes}{no}}{CENTER-}{THIN-}"s);

    seed("credits_fuzz", "roll", {},
         "\\fnt2:Sans,15\\fnt1:Times New Roman,28,BOLD\\snd:credits.wav\\timerres:30\\bkclr:0,0,64"
         "{RGB=255,255,0 fnt=2 Quorvane}{@icon:200}{@icon2:201}{@bmp:7}{RGB=1,2,3 fnt=1 two\nlines}\\other=1"
         "{RGB=9,9,9 fnt=9 no such font");

    seed("minefield_settings_fuzz", "mvro.ini", {},
         "[MVRO]\r\nLEVEL3=9\r\nWIDTH=40\r\nHEIGHT=3\r\nMINES=500\r\nSHAPE=6\r\nCOLOR=255\r\nTEXTURE=C:\\t.bmp\r\n"
         "SOUND=0\r\n[HEXAGON]\r\nT0=12\r\nN0=Ann\r\nT4=-5\r\nN4=A very long name that goes past the limit\r\n");
    seed("minefield_settings_fuzz", "defaults", {}, "[mvro]\nlevel3=2\n[SQUARE]\nT1=99999999999\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_FOLDER\n");
        return 2;
    }
    g_out = argv[1];
    g_tmp = fs::temp_directory_path() / ("qvseeds-" + std::to_string(::getpid()));
    fs::create_directories(g_tmp);
    headerSeeds();
    savedGameSeeds();
    pictureSeeds();
    scoreSeeds();
    libraryCacheSeeds();
    dixSeeds();
    textSeeds();
    fs::remove_all(g_tmp);
    return 0;
}
