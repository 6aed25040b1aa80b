#pragma once
#include <optional>
#include <string>

#include "framework/qt/WBaseInfo.h"

namespace qv {

// The password prompt: label 531 and a hidden edit of at most 12
// characters, OK and Cancel; titled with the file the password guards.
//
//   std::optional<std::string> pw = PasswordPrompt(parent, "Sunday by Ann.sav");
class WPassw : public fw::WBaseInfo {
    Q_OBJECT

public:
    enum : int { IdLabel = 531, IdPassword = 3200, Limit = 12 };

    WPassw(QWidget* parent, const std::string& fileName);
    std::string password() const { return text(IdPassword); }
};

// The entered text, or nullopt when cancelled.
std::optional<std::string> PasswordPrompt(QWidget* parent, const std::string& fileName);

}  // namespace qv
