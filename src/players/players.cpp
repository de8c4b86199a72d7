// Player slots: loading, saving and clearing the current player's record, and
// the menu entry that opens the options window.
#include <string>
#include <type_traits>

#include "core/machine.h"
#include "players/player_store.h"

namespace velmoran {

namespace {

using players::kApplication;

enum class OnFailure : bool {
    SpeedToOne,  // a value that does not convert sets reelspeed to 1
    KeepField,   // a value that does not convert leaves everything as it is
};

// Reads the eight keys of `section` into the live record, in key order.
void readRecord(SettingsStore& store, const std::string& section, MachineState& s, OnFailure onFailure) {
    const auto number = [&](players::RecordKey k, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        if (const auto v = players::storedInteger<Field>(store.read(kApplication, section, players::key(k)))) {
            field = *v;
        } else if (onFailure == OnFailure::SpeedToOne) {
            s.reelspeed = 1;
        }
    };
    number(players::RecordKey::winroll, s.winroll);
    number(players::RecordKey::reelspeed, s.reelspeed);
    number(players::RecordKey::amountinvested, s.amountinvested);
    number(players::RecordKey::wager, s.wager);
    number(players::RecordKey::total, s.total);
    number(players::RecordKey::bank, s.bank);
    number(players::RecordKey::games, s.games);
    s.currentplayer = store.read(kApplication, section, players::key(players::RecordKey::currentplayer));
}

}  // namespace

void Machine::loadplayer(std::int16_t slot) {
    if (slot < 1 || slot > players::kSlotCount) return;
    auto& s = state;
    s.currentslot = slot;
    s.winroll = 0;
    s.reelspeed = 0;
    s.amountinvested = 0;
    s.wager = 0;
    s.total = 0;
    s.bank = 0;
    s.games = 0;
    s.currentplayer.clear();
    readRecord(store_, players::sectionFor(slot), s, OnFailure::SpeedToOne);
    s.confirmedwinroll = s.winroll;
    s.confirmedreelspeed = s.reelspeed;
}

void Machine::startupload() {
    auto& s = state;
    s.currentslot = 1;
    readRecord(store_, players::sectionFor(1), s, OnFailure::KeepField);
    if (s.reelspeed < 1) s.reelspeed = 1;
}

void Machine::saveplayer() {
    // After shut-down the record on disk is final: a game still finishing in
    // a handler on the stack must not write over it.
    if (state.shutdown) return;
    // Every save while the options window is open is one of its own, and
    // confirms what was chosen in it.
    if (state.auxwindow == AuxWindow::Options) {
        state.confirmedwinroll = state.winroll;
        state.confirmedreelspeed = state.reelspeed;
    }
    writeRecord(settledRecord(), true);
}

void Machine::writeRecord(const PlayerRecord& r, bool tellFailure) {
    auto& s = state;
    if (s.currentslot < 1 || s.currentslot > players::kSlotCount) return;
    const std::string section = players::sectionFor(s.currentslot);
    const auto put = [&](players::RecordKey k, std::string_view value) {
        store_.write(kApplication, section, players::key(k), value);
    };
    put(players::RecordKey::winroll, std::to_string(r.winroll));
    put(players::RecordKey::reelspeed, std::to_string(r.reelspeed));
    put(players::RecordKey::amountinvested, std::to_string(r.amountinvested));
    put(players::RecordKey::wager, std::to_string(r.wager));
    put(players::RecordKey::total, std::to_string(r.total));
    put(players::RecordKey::bank, std::to_string(r.bank));
    put(players::RecordKey::games, std::to_string(r.games));
    put(players::RecordKey::currentplayer, r.currentplayer);
    // The eight values reach the disk as one record, so a crash never leaves
    // a credit that belongs with other counters.
    if (store_.flush() || !tellFailure || s.savefailuretold) return;
    // The game goes on; the values stay in memory and every later save tries
    // again. Saying so once is enough.
    s.savefailuretold = true;
    view_.messageBox("Your progress cannot be saved.", "Slots_Velmoran", MessageIcon::Information);
}

void Machine::clearplayerdetails() {
    auto& s = state;
    s.amountinvested = 0;
    s.wager = 0;
    s.total = 0;
    s.bank = 0;
    s.games = 0;
    saveplayer();
}

void Machine::mnuplayer_Click() {
    if (!accepts(Input::Options) || state.freespinstotal >= 1 || state.gambleshown) return;
    view_.playsound(SoundCue::Click);
    offerGamble(false);
    view_.setEnabled(Element::velmoran, false);
    state.auxwindow = AuxWindow::Options;
    view_.setVisible(Element::frmvelmoranoptions, true);
    if (options_ != nullptr) options_->Form_Load();
}

}  // namespace velmoran
