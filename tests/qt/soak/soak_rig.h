#pragma once
// The program's own parts, wired as the program wires them, for runs that
// play the real window for a long time: the main window with its timers, the
// settings file in the user's configuration folder under its lock, silence
// for sound, and chance that is seeded and brings the features often. The
// machine reaches the window through a view that forwards every call and
// lets a run act at the moments that matter: the yields, the pauses of the
// reel motion, the timers being switched; the store, likewise, at every save.

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/machine.h"
#include "shell/art/art_library.h"
#include "shell/audio/cue_player.h"
#include "shell/lock/store_lock.h"
#include "shell/store/qsettings_store.h"
#include "shell/window/main_window.h"
#include "shell/window/qt_display_environment.h"
#include "support/forwarding_view.h"

class QAbstractButton;
class QAction;
class QWidget;

namespace velmoran::soak {

// Forwards every call to the window. The hooks run before the call they are
// named after.
class WatchedView final : public test::ForwardingView {
public:
    using ForwardingView::ForwardingView;

    std::function<void()> beforeYield;
    std::function<void(std::int32_t ms)> beforePause;
    std::function<void(Timer, bool enabled)> beforeTimer;
    // Answers a message box in the window's place.
    std::function<void(std::string_view text)> onMessage;

    void setTimer(Timer t, bool enabled) override {
        if (beforeTimer) beforeTimer(t, enabled);
        ForwardingView::setTimer(t, enabled);
    }
    void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override {
        if (onMessage) return onMessage(text);
        ForwardingView::messageBox(text, title, icon);
    }
    void yield() override {
        if (beforeYield) beforeYield();
        ForwardingView::yield();
    }
    void pause(std::int32_t ms) override {
        if (beforePause) beforePause(ms);
        ForwardingView::pause(ms);
    }
};

// The settings file, watched: the hook runs before each save reaches the disk.
class WatchedStore final : public SettingsStore {
public:
    explicit WatchedStore(SettingsStore& inner) : inner_(inner) {}

    std::function<void()> beforeFlush;

    std::string read(std::string_view application, std::string_view section, std::string_view key) override {
        return inner_.read(application, section, key);
    }
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override {
        inner_.write(application, section, key, value);
    }
    bool flush() override {
        if (beforeFlush) beforeFlush();
        return inner_.flush();
    }

private:
    SettingsStore& inner_;
};

// Reel stops of outcomes worth meeting often.
enum class Feature { Trigger, HeldWild, Win };

// Seeded uniform draws, except where an outcome has been queued for the spin
// about to draw its stops.
class SoakChance final : public RandomSource {
public:
    explicit SoakChance(std::uint32_t seed) : gen_(seed) {}
    void reseed() override {}
    float draw() override;
    // Queues `f` for the spin whose stops come next: the stops of the reels
    // that are not held, then a re-spin draw that lets the outcome stand.
    void queue(Feature f, const MachineState& s);
    [[nodiscard]] bool queued() const noexcept { return !script_.empty(); }

private:
    std::mt19937 gen_;
    std::deque<float> script_;
};

// The five money counters of a record: what every check compares.
struct Money {
    std::int32_t bank = 0, amountinvested = 0, wager = 0, total = 0, games = 0;
    friend bool operator==(const Money&, const Money&) = default;
};
Money moneyOf(const MachineState& s);
Money moneyOf(const PlayerRecord& r);
std::string describe(const Money& m);

// One whole line on standard output, written at once so that a run killed
// where it stands never leaves half of one.
void say(const std::string& text);

struct Settings {
    std::uint32_t seed = 1;
    std::int32_t startupMs = 3000;  // the start-up pause
    std::int32_t respinMs = 0;      // the wait between free spins; 0 keeps the window's own
};

class SoakRig {
public:
    explicit SoakRig(const Settings& settings);
    SoakRig(const SoakRig&) = delete;
    SoakRig& operator=(const SoakRig&) = delete;

    // Takes the store's lock as the program does, then starts the window.
    // An empty answer, or why the run cannot go on.
    QString start();

    [[nodiscard]] MachineState& s() noexcept { return machine.state; }
    // At rest: nothing in play and no other window open, so the record on
    // disk is the live one.
    [[nodiscard]] bool atRest() const noexcept;
    // The current slot's record in the settings file, read from the disk
    // with a reader of our own. Empty when a line is not a plain section or
    // key, or a number of the record is not a plain integer.
    [[nodiscard]] std::optional<PlayerRecord> recordOnDisk();

    // What a player could press now: shown, enabled buttons of the main
    // window (the gamble panel's included), of the open auxiliary windows,
    // and the entries of the menu bar.
    [[nodiscard]] std::vector<QAbstractButton*> mainButtons() const;
    [[nodiscard]] std::vector<QAbstractButton*> auxButtons() const;
    [[nodiscard]] std::vector<QAction*> menuEntries() const;
    [[nodiscard]] bool auxOpen() const;
    // The button that closes an open auxiliary window the ordinary way (the
    // pay table's Close, About's OK, the options' O.K.), or none.
    [[nodiscard]] QAbstractButton* closingButton() const;
    [[nodiscard]] QAbstractButton* button(El e) const;

    // Input as the desktop delivers it: a press and a release at a point of
    // the window, handed to whatever the window has there; a key to the
    // active window.
    static void click(QWidget* w);
    void choose(QAction* entry);
    void type(int key);

    audio::SilentCuePlayer silence;
    art::Library art;
    shell::StoreLock lock;
    QSettingsStore store;
    WatchedStore watchedStore{store};
    shell::QtDisplayEnvironment display;
    SoakChance chance;
    shell::MainWindow window;
    WatchedView view;
    Machine machine;
    // Every message box the program showed, answered at once.
    std::vector<QString> messages;
};

}  // namespace velmoran::soak
