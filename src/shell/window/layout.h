#pragma once
// Where every element of the main window sits, what it is and what it shows
// when the window is made: one row per element, as elements.h has one per
// name. The rows are in the order the elements are made, which is also the
// order the focus travels through the buttons and the order in which they
// stack; positions are pixels in the client area or in the parent named, with
// the fractions the layout was drawn with (rounded when placed).

#include <array>
#include <cstdint>

#include "core/elements.h"
#include "shell/art/art_library.h"

namespace velmoran::shell::layout {

enum class Kind : std::uint8_t {
    Label,             // text; its style is in kLabelStyles
    Picture,           // a picture at its own size
    StretchedPicture,  // a picture scaled to the box
    Button,            // a picture button: three faces, or one picture
    Reel,              // a reel window with its strip
    Panel,             // the raised panel that refuses a game for want of credit
};

enum class Parent : std::uint8_t { Client, Gamble, Reel1, Reel2, Reel3, Reel4, Reel5 };

enum class State : std::uint8_t { Shown, Hidden, Disabled, HiddenDisabled };

// What an element shows when it is made: a fixed picture of the library (a
// button's three faces), an entry of a picture list, or nothing.
struct Shows {
    enum class From : std::uint8_t { Nothing, Asset, Entry } from = From::Nothing;
    art::Asset asset = art::Asset::Background;
    PictureList list = PictureList::None;
    int index = 0;
};
inline constexpr Shows kNothing{};
[[nodiscard]] constexpr Shows asset(art::Asset a) noexcept {
    return {Shows::From::Asset, a, PictureList::None, 0};
}
[[nodiscard]] constexpr Shows entry(PictureList l, int index) noexcept {
    return {Shows::From::Entry, art::Asset::Background, l, index};
}

struct Row {
    Element name;
    std::int16_t index;
    double x, y, w, h;
    Kind kind;
    Parent parent;
    Shows shows;
    State state;
    // For screen readers; labels name themselves by their meter and caption.
    const char* accessible;

