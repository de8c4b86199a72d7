#include "shell/art/art_paint.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>

#include "presentation/win_line_data.h"
#include "reels/paytable.h"
#include "reels/strips.h"
#include "shell/art/art_symbols.h"
#include "shell/art/pay_table_text.h"

namespace velmoran::art {

using namespace palette;

QImage canvas(int w, int h, qreal dpr) {
    QImage img(qCeil(w * dpr), qCeil(h * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

QFont displayFont(qreal pixelSize, bool bold) {
    QFont f;
    f.setFamily(QStringLiteral("Comic Neue"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont serifFont(qreal pixelSize) {
    QFont f;
    f.setFamily(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(true);
    return f;
}

void outlinedText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& fill,
                  const QColor& outline, qreal outlineWidth, bool shadow) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF b = path.boundingRect();
    const QFontMetricsF fm(font);
    // Centre on the letters' cap height rather than their ink, so words with
    // and without descenders sit on the same line.
    const qreal x = r.center().x() - b.width() / 2 - b.left();
    const qreal y = r.center().y() + fm.capHeight() / 2;
    path.translate(x, y);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (shadow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawPath(path.translated(1.2, 1.4));
    }
    if (outlineWidth > 0) {
        p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void cellGround(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(r.center(), r.width() * 0.75);
    g.setColorAt(0, QColor(0xff, 0xfa, 0xee));
    g.setColorAt(0.7, QColor(0xf7, 0xe8, 0xc8));
    g.setColorAt(1, QColor(0xe8, 0xcf, 0x9e));
    p.fillRect(r, g);
    p.setPen(QPen(QColor(0xc9, 0x8f, 0x45, 150), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
    p.restore();
}

namespace {

// A small deterministic noise source so every build draws the same grain.
quint32 hash(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}
qreal noise(int a, int b = 0) {
    return (hash(static_cast<quint32>(a) * 7919U + static_cast<quint32>(b)) % 10000) / 10000.0;
}

// Wood panel with a soft grain.
void wood(QPainter& p, const QRectF& r, int seed) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x6a, 0x34, 0x1a));
    g.setColorAt(0.5, QColor(0x4e, 0x24, 0x10));
    g.setColorAt(1, QColor(0x38, 0x18, 0x0a));
    p.fillRect(r, g);
    p.save();
    p.setClipRect(r);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < static_cast<int>(r.height() / 5); ++i) {
        const qreal y0 = r.top() + i * 5 + noise(seed, i) * 4;
        QPainterPath line;
        line.moveTo(r.left(), y0);
        for (qreal x = r.left(); x <= r.right() + 20; x += 20) {
            line.lineTo(x, y0 + 1.6 * qSin(x / (30 + 20 * noise(seed + 1, i)) + i));
        }
        QColor c = noise(seed + 2, i) > 0.5 ? QColor(0x8a, 0x4e, 0x28) : QColor(0x24, 0x0e, 0x04);
        c.setAlpha(40 + static_cast<int>(50 * noise(seed + 3, i)));
        p.setPen(QPen(c, 0.8));
        p.drawPath(line);
    }
    p.restore();
}

// A gold frame with a bevel.
void goldFrame(QPainter& p, const QRectF& r, qreal width, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kGoldLight);
    g.setColorAt(0.45, kGold);
    g.setColorAt(0.55, kGoldDark);
    g.setColorAt(1, kGold);
    p.setPen(QPen(QBrush(g), width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(0x40, 0x20, 0x08, 160), 0.8));
    p.drawRoundedRect(r.adjusted(-width / 2, -width / 2, width / 2, width / 2), radius + width / 2, radius + width / 2);
    p.restore();
}

// A band of beadwork: stepped diamonds in turquoise, red, gold and cream.
// One repeat of the pattern is drawn once per bead size and then tiled.
constexpr int kBeadRows = 7;
constexpr int kBeadRepeat = 14;

QPixmap beadRepeat(qreal bead, qreal dpr) {
    static QHash<quint64, QPixmap> cache;
    const quint64 key = (static_cast<quint64>(qRound(bead * 1000)) << 20) | static_cast<quint64>(qRound(dpr * 100));
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    const int w = qCeil(kBeadRepeat * bead * dpr), h = qCeil(kBeadRows * bead * dpr);
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(0x1e, 0x10, 0x08));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(dpr, dpr);
    const QColor colors[] = {kCream, kTurquoise, kTerracotta, kGold, kTurquoiseDark};
    for (int row = 0; row < kBeadRows; ++row) {
        for (int col = 0; col < kBeadRepeat; ++col) {
            const int d = qAbs(col - kBeadRepeat / 2) + qAbs(row - kBeadRows / 2);
            QColor c;
            if (row == 0 || row == kBeadRows - 1)
                c = colors[3];
            else if (d <= 1)
                c = colors[2];
            else if (d == 2)
                c = colors[3];
            else if (d == 3 || d == 4)
                c = colors[1];
            else if (d == 5)
                c = colors[0];
            else
                c = colors[4];
            const QRectF b(col * bead, row * bead, bead, bead);
            QRadialGradient g(b.center() - QPointF(bead * 0.2, bead * 0.2), bead * 0.7);
            g.setColorAt(0, c.lighter(135));
            g.setColorAt(1, c.darker(115));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(b.adjusted(0.25, 0.25, -0.25, -0.25), bead * 0.35, bead * 0.35);
        }
    }
    p.end();
    // The repeat's pixel width is rounded; scale it back to whole beads.
    QPixmap pm = QPixmap::fromImage(img);
    pm.setDevicePixelRatio(dpr);
    cache.insert(key, pm);
    return pm;
}

void beadBand(QPainter& p, const QRectF& r) {
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const qreal bead = r.height() / kBeadRows;
    p.save();
    p.setClipRect(r);
    const QPixmap tile = beadRepeat(bead, dpr);
    const qreal tw = tile.deviceIndependentSize().width(), th = tile.deviceIndependentSize().height();
    for (qreal x = r.left(); x < r.right(); x += tw) p.drawPixmap(QRectF(x, r.top(), tw, th), tile, QRectF());
    p.restore();
}

}  // namespace

void paintPlaque(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xff, 0xfa, 0xee));
    g.setColorAt(1, QColor(0xf0, 0xdc, 0xb0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
    goldFrame(p, r, 2.0, radius);
}

void paintBackground(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, 645, 476);
    wood(p, all, 11);

    // Meters along the top. The Win meter's plaque begins well left of its
    // number, as the Credit meter's does, so the figures never touch a frame.
    const QRectF credit(46, 2, 180, 44), win(232, 2, 162, 44), last(398, 2, 204, 44);
    paintPlaque(p, credit);
    paintPlaque(p, win);
    paintPlaque(p, last);
    const QFont word = displayFont(14);
    outlinedText(p, QRectF(56, 2, 70, 18), QStringLiteral("Credit"), word, kTerracotta, kCream, 0, false);
    outlinedText(p, QRectF(244, 2, 34, 18), QStringLiteral("Win"), word, kTerracotta, kCream, 0, false);
    // Little feathers at the plaque ends.
    for (const QRectF& r : {credit, win, last}) {
        p.setPen(Qt::NoPen);
        p.setBrush(kTurquoise);
        p.drawEllipse(QPointF(r.right() - 7, r.bottom() - 7), 2.5, 2.5);
        p.drawEllipse(QPointF(r.left() + 7, r.bottom() - 7), 2.5, 2.5);
    }

    // Line marker columns.
    for (qreal x : {4.0, 600.7}) {
        const QRectF col(x, 45, 38, 315);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1c, 0x0c, 0x05));
        p.drawRoundedRect(col, 5, 5);
        goldFrame(p, col, 1.6, 5);
    }

    // The reel cabinet: beadwork surround, gold frame, reel windows.
    const QRectF cabinet(46, 46.5, 554, 313);
    p.setPen(Qt::NoPen);
    p.setBrush(kWoodDark);
    p.drawRoundedRect(cabinet, 6, 6);
    beadBand(p, QRectF(47, 47.5, 552, 5.3));
    beadBand(p, QRectF(47, 353.8, 552, 5.3));
    const qreal lefts[] = {53.3, 162, 272.7, 383.3, 492.7};
    for (int i = 0; i < 4; ++i) {
        const qreal gx = lefts[i] + 100, gw = lefts[i + 1] - gx;
        QLinearGradient g(gx, 0, gx + gw, 0);
        g.setColorAt(0, kGoldDark);
        g.setColorAt(0.5, kGoldLight);
        g.setColorAt(1, kGoldDark);
        p.fillRect(QRectF(gx, 53.3, gw, 300), g);
        p.setBrush(kTerracotta);
        for (int k = 0; k < 6; ++k) {
            const QPointF c(gx + gw / 2, 78 + k * 50);
            QPolygonF dia{{c.x(), c.y() - 4}, {c.x() + 3, c.y()}, {c.x(), c.y() + 4}, {c.x() - 3, c.y()}};
            p.drawPolygon(dia);
        }
    }
    for (qreal x : lefts) p.fillRect(QRectF(x, 53.3, 100, 300), Qt::white);
    goldFrame(p, cabinet, 2.2, 6);

    // The console under the reels.
    const QRectF console(3, 358.5, 639, 85);
    QLinearGradient cg(console.topLeft(), console.bottomLeft());
    cg.setColorAt(0, QColor(0x30, 0x16, 0x0a));
    cg.setColorAt(1, QColor(0x18, 0x0a, 0x04));
    p.setPen(Qt::NoPen);
    p.setBrush(cg);
    p.drawRoundedRect(console, 6, 6);
    goldFrame(p, console, 1.6, 6);

    // Beadwork band and the machine's name along the bottom.
    beadBand(p, QRectF(0, 446, 645, 30));
    const QRectF name(222, 448, 200, 26);
    p.setBrush(QColor(0x2a, 0x12, 0x06));
    p.drawRoundedRect(name, 8, 8);
    goldFrame(p, name, 1.6, 8);
    outlinedText(p, name, QStringLiteral("VELMORAN"), serifFont(17), kGoldLight, kDeepRed, 2.0);
}

namespace {

struct Scheme {
    QColor light, dark, text, edge;
};

Scheme schemeFor(Asset a) {
    switch (a) {
        case Asset::PaylineButton1:
        case Asset::PaylineButton5:
        case Asset::PaylineButton10:
        case Asset::PaylineButton15:
        case Asset::PaylineButton25:
            return {QColor(0x4c, 0xc8, 0xba), QColor(0x12, 0x5a, 0x54), kCream, QColor(0x08, 0x30, 0x2c)};
        case Asset::CoinsButton:
        case Asset::TakeWinButton:
        case Asset::GambleTakeWinButton:
            return {QColor(0xfb, 0xdc, 0x6a), QColor(0xb0, 0x72, 0x12), kInk, QColor(0x5a, 0x38, 0x06)};
        case Asset::DoubleButton:
            return {QColor(0xf5, 0x9a, 0x48), QColor(0x9a, 0x3c, 0x10), kCream, QColor(0x4a, 0x18, 0x04)};
        case Asset::NotesButton:
            return {QColor(0x84, 0xbc, 0x66), QColor(0x2c, 0x62, 0x26), kCream, QColor(0x12, 0x30, 0x10)};
        case Asset::BlackButton:
            return {QColor(0x6a, 0x62, 0x5c), QColor(0x14, 0x10, 0x0e), kCream, QColor(0, 0, 0)};
        default:
            return {QColor(0xe4, 0x5a, 0x42), QColor(0x7a, 0x1a, 0x10), kCream, QColor(0x3a, 0x08, 0x04)};
    }
}

QString faceText(Asset a) {
    switch (a) {
        case Asset::PaylineButton1:
            return QStringLiteral("Play 1");
        case Asset::PaylineButton5:
            return QStringLiteral("Play 5");
        case Asset::PaylineButton10:
            return QStringLiteral("Play 10");
        case Asset::PaylineButton15:
            return QStringLiteral("Play 15");
        case Asset::PaylineButton25:
            return QStringLiteral("Play 25");
        case Asset::CoinsButton:
            return QStringLiteral("Coins");
        case Asset::DoubleButton:
            return QStringLiteral("D/UP");
        case Asset::BetButton1:
            return QStringLiteral("Bet 1");
        case Asset::BetButton2:
            return QStringLiteral("Bet 2");
        case Asset::BetButton3:
            return QStringLiteral("Bet 3");
        case Asset::BetButton5:
            return QStringLiteral("Bet 5");
        case Asset::BetButton10:
            return QStringLiteral("Bet 10");
        case Asset::BetButton20:
            return QStringLiteral("Bet 20");
        case Asset::TakeWinButton:
            return QStringLiteral("Take Win");
        case Asset::RedButton:
            return QStringLiteral("RED");
        case Asset::GambleTakeWinButton:
            return QStringLiteral("TAKE WIN");
        case Asset::BlackButton:
            return QStringLiteral("BLACK");
        default:
            return {};
    }
}

void banknote(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor paper(0xd8, 0xee, 0xc4);
    const QColor ink(0x2c, 0x62, 0x26);
    p.setPen(QPen(ink, 1.0));
    p.setBrush(paper);
    p.drawRoundedRect(r, 2, 2);
    p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 1.5, 1.5);
    p.setBrush(QColor(0xb4, 0xd8, 0x98));
    p.drawEllipse(r.center(), r.height() * 0.3, r.height() * 0.3);
    QFont f = serifFont(r.height() * 0.42);
    outlinedText(p, QRectF(r.center().x() - 10, r.top(), 20, r.height()), QStringLiteral("$"), f, ink, ink, 0, false);
    outlinedText(p, QRectF(r.left() + 2, r.top() + 1, 12, 9), QStringLiteral("50"), serifFont(6.5), ink, ink, 0, false);
    outlinedText(p, QRectF(r.right() - 14, r.bottom() - 10, 12, 9), QStringLiteral("50"), serifFont(6.5), ink, ink, 0,
                 false);
    p.restore();
}

}  // namespace

