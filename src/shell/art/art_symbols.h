#pragma once
// The twelve reel symbols, drawn from their embedded vector sources
// (:/art/symbols/*.svg). Line symbols sit on the common parchment cell ground;
// the scatter and the wild bring their own animated grounds.

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSvgRenderer>
#include <array>
#include <memory>

#include "reels/symbols.h"

namespace velmoran::art {

inline constexpr int kTepeeFrames = 20;
inline constexpr int kEmblemFrames = 8;
// The scatter frame that stands for the tepee on the reel strips: the sun
// low over the hills.
inline constexpr int kTepeeStripFrame = 8;

class SymbolArt {
public:
    SymbolArt();
    ~SymbolArt();
    SymbolArt(const SymbolArt&) = delete;
    SymbolArt& operator=(const SymbolArt&) = delete;

    // The symbol's vector source, loaded and valid.
    [[nodiscard]] bool loaded(Symbol s) const;
    // The symbol as it appears in a reel cell, ground included.
    void drawCell(QPainter& p, Symbol s, const QRectF& r) const;
    // Only the symbol's vector picture, on transparency.
    void drawFigure(QPainter& p, Symbol s, const QRectF& r) const;
    // Frame 1 to 20 of the tepee at sunset: sky colours and fire change.
    void drawTepeeFrame(QPainter& p, int frame, const QRectF& r) const;
    // Frame 1 to 8 of the beaded emblem: its ground changes.
    void drawEmblemFrame(QPainter& p, int frame, const QRectF& r) const;

private:
    // Vector pictures are costly to draw; each is rendered once per pixel
    // size and then copied.
    [[nodiscard]] const QImage& figure(Symbol s, QSize pixels) const;
    [[nodiscard]] const QImage& cell(Symbol s, qreal dpr) const;

    std::array<std::unique_ptr<QSvgRenderer>, 13> svg_;
    mutable QHash<quint64, QImage> figures_;
    mutable QHash<quint64, QImage> cells_;
};

// The resource path of a symbol's vector source.
[[nodiscard]] const char* symbolSource(Symbol s) noexcept;

}  // namespace velmoran::art
