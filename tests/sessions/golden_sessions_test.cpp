// Golden sessions: whole scripted sessions whose complete trace - every call
// the logic makes to the view (pictures, captions, sounds, pauses, yields,
// timer switches), and the machine's state and stored record at every rest -
// is kept under tests/sessions/golden/. Each file was read against the design
// when it was first made; any change of behaviour shows up as a diff that a
// reviewer reads. To take a deliberate change, run the test with
// VELMORAN_UPDATE_GOLDEN=1 and review the changed files before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/rig.h"

namespace velmoran::test {
namespace {

using E = Element;

constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};
// Three Moccasins on line 20: 20 coins a coin of line bet.
constexpr std::initializer_list<int> kMoccasins = {13, 22, 7, 14, 1};
// LetterJ three of a kind on line 1 through reel 2's wild.
constexpr std::initializer_list<int> kWildRun = {1, 1, 5, 1, 1};
// Three scatters.
constexpr std::initializer_list<int> kTrigger3 = {10, 3, 6, 6, 9};

class Session {
public:
    explicit Session(std::string name) : name_(std::move(name)) {
        rig.machine.startupPauseMs = 3000;
        rig.store.set("player1", "winroll", "1");
        rig.store.set("player1", "reelspeed", "1");
        rig.store.set("player1", "amountinvested", "0");
        rig.store.set("player1", "wager", "0");
        rig.store.set("player1", "total", "0");
        rig.store.set("player1", "bank", "0");
        rig.store.set("player1", "games", "0");
        rig.store.set("player1", "currentplayer", "Ann");
        // Every save goes into the trace where it happens, with what it wrote.
        rig.store.onFlush = [this] {
            const PlayerRecord r = rig.store.record("player" + std::to_string(rig.s().currentslot));
            rig.view.log.push_back("save bank=" + std::to_string(r.bank) + " total=" + std::to_string(r.total) +
                                   " wager=" + std::to_string(r.wager) + " games=" + std::to_string(r.games));
        };
    }

    Rig rig;

    // Runs one step of the session and records what it did.
    template <typename F>
    void step(const std::string& what, F action) {
        rig.view.log.clear();
        action();
        trace_.push_back("== " + what);
        for (const auto& line : rig.view.log) trace_.push_back("  " + line);
        const auto& s = rig.s();
        std::ostringstream st;
        st << "state bank=" << s.bank << " invested=" << s.amountinvested << " total=" << s.total
           << " wager=" << s.wager << " games=" << s.games << " linebet=" << s.linebet << " lines=" << s.lines
           << " spinwin=" << s.spinwin << " freespins=" << s.freespinsplayed << "/" << s.freespinstotal
           << " freespinwin=" << s.freespinwin << " multiplier=" << s.multiplier << " atrisk=" << s.atrisk
           << " holds=" << s.holdreel2 << s.holdreel3 << s.holdreel4 << " keycount=" << s.keycount
           << " keypreview=" << (rig.view.keyPreview ? 1 : 0);
        trace_.push_back(st.str());
        const PlayerRecord r = rig.store.record("player" + std::to_string(s.currentslot));
        std::ostringstream rec;
        rec << "stored bank=" << r.bank << " invested=" << r.amountinvested << " total=" << r.total
            << " wager=" << r.wager << " games=" << r.games << " winroll=" << r.winroll << " reelspeed=" << r.reelspeed
            << " name=" << r.currentplayer;
        trace_.push_back(rec.str());
    }

    // A game on play button `index` with these stops, the re-spin draw 1.
    void game(std::int16_t index, std::initializer_list<int> stops) {
        rig.random.pushStops(stops);
        rig.random.pushRespin(1);
        rig.machine.play_Click(index);
    }
    void freeSpin(std::initializer_list<int> stops, int multiplierDraw) {
        rig.random.pushStops(stops);
        rig.random.pushMultiplierDraw(multiplierDraw);
        rig.random.pushRespin(1);
    }
    void runTimers(std::int64_t ms) { rig.runTimers(ms); }
    void key(std::int16_t c) { rig.machine.Form_KeyPress(c); }

    // Compares the trace with its golden file, or writes the file anew.
    void check() {
        EXPECT_TRUE(rig.random.script.empty()) << "the script of " << name_ << " was not used up";
        const std::string path = std::string(VELMORAN_GOLDEN_DIR) + "/" + name_ + ".txt";
        if (std::getenv("VELMORAN_UPDATE_GOLDEN") != nullptr) {
            std::ofstream out(path);
            for (const auto& line : trace_) out << line << '\n';
            return;
        }
        std::ifstream in(path);
        ASSERT_TRUE(in) << "no golden file " << path << " (run with VELMORAN_UPDATE_GOLDEN=1 to make it)";
        std::vector<std::string> golden;
        for (std::string line; std::getline(in, line);) golden.push_back(line);
        EXPECT_EQ(diff(golden, trace_), "") << "the session " << name_ << " no longer plays as " << path << " says";
    }

private:
    std::string name_;
    std::vector<std::string> trace_;

