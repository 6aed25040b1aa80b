#include <QApplication>
#include <QCommandLineParser>
#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "minefield/SettingsFolder.h"
#include "minefield/windows/QuitSignals.h"
#include "minefield/windows/TMyFrameWindow.h"

namespace {

// Menu commands given on the command line, run once the event loop runs, so
// that a dialog one of them opens behaves as when chosen from the menu. Each
// is announced on the standard output before it runs, for scripts that wait
// for it.
void RunCommands(QPointer<mf::TMyFrameWindow> frame, const QStringList& lists)
{
    for (const QString& list : lists) {
        for (const QString& item : list.split(',', Qt::SkipEmptyParts)) {
            if (!frame || !frame->isVisible())
                return;  // closed by an earlier command or a signal
            bool ok = false;
            const int id = item.trimmed().toInt(&ok);
            if (!ok) {
                std::fprintf(stderr, "mvro: \"%s\" is no command number\n", qPrintable(item));
                continue;
            }
            std::printf("mvro: command %d\n", id);
            std::fflush(stdout);
            frame->Command(id);
        }
    }
}

}  // namespace

// Minevaro: the help lies beside the program; the settings file too, unless
// the program is installed (then it is in the user's configuration folder).
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Minevaro");
    // Set up before anything is read, so that a logout at any moment from
    // here on still ends with the settings written.
    if (!mf::QuitSignals::Install(&app))
        std::fprintf(stderr, "mvro: cannot watch for the end of the session; settings may be lost then\n");

    QCommandLineParser parser;
    parser.setApplicationDescription("Minevaro, the hidden-mines game on six cell shapes.");
    parser.addHelpOption();
    QCommandLineOption seed("seed", "Place the mines from this fixed seed (for replaying a game).", "number");
    parser.addOption(seed);
    QCommandLineOption run("run",
                           "Run these menu commands (numbers separated by commas) after start-up, as if "
                           "chosen from the menu; each is announced on the standard output.",
                           "commands");
    parser.addOption(run);
    parser.process(app);

    mf::TMyFrameWindow::Options options;
    options.programDir = QApplication::applicationDirPath();
    options.iniPath = QString::fromStdString(mf::SettingsFolder::SettingsFile(options.programDir.toStdString()).string());
    if (parser.isSet(seed))
        options.seed = parser.value(seed).toUInt();

    mf::TMyFrameWindow frame(options);
    mf::QuitSignals::SetMainWindow(&frame);
    frame.show();
    if (parser.isSet(run)) {
        const QStringList commands = parser.values(run);
        QTimer::singleShot(0, &frame, [&frame, commands] { RunCommands(&frame, commands); });
    }
    return app.exec();
}