    [[nodiscard]] constexpr El el() const noexcept { return {name, index}; }
    [[nodiscard]] constexpr bool shown() const noexcept { return state == State::Shown || state == State::Disabled; }
    [[nodiscard]] constexpr bool enabled() const noexcept { return state == State::Shown || state == State::Hidden; }
};

// clang-format off
inline constexpr auto kRows = [] {
    using E = Element;
    using K = Kind;
    using P = Parent;
    using S = State;
    using art::Asset;
    return std::to_array<Row>({
{E::Lblcredit, 0, 133.3, 3.3, 73, 17, K::Label, P::Client, kNothing, S::Shown, nullptr},
    {E::PANELBANK, 0, 53, 20, 8, 27, K::Label, P::Client, kNothing, S::Shown, nullptr},
    {E::lblwin, 0, 280, 3.3, 57, 17, K::Label, P::Client, kNothing, S::Shown, nullptr},
    {E::LABWIN, 0, 240, 20, 8, 27, K::Label, P::Client, kNothing, S::Shown, nullptr},
    {E::LABLASTBET, 0, 400, 0, 110, 25, K::Picture, P::Client, asset(Asset::LastBetHeading), S::Shown, "Last Bet"},
    {E::lbllast, 0, 433, 20, 9, 30, K::Label, P::Client, kNothing, S::Shown, nullptr},
    {E::LABTHISWIN, 0, 400, 0, 161, 25, K::Picture, P::Client, asset(Asset::CurrentWinHeading), S::Hidden, "Current Win"},
    {E::Lblcurrentwin, 0, 443, 20, 11, 30, K::Label, P::Client, kNothing, S::Hidden, nullptr},
    {E::lin, 6, 8, 48, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 6), S::Shown, "Line 6 marker"},
    {E::lin, 14, 604.7, 48, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 14), S::Shown, "Line 14 marker"},
    {E::lin, 2, 8, 71.7, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 2), S::Shown, "Line 2 marker"},
    {E::lin, 18, 604.7, 71.7, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 18), S::Shown, "Line 18 marker"},
    {E::lin, 4, 8, 95.5, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 4), S::Shown, "Line 4 marker"},
    {E::lin, 25, 604.7, 95.5, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 25), S::Shown, "Line 25 marker"},
    {E::lin, 12, 8, 119.2, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 12), S::Shown, "Line 12 marker"},
    {E::lin, 22, 604.7, 119.2, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 22), S::Shown, "Line 22 marker"},
    {E::lin, 11, 8, 142.9, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 11), S::Shown, "Line 11 marker"},
    {E::lin, 21, 604.7, 142.9, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 21), S::Shown, "Line 21 marker"},
    {E::lin, 9, 8, 166.7, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 9), S::Shown, "Line 9 marker"},
    {E::lin, 23, 604.7, 166.7, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 23), S::Shown, "Line 23 marker"},
    {E::lin, 1, 8, 190.4, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 1), S::Shown, "Line 1 marker"},
    {E::lin, 26, 604.7, 190.4, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 1), S::Shown, "Line 1 marker"},
    {E::lin, 8, 8, 214.1, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 8), S::Shown, "Line 8 marker"},
    {E::lin, 15, 604.7, 214.1, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 15), S::Shown, "Line 15 marker"},
    {E::lin, 10, 8, 237.9, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 10), S::Shown, "Line 10 marker"},
    {E::lin, 17, 604.7, 237.9, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 17), S::Shown, "Line 17 marker"},
    {E::lin, 7, 8, 261.6, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 7), S::Shown, "Line 7 marker"},
    {E::lin, 20, 604.7, 261.6, 30, 23.7, K::StretchedPicture, P::Client, entry(PictureList::linepics, 20), S::Shown, "Line 20 marker"},
    {E::lin, 5, 8, 285.3, 30, 24, K::StretchedPicture, P::Client, entry(PictureList::linepics, 5), S::Shown, "Line 5 marker"},
    {E::lin, 16, 604.7, 285.3, 30, 24, K::StretchedPicture, P::Client, entry(PictureList::linepics, 16), S::Shown, "Line 16 marker"},
    {E::lin, 3, 8, 309.1, 30, 24, K::StretchedPicture, P::Client, entry(PictureList::linepics, 3), S::Shown, "Line 3 marker"},
    {E::lin, 19, 604.7, 309.1, 30, 24, K::StretchedPicture, P::Client, entry(PictureList::linepics, 19), S::Shown, "Line 19 marker"},
    {E::lin, 13, 8, 332.8, 30, 24, K::StretchedPicture, P::Client, entry(PictureList::linepics, 13), S::Shown, "Line 13 marker"},
    {E::lin, 24, 604.7, 332.8, 30, 24, K::StretchedPicture, P::Client, entry(PictureList::linepics, 24), S::Shown, "Line 24 marker"},
    {E::Picture1, 0, 53.3, 53.3, 100, 300, K::Reel, P::Client, kNothing, S::Shown, "Reel 1"},
    {E::flasher, 1, 0, 0, 100, 100, K::Picture, P::Reel1, kNothing, S::Hidden, nullptr},
    {E::flasher, 2, 0, 100, 100, 100, K::Picture, P::Reel1, kNothing, S::Hidden, nullptr},
    {E::flasher, 3, 0, 200, 100, 100, K::Picture, P::Reel1, kNothing, S::Hidden, nullptr},
    {E::Picture2, 0, 162, 53.3, 100, 300, K::Reel, P::Client, kNothing, S::Shown, "Reel 2"},
    {E::flasher, 6, 0, 0, 100, 100, K::Picture, P::Reel2, kNothing, S::Hidden, nullptr},
    {E::flasher, 5, 0, 100, 100, 100, K::Picture, P::Reel2, kNothing, S::Hidden, nullptr},
    {E::flasher, 4, 0, 200, 100, 100, K::Picture, P::Reel2, kNothing, S::Hidden, nullptr},
    {E::Picture3, 0, 272.7, 53.3, 100, 300, K::Reel, P::Client, kNothing, S::Shown, "Reel 3"},
    {E::flasher, 7, 0, 0, 100, 100, K::Picture, P::Reel3, kNothing, S::Hidden, nullptr},
    {E::flasher, 8, 0, 100, 100, 100, K::Picture, P::Reel3, kNothing, S::Hidden, nullptr},
    {E::flasher, 9, 0, 200, 100, 100, K::Picture, P::Reel3, kNothing, S::Hidden, nullptr},
    {E::Picture4, 0, 383.3, 53.3, 100, 300, K::Reel, P::Client, kNothing, S::Shown, "Reel 4"},
    {E::flasher, 12, 0, 0, 100, 100, K::Picture, P::Reel4, kNothing, S::Hidden, nullptr},
    {E::flasher, 11, 0, 100, 100, 100, K::Picture, P::Reel4, kNothing, S::Hidden, nullptr},
    {E::flasher, 10, 0, 200, 100, 100, K::Picture, P::Reel4, kNothing, S::Hidden, nullptr},
    {E::Picture5, 0, 492.7, 53.3, 100, 300, K::Reel, P::Client, kNothing, S::Shown, "Reel 5"},
    {E::flasher, 13, 0, 0, 100, 100, K::Picture, P::Reel5, kNothing, S::Hidden, nullptr},
    {E::flasher, 14, 0, 100, 100, 100, K::Picture, P::Reel5, kNothing, S::Hidden, nullptr},
    {E::flasher, 15, 0, 200, 100, 100, K::Picture, P::Reel5, kNothing, S::Hidden, nullptr},
    {E::payline, 1, 9, 360, 88.7, 40, K::Button, P::Client, asset(Asset::PaylineButton1), S::Shown, "Play 1 line"},
    {E::payline, 2, 96.7, 360, 88.7, 40, K::Button, P::Client, asset(Asset::PaylineButton5), S::Shown, "Play 5 lines"},
    {E::payline, 3, 184.7, 360, 88.7, 40, K::Button, P::Client, asset(Asset::PaylineButton10), S::Shown, "Play 10 lines"},
    {E::payline, 4, 272.7, 360, 88.7, 40, K::Button, P::Client, asset(Asset::PaylineButton15), S::Shown, "Play 15 lines"},
    {E::payline, 5, 361, 360, 88.7, 40, K::Button, P::Client, asset(Asset::PaylineButton25), S::Shown, "Play 25 lines"},
    {E::COINSIN, 0, 449, 360, 88.7, 40, K::Button, P::Client, asset(Asset::CoinsButton), S::Shown, "Insert 20 coins"},
    {E::doublebutton, 0, 536, 360, 93, 40, K::Button, P::Client, asset(Asset::DoubleButton), S::Disabled, "Double up"},
    {E::play, 1, 9, 400, 88.7, 40, K::Button, P::Client, asset(Asset::BetButton1), S::Shown, "Bet 1"},
    {E::play, 2, 96.7, 400, 88.7, 40, K::Button, P::Client, asset(Asset::BetButton2), S::Shown, "Bet 2"},
    {E::play, 3, 184.7, 400, 88.7, 40, K::Button, P::Client, asset(Asset::BetButton3), S::Shown, "Bet 3"},
    {E::play, 4, 272.7, 400, 88.7, 40, K::Button, P::Client, asset(Asset::BetButton5), S::Shown, "Bet 5"},
    {E::play, 5, 361, 400, 88.7, 40, K::Button, P::Client, asset(Asset::BetButton10), S::Shown, "Bet 10"},
    {E::play, 6, 449, 400, 88.7, 40, K::Button, P::Client, asset(Asset::BetButton20), S::Shown, "Bet 20"},
    {E::notes, 0, 538, 400, 88.7, 40, K::Button, P::Client, asset(Asset::NotesButton), S::Shown, "Insert 5000 coins"},
    {E::takewin, 0, 400, 376, 141, 40, K::Button, P::Client, asset(Asset::TakeWinButton), S::Hidden, "Take Win"},
    {E::spinsleft, 0, 266.7, 366.7, 15, 29, K::Label, P::Client, kNothing, S::Shown, nullptr},
    {E::pannomoney, 0, 152, 176, 329, 41, K::Panel, P::Client, kNothing, S::Hidden, nullptr},
    {E::arrowpicture, 0, 0.7, 400, 639, 28, K::Picture, P::Client, asset(Asset::ArrowStrip), S::Hidden, "Free spins arrow"},
    {E::pandouble, 0, 200, 0, 256, 352, K::Picture, P::Client, asset(Asset::GambleBackdrop), S::Hidden, "Gamble"},
    {E::risklab, 0, 32, 3.3, 193, 26.7, K::Label, P::Gamble, kNothing, S::Shown, nullptr},
    {E::lblsuit, 0, 16, 35, 174, 27, K::Label, P::Gamble, kNothing, S::Hidden, nullptr},
    {E::lblblackred, 0, 16, 50, 137, 17, K::Label, P::Gamble, kNothing, S::Shown, nullptr},
    {E::suitbet, 1, 16, 72, 54, 54, K::Button, P::Gamble, entry(PictureList::imagelistcards, 6), S::Shown, "Hearts"},
    {E::suitbet, 2, 178.7, 72, 54, 54, K::Button, P::Gamble, entry(PictureList::imagelistcards, 7), S::Shown, "Clubs"},
    {E::suitbet, 3, 16, 176, 54, 54, K::Button, P::Gamble, entry(PictureList::imagelistcards, 8), S::Shown, "Diamonds"},
    {E::suitbet, 4, 178.7, 176, 54, 54, K::Button, P::Gamble, entry(PictureList::imagelistcards, 9), S::Shown, "Spades"},
    {E::piccardholder, 0, 72, 72, 104, 157, K::StretchedPicture, P::Gamble, entry(PictureList::imagelistcards, 5), S::Shown, "Card"},
    {E::betred, 0, 4, 232, 68, 30, K::Button, P::Gamble, asset(Asset::RedButton), S::Shown, "Red"},
    {E::cancelbet, 0, 73.3, 232, 104, 30, K::Button, P::Gamble, asset(Asset::GambleTakeWinButton), S::Shown, "Take win and leave the gamble"},
    {E::betblack, 0, 178.7, 232, 68, 30, K::Button, P::Gamble, asset(Asset::BlackButton), S::Shown, "Black"},
    {E::historypic, 1, 24, 264, 33, 33, K::Button, P::Gamble, kNothing, S::HiddenDisabled, "Card 1 of the history"},
    {E::historypic, 2, 64, 264, 33, 33, K::Button, P::Gamble, kNothing, S::HiddenDisabled, "Card 2 of the history"},
    {E::historypic, 3, 104, 264, 33, 33, K::Button, P::Gamble, kNothing, S::HiddenDisabled, "Card 3 of the history"},
    {E::historypic, 4, 144, 264, 33, 33, K::Button, P::Gamble, kNothing, S::HiddenDisabled, "Card 4 of the history"},
    {E::historypic, 5, 184, 264, 33, 33, K::Button, P::Gamble, kNothing, S::HiddenDisabled, "Card 5 of the history"},
    {E::Lblpasthistory, 0, 40, 296, 169, 20, K::Label, P::Gamble, kNothing, S::Shown, nullptr},
    {E::gamblewin, 0, 47, 316, 150, 30, K::Picture, P::Gamble, asset(Asset::GambleWin), S::Hidden, "Gamble won"},
    {E::gamblelose, 0, 48, 316, 150, 30, K::Picture, P::Gamble, asset(Asset::GambleLose), S::Hidden, "Gamble lost"},
    });
}();
// clang-format on

