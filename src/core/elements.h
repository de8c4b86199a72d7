#pragma once
// The names of every element of the program's four windows, as typed values.
//
// An element is named by an Element and, for the members of an element array
// (play 1 to 6, flasher 1 to 15, ...), an index. Windows are elements too:
// showing, hiding, enabling or captioning a window uses its window element.

#include <array>
#include <cstdint>
#include <string_view>

namespace velmoran {

enum class Window : std::uint8_t { velmoran, frmvelmoranoptions, velmoranpays, aboutvelmoran };

// X(name, window, first index, last index); 0, 0 marks a single element.
#define VELMORAN_ELEMENTS(X)                        \
    /* main window */                               \
    X(velmoran, velmoran, 0, 0)                     \
    X(mnuabout, velmoran, 0, 0)                     \
    X(mnuzerocredit, velmoran, 0, 0)                \
    X(mnuptble, velmoran, 0, 0)                     \
    X(mnuplayer, velmoran, 0, 0)                    \
    X(mnuexit, velmoran, 0, 0)                      \
    X(Lblcredit, velmoran, 0, 0)                    \
    X(PANELBANK, velmoran, 0, 0)                    \
    X(lblwin, velmoran, 0, 0)                       \
    X(LABWIN, velmoran, 0, 0)                       \
    X(LABLASTBET, velmoran, 0, 0)                   \
    X(lbllast, velmoran, 0, 0)                      \
    X(LABTHISWIN, velmoran, 0, 0)                   \
    X(Lblcurrentwin, velmoran, 0, 0)                \
    X(Picture1, velmoran, 0, 0)                     \
    X(Picture2, velmoran, 0, 0)                     \
    X(Picture3, velmoran, 0, 0)                     \
    X(Picture4, velmoran, 0, 0)                     \
    X(Picture5, velmoran, 0, 0)                     \
    X(reel1, velmoran, 0, 0)                        \
    X(reel2, velmoran, 0, 0)                        \
    X(reel3, velmoran, 0, 0)                        \
    X(reel4, velmoran, 0, 0)                        \
    X(reel5, velmoran, 0, 0)                        \
    X(flasher, velmoran, 1, 15)                     \
    X(lin, velmoran, 1, 26)                         \
    X(payline, velmoran, 1, 5)                      \
    X(COINSIN, velmoran, 0, 0)                      \
    X(doublebutton, velmoran, 0, 0)                 \
    X(play, velmoran, 1, 6)                         \
    X(notes, velmoran, 0, 0)                        \
    X(takewin, velmoran, 0, 0)                      \
    X(spinsleft, velmoran, 0, 0)                    \
    X(pannomoney, velmoran, 0, 0)                   \
    X(arrowpicture, velmoran, 0, 0)                 \
    X(Lineflash, velmoran, 1, 6)                    \
    X(pandouble, velmoran, 0, 0)                    \
    X(risklab, velmoran, 0, 0)                      \
    X(lblsuit, velmoran, 0, 0)                      \
    X(lblblackred, velmoran, 0, 0)                  \
    X(suitbet, velmoran, 1, 4)                      \
    X(piccardholder, velmoran, 0, 0)                \
    X(betred, velmoran, 0, 0)                       \
    X(cancelbet, velmoran, 0, 0)                    \
    X(betblack, velmoran, 0, 0)                     \
    X(historypic, velmoran, 1, 5)                   \
    X(Lblpasthistory, velmoran, 0, 0)               \
    X(gamblewin, velmoran, 0, 0)                    \
    X(gamblelose, velmoran, 0, 0)                   \
    /* options window */                            \
    X(frmvelmoranoptions, frmvelmoranoptions, 0, 0) \
    X(Framemain, frmvelmoranoptions, 0, 0)          \
    X(lblplayername, frmvelmoranoptions, 0, 0)      \
    X(player1, frmvelmoranoptions, 0, 0)            \
    X(lblcurrentplayer, frmvelmoranoptions, 0, 0)   \
    X(machine, frmvelmoranoptions, 1, 6)            \
    X(lblgames, frmvelmoranoptions, 0, 0)           \
    X(lblwager, frmvelmoranoptions, 0, 0)           \
    X(lbltotalwon, frmvelmoranoptions, 0, 0)        \
    X(lblwinlose, frmvelmoranoptions, 0, 0)         \
    X(lblreturned, frmvelmoranoptions, 0, 0)        \
    X(lblinvested, frmvelmoranoptions, 0, 0)        \
    X(Framecounter, frmvelmoranoptions, 0, 0)       \
    X(wincounter, frmvelmoranoptions, 1, 2)         \
    X(Frame1, frmvelmoranoptions, 0, 0)             \
    X(SSOption1, frmvelmoranoptions, 0, 0)          \
    X(SSOption2, frmvelmoranoptions, 0, 0)          \
    X(Label5, frmvelmoranoptions, 0, 0)             \
    X(Framespeed, frmvelmoranoptions, 0, 0)         \
    X(setspeed, frmvelmoranoptions, 0, 4)           \
    X(fastslow, frmvelmoranoptions, 0, 0)           \
    X(speedlab, frmvelmoranoptions, 0, 0)           \
    X(Btndeletedetails, frmvelmoranoptions, 0, 0)   \
    X(btnokplayer, frmvelmoranoptions, 0, 0)        \
    /* pay table window */                          \
    X(velmoranpays, velmoranpays, 0, 0)             \
    X(btnunloadpays, velmoranpays, 0, 0)            \
    /* About window */                              \
    X(aboutvelmoran, aboutvelmoran, 0, 0)           \
    X(picIcon, aboutvelmoran, 0, 0)                 \
    X(lblTitle, aboutvelmoran, 0, 0)                \
    X(Label2, aboutvelmoran, 0, 0)                  \
    X(cmdtarnby, aboutvelmoran, 0, 0)               \
    X(cmdOK, aboutvelmoran, 0, 0)

enum class Element : std::uint8_t {
#define VELMORAN_ENUM(name, window, lo, hi) name,
    VELMORAN_ELEMENTS(VELMORAN_ENUM)
#undef VELMORAN_ENUM
};

struct ElementInfo {
    std::string_view name;
    Window window;
    std::int16_t first;  // first index of an element array; 0 with last 0 for a single element
    std::int16_t last;
    [[nodiscard]] constexpr bool isArray() const noexcept { return !(first == 0 && last == 0); }
};

inline constexpr std::array kElementInfo{
#define VELMORAN_INFO(name, window, lo, hi) ElementInfo{#name, Window::window, lo, hi},
    VELMORAN_ELEMENTS(VELMORAN_INFO)
#undef VELMORAN_INFO
};

inline constexpr std::size_t kElementCount = kElementInfo.size();

[[nodiscard]] constexpr const ElementInfo& info(Element e) noexcept {
    return kElementInfo[static_cast<std::size_t>(e)];
}

// One element, or one member of an element array.
struct El {
    Element name;
    std::int16_t index = 0;

