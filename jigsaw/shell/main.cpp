// qvrk32: the jigsaw puzzle game.
#include <QApplication>
#include <string>

#include "jigsaw/shell/windows/App.h"
#include "jigsaw/shell/windows/SessionSignals.h"
#include "jigsaw/shell/windows/TestInput.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The command line is one argument: a path may hold blanks.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    qv::App::Setup setup;
    setup.commandLine = commandLine;
    qv::App app(std::move(setup));
    // Watched from the start: a logout during start-up ends the run in order too.
    qv::SessionSignals sessionSignals([&app](int) { app.endSession(); });
    const int status = app.StartUp();
    if (status != 0)
        return status;
    qv::PlayTestInput(app);
    const int result = app.Run();
    app.Shutdown();
    return result;
}
