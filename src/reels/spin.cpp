// The reel chain: spinreel1 (with the preamble of every spin) to spinreel5.
// Each reel draws its stop, or keeps it when held, and records what its
// three cells put on the paylines.
#include "core/checked.h"
#include "core/machine.h"
#include "reels/paylines.h"
#include "reels/strips.h"

namespace velmoran {

namespace {

void recordReel(MachineState& s, int reel) {
    const std::int16_t weight = reelweight(reel);
    const int stop = s.reelstop[static_cast<std::size_t>(reel)];
    for (int row = 1; row <= 3; ++row) {
        const Symbol symbol = symbolAt(reel, stop, row);
        const RowList& lines = rowList(reel, row);
        if (paysOnLines(symbol)) {
            for (const auto line : lines)
                checked::add(s.linecode[static_cast<std::size_t>(code(symbol))][static_cast<std::size_t>(line)],
                             weight);
        } else if (symbol == Symbol::Emblem) {
            for (const auto line : lines) {
                for (std::size_t sym = 1; sym <= kLineSymbols; ++sym)
                    checked::add(s.linecode[sym][static_cast<std::size_t>(line)], weight);
                s.wildline[static_cast<std::size_t>(line)] = weight;
            }
            s.wildcell[static_cast<std::size_t>(reel)] = cellNumber(reel, row);
            if (auto* hold = s.holdreel(reel)) *hold = 1;
        } else if (symbol == Symbol::Tepee) {
            checked::add(s.scattercount, 1);
            s.scattercell[static_cast<std::size_t>(reel)] = cellNumber(reel, row);
        }
    }
    s.reeltop[static_cast<std::size_t>(reel)] = -kCellTwips * stop;
}

}  // namespace

void Machine::updatelinemarkers() {
    for (std::int16_t line = 1; line <= 25; ++line)
        view_.setPicture({Element::lin, line}, Picture::entry(PictureList::linepics, line));
    view_.setPicture({Element::lin, 26}, Picture::entry(PictureList::linepics, 1));
    for (int line = state.lines + 1; line <= 25; ++line) {
        view_.setPicture({Element::lin, static_cast<std::int16_t>(line)},
                         Picture::entry(PictureList::linepics, static_cast<std::int16_t>(line + 25)));
    }
}

// The draw of reel N, or its hold: a held reel keeps the stop of the last spin.
static void drawOrHold(Machine& m, int reel) {
    auto& s = m.state;
    if (auto* hold = s.holdreel(reel); hold != nullptr && *hold > 0) {
        *s.heldreel(reel) = 1;
        return;
    }
    s.reelstop[static_cast<std::size_t>(reel)] = drawInt(m.random(), kStops);
}

void Machine::spinreel1() {
    auto& s = state;
    // A withdrawn outcome asks for a new spin; running it here, as a loop,
    // keeps every repeat's observable steps without deepening the stack.
    do {
        respinRequested_ = false;
        offerGamble(false);
        view_.setVisible(Element::pannomoney, false);
        view_.setTimer(Timer::Timer1, false);
        view_.setTimer(Timer::Timerscatters, false);
        view_.setTimer(Timer::Timer4, false);
        view_.setTimer(Timer::timerwild, false);
        s.scattercell.fill(0);
        s.wildcell.fill(0);
        s.scattercount = 0;
        for (auto& table : s.linecode) table.fill(0);
        s.wildline.fill(0);
        view_.setTimer(Timer::Timerrespin, false);
        for (std::int16_t line = 1; line <= 25; ++line) view_.setVisible({Element::lin, line}, true);
        for (int line = s.lines + 1; line <= 25; ++line)
            view_.setVisible({Element::lin, static_cast<std::int16_t>(line)}, true);
        for (std::int16_t i = 1; i <= 6; ++i) view_.setVisible({Element::Lineflash, i}, false);
        view_.yield();
        for (std::int16_t c = 1; c <= 15; ++c) {
            view_.setVisible({Element::flasher, c}, false);
            view_.setPicture({Element::flasher, c}, Picture::entry(PictureList::ImageList1, 21));
        }
        view_.yield();
        // Reel 1's row lists are constant data; the yield after filling them stays.
        view_.yield();
        drawOrHold(*this, 1);
        recordReel(s, 1);
        spinreel2();
    } while (respinRequested_);
}

void Machine::spinreel2() {
    drawOrHold(*this, 2);
    recordReel(state, 2);
    spinreel3();
}

void Machine::spinreel3() {
    drawOrHold(*this, 3);
    recordReel(state, 3);
    spinreel4();
}

void Machine::spinreel4() {
    drawOrHold(*this, 4);
    recordReel(state, 4);
    spinreel5();
}

void Machine::spinreel5() {
    drawOrHold(*this, 5);
    recordReel(state, 5);
    evaluatespin();
}

}  // namespace velmoran
