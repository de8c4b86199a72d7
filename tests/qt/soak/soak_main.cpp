// velmoran_soak: the real window, the real settings file and the real timers,
// played for a long time.
//   velmoran_soak storm [--seconds S] [--verbose]
//                                          random clicks and keys for S seconds
//   velmoran_soak autoplay [--aim A] [--games N] [--seconds S]
//                                          a player who plays by itself and
//                                          reports each step, to be killed
// Both take --seed N (chance and choices), --startup-ms M (the start-up
// pause) and --respin-ms R (the wait between free spins, shortened so that a
// run sees many sequences). Both quit by the exit menu at the end; the
// records stay in $XDG_CONFIG_HOME/duraridu.ini.
#include <QApplication>
#include <QCommandLineParser>

#include "runs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program's names: the same settings file and lock.
    QApplication::setApplicationName(QStringLiteral("slots_velmoran"));
    QApplication::setOrganizationName(QStringLiteral("duraridu"));

    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("mode"), QStringLiteral("storm or autoplay"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of chance and choices."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("How long to play."),
                                     QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption startup(QStringLiteral("startup-ms"), QStringLiteral("The start-up pause."),
                                     QStringLiteral("ms"), QStringLiteral("3000"));
    const QCommandLineOption respin(QStringLiteral("respin-ms"), QStringLiteral("The wait between free spins."),
                                    QStringLiteral("ms"), QStringLiteral("250"));
    const QCommandLineOption aim(QStringLiteral("aim"), QStringLiteral("What the first paid spin brings."),
                                 QStringLiteral("phase"), QStringLiteral("none"));
    const QCommandLineOption games(QStringLiteral("games"), QStringLiteral("Paid games before quitting (0: no end)."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Every input of a storm, as it comes."));
    parser.addOptions({seed, seconds, startup, respin, aim, games, verbose});
    parser.addHelpOption();
    parser.process(app);
    const QStringList mode = parser.positionalArguments();
    if (mode.size() != 1 || (mode[0] != QStringLiteral("storm") && mode[0] != QStringLiteral("autoplay")))
        parser.showHelp(2);

    velmoran::soak::Settings settings;
    settings.seed = parser.value(seed).toUInt();
    settings.startupMs = parser.value(startup).toInt();
    settings.respinMs = parser.value(respin).toInt();
    velmoran::soak::SoakRig rig(settings);
    velmoran::soak::say("startup");
    if (const QString why = rig.start(); !why.isEmpty()) {
        velmoran::soak::say("FAIL " + why.toStdString());
        return 3;
    }
    QObject::connect(&rig.window, &velmoran::shell::MainWindow::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (mode[0] == QStringLiteral("storm")) {
        velmoran::soak::StormSettings storm;
        storm.seconds = parser.value(seconds).toDouble();
        storm.verbose = parser.isSet(verbose);
        return velmoran::soak::runStorm(rig, settings, storm);
    }
    velmoran::soak::AutoplaySettings play;
    play.aim = parser.value(aim).toStdString();
    play.games = parser.value(games).toInt();
    play.seconds = parser.value(seconds).toDouble();
    return velmoran::soak::runAutoplay(rig, settings, play);
}
