#include "framework/Traductor.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <system_error>

#include "framework/Bmp.h"
#include "framework/Stream.h"
#include "framework/TraductorFormat.h"

namespace fw {

namespace {

// References may point at references; a chain longer than this is a loop
// in a damaged or careless file and ends with the empty text.
constexpr int kMaxDepth = 16;

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool startsWithNoCase(const std::string& s, const std::string& prefix)
{
    return s.size() >= prefix.size() && lower(s.substr(0, prefix.size())) == lower(prefix);
}

std::vector<std::string> splitList(const std::string& list)
{
    std::vector<std::string> codes;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = std::min(list.find(',', start), list.size());
        std::string code = list.substr(start, comma - start);
        code.erase(0, code.find_first_not_of(" \t"));
        code.erase(code.find_last_not_of(" \t") + 1);
        if (!code.empty())
            codes.push_back(lower(code));
        start = comma + 1;
    }
    return codes;
}

// Reads a decimal number at position `at`, as the old files expect: leading
// blanks, an optional sign, digits; anything else gives 0.
int numberAt(const std::string& text, size_t at)
{
    if (at >= text.size())
        return 0;
    long v = std::strtol(text.c_str() + at, nullptr, 10);
    return static_cast<int>(std::clamp(v, -65536L, 65535L));
}

bool isOneOf(unsigned char c, const char* set)
{
    return c != 0 && std::strchr(set, c) != nullptr;
}

// Endings in Windows-1252 (Latin-1 letters).
const char* const kSpanishVowels = "AaEeIiOoUu\xC1\xE1\xC9\xE9\xCD\xED\xD3\xF3\xDA\xFA";
const char* const kCatalanAE = "Aa\xE1\xC1\xC0\xE0" "Ee\xC9\xE9\xC8\xE8";
// The lower-case o with acute accent belongs here as well, and a stressed
// ending loses its accent before "ns": "camió" gives "camions".
const char* const kCatalanOU = "Oo\xD3\xF3\xD2\xF2" "Uu\xD9\xF9\xDA\xFA";

char withoutAccent(unsigned char c)
{
    switch (c) {
    case 0xD3: case 0xD2: return 'O';
    case 0xF3: case 0xF2: return 'o';
    case 0xDA: case 0xD9: return 'U';
    case 0xFA: case 0xF9: return 'u';
    default: return static_cast<char>(c);
    }
}

Bitmap decodeFlag(const std::vector<uint8_t>& bmp)
{
    Bitmap flag;
    if (bmp.empty())
        return flag;
    MemoryStream in(bmp.data(), bmp.size());
    if (!readBmp(in, flag).ok())
        return Bitmap{};
    return flag;
}

}  // namespace

Status Traductor::Create(const std::string& wanted, const std::filesystem::path& directory,
                         const std::string& fileBase, uint16_t expectedVersion, const std::string& languageList)
{
    m_directory = directory;
    m_base = fileBase;
    m_expectedVersion = expectedVersion;
    m_current.clear();
    m_table = DixTable{};
    if (fileBase.size() > 5)
        report("Traductor::file ln>5");

    std::vector<std::string> codes = splitList(languageList);
    scanDirectory(codes);
    m_flags.clear();
    for (const auto& path : m_paths) {
        DixTable header;
        std::string why;
        loadDix(path, header, why, true);
        m_flags.push_back(decodeFlag(header.flagBmp));
    }
    if (m_languages.empty()) {
        m_lastError = "no translation file " + fileBase + "*.dix in " + directory.string();
        return Status(msg::DixCannotOpen, (directory / (fileBase + "eng.dix")).string());
    }
    std::string code = lower(wanted);
    if (std::find(m_languages.begin(), m_languages.end(), code) == m_languages.end())
        code = m_languages.front();
    Status s = load(code, m_table);
    if (s.ok())
        m_current = code;
    return s;
}

