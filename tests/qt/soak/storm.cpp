// A storm of random input on the real window. At rest the player clicks,
// types and uses the menus at random; while a handler runs (a game, a win
// counter tick, a card, a free spin) further input is posted at its yields
// and pauses, so that it reaches the window the way a desktop's queued
// input does: at the next moment the handler gives way. Clicks go to the
// controls that are shown and enabled at that moment, as found by walking
// the windows; keys go to the active window.
//
// After every input the credit is checked, and at rest: the ledger
// (bank - amountinvested == total - wager), the credit meter, and, every few
// rests, the record on disk against the live one.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>
#include <QTimer>
#include <deque>
#include <random>
#include <sstream>

#include "runs.h"

namespace velmoran::soak {

namespace {

class Storm {
public:
    Storm(SoakRig& rig, const Settings& settings, const StormSettings& storm)
        : rig_(rig), observer_(rig, false), gen_(settings.seed ^ 0x5eedU), seed_(settings.seed), storm_(storm) {}

    int run() {
        rig_.view.beforeYield = [this] { atYield(); };
        rig_.view.beforePause = [this](std::int32_t) { atPause(); };
        rig_.view.beforeTimer = [this](Timer t, bool enabled) {
            observer_.atTimer(t, enabled);
            // The reel chain stops the free-spin timer just before the stops
            // are drawn: the moment to bring on a feature now and then.
            if (t == Timer::Timerrespin && !enabled) maybeBringFeature();
        };
        rest_.setSingleShot(true);
        QObject::connect(&rest_, &QTimer::timeout, [this] { restStep(); });
        clock_.start();
        rest_.start(0);
        QApplication::exec();
        rig_.view.beforeYield = nullptr;
        rig_.view.beforePause = nullptr;
        rig_.view.beforeTimer = nullptr;

        std::ostringstream summary;
        summary << "storm seed " << seed_ << ": " << clock_.elapsed() / 1000.0 << " s, games " << observer_.motions
                << " (free " << observer_.freeMotions << "), sequences " << observer_.sequences << ", gambles "
                << observer_.gambles << ", inputs " << inputs_ << " (at yields " << nested_ << "; clicks " << clicks_
                << ", keys " << keys_ << ", menus " << menus_ << ", other windows " << aux_ << "), rests checked "
                << rests_ << ", records on disk checked " << diskChecks_;
        say(summary.str());
        if (!failure_.empty()) {
            say("FAIL " + failure_);
            return 1;
        }
        return 0;
    }

private:
    SoakRig& rig_;
    Observer observer_;
    std::mt19937 gen_;
    std::uint32_t seed_;
    StormSettings storm_;
    QElapsedTimer clock_;
    QTimer rest_;
    int depth_ = 0, pending_ = 0, closeTries_ = 0;
    bool finishing_ = false;
    std::string failure_;
    std::deque<std::string> trail_;
    int inputs_ = 0, nested_ = 0, clicks_ = 0, keys_ = 0, menus_ = 0, aux_ = 0, rests_ = 0, diskChecks_ = 0;

    int below(int n) { return static_cast<int>(gen_() % static_cast<std::uint32_t>(n)); }

    void note(std::string what) {
        if (storm_.verbose)
            say(std::to_string(clock_.elapsed()) + " ms, depth " + std::to_string(depth_) + ": " + what);
        trail_.push_back(std::move(what));
        if (trail_.size() > 16) trail_.pop_front();
    }

    void fail(const std::string& what) {
        if (!failure_.empty()) return;
        std::ostringstream out;
        out << what << " (seed " << seed_ << ", after " << inputs_ << " inputs; the last:";
        for (const auto& t : trail_) out << " | " << t;
        out << ")";
        failure_ = out.str();
    }

    void maybeBringFeature() {
        const auto& s = rig_.s();
        if (!s.gamerunning || s.spindecided || s.freespinstotal != 0 || rig_.chance.queued()) return;
        const int roll = below(20);
        if (roll < 2) {
            rig_.chance.queue(Feature::Trigger, s);
        } else if (roll < 4) {
            rig_.chance.queue(Feature::HeldWild, s);
        } else if (roll < 7) {
            rig_.chance.queue(Feature::Win, s);
        }
    }

    // --- delivery ------------------------------------------------------
    void atYield() {
        observer_.atYield();
        checkCredit();
        if (finishing_ || depth_ >= 2 || pending_ >= 2 || below(2) != 0) return;
        post();
    }

    void atPause() {
        observer_.atPause();
        // Input made while the thread sleeps waits in the queue for the
        // handler's next yield.
        if (finishing_ || depth_ >= 2 || pending_ >= 2 || below(40) != 0) return;
        post();
    }

    void post() {
        ++pending_;
        QTimer::singleShot(0, &rest_, [this] {
            --pending_;
            if (finishing_) return;
            ++nested_;
            deliver();
        });
    }

