#include "framework/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fw {

namespace {

std::string variable(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// An XDG variable counts only when it holds an absolute path; otherwise the
// folder under the home that the rules name as its default.
fs::path base(const std::string& value, const fs::path& home, const char* underHome)
{
    if (!value.empty() && fs::path(value).is_absolute())
        return fs::path(value);
    if (home.empty())
        return {};
    return home / underHome;
}

}  // namespace

std::string AccountName()
{
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    for (const char* name : {"USER", "LOGNAME"}) {
        const std::string value = variable(name);
        if (!value.empty())
            return value;
    }
    return {};
}

UserFolders::Environment UserFolders::Environment::FromProcess()
{
    Environment env;
    env.home = variable("HOME");
    if (env.home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            env.home = pw->pw_dir;
    }
    env.configHome = variable("XDG_CONFIG_HOME");
    env.dataHome = variable("XDG_DATA_HOME");
    env.cacheHome = variable("XDG_CACHE_HOME");
    return env;
}

UserFolders UserFolders::Decide(const fs::path& programDir, const std::string& name, bool installed,
                                const Environment& env)
{
    UserFolders f;
    f.m_settings = f.m_data = f.m_cache = programDir;
    if (!installed)
        return f;
    const fs::path home = fs::path(env.home).is_absolute() ? fs::path(env.home) : fs::path();
    const fs::path config = base(env.configHome, home, ".config");
    const fs::path data = base(env.dataHome, home, ".local/share");
    const fs::path cache = base(env.cacheHome, home, ".cache");
    if (config.empty() || data.empty() || cache.empty())
        return f;
    f.m_portable = false;
    f.m_settings = config / name;
    f.m_data = data / name;
    f.m_cache = cache / name;
    return f;
}

UserFolders UserFolders::ForProgram(const fs::path& programDir, const std::string& name)
{
    return Decide(programDir, name, IsInstalled(programDir), Environment::FromProcess());
}

bool UserFolders::IsInstalled(const fs::path& programDir)
{
    std::error_code ec;
    if (fs::exists(programDir / InstalledMarker, ec))
        return true;
    return ::access(programDir.c_str(), W_OK) != 0;
}

bool UserFolders::Create() const
{
    bool ok = true;
    for (const fs::path* p : {&m_settings, &m_data, &m_cache}) {
        std::error_code ec;
        fs::create_directories(*p, ec);
        ok = ok && !ec && fs::is_directory(*p, ec);
    }
    return ok;
}

}  // namespace fw
