#include "jigsaw/shell/StartTranslation.h"

#include <algorithm>
#include <iostream>

#include "framework/Markup.h"
#include "framework/TraductorFormat.h"

namespace qv {

namespace {

constexpr const char* kLanguages = "eng,cas,cat,deu,fra,ita";
constexpr const char* kDixBase = "QV21";
constexpr const char* kEnglish = "eng";
constexpr const char* kCaption = "Quorvane";
constexpr int kFellBackToEnglish = 198;

void log(const fw::Traductor& t, const std::filesystem::path& dir)
{
    std::cerr << "qvrk32: the translation files " << kDixBase << "*.dix cannot be loaded from " << dir.string()
              << (t.lastError().empty() ? "" : ": " + t.lastError()) << "\n";
}

// The language Create tried: the wanted one when it has a file, else the first.
std::string triedLanguage(const fw::Traductor& t, std::string wanted)
{
    std::transform(wanted.begin(), wanted.end(), wanted.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto& list = t.languages();
    if (std::find(list.begin(), list.end(), wanted) != list.end())
        return wanted;
    return list.empty() ? std::string() : list.front();
}

}  // namespace

std::string UnreadableEnglishText(const std::filesystem::path& file)
{
    return "The English translation file " + file.string() +
           " is damaged or missing, so Quorvane cannot show its texts.\nPlease install the game again.";
}

bool LoadStartTranslation(fw::Traductor& traductor, const std::string& wanted, const std::filesystem::path& dir,
                          const ShowBox& show)
{
    if (traductor.Create(wanted, dir, kDixBase, 0, kLanguages).ok())
        return true;
    log(traductor, dir);
    const std::string tried = triedLanguage(traductor, wanted);
    const std::filesystem::path damaged = traductor.languageFile(tried);
    const auto& list = traductor.languages();
    const bool englishListed = std::find(list.begin(), list.end(), kEnglish) != list.end();
    if (tried != kEnglish && englishListed) {
        if (traductor.Create(kEnglish, dir, kDixBase, 0, kLanguages).ok()) {
            show(fw::formatText(traductor.GetText(kFellBackToEnglish), {damaged.string()}), kCaption,
                 fw::mb::Ok | fw::mb::IconExclamation);
            return true;
        }
        log(traductor, dir);
    }
    show(UnreadableEnglishText(traductor.languageFile(kEnglish)), kCaption, fw::mb::Ok | fw::mb::IconStop);
    return false;
}

}  // namespace qv
