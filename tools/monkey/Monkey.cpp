// Over 600 lines: one test tool, not the games' code. Choosing an input,
// answering the games' dialogs and telling a finding (a crash, a sanitizer
// report, a hang, a file that no longer reads) share the state of one run.
#include "Monkey.h"

#include <X11/keysym.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace monkey {

namespace {

constexpr int kHangMs = 15000;      // no answer to a ping for this long is a hang
constexpr int kStartMs = 90000;     // a sanitized start-up may take long; a window must come by then
constexpr size_t kRemembered = 50;  // inputs printed with a finding

struct Key {
    unsigned long sym;
    std::vector<unsigned long> mods;
    const char* what;  // for the log; the keysym's name when empty
};

const unsigned long Ctrl = XK_Control_L, Alt = XK_Alt_L, Shift = XK_Shift_L;

// Every key the jigsaw binds, with its modifiers, and a few it must ignore.
const std::vector<Key>& jigsawKeys()
{
    static const std::vector<Key> keys = {
        {XK_F1, {}, "F1"},
        {XK_F2, {}, "F2"},
        {XK_F3, {}, "F3"},
        {XK_F4, {}, "F4"},
        {XK_F5, {}, "F5"},
        {XK_F10, {}, "F10"},
        {XK_F10, {Alt}, "Alt+F10"},
        {XK_Insert, {}, "Insert"},
        {XK_KP_Insert, {}, "KP_0"},
        {XK_space, {}, "Space"},
        {XK_Up, {}, "Up"},
        {XK_z, {}, "Z"},
        {XK_Escape, {}, "Escape"},
        {XK_Tab, {}, "Tab"},
        {XK_KP_Add, {}, "KP_Add"},
        {XK_Print, {}, "Print"},
        {XK_Num_Lock, {}, "Num_Lock"},
        {XK_Left, {}, "Left"},
        {XK_Right, {}, "Right"},
        {XK_Down, {}, "Down"},
        {XK_Return, {}, "Return"},
        {XK_Delete, {}, "Delete"},
        {XK_plus, {}, "+"},
        {XK_minus, {}, "-"},
        {XK_o, {Ctrl}, "Ctrl+O"},
        {XK_s, {Ctrl}, "Ctrl+S"},
        {XK_a, {Ctrl}, "Ctrl+A"},
        {XK_b, {Ctrl}, "Ctrl+B"},
        {XK_p, {Ctrl}, "Ctrl+P"},
        {XK_r, {Ctrl}, "Ctrl+R"},
        {XK_c, {Ctrl}, "Ctrl+C"},
        {XK_v, {Ctrl}, "Ctrl+V"},
        {XK_t, {Ctrl}, "Ctrl+T"},
        {XK_r, {Alt}, "Alt+R"},
        {XK_r, {Ctrl, Alt}, "Ctrl+Alt+R"},
        {XK_1, {Alt}, "Alt+1"},
        {XK_2, {Alt}, "Alt+2"},
        {XK_3, {Alt}, "Alt+3"},
        {XK_4, {Alt}, "Alt+4"},
        {XK_5, {Alt}, "Alt+5"},
        {XK_6, {Alt}, "Alt+6"},
        {XK_7, {Alt}, "Alt+7"},
        {XK_8, {Alt}, "Alt+8"},
        {XK_9, {Alt}, "Alt+9"},
        {XK_KP_End, {Alt}, "Alt+KP_1"},
        {XK_KP_Down, {Alt}, "Alt+KP_2"},
        {XK_KP_Next, {Alt}, "Alt+KP_3"},
        {XK_KP_Left, {Alt}, "Alt+KP_4"},
        {XK_KP_Begin, {Alt}, "Alt+KP_5"},
        {XK_KP_Right, {Alt}, "Alt+KP_6"},
        {XK_End, {Alt}, "Alt+End"},
        {XK_Down, {Alt}, "Alt+Down"},
        {XK_Next, {Alt}, "Alt+PgDn"},
        {XK_Left, {Alt}, "Alt+Left"},
        {XK_Right, {Alt}, "Alt+Right"},
        {XK_q, {Alt}, "Alt+Q"},
        {XK_Return, {Alt}, "Alt+Return"},
    };
    return keys;
}

// The mine field's keys: its shortcuts, the menu bar's mnemonics and a few
// that do nothing.
const std::vector<Key>& minesKeys()
{
    static const std::vector<Key> keys = {
        {XK_F2, {}, "F2"},           {XK_F1, {}, "F1"},           {XK_g, {Alt}, "Alt+G"},
        {XK_c, {Alt}, "Alt+C"},      {XK_l, {Alt}, "Alt+L"},      {XK_o, {Alt}, "Alt+O"},
        {XK_h, {Alt}, "Alt+H"},      {XK_F10, {}, "F10"},         {XK_Escape, {}, "Escape"},
        {XK_space, {}, "Space"},     {XK_Return, {}, "Return"},   {XK_Tab, {}, "Tab"},
        {XK_Left, {}, "Left"},       {XK_Down, {}, "Down"},       {XK_x, {}, "X"},
    };
    return keys;
}

std::string keyName(const Key& k) { return k.what; }

// Runs a tool and keeps its output; the exit status, or -1 when it died.
int runTool(const std::vector<std::string>& argv, const fs::path& log)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        gameEnvironment();
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

Monkey::Monkey(Config config)
    : m_cfg(std::move(config)),
      m_rng(m_cfg.seed),
      m_gameRun(m_cfg.folder / m_cfg.game, m_cfg.logDir, m_cfg.user)
{
}

// --- randomness

int Monkey::below(int n) { return n <= 1 ? 0 : static_cast<int>(m_rng() % static_cast<uint64_t>(n)); }

bool Monkey::chance(int percent) { return below(100) < percent; }

// --- the record of inputs

void Monkey::note(const std::string& what)
{
    ++m_inputCount;
    const double t = std::chrono::duration<double>(Clock::now() - m_start).count();
    char line[64];
    std::snprintf(line, sizeof line, "#%ld %7.2fs run %d: ", m_inputCount, t, m_gameRun.launches());
    m_last.push_back(line + what);
    if (m_last.size() > kRemembered)
        m_last.pop_front();
    m_inputs << m_last.back() << '\n';
}

// --- input

void Monkey::pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void Monkey::moveTo(int x, int y)
{
    m_desk.moveTo(std::clamp(x, 0, m_desk.screenWidth() - 1), std::clamp(y, 0, m_desk.screenHeight() - 1));
}

void Monkey::glide(int x0, int y0, int x1, int y1, int steps)
{
    for (int i = 1; i <= steps; ++i) {
        moveTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        pause(15);
    }
}

void Monkey::click(int x, int y, int b)
{
    moveTo(x, y);
    pause(20);
    press(b);
    pause(30);
    release(b);
}

void Monkey::tap(unsigned long keysym, const std::vector<unsigned long>& mods)
{
    std::vector<unsigned long> held = mods;
    if (m_desk.needsShift(keysym) && std::find(held.begin(), held.end(), Shift) == held.end())
        held.push_back(Shift);
    for (unsigned long m : held)
        m_desk.key(m, true);
    m_desk.key(keysym, true);
    pause(20);
    m_desk.key(keysym, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        m_desk.key(*it, false);
}

void Monkey::type(const std::string& text)
{
    for (char c : text) {
        unsigned long sym = static_cast<unsigned char>(c);
        if (c == ' ')
            sym = XK_space;
        else if (c == '/')
            sym = XK_slash;
        else if (c == '.')
            sym = XK_period;
        else if (c == '-')
            sym = XK_minus;
        else if (c == '_')
            sym = XK_underscore;
        tap(sym);
    }
}

// --- windows

bool Monkey::refresh()
{
    m_windows = m_desk.windowsOf(m_gameRun.pid());
    m_shotTaken = false;
    const Win* best = nullptr;
    for (const Win& w : m_windows)
        if (!w.dialog && !w.popup && !w.tooltip && (!best || w.area() > best->area()))
            best = &w;
    if (best)
        m_main = *best;
    return best || topDialog() || topPopup();
}

const Win* Monkey::topDialog() const
{
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (it->dialog)
            return &*it;
    return nullptr;
}

const Win* Monkey::topPopup() const
{
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (it->popup)
            return &*it;
    return nullptr;
}

std::pair<int, int> Monkey::anyPoint()
{
    const Win& w = m_main;
    return {w.x + below(std::max(1, w.w)), w.y + below(std::max(1, w.h))};
}

// A point where the play window shows something else than its table: the
// table's colours are the most frequent ones on a grid over the window.
std::pair<int, int> Monkey::pointOnPiece()
{
    const int step = 12;
    const Win& w = m_main;
    // One look at the screen a step: the pieces move only when played.
    if (!m_shotTaken) {
        m_shot = m_desk.sample(w.x, w.y, w.w, w.h, step);
        m_shotTaken = true;
    }
    const std::vector<uint32_t>& px = m_shot;
    if (px.empty())
        return anyPoint();
    auto coarse = [](uint32_t c) { return ((c >> 20) & 0xF) << 8 | ((c >> 12) & 0xF) << 4 | ((c >> 4) & 0xF); };
    std::map<uint32_t, int> counts;
    for (uint32_t c : px)
        ++counts[coarse(c)];
    const int columns = (std::min(w.w, m_desk.screenWidth() - std::max(0, w.x)) + step - 1) / step;
    std::vector<size_t> rare;
    for (size_t i = 0; i < px.size(); ++i)
        if (counts[coarse(px[i])] * 50 < static_cast<int>(px.size()))
            rare.push_back(i);
    if (rare.empty() || columns <= 0)
        return anyPoint();
    const size_t i = rare[static_cast<size_t>(below(static_cast<int>(rare.size())))];
    return {std::max(0, w.x) + static_cast<int>(i % columns) * step, std::max(0, w.y) + static_cast<int>(i / columns) * step};
}

std::string Monkey::someText()
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(m_cfg.folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const std::string ext = lower(it->path().extension().string());
        if (ext == ".puz" || ext == ".sav" || ext == ".jpg" || ext == ".bmp" || ext == ".png")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    switch (below(6)) {
    case 0:
    case 1:
        if (!files.empty())
            return files[static_cast<size_t>(below(static_cast<int>(files.size())))].string();
        [[fallthrough]];
    case 2: {
        static const char* const words[] = {"monkey", "Game 1", "a", "x.sav", "no such file.puz", "..", "1234"};
        return words[below(7)];
    }
    case 3: return std::string(static_cast<size_t>(between(30, 300)), 'w');
    default: {
        std::string s;
        const int n = between(1, 12);
        for (int i = 0; i < n; ++i)
            s += "abcxyz019 ._-/"[below(14)];
        return s;
    }
    }
}

// --- playing

void Monkey::answerPopup(const Win& popup)
{
    switch (below(10)) {
    case 0:
    case 1:
    case 2: {
        const int x = popup.x + between(4, std::max(4, popup.w - 4)), y = popup.y + between(2, std::max(2, popup.h - 2));
        note("menu: click (" + std::to_string(x) + "," + std::to_string(y) + ")");
        click(x, y);
        break;
    }
    case 3:
    case 4: note("menu: Escape"); tap(XK_Escape); break;
    default: {
        const int downs = below(8);
        note("menu: Down x" + std::to_string(downs) + (chance(30) ? ", Right" : "") + ", Return");
        for (int i = 0; i < downs; ++i)
            tap(XK_Down);
        if (chance(30))
            tap(XK_Right);
        tap(XK_Return);
        break;
    }
    }
}

void Monkey::answerDialog(const Win& d)
{
    if (std::find(m_seenDialogs.begin(), m_seenDialogs.end(), d.id) == m_seenDialogs.end()) {
        m_seenDialogs.push_back(d.id);
        ++m_dialogs;
    }
    // A failed internal check of the game shows a box of this title.
    if (d.title.find(" imprevista") != std::string::npos || d.title.find("BreakPoint") != std::string::npos)
        return finding("broken internal check", "a box titled '" + d.title + "' came up");
    m_desk.activate(d.id);
    const std::string in = "dialog '" + d.title + "': ";
    // While closing, the questions get their default answer most of the time.
    const int r = m_closing && chance(60) ? 0 : below(20);
    if (r < 4) {
        note(in + "Return");
        tap(XK_Return);
    } else if (r < 8) {
        note(in + "Escape");
        tap(XK_Escape);
    } else if (r < 10) {
        const int tabs = between(1, 8);
        const bool space = chance(50);
        note(in + "Tab x" + std::to_string(tabs) + (space ? ", Space" : ", Return"));
        for (int i = 0; i < tabs; ++i)
            tap(XK_Tab);
        tap(space ? XK_space : XK_Return);
    } else if (r < 12) {
        const std::string text = someText();
        const bool enter = chance(70);
        note(in + "type '" + text + "'" + (enter ? ", Return" : ""));
        if (chance(50))
            tap(XK_a, {Ctrl});
        type(text);
        if (enter)
            tap(XK_Return);
    } else if (r < 17) {
        const int x = d.x + below(std::max(1, d.w)), y = d.y + below(std::max(1, d.h));
        const bool twice = chance(15);
        note(in + (twice ? "double click (" : "click (") + std::to_string(x) + "," + std::to_string(y) + ")");
        click(x, y);
        if (twice) {
            pause(40);
            click(x, y);
        }
    } else if (r < 18) {
        static const unsigned long arrows[] = {XK_Up, XK_Down, XK_Left, XK_Right, XK_space, XK_Home, XK_End};
        const unsigned long k = arrows[below(7)];
        note(in + "key " + XKeysymToString(k));
        tap(k);
    } else if (r < 19) {
        note(in + "close button");
        m_desk.askToClose(d.id);
    } else {
        note(in + "Alt+F4");
        tap(XK_F4, {Alt});
    }
}

void Monkey::jigsawKey()
{
    const auto& keys = jigsawKeys();
    const Key& k = keys[static_cast<size_t>(below(static_cast<int>(keys.size())))];
    const auto [x, y] = chance(70) ? pointOnPiece() : anyPoint();
    note("key " + keyName(k) + " at (" + std::to_string(x) + "," + std::to_string(y) + ")");
    moveTo(x, y);
    pause(20);
    tap(k.sym, k.mods);
}

void Monkey::jigsawDrag(bool turnWhileCarrying)
{
    const auto [x0, y0] = pointOnPiece();
    const auto [x1, y1] = chance(50) ? pointOnPiece() : anyPoint();
    std::string what = "drag (" + std::to_string(x0) + "," + std::to_string(y0) + ")->(" + std::to_string(x1) +
                       "," + std::to_string(y1) + ")";
    moveTo(x0, y0);
    pause(20);
    press(1);
    const int steps = between(3, 12);
    glide(x0, y0, (x0 + x1) / 2, (y0 + y1) / 2, steps);
    if (turnWhileCarrying) {
        const int turns = between(1, 3);
        for (int i = 0; i < turns; ++i) {
            const int b = chance(50) ? 3 : 2;
            what += b == 3 ? " +right" : " +middle";
            press(b);
            pause(20);
            release(b);
            pause(20);
        }
    }
    if (chance(8)) {
        const int box = between(1, 9);
        what += " +Alt+" + std::to_string(box);
        tap(XK_0 + static_cast<unsigned long>(box), {Alt});
    }
    glide((x0 + x1) / 2, (y0 + y1) / 2, x1, y1, steps);
    release(1);
    note(what);
}

void Monkey::playJigsaw()
{
    const int r = below(100);
    if (r < 30)
        return jigsawDrag(false);
    if (r < 40)
        return jigsawDrag(true);
    if (r < 66)
        return jigsawKey();
    if (r < 74) {
        const auto [x, y] = chance(60) ? pointOnPiece() : anyPoint();
        static const std::vector<unsigned long> none, ctrl{Ctrl}, alt{Alt}, both{Ctrl, Alt};
        const int m = below(4);
        const auto& mods = m == 0 ? none : m == 1 ? ctrl : m == 2 ? alt : both;
        static const char* const names[] = {"click", "Ctrl+click", "Alt+click", "Ctrl+Alt+click"};
        note(std::string(names[m]) + " (" + std::to_string(x) + "," + std::to_string(y) + ")");
        for (unsigned long k : mods)
            m_desk.key(k, true);
        click(x, y);
        for (unsigned long k : mods)
            m_desk.key(k, false);
        return;
    }
    if (r < 81) {
        const auto [x, y] = chance(60) ? pointOnPiece() : anyPoint();
        note("right click (" + std::to_string(x) + "," + std::to_string(y) + ")");
        return click(x, y, 3);
    }
    if (r < 84) {
        const auto [x, y] = chance(30) ? pointOnPiece() : anyPoint();
        note("middle click (" + std::to_string(x) + "," + std::to_string(y) + ")");
        return click(x, y, 2);
    }
    if (r < 88) {
        const auto [x, y] = anyPoint();
        note("double click (" + std::to_string(x) + "," + std::to_string(y) + ")");
        click(x, y);
        pause(40);
        return click(x, y);
    }
    if (r < 92) {
        // A band on the table, then something done with it.
        const auto [x0, y0] = anyPoint();
        const int x1 = x0 + between(-300, 300), y1 = y0 + between(-300, 300);
        static const char* const after[] = {"", " then Escape", " then Ctrl+R", " then Alt+R", " then right click inside"};
        const int a = below(5);
        note("Ctrl+band (" + std::to_string(x0) + "," + std::to_string(y0) + ")->(" + std::to_string(x1) + "," +
             std::to_string(y1) + ")" + after[a]);
        m_desk.key(Ctrl, true);
        moveTo(x0, y0);
        press(1);
        glide(x0, y0, x1, y1, 6);
        release(1);
        m_desk.key(Ctrl, false);
        pause(30);
        if (a == 1)
            tap(XK_Escape);
        else if (a == 2)
            tap(XK_r, {Ctrl});
        else if (a == 3)
            tap(XK_r, {Alt});
        else if (a == 4)
            click((x0 + x1) / 2, (y0 + y1) / 2, 3);
        return;
    }
    if (r < 96) {
        // The loupe: Shift alone opens it, arrows and + - change it.
        const auto [x, y] = anyPoint();
        note("loupe at (" + std::to_string(x) + "," + std::to_string(y) + "): Shift, keys, Shift");
        moveTo(x, y);
        tap(Shift);
        static const unsigned long k[] = {XK_Up, XK_Down, XK_Left, XK_Right, XK_plus, XK_minus, XK_KP_Add,
                                          XK_KP_Subtract};
        const int n = below(5);
        for (int i = 0; i < n; ++i) {
            tap(k[below(8)]);
            moveTo(x + between(-80, 80), y + between(-80, 80));
        }
        tap(Shift);
        return;
    }
    const std::string text = someText();
    note("type '" + text + "'");
    type(text);
}

void Monkey::playMines()
{
    const Win& w = m_main;
    // The board lies below the menu bar and the tool bar, above the status bar.
    auto onBoard = [&] {
        return std::pair<int, int>{w.x + between(2, std::max(2, w.w - 3)), w.y + between(60, std::max(60, w.h - 28))};
    };
    const int r = below(100);
    if (r < 45) {
        const auto [x, y] = onBoard();
        note("click (" + std::to_string(x) + "," + std::to_string(y) + ")");
        return click(x, y);
    }
    if (r < 65) {
        const auto [x, y] = onBoard();
        note("right click (" + std::to_string(x) + "," + std::to_string(y) + ")");
        return click(x, y, 3);
    }
    if (r < 72) {
        const auto [x0, y0] = onBoard();
        const auto [x1, y1] = chance(50) ? std::pair<int, int>{x0 + between(-40, 40), y0 + between(-40, 40)} : anyPoint();
        note("press (" + std::to_string(x0) + "," + std::to_string(y0) + ") move, release (" + std::to_string(x1) +
             "," + std::to_string(y1) + ")");
        moveTo(x0, y0);
        press(1);
        glide(x0, y0, x1, y1, between(2, 8));
        if (chance(20)) {
            press(3);
            release(3);
        }
        return release(1);
    }
    if (r < 84) {
        const auto& keys = minesKeys();
        const Key& k = keys[static_cast<size_t>(below(static_cast<int>(keys.size())))];
        note("key " + keyName(k));
        return tap(k.sym, k.mods);
    }
    if (r < 94) {
        // The menu bar and the tool bar.
        const int x = w.x + below(std::min(w.w, 260)), y = w.y + between(2, 55);
        note("click bar (" + std::to_string(x) + "," + std::to_string(y) + ")");
        return click(x, y);
    }
    const auto [x, y] = anyPoint();
    note("double click (" + std::to_string(x) + "," + std::to_string(y) + ")");
    click(x, y);
    pause(40);
    click(x, y);
}

void Monkey::step()
{
    if (const Win* p = topPopup())
        return answerPopup(*p);
    if (const Win* d = topDialog(); d && chance(90))
        return answerDialog(*d);
    if (!m_main.id)
        return pause(100);
    if (chance(3)) {
        // The play window may have gone to the background or been minimised.
        note("activate the main window");
        m_desk.activate(m_main.id);
        return;
    }
    if (m_cfg.game == "mvro")
        playMines();
    else
        playJigsaw();
}

// --- the game's life

bool Monkey::sync()
{
    m_desk.flush();
    if (!m_main.id) {
        pause(200);
        return true;
    }
    const auto begin = Clock::now();
    while (!m_desk.ping(m_main.id, 500)) {
        if (!m_gameRun.running())
            return true;  // its end is judged by the caller
        // The window may have been replaced (a window destroyed while its
        // process lives on answers no ping): ask the current one.
        refresh();
        if (Clock::now() - begin > std::chrono::milliseconds(kHangMs)) {
            finding("hang", "no answer to _NET_WM_PING for " + std::to_string(kHangMs / 1000) + " s\n" + hangStacks());
            return false;
        }
    }
    pause(30);
    return true;
}

// Where a hung game stands: every thread's stack when a debugger is at
// hand, else the sanitizer's report of an abort.
std::string Monkey::hangStacks()
{
    const fs::path log = m_cfg.logDir / "hang-stacks.log";
    std::string text;
    if (::access("/usr/bin/gdb", X_OK) == 0) {
        runTool({"/usr/bin/gdb", "-p", std::to_string(m_gameRun.pid()), "-batch", "-ex", "thread apply all bt 25"},
                log);
        std::istringstream in(readFile(log));
        for (std::string line; std::getline(in, line);)
            if (line.rfind("Thread ", 0) == 0 || line.rfind("#", 0) == 0)
                text += line + "\n";
    }
    m_gameRun.signal(SIGCONT);
    m_gameRun.signal(SIGABRT);
    m_gameRun.waitEnd(20000);
    const std::string report = m_gameRun.output();
    const size_t at = report.find("AddressSanitizer");
    if (at != std::string::npos)
        text += report.substr(report.rfind('\n', at) == std::string::npos ? 0 : report.rfind('\n', at) + 1, 6000);
    return text;
}

bool Monkey::launch(bool reopenOwnFiles)
{
    std::vector<std::string> args;
    std::string reopened;
    if (m_cfg.game == "mvro") {
        if (chance(50))
            args = {"--seed", std::to_string(below(1000000))};
    } else if (reopenOwnFiles && chance(70)) {
        std::vector<fs::path> own;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(m_cfg.folder, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            const std::string ext = lower(it->path().extension().string());
            if (ext == ".sav" || ext == ".puz")
                own.push_back(it->path());
        }
        std::sort(own.begin(), own.end());
        if (!own.empty()) {
            reopened = own[static_cast<size_t>(below(static_cast<int>(own.size())))].string();
            args = {reopened};
        }
    }
    m_main = Win{};
    m_windows.clear();
    m_seenDialogs.clear();
    m_closing = false;
    std::string line = "start " + m_cfg.game;
    for (const auto& a : args)
        line += " '" + a + "'";
    if (!m_gameRun.start(args)) {
        finding("cannot start", "the game could not be started");
        return false;
    }
    note(line);
    const auto begin = Clock::now();
    while (!refresh()) {
        if (!m_gameRun.running()) {
            checkAfterEnd(false);
            if (!m_found)
                finding("start", "the game ended before it showed a window (" + m_gameRun.exitText() + ")");
            return false;
        }
        if (Clock::now() - begin > std::chrono::milliseconds(kStartMs)) {
            finding("hang", "no window " + std::to_string(kStartMs / 1000) + " s after the start\n" + hangStacks());
            return false;
        }
        pause(200);
    }
    if (!sync())
        return false;
    if (!reopened.empty()) {
        // The game reopens its own file without complaint.
        pause(500);
        refresh();
        if (const Win* d = topDialog(); d && lower(d->title).find("error") != std::string::npos) {
            finding("reopening a file of the game", "'" + reopened + "' gave a box titled '" + d->title + "'");
            return false;
        }
    }
    return true;
}

// Asks the game to close as its user would, answering its questions, and
// judges its end.
bool Monkey::closeGame()
{
    m_closing = true;
    const auto begin = Clock::now();
    auto lastAsk = Clock::now() - std::chrono::seconds(10);
    while (m_gameRun.running()) {
        if (Clock::now() - begin > std::chrono::seconds(60)) {
            note("the game did not close within 60 s: killed");
            std::cout << "monkey: note: the game did not close within 60 s of being asked; killed it\n";
            m_gameRun.kill();
            return true;
        }
        refresh();
        if (topPopup() || topDialog()) {
            step();
        } else if (Clock::now() - lastAsk > std::chrono::seconds(4) && m_main.id) {
            note("close the main window");
            m_desk.askToClose(m_main.id);
            lastAsk = Clock::now();
        }
        if (!sync())
            return false;
        pause(100);
    }
    return checkAfterEnd(true);
}

bool Monkey::checkAfterEnd(bool asked)
{
    if (m_found)
        return false;
    const std::string report = m_gameRun.report();
    const std::string how = m_gameRun.exitText();
    if (!report.empty()) {
        finding("sanitizer or check report", report);
        return false;
    }
    if (!how.empty()) {
        std::string out = m_gameRun.output();
        if (out.size() > 4000)
            out = out.substr(out.size() - 4000);
        finding("the game ended badly", how + "\n" + out);
        return false;
    }
    if (!asked)
        note("the game closed by itself (an exit command)");
    return checkFiles();
}

bool Monkey::checkIni(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';' || (line[0] == '[' && line.find(']') != std::string::npos) ||
            line.find('=') != std::string::npos)
            continue;
        finding("settings file no longer reads", file.string() + " line " + std::to_string(n) + ": '" + line + "'");
        return false;
    }
    return true;
}