void paintButton(QPainter& p, Asset a, Look look, const SymbolArt&) {
    const QSize s = layoutSize(a);
    const QRectF r(0, 0, s.width(), s.height());
    const Scheme sc = schemeFor(a);
    const bool pressed = look == Look::Pressed;
    p.setRenderHint(QPainter::Antialiasing);
    // The rim.
    p.setPen(Qt::NoPen);
    p.fillRect(r, QColor(0x18, 0x0a, 0x04));
    QLinearGradient rim(r.topLeft(), r.bottomLeft());
    rim.setColorAt(0, kGoldLight);
    rim.setColorAt(1, kGoldDark);
    p.setBrush(rim);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    // The body.
    const QRectF body = r.adjusted(2.5, 2.5, -2.5, -2.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    if (pressed) {
        g.setColorAt(0, sc.dark.darker(120));
        g.setColorAt(1, sc.light.darker(115));
    } else {
        g.setColorAt(0, sc.light);
        g.setColorAt(1, sc.dark);
    }
    p.setBrush(g);
    p.setPen(QPen(sc.edge, 0.8));
    p.drawRoundedRect(body, 6.5, 6.5);
    if (!pressed) {
        // Gloss on the upper half.
        QLinearGradient gl(body.topLeft(), QPointF(body.left(), body.center().y()));
        gl.setColorAt(0, QColor(255, 255, 255, 120));
        gl.setColorAt(1, QColor(255, 255, 255, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(gl);
        p.drawRoundedRect(QRectF(body.left() + 2, body.top() + 1.5, body.width() - 4, body.height() * 0.45), 5, 5);
    }
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    if (a == Asset::NotesButton) {
        banknote(p, QRectF(body.center().x() - 26, body.center().y() - 12, 52, 24).translated(shift));
    } else {
        const qreal px = s.height() <= 30 ? 14 : 17;
        const bool darkText = sc.text.lightness() < 128;
        outlinedText(p, body.translated(shift), faceText(a), displayFont(px), sc.text,
                     darkText ? QColor(0xff, 0xf2, 0xc0) : sc.edge, 2.2, !darkText);
    }
    if (look == Look::Disabled) {
        // Every game locks the console for the length of a spin: a face
        // that only dims a little keeps the console from flashing, yet reads
        // as out of use beside the lit ones.
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        p.fillRect(r, kDisabledShade);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void paintHeading(QPainter& p, const QSize& size, const QString& text) {
    // Only the lettering: the heading lies on the meter's plaque, whose gold
    // frame and rounded corner run through the top rows of its box.
    const QRectF r(0, 0, size.width(), size.height());
    p.setRenderHint(QPainter::Antialiasing);
    outlinedText(p, r.adjusted(0, 1, 0, 0), text, displayFont(17), kTerracotta, kGoldLight, 2.0, false);
    p.setPen(QPen(kGold, 1.2));
    p.drawLine(QPointF(8, r.bottom() - 2), QPointF(r.right() - 8, r.bottom() - 2));
}

namespace {

// The markers of lines 21 to 25, which have no strokes across the reels and
// so no colour of the game's; lines 1 to 20 take their strokes' colour.
constexpr std::array<QRgb, 5> kMarkerOnlyColours{
    qRgb(232, 169, 58), qRgb(43, 158, 148), qRgb(192, 80, 46), qRgb(160, 120, 220), qRgb(120, 200, 90),
};

QColor lineMarkerColour(int line) {
    if (hasSegments(line)) {
        const Rgb c = lineColour(line);
        return {c.r, c.g, c.b};
    }
    return QColor::fromRgb(
        kMarkerOnlyColours[static_cast<std::size_t>(qBound(kSegmentLines + 1, line, 25) - kSegmentLines - 1)]);
}

}  // namespace

void paintLineMarker(QPainter& p, int line, bool lit) {
    const QRectF r(0, 0, 30, 20);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(r, QColor(0x1c, 0x0c, 0x05));
    const QColor c = lineMarkerColour(qBound(1, line, 25));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (lit) {
        g.setColorAt(0, c.lighter(140));
        g.setColorAt(0.5, c);
        g.setColorAt(1, c.darker(140));
    } else {
        g.setColorAt(0, QColor(0x5a, 0x4a, 0x3e));
        g.setColorAt(1, QColor(0x36, 0x2a, 0x22));
    }
    p.setPen(QPen(lit ? kGoldLight : QColor(0x6a, 0x5a, 0x4c), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    const bool darkText = lit && c.lightness() > 140;
    const QColor text = !lit ? QColor(0x8e, 0x7e, 0x70) : (darkText ? kInk : QColor(255, 255, 255));
    outlinedText(p, r, QString::number(line), displayFont(13), text,
                 lit ? (darkText ? QColor(255, 255, 255, 160) : kInk) : QColor(0, 0, 0, 0), lit ? 1.6 : 0, false);
}

void paintHighlightTile(QPainter& p) {
    const QRectF r(0, 0, 100, 100);
    const int f = kHighlightFrame;
    // Pale stripes running down, white and a warm pale grey: the light the
    // winning symbol stands in.
    p.fillRect(r, QColor(0xff, 0xfd, 0xf6));
    for (int x = 5; x < 100; x += 10) p.fillRect(QRectF(x, 0, 5, 100), QColor(0xe6, 0xe2, 0xd8));
    // The frame's light falls inwards over the stripes.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 10; ++i) {
        QColor glow(0xff, 0xc8, 0x50);
        glow.setAlpha(170 - i * 17);
        p.setPen(QPen(glow, 1.0));
        p.drawRect(r.adjusted(f + 0.5 + i, f + 0.5 + i, -f - 0.5 - i, -f - 0.5 - i));
    }
    // The frame: a gold tube lit along its middle, square so that the tile
    // covers its cell to the corners.
    const QColor bands[kHighlightFrame] = {kGoldDark, kGold,    QColor(0xff, 0xd8, 0x68), QColor(0xff, 0xec, 0xa8),
                                           kGold,     kGoldDark};
    for (int i = 0; i < f; ++i) {
        p.setPen(QPen(bands[i], 1.0));
        p.drawRect(r.adjusted(i + 0.5, i + 0.5, -i - 0.5, -i - 0.5));
    }
    // A bead at each corner, as on the cabinet's bands.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kTurquoise);
    for (const QPointF c : {QPointF(3, 3), QPointF(97, 3), QPointF(3, 97), QPointF(97, 97)})
        p.drawPolygon(QPolygonF{{c.x(), c.y() - 3}, {c.x() + 3, c.y()}, {c.x(), c.y() + 3}, {c.x() - 3, c.y()}});
}

void paintStripFigures(QPainter& p, int reel, const SymbolArt& symbols) {
    for (int cell = 0; cell < kStripCells; ++cell) {
        const Symbol s = stripSymbol(reel, cell);
        const QRectF r(0, cell * 100, 100, 100);
        if (s == Symbol::Tepee || s == Symbol::Emblem)
            symbols.drawCell(p, s, r);
        else
            symbols.drawFigure(p, s, r);
    }
}

void paintMultiplier(QPainter& p, int factor, int sparkle) {
    p.setRenderHint(QPainter::Antialiasing);
    const QString text = QStringLiteral("x%1").arg(factor);
    QFont f = serifFont(factor >= 10 ? 40 : 48);
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF b = path.boundingRect();
    path.translate(50 - b.center().x(), 66 - b.center().y());
    QLinearGradient g(0, 40, 0, 92);
    g.setColorAt(0, QColor(0xff, 0xf0, 0x9a));
    g.setColorAt(0.5, kGold);
    g.setColorAt(1, QColor(0xc0, 0x5a, 0x10));
    p.setPen(QPen(kDeepRed.darker(130), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    // Sparkles wander round the figure from frame to frame.
    const QPointF spots[4][3] = {
        {{22, 44}, {78, 52}, {60, 88}},
        {{30, 40}, {84, 66}, {40, 90}},
        {{18, 62}, {72, 42}, {80, 86}},
        {{26, 82}, {64, 40}, {86, 58}},
    };
    const int k = qBound(0, sparkle, 3);
    for (int i = 0; i < 3; ++i) {
        const QPointF c = spots[k][i];
        const qreal s = 5.5 + 2.5 * ((k + i) % 2);
        QPainterPath star;
        star.moveTo(c.x(), c.y() - s);
        star.quadTo(c.x(), c.y(), c.x() + s, c.y());
        star.quadTo(c.x(), c.y(), c.x(), c.y() + s);
        star.quadTo(c.x(), c.y(), c.x() - s, c.y());
        star.quadTo(c.x(), c.y(), c.x(), c.y() - s);
        p.setPen(QPen(QColor(0xc0, 0x6a, 0x10), 1.0));
        p.setBrush(QColor(0xff, 0xe8, 0x70));
        p.drawPath(star);
    }
}

namespace {

// The arrow, pointing left with its head's tip at `tip`, `len` long.
void arrow(QPainter& p, QPointF tip, qreal len, qreal scale, int flicker) {
    p.save();
    p.translate(tip);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal L = len / scale;
    // Flames stream back along the shaft.
    for (int i = 0; i < 7; ++i) {
        const qreal n = noise(flicker * 13 + i, 5);
        const qreal fl = 28 + 26 * n + (i % 3) * 6;
        const qreal x0 = 14 + i * 3.0;
        const qreal amp = 3 + 4 * noise(flicker, i);
        QPainterPath f;
        f.moveTo(x0, -amp);
        f.cubicTo(x0 + fl * 0.3, -amp - 5, x0 + fl * 0.7, -2 - 6 * n, x0 + fl, (n - 0.5) * 6);
        f.cubicTo(x0 + fl * 0.7, 2 + 6 * n, x0 + fl * 0.3, amp + 5, x0, amp);
        f.closeSubpath();
        QLinearGradient g(x0, 0, x0 + fl, 0);
        g.setColorAt(0, QColor(255, 244, 170, 230));
        g.setColorAt(0.35, QColor(255, 170, 40, 210));
        g.setColorAt(1, QColor(210, 40, 20, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(f);
    }
    // Shaft.
    QLinearGradient sg(0, -2, 0, 2);
    sg.setColorAt(0, QColor(0xb8, 0x84, 0x50));
    sg.setColorAt(1, QColor(0x6a, 0x40, 0x1e));
    p.setBrush(sg);
    p.drawRect(QRectF(10, -1.8, L - 10, 3.6));
    // Red and black bands near the feathers.
    p.setBrush(kTerracotta);
    p.drawRect(QRectF(L - 40, -2.2, 4, 4.4));
    p.setBrush(kInk);
    p.drawRect(QRectF(L - 34, -2.2, 2.5, 4.4));
    // Stone head.
    QPainterPath head;
    head.moveTo(0, 0);
    head.lineTo(16, -8);
    head.lineTo(13, 0);
    head.lineTo(16, 8);
    head.closeSubpath();
    QLinearGradient hg(0, -8, 0, 8);
    hg.setColorAt(0, QColor(0x9a, 0xa4, 0xa8));
    hg.setColorAt(1, QColor(0x3a, 0x40, 0x44));
    p.setBrush(hg);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 0.8));
    p.drawPath(head);
    // Fletching.
    for (int side : {-1, 1}) {
        QPainterPath fe;
        fe.moveTo(L - 28, side * 1.5);
        fe.lineTo(L - 4, side * 11.0);
        fe.lineTo(L + 2, side * 11.0);
        fe.lineTo(L - 2, side * 1.5);
        fe.closeSubpath();
        p.setBrush(side < 0 ? kCream : QColor(0xe8, 0xdc, 0xc4));
        p.setPen(QPen(QColor(0x5a, 0x40, 0x2a), 0.7));
        p.drawPath(fe);
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(L - 4, side * 10.0), QPointF(L + 1.5, side * 10.0));
    }
    p.restore();
}

}  // namespace

void paintArrowGround(QPainter& p, const QRectF& r) {
    p.fillRect(r, QColor(0xf6, 0xea, 0xd2));
    // The pattern runs along the band the strip shows; the rest of a larger
    // frame, never seen, carries on plain.
    const qreal h = qMin<qreal>(r.height(), kArrowBandHeight);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xe2, 0xcc, 0xa4), 1.2));
    QPainterPath zig;
    zig.moveTo(r.left(), r.top() + h * 0.2);
    for (qreal x = r.left(); x < r.right() + 12; x += 12) {
        zig.lineTo(x + 6, r.top() + h * 0.08);
        zig.lineTo(x + 12, r.top() + h * 0.2);
    }
    p.drawPath(zig);
    p.drawPath(zig.translated(0, h * 0.72));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xd4, 0xae));
    for (qreal x = r.left() + 20; x < r.right(); x += 40) p.drawEllipse(QPointF(x, r.top() + h / 2), 1.2, 1.2);
    p.restore();
}

namespace {

// Every arrow picture draws the arrow at one size, centred on the band's
// middle row, between these tips: the strip and the frames then follow on
// from each other without a jump.
constexpr qreal kArrowScale = 0.85;
constexpr qreal kArrowLength = 150 * kArrowScale;
constexpr qreal kArrowLeftTip = 6;
// The fletching reaches two units past the shaft's end.
constexpr qreal kArrowRightTip = kArrowBandWidth - 4 - kArrowLength - 2 * kArrowScale;

}  // namespace

void paintArrowFrame(QPainter& p, int frame) {
    paintArrowGround(p, QRectF(0, 0, 645, 40));
    const int f = qBound(1, frame, 14);
    const qreal tipX = f <= 6 ? kArrowLeftTip + (kArrowRightTip - kArrowLeftTip) * (6 - f) / 5.0 : kArrowLeftTip;
    arrow(p, QPointF(tipX, kArrowBandHeight / 2.0), kArrowLength, kArrowScale, f);
}

void paintArrowStrip(QPainter& p) {
    paintArrowGround(p, QRectF(0, 0, kArrowBandWidth, kArrowBandHeight));
    arrow(p, QPointF(kArrowRightTip, kArrowBandHeight / 2.0), kArrowLength, kArrowScale, 0);
}

namespace {

QPainterPath suitPath(int suit, const QPointF& c, qreal s) {
    QPainterPath path;
    switch (suit) {
        case 1: {  // hearts
            path.moveTo(c.x(), c.y() + s);
            path.cubicTo(c.x() - s * 1.3, c.y() + s * 0.1, c.x() - s * 1.1, c.y() - s * 1.1, c.x(), c.y() - s * 0.45);
            path.cubicTo(c.x() + s * 1.1, c.y() - s * 1.1, c.x() + s * 1.3, c.y() + s * 0.1, c.x(), c.y() + s);
            break;
        }
        case 2: {  // clubs
            const qreal rr = s * 0.46;
            path.addEllipse(QPointF(c.x(), c.y() - s * 0.48), rr, rr);
            path.addEllipse(QPointF(c.x() - s * 0.5, c.y() + s * 0.1), rr, rr);
            path.addEllipse(QPointF(c.x() + s * 0.5, c.y() + s * 0.1), rr, rr);
            QPainterPath stem;
            stem.moveTo(c.x() - s * 0.08, c.y());
            stem.lineTo(c.x() - s * 0.35, c.y() + s);
            stem.lineTo(c.x() + s * 0.35, c.y() + s);
            stem.lineTo(c.x() + s * 0.08, c.y());
            path = path.united(stem);
            break;
        }
        case 3: {  // diamonds
            path.moveTo(c.x(), c.y() - s);
            path.quadTo(c.x() + s * 0.3, c.y() - s * 0.3, c.x() + s * 0.75, c.y());
            path.quadTo(c.x() + s * 0.3, c.y() + s * 0.3, c.x(), c.y() + s);
            path.quadTo(c.x() - s * 0.3, c.y() + s * 0.3, c.x() - s * 0.75, c.y());
            path.quadTo(c.x() - s * 0.3, c.y() - s * 0.3, c.x(), c.y() - s);
            break;
        }
        default: {  // spades
            path.moveTo(c.x(), c.y() - s);
            path.cubicTo(c.x() + s * 1.3, c.y() - s * 0.1, c.x() + s * 1.1, c.y() + s * 0.95, c.x(), c.y() + s * 0.35);
            path.cubicTo(c.x() - s * 1.1, c.y() + s * 0.95, c.x() - s * 1.3, c.y() - s * 0.1, c.x(), c.y() - s);
            QPainterPath stem;
            stem.moveTo(c.x() - s * 0.08, c.y() + s * 0.2);
            stem.lineTo(c.x() - s * 0.35, c.y() + s);
            stem.lineTo(c.x() + s * 0.35, c.y() + s);
            stem.lineTo(c.x() + s * 0.08, c.y() + s * 0.2);
            path = path.united(stem);
            break;
        }
    }
    return path;
}

void cardBack(QPainter& p, const QRectF& r, const QColor& base, const QColor& line, bool joker) {
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawRoundedRect(r.adjusted(5, 5, -5, -5), 4, 4);
    p.save();
    p.setClipRect(r.adjusted(6, 6, -6, -6));
    p.setPen(QPen(line, 1.0));
    for (qreal d = -160; d < 160; d += 9) {
        p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d + 160, r.top() + 160));
        p.drawLine(QPointF(r.right() - d, r.top()), QPointF(r.right() - d - 160, r.top() + 160));
    }
    p.restore();
    p.setPen(QPen(kGold, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(8, 8, -8, -8), 3, 3);
    // The medallion.
    const QPointF c = r.center();
    p.setPen(QPen(kGoldLight, 1.5));
    p.setBrush(base.darker(140));
    p.drawEllipse(c, 26, 26);
    p.setPen(Qt::NoPen);
    const QColor beads[] = {kTurquoise, kCream, kTerracotta, kGold};
    for (int i = 0; i < 16; ++i) {
        const qreal a = i * M_PI / 8;
        p.setBrush(beads[i % 4]);
        p.drawEllipse(c + QPointF(21 * qCos(a), 21 * qSin(a)), 2.6, 2.6);
    }
    if (joker) {
        outlinedText(p, QRectF(c.x() - 24, c.y() - 10, 48, 20), QStringLiteral("?"), serifFont(26), kGoldLight, kInk,
                     2.0);
    } else {
        p.setBrush(kGold);
        QPolygonF star;
        for (int i = 0; i < 16; ++i) {
            const qreal a = i * M_PI / 8 - M_PI / 2;
            const qreal rr = i % 2 ? 5 : 13;
            star << c + QPointF(rr * qCos(a), rr * qSin(a));
        }
        p.drawPolygon(star);
    }
}

}  // namespace

void paintCard(QPainter& p, int index) {
    const QRectF r(0, 0, 100, 153);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(r, QColor(0x1c, 0x3a, 0x22));  // the felt behind the card's corners
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.0));
    p.setBrush(QColor(0xfd, 0xfb, 0xf5));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    switch (index) {
        case 1:
            cardBack(p, r, QColor(0x1f, 0x4e, 0x8a), QColor(0x3a, 0x72, 0xb8), false);
            return;
        case 2:
            cardBack(p, r, QColor(0x1b, 0x6a, 0x4a), QColor(0x34, 0x90, 0x6a), false);
            return;
        case 3:
            cardBack(p, r, QColor(0x5a, 0x2a, 0x72), QColor(0x7c, 0x48, 0x98), false);
            return;
        case 4: {  // the joker face up
            outlinedText(p, QRectF(0, 8, 100, 24), QStringLiteral("JOKER"), serifFont(17), kDeepRed, kGoldLight, 0,
                         false);
            const QPointF c(50, 86);
            const QColor caps[] = {kTerracotta, kTurquoise, kGold};
            for (int i = 0; i < 3; ++i) {
                QPainterPath horn;
                const qreal dx = (i - 1) * 22;
                horn.moveTo(c.x() - 16, c.y());
                horn.quadTo(c.x() + dx * 0.6, c.y() - 16, c.x() + dx, c.y() - 36 + qAbs(dx) * 0.3);
                horn.quadTo(c.x() + dx * 0.3, c.y() - 12, c.x() + 16, c.y());
                horn.closeSubpath();
                p.setPen(QPen(kInk, 1.0));
                p.setBrush(caps[i]);
                p.drawPath(horn);
                p.setBrush(kGoldLight);
                p.drawEllipse(QPointF(c.x() + dx, c.y() - 36 + qAbs(dx) * 0.3), 3.5, 3.5);
            }
            p.setBrush(QColor(0xf4, 0xd8, 0xb8));
            p.drawEllipse(QPointF(c.x(), c.y() + 16), 16, 18);
            p.setBrush(kInk);
            p.drawEllipse(QPointF(c.x() - 6, c.y() + 12), 1.8, 1.8);
            p.drawEllipse(QPointF(c.x() + 6, c.y() + 12), 1.8, 1.8);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kDeepRed, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(c.x() - 8, c.y() + 14, 16, 12), 200 * 16, 140 * 16);
            return;
        }
        case 5:
            cardBack(p, r, QColor(0x8e, 0x24, 0x18), QColor(0xb4, 0x44, 0x30), true);
            return;
        default:
            break;
    }
    const int suit = qBound(1, index - 5, 4);
    const bool red = suit == 1 || suit == 3;
    const QColor ink = red ? QColor(0xc8, 0x1e, 0x1e) : QColor(0x18, 0x18, 0x18);
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, 40, 0, 120);
    g.setColorAt(0, ink.lighter(red ? 125 : 220));
    g.setColorAt(1, ink);
    p.setBrush(g);
    p.drawPath(suitPath(suit, QPointF(50, 78), 30));
    p.setBrush(ink);
    p.drawPath(suitPath(suit, QPointF(14, 16), 7));
    p.save();
    p.translate(86, 137);
    p.rotate(180);
    p.drawPath(suitPath(suit, QPointF(0, 0), 7));
    p.restore();
    p.setPen(QPen(QColor(ink.red(), ink.green(), ink.blue(), 60), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(26, 30, -26, -30), 4, 4);
}

