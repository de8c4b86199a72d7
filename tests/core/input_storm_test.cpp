// Inputs at every moment. The window's thread gives way in the middle of
// games, gambles and free-spin sequences, so a click, a key, a menu, a close
// box or a timer tick can arrive at any yield; these tests play many seeded
// random sessions and, at every yield and pause of the logic, deliver a random
// input. Whatever arrives, and whenever:
// - the credit is never negative, and at rest the ledger holds:
//   bank - amountinvested == total - wager, with the meters showing bank;
// - no game runs inside another, and none under the gamble panel;
// - the store holds, at every yield and pause, exactly the record an orderly
//   shut-down would write at that moment (so a kill at any instant leaves a
//   record that balances), and nothing is written after shut-down.
// "Faithful" sessions deliver only what the window could deliver then: clicks
// on controls that are shown and enabled, keys routed by key preview and the
// focus, menus while the window is enabled, ticks of running timers (never at
// a pause, where the window's thread sleeps). "Anything"
// sessions deliver every input at every point, which the logic must survive
// just as well.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/money.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

using E = Element;

enum class Delivery { Faithful, Anything };

// Outcomes that make the interesting states come often: three scatters
// (a sequence), a win with reel 2's wild (a held reel), a plain win.
constexpr std::array<std::array<int, 5>, 3> kScripted{{{1, 7, 1, 2, 1}, {1, 1, 5, 1, 1}, {13, 22, 7, 14, 1}}};

bool inGamblePanel(Element e) {
    switch (e) {
        case E::risklab:
        case E::lblsuit:
        case E::lblblackred:
        case E::suitbet:
        case E::piccardholder:
        case E::betred:
        case E::cancelbet:
        case E::betblack:
        case E::historypic:
        case E::Lblpasthistory:
        case E::gamblewin:
        case E::gamblelose:
            return true;
        default:
            return false;
    }
}

class Storm {
public:
    Storm(std::uint32_t seed, Delivery delivery) : gen_(seed), delivery_(delivery) {
        rig.view.logEnabled = false;
        rig.view.onYield = [this](int) { atEventPoint(false); };
        rig.view.onPause = [this](std::int32_t) { atEventPoint(true); };
        rig.onTick = [this](Timer, bool starting) { starting ? beginFrame() : endFrame(); };
        // A player with 20 dollars put in and nothing played yet.
        rig.store.set("player1", "winroll", std::to_string(below(2)));
        rig.store.set("player1", "reelspeed", std::to_string(1 + below(2) * 9));
        rig.store.set("player1", "amountinvested", "2000");
        for (const char* key : {"wager", "total", "games"}) rig.store.set("player1", key, "0");
        rig.store.set("player1", "bank", "2000");
        rig.store.set("player1", "currentplayer", "");
    }

    Rig rig;
    std::string failure;  // the first broken rule, with the way there
    int nestedGames = 0, gamesUnderPanel = 0, deliveries = 0, checks = 0, rests = 0;
    int sequences = 0, gambles = 0, paidGames = 0;

    // One session: start-up, `steps` choices of a player with inputs storming
    // in between, then the exit. Stops at the first broken rule.
    void run(int steps) {
        topUp();
        rig.machine.startupPauseMs = 3000;
        beginFrame();
        ASSERT_TRUE(rig.machine.Form_Load());
        endFrame();
        started_ = true;
        for (int i = 0; i < steps && failure.empty() && !rig.s().shutdown; ++i) {
            topUp();
            beginFrame();
            step();
            endFrame();
            checkAtRest();
        }
        if (!rig.s().shutdown) {
            std::int16_t cancel = 0;
            rig.machine.Form_QueryUnload(cancel, UnloadMode::Code);
            noteShutdown();
        }
        if (failure.empty() && readBack() != finalRecord_) fail("the store changed after shut-down");
    }

private:
    std::mt19937 gen_;
    Delivery delivery_;
    bool started_ = false;
    int depth_ = 0;
    std::vector<std::string> trail_;  // the inputs delivered, for the report
    PlayerRecord finalRecord_;

