#pragma once
// The painters behind the picture library. Each draws one picture in
// device-independent pixels on a painter whose device may have any pixel
// ratio; the library turns the results into pixmaps.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include "shell/art/art_library.h"

namespace velmoran::art {

class SymbolArt;

namespace palette {
inline const QColor kWoodDark{0x2e, 0x14, 0x0a};
inline const QColor kWood{0x5a, 0x2c, 0x16};
inline const QColor kWoodLight{0x8c, 0x52, 0x30};
inline const QColor kTerracotta{0xc0, 0x50, 0x2e};
inline const QColor kDeepRed{0x8e, 0x24, 0x18};
inline const QColor kGold{0xe8, 0xa9, 0x3a};
inline const QColor kGoldLight{0xf8, 0xd9, 0x80};
inline const QColor kGoldDark{0x9a, 0x63, 0x16};
inline const QColor kTurquoise{0x2b, 0x9e, 0x94};
inline const QColor kTurquoiseDark{0x16, 0x5f, 0x5a};
inline const QColor kCream{0xfb, 0xef, 0xd5};
inline const QColor kParchment{0xef, 0xd6, 0xa6};
inline const QColor kInk{0x2a, 0x16, 0x0b};
// Laid over a face that cannot be used: it dims the face without greying it.
inline const QColor kDisabledShade{0x1a, 0x0c, 0x04, 84};
}  // namespace palette

// The arrow strip's visible band (the arrow frames are larger pictures shown
// from their top-left corner in a box of this size).
inline constexpr int kArrowBandWidth = 639;
inline constexpr int kArrowBandHeight = 28;
// The width of the lit frame round the highlight tile; inside it a lit cell
// shows its symbol.
inline constexpr int kHighlightFrame = 6;

// A transparent canvas of `w` x `h` device-independent pixels at `dpr`.
[[nodiscard]] QImage canvas(int w, int h, qreal dpr);
// The display font of the machine's painted lettering.
[[nodiscard]] QFont displayFont(qreal pixelSize, bool bold = true);
[[nodiscard]] QFont serifFont(qreal pixelSize);

// Text drawn with a dark outline and an optional drop shadow, centred in `r`.
void outlinedText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& fill,
                  const QColor& outline, qreal outlineWidth, bool shadow = true);

// The warm parchment ground of a reel cell.
void cellGround(QPainter& p, const QRectF& r);

void paintBackground(QPainter& p);
void paintButton(QPainter& p, Asset a, Look look, const SymbolArt& symbols);
void paintHeading(QPainter& p, const QSize& size, const QString& text);
void paintLineMarker(QPainter& p, int line, bool lit);
void paintHighlightTile(QPainter& p);
// A reel strip's symbols without their parchment ground, as a lit cell shows
// them; the scatter and the wild keep their own grounds.
void paintStripFigures(QPainter& p, int reel, const SymbolArt& symbols);
// The multiplier frames draw their glyph on a transparent canvas; the
// library flattens them onto the pure white mask ground.
void paintMultiplier(QPainter& p, int factor, int sparkle);
void paintArrowFrame(QPainter& p, int frame);
void paintArrowStrip(QPainter& p);
// The pale patterned ground of the arrow pictures, over `r`; its pattern
// fills the visible band.
void paintArrowGround(QPainter& p, const QRectF& r);
// A cream plaque with a gold frame, for lettering on the dark cabinet.
void paintPlaque(QPainter& p, const QRectF& r, qreal radius = 6);
void paintCard(QPainter& p, int index);
void paintGambleBackdrop(QPainter& p);
void paintGambleResult(QPainter& p, bool win);
void paintPayTable(QPainter& p, const SymbolArt& symbols);
void paintIcon(QPainter& p, int size, const SymbolArt& symbols);

// Flattens a glyph drawn on transparency onto pure white without any pixel
// that blends into white: each pixel is either the glyph's own colour (never
// pure white) or pure white, so the white mask cuts exactly around the glyph.
[[nodiscard]] QImage flattenOnMaskWhite(const QImage& glyph);
// The image with its pure white pixels made transparent.
[[nodiscard]] QImage whiteToTransparent(const QImage& image);

}  // namespace velmoran::art