enum class Face : std::uint8_t { Comic, Times };

struct LabelStyle {
    Element name;
    Face face;
    double points;
    Rgb colour;
    bool centred;
    // Grows and shrinks with its caption, keeping its left edge.
    bool autoSize;
    // What a screen reader says before the number; none for plain captions.
    const char* meter;
    const char* caption;
};

inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kYellow{255, 255, 0};

// clang-format off
inline constexpr std::array<LabelStyle, 12> kLabelStyles{{
    {Element::Lblcredit,      Face::Comic,  9.75, kBlue,          false, false, "Credit",      nullptr},
    {Element::PANELBANK,      Face::Comic, 14.25, {0, 0, 0},      false, true,  "Credit",      nullptr},
    {Element::lblwin,         Face::Comic,  9.75, kBlue,          false, false, "Win",         nullptr},
    {Element::LABWIN,         Face::Comic, 14.25, kNavy,          true,  true,  "Win",         " "},
    {Element::lbllast,        Face::Comic, 15.75, {64, 0, 64},    false, true,  "Last bet",    nullptr},
    {Element::Lblcurrentwin,  Face::Comic, 15.75, kBlue,          true,  true,  "Current win", " "},
    {Element::spinsleft,      Face::Times, 21.75, {128, 64, 0},   true,  true,  "Free spins",  nullptr},
    {Element::risklab,        Face::Comic, 18,    kBlue,          true,  false, "At risk",     nullptr},
    {Element::lblsuit,        Face::Times,  9.75, kYellow,        false, false, nullptr,       nullptr},
    {Element::lblblackred,    Face::Times,  9,    kYellow,        false, false, nullptr,       nullptr},
    {Element::Lblpasthistory, Face::Comic, 12,    kYellow,        true,  false, nullptr,       "past history"},
    {Element::pannomoney,     Face::Comic, 14.25, {255, 255, 255}, true, false, nullptr,       "Not enough credit !"},
}};
// clang-format on

[[nodiscard]] constexpr const LabelStyle* labelStyle(Element e) noexcept {
    for (const auto& s : kLabelStyles)
        if (s.name == e) return &s;
    return nullptr;
}

// Every row names an element that exists, once; every label has its style.
namespace check {
// Asked without a pointer: the sanitizer build cannot compare a pointer with
// null in a constant expression.
constexpr bool hasLabelStyle(Element e) noexcept {
    for (const auto& s : kLabelStyles)
        if (s.name == e) return true;
    return false;
}

constexpr bool rowsSound() noexcept {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (!kRows[i].el().valid()) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kRows[j].el() == kRows[i].el()) return false;
        const bool text = kRows[i].kind == Kind::Label || kRows[i].kind == Kind::Panel;
        if (text != hasLabelStyle(kRows[i].name)) return false;
    }
    return true;
}
static_assert(rowsSound());
}  // namespace check

}  // namespace velmoran::shell::layout
