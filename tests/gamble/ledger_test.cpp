// The lifetime ledger over whole sessions: for a player who started with
// nothing, what the credit gained over the money put in must equal what was
// won over what was wagered, whenever the machine is at rest outside a
// free-spin sequence and outside the gamble. Sessions mix paid games,
// free-spin sequences, gambles won, left and lost, credit put in and paid out.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "support/rig.h"

namespace velmoran::test {
namespace {

constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};
// Three Moccasins on line 20: 20 coins at 1 coin a line, no wild, no scatter.
constexpr std::initializer_list<int> kMoccasins = {13, 22, 7, 14, 1};
// Scatters on reels 1, 2 and 3: a free-spin sequence.
constexpr std::initializer_list<int> kTrigger = {1, 7, 1, 2, 1};

constexpr int kHearts = 1, kClubs = 2, kSpades = 4;

struct Ledger {
    std::int64_t credit;  // bank - amountinvested
    std::int64_t won;     // total - wager
};

Ledger ledger(const MachineState& s) {
    return {static_cast<std::int64_t>(s.bank) - s.amountinvested, static_cast<std::int64_t>(s.total) - s.wager};
}

bool atRest(const MachineState& s) {
    return s.freespinstotal == 0 && !s.gambleshown;
}

#define EXPECT_BALANCED(rig)                                                                                \
    do {                                                                                                    \
        const auto l = ledger((rig).s());                                                                   \
        EXPECT_EQ(l.credit, l.won) << "bank " << (rig).s().bank << " invested " << (rig).s().amountinvested \
                                   << " total " << (rig).s().total << " wager " << (rig).s().wager;         \
    } while (false)

bool collectPending(const MachineState& s) {
    return s.freespinstotal > 0 && s.freespinsplayed >= s.freespinstotal;
}

// Plays a started sequence to its end on the timers, each free spin with the
// stops `spin`, and collects it. Returns the number of free spins played.
int playSequence(Rig& rig, std::initializer_list<int> spin) {
    int spins = 0;
    int played = rig.s().freespinsplayed;
    for (int guard = 0; guard < 2000 && !collectPending(rig.s()); ++guard) {
        if (rig.random.script.empty()) {
            rig.random.pushStops(spin);
            rig.random.pushMultiplierDraw(20);
            rig.random.pushRespin(1);
        }
        rig.runTimers(500);
        if (rig.s().freespinsplayed != played) {
            played = rig.s().freespinsplayed;
            ++spins;
        }
    }
    EXPECT_TRUE(collectPending(rig.s()));
    EXPECT_TRUE(rig.view.visible(Element::takewin));
    rig.machine.takewin_Click();
    return spins;
}

TEST(Ledger, AScriptedSessionStaysBalancedAtEveryRest) {
    Rig rig;
    rig.s().reelspeed = 1;
    auto& m = rig.machine;
    auto& s = rig.s();

    m.notes_Click();
    EXPECT_BALANCED(rig);

    // A paid win, doubled on colour and left.
    rig.play(1, kMoccasins);
    EXPECT_BALANCED(rig);
    m.doublebutton_Click();
    rig.random.pushCard(kClubs);
    m.betblack_Click();
    m.cancelbet_Click();
    EXPECT_EQ(s.bank, 5000 - 25 + 40);
    EXPECT_BALANCED(rig);

    // A paid win lost on colour after a won suit.
    rig.play(2, kMoccasins);
    EXPECT_EQ(s.spinwin, 40);
    m.doublebutton_Click();
    rig.random.pushCard(kHearts);
    m.suitbet_Click(1);
    rig.random.pushCard(kSpades);
    m.betred_Click();
    EXPECT_BALANCED(rig);
    rig.play(1, kLosing);
    rig.runTimers(3000);
    EXPECT_BALANCED(rig);

    // A sequence collected and gambled: the collected total, not the last
    // free spin's win, is what the gamble replaces in the total won.
    rig.play(1, kTrigger);
    ASSERT_GT(s.freespinstotal, 0);
    const int spins = playSequence(rig, kMoccasins);
    EXPECT_EQ(spins, 10);
    EXPECT_BALANCED(rig);
    const std::int32_t collected = s.collectedwin;
    ASSERT_GT(collected, 0);
    ASSERT_NE(collected, s.spinwin);
    m.doublebutton_Click();
    EXPECT_EQ(s.atrisk, collected);
    rig.random.pushCard(kHearts);
    m.betred_Click();
    rig.random.pushCard(kClubs);
    m.betblack_Click();
    EXPECT_EQ(s.atrisk, 4 * collected);
    m.cancelbet_Click();
    EXPECT_BALANCED(rig);

    // A second sequence whose collected total is lost.
    rig.play(3, kTrigger);
    playSequence(rig, kLosing);
    EXPECT_BALANCED(rig);
    m.doublebutton_Click();
    rig.random.pushCard(kHearts);
    m.suitbet_Click(4);
    EXPECT_BALANCED(rig);

    // Credit paid out and put in again.
    m.mnuzerocredit_Click();
    EXPECT_EQ(s.bank, 0);
    EXPECT_BALANCED(rig);
    for (int i = 0; i < 3; ++i) m.COINSIN_Click();
    rig.play(1, kMoccasins);
    rig.runTimers(5000);
    EXPECT_BALANCED(rig);
    rig.play(1, kLosing);  // 60 - 25 + 20 = 55 left: accepted
    rig.play(1, kLosing);  // 30 left: accepted
    EXPECT_EQ(s.bank, 5);
    m.play_Click(1);  // refused: nothing drawn, nothing booked
    EXPECT_TRUE(rig.view.visible(Element::pannomoney));
    EXPECT_BALANCED(rig);
    EXPECT_TRUE(rig.random.script.empty());
}

// A player at the machine, making random choices among what the screen
// offers, with every draw of chance taken from a seeded generator.
class Session {
public:
    explicit Session(std::uint32_t seed) : gen_(seed) {
        rig.s().reelspeed = 1;
        rig.view.logEnabled = false;
    }

