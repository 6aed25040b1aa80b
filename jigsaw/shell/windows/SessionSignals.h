#pragma once
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace qv {

// The system's requests to end the program (SIGTERM at logout or from kill,
// SIGINT from Ctrl+C, SIGHUP when the terminal goes away) become a call on
// the event loop, so that the session can end as a normal exit does. The
// handler only writes the signal's number into a pipe; a socket notifier
// reads it in whatever loop runs then, a modal dialog's included. One
// object per program; its destruction gives the signals back their default.
class SessionSignals : public QObject {
public:
    using EndSession = std::function<void(int signal)>;

    explicit SessionSignals(EndSession end, QObject* parent = nullptr);
    ~SessionSignals() override;
    SessionSignals(const SessionSignals&) = delete;
    SessionSignals& operator=(const SessionSignals&) = delete;

    bool installed() const { return m_notifier != nullptr; }

    // A program whose loop no longer turns could never answer: this many
    // requests left unread end it as if it had no handler.
    static constexpr int UnreadLimit = 3;

private:
    static void handler(int signal);
    void readPending();

    EndSession m_end;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace qv
