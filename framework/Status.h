#pragma once
#include <string>
#include <utility>

namespace fw {

// The outcome of an operation: 0 for success, otherwise the id of a message
// in the translation files, with an optional text to insert into it.
// Callers pass a failed status outward and stop.
struct Status {
    int id = 0;
    std::string text;
    // Shown on its own line after the message: why, when the message says what.
    std::string detail;
    // The system's error number behind the failure (0 = none): its
    // translated text is shown as the detail when there is no other.
    int systemError = 0;

    Status() = default;
    Status(int messageId, std::string insert = {}, std::string why = {})
        : id(messageId), text(std::move(insert)), detail(std::move(why)) {}

    bool ok() const { return id == 0; }
    Status& because(int errorNumber)
    {
        systemError = errorNumber;
        return *this;
    }
};

// Message ids that the file layer itself reports.
namespace msg {
constexpr int OutOfMemory = 8;
constexpr int Cancelled = 2;
// A file could not be written for want of room on the disk; the old one is whole (with the path).
constexpr int DiskFull = 1040;
// The settings file could not be written, for want of room or otherwise; it
// keeps what it held (with the path).
constexpr int SettingsNoRoom = 1042;
constexpr int SettingsNotWritten = 1043;
}  // namespace msg

}  // namespace fw
