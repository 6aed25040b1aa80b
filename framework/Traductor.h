#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Status.h"
#include "framework/TraductorFile.h"

namespace fw {

// The translation layer: finds the language files beside the program, keeps
// the list of languages with their flags, holds the current language's file
// in memory and answers lookups by (kind, id, variant, context). Texts are
// Windows-1252 bytes; they become toolkit strings only in the windows.
class Traductor {
public:
    // Kinds of entry.
    enum Kind : uint16_t { Text = 1, VariantText = 2, ErrorMessage = 3, Caption = 4, Context = 5 };
    // Contexts with a meaning of their own.
    enum : uint16_t { Plural = 64 };
    // Lookup flags.
    enum : int { ReportMissing = 1, Raw = 2 };

    using Reporter = std::function<void(const std::string&)>;

    Traductor() = default;

    // Builds the language list from the files "<base>*.dix" in `directory`
    // and loads `wanted` (or the first language when it has no file).
    // expectedVersion 0 accepts any file version.
    Status Create(const std::string& wanted, const std::filesystem::path& directory, const std::string& fileBase,
                  uint16_t expectedVersion, const std::string& languageList);

    std::string Lookup(int kind, int id, int variant = 0, int context = 0, int flags = 0) const;
    // Kind 1; "@IDA" in the text becomes the kind-5 text of `ida`.
    std::string GetText(int id, int ida = 0) const;
    // Every "@IDA" mark in `text` replaced by `insert`.
    static std::string FillIda(std::string text, const std::string& insert);
    // Kind 3; "Error #n" when there is no translation layer.
    static std::string ErrorText(const Traductor* traductor, int number);
    // The plural of a noun in the current language ("cas" and "cat" only).
    std::string Pluralize(const std::string& word) const;

    // Switches the language; unless `remember` is false the code is handed to
    // the remember hook (the settings key "lang"), and then every window is
    // told through the change hook. A language whose file fails to load
    // leaves the current one in place.
    Status SetLanguage(int index, bool remember = true);
    Status SetLanguage(const std::string& code, bool remember = true);

    // The system's language abbreviation mapped to one of the languages.
    static std::string DefaultLanguage(const std::string& systemAbbreviation);
    // The system's three-letter language abbreviation, from the locale
    // variables of the environment ("eng" when none is set).
    static std::string SystemLanguageAbbreviation();

    const std::vector<std::string>& languages() const { return m_languages; }
    const std::vector<Bitmap>& flags() const { return m_flags; }
    const std::string& currentLanguage() const { return m_current; }
    int currentIndex() const;
    uint16_t fileVersion() const { return m_table.version; }
    bool loaded() const { return !m_current.empty(); }
    // The English detail of the last failure, for the log.
    const std::string& lastError() const { return m_lastError; }

    // Where reports go (missing entries asked for with ReportMissing, a
    // wrong file version, a reference chain that does not end).
    void setReporter(Reporter reporter) { m_reporter = std::move(reporter); }
    // Every lookup that finds nothing is reported, as if asked with
    // ReportMissing (raw lookups excepted: they are probes). For checking
    // that a language has every text the windows ask for.
    void setReportAll(bool on) { m_reportAll = on; }
    void setRememberHook(std::function<void(const std::string&)> hook) { m_remember = std::move(hook); }
    void setChangeHook(std::function<void()> hook) { m_changed = std::move(hook); }

    std::filesystem::path languageFile(const std::string& code) const;

private:
    enum : int { ContextStepRunning = 0x100 };

    std::string find(int kind, int id, int variant, int context, int flags, int depth) const;
    std::string fallback(int kind, int id, int variant, int context, int flags, int depth) const;
    std::string followReference(const std::string& text, int variant, int context, int flags, int depth) const;
    void scanDirectory(std::vector<std::string>& codes);
    Status load(const std::string& code, DixTable& table);
    void report(const std::string& text) const;

    std::filesystem::path m_directory;
    std::string m_base;
    uint16_t m_expectedVersion = 0;
    std::vector<std::string> m_languages;
    std::vector<std::filesystem::path> m_paths;  // parallel to m_languages
    std::vector<Bitmap> m_flags;                 // parallel to m_languages
    std::string m_current;
    DixTable m_table;
    std::string m_lastError;
    Reporter m_reporter;
    std::function<void(const std::string&)> m_remember;
    std::function<void()> m_changed;
    bool m_reportAll = false;
};

}  // namespace fw
