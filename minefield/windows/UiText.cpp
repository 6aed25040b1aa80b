#include "minefield/windows/UiText.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace mf {

namespace {

// Every text of the game is in one context; the number tells apart texts
// that read the same in English.
constexpr const char* kContext = "mvro";

struct Translation {
    std::optional<Language> chosen;
    QString folder = QStringLiteral(":/mvro/lang");
    // What is installed now; English is the source texts, no translator.
    std::optional<Language> installed;
    QString installedFrom;
    std::unique_ptr<QTranslator> own;
    std::unique_ptr<QTranslator> toolkit;  // the standard dialogs' buttons and labels
};

Translation& State()
{
    static Translation state;
    return state;
}

void Uninstall(std::unique_ptr<QTranslator>& translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

std::unique_ptr<QTranslator> Load(const QString& name, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    // A missing or damaged file loads nothing: its texts stay English.
    if (!translator->load(name, folder) || translator->isEmpty())
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

void Install(Language language)
{
    Translation& t = State();
    if (!QCoreApplication::instance() || (t.installed == language && t.installedFrom == t.folder))
        return;
    Uninstall(t.own);
    Uninstall(t.toolkit);
    t.installed = language;
    t.installedFrom = t.folder;
    if (language == Language::English)
        return;
    const QString code = QString::fromLatin1(LanguageCode(language).data(), qsizetype(LanguageCode(language).size()));
    t.own = Load(QStringLiteral("mvro_") + code, t.folder);
    // Where the system has the toolkit's own translations, the colour and
    // file dialogs speak the language too.
    t.toolkit = Load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace

void ChooseLanguage(std::optional<Language> chosen) { State().chosen = chosen; }

Language ShownLanguage()
{
    const Translation& t = State();
    return t.chosen ? *t.chosen : SessionLanguage();
}

void SetTranslationFolder(const QString& folder) { State().folder = folder; }

QString TranslationFolder() { return State().folder; }

QString UiText(int id)
{
    Install(ShownLanguage());
    const std::string_view english = Text(id);
    if (english.empty())
        return {};
    const QByteArray source(english.data(), qsizetype(english.size()));
    return QCoreApplication::translate(kContext, source.constData(), QByteArray::number(id).constData());
}

std::string UiTextUtf8(int id) { return UiText(id).toStdString(); }

QLocale UiLocale()
{
    switch (ShownLanguage()) {
    case Language::Spanish:
        return QLocale(QLocale::Spanish, QLocale::Spain);
    case Language::Catalan:
        return QLocale(QLocale::Catalan, QLocale::Spain);
    case Language::German:
        return QLocale(QLocale::German, QLocale::Germany);
    case Language::French:
        return QLocale(QLocale::French, QLocale::France);
    case Language::Italian:
        return QLocale(QLocale::Italian, QLocale::Italy);
    case Language::English:
        break;
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

}  // namespace mf