    void deliver() {
        ++depth_;
        ++inputs_;
        const int roll = below(100);
        if (rig_.auxOpen() && roll < 45) {
            clickAux();
        } else if (roll < 60) {
            clickControl();
        } else if (roll < 82) {
            typeKey();
        } else if (roll < 92) {
            chooseMenu();
        } else {
            clickAux();
        }
        --depth_;
        observer_.update();
        checkCredit();
        for (const QString& m : rig_.messages) {
            // Only the name box's own complaints are expected.
            if (m != QStringLiteral("Nothing Entered") && m != QStringLiteral("Name Too Long"))
                fail("the program said: " + m.toStdString());
        }
        rig_.messages.clear();
    }

    void clickControl() {
        const auto buttons = rig_.mainButtons();
        if (buttons.empty()) return;
        QAbstractButton* b = buttons[static_cast<std::size_t>(below(static_cast<int>(buttons.size())))];
        note("click " + b->objectName().toStdString());
        ++clicks_;
        SoakRig::click(b);
    }

    void clickAux() {
        const auto buttons = rig_.auxButtons();
        if (buttons.empty()) {
            clickControl();
            return;
        }
        QAbstractButton* b = buttons[static_cast<std::size_t>(below(static_cast<int>(buttons.size())))];
        note("click " + b->window()->objectName().toStdString() + "/" + b->objectName().toStdString() + " " +
             b->text().toStdString());
        ++aux_;
        SoakRig::click(b);
    }

    void typeKey() {
        const int roll = below(100);
        int key = Qt::Key_Space;
        if (roll >= 85) {
            key = Qt::Key_Return;
        } else if (roll >= 55) {
            key = Qt::Key_A + below(26);
        }
        note("key " + QKeySequence(key).toString().toStdString());
        ++keys_;
        rig_.type(key);
    }

    void chooseMenu() {
        std::vector<QAction*> entries;
        // Quitting ends the storm: only at its end.
        for (QAction* a : rig_.menuEntries())
            if (a->objectName() != QStringLiteral("mnuexit")) entries.push_back(a);
        if (entries.empty()) return;
        QAction* a = entries[static_cast<std::size_t>(below(static_cast<int>(entries.size())))];
        note("menu " + a->objectName().toStdString());
        ++menus_;
        rig_.choose(a);
    }

    // --- checks ----------------------------------------------------------
    void checkCredit() {
        const auto& s = rig_.s();
        if (s.bank < 0) fail("the credit is " + std::to_string(s.bank));
    }

    void checkAtRest() {
        if (!rig_.atRest()) return;
        ++rests_;
        const auto& s = rig_.s();
        if (static_cast<std::int64_t>(s.bank) - s.amountinvested != static_cast<std::int64_t>(s.total) - s.wager)
            fail("at rest the ledger does not balance: " + describe(moneyOf(s)));
        const auto* meter = qobject_cast<QLabel*>(rig_.window.widget(Element::PANELBANK));
        // The counter shows the credit once it has finished counting; the
        // delete-details button leaves the meter empty until it is next shown.
        if (meter != nullptr && !rig_.window.timerActive(Timer::Timerwincounter) && !meter->text().isEmpty() &&
            meter->text() != QString::number(s.bank)) {
            fail("the credit meter shows " + meter->text().toStdString() + " for " + describe(moneyOf(s)));
        }
        if (rests_ % 8 != 1) return;
        ++diskChecks_;
        const auto disk = rig_.recordOnDisk();
        if (!disk) {
            fail("the settings file does not hold a record of plain values");
        } else if (moneyOf(*disk) != moneyOf(s)) {
            fail("at rest the record on disk (" + describe(moneyOf(*disk)) + ") is not the live one (" +
                 describe(moneyOf(s)) + ")");
        }
    }

    // --- the player's pace -----------------------------------------------
    void restStep() {
        if (finishing_) return;
        if (!failure_.empty() || clock_.elapsed() >= static_cast<qint64>(storm_.seconds * 1000)) {
            finish();
            return;
        }
        deliver();
        checkAtRest();
        // Mostly quick, sometimes a pause that lets the counters, the win
        // lines and the free spins run on their own.
        const int roll = below(100);
        const int next = roll < 70 ? below(40) : roll < 95 ? 100 + below(700) : 1000 + below(2000);
        rest_.start(next);
    }

    // Closes the other windows with their own buttons, then quits by the
    // exit menu, saying first what the record should be.
    void finish() {
        finishing_ = true;
        if (rig_.auxOpen()) {
            if (++closeTries_ > 200) {
                fail("the other windows do not close");
                QApplication::exit(1);
                return;
            }
            SoakRig::click(rig_.closingButton());
            QTimer::singleShot(20, &rest_, [this] { finish(); });
            return;
        }
        checkAtRest();
        const auto& s = rig_.s();
        say("exit " + describe(moneyOf(s)) + " slot=" + std::to_string(s.currentslot) +
            " rest=" + (rig_.atRest() ? "1" : "0"));
        for (QAction* a : rig_.menuEntries())
            if (a->objectName() == QStringLiteral("mnuexit")) rig_.choose(a);
        // The window has closed by now and the program is on its way out.
        QTimer::singleShot(10000, &rest_, [this] {
            fail("the exit menu did not end the program");
            QApplication::exit(1);
        });
    }
};

}  // namespace

int runStorm(SoakRig& rig, const Settings& settings, const StormSettings& storm) {
    Storm s(rig, settings, storm);
    return s.run();
}

}  // namespace velmoran::soak
