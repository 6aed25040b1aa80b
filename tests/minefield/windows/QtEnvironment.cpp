#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace {

QApplication* g_app = nullptr;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
            qputenv("SDL_AUDIODRIVER", "dummy");
        // A session in none of the game's languages: the tests expect English
        // unless they choose another language themselves.
        for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            qunsetenv(variable);
        qputenv("LANG", "C.UTF-8");
        static int argc = 1;
        static char name[] = "minefield_windows_tests";
        static char* argv[] = {name, nullptr};
        g_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete g_app;
        g_app = nullptr;
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QApplication& mftest::App() { return *g_app; }
