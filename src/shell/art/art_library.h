#pragma once
// Every picture the program shows, drawn at the screen's device pixel ratio
// and kept for the run. The twelve symbols are drawn from their embedded
// vector sources when the library is made (every strip is assembled from
// them); every other picture is painted by the program's own code the first
// time it is asked for.

#include <QPixmap>
#include <QSize>
#include <memory>

#include "core/elements.h"
#include "reels/symbols.h"

namespace velmoran::art {

// The window's fixed pictures (the picture lists are addressed by
// PictureList and index, as the logic names them).
enum class Asset {
    Background,  // 645 x 476: five white reel windows, the words Credit and Win
    Reel1,
    Reel2,
    Reel3,
    Reel4,
    Reel5,              // 100 x 2900 strips, 29 cells of 100
    LastBetHeading,     // 110 x 25
    CurrentWinHeading,  // 161 x 25
    PaylineButton1,
    PaylineButton5,
    PaylineButton10,
    PaylineButton15,
    PaylineButton25,  // 88.7 x 40: Play 1 ... Play 25
    CoinsButton,      // 88.7 x 40: Coins
    DoubleButton,     // 93 x 40: D/UP
    BetButton1,
    BetButton2,
    BetButton3,
    BetButton5,
    BetButton10,
    BetButton20,          // 88.7 x 40: Bet 1 ... Bet 20
    NotesButton,          // 88.7 x 40: a banknote
    TakeWinButton,        // 141 x 40: Take Win
    RedButton,            // 68 x 30: RED
    GambleTakeWinButton,  // 104 x 30: TAKE WIN
    BlackButton,          // 68 x 30: BLACK
    GambleBackdrop,       // 254 x 350
    GambleWin,            // 150 x 30: WIN
    GambleLose,           // 150 x 30: LOSE
    ArrowStrip,           // 639 x 28: the arrow at the far right
    PayTable,             // 500 x 378
    Icon,                 // the program icon (square; 35 x 35 in the About window)
};

enum class Look { Normal, Pressed, Disabled };

inline constexpr int kAssetCount = static_cast<int>(Asset::Icon) + 1;

// The size of a picture in device-independent pixels (fractional layout
// widths such as 88.7 are rounded to whole pixels).
[[nodiscard]] QSize layoutSize(Asset a) noexcept;
// True for the button faces, which come in three looks.
[[nodiscard]] bool isButton(Asset a) noexcept;
// The strip picture of reel 1 to 5.
[[nodiscard]] constexpr Asset reelAsset(int reel) noexcept {
    return static_cast<Asset>(static_cast<int>(Asset::Reel1) + reel - 1);
}

class Library {
public:
    // Draws the symbols for a screen of the given device pixel ratio.
    explicit Library(qreal devicePixelRatio = 1.0);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // The picture at its layout size in device-independent pixels (its
    // devicePixelRatio set). Button faces come in three looks.
    [[nodiscard]] const QPixmap& asset(Asset a, Look look = Look::Normal) const;
    // Entry `index` (from 1) of a picture list; a null pixmap when it does not exist.
    [[nodiscard]] const QPixmap& entry(PictureList list, int index) const;
    // Entry `overlay` drawn over entry `base` with the list's mask colour
    // (white) transparent; made once for each pair and kept.
    [[nodiscard]] QPixmap composite(PictureList list, int base, int overlay) const;
    [[nodiscard]] qreal devicePixelRatio() const noexcept;
    // One symbol as it appears in a reel cell, 100 x 100 (the strips are
    // assembled from exactly these pictures).
    [[nodiscard]] const QPixmap& symbol(Symbol s) const;
    // The highlight tile, picture 21 of ImageList1 (the same pixmap), drawn
    // without the rest of its list.
    [[nodiscard]] const QPixmap& highlightTile() const;
    // Reel 1 to 5's strip with its symbols only, on transparency: what a lit
    // cell shows inside the tile's frame.
    [[nodiscard]] const QPixmap& stripFigures(int reel) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velmoran::art