void Traductor::scanDirectory(std::vector<std::string>& codes)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(m_directory, ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() >= m_base.size() + 3 + 4 && startsWithNoCase(name, m_base) &&
            lower(name.substr(name.size() - 4)) == ".dix" && e.is_regular_file(ec))
            files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());

    std::vector<std::filesystem::path> paths(codes.size());
    for (const auto& file : files) {
        const std::string code = lower(file.filename().string().substr(m_base.size(), 3));
        auto it = std::find(codes.begin(), codes.end(), code);
        if (it == codes.end()) {
            codes.push_back(code);
            paths.push_back(file);
        } else if (paths[it - codes.begin()].empty()) {
            paths[it - codes.begin()] = file;
        }
    }
    m_languages.clear();
    m_paths.clear();
    for (size_t i = 0; i < codes.size(); ++i) {
        if (paths[i].empty())
            continue;
        m_languages.push_back(codes[i]);
        m_paths.push_back(paths[i]);
    }
}

std::filesystem::path Traductor::languageFile(const std::string& code) const
{
    auto it = std::find(m_languages.begin(), m_languages.end(), lower(code));
    if (it != m_languages.end())
        return m_paths[it - m_languages.begin()];
    return m_directory / (m_base + code + ".dix");
}

Status Traductor::load(const std::string& code, DixTable& table)
{
    const std::filesystem::path path = languageFile(code);
    DixTable fresh;
    std::string why;
    Status s = loadDix(path, fresh, why);
    if (!s.ok()) {
        m_lastError = path.string() + ": " + why;
        return s;
    }
    if (m_expectedVersion != 0 && fresh.version != m_expectedVersion) {
        std::string format = GetText(msg::DixVersion);
        if (format.empty())
            format = "This program needs translation files of version %.2f, but version %.2f was found in %s.";
        m_lastError = formatText(format, {m_expectedVersion / 100.0, fresh.version / 100.0, path.string()});
        report(m_lastError);
        return Status(msg::DixVersion, path.string());
    }
    table = std::move(fresh);
    return {};
}

int Traductor::currentIndex() const
{
    auto it = std::find(m_languages.begin(), m_languages.end(), m_current);
    return it == m_languages.end() ? -1 : static_cast<int>(it - m_languages.begin());
}

Status Traductor::SetLanguage(int index, bool remember)
{
    if (index < 0 || index >= static_cast<int>(m_languages.size())) {
        m_lastError = "no language number " + std::to_string(index);
        return Status(msg::DixCannotOpen, std::to_string(index));
    }
    const std::string code = m_languages[index];
    if (code != m_current) {
        DixTable table;
        Status s = load(code, table);
        if (!s.ok())
            return s;
        m_table = std::move(table);
        m_current = code;
    }
    if (remember && m_remember)
        m_remember(code);
    if (m_changed)
        m_changed();
    return {};
}

Status Traductor::SetLanguage(const std::string& code, bool remember)
{
    auto it = std::find(m_languages.begin(), m_languages.end(), lower(code));
    if (it == m_languages.end()) {
        m_lastError = "no translation file for the language " + code;
        return Status(msg::DixCannotOpen, languageFile(code).string());
    }
    return SetLanguage(static_cast<int>(it - m_languages.begin()), remember);
}

std::string Traductor::Lookup(int kind, int id, int variant, int context, int flags) const
{
    if (m_reportAll && !(flags & Raw))
        flags |= ReportMissing;
    return find(kind, id, variant, context, flags & (ReportMissing | Raw), 0);
}

std::string Traductor::find(int kind, int id, int variant, int context, int flags, int depth) const
{
    if (depth > kMaxDepth) {
        report("Traductor:: reference loop id:" + std::to_string(id) + " tip:" + std::to_string(kind));
        return {};
    }
    const int32_t key = dixKey(static_cast<uint16_t>(kind), static_cast<uint16_t>(id), static_cast<uint16_t>(variant),
                               static_cast<uint16_t>(context));
    if (auto index = m_table.find(key)) {
        std::string text = m_table.textAt(*index);
        if ((flags & Raw) || text.empty() || text[0] != '#')
            return text;
        return followReference(text, variant, context, flags & ContextStepRunning, depth);
    }
    if (!(flags & Raw)) {
        std::string text = fallback(kind, id, variant, context, flags, depth);
        if (!text.empty())
            return text;
    }
    if (flags & ReportMissing)
        report("Traductor:: id:" + std::to_string(id) + " tip:" + std::to_string(kind) + " atm:" +
               std::to_string(variant) + " ctx:" + std::to_string(context));
    return {};
}