    // A game is a reel motion; reel 5 moves in every one.
    struct Frame {
        int motionAtStart;
        int childMotion;
    };
    std::vector<Frame> frames_;

    int below(int n) { return static_cast<int>(gen_() % static_cast<std::uint32_t>(n)); }
    int reelFrames() { return rig.view.at(E::reel5).moves; }

    void fail(const std::string& what) {
        if (!failure.empty()) return;
        std::ostringstream out;
        out << what << "\n  last inputs:";
        const std::size_t from = trail_.size() > 12 ? trail_.size() - 12 : 0;
        for (std::size_t i = from; i < trail_.size(); ++i) out << " | " << trail_[i];
        failure = out.str();
    }

    // Keeps chance ahead of the machine: mostly the seeded generator, now and
    // then a scripted outcome so that sequences, holds and wins come often.
    void topUp() {
        auto& script = rig.random.script;
        while (script.size() < 400) {
            if (below(12) == 0) {
                for (int stop : kScripted[static_cast<std::size_t>(below(3))]) rig.random.pushInt(stop, 22);
                rig.random.pushRespin(1);
            } else {
                rig.random.push(static_cast<float>(gen_() >> 8U) * (1.0F / 16777216.0F));
            }
        }
    }

    void beginFrame() { frames_.push_back({reelFrames(), 0}); }
    void endFrame() {
        const Frame f = frames_.back();
        frames_.pop_back();
        const int during = reelFrames() - f.motionAtStart;
        // A handler that ran a game of its own, and inside which another game
        // ran: one game inside another.
        if (during - f.childMotion > 0 && f.childMotion > 0) {
            ++nestedGames;
            fail("a game ran inside another");
        }
        if (!frames_.empty()) frames_.back().childMotion += during;
    }

    bool mainEnabled() { return rig.view.enabled(E::velmoran, true); }
    bool shown(El e) {
        const bool initiallyShown = !(e.name == E::takewin || e.name == E::pandouble || e.name == E::historypic ||
                                      e.name == E::gamblewin || e.name == E::gamblelose || e.name == E::pannomoney);
        if (!rig.view.visible(e, initiallyShown)) return false;
        return !inGamblePanel(e.name) || rig.view.visible(E::pandouble, false);
    }
    bool clickable(El e) {
        const bool initiallyEnabled = !(e.name == E::doublebutton || e.name == E::historypic);
        return mainEnabled() && shown(e) && rig.view.enabled(e, initiallyEnabled);
    }
    bool windowOpen(Element w) { return rig.view.visible(w, false); }

    // --- the inputs ------------------------------------------------------
    void click(El e) {
        auto& m = rig.machine;
        if (delivery_ == Delivery::Faithful && !clickable(e)) return;
        trail_.push_back("click " + describe(e));
        rig.view.focus = e;  // a click puts the focus on the button
        switch (e.name) {
            case E::play:
                m.play_Click(e.index);
                break;
            case E::payline:
                m.payline_Click(e.index);
                break;
            case E::COINSIN:
                m.COINSIN_Click();
                break;
            case E::notes:
                m.notes_Click();
                break;
            case E::doublebutton:
                m.doublebutton_Click();
                break;
            case E::takewin:
                m.takewin_Click();
                break;
            case E::betred:
                m.betred_Click();
                break;
            case E::betblack:
                m.betblack_Click();
                break;
            case E::suitbet:
                m.suitbet_Click(e.index);
                break;
            case E::cancelbet:
                m.cancelbet_Click();
                break;
            default:
                break;
        }
    }

    // The focus as the window keeps it: a control that is hidden or disabled
    // has handed it to the window itself.
    El focused() {
        const El f = rig.view.focus.value_or(El{E::velmoran});
        if (f.name == E::velmoran || !shown(f) || !rig.view.enabled(f, true)) return El{E::velmoran};
        return f;
    }

