// Win settlement: the win sound, crediting a paid game's win, the win
// counter that counts it up on the meters, and the collect of a free-spin
// sequence.
#include <array>

#include "core/bet.h"
#include "core/checked.h"
#include "core/machine.h"
#include "core/money.h"

namespace velmoran {

namespace {

struct Band {
    std::int32_t upTo;  // inclusive upper bound of the band
    std::int16_t value;
};

constexpr std::array<Band, 15> kWinSound{{
    {5, 101},
    {10, 102},
    {21, 103},
    {30, 104},
    {40, 103},
    {50, 106},
    {100, 107},
    {120, 108},
    {150, 109},
    {200, 110},
    {300, 111},
    {450, 112},
    {600, 113},
    {750, 114},
    {INT32_MAX, 115},
}};

constexpr std::array<Band, 16> kPaidStep{{
    {5, 1},
    {10, 2},
    {15, 4},
    {20, 8},
    {50, 10},
    {100, 10},
    {120, 12},
    {150, 14},
    {200, 16},
    {300, 20},
    {450, 25},
    {600, 30},
    {700, 35},
    {1000, 50},
    {1500, 150},
    {INT32_MAX, 500},
}};

constexpr std::array<Band, 16> kFreeStep{{
    {5, 1},
    {10, 2},
    {15, 2},
    {20, 2},
    {50, 3},
    {100, 4},
    {120, 4},
    {150, 4},
    {200, 8},
    {300, 5},
    {450, 5},
    {600, 10},
    {700, 15},
    {1000, 20},
    {1500, 30},
    {INT32_MAX, 100},
}};

template <std::size_t N>
std::int16_t lookup(const std::array<Band, N>& table, std::int32_t amount) {
    if (amount <= 0) return 0;
    for (const auto& band : table)
        if (amount <= band.upTo) return band.value;
    return table.back().value;
}

}  // namespace

void Machine::winSound() {
    const std::int16_t cue = lookup(kWinSound, state.spinwin);
    if (cue == 0) {
        state.countstep = 0;
    } else {
        view_.playsound(static_cast<SoundCue>(cue));
    }
    view_.yield();
}

void freespinCounting(Machine& m);  // features/free_spins.cpp

void Machine::settleSpin() {
    auto& s = state;
    if (s.freespinsplayed < s.freespinstotal) {
        freespinCounting(*this);
        return;
    }
    checked::add(s.bank, s.spinwin);
    s.spindecided = false;
    if (s.spinwin < 1) {
        view_.setCaption(Element::LABWIN, "No Win");
        view_.setCaption(Element::lblwin, "");
    } else {
        view_.setTimer(Timer::Timerwincounter, true);
    }
    if (s.spinwin > 0 && s.freespinstotal < 1) offerGamble(true);
    saveplayer();
}

void Machine::Timerwincounter_Timer() {
    if (!accepts(Input::Counter)) return;
    auto& s = state;
    view_.yield();
    if (s.freespinstotal <= 0) {
        if (s.winroll == 0) s.counted = s.spinwin;
        checked::add(s.counted, s.countstep);
        s.countstep = lookup(kPaidStep, s.counted);
        if (s.counted < s.spinwin) {
            showWin(s.counted);
            return;
        }
        showWin(s.spinwin);
        showBank();
        view_.setTimer(Timer::Timerwincounter, false);
        s.counted = 0;
        return;
    }
    checked::add(s.counted, s.countstep);
    if (s.winroll == 0) s.counted = s.spinwin;
    s.countstep = lookup(kFreeStep, s.counted);
    if (s.counted < s.spinwin) {
        std::int32_t shown = s.freespinwin;
        if (checked::sub(shown, s.spinwin) && checked::add(shown, s.counted)) showWin(shown);
        view_.setCaption(Element::Lblcurrentwin, coinForm(s.counted));
        return;
    }
    showWin(s.freespinwin);
    view_.setTimer(Timer::Timerwincounter, false);
    view_.setCaption(Element::Lblcurrentwin, coinForm(s.spinwin));
    s.counted = 0;
    s.countstep = 0;
    view_.setEnabled(Element::takewin, false);
    view_.yield();
    view_.setTimer(Timer::Timerrespin, true);
}

void Machine::takewin_Click() {
    if (!accepts(Input::TakeWin)) return;
    auto& s = state;
    view_.playsound(SoundCue::Click);
    view_.playsound(SoundCue::WinTo200);
    s.keycount = s.freespinsplayed = s.freespinstotal = 0;
    s.counted = 0;
    s.countstep = 0;
    s.arrowtick = 0;
    showWin(s.freespinwin);
    checked::add(s.bank, s.freespinwin);
    showBank();
    s.collectedwin = s.freespinwin;
    s.freespinwin = 0;
    view_.setVisible(Element::spinsleft, false);
    for (std::int16_t i = 1; i <= 6; ++i) {
        view_.setEnabled({Element::play, i}, true);
        view_.setVisible({Element::play, i}, true);
    }
    for (std::int16_t i = 1; i <= 5; ++i) {
        view_.setVisible({Element::payline, i}, true);
        view_.setEnabled({Element::payline, i}, true);
    }
    view_.setVisible(Element::COINSIN, true);
    view_.setVisible(Element::doublebutton, true);
    offerGamble(true);
    view_.setVisible(Element::takewin, false);
    view_.setVisible(Element::notes, true);
    view_.setKeyPreview(true);
    if (const auto button = playButtonForLinebet(s.linebet); button != 0) view_.setFocus({Element::play, button});
    saveplayer();
}

}  // namespace velmoran
