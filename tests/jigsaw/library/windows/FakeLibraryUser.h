#pragma once
#include <optional>
#include <string>
#include <vector>

#include "jigsaw/library/windows/WLibrary.h"

namespace winfix {

// Answers the library window's questions and records them.
struct FakeLibraryUser : qv::LibraryUser {
    std::optional<std::string> typedPassword;
    std::optional<std::string> shelfName;
    bool replace = true;
    bool move = true;
    bool dontAsk = false;
    bool removeShelf = true;
    std::vector<std::string> log;

    bool confirmReplacePuzzle(const std::string& fileName) override
    {
        log.push_back("525 " + fileName);
        return replace;
    }
    bool confirmMove(const std::string& fileName, bool& dontAskAgain) override
    {
        log.push_back("986 " + fileName);
        dontAskAgain = dontAsk;
        return move;
    }
    std::optional<std::string> password(const std::string& fileName) override
    {
        log.push_back("password " + fileName);
        return typedPassword;
    }
    void wrongPassword() override { log.push_back("wrong password"); }
    std::optional<std::string> newShelfName() override
    {
        log.push_back("new shelf");
        return shelfName;
    }
    bool confirmRemoveShelf(const std::string& name) override
    {
        log.push_back("remove " + name);
        return removeShelf;
    }
    void showStatus(const fw::Status& status) override { log.push_back("status " + std::to_string(status.id)); }
};

}  // namespace winfix
