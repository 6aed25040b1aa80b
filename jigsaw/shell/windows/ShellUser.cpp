#include "jigsaw/shell/windows/ShellUser.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <ctime>

#include "framework/Markup.h"
#include "framework/qt/MessageBox.h"
#include "framework/qt/Text.h"
#include "jigsaw/document/Entry.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/library/windows/CustomSizePrompt.h"
#include "jigsaw/library/windows/WLibrary.h"

namespace qv {

bool ShellUser::confirmLargerFrame(const Puz&, Point16 savedFrame)
{
    const std::string size = std::to_string(savedFrame.x) + "x" + std::to_string(savedFrame.y);
    return fw::ShowMessageId(m_window, msg::FrameLarger, size, "Quorvane", fw::mb::OkCancel | fw::mb::IconQuestion) ==
           fw::mb::IdOk;
}

std::optional<std::string> ShellUser::askCustomSize(const Puz& puz)
{
    // The custom size is chosen in the library window; its help explains it.
    return AskCustomSize(m_window, puz.title(), WLibrary::HelpTopic);
}

Point16 ShellUser::screenSize() const
{
    QScreen* s = m_window && m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return {1920, 1080};
    return {static_cast<int16_t>(s->geometry().width()), static_cast<int16_t>(s->geometry().height())};
}

Point16 ShellUser::playFrameSize() const
{
    if (m_window && m_window->width() > 100 && m_window->height() > 100)
        return {static_cast<int16_t>(m_window->width()), static_cast<int16_t>(m_window->height())};
    return screenSize();
}

uint32_t ShellUser::today() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<uint32_t>((local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday);
}

void ShellUser::rememberLastPuzzle(const std::filesystem::path& path)
{
    if (m_remember)
        m_remember(path);
}

void ShellUser::reportInconsistency(std::string_view text)
{
    fw::ReportUnexpected(std::string(text));
}

}  // namespace qv