    // The first place where the two differ, with the step it belongs to and a
    // few lines either side; empty when they are the same.
    static std::string diff(const std::vector<std::string>& want, const std::vector<std::string>& got) {
        std::size_t i = 0;
        while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
        if (i == want.size() && i == got.size()) return "";
        std::ostringstream out;
        for (std::size_t k = i; k-- > 0;) {
            if (want[k].rfind("== ", 0) == 0) {
                out << "in step \"" << want[k].substr(3) << "\", line " << i + 1 << ":\n";
                break;
            }
        }
        const std::size_t from = i >= 3 ? i - 3 : 0;
        for (std::size_t k = from; k < i; ++k) out << "    " << want[k] << '\n';
        for (std::size_t k = i; k < want.size() && k < i + 8; ++k) out << "  - " << want[k] << '\n';
        for (std::size_t k = i; k < got.size() && k < i + 8; ++k) out << "  + " << got[k] << '\n';
        out << "(" << want.size() << " lines expected, " << got.size() << " made)";
        return out.str();
    }
};

// Start-up, credit, a losing and a winning game with the counter on, a key
// before and after, the counter switched off in the options window, a win
// shown at once, the line display blinking, a refused game and a refused key.
TEST(GoldenSessions, PaidGames) {
    Session g("paid_games");
    g.step("start-up", [&] { ASSERT_TRUE(g.rig.machine.Form_Load()); });
    g.step("a space before any game", [&] { g.key(32); });
    g.step("notes", [&] { g.rig.machine.notes_Click(); });
    g.step("lose on bet 1", [&] { g.game(1, kLosing); });
    g.step("win on bet 1, counter on", [&] { g.game(1, kMoccasins); });
    g.step("the counter and the win lines", [&] { g.runTimers(3000); });
    g.step("space plays bet 1", [&] {
        g.rig.random.pushStops(kLosing);
        g.rig.random.pushRespin(1);
        g.key(32);
    });
    g.step("options: counter off", [&] {
        g.rig.machine.mnuplayer_Click();
        g.rig.options.wincounter_Click(2);
        g.rig.options.btnokplayer_Click();
    });
    g.step("win on bet 2, counter off", [&] { g.game(2, kMoccasins); });
    g.step("the win shown at once, lines blinking", [&] { g.runTimers(1600); });
    g.step("ten lines", [&] { g.rig.machine.payline_Click(3); });
    g.step("zero credit", [&] { g.rig.machine.mnuzerocredit_Click(); });
    g.step("a refused game", [&] { g.rig.machine.play_Click(6); });
    g.step("a refused key", [&] { g.key(32); });
    g.step("exit", [&] { g.rig.machine.mnuexit_Click(); });
    g.check();
}

// A sequence from its trigger to the collect: a multiplied spin, a retrigger
// with the arrow already run, spins played by the machine's own press, the
// collect, and the collected total gambled.
TEST(GoldenSessions, FreeSpins) {
    Session g("free_spins");
    g.rig.store.set("player1", "bank", "1000");
    g.rig.store.set("player1", "amountinvested", "1000");
    g.step("start-up", [&] { ASSERT_TRUE(g.rig.machine.Form_Load()); });
    g.step("three scatters", [&] { g.game(1, kTrigger3); });
    g.freeSpin(kTrigger3, 20);         // a retrigger of 11
    g.freeSpin(kWildRun, 3);           // x5
    g.freeSpin({16, 16, 21, 13}, 20);  // reel 2 held on its wild
    for (int i = 0; i < 18; ++i) g.freeSpin(kLosing, 20);
    for (int spin = 1; spin <= 21 && g.rig.s().freespinsplayed < g.rig.s().freespinstotal; ++spin) {
        g.step("free spin " + std::to_string(spin), [&] {
            const std::int16_t played = g.rig.s().freespinsplayed;
            for (int t = 0; t < 100 && g.rig.s().freespinsplayed == played; ++t) g.runTimers(500);
        });
    }
    g.step("the last counter", [&] { g.runTimers(3000); });
    g.step("collect", [&] { g.rig.machine.takewin_Click(); });
    g.step("gamble the collected total", [&] { g.rig.machine.doublebutton_Click(); });
    g.step("red, a heart", [&] {
        g.rig.random.pushCard(1);
        g.rig.machine.betred_Click();
    });
    g.step("take the win", [&] { g.rig.machine.cancelbet_Click(); });
    g.check();
}

// A held wild, and the gamble won, lost and left.
TEST(GoldenSessions, HeldWildsAndTheGamble) {
    Session g("held_wilds_and_gamble");
    g.rig.store.set("player1", "bank", "5000");
    g.rig.store.set("player1", "amountinvested", "5000");
    g.step("start-up", [&] { ASSERT_TRUE(g.rig.machine.Form_Load()); });
    g.step("reel 2 lands on its wild", [&] { g.game(1, {1, 1, 2, 1, 1}); });
    g.step("reel 2 held", [&] {
        g.rig.random.pushStops({1, 5, 1, 1});
        g.rig.random.pushRespin(1);
        g.rig.machine.play_Click(1);
    });
    g.step("a win withdrawn, then a losing spin", [&] {
        g.rig.random.pushStops(kMoccasins);
        g.rig.random.pushRespin(4);
        g.rig.random.pushStops(kLosing);
        g.rig.random.pushRespin(1);
        g.rig.machine.play_Click(1);
    });
    g.step("win", [&] { g.game(2, kMoccasins); });
    g.step("into the gamble", [&] { g.rig.machine.doublebutton_Click(); });
    g.step("black, a club", [&] {
        g.rig.random.pushCard(2);
        g.rig.machine.betblack_Click();
    });
    g.step("hearts, a heart", [&] {
        g.rig.random.pushCard(1);
        g.rig.machine.suitbet_Click(1);
    });
    g.step("take the win", [&] { g.rig.machine.cancelbet_Click(); });
    g.step("win again", [&] { g.game(1, kMoccasins); });
    g.step("into the gamble", [&] { g.rig.machine.doublebutton_Click(); });
    g.step("red, a spade", [&] {
        g.rig.random.pushCard(4);
        g.rig.machine.betred_Click();
    });
    g.check();
}

}  // namespace
}  // namespace velmoran::test
