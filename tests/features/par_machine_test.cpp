// The par sheet's simulator against the machine itself: games played
// through the real handlers and timers (paid spin, re-spins, held wilds, the
// whole free-spin sequence and its collect) must come out as the simulator
// plays them, game by game when both get the same draws, and in their
// statistics when each gets its own.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "core/bet.h"
#include "figures.h"
#include "game_sim.h"
#include "reels/paylines.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

using par::GameRecord;
using par::GameSimulator;
using par::PcgDraws;

// Feeds the machine a stream of draws through its scripted source and keeps
// every one, so the simulator can be handed the very same stream.
class SharedStream {
public:
    explicit SharedStream(std::function<float()> source) : source_(std::move(source)) {}

    // Enough draws ahead for any spin, with all its re-spins, that a timer
    // tick can start.
    void topUp(ScriptedRandom& random) {
        while (random.script.size() < 2000) {
            drawn_.push_back(source_());
            random.push(drawn_.back());
        }
    }

    // The simulator's side: the same draws, from where it stopped.
    struct Replay {
        SharedStream* stream;
        std::size_t at = 0;
        std::int16_t operator()(std::int16_t n) {
            if (at >= stream->drawn_.size()) {
                ADD_FAILURE() << "the simulator draws more than the machine was given";
                return 1;
            }
            return par::wholeFrom(stream->drawn_[at++], n);
        }
    };
    Replay replay() { return Replay{this}; }

private:
    std::function<float()> source_;
    std::vector<float> drawn_;
};

struct MachineGame {
    std::int64_t win = 0;
    std::int32_t freespins = 0;
    std::uint8_t holds = 0;
    int draws = 0;
};

std::uint8_t holdsOf(const MachineState& s) {
    return static_cast<std::uint8_t>((s.holdreel2 > 0 ? 0b00010 : 0) | (s.holdreel3 > 0 ? 0b00100 : 0) |
                                     (s.holdreel4 > 0 ? 0b01000 : 0));
}

// One paid game at 1 coin a line, its free spins pressed by Timerrespin as
// the window's timers fire, and the collect.
MachineGame playOnMachine(Rig& rig, SharedStream& stream) {
    auto& s = rig.s();
    const std::int32_t total = s.total;
    const std::int32_t bank = s.bank;
    const std::int32_t games = s.games;
    const int draws = rig.random.draws;
    stream.topUp(rig.random);
    rig.machine.play_Click(1);
    MachineGame game;
    for (int second = 0; s.freespinstotal > 0 && s.freespinsplayed < s.freespinstotal; ++second) {
        if (second > 100000) {
            ADD_FAILURE() << "the sequence does not end";
            break;
        }
        stream.topUp(rig.random);
        rig.runTimers(1000);
    }
    if (s.freespinstotal > 0) {
        game.freespins = s.freespinstotal - 1;
        rig.machine.takewin_Click();
    }
    game.win = s.total - total;
    game.holds = holdsOf(s);
    game.draws = rig.random.draws - draws;
    // The whole game costs one bet, whatever its length.
    EXPECT_EQ(s.games, games + 1);
    EXPECT_EQ(s.bank, bank - s.totalBet() + game.win);
    return game;
}

class ParMachine : public ::testing::TestWithParam<std::int16_t> {
protected:
    Rig rig;
    void SetUp() override {
        rig.s().bank = 100'000'000;
        rig.s().reelspeed = 10;
        rig.s().winroll = 0;
        rig.view.logEnabled = false;
        const std::int16_t lines = GetParam();
        for (std::int16_t button = 1; button <= 5; ++button)
            if (kPaylineButtonLines[static_cast<std::size_t>(button - 1)] == lines) rig.machine.payline_Click(button);
        ASSERT_EQ(rig.s().lines, lines);
    }
};

TEST_P(ParMachine, SameDrawsSameGames) {
    PcgDraws source(7, GetParam());
    SharedStream stream([&] { return source.next(); });
    auto replay = stream.replay();
    GameSimulator simulator(GetParam(), 1);
    int sequences = 0, heldGames = 0;
    for (int g = 0; g < 500; ++g) {
        const bool held = holdsOf(rig.s()) != 0;
        const MachineGame machine = playOnMachine(rig, stream);
        const std::size_t before = replay.at;
        const GameRecord simulated = simulator.play(replay);
        ASSERT_EQ(simulated.win, machine.win) << "game " << g;
        ASSERT_EQ(simulated.freespins, machine.freespins) << "game " << g;
        ASSERT_EQ(simulator.holds(), machine.holds) << "game " << g;
        ASSERT_EQ(static_cast<int>(replay.at - before), machine.draws) << "game " << g;
        sequences += machine.freespins > 0;
        heldGames += held;
    }
    // The games went through every feature the simulator models.
    EXPECT_GE(sequences, 5);
    EXPECT_GE(heldGames, 50);
}

// The machine on the program's own generator against the simulator on its
// PCG streams: the shares of winning games and of sequences, and the draws a
// game takes (which counts its re-spins and held reels), agree within
// sampling error.
TEST_P(ParMachine, IndependentStreamsAgreeInTheirStatistics) {
    SystemRandom program(20240);
    SharedStream stream([&] { return program.draw(); });
    struct Counts {
        double games = 0, hits = 0, sequences = 0, draws = 0, drawSquares = 0;
        void add(bool hit, bool sequence, double d) {
            games += 1;
            hits += hit;
            sequences += sequence;
            draws += d;
            drawSquares += d * d;
        }
    } machine, simulated;
    for (int g = 0; g < 600; ++g) {
        const MachineGame game = playOnMachine(rig, stream);
        machine.add(game.win > 0, game.freespins > 0, game.draws);
    }
    struct CountingDraws {
        PcgDraws draws{99, 0};
        double count = 0;
        std::int16_t operator()(std::int16_t n) {
            ++count;
            return draws(n);
        }
    } counting;
    GameSimulator simulator(GetParam(), 1);
    for (int g = 0; g < 40'000; ++g) {
        const double before = counting.count;
        const GameRecord game = simulator.play(counting);
        simulated.add(game.win > 0, game.freespins > 0, counting.count - before);
    }
    const auto agree = [](double a, double an, double varA, double b, double bn, double varB, const char* what) {
        EXPECT_NEAR(a, b, 4.5 * std::sqrt(varA / an + varB / bn)) << what;
    };
    const auto share = [](double k, double n) { return k / n; };
    const double mh = share(machine.hits, machine.games), sh = share(simulated.hits, simulated.games);
    agree(mh, machine.games, mh * (1 - mh), sh, simulated.games, sh * (1 - sh), "winning games");
    const double ms = share(machine.sequences, machine.games), ss = share(simulated.sequences, simulated.games);
    agree(ms, machine.games, ms * (1 - ms), ss, simulated.games, ss * (1 - ss), "sequences");
    const double md = machine.draws / machine.games, sd = simulated.draws / simulated.games;
    agree(md, machine.games, machine.drawSquares / machine.games - md * md, sd, simulated.games,
          simulated.drawSquares / simulated.games - sd * sd, "draws per game");
}

INSTANTIATE_TEST_SUITE_P(Lines, ParMachine, ::testing::Values<std::int16_t>(25, 5),
                         [](const auto& param) { return std::to_string(param.param) + "Lines"; });

}  // namespace
}  // namespace velmoran::test
