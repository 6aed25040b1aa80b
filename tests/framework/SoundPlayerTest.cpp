#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "framework/SoundPlayer.h"

using namespace fw;

namespace {

// An output whose sounds last until the test ends them, so the test decides
// what is "playing" when the next sound is asked for.
class HeldOutput : public SoundOutput {
public:
    void play(const std::string& path) override
    {
        std::unique_lock lock(m);
        played.push_back(path);
        started.notify_all();
        cv.wait(lock, [&] { return releases > 0 || stopped; });
        if (releases > 0)
            --releases;
        stopped = false;
    }
    void stop() override
    {
        std::lock_guard lock(m);
        stopped = true;
        cv.notify_all();
    }
    void release()
    {
        std::lock_guard lock(m);
        ++releases;
        cv.notify_all();
    }
    void waitStarted(size_t n)
    {
        std::unique_lock lock(m);
        started.wait(lock, [&] { return played.size() >= n; });
    }
    std::vector<std::string> log()
    {
        std::lock_guard lock(m);
        return played;
    }

    std::mutex m;
    std::condition_variable cv, started;
    std::vector<std::string> played;
    int releases = 0;
    bool stopped = false;
};

struct Fixture {
    std::atomic<uint32_t> now{1000};
    HeldOutput* out = new HeldOutput;
    SoundPlayer player{std::unique_ptr<SoundOutput>(out), [this] { return now.load(); }};
};

}  // namespace

TEST(SoundPlayer, QueuedSoundsPlayInOrderUnlessTheyWaited200Ms)
{
    Fixture f;
    f.player.play("a");
    f.out->waitStarted(1);
    f.player.play("b");  // queued at 1000
    f.now = 1150;
    f.player.play("c");  // queued at 1150
    f.now = 1210;        // b has waited 210 ms, c 60 ms
    f.out->release();
    f.out->waitStarted(2);
    f.out->release();
    f.player.waitIdle();
    EXPECT_EQ(f.out->log(), (std::vector<std::string>{"a", "c"}));
    EXPECT_FALSE(f.player.busy());
}

TEST(SoundPlayer, ImmediateModeCutsTheCurrentSound)
{
    Fixture f;
    f.player.setImmediate(true);
    f.player.play("long");
    f.out->waitStarted(1);
    f.player.play("now");
    f.out->waitStarted(2);
    f.out->release();
    f.player.waitIdle();
    EXPECT_EQ(f.out->log(), (std::vector<std::string>{"long", "now"}));
}

TEST(SoundPlayer, StopEndsTheSoundAndDropsTheQueue)
{
    Fixture f;
    f.player.play("music");
    f.out->waitStarted(1);
    f.player.play("click");
    f.player.stop();
    EXPECT_FALSE(f.player.busy()) << "stop returns once nothing plays";
    f.player.play("next");  // the player still plays what comes after
    f.out->waitStarted(2);
    f.out->release();
    f.player.waitIdle();
    EXPECT_EQ(f.out->log(), (std::vector<std::string>{"music", "next"}));
    f.player.stop();  // nothing playing: nothing to wait for
    EXPECT_FALSE(f.player.busy());
}

TEST(SoundPlayer, QuitsWhilePlaying)
{
    auto f = std::make_unique<Fixture>();
    f->player.play("a");
    f->out->waitStarted(1);
    f->player.play("b");
    f.reset();  // must not hang: the destructor stops the sound and joins
    SUCCEED();
}

TEST(SoundPlayer, SystemOutputIsHarmlessWithoutDeviceOrFile)
{
    SoundPlayer player(makeSystemSoundOutput());
    player.play("/nonexistent/sound.wav");
    player.waitIdle();
    EXPECT_FALSE(player.busy());
}

// The game ends on SIGTERM and SIGINT through handlers of its own; the sound
// device must not take those signals over once a sound has played.
TEST(SoundPlayer, SystemOutputLeavesTheSignalsAlone)
{
    const std::string wav = ::testing::TempDir() + "qv-signals-click.wav";
    {
        // 20 ms of silence, 8-bit mono at 8000 Hz.
        const uint32_t samples = 160;
        std::vector<uint8_t> bytes;
        auto text = [&](const char* s) { bytes.insert(bytes.end(), s, s + 4); };
        auto u32 = [&](uint32_t v) {
            for (int k = 0; k < 4; ++k)
                bytes.push_back(static_cast<uint8_t>(v >> (8 * k)));
        };
        auto u16 = [&](uint16_t v) {
            bytes.push_back(static_cast<uint8_t>(v));
            bytes.push_back(static_cast<uint8_t>(v >> 8));
        };
        text("RIFF"), u32(36 + samples), text("WAVE");
        text("fmt "), u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
        text("data"), u32(samples);
        bytes.insert(bytes.end(), samples, 0x80);
        FILE* f = std::fopen(wav.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    struct sigaction before[2];
    const int signals[2] = {SIGTERM, SIGINT};
    for (int k = 0; k < 2; ++k)
        ASSERT_EQ(::sigaction(signals[k], nullptr, &before[k]), 0);
    SoundPlayer player(makeSystemSoundOutput());
    player.play(wav);
    player.waitIdle();
    // Still alive: a device that took the signals gives them back only when it closes.
    for (int k = 0; k < 2; ++k) {
        struct sigaction now;
        ASSERT_EQ(::sigaction(signals[k], nullptr, &now), 0);
        EXPECT_EQ(now.sa_handler, before[k].sa_handler) << "signal " << signals[k];
    }
    std::remove(wav.c_str());
}