void paintGambleBackdrop(QPainter& p) {
    const QRectF r(0, 0, 254, 350);
    p.setRenderHint(QPainter::Antialiasing);
    wood(p, r, 23);
    const QRectF felt = r.adjusted(5, 5, -5, -5);
    QRadialGradient g(felt.center(), 220);
    g.setColorAt(0, QColor(0x2a, 0x6a, 0x3c));
    g.setColorAt(1, QColor(0x10, 0x36, 0x1c));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(felt, 8, 8);
    goldFrame(p, felt, 2.0, 8);
    // The stake plaque at the top.
    paintPlaque(p, QRectF(28, 3, 198, 28), 6);
    // Suit marks beside the suit buttons and a frame round the card.
    p.setPen(QPen(QColor(0xf8, 0xd9, 0x80, 120), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(69, 69, 110, 163), 6, 6);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 140 + i * 10;
        p.setBrush(i % 2 ? kTurquoise : kTerracotta);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(43, y), 3, 3);
        p.drawEllipse(QPointF(205.7, y), 3, 3);
    }
    // The history shelf.
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(QRectF(18, 261, 218, 39), 5, 5);
    beadBand(p, QRectF(12, 346 - 8, 230, 6));
}

void paintGambleResult(QPainter& p, bool win) {
    // Only the rounded plate: wherever it comes to rest on the panel, the
    // panel shows round its corners.
    const QRectF r(0, 0, 150, 30);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (win) {
        g.setColorAt(0, QColor(0xfb, 0xdc, 0x6a));
        g.setColorAt(1, QColor(0xb0, 0x72, 0x12));
    } else {
        g.setColorAt(0, QColor(0x9a, 0x94, 0x8c));
        g.setColorAt(1, QColor(0x3a, 0x34, 0x30));
    }
    p.setPen(QPen(win ? kGoldDark : QColor(0x20, 0x1c, 0x18), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 10, 10);
    outlinedText(p, r, win ? QStringLiteral("WIN") : QStringLiteral("LOSE"), serifFont(21),
                 win ? kDeepRed : QColor(0xf0, 0xe8, 0xdc), win ? kGoldLight : kInk, 2.0, !win);
}

void paintPayTable(QPainter& p, const SymbolArt& symbols) {
    const QRectF r(0, 0, 500, 378);
    p.setRenderHint(QPainter::Antialiasing);
    wood(p, r, 31);
    // The sheet ends above the window's Close Paytable button (x 300 to 465,
    // y 353 to 374), which stands on a wooden footer of its own.
    const QRectF sheet(6, 6, 488, 338);
    QLinearGradient g(sheet.topLeft(), sheet.bottomLeft());
    g.setColorAt(0, QColor(0xfd, 0xf4, 0xe0));
    g.setColorAt(1, QColor(0xf0, 0xdc, 0xb2));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(sheet, 8, 8);
    goldFrame(p, sheet, 2.0, 8);
    beadBand(p, QRectF(12, 10, 476, 6));
    outlinedText(p, QRectF(0, 15, 500, 26), QStringLiteral("PAY TABLE"), serifFont(22), kTerracotta, kGoldLight, 2.0);

    // Ten line symbols, in two rows of five, richest last.
    static const Symbol order[10] = {Symbol::Chief,     Symbol::Maiden, Symbol::Dreamcatcher, Symbol::BuffaloSkull,
                                     Symbol::Moccasins, Symbol::Totem,  Symbol::LetterK,      Symbol::Headdress,
                                     Symbol::LetterQ,   Symbol::LetterJ};
    const QFont figures = displayFont(11);
    for (int i = 0; i < 10; ++i) {
        const int column = i % 5, row = i / 5;
        const qreal x = 14 + column * 95.0, y = 42 + row * 98.0;
        const QRectF cell(x, y, 91, 94);
        p.setPen(QPen(QColor(0xc9, 0x8f, 0x45, 160), 1.0));
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRoundedRect(cell, 6, 6);
        symbols.drawCell(p, order[i], QRectF(x + 2, y + 2, 46, 46));
        const QStringList lines = linePayLines(order[i]);
        for (int k = 0; k < lines.size(); ++k) {
            const QRectF lr(x + 2, y + 48 + k * 11.5, 87, 11.5);
            outlinedText(p, lr, lines[k], figures, kInk, kInk, 0, false);
        }
    }

    // Scatter and wild.
    const qreal y0 = 240;
    symbols.drawCell(p, Symbol::Tepee, QRectF(16, y0, 46, 46));
    outlinedText(p, QRectF(66, y0 - 2, 100, 16), QStringLiteral("SCATTER"), displayFont(13), kDeepRed, kInk, 0, false);
    const QStringList scatter = scatterPayLines();
    QStringList spins = freeSpinLines();
    for (int k = 0; k < scatter.size(); ++k) {
        outlinedText(p, QRectF(66, y0 + 14 + k * 12, 100, 12), scatter[k] + QStringLiteral(" bet"), figures, kInk, kInk,
                     0, false);
    }
    for (int k = 0; k < spins.size(); ++k) {
        outlinedText(p, QRectF(166, y0 + 14 + k * 12, 130, 12), spins[k], figures, kTurquoiseDark, kInk, 0, false);
    }
    outlinedText(p, QRectF(166, y0 - 2, 130, 16), QStringLiteral("pays anywhere"), displayFont(11), kInk, kInk, 0,
                 false);
    symbols.drawCell(p, Symbol::Emblem, QRectF(300, y0, 46, 46));
    outlinedText(p, QRectF(350, y0 - 2, 136, 16), QStringLiteral("WILD"), displayFont(13), kDeepRed, kInk, 0, false);
    const QStringList wild = {QStringLiteral("reels 2, 3 and 4"), QStringLiteral("substitutes and holds"),
                              QStringLiteral("its reel for one spin")};
    for (int k = 0; k < wild.size(); ++k) {
        outlinedText(p, QRectF(350, y0 + 14 + k * 12, 136, 12), wild[k], figures, kInk, kInk, 0, false);
    }
    // The rules under a thin line of their own, clear of the scatter's lines.
    const QStringList rules = featureRules();
    const QFont small = displayFont(10, false);
    p.setPen(QPen(QColor(0xc9, 0x8f, 0x45, 200), 1.0));
    p.drawLine(QPointF(40, 308.5), QPointF(460, 308.5));
    outlinedText(p, QRectF(14, 311, 472, 13), rules[2], small, kInk, kInk, 0, false);
    outlinedText(p, QRectF(14, 324, 472, 13), rules[3], small, kInk, kInk, 0, false);

    // The footer: a band of beadwork beside the button, as long as it is high.
    const QRectF band(12, 353, 276, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(kWoodDark);
    p.drawRoundedRect(band.adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
    beadBand(p, band);
    goldFrame(p, band.adjusted(-1, -1, 1, 1), 1.2, 3);
}

void paintIcon(QPainter& p, int size, const SymbolArt& symbols) {
    const QRectF r(0, 0, size, size);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(r, size * 0.18, size * 0.18);
    p.setClipPath(clip);
    symbols.drawEmblemFrame(p, 5, r);
    p.setClipping(false);
    goldFrame(p, r.adjusted(1, 1, -1, -1), 2.0, size * 0.17);
}

QImage flattenOnMaskWhite(const QImage& glyph) {
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) < 128) {
                line[x] = qRgb(255, 255, 255);
            } else {
                int rr = qRed(c), gg = qGreen(c), bb = qBlue(c);
                if (rr == 255 && gg == 255 && bb == 255) bb = 254;  // never a hole in the glyph
                line[x] = qRgb(rr, gg, bb);
            }
        }
    }
    return out.convertToFormat(QImage::Format_RGB32);
}

QImage whiteToTransparent(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00ffffffU) == 0x00ffffffU) line[x] = 0;
        }
    }
    return out;
}

}  // namespace velmoran::art
