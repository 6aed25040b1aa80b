#pragma once
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

#include "framework/Display.h"
#include "framework/EventQueue.h"
#include "framework/SoundPlayer.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/play/windows/WPuz.h"
#include "jigsaw/shell/windows/App.h"

namespace shelltest {

// Remembers every sound file asked for, in order.
class RecordingOutput : public fw::SoundOutput {
public:
    struct Log {
        std::mutex mutex;
        std::vector<std::string> played;
    };
    explicit RecordingOutput(std::shared_ptr<Log> log) : m_log(std::move(log)) {}
    void play(const std::string& path) override
    {
        std::lock_guard lock(m_log->mutex);
        m_log->played.push_back(std::filesystem::path(path).filename().string());
    }
    void stop() override {}

private:
    std::shared_ptr<Log> m_log;
};

// A copy of the program's folder (translations, sounds, pictures) in a
// fresh temporary folder, so the tests never touch a developer's settings.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& settings = "[Main]\r\nOptions=4096\r\n")
    {
        static std::atomic<int> n{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("qvshell-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        std::filesystem::create_directories(m_path);
        const std::filesystem::path bin = QCoreApplication::applicationDirPath().toStdString();
        for (const auto& e : std::filesystem::directory_iterator(bin)) {
            const std::string ext = e.path().extension().string();
            if (ext == ".dix" || ext == ".wav" || ext == ".png")
                std::filesystem::copy_file(e.path(), m_path / e.path().filename());
        }
        if (!settings.empty())
            writeFile("QVrk.ini", settings);
    }
    ~ProgramFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    void writeFile(const std::string& name, const std::string& text) const
    {
        FILE* f = std::fopen((m_path / name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }

private:
    std::filesystem::path m_path;
};

// Waits (delivering posted commands) until the condition holds or time is up.
inline bool waitFor(const std::function<bool()>& done, int ms = 8000)
{
    for (int waited = 0; waited < ms; waited += 20) {
        fw::DeliverDue();
        if (done())
            return true;
        QTest::qWait(20);
    }
    return done();
}

// A drawn picture of bands and diagonals, so every piece looks different.
inline fw::Bitmap bandsPicture(int width = 360, int height = 270)
{
    fw::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, static_cast<uint32_t>(((x * 255 / width) << 16) | ((y * 255 / height) << 8) |
                                                         (((x + y) / 12 % 2) ? 0xC0 : 0x30)));
    return picture;
}

// A puzzle file of columns x rows pieces over the bands picture.
inline std::filesystem::path makePuzzle(const std::filesystem::path& path, int columns, int rows,
                                        uint16_t options = 0, int width = 360, int height = 270,
                                        uint32_t seed = 0, const std::string& rights = {})
{
    const fw::Bitmap picture = bandsPicture(width, height);
    qv::Puz puz;
    puz.edit = qv::Puz::Making;
    puz.rows[0] = static_cast<int16_t>(rows);
    puz.columns[0] = static_cast<int16_t>(columns);
    puz.stockSizeCount = 1;
    puz.options |= options;
    puz.entry.title = "Bands";
    puz.puzzleSeed = seed;  // a fixed seed cuts and scatters the same way every run
    puz.rights = rights;
    qv::PictureSource source;
    source.bitmap = picture;
    fw::Bitmap thumb(80, 60, 0x336699);
    const fw::Status s = qv::WritePuzzleFile(puz, path, source, thumb, fw::Display());
    EXPECT_TRUE(s.ok()) << s.id << " " << s.text;
    return path;
}

// Answers the next modal window of type T once it shows (it is looked for
// every 20 ms for a few seconds): the answer fills it in and closes it. Arm
// only answers that will be used: one left waiting would answer a window of
// the next test.
template <class T>
void answerModal(std::function<void(T&)> answer, int tries = 200)
{
    QTimer::singleShot(20, [answer = std::move(answer), tries] {
        if (T* modal = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            answer(*modal);
            return;
        }
        if (tries > 0)
            answerModal<T>(answer, tries - 1);
    });
}

// The program started over a program folder, its sounds recorded.
struct Started {
    std::shared_ptr<RecordingOutput::Log> sounds = std::make_shared<RecordingOutput::Log>();
    std::unique_ptr<qv::App> app;

    // sound: where the sounds go instead of the recording (which then stays empty).
    Started(const ProgramFolder& folder, const std::string& commandLine, std::unique_ptr<fw::SoundOutput> sound = {})
    {
        qv::App::Setup setup;
        setup.programDir = folder.path();
        setup.commandLine = commandLine;
        setup.sound = sound ? std::move(sound) : std::make_unique<RecordingOutput>(sounds);
        app = std::make_unique<qv::App>(std::move(setup));
        status = app->StartUp();
        if (status == 0) {
            QApplication::setActiveWindow(&app->playWindow());
            QTest::qWait(20);
        }
    }
    ~Started()
    {
        if (app)
            app->Shutdown();
    }
    qv::WPuz& window() { return app->playWindow(); }
    qv::Puz& puz() { return app->puz(); }
    // The sounds asked for so far (after the player has caught up).
    std::vector<std::string> played()
    {
        app->soundPlayer().waitIdle();
        std::lock_guard lock(sounds->mutex);
        return sounds->played;
    }
    void clearSounds()
    {
        app->soundPlayer().waitIdle();
        std::lock_guard lock(sounds->mutex);
        sounds->played.clear();
    }

    int status = 0;
};

}  // namespace shelltest