    void key(std::int16_t c) {
        trail_.push_back("key " + std::to_string(c));
        if (delivery_ == Delivery::Anything) {
            std::int16_t k = c;
            rig.machine.Form_KeyPress(k);
            return;
        }
        if (!mainEnabled()) return;
        std::int16_t k = c;
        if (rig.view.keyPreview) {
            rig.machine.Form_KeyPress(k);
            if (k == c) return;  // a space the handler saw is spent; other keys do nothing to a button
        }
        // A space (typed, or made from another key) presses the focused button.
        if (k == 32) {
            const El f = focused();
            if (f.name != E::velmoran) click(f);
        }
    }

    void menu(Element e) {
        auto& m = rig.machine;
        if (delivery_ == Delivery::Faithful && !mainEnabled()) return;
        trail_.push_back("menu " + describe(e));
        switch (e) {
            case E::mnuzerocredit:
                m.mnuzerocredit_Click();
                break;
            case E::mnuptble:
                m.mnuptble_Click();
                break;
            case E::mnuabout:
                m.mnuabout_Click();
                break;
            case E::mnuplayer:
                m.mnuplayer_Click();
                break;
            case E::mnuexit:
                m.mnuexit_Click();
                break;
            default:
                break;
        }
        noteShutdown();
    }

    void closeBox() {
        trail_.push_back("close box");
        std::int16_t cancel = 0;
        rig.machine.Form_QueryUnload(cancel, UnloadMode::ControlMenu);
        noteShutdown();
    }

    void noteShutdown() {
        if (rig.s().shutdown && !shutdownNoted_) {
            shutdownNoted_ = true;
            finalRecord_ = readBack();
        }
    }
    bool shutdownNoted_ = false;

    // The record of the current slot as the next start would read it back.
    PlayerRecord readBack() {
        // Read again only when something was written or the slot changed.
        const auto key = std::make_pair(rig.store.writes, rig.s().currentslot);
        if (key != readBackKey_) {
            probe_.loadplayer(rig.s().currentslot);
            readBack_ = probe_.settledRecord();
            readBackKey_ = key;
        }
        return readBack_;
    }
    std::pair<int, std::int16_t> readBackKey_{-1, 0};
    PlayerRecord readBack_;
    RecordingView probeView_;
    ScriptedRandom probeRandom_;
    FakeDisplay probeDisplay_;
    Machine probe_{probeView_, probeRandom_, rig.store, probeDisplay_};

    void auxInput() {
        auto& m = rig.machine;
        auto& o = rig.options;
        const bool faithful = delivery_ == Delivery::Faithful;
        switch (below(3)) {
            case 0:
                if (faithful && !windowOpen(E::velmoranpays)) return;
                trail_.push_back("pay table closed");
                below(2) == 0 ? m.btnunloadpays_Click() : m.velmoranpays_Unload();
                return;
            case 1:
                if (faithful && !windowOpen(E::aboutvelmoran)) return;
                trail_.push_back("about closed");
                below(2) == 0 ? m.cmdOK_Click() : m.aboutvelmoran_Unload();
                return;
            default:
                break;
        }
        if (faithful && !windowOpen(E::frmvelmoranoptions)) return;
        const int what = below(9);
        trail_.push_back("options " + std::to_string(what));
        switch (what) {
            case 0:
                o.machine_Click(static_cast<std::int16_t>(1 + below(6)));
                break;
            case 1:
                o.setspeed_Click(static_cast<std::int16_t>(below(5)));
                break;
            case 2:
                o.wincounter_Click(static_cast<std::int16_t>(1 + below(2)));
                break;
            case 3:
                o.SSOption2_Click();
                break;
            case 4: {
                std::int16_t enter = 13;
                o.player1_KeyPress(enter, below(2) == 0 ? "Ann" : "Bo");
                break;
            }
            case 5:
                o.Btndeletedetails_Click();
                break;
            case 6:
                o.btnokplayer_Click();
                break;
            default:
                o.Form_Unload();
                break;
        }
    }

