#include "shell/art/art_symbols.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>

#include "shell/art/art_paint.h"

namespace velmoran::art {

const char* symbolSource(Symbol s) noexcept {
    switch (s) {
        case Symbol::LetterJ:
            return ":/art/symbols/letter_j.svg";
        case Symbol::LetterK:
            return ":/art/symbols/letter_k.svg";
        case Symbol::Headdress:
            return ":/art/symbols/headdress.svg";
        case Symbol::Dreamcatcher:
            return ":/art/symbols/dreamcatcher.svg";
        case Symbol::Totem:
            return ":/art/symbols/totem.svg";
        case Symbol::LetterQ:
            return ":/art/symbols/letter_q.svg";
        case Symbol::BuffaloSkull:
            return ":/art/symbols/buffalo_skull.svg";
        case Symbol::Chief:
            return ":/art/symbols/chief.svg";
        case Symbol::Moccasins:
            return ":/art/symbols/moccasins.svg";
        case Symbol::Maiden:
            return ":/art/symbols/maiden.svg";
        case Symbol::Tepee:
            return ":/art/symbols/tepee.svg";
        case Symbol::Emblem:
            return ":/art/symbols/emblem.svg";
    }
    return "";
}

SymbolArt::SymbolArt() {
    for (int c = 1; c <= kSymbolCount; ++c) {
        svg_[static_cast<std::size_t>(c)] =
            std::make_unique<QSvgRenderer>(QString::fromLatin1(symbolSource(Symbol(c))));
    }
}

SymbolArt::~SymbolArt() = default;

bool SymbolArt::loaded(Symbol s) const {
    const auto& r = svg_[static_cast<std::size_t>(code(s))];
    return r && r->isValid();
}

namespace {

// How many device pixels one unit of the painter's user space covers.
qreal pixelScale(const QPainter& p) {
    const QTransform t = p.combinedTransform();
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    return std::hypot(t.m11(), t.m12()) * dpr;
}

}  // namespace

const QImage& SymbolArt::figure(Symbol s, QSize pixels) const {
    const quint64 key = (static_cast<quint64>(code(s)) << 40) | (static_cast<quint64>(pixels.width()) << 20) |
                        static_cast<quint64>(pixels.height());
    auto it = figures_.find(key);
    if (it == figures_.end()) {
        QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        const auto& svg = svg_[static_cast<std::size_t>(code(s))];
        if (svg && svg->isValid()) {
            QPainter ip(&img);
            ip.setRenderHint(QPainter::Antialiasing);
            svg->render(&ip, QRectF(0, 0, pixels.width(), pixels.height()));
        }
        it = figures_.insert(key, img);
    }
    return *it;
}

void SymbolArt::drawFigure(QPainter& p, Symbol s, const QRectF& r) const {
    const qreal k = pixelScale(p);
    const QSize pixels(qMax(1, qRound(r.width() * k)), qMax(1, qRound(r.height() * k)));
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, figure(s, pixels));
    p.restore();
}

const QImage& SymbolArt::cell(Symbol s, qreal dpr) const {
    const quint64 key = (static_cast<quint64>(code(s)) << 32) | static_cast<quint64>(qRound(dpr * 1000));
    auto it = cells_.find(key);
    if (it == cells_.end()) {
        QImage img(qCeil(100 * dpr), qCeil(100 * dpr), QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::transparent);
        QPainter ip(&img);
        const QRectF r(0, 0, 100, 100);
        if (s == Symbol::Tepee) {
            drawTepeeFrame(ip, kTepeeStripFrame, r);
        } else if (s == Symbol::Emblem) {
            drawEmblemFrame(ip, 1, r);
        } else {
            cellGround(ip, r);
            drawFigure(ip, s, r);
        }
        ip.end();
        it = cells_.insert(key, img);
    }
    return *it;
}

void SymbolArt::drawCell(QPainter& p, Symbol s, const QRectF& r) const {
    // The cell is drawn at its reel size and scaled, so a symbol looks the
    // same wherever it appears (the pay table, the icon).
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, cell(s, dpr));
    p.restore();
}

namespace {

QColor mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// Sky colours through the evening: afternoon gold, sunset, dusk. `t` 0 to 1.
struct Sky {
    QColor top, horizon, sun;
};
Sky skyAt(qreal t) {
    static const Sky keys[] = {
        {QColor(0x5f, 0xa8, 0xd3), QColor(0xfc, 0xe6, 0xa8), QColor(0xff, 0xf2, 0xb0)},
        {QColor(0xe9, 0x8a, 0x3c), QColor(0xfd, 0xd5, 0x74), QColor(0xff, 0xe0, 0x70)},
        {QColor(0xb8, 0x3a, 0x3a), QColor(0xf7, 0x9a, 0x3e), QColor(0xff, 0xc0, 0x4c)},
        {QColor(0x4a, 0x2a, 0x5e), QColor(0xe2, 0x6a, 0x3c), QColor(0xff, 0x9a, 0x40)},
    };
    const qreal x = t * 3.0;
    const int i = qBound(0, static_cast<int>(x), 2);
    const qreal f = x - i;
    return {mix(keys[i].top, keys[i + 1].top, f), mix(keys[i].horizon, keys[i + 1].horizon, f),
            mix(keys[i].sun, keys[i + 1].sun, f)};
}

void flame(QPainter& p, QPointF base, qreal w, qreal h, qreal lean, const QColor& outer, const QColor& inner) {
    QPainterPath path;
    path.moveTo(base.x() - w / 2, base.y());
    path.cubicTo(base.x() - w / 2, base.y() - h * 0.45, base.x() + lean - w * 0.15, base.y() - h * 0.7, base.x() + lean,
                 base.y() - h);
    path.cubicTo(base.x() + lean + w * 0.2, base.y() - h * 0.65, base.x() + w / 2, base.y() - h * 0.45,
                 base.x() + w / 2, base.y());
    path.closeSubpath();
    QLinearGradient g(base, QPointF(base.x(), base.y() - h));
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}

}  // namespace

