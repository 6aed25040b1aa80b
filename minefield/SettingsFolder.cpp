#include "minefield/SettingsFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mf {

namespace {

std::string variable(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

}  // namespace

fs::path SettingsFolder::Decide(const fs::path& programDir, bool installed, const std::string& configHome,
                                const std::string& home)
{
    if (!installed)
        return programDir;
    if (!configHome.empty() && fs::path(configHome).is_absolute())
        return fs::path(configHome) / Name;
    if (!home.empty() && fs::path(home).is_absolute())
        return fs::path(home) / ".config" / Name;
    return programDir;
}

bool SettingsFolder::IsInstalled(const fs::path& programDir)
{
    std::error_code ec;
    if (fs::exists(programDir / InstalledMarker, ec))
        return true;
    return ::access(programDir.c_str(), W_OK) != 0;
}

fs::path SettingsFolder::SettingsFile(const fs::path& programDir)
{
    std::string home = variable("HOME");
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    }
    const fs::path folder = Decide(programDir, IsInstalled(programDir), variable("XDG_CONFIG_HOME"), home);
    std::error_code ec;
    fs::create_directories(folder, ec);  // a failure leaves the settings unkept, as an unwritable file does
    return folder / FileName;
}

}  // namespace mf
