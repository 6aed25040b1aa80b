#include "jigsaw/shell/windows/SessionSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace qv {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

int g_pipe[2] = {-1, -1};
std::atomic<int> g_unread{0};

static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch lock-free atomics");

}  // namespace

// Only async-signal-safe calls here: write(2), signal(2), raise(3).
void SessionSignals::handler(int signal)
{
    const int savedErrno = errno;
    if (g_unread.fetch_add(1) + 1 >= UnreadLimit) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
    }
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

SessionSignals::SessionSignals(EndSession end, QObject* parent) : QObject(parent), m_end(std::move(end))
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::cerr << "qvrk32: the end-of-session signals cannot be watched\n";
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readPending(); });
    g_unread = 0;
    struct sigaction action = {};
    action.sa_handler = &SessionSignals::handler;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: the toolkit's own reads and waits need not
    // expect EINTR.
    action.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

SessionSignals::~SessionSignals()
{
    if (!m_notifier)
        return;
    for (int s : kSignals)
        ::signal(s, SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SessionSignals::readPending()
{
    unsigned char bytes[16];
    for (;;) {
        const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
        if (n <= 0)
            return;
        g_unread -= static_cast<int>(n);
        for (ssize_t i = 0; i < n; ++i)
            m_end(bytes[i]);
    }
}

}  // namespace qv
