#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace fw {

// Where sound really goes. play() returns when the sound has ended or stop()
// was called from another thread.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const std::string& path) = 0;
    virtual void stop() = 0;
};

// Plays wave files one at a time on a thread of its own, so the game never
// waits for a sound. Sounds asked for while one plays wait in a queue, and a
// queued sound that has waited 200 ms or more is dropped: a late click is
// worse than none.
class SoundPlayer {
public:
    using Clock = std::function<uint32_t()>;  // milliseconds, wrapping at 2^32

    explicit SoundPlayer(std::unique_ptr<SoundOutput> output, Clock clock = {});
    ~SoundPlayer();  // asks the thread to quit and waits for it
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const std::string& path);
    // Immediate mode: a new sound stops the one playing instead of queueing.
    void setImmediate(bool on) { m_immediate = on; }
    // Ends the sound playing and drops those waiting; returns once nothing
    // plays (a sound starting at that moment is stopped as well).
    void stop();
    bool busy() const;
    // Waits until nothing plays or waits; for tests and for an orderly exit.
    void waitIdle();

    static constexpr uint32_t MaxQueueAgeMs = 200;

private:
    void run();

    struct Queued {
        std::string path;
        uint32_t at;
    };

    std::unique_ptr<SoundOutput> m_output;
    Clock m_clock;
    bool m_immediate = false;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::string m_next;   // the sound the thread starts next; empty = none
    std::deque<Queued> m_queue;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread;
};

// An output that plays nothing: for tests and for machines without sound.
class SilentOutput : public SoundOutput {
public:
    void play(const std::string&) override {}
    void stop() override {}
};

// The system's sound device through SDL audio; silent when there is no
// device or a file cannot be read.
std::unique_ptr<SoundOutput> makeSystemSoundOutput();

// Steady milliseconds since some fixed moment, wrapping at 2^32.
uint32_t tickCount();

}  // namespace fw
