#include <QApplication>
#include <QCommandLineParser>

#include "minefield/SettingsFolder.h"
#include "minefield/windows/TMyFrameWindow.h"

// Minevaro: the help lies beside the program; the settings file too, unless
// the program is installed (then it is in the user's configuration folder).
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Minevaro");

    QCommandLineParser parser;
    parser.setApplicationDescription("Minevaro, the hidden-mines game on six cell shapes.");
    parser.addHelpOption();
    QCommandLineOption seed("seed", "Place the mines from this fixed seed (for replaying a game).", "number");
    parser.addOption(seed);
    parser.process(app);

    mf::TMyFrameWindow::Options options;
    options.programDir = QApplication::applicationDirPath();
    options.iniPath = QString::fromStdString(mf::SettingsFolder::SettingsFile(options.programDir.toStdString()).string());
    if (parser.isSet(seed))
        options.seed = parser.value(seed).toUInt();

    mf::TMyFrameWindow frame(options);
    frame.show();
    return app.exec();
}