// Every file the game keeps must still read: saved games and puzzles with
// their scores and shelf caches through the project's own inspector, the
// settings as profile lines.
bool Monkey::checkFiles()
{
    std::vector<std::vector<std::string>> checks;
    std::vector<fs::path> inis;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(m_cfg.folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const fs::path& p = it->path();
        const std::string name = lower(p.filename().string()), ext = lower(p.extension().string());
        if (ext == ".ini") {
            inis.push_back(p);
            continue;
        }
        if (m_cfg.puzdump.empty())
            continue;
        if (ext == ".puz" || ext == ".sav")
            checks.push_back({m_cfg.puzdump.string(), "header", p.string()});
        else if (lower(p.parent_path().filename().string()) == "scores")
            checks.push_back({m_cfg.puzdump.string(), "scores", p.string()});
        else if (name == "dircache.tmp")
            checks.push_back({m_cfg.puzdump.string(), "shelf", p.parent_path().string()});
    }
    std::sort(checks.begin(), checks.end());
    for (const auto& c : checks) {
        const fs::path log = m_cfg.logDir / "puzdump.log";
        const int status = runTool(c, log);
        const std::string out = readFile(log);
        if (status != 0 || out.find("Sanitizer") != std::string::npos || out.find("runtime error") != std::string::npos) {
            finding("a file of the game no longer reads",
                    "puzdump " + c[1] + " " + c[2] + " -> status " + std::to_string(status) + "\n" + out.substr(0, 3000));
            return false;
        }
    }
    for (const auto& ini : inis)
        if (!checkIni(ini))
            return false;
    return true;
}

