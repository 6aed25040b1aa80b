#include "framework/Profile.h"

#include <iterator>
#include <system_error>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"

namespace fw {

namespace {

std::string_view trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// "[name]" gives name; anything else gives false.
bool headerName(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return false;
    const size_t close = line.find(']');
    name = trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return true;
}

bool isComment(std::string_view line)
{
    line = trim(line);
    return !line.empty() && line.front() == ';';
}

// Splits "key=value"; lines without '=' hold no key.
bool splitKey(std::string_view line, std::string_view& key, std::string_view& value)
{
    if (isComment(line))
        return false;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    return true;
}

std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool isStorableKey(std::string_view key)
{
    return !trim(key).empty() && key.find_first_of("=\r\n[]") == std::string_view::npos;
}

std::string flattenLines(std::string_view value)
{
    std::string out(value);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

}  // namespace

Profile::Profile(std::filesystem::path file) : m_path(std::move(file)) { refresh(); }

int32_t Profile::parseInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char p = lower(text[i + 1]);
        base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = lower(text[i]);
        unsigned digit = 99;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

std::string_view Profile::sectionName(std::string_view section) const
{
    return section.empty() ? std::string_view(m_defaultSection) : section;
}

Profile::Stamp Profile::stampOfFile() const
{
    std::error_code ec;
    Stamp s;
    s.size = std::filesystem::file_size(m_path, ec);
    if (ec)
        return {};
    s.time = std::filesystem::last_write_time(m_path, ec);
    s.exists = !ec;
    return s;
}

void Profile::refresh() const
{
    const Stamp now = stampOfFile();
    if (now == m_stamp && (!m_lines.empty() || !now.exists))
        return;
    m_stamp = now;
    m_lines.clear();
    m_crlf = true;
    FileStream in(m_path, FileStream::Mode::Read);
    if (!in.isOpen())
        return;
    std::string all(static_cast<size_t>(in.size()), '\0');
    all.resize(in.read(all.data(), all.size()));
    const size_t firstBreak = all.find('\n');
    m_crlf = firstBreak == std::string::npos || (firstBreak > 0 && all[firstBreak - 1] == '\r');
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos)
            end = all.size();
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(std::move(line));
        start = end + 1;
    }
}

int Profile::findSection(std::string_view section) const
{
    std::string_view name;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (headerName(m_lines[i], name) && sameName(name, section))
            return static_cast<int>(i);
    return -1;
}

int Profile::sectionEnd(int header) const
{
    std::string_view name;
    size_t i = static_cast<size_t>(header) + 1;
    while (i < m_lines.size() && !headerName(m_lines[i], name))
        ++i;
    return static_cast<int>(i);
}

int Profile::findKey(int header, std::string_view key) const
{
    std::string_view k, v;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (splitKey(m_lines[static_cast<size_t>(i)], k, v) && sameName(k, key))
            return i;
    return -1;
}

bool Profile::has(std::string_view section, std::string_view key) const
{
    refresh();
    const int header = findSection(sectionName(section));
    return header >= 0 && findKey(header, trim(key)) >= 0;
}

std::string Profile::getString(std::string_view section, std::string_view key, std::string_view def) const
{
    refresh();
    const int header = findSection(sectionName(section));
    const int line = header < 0 ? -1 : findKey(header, trim(key));
    if (line < 0)
        return std::string(def);
    std::string_view k, v;
    splitKey(m_lines[static_cast<size_t>(line)], k, v);
    v = unquote(v);
    return v.empty() ? std::string(def) : std::string(v);
}

int32_t Profile::getInt(std::string_view section, std::string_view key, int32_t def) const
{
    const std::string text = getString(section, key);
    return text.empty() ? def : parseInt(text);
}

bool Profile::setString(std::string_view section, std::string_view key, std::string_view value)
{
    key = trim(key);
    if (!isStorableKey(key) || !isStorableKey(sectionName(section)))
        return false;
    refresh();
    const std::string name(sectionName(section));
    const std::string text = flattenLines(value);
    int header = findSection(name);
    if (header < 0) {
        if (!m_lines.empty() && !trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + name + "]");
        header = static_cast<int>(m_lines.size()) - 1;
    }
    const int line = findKey(header, key);
    if (line >= 0) {
        // The key keeps its spelling; only the value changes.
        std::string& l = m_lines[static_cast<size_t>(line)];
        const std::string newLine = std::string(trim(l.substr(0, l.find('=')))) + "=" + text;
        if (newLine == l)
            return true;
        l = newLine;
        return write();
    }
    // New keys go after the section's last line that is not blank.
    int at = sectionEnd(header);
    while (at - 1 > header && trim(m_lines[static_cast<size_t>(at - 1)]).empty())
        --at;
    m_lines.insert(m_lines.begin() + at, std::string(key) + "=" + text);
    return write();
}

bool Profile::setInt(std::string_view section, std::string_view key, int64_t value)
{
    return setString(section, key, std::to_string(value));
}

bool Profile::deleteKey(std::string_view section, std::string_view key)
{
    refresh();
    const int header = findSection(sectionName(section));
    const int line = header < 0 ? -1 : findKey(header, trim(key));
    if (line < 0)
        return true;
    m_lines.erase(m_lines.begin() + line);
    return write();
}

bool Profile::deleteSection(std::string_view section)
{
    refresh();
    const int header = findSection(sectionName(section));
    if (header < 0)
        return true;
    m_lines.erase(m_lines.begin() + header, m_lines.begin() + sectionEnd(header));
    return write();
}

bool Profile::write()
{
    const std::string eol = m_crlf ? "\r\n" : "\n";
    std::string all;
    for (const std::string& l : m_lines)
        all += l + eol;
    int why = 0;
    const bool ok = replaceFile(m_path, [&](Stream& s) {
        ByteWriter w(s);
        w.bytes(all.data(), all.size());
        return !w.failed();
    }, &why);
    // Either way, the next read looks at the disk again: after a failed
    // write the file still holds what it held.
    m_stamp = ok ? stampOfFile() : Stamp{};
    if (!ok) {
        m_lines.clear();
        if (m_onWriteFailed)
            m_onWriteFailed(why);
    }
    return ok;
}

}  // namespace fw
