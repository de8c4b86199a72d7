// velmoran: the slot machine. No arguments; the only state it keeps between
// runs is the per-user settings store.
#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <memory>

#include "core/machine.h"
#include "core/ports/random_source.h"
#include "players/player_store.h"
#include "shell/art/art_library.h"
#include "shell/audio/cue_player.h"
#include "shell/lock/store_lock.h"
#include "shell/store/qsettings_store.h"
#include "shell/window/main_window.h"
#include "shell/window/qt_display_environment.h"
#include "shell/window/termination_watcher.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("slots_velmoran"));
    QApplication::setOrganizationName(QStringLiteral("duraridu"));
    // The system's request to end comes first of all: a signal that arrives
    // while the pictures are drawn must not end the program where it stands.
    velmoran::shell::TerminationWatcher termination;

    const velmoran::art::Library art(app.devicePixelRatio());
    // The emblem on the title bar and the task bar, for every window.
    QApplication::setWindowIcon(QIcon(art.asset(velmoran::art::Asset::Icon)));
    // Silent until the sounds are loaded, right after the window is shown.
    velmoran::audio::SilentCuePlayer silence;
    std::unique_ptr<velmoran::audio::CuePlayer> cues;
    // Made before the store, so the lock outlives the store's last write.
    velmoran::shell::StoreLock storeLock(velmoran::shell::StoreLock::fileFor(velmoran::players::kApplication));
    velmoran::QSettingsStore store;
    velmoran::shell::QtDisplayEnvironment display;
    velmoran::SystemRandom random;

    velmoran::shell::MainWindow window(art, silence);
    velmoran::Machine machine(window.view(), random, store, display);
    window.attach(machine);
    display.setMainWindow(&window);

    QObject::connect(&window, &velmoran::shell::MainWindow::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // Logging off or shutting the system down closes the window, which saves.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) {
        if (window.isVisible()) window.close();
    });
    // Ended by the system (a terminal closed, a plain kill, a session that
    // ends without asking): close as the close box does.
    // A request that comes while the program is still starting (the event
    // loop runs during start-up, when the machine takes no close yet) is
    // kept and carried out once start-up is over, so the record is written
    // then as at any other close.
    bool started = false;
    bool endRequested = false;
    QObject::connect(&termination, &velmoran::shell::TerminationWatcher::terminationRequested, &window,
                     [&window, &started, &endRequested] {
                         if (started)
                             window.close();
                         else
                             endRequested = true;
                     });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] {
        if (!window.hasShutDown()) window.close();
    });

    const auto loadSounds = [&] {
        cues = velmoran::audio::makeSystemCuePlayer(&app);
        if (cues != nullptr) window.setCuePlayer(*cues);
    };
    // A second copy would keep a record of its own and write it over the
    // first one's at every save: it says so and ends before reading the store.
    // With large fonts the window only says so and never reads the store.
    if (machine.IsScreenFontSmall() && velmoran::shell::claimStore(storeLock, store, velmoran::players::kApplication) ==
                                           velmoran::shell::StoreLock::Outcome::HeldElsewhere) {
        window.view().messageBox("Velmoran is already running.", "Slots_Velmoran", velmoran::MessageIcon::Information);
        return 0;
    }
    if (!window.start(loadSounds)) return 0;
    started = true;
    if (endRequested) window.close();
    return QApplication::exec();
}
