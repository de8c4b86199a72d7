// A player who plays the real window by itself at a player's pace, with the
// mouse, and reports each step on standard output, so that whoever kills it
// knows what was in play at the moment of the kill:
//   ready <record>        start-up is over; the record as loaded
//   play <record>         a paid game is about to be started from this record
//   decided bet=B wins=W  the outcome stands and is about to be saved
//   motion bet=B wins=W   the reels move
//   stopped               the motion is over
//   counter / counted     the win counter starts / stops
//   freespins / freespins-over
//   collect <record>      a sequence's wins collected
//   notes <record>        a banknote is about to be inserted
//   gamble stake=S        the gamble entered with S at stake
//   card factor=F atrisk=A, then won atrisk=A' or lost
//   left                  the gamble left with the amount at risk
//   exit <record>         quitting by the exit menu, at rest
// <record> is "bank=.. amountinvested=.. wager=.. total=.. games=..".
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <random>

#include "core/bet.h"
#include "runs.h"

namespace velmoran::soak {

namespace {

using E = Element;

bool usable(const QAbstractButton* b) {
    return b != nullptr && b->isVisible() && b->isEnabled();
}

class Autoplayer {
public:
    Autoplayer(SoakRig& rig, const Settings& settings, const AutoplaySettings& play)
        : rig_(rig), observer_(rig, true), play_(play), gen_(settings.seed ^ 0xa17fU) {}

    int run() {
        rig_.watchedStore.beforeFlush = [this] { observer_.beforeSave(); };
        rig_.view.beforeYield = [this] { observer_.atYield(); };
        rig_.view.beforePause = [this](std::int32_t) { observer_.atPause(); };
        rig_.view.beforeTimer = [this](Timer t, bool enabled) {
            observer_.atTimer(t, enabled);
            if (t == Timer::Timerrespin && !enabled) maybeBringFeature();
        };
        const auto& s = rig_.s();
        observer_.line("ready " + describe(moneyOf(s)) + " winroll=" + std::to_string(s.winroll) +
                       " reelspeed=" + std::to_string(s.reelspeed));
        step_.setSingleShot(true);
        QObject::connect(&step_, &QTimer::timeout, [this] { step(); });
        clock_.start();
        step_.start(0);
        const int status = QApplication::exec();
        rig_.watchedStore.beforeFlush = nullptr;
        rig_.view.beforeYield = nullptr;
        rig_.view.beforePause = nullptr;
        rig_.view.beforeTimer = nullptr;
        observer_.line("ended games=" + std::to_string(observer_.motions) + " sequences=" +
                       std::to_string(observer_.sequences) + " gambles=" + std::to_string(observer_.gambles));
        return status;
    }

private:
    SoakRig& rig_;
    Observer observer_;
    AutoplaySettings play_;
    std::mt19937 gen_;
    QTimer step_;
    QElapsedTimer clock_;
    bool aimed_ = false, quitting_ = false;
    int paidGames_ = 0, cards_ = 0;

    int below(int n) { return static_cast<int>(gen_() % static_cast<std::uint32_t>(n)); }
    std::string record() const { return describe(moneyOf(rig_.machine.state)); }
    QAbstractButton* button(El e) const { return rig_.button(e); }

    void maybeBringFeature() {
        const auto& s = rig_.s();
        if (!s.gamerunning || s.spindecided || s.freespinstotal != 0 || rig_.chance.queued()) return;
        if (!aimed_) {
            aimed_ = true;
            if (play_.aim == "freespins") {
                rig_.chance.queue(Feature::Trigger, s);
                return;
            }
            if (play_.aim == "gamble" || play_.aim == "counter") {
                rig_.chance.queue(Feature::Win, s);
                return;
            }
        }
        const int roll = below(20);
        if (roll < 1) {
            rig_.chance.queue(Feature::Trigger, s);
        } else if (roll < 3) {
            rig_.chance.queue(Feature::HeldWild, s);
        } else if (roll < 6) {
            rig_.chance.queue(Feature::Win, s);
        }
    }