    constexpr El(Element n) noexcept : name(n) {}  // NOLINT(google-explicit-constructor)
    constexpr El(Element n, std::int16_t i) noexcept : name(n), index(i) {}

    // True when the index names a member that exists (or is 0 for a single element).
    [[nodiscard]] constexpr bool valid() const noexcept {
        const auto& i = info(name);
        return i.isArray() ? (index >= i.first && index <= i.last) : index == 0;
    }
    friend constexpr bool operator==(El, El) = default;
    friend constexpr auto operator<=>(El a, El b) noexcept {
        if (a.name != b.name) return a.name <=> b.name;
        return a.index <=> b.index;
    }
};

// The reel strip element of reel 1 to 5 and the window that frames it.
[[nodiscard]] constexpr Element reelElement(int reel) noexcept {
    return static_cast<Element>(static_cast<int>(Element::reel1) + reel - 1);
}
[[nodiscard]] constexpr Element reelWindowElement(int reel) noexcept {
    return static_cast<Element>(static_cast<int>(Element::Picture1) + reel - 1);
}

// The interval timers of the main window, with their fixed intervals.
enum class Timer : std::uint8_t { Timer1, Timerscatters, Timer4, timerwild, timerarrow, Timerwincounter, Timerrespin };
inline constexpr std::size_t kTimerCount = 7;

struct TimerInfo {
    std::string_view name;
    std::int32_t intervalMs;
};
inline constexpr std::array<TimerInfo, kTimerCount> kTimerInfo{{
    {"Timer1", 150},
    {"Timerscatters", 150},
    {"Timer4", 100},
    {"timerwild", 100},
    {"timerarrow", 100},
    {"Timerwincounter", 100},
    {"Timerrespin", 4000},
}};
[[nodiscard]] constexpr const TimerInfo& info(Timer t) noexcept {
    return kTimerInfo[static_cast<std::size_t>(t)];
}

// The 24 sound cues. Each keeps its resource number as its value (there is
// no 118); the win cues are named after the top of the band of wins that
// sounds them (103 also sounds for 31 to 40), though several also sound
// elsewhere (a won gamble, the collect, leaving the gamble).
enum class SoundCue : std::int16_t {
    WinTo5 = 101,
    WinTo10 = 102,
    WinTo21 = 103,
    WinTo30 = 104,
    ArrowWhoosh = 105,  // the arrow of a free-spin award takes off
    WinTo50 = 106,
    WinTo100 = 107,
    WinTo120 = 108,
    WinTo150 = 109,
    WinTo200 = 110,
    WinTo300 = 111,
    WinTo450 = 112,
    WinTo600 = 113,
    WinTo750 = 114,
    WinOver750 = 115,
    ReelStop = 116,
    FreeSpinTune = 117,  // looped from the arrow's fourteenth tick
    ScatterReel1 = 119,  // a scatter comes to rest on reel 1, and so on
    ScatterReel2 = 120,
    ScatterReel3 = 121,
    ScatterReel4 = 122,
    ScatterReel5 = 123,
    Click = 124,    // the general click of buttons, menus and windows
    Refused = 125,  // not enough credit; a gamble lost
};
inline constexpr std::array<SoundCue, 24> kAllSoundCues{
    SoundCue::WinTo5,       SoundCue::WinTo10,      SoundCue::WinTo21,      SoundCue::WinTo30,
    SoundCue::ArrowWhoosh,  SoundCue::WinTo50,      SoundCue::WinTo100,     SoundCue::WinTo120,
    SoundCue::WinTo150,     SoundCue::WinTo200,     SoundCue::WinTo300,     SoundCue::WinTo450,
    SoundCue::WinTo600,     SoundCue::WinTo750,     SoundCue::WinOver750,   SoundCue::ReelStop,
    SoundCue::FreeSpinTune, SoundCue::ScatterReel1, SoundCue::ScatterReel2, SoundCue::ScatterReel3,
    SoundCue::ScatterReel4, SoundCue::ScatterReel5, SoundCue::Click,        SoundCue::Refused,
};
[[nodiscard]] constexpr int number(SoundCue c) noexcept {
    return static_cast<int>(c);
}

// Picture lists of the main window (indexed from 1).
enum class PictureList : std::uint8_t { None, linepics, ImageList1, ImageList2, imglistarrow, imagelistcards };

struct PictureListInfo {
    std::string_view name;
    std::int16_t count;
    std::int16_t width;   // pixels
    std::int16_t height;  // pixels
};
inline constexpr std::array<PictureListInfo, 6> kPictureListInfo{{
    {"None", 0, 0, 0},
    {"linepics", 50, 30, 20},
    {"ImageList1", 21, 100, 100},
    {"ImageList2", 24, 100, 100},
    {"imglistarrow", 14, 645, 40},
    {"imagelistcards", 9, 100, 153},
}};
[[nodiscard]] constexpr const PictureListInfo& info(PictureList l) noexcept {
    return kPictureListInfo[static_cast<std::size_t>(l)];
}

// A picture set by the logic: entry `index` of a picture list, optionally with
// entry `overlay` of the same list drawn over it, the list's mask colour
// (white) transparent. A default Picture is "no picture".
struct Picture {
    PictureList list = PictureList::None;
    std::int16_t index = 0;
    std::int16_t overlay = 0;  // 0: no overlay

    [[nodiscard]] static constexpr Picture entry(PictureList l, std::int16_t i) noexcept { return {l, i, 0}; }
    [[nodiscard]] static constexpr Picture composite(PictureList l, std::int16_t base, std::int16_t over) noexcept {
        return {l, base, over};
    }
    // True when every entry it names exists in its list.
    [[nodiscard]] constexpr bool valid() const noexcept {
        if (list == PictureList::None) return index == 0 && overlay == 0;
        const auto n = info(list).count;
        return index >= 1 && index <= n && overlay >= 0 && overlay <= n;
    }
    friend constexpr bool operator==(const Picture&, const Picture&) = default;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

enum class MessageIcon : std::uint8_t { None, Information };
enum class MousePointer : std::uint8_t { Default, Hourglass };

}  // namespace velmoran
