#include "shell/art/art_library.h"

#include <QHash>
#include <QPainter>
#include <array>
#include <vector>

#include "reels/strips.h"
#include "shell/art/art_paint.h"
#include "shell/art/art_symbols.h"
#include "shell/window/fonts.h"

namespace velmoran::art {

QSize layoutSize(Asset a) noexcept {
    switch (a) {
        case Asset::Background:
            return {645, 476};
        case Asset::Reel1:
        case Asset::Reel2:
        case Asset::Reel3:
        case Asset::Reel4:
        case Asset::Reel5:
            return {100, kStripCells * 100};
        case Asset::LastBetHeading:
            return {110, 25};
        case Asset::CurrentWinHeading:
            return {161, 25};
        case Asset::DoubleButton:
            return {93, 40};
        case Asset::TakeWinButton:
            return {141, 40};
        case Asset::RedButton:
        case Asset::BlackButton:
            return {68, 30};
        case Asset::GambleTakeWinButton:
            return {104, 30};
        case Asset::GambleBackdrop:
            return {254, 350};
        case Asset::GambleWin:
        case Asset::GambleLose:
            return {150, 30};
        case Asset::ArrowStrip:
            return {639, 28};
        case Asset::PayTable:
            return {500, 378};
        case Asset::Icon:
            return {64, 64};
        default:
            return {89, 40};  // the 88.7-pixel buttons
    }
}

bool isButton(Asset a) noexcept {
    const int i = static_cast<int>(a);
    return i >= static_cast<int>(Asset::PaylineButton1) && i <= static_cast<int>(Asset::BlackButton);
}

struct Library::Impl {
    qreal dpr = 1.0;
    SymbolArt symbols;
    std::array<std::array<QPixmap, 3>, kAssetCount> assets;
    std::array<QPixmap, kSymbolCount + 1> symbolPictures;
    std::array<QImage, kSymbolCount + 1> symbolImages;
    std::array<std::vector<QPixmap>, 6> lists;
    QPixmap tile;
    std::array<QPixmap, 5> stripFigures;
    mutable QHash<quint64, QPixmap> composites;
    QPixmap none;

    template <typename Paint>
    QImage draw(int w, int h, Paint&& paint) const {
        QImage img = canvas(w, h, dpr);
        QPainter p(&img);
        paint(p);
        p.end();
        return img;
    }
    template <typename Paint>
    QPixmap pixmap(int w, int h, Paint&& paint) const {
        return QPixmap::fromImage(draw(w, h, std::forward<Paint>(paint)));
    }

    std::vector<QPixmap>& list(PictureList l) { return lists[static_cast<std::size_t>(l)]; }

    const QPixmap& tilePixmap() {
        if (tile.isNull()) tile = pixmap(100, 100, paintHighlightTile);
        return tile;
    }

