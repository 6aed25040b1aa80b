#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/qt/Window.h"

// A window that writes every event it gets into a log, handles what its
// filter accepts, and runs an optional action per event.
struct RecordingWindow : fw::Window {
    std::vector<std::string> log;
    std::vector<uint32_t> keyCodes;
    std::vector<fw::MouseEvent> mouse;
    std::function<bool(fw::Event&)> handles = [](fw::Event& e) { return e.number() != fw::ev::Close; };
    std::function<void(fw::Event&)> action;

    using fw::Window::Window;

    void OnEvent(fw::Event& e) override
    {
        record(e);
        if (action)
            action(e);
        if (handles(e)) {
            e.setHandled();
            return;
        }
        fw::Window::OnEvent(e);
    }

    // The log without activation and close entries, which depend on the platform.
    std::vector<std::string> work() const
    {
        std::vector<std::string> out;
        for (const std::string& s : log)
            if (s != "active" && s != "inactive" && s != "event 201")
                out.push_back(s);
        return out;
    }

    std::vector<std::string> commands() const
    {
        std::vector<std::string> out;
        for (const std::string& s : log)
            if (s.rfind("cmd ", 0) == 0)
                out.push_back(s);
        return out;
    }

    void record(fw::Event& e)
    {
        switch (e.number()) {
        case fw::ev::Command:
            log.push_back("cmd " + std::to_string(static_cast<fw::CommandEvent&>(e).command()));
            break;
        case fw::ev::Key: keyCodes.push_back(static_cast<fw::KeyEvent&>(e).code()); break;
        case fw::ev::Mouse: mouse.push_back(static_cast<fw::MouseEvent&>(e)); break;
        case fw::ev::Activate:
            log.push_back(static_cast<fw::ActivateEvent&>(e).active() ? "active" : "inactive");
            break;
        case fw::ev::Timer: log.push_back("timer " + std::to_string(static_cast<fw::TimerEvent&>(e).id())); break;
        default: log.push_back("event " + std::to_string(e.number())); break;
        }
    }
};
