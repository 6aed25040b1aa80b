#include "framework/SoundPlayer.h"

#include <chrono>

namespace fw {

uint32_t tickCount()
{
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output, Clock clock)
    : m_output(output ? std::move(output) : std::make_unique<SilentOutput>()),
      m_clock(clock ? std::move(clock) : Clock(tickCount))
{
    m_thread = std::thread([this] { run(); });
}

SoundPlayer::~SoundPlayer()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_queue.clear();
    }
    m_output->stop();
    m_wake.notify_all();
    m_thread.join();
}

void SoundPlayer::play(const std::string& path)
{
    std::unique_lock lock(m_mutex);
    if (m_busy || !m_next.empty()) {
        if (!m_immediate) {
            m_queue.push_back({path, m_clock()});
            return;
        }
        m_queue.clear();
        m_next = path;
        lock.unlock();
        m_output->stop();
        m_wake.notify_all();
        return;
    }
    m_next = path;
    lock.unlock();
    m_wake.notify_all();
}

void SoundPlayer::stop()
{
    std::unique_lock lock(m_mutex);
    m_queue.clear();
    m_next.clear();
    // The thread may have taken its sound but not started it yet, and an
    // output forgets a stop that came before its sound: ask again until it
    // has ended, for a second at most.
    for (int tries = 0; m_busy && tries < 200; ++tries) {
        lock.unlock();
        m_output->stop();
        lock.lock();
        m_idle.wait_for(lock, std::chrono::milliseconds(5), [this] { return !m_busy; });
    }
}

bool SoundPlayer::busy() const
{
    std::lock_guard lock(m_mutex);
    return m_busy || !m_next.empty();
}

void SoundPlayer::waitIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_quit || (!m_busy && m_next.empty() && m_queue.empty()); });
}

void SoundPlayer::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_next.empty(); });
        if (m_quit)
            break;
        m_busy = true;
        while (!m_next.empty() && !m_quit) {
            std::string path = std::move(m_next);
            m_next.clear();
            lock.unlock();
            m_output->play(path);
            lock.lock();
            // A stop in immediate mode has already put the new sound in m_next.
            while (m_next.empty() && !m_queue.empty()) {
                Queued q = std::move(m_queue.front());
                m_queue.pop_front();
                if (static_cast<uint32_t>(m_clock() - q.at) < MaxQueueAgeMs)
                    m_next = std::move(q.path);
            }
        }
        m_busy = false;
        m_idle.notify_all();
    }
    m_busy = false;
    m_idle.notify_all();
}

}  // namespace fw