    void next(int ms) { step_.start(ms); }
    // A player's moment of thought between two clicks.
    void think() { next(30 + below(220)); }

    void step() {
        observer_.update();
        auto& s = rig_.s();
        const bool timeUp = clock_.elapsed() >= static_cast<qint64>(play_.seconds * 1000);
        if (quitting_ || (timeUp && !s.gamerunning)) {
            quit();
            return;
        }
        if (s.freespinstotal > 0) {
            // The sequence plays itself; only its collect is the player's.
            if (usable(button(E::takewin))) {
                SoakRig::click(button(E::takewin));
                observer_.line("collect " + record());
            }
            think();
            return;
        }
        if (s.gambleshown) {
            gambleStep();
            think();
            return;
        }
        const bool counting = rig_.window.timerActive(Timer::Timerwincounter);
        if (usable(button(E::doublebutton)) && (play_.aim == "gamble" || below(3) == 0)) {
            SoakRig::click(button(E::doublebutton));
            if (s.gambleshown) {
                cards_ = 0;
                observer_.line("gamble stake=" + std::to_string(s.gamblestake));
            }
        } else if (counting && below(3) != 0) {
            // Let the counter count: a kill may come meanwhile.
        } else if (play_.games > 0 && paidGames_ >= play_.games) {
            quitting_ = true;
        } else {
            playOrPay();
        }
        think();
    }

    void playOrPay() {
        auto& s = rig_.s();
        const auto index = static_cast<std::int16_t>(1 + below(3));
        const std::int32_t bet = kLinebetOfPlay[static_cast<std::size_t>(index - 1)] * s.lines;
        if (s.bank < bet) {
            observer_.line("notes " + record());
            SoakRig::click(button(E::notes));
            return;
        }
        observer_.line("play " + record());
        ++paidGames_;
        SoakRig::click(button({E::play, index}));
    }

    void gambleStep() {
        auto& s = rig_.s();
        if (!s.gambleopen || s.betrunning) return;
        if (cards_ >= 3 || (cards_ > 0 && below(3) == 0)) {
            if (!usable(button(E::cancelbet))) return;
            SoakRig::click(button(E::cancelbet));
            observer_.line("left");
            return;
        }
        const bool suit = below(10) < 3;
        const El bet = suit ? El{E::suitbet, static_cast<std::int16_t>(1 + below(4))}
                            : (below(2) == 0 ? El{E::betred} : El{E::betblack});
        if (!usable(button(bet))) return;
        observer_.line("card factor=" + std::to_string(suit ? 4 : 2) + " atrisk=" + std::to_string(s.atrisk));
        ++cards_;
        SoakRig::click(button(bet));
        if (s.gambleopen) {
            observer_.line("won atrisk=" + std::to_string(s.atrisk));
        } else {
            observer_.line("lost");
        }
    }

    void quit() {
        quitting_ = true;
        // Another window open (the player has none, but a run may be told
        // to stop at any time) would keep the menu bar disabled.
        if (rig_.auxOpen()) {
            SoakRig::click(rig_.closingButton());
            next(50);
            return;
        }
        const auto& s = rig_.s();
        observer_.line("exit " + record() + " slot=" + std::to_string(s.currentslot) +
                       " rest=" + (rig_.atRest() ? "1" : "0"));
        for (QAction* a : rig_.menuEntries())
            if (a->objectName() == QStringLiteral("mnuexit")) rig_.choose(a);
        QTimer::singleShot(10000, &step_, [] {
            say("FAIL the exit menu did not end the program");
            QApplication::exit(1);
        });
    }
};

}  // namespace

int runAutoplay(SoakRig& rig, const Settings& settings, const AutoplaySettings& play) {
    Autoplayer a(rig, settings, play);
    return a.run();
}

}  // namespace velmoran::soak
