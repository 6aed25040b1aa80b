#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A settings file in the Windows profile layout: "[Section]" lines and
// "key=value" lines. Sections and keys are found without regard to case; a
// missing or empty key reads as the default (0 or ""); a number is parsed
// as the system's profile reader does, so text reads as 0. Every change is
// written at once, the whole file replaced atomically, keeping every other
// section, line and comment as it was. Texts are single bytes.
//
// An empty section name means the default section (setDefaultSection).
class Profile {
public:
    explicit Profile(std::filesystem::path file);

    const std::filesystem::path& path() const { return m_path; }
    void setDefaultSection(std::string section) { m_defaultSection = std::move(section); }
    const std::string& defaultSection() const { return m_defaultSection; }

    bool has(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    int32_t getInt(std::string_view section, std::string_view key, int32_t def = 0) const;
    // Keys of the default section.
    std::string getString(std::string_view key) const { return getString({}, key); }
    int32_t getInt(std::string_view key) const { return getInt({}, key); }

    // False when the file could not be written (the settings are then not kept)
    // or the key cannot be stored (empty, or holding '=' or a line break).
    bool setString(std::string_view section, std::string_view key, std::string_view value);
    bool setInt(std::string_view section, std::string_view key, int64_t value);
    bool deleteKey(std::string_view section, std::string_view key);
    bool deleteSection(std::string_view section);

    // Called with the system's error number (0 when unknown) each time the
    // file cannot be written, so the program can tell the player that a
    // change was not kept.
    void onWriteFailed(std::function<void(int errorNumber)> handler) { m_onWriteFailed = std::move(handler); }

    // The profile reader's integer: leading blanks, a sign, "0x", "0o" or
    // "0b" for another base, digits up to the first that does not belong;
    // no digits give 0. Computed modulo 2^32 like the original.
    static int32_t parseInt(std::string_view text);

private:
    struct Stamp {
        std::filesystem::file_time_type time{};
        uintmax_t size = 0;
        bool exists = false;
        bool operator==(const Stamp&) const = default;
    };

    std::string_view sectionName(std::string_view section) const;
    void refresh() const;
    Stamp stampOfFile() const;
    // Index of the line holding the section's header, or -1.
    int findSection(std::string_view section) const;
    // Index of the key's line within the section starting at header, or -1.
    int findKey(int header, std::string_view key) const;
    int sectionEnd(int header) const;
    bool write();

    std::filesystem::path m_path;
    std::string m_defaultSection;
    // Read again whenever the file changed on disk, so two objects over one
    // file (or another program) do not undo each other's writes.
    mutable std::vector<std::string> m_lines;
    mutable bool m_crlf = true;
    mutable Stamp m_stamp;
    std::function<void(int)> m_onWriteFailed;
};

}  // namespace fw