void SymbolArt::drawTepeeFrame(QPainter& p, int frame, const QRectF& r) const {
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 100.0, r.height() / 100.0);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal t = (qBound(1, frame, kTepeeFrames) - 1) / static_cast<qreal>(kTepeeFrames - 1);
    const Sky sky = skyAt(t);

    QLinearGradient g(0, 0, 0, 80);
    g.setColorAt(0, sky.top);
    g.setColorAt(1, sky.horizon);
    p.fillRect(QRectF(0, 0, 100, 100), g);

    // The sun sinks behind the hills as the evening goes on.
    const QPointF sun(30, 40 + 30 * t);
    QRadialGradient glow(sun, 34);
    QColor halo = sky.sun;
    halo.setAlpha(150);
    glow.setColorAt(0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1, halo);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, 34, 34);
    p.setBrush(sky.sun);
    p.drawEllipse(sun, 12, 12);

    // A few evening stars once the sky darkens.
    if (t > 0.6) {
        QColor star(255, 246, 214, static_cast<int>(255 * (t - 0.6) / 0.4));
        p.setBrush(star);
        const QPointF stars[] = {{60, 8}, {78, 16}, {90, 6}, {48, 18}, {70, 28}};
        for (const auto& s : stars) p.drawEllipse(s, 0.9, 0.9);
    }

    drawFigure(p, Symbol::Tepee, QRectF(0, 0, 100, 100));

    // The camp fire beside the tepee; its flames change with every frame.
    const qreal a = frame * 1.7;
    const QPointF fire(84, 89);
    QRadialGradient light(fire, 16);
    light.setColorAt(0, QColor(255, 190, 70, 120));
    light.setColorAt(1, QColor(255, 120, 30, 0));
    p.setBrush(light);
    p.drawEllipse(fire, 16, 12);
    flame(p, fire, 10, 15 + 3 * qSin(a), 1.5 * qSin(a * 1.3), QColor(200, 40, 20), QColor(255, 150, 30));
    flame(p, fire + QPointF(-2.5, 0), 6, 10 + 3 * qCos(a * 0.9), -1.5, QColor(235, 90, 25), QColor(255, 210, 60));
    flame(p, fire + QPointF(2.5, 0), 5, 9 + 2.5 * qSin(a * 1.7 + 1), 1.2, QColor(240, 110, 30), QColor(255, 220, 80));
    flame(p, fire, 4, 6 + 1.5 * qCos(a * 2.1), 0.5, QColor(255, 200, 60), QColor(255, 250, 200));
    p.restore();
}

void SymbolArt::drawEmblemFrame(QPainter& p, int frame, const QRectF& r) const {
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 100.0, r.height() / 100.0);
    p.setRenderHint(QPainter::Antialiasing);
    const int f = qBound(1, frame, kEmblemFrames) - 1;
    // Grounds that glow from turquoise through gold to red and back.
    static const QColor grounds[kEmblemFrames][2] = {
        {QColor(0x1d, 0x6f, 0x69), QColor(0x3f, 0xc1, 0xb3)}, {QColor(0x1f, 0x5e, 0x7a), QColor(0x5c, 0xb8, 0xd8)},
        {QColor(0x5a, 0x2d, 0x7a), QColor(0xa8, 0x72, 0xd0)}, {QColor(0x8e, 0x24, 0x18), QColor(0xe0, 0x60, 0x40)},
        {QColor(0xb0, 0x4a, 0x12), QColor(0xf4, 0x9a, 0x3a)}, {QColor(0xa8, 0x78, 0x10), QColor(0xf8, 0xd8, 0x60)},
        {QColor(0x4e, 0x7a, 0x1e), QColor(0x9c, 0xcc, 0x50)}, {QColor(0x16, 0x5f, 0x5a), QColor(0x48, 0xc8, 0x9c)},
    };
    QRadialGradient g(QPointF(50, 50), 72);
    g.setColorAt(0, grounds[f][1]);
    g.setColorAt(1, grounds[f][0]);
    p.fillRect(QRectF(0, 0, 100, 100), g);
    // Rays turn a little with every frame.
    p.translate(50, 50);
    p.rotate(f * 360.0 / 16 / kEmblemFrames);
    QColor ray = grounds[f][1].lighter(130);
    ray.setAlpha(70);
    p.setBrush(ray);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 16; ++i) {
        QPainterPath w;
        w.moveTo(0, 0);
        w.lineTo(80 * qCos(qDegreesToRadians(i * 22.5 - 5.0)), 80 * qSin(qDegreesToRadians(i * 22.5 - 5.0)));
        w.lineTo(80 * qCos(qDegreesToRadians(i * 22.5 + 5.0)), 80 * qSin(qDegreesToRadians(i * 22.5 + 5.0)));
        w.closeSubpath();
        p.drawPath(w);
    }
    p.resetTransform();
    p.restore();
    p.save();
    drawFigure(p, Symbol::Emblem, r);
    p.restore();
}

}  // namespace velmoran::art
