#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mf {

// A settings file of sections and key=value lines, with the usual profile
// semantics: sections and keys found without regard to case, a missing key
// gives the default, integers read like atol. Every line that was not
// changed is written back byte for byte, line ending included, so sections
// that other builds own keep their bytes.
class IniFile {
public:
    // A missing or unreadable file reads as empty.
    void Load(const std::filesystem::path& path);
    // Replaces the file as a whole (written aside, put on the disk, then
    // renamed over it); false leaves the old file and no temporary one.
    // On failure `error`, when given, gets the system's reason (an errno value).
    bool Save(const std::filesystem::path& path, int* error = nullptr) const;

    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                          size_t maxLength) const;
    int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void Remove(std::string_view section, std::string_view key);

    std::string Text() const;
    void Parse(std::string_view text);

private:
    struct Line {
        std::string text;     // as read, without its line ending
        std::string ending;   // as read: "\r\n", "\n", or none on the last line
        std::string section;  // of a section header
        std::string key, value;
        bool isSection = false;
        bool isEntry = false;
        bool changed = false;  // written anew from section, key and value
    };
    // The line ending of lines we add: that of the file's first line.
    std::string NewLineEnding() const;
    // Index of the value line, or -1.
    int FindEntry(std::string_view section, std::string_view key) const;

    std::vector<Line> m_lines;
};

// Decimal text to a number the way atol reads it: blanks, a sign, digits; no
// digits give 0; a value past 32 bits is cut to its low 32 bits.
int32_t ParseProfileInt(std::string_view text);

}  // namespace mf