    Rig rig;
    int paidGames = 0, sequences = 0, gamblesLeft = 0, gamblesLost = 0, betsWon = 0, rests = 0;

    // One choice of the player, or a wait; checks the ledger when it leaves
    // the machine at rest.
    void step() {
        topUp();
        auto& s = rig.s();
        auto& m = rig.machine;
        auto& v = rig.view;
        if (s.gambleshown) {
            gambleChoice();
        } else if (collectPending(s)) {
            m.takewin_Click();
            ++sequences;
        } else if (s.freespinstotal > 0) {
            rig.runTimers(1000);
        } else {
            const int roll = below(100);
            if (v.enabled(Element::doublebutton, false) && v.visible(Element::doublebutton, true) && roll < 60) {
                m.doublebutton_Click();
            } else if (roll < 70) {
                rig.runTimers(below(3000));
            } else if (roll < 74) {
                if (v.enabled(Element::COINSIN)) m.COINSIN_Click();
            } else if (roll < 77) {
                m.notes_Click();
            } else if (roll < 78) {
                m.mnuzerocredit_Click();
            } else {
                const auto button = static_cast<std::int16_t>(below(6) + 1);
                if (v.enabled({Element::play, button}) && v.visible({Element::play, button}, true)) {
                    const std::int32_t wagerBefore = s.wager;
                    m.play_Click(button);
                    if (s.wager != wagerBefore) ++paidGames;
                }
            }
        }
        if (atRest(s)) {
            ++rests;
            const auto l = ledger(s);
            ASSERT_EQ(l.credit, l.won) << "after " << rests << " rests: bank " << s.bank << " invested "
                                       << s.amountinvested << " total " << s.total << " wager " << s.wager;
        }
        trimLogs();
    }

private:
    std::mt19937 gen_;

    int below(int n) { return static_cast<int>(gen_() % static_cast<std::uint32_t>(n)); }

    // Keeps plenty of draws ahead of the machine: a game takes one per reel
    // and one for the re-spin decision, a free spin one more, and a withdrawn
    // outcome repeats them all.
    void topUp() {
        while (rig.random.script.size() < 4000) {
            const std::uint32_t k = gen_() >> 8U;
            rig.random.push(static_cast<float>(k) * (1.0F / 16777216.0F));
        }
    }

    void gambleChoice() {
        auto& m = rig.machine;
        const std::int32_t before = rig.s().atrisk;
        const int roll = below(20);
        if (roll == 0) {
            // The menu and the note slot stay usable in the gamble.
            if (below(2) == 0) {
                m.notes_Click();
            } else {
                m.mnuzerocredit_Click();
            }
            return;
        }
        if (roll < 7) {
            m.cancelbet_Click();
            ++gamblesLeft;
            return;
        }
        if (roll < 13) {
            m.betred_Click();
        } else if (roll < 19) {
            m.betblack_Click();
        } else {
            m.suitbet_Click(static_cast<std::int16_t>(below(4) + 1));
        }
        if (rig.s().gambleshown) {
            if (rig.s().atrisk != before) ++betsWon;
        } else {
            ++gamblesLost;
        }
    }

    // The recording view keeps every call; a long session only needs the
    // element states and the timers.
    void trimLogs() {
        if (rig.view.pauses.size() < 20000) return;
        rig.noteStarts();
        rig.view.clearLogs();
        rig.logSeen = 0;
    }
};

TEST(Ledger, RandomSessionsStayBalancedAtEveryRest) {
    int paid = 0, sequences = 0, left = 0, lost = 0, won = 0;
    for (std::uint32_t seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Session session(seed);
        for (int i = 0; i < 1500 && !::testing::Test::HasFatalFailure(); ++i) session.step();
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        EXPECT_GT(session.rests, 500);
        paid += session.paidGames;
        sequences += session.sequences;
        left += session.gamblesLeft;
        lost += session.gamblesLost;
        won += session.betsWon;
    }
    // The sessions must have gone through every kind of event.
    EXPECT_GT(paid, 2000);
    EXPECT_GT(sequences, 10);
    EXPECT_GT(left, 100);
    EXPECT_GT(lost, 100);
    EXPECT_GT(won, 100);
}

}  // namespace
}  // namespace velmoran::test