void Monkey::finding(const std::string& kind, const std::string& details)
{
    if (m_found)
        return;
    m_found = true;
    m_gameRun.kill();
    std::cout << "\nMONKEY FINDING in " << m_cfg.game << ": " << kind << "\n"
              << "seed " << m_cfg.seed << "; replay: tools/monkey/run.sh " << m_cfg.game << " " << m_cfg.seconds << " "
              << m_cfg.seed << "\n"
              << "after " << m_inputCount << " inputs, " << m_restarts << " restarts; game output: "
              << m_gameRun.outputFile().string() << "\n"
              << "last inputs:\n";
    for (const auto& l : m_last)
        std::cout << "  " << l << "\n";
    std::cout << "what happened:\n" << details << "\n";
    std::cout.flush();
}

int Monkey::run()
{
    if (!m_desk.open()) {
        std::cerr << "monkey: no X display with the XTest extension\n";
        return 2;
    }
    fs::create_directories(m_cfg.logDir);
    m_inputs.open(m_cfg.logDir / "inputs.log");
    m_start = Clock::now();
    std::cout << "monkey: " << m_cfg.game << " for " << m_cfg.seconds << " s, seed " << m_cfg.seed << std::endl;
    // The files the game starts with must read as well.
    if (!checkFiles())
        return 1;
    if (!launch(false))
        return 1;
    const auto end = m_start + std::chrono::seconds(m_cfg.seconds);
    auto nextRestart = Clock::now() + std::chrono::seconds(between(30, 75));
    while (Clock::now() < end && !m_found) {
        if (!m_gameRun.running()) {
            if (!checkAfterEnd(false) || !launch(true))
                break;
            ++m_restarts;
            continue;
        }
        if (Clock::now() > nextRestart) {
            // Mostly a normal exit; now and then a hard stop, after which the
            // files must read all the same.
            if (chance(15)) {
                note("kill -9 the game");
                m_gameRun.kill();
                if (!checkFiles())
                    break;
            } else if (!closeGame()) {
                break;
            }
            if (!launch(true))
                break;
            ++m_restarts;
            nextRestart = Clock::now() + std::chrono::seconds(between(30, 75));
            continue;
        }
        refresh();
        step();
        if (m_found || !sync())
            break;
    }
    if (!m_found && m_gameRun.running())
        closeGame();
    // Last, the game starts once more over the files it left.
    if (!m_found && launch(true) && !m_found)
        closeGame();
    if (m_found)
        return 1;
    std::cout << "monkey: " << m_cfg.game << " seed " << m_cfg.seed << ": " << m_inputCount << " inputs, "
              << m_restarts << " restarts, " << m_dialogs << " dialogs answered, no finding" << std::endl;
    return 0;
}

}  // namespace monkey
