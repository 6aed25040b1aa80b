#pragma once
#include <filesystem>
#include <string>

namespace fw {

// Where a program keeps the files it writes (settings, the user's own
// documents, caches). A program run from a folder it may write to (the
// build folder, an unpacked copy on a stick) keeps them beside itself, so
// the copy stays self-contained. An installed program's folder belongs to
// the system: its files go to the user's folders of the XDG base directory
// rules, each under a folder named after the program.
//
//   fw::UserFolders f = fw::UserFolders::ForProgram(programDir, "quorvane");
//   f.Create();
//   Profile settings(f.settings() / "QVrk.ini");
// The name of the account the program runs under (its password entry,
// else $USER or $LOGNAME); empty when none is known.
std::string AccountName();

class UserFolders {
public:
    // The install step puts this file beside the programs: even where the
    // folder is writable (a run as root), an installed copy never writes
    // into the system's folders.
    static constexpr const char* InstalledMarker = "system-install";

    // The variables the decision reads; empty = unset.
    struct Environment {
        std::string home;
        std::string configHome;  // XDG_CONFIG_HOME
        std::string dataHome;    // XDG_DATA_HOME
        std::string cacheHome;   // XDG_CACHE_HOME
        // This process's variables; HOME falls back to the password entry.
        static Environment FromProcess();
    };

    // installed: the program's folder is a system installation (see
    // IsInstalled). Relative XDG paths are ignored, as the rules ask; with no
    // usable home at all the files stay beside the program.
    static UserFolders Decide(const std::filesystem::path& programDir, const std::string& name, bool installed,
                              const Environment& env);
    // The decision for this process.
    static UserFolders ForProgram(const std::filesystem::path& programDir, const std::string& name);
    // The marker is there, or this user may not write into the folder.
    static bool IsInstalled(const std::filesystem::path& programDir);

    bool portable() const { return m_portable; }
    const std::filesystem::path& settings() const { return m_settings; }
    const std::filesystem::path& data() const { return m_data; }
    const std::filesystem::path& cache() const { return m_cache; }

    // Makes the folders that are missing; false when one could not be made
    // (the program then runs without keeping what it would write there).
    bool Create() const;

private:
    bool m_portable = true;
    std::filesystem::path m_settings;
    std::filesystem::path m_data;
    std::filesystem::path m_cache;
};

}  // namespace fw