// "#k,nnn": the kind from the second character, the id from the fourth.
std::string Traductor::followReference(const std::string& text, int variant, int context, int flags, int depth) const
{
    return find(numberAt(text, 1), numberAt(text, 3), variant, context, flags, depth + 1);
}

std::string Traductor::fallback(int kind, int id, int variant, int context, int flags, int depth) const
{
    const int inner = flags & ContextStepRunning;
    if (context != 0 && !(flags & ContextStepRunning)) {
        std::string raw = find(kind, id, 0, 0, Raw, depth + 1);
        if (!raw.empty() && raw[0] == '#')
            return followReference(raw, variant, context, ContextStepRunning, depth);
    }
    if (context == Plural) {
        std::string single = find(kind, id, variant, 0, inner, depth + 1);
        if (!single.empty())
            return Pluralize(single);
    }
    if (context == 16)
        return find(kind, id, variant, 0, inner, depth + 1);
    if (variant != 0 || context == 32 || context == 80)
        return find(kind, id, 0, variant != 0 ? context : 0, inner, depth + 1);
    return {};
}

std::string Traductor::GetText(int id, int ida) const
{
    std::string text = Lookup(Text, id);
    if (text.find("@IDA") == std::string::npos)
        return text;
    return FillIda(std::move(text), Lookup(Context, ida));
}

std::string Traductor::FillIda(std::string text, const std::string& insert)
{
    const std::string mark = "@IDA";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + insert.size()))
        text.replace(at, mark.size(), insert);
    return text;
}

std::string Traductor::ErrorText(const Traductor* traductor, int number)
{
    if (!traductor)
        return "Error #" + std::to_string(number);
    return traductor->Lookup(ErrorMessage, number);
}

std::string Traductor::Pluralize(const std::string& word) const
{
    if (word.empty() || (m_current != "cas" && m_current != "cat"))
        return word;
    const unsigned char last = static_cast<unsigned char>(word.back());
    if (m_current == "cas")
        return word + (isOneOf(last, kSpanishVowels) ? "s" : "es");
    if (isOneOf(last, kCatalanAE))
        return word.substr(0, word.size() - 1) + "es";
    if (isOneOf(last, kCatalanOU))
        return word.substr(0, word.size() - 1) + withoutAccent(last) + "ns";
    return word + "s";
}

std::string Traductor::DefaultLanguage(const std::string& systemAbbreviation)
{
    const std::string a = lower(systemAbbreviation);
    if (a == "eng" || a == "enu")
        return "eng";
    if (a == "esp" || a == "esn")
        return "cas";
    if (a == "fra" || a == "ita" || a == "cat")
        return a;
    // German systems get the German file; Dutch ones have long got it too.
    if (a == "nld" || a == "deu")
        return "deu";
    return "eng";
}

std::string Traductor::SystemLanguageAbbreviation()
{
    const char* value = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            value = v;
            break;
        }
    }
    if (!value)
        return "eng";
    const std::string locale = lower(value);
    const std::string lang = locale.substr(0, locale.find_first_of("_.@"));
    static const struct {
        const char* iso;
        const char* windows;
    } table[] = {{"en", "enu"}, {"es", "esn"}, {"fr", "fra"}, {"nl", "nld"},
                 {"it", "ita"}, {"ca", "cat"}, {"de", "deu"}};
    if (lang == "en" && locale.rfind("en_gb", 0) == 0)
        return "eng";
    for (const auto& row : table)
        if (lang == row.iso)
            return row.windows;
    return lang.empty() || lang == "c" || lang == "posix" ? "eng" : lang;
}

void Traductor::report(const std::string& text) const
{
    if (m_reporter)
        m_reporter(text);
    else
        std::cerr << text << '\n';
}

}  // namespace fw