    void tick(Timer t) {
        if (delivery_ == Delivery::Faithful && !rig.view.timerOn(t)) return;
        trail_.push_back("tick " + std::string(info(t).name));
        rig.tick(t);
    }

    // Any one input, chosen at random.
    void anyInput(bool atPause) {
        // The window's thread sleeps through a pause: nothing reaches the
        // program then.
        if (atPause && delivery_ == Delivery::Faithful) return;
        ++deliveries;
        beginFrame();
        const int roll = below(100);
        if (roll < 16) {
            click({E::play, static_cast<std::int16_t>(1 + below(6))});
        } else if (roll < 20) {
            click({E::payline, static_cast<std::int16_t>(1 + below(5))});
        } else if (roll < 24) {
            click(E::COINSIN);
        } else if (roll < 27) {
            click(E::notes);
        } else if (roll < 33) {
            click(E::doublebutton);
        } else if (roll < 38) {
            click(E::takewin);
        } else if (roll < 48) {
            const int which = below(4);
            if (which == 0) click(E::betred);
            if (which == 1) click(E::betblack);
            if (which == 2) click({E::suitbet, static_cast<std::int16_t>(1 + below(4))});
            if (which == 3) click(E::cancelbet);
        } else if (roll < 62) {
            const std::int16_t keys[] = {32, 32, 32, 97, 13};
            key(keys[below(5)]);
        } else if (roll < 68) {
            const Element menus[] = {E::mnuzerocredit, E::mnuptble, E::mnuabout, E::mnuplayer};
            menu(menus[below(4)]);
        } else if (roll < 69) {
            // Quitting ends the session: now and then only.
            if (below(30) == 0) below(2) == 0 ? menu(E::mnuexit) : closeBox();
        } else if (roll < 76) {
            auxInput();
        } else {
            tick(static_cast<Timer>(below(static_cast<int>(kTimerCount))));
        }
        endFrame();
    }

    // --- the rules ---------------------------------------------------------
    void atEventPoint(bool atPause) {
        if (!started_ || !failure.empty()) return;
        checkEverywhere();
        if (depth_ >= 2 || below(4) != 0) return;
        ++depth_;
        anyInput(atPause);
        --depth_;
        checkEverywhere();
    }

    void checkEverywhere() {
        ++checks;
        const auto& s = rig.s();
        if (s.bank < 0) fail("the credit went negative: " + std::to_string(s.bank));
        if (rig.view.visible(E::pandouble, false) && reelFrames() != lastFrames_ && s.gambleshown) {
            ++gamesUnderPanel;
            fail("the reels turned under the gamble panel");
        }
        lastFrames_ = reelFrames();
        if (s.loading || s.shutdown) return;
        const PlayerRecord settled = rig.machine.settledRecord();
        if (static_cast<std::int64_t>(settled.bank) - settled.amountinvested !=
            static_cast<std::int64_t>(settled.total) - settled.wager) {
            fail("the settled record does not balance: bank " + std::to_string(settled.bank) + " invested " +
                 std::to_string(settled.amountinvested) + " total " + std::to_string(settled.total) + " wager " +
                 std::to_string(settled.wager));
        }
        if (settled.bank < 0) fail("the settled credit is negative");
        if (readBack() != settled) {
            const PlayerRecord st = readBack();
            fail("the store is not what a shut-down would write: w" + std::to_string(st.winroll) + "/" +
                 std::to_string(settled.winroll) + " r" + std::to_string(st.reelspeed) + "/" +
                 std::to_string(settled.reelspeed) + " i" + std::to_string(st.amountinvested) + "/" +
                 std::to_string(settled.amountinvested) + " g" + std::to_string(st.games) + "/" +
                 std::to_string(settled.games) + " stored bank " + std::to_string(st.bank) + " total " +
                 std::to_string(st.total) + " wager " + std::to_string(st.wager) + ", settled bank " +
                 std::to_string(settled.bank) + " total " + std::to_string(settled.total) + " wager " +
                 std::to_string(settled.wager));
        }
    }
    int lastFrames_ = 0;

