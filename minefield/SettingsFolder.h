#pragma once
#include <filesystem>
#include <string>

namespace mf {

// The folder of mvro.ini. A copy run from a folder it may write to keeps the
// file beside itself; an installed copy (the install step leaves the marker
// file beside the program, or the folder is not writable) keeps it in the
// user's configuration folder: $XDG_CONFIG_HOME/minevaro, or
// ~/.config/minevaro when that variable is unset or not an absolute path.
class SettingsFolder {
public:
    static constexpr const char* InstalledMarker = "system-install";
    static constexpr const char* Name = "minevaro";
    static constexpr const char* FileName = "mvro.ini";

    // With no usable home the file stays beside the program.
    static std::filesystem::path Decide(const std::filesystem::path& programDir, bool installed,
                                        const std::string& configHome, const std::string& home);
    static bool IsInstalled(const std::filesystem::path& programDir);
    // The settings file of this process; its folder is made when missing.
    static std::filesystem::path SettingsFile(const std::filesystem::path& programDir);
};

}  // namespace mf