    void renderSymbols();
    void renderAsset(Asset a);
    void renderList(PictureList l);
};

void Library::Impl::renderSymbols() {
    for (int c = 1; c <= kSymbolCount; ++c) {
        const auto s = Symbol(c);
        symbolImages[static_cast<std::size_t>(c)] =
            draw(100, 100, [&](QPainter& p) { symbols.drawCell(p, s, QRectF(0, 0, 100, 100)); });
        symbolPictures[static_cast<std::size_t>(c)] = QPixmap::fromImage(symbolImages[static_cast<std::size_t>(c)]);
    }
}

void Library::Impl::renderAsset(Asset a) {
    auto& looks = assets[static_cast<std::size_t>(a)];
    auto set = [&](Look l, QPixmap pm) { looks[static_cast<std::size_t>(l)] = std::move(pm); };
    auto single = [&](const QPixmap& pm) { looks.fill(pm); };
    const QSize s = layoutSize(a);
    if (isButton(a)) {
        for (Look l : {Look::Normal, Look::Pressed, Look::Disabled}) {
            set(l, pixmap(s.width(), s.height(), [&](QPainter& p) { paintButton(p, a, l, symbols); }));
        }
        return;
    }
    switch (a) {
        case Asset::Background:
            single(pixmap(s.width(), s.height(), paintBackground));
            break;
        case Asset::Reel1:
        case Asset::Reel2:
        case Asset::Reel3:
        case Asset::Reel4:
        case Asset::Reel5: {
            const int reel = static_cast<int>(a) - static_cast<int>(Asset::Reel1) + 1;
            // On white and without an alpha channel: a frame of the
            // reel motion is then a plain copy of the strip's band.
            const QImage strip = draw(s.width(), s.height(), [&](QPainter& p) {
                p.fillRect(QRectF(QPointF(0, 0), QSizeF(s)), Qt::white);
                for (int cell = 0; cell < kStripCells; ++cell) {
                    const auto sym = static_cast<std::size_t>(code(stripSymbol(reel, cell)));
                    p.drawImage(QRectF(0, cell * 100, 100, 100), symbolImages[sym]);
                }
            });
            single(QPixmap::fromImage(strip.convertToFormat(QImage::Format_RGB32)));
            break;
        }
        case Asset::LastBetHeading:
            single(pixmap(s.width(), s.height(), [&](QPainter& p) { paintHeading(p, s, QStringLiteral("Last Bet")); }));
            break;
        case Asset::CurrentWinHeading:
            single(
                pixmap(s.width(), s.height(), [&](QPainter& p) { paintHeading(p, s, QStringLiteral("Current Win")); }));
            break;
        case Asset::GambleBackdrop:
            single(pixmap(s.width(), s.height(), paintGambleBackdrop));
            break;
        case Asset::GambleWin:
            single(pixmap(s.width(), s.height(), [](QPainter& p) { paintGambleResult(p, true); }));
            break;
        case Asset::GambleLose:
            single(pixmap(s.width(), s.height(), [](QPainter& p) { paintGambleResult(p, false); }));
            break;
        case Asset::ArrowStrip:
            single(pixmap(s.width(), s.height(), paintArrowStrip));
            break;
        case Asset::PayTable:
            single(pixmap(s.width(), s.height(), [&](QPainter& p) { paintPayTable(p, symbols); }));
            break;
        case Asset::Icon:
            single(pixmap(s.width(), s.height(), [&](QPainter& p) { paintIcon(p, s.width(), symbols); }));
            break;
        default:
            break;
    }
}

void Library::Impl::renderList(PictureList l) {
    auto& out = list(l);
    switch (l) {
        case PictureList::linepics:
            for (int i = 1; i <= 50; ++i) {
                const int line = i <= 25 ? i : i - 25;
                out.push_back(pixmap(30, 20, [&](QPainter& p) { paintLineMarker(p, line, i <= 25); }));
            }
            break;
        case PictureList::ImageList1:
            for (int f = 1; f <= kTepeeFrames; ++f) {
                out.push_back(
                    pixmap(100, 100, [&](QPainter& p) { symbols.drawTepeeFrame(p, f, QRectF(0, 0, 100, 100)); }));
            }
            out.push_back(tilePixmap());
            break;
        case PictureList::ImageList2:
            for (int f = 1; f <= kEmblemFrames; ++f) {
                out.push_back(
                    pixmap(100, 100, [&](QPainter& p) { symbols.drawEmblemFrame(p, f, QRectF(0, 0, 100, 100)); }));
            }
            for (int factor : {2, 3, 5, 10}) {
                for (int k = 0; k < 4; ++k) {
                    out.push_back(QPixmap::fromImage(
                        flattenOnMaskWhite(draw(100, 100, [&](QPainter& p) { paintMultiplier(p, factor, k); }))));
                }
            }
            break;
        case PictureList::imglistarrow:
            for (int f = 1; f <= 14; ++f) out.push_back(pixmap(645, 40, [&](QPainter& p) { paintArrowFrame(p, f); }));
            break;
        case PictureList::imagelistcards:
            for (int c = 1; c <= 9; ++c) out.push_back(pixmap(100, 153, [&](QPainter& p) { paintCard(p, c); }));
            break;
        default:
            break;
    }
}

Library::Library(qreal devicePixelRatio) : impl_(std::make_unique<Impl>()) {
    impl_->dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // The lettering uses the program's own faces, never whatever the
    // desktop happens to have.
    shell::installFonts();
    // The symbols are needed at once (every strip is made of them); every
    // other picture is drawn the first time it is asked for, so the window
    // is on the screen quickly and pictures it never shows cost nothing.
    impl_->renderSymbols();
}

Library::~Library() = default;

const QPixmap& Library::asset(Asset a, Look look) const {
    const auto i = static_cast<std::size_t>(a);
    if (i >= impl_->assets.size()) return impl_->none;
    if (impl_->assets[i][0].isNull()) impl_->renderAsset(a);
    return impl_->assets[i][static_cast<std::size_t>(look)];
}

const QPixmap& Library::entry(PictureList list, int index) const {
    const auto n = static_cast<std::size_t>(list);
    if (n >= impl_->lists.size()) return impl_->none;
    if (impl_->lists[n].empty()) impl_->renderList(list);
    const auto& l = impl_->lists[n];
    if (index < 1 || index > static_cast<int>(l.size())) return impl_->none;
    return l[static_cast<std::size_t>(index - 1)];
}

QPixmap Library::composite(PictureList list, int base, int overlay) const {
    const QPixmap& under = entry(list, base);
    if (under.isNull()) return {};
    const QPixmap& over = entry(list, overlay);
    if (over.isNull()) return under;
    const quint64 key =
        (static_cast<quint64>(list) << 32) | (static_cast<quint64>(base) << 16) | static_cast<quint64>(overlay);
    if (auto it = impl_->composites.constFind(key); it != impl_->composites.constEnd()) return *it;
    QImage out = under.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&out);
        const QImage cut = whiteToTransparent(over.toImage());
        p.drawImage(QRectF(QPointF(0, 0), under.deviceIndependentSize()), cut);
    }
    QPixmap result = QPixmap::fromImage(out);
    impl_->composites.insert(key, result);
    return result;
}

qreal Library::devicePixelRatio() const noexcept {
    return impl_->dpr;
}

const QPixmap& Library::highlightTile() const {
    return impl_->tilePixmap();
}

const QPixmap& Library::stripFigures(int reel) const {
    if (reel < 1 || reel > 5) return impl_->none;
    auto& figures = impl_->stripFigures[static_cast<std::size_t>(reel - 1)];
    if (figures.isNull()) {
        const QSize s = layoutSize(reelAsset(reel));
        figures =
            impl_->pixmap(s.width(), s.height(), [&](QPainter& p) { paintStripFigures(p, reel, impl_->symbols); });
    }
    return figures;
}

const QPixmap& Library::symbol(Symbol s) const {
    const int c = code(s);
    if (c < 1 || c > kSymbolCount) return impl_->none;
    return impl_->symbolPictures[static_cast<std::size_t>(c)];
}

}  // namespace velmoran::art