    void checkAtRest() {
        const auto& s = rig.s();
        checkEverywhere();
        const bool atRest = !s.gamerunning && !s.gambleshown && s.freespinstotal == 0 && !s.shutdown;
        if (!atRest) return;
        ++rests;
        if (static_cast<std::int64_t>(s.bank) - s.amountinvested != static_cast<std::int64_t>(s.total) - s.wager) {
            fail("at rest the ledger does not balance: bank " + std::to_string(s.bank) + " invested " +
                 std::to_string(s.amountinvested) + " total " + std::to_string(s.total) + " wager " +
                 std::to_string(s.wager));
        }
        // The meters show the credit once the counter has finished (Delete
        // details leaves them empty until the next refresh).
        const std::string& meter = rig.view.caption(E::PANELBANK);
        if (!rig.view.timerOn(Timer::Timerwincounter) && !meter.empty() && s.auxwindow == AuxWindow::None &&
            meter != coinForm(s.bank)) {
            fail("the credit meter shows " + meter + " for a credit of " + std::to_string(s.bank));
        }
    }

    // --- the player --------------------------------------------------------
    void step() {
        auto& s = rig.s();
        const int roll = below(100);
        if (s.freespinstotal > 0 && s.freespinsplayed < s.freespinstotal) {
            // A sequence plays itself; the player waits, and inputs storm in.
            rig.runTimers(200 + below(2000));
            if (roll < 10) anyInput(false);
        } else if (s.freespinstotal > 0) {
            click(E::takewin);
            ++sequences;
        } else if (s.gambleshown) {
            ++gambles;
            anyInput(false);
            if (roll < 40) rig.runTimers(below(500));
        } else if (s.auxwindow != AuxWindow::None) {
            auxInput();
        } else if (roll < 45) {
            const std::int32_t wager = s.wager;
            click({E::play, static_cast<std::int16_t>(1 + below(3))});
            if (s.wager != wager) ++paidGames;
        } else if (roll < 55) {
            click(E::doublebutton);
        } else if (roll < 75) {
            rig.runTimers(below(4000));
        } else {
            anyInput(false);
        }
        if (s.bank < 100 && below(3) == 0) click(E::notes);
    }
};

struct StormTotals {
    int sessions = 0, deliveries = 0, checks = 0, rests = 0, sequences = 0, gambles = 0, paidGames = 0;
};

StormTotals storm(Delivery delivery, std::uint32_t firstSeed, int sessions, int steps) {
    StormTotals t;
    for (int i = 0; i < sessions; ++i) {
        const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(i);
        Storm st(seed, delivery);
        st.run(steps);
        EXPECT_EQ(st.failure, "") << "seed " << seed;
        if (!st.failure.empty()) break;
        ++t.sessions;
        t.deliveries += st.deliveries;
        t.checks += st.checks;
        t.rests += st.rests;
        t.sequences += st.sequences;
        t.gambles += st.gambles;
        t.paidGames += st.paidGames;
    }
    return t;
}

TEST(InputStorm, WhatTheWindowCanDeliverAtEveryYieldChangesNoMoney) {
    const StormTotals t = storm(Delivery::Faithful, 1000, 60, 400);
    // The sessions reached every state they exist for.
    EXPECT_EQ(t.sessions, 60);
    EXPECT_GT(t.sequences, 50);
    EXPECT_GT(t.gambles, 2000);
    EXPECT_GT(t.paidGames, 1000);
    EXPECT_GT(t.deliveries, 20000);
    EXPECT_GT(t.rests, 3000);
}

TEST(InputStorm, AnyInputAtAnyYieldOrPauseChangesNoMoney) {
    const StormTotals t = storm(Delivery::Anything, 5000, 60, 400);
    EXPECT_EQ(t.sessions, 60);
    EXPECT_GT(t.sequences, 30);
    EXPECT_GT(t.paidGames, 1000);
    EXPECT_GT(t.deliveries, 100000);
}

}  // namespace
}  // namespace velmoran::test
