#include "minefield/IniFile.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace mf {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

// The rename itself reaches the disk only with its folder.
void SyncFolder(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A settings file that is a link stays one: its target is what is replaced.
std::filesystem::path FollowLinks(std::filesystem::path p)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec)) || ec)
            break;
        const std::filesystem::path to = std::filesystem::read_symlink(p, ec);
        if (ec)
            break;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

}  // namespace

int32_t ParseProfileInt(std::string_view text)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    uint32_t value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            break;
        value = value * 10u + uint32_t(ch - '0');
    }
    return int32_t(negative ? 0u - value : value);
}

void IniFile::Load(const std::filesystem::path& path)
{
    m_lines.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    std::ostringstream text;
    text << in.rdbuf();
    Parse(text.str());
}

void IniFile::Parse(std::string_view text)
{
    m_lines.clear();
    std::string current;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view raw = text.substr(start, end - start);
        Line line;
        line.ending = end < text.size() ? "\n" : "";
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            line.ending = "\r" + line.ending;
        }
        line.text = std::string(raw);
        const std::string_view t = Trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            line.isSection = true;
            line.section = std::string(Trim(t.substr(1, t.find(']') - 1)));
            current = line.section;
        } else if (const size_t eq = t.find('='); eq != std::string_view::npos && t.front() != ';') {
            line.isEntry = true;
            line.section = current;
            line.key = std::string(Trim(t.substr(0, eq)));
            std::string_view value = Trim(t.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            line.value = std::string(value);
        }
        m_lines.push_back(std::move(line));
    }
}

std::string IniFile::NewLineEnding() const
{
    return m_lines.empty() || m_lines.front().ending.empty() ? "\r\n" : m_lines.front().ending;
}

std::string IniFile::Text() const
{
    const std::string newEnding = NewLineEnding();
    std::string out;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!line.changed)
            out += line.text;
        else if (line.isSection)
            out += "[" + line.section + "]";
        else
            out += line.key + "=" + line.value;
        // A last line without an ending gets one once lines follow it.
        const bool last = i + 1 == m_lines.size();
        out += !line.ending.empty() ? line.ending : last && !line.changed ? std::string() : newEnding;
    }
    return out;
}

bool IniFile::Save(const std::filesystem::path& given, int* error) const
{
    // Written beside the file under a name of this process, put on the disk,
    // then renamed over it: a crash or a full disk leaves the old file whole,
    // and a failed save leaves no temporary file to take up the space.
    // The file keeps its link, mode and (where allowed) owner.
    const std::filesystem::path path = FollowLinks(given);
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = path;
    temp.replace_filename("." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                          std::to_string(counter++));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const auto fail = [error](int why) {
        if (error)
            *error = why ? why : EIO;
        return false;
    };
    if (fd < 0)
        return fail(errno);
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    }
    const std::string text = Text();
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    int why = ok ? 0 : errno;
    ok = ::close(fd) == 0 && ok;
    if (!ok && !why)
        why = errno;
    std::error_code ec;
    if (ok)
        std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        if (ec)
            why = ec.value();
        std::filesystem::remove(temp, ec);
        return fail(why);
    }
    SyncFolder(path);
    return true;
}

int IniFile::FindEntry(std::string_view section, std::string_view key) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.isEntry && SameName(line.section, section) && SameName(line.key, key))
            return int(i);
    }
    return -1;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback, size_t maxLength) const
{
    const int i = FindEntry(section, key);
    std::string value = i < 0 ? std::string(fallback) : m_lines[size_t(i)].value;
    if (value.size() > maxLength)
        value.resize(maxLength);
    return value;
}

int32_t IniFile::GetInt(std::string_view section, std::string_view key, int32_t fallback) const
{
    const int i = FindEntry(section, key);
    return i < 0 ? fallback : ParseProfileInt(m_lines[size_t(i)].value);
}

void IniFile::Remove(std::string_view section, std::string_view key)
{
    for (int i = FindEntry(section, key); i >= 0; i = FindEntry(section, key))
        m_lines.erase(m_lines.begin() + i);
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (const int i = FindEntry(section, key); i >= 0) {
        Line& line = m_lines[size_t(i)];
        // The same value leaves the line as it was written.
        if (line.value != value) {
            line.value = std::string(value);
            line.changed = true;
        }
        return;
    }
    Line entry;
    entry.changed = true;
    entry.isEntry = true;
    entry.section = std::string(section);
    entry.key = std::string(key);
    entry.value = std::string(value);
    // After the last line of the section, or in a new section at the end.
    int last = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if ((line.isSection || line.isEntry) && SameName(line.section, section))
            last = int(i);
    }
    if (last < 0) {
        Line header;
        header.changed = true;
        header.isSection = true;
        header.section = std::string(section);
        m_lines.push_back(header);
        m_lines.push_back(entry);
        return;
    }
    m_lines.insert(m_lines.begin() + last + 1, entry);
}

}  // namespace mf
