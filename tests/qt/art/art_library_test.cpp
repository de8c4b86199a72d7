#include <gtest/gtest.h>

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <memory>

#include "reels/paytable.h"
#include "reels/strips.h"
#include "shell/art/art_library.h"
#include "shell/art/art_paint.h"
#include "shell/art/art_symbols.h"
#include "shell/art/pay_table_text.h"

namespace velmoran::art {
namespace {

class ArtLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library_ = std::make_unique<Library>(1.0); }
    static void TearDownTestSuite() { library_.reset(); }
    static const Library& lib() { return *library_; }
    static QImage image(const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_RGB32); }

private:
    static std::unique_ptr<Library> library_;
};
std::unique_ptr<Library> ArtLibrary::library_;

constexpr PictureList kLists[] = {PictureList::linepics, PictureList::ImageList1, PictureList::ImageList2,
                                  PictureList::imglistarrow, PictureList::imagelistcards};

TEST_F(ArtLibrary, EveryPictureExistsAtItsLayoutSize) {
    for (int i = 0; i < kAssetCount; ++i) {
        const auto a = static_cast<Asset>(i);
        for (Look look : {Look::Normal, Look::Pressed, Look::Disabled}) {
            const QPixmap& pm = lib().asset(a, look);
            ASSERT_FALSE(pm.isNull()) << "asset " << i;
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), layoutSize(a)) << "asset " << i;
        }
    }
    EXPECT_EQ(layoutSize(Asset::Background), QSize(645, 476));
    EXPECT_EQ(layoutSize(Asset::Reel3), QSize(100, 2900));
    EXPECT_EQ(layoutSize(Asset::ArrowStrip), QSize(639, 28));
    EXPECT_EQ(layoutSize(Asset::PayTable), QSize(500, 378));
    EXPECT_EQ(layoutSize(Asset::GambleTakeWinButton), QSize(104, 30));

    for (PictureList l : kLists) {
        const auto& i = info(l);
        EXPECT_TRUE(lib().entry(l, 0).isNull());
        EXPECT_TRUE(lib().entry(l, i.count + 1).isNull());
        for (int k = 1; k <= i.count; ++k) {
            const QPixmap& pm = lib().entry(l, k);
            ASSERT_FALSE(pm.isNull()) << i.name << " " << k;
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), QSize(i.width, i.height)) << i.name << " " << k;
        }
    }
}

TEST_F(ArtLibrary, RendersAtTheScreensPixelRatio) {
    const Library sharp(2.0);
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    const QPixmap& bg = sharp.asset(Asset::Background);
    EXPECT_EQ(bg.size(), QSize(1290, 952));
    EXPECT_EQ(bg.deviceIndependentSize().toSize(), QSize(645, 476));
    const QPixmap& card = sharp.entry(PictureList::imagelistcards, 6);
    EXPECT_EQ(card.size(), QSize(200, 306));
    EXPECT_EQ(card.devicePixelRatio(), 2.0);
}

TEST_F(ArtLibrary, PicturesAreDrawnOnceAndKept) {
    // Pictures are drawn when first asked for; asking again must hand out
    // the same picture, not draw it anew (the reel motion asks every frame).
    const qint64 strip = lib().asset(Asset::Reel2).cacheKey();
    EXPECT_EQ(lib().asset(Asset::Reel2).cacheKey(), strip);
    const qint64 frame = lib().entry(PictureList::ImageList1, 7).cacheKey();
    EXPECT_EQ(lib().entry(PictureList::ImageList1, 7).cacheKey(), frame);
    EXPECT_NE(lib().entry(PictureList::ImageList1, 8).cacheKey(), frame);
    // The strips have no alpha channel, so a frame is a plain copy.
    EXPECT_FALSE(lib().asset(Asset::Reel2).hasAlphaChannel());
}

TEST_F(ArtLibrary, LetteringUsesTheProgramsOwnFaces) {
    // Every face the pictures letter with is embedded in the program, so
    // the words look the same on a desktop without those fonts.
    QStringList embedded;
    for (const QString& name : QDir(QStringLiteral(":/fonts")).entryList()) {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + name);
        embedded += QFontDatabase::applicationFontFamilies(id);
    }
    for (const QFont& f : {displayFont(14), displayFont(10, false), serifFont(40)}) {
        EXPECT_TRUE(embedded.contains(f.family())) << f.family().toStdString();
        EXPECT_EQ(QFontInfo(f).family(), f.family());
    }
}

TEST_F(ArtLibrary, SymbolSourcesAreEmbeddedAndDistinct) {
    const SymbolArt art;
    for (int c = 1; c <= kSymbolCount; ++c) EXPECT_TRUE(art.loaded(Symbol(c))) << symbolSource(Symbol(c));
    // Each symbol has a picture of its own, or the strip check below could
    // not tell two symbols apart.
    for (int a = 1; a <= kSymbolCount; ++a) {
        for (int b = a + 1; b <= kSymbolCount; ++b) {
            EXPECT_NE(image(lib().symbol(Symbol(a))), image(lib().symbol(Symbol(b)))) << a << " vs " << b;
        }
    }
}

TEST_F(ArtLibrary, StripsShowTheStripTableInEveryCell) {
    for (int reel = 1; reel <= 5; ++reel) {
        const QImage strip = image(lib().asset(reelAsset(reel)));
        for (int cell = 0; cell < kStripCells; ++cell) {
            const Symbol s = stripSymbol(reel, cell);
            const QImage shown = strip.copy(0, cell * 100, 100, 100);
            EXPECT_EQ(shown, image(lib().symbol(s))) << "reel " << reel << " cell " << cell << " " << name(s);
        }
    }
}

TEST_F(ArtLibrary, BackgroundHasWhiteReelWindows) {
    const QImage bg = image(lib().asset(Asset::Background));
    const int lefts[] = {54, 162, 273, 384, 493};
    for (int x : lefts) {
        for (int y : {54, 200, 352}) {
            EXPECT_EQ(bg.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
            EXPECT_EQ(bg.pixel(x + 98, y), qRgb(255, 255, 255)) << x + 98 << "," << y;
        }
    }
    // The cabinet round the windows is not white.
    EXPECT_NE(bg.pixel(20, 250), qRgb(255, 255, 255));
    EXPECT_NE(bg.pixel(157, 200), qRgb(255, 255, 255));
}

TEST_F(ArtLibrary, MultiplierFramesStandOnPureWhite) {
    for (int k = 9; k <= 24; ++k) {
        const QImage m = image(lib().entry(PictureList::ImageList2, k));
        int white = 0, glyph = 0;
        for (int y = 0; y < m.height(); ++y) {
            for (int x = 0; x < m.width(); ++x) (m.pixel(x, y) == qRgb(255, 255, 255) ? white : glyph)++;
        }
        EXPECT_EQ(m.pixel(0, 0), qRgb(255, 255, 255)) << k;
        EXPECT_EQ(m.pixel(99, 99), qRgb(255, 255, 255)) << k;
        EXPECT_EQ(m.pixel(50, 2), qRgb(255, 255, 255)) << k;
        EXPECT_GT(white, 4000) << k;
        EXPECT_GT(glyph, 800) << k;
    }
    // Each set sparkles: its four frames differ.
    for (int first : {9, 13, 17, 21}) {
        for (int k = first + 1; k < first + 4; ++k) {
            EXPECT_NE(image(lib().entry(PictureList::ImageList2, first)),
                      image(lib().entry(PictureList::ImageList2, k)));
        }
    }
}

TEST_F(ArtLibrary, CompositeShowsTheEmblemThroughTheMultipliersWhite) {
    for (auto [base, over] : {std::pair{3, 10}, std::pair{8, 24}, std::pair{1, 17}}) {
        const QImage emblem = image(lib().entry(PictureList::ImageList2, base));
        const QImage mult = image(lib().entry(PictureList::ImageList2, over));
        const QImage both = image(lib().composite(PictureList::ImageList2, base, over));
        ASSERT_EQ(both.size(), emblem.size());
        int seenEmblem = 0, seenGlyph = 0;
        for (int y = 0; y < both.height(); ++y) {
            for (int x = 0; x < both.width(); ++x) {
                if (mult.pixel(x, y) == qRgb(255, 255, 255)) {
                    ASSERT_EQ(both.pixel(x, y), emblem.pixel(x, y)) << x << "," << y;
                    ++seenEmblem;
                } else {
                    ASSERT_EQ(both.pixel(x, y), mult.pixel(x, y)) << x << "," << y;
                    ++seenGlyph;
                }
            }
        }
        EXPECT_GT(seenEmblem, 4000);
        EXPECT_GT(seenGlyph, 800);
    }
    // No overlay: the base itself; no base: nothing.
    EXPECT_EQ(image(lib().composite(PictureList::ImageList2, 2, 0)), image(lib().entry(PictureList::ImageList2, 2)));
    EXPECT_TRUE(lib().composite(PictureList::ImageList2, 25, 9).isNull());
}

TEST_F(ArtLibrary, AnimationFramesChangeFromFrameToFrame) {
    for (int f = 1; f < 20; ++f) {
        EXPECT_NE(image(lib().entry(PictureList::ImageList1, f)), image(lib().entry(PictureList::ImageList1, f + 1)))
            << "tepee " << f;
    }
    for (int f = 1; f < 8; ++f) {
        EXPECT_NE(image(lib().entry(PictureList::ImageList2, f)), image(lib().entry(PictureList::ImageList2, f + 1)))
            << "emblem " << f;
    }
    for (int f = 1; f < 14; ++f) {
        EXPECT_NE(image(lib().entry(PictureList::imglistarrow, f)),
                  image(lib().entry(PictureList::imglistarrow, f + 1)))
            << "arrow " << f;
    }
}

// The tile stays what the layout asks for, an opaque square of pale stripes
// running down, and shows them inside a frame that reads as lit gold.
TEST_F(ArtLibrary, TheHighlightTileIsOpaqueStripesInALitFrame) {
    const QPixmap& picture = lib().entry(PictureList::ImageList1, 21);
    EXPECT_EQ(picture.cacheKey(), lib().highlightTile().cacheKey());
    const QImage tile = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(qAlpha(tile.pixel(x, y)), 255) << x << "," << y;
    // Inside the frame's glow: stripes five pixels wide, pale, the same from
    // top to bottom.
    for (int x = 30; x < 70; x += 5) {
        EXPECT_NE(tile.pixel(x, 50), tile.pixel(x + 5, 50)) << x;
        EXPECT_EQ(tile.pixel(x, 30), tile.pixel(x, 70)) << x;
        EXPECT_GT(qGray(tile.pixel(x, 50)), 200) << x;
    }
    // The frame: warm gold, light, all the way round.
    for (int i = 1; i < kHighlightFrame - 1; ++i) {
        for (const QPoint at : {QPoint(50, i), QPoint(50, 99 - i), QPoint(i, 50), QPoint(99 - i, 50)}) {
            const QColor c = tile.pixelColor(at);
            EXPECT_GT(c.red() - c.blue(), 50) << at.x() << "," << at.y();
            EXPECT_GT(c.lightness(), 140) << at.x() << "," << at.y();
        }
    }
}

// A lit cell shows the very symbol of the strip inside the tile's frame.
TEST_F(ArtLibrary, StripFiguresAreTheStripsSymbolsWithoutTheirGround) {
    for (int reel = 1; reel <= 5; ++reel) {
        const QImage figures = lib().stripFigures(reel).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(figures.size(), QSize(100, 2900));
        const QImage strip = image(lib().asset(reelAsset(reel)));
        for (int cell = 0; cell < kStripCells; ++cell) {
            const Symbol s = stripSymbol(reel, cell);
            const int top = cell * 100;
            int opaque = 0, same = 0;
            for (int y = top; y < top + 100; ++y)
                for (int x = 0; x < 100; ++x) {
                    const QRgb f = figures.pixel(x, y);
                    if (qAlpha(f) < 255) continue;
                    ++opaque;
                    same += (f & 0xffffffU) == (strip.pixel(x, y) & 0xffffffU) ? 1 : 0;
                }
            if (s == Symbol::Tepee || s == Symbol::Emblem) {
                // These bring their own ground.
                EXPECT_EQ(opaque, 100 * 100) << reel << " " << cell;
            } else {
                EXPECT_EQ(qAlpha(figures.pixel(1, top + 1)), 0) << reel << " " << cell;
                EXPECT_GT(opaque, 800) << reel << " " << cell;
                EXPECT_LT(opaque, 100 * 100 * 9 / 10) << reel << " " << cell;
            }
            EXPECT_EQ(same, opaque) << reel << " " << cell << " " << name(s);
        }
    }
}

namespace {

// The box round the pixels where `a` and `b` differ.
QRect differingBox(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

QImage painted(QSize size, const std::function<void(QPainter&)>& paint) {
    QImage img = canvas(size.width(), size.height(), 1.0);
    QPainter p(&img);
    paint(p);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// The arrow frames are shown from their top-left corner in the 639 x 28
// strip: the whole arrow stands inside it, centred on its middle row, and the
// strip's own picture is where the frames begin.
TEST_F(ArtLibrary, ArrowPicturesKeepTheWholeArrowInsideTheStrip) {
    const QSize band(kArrowBandWidth, kArrowBandHeight);
    const QImage frameGround = painted({645, 40}, [](QPainter& p) { paintArrowGround(p, QRectF(0, 0, 645, 40)); });
    const QImage stripGround = painted(band, [&](QPainter& p) { paintArrowGround(p, QRectF(QPointF(), band)); });
    EXPECT_EQ(frameGround.copy(QRect(QPoint(), band)), stripGround);

    const QRect inside(1, 2, band.width() - 2, band.height() - 4);
    const QRect strip = differingBox(image(lib().asset(Asset::ArrowStrip)), stripGround);
    EXPECT_TRUE(inside.contains(strip)) << strip.left() << "," << strip.top() << " " << strip.width() << "x"
                                        << strip.height();
    int lastLeft = 1000;
    for (int f = 1; f <= 14; ++f) {
        const QRect arrow = differingBox(image(lib().entry(PictureList::imglistarrow, f)), frameGround);
        ASSERT_FALSE(arrow.isEmpty()) << f;
        EXPECT_TRUE(inside.contains(arrow)) << "frame " << f << ": " << arrow.left() << "," << arrow.top() << " "
                                            << arrow.width() << "x" << arrow.height();
        EXPECT_NEAR((arrow.top() + arrow.bottom()) / 2.0, (band.height() - 1) / 2.0, 1.0) << f;
        EXPECT_NEAR(arrow.top(), strip.top(), 2) << f;
        if (f <= 6) {
            EXPECT_LT(arrow.left(), lastLeft) << f;
            lastLeft = arrow.left();
        }
        if (f == 1) {
            EXPECT_NEAR(arrow.right(), strip.right(), 2);
        }
        if (f >= 6) {
            EXPECT_LT(arrow.left(), 10) << f;
        }
    }
}

// Headings lie on the meter's plaque and let its frame show through.
TEST_F(ArtLibrary, HeadingsAreLetteringOnly) {
    for (Asset a : {Asset::LastBetHeading, Asset::CurrentWinHeading}) {
        const QImage h = lib().asset(a).toImage().convertToFormat(QImage::Format_ARGB32);
        int letters = 0;
        for (int y = 0; y < h.height(); ++y)
            for (int x = 0; x < h.width(); ++x) {
                const int alpha = qAlpha(h.pixel(x, y));
                if (y < 4 || x < 3) {
                    EXPECT_EQ(alpha, 0) << x << "," << y;
                }
                letters += alpha == 255 ? 1 : 0;
            }
        EXPECT_GT(letters, 150);
    }
}

namespace {
struct Tone {
    double hue = 0, saturation = 0, value = 0;
};
// Mean saturation and value of a picture's opaque pixels, and the hue of
// its mean colour.
Tone tone(const QImage& img) {
    double r = 0, g = 0, b = 0, s = 0, v = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            r += c.redF();
            g += c.greenF();
            b += c.blueF();
            s += c.hsvSaturationF();
            v += c.valueF();
            ++n;
        }
    const QColor mean =
        QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(g / n), static_cast<float>(b / n));
    return {mean.hsvHueF() * 360.0, s / n, v / n};
}
}  // namespace

// A locked console dims a little; it keeps its colours.
TEST_F(ArtLibrary, DisabledFacesDimWithoutTurningGrey) {
    for (int i = 0; i < kAssetCount; ++i) {
        const auto a = static_cast<Asset>(i);
        if (!isButton(a)) continue;
        const Tone lit = tone(image(lib().asset(a, Look::Normal)));
        const Tone dim = tone(image(lib().asset(a, Look::Disabled)));
        EXPECT_GT(dim.saturation, lit.saturation * 0.8) << i;
        EXPECT_LT(dim.value, lit.value * 0.9) << i;
        EXPECT_GT(dim.value, lit.value * 0.6) << i;
        if (lit.saturation > 0.2) {
            const double turn = std::fabs(dim.hue - lit.hue);
            EXPECT_LT(std::min(turn, 360 - turn), 15) << i;
        }
    }
}

TEST_F(ArtLibrary, ButtonsAndMarkersHaveDistinctLooks) {
    for (int i = 0; i < kAssetCount; ++i) {
        const auto a = static_cast<Asset>(i);
        if (!isButton(a)) continue;
        const QImage normal = image(lib().asset(a, Look::Normal));
        EXPECT_NE(normal, image(lib().asset(a, Look::Pressed))) << i;
        EXPECT_NE(normal, image(lib().asset(a, Look::Disabled))) << i;
    }
    for (int line = 1; line <= 25; ++line) {
        EXPECT_NE(image(lib().entry(PictureList::linepics, line)), image(lib().entry(PictureList::linepics, line + 25)))
            << line;
        if (line < 25) {
            EXPECT_NE(image(lib().entry(PictureList::linepics, line)),
                      image(lib().entry(PictureList::linepics, line + 1)));
        }
    }
    EXPECT_NE(image(lib().entry(PictureList::imagelistcards, 6)), image(lib().entry(PictureList::imagelistcards, 8)));
}

TEST(PayTableText, LineFiguresAreThePayTablesOwn) {
    const QRegularExpression figure(QStringLiteral("^(\\d) x (\\d+)$"));
    for (int c = 1; c <= 10; ++c) {
        const auto s = Symbol(c);
        const QStringList lines = linePayLines(s);
        int expected = 0;
        for (int run = 2; run <= 5; ++run)
            expected += kLinePays[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(run - 2)] > 0;
        ASSERT_EQ(lines.size(), expected) << name(s);
        int lastRun = 6;
        for (const QString& line : lines) {
            const auto m = figure.match(line);
            ASSERT_TRUE(m.hasMatch()) << line.toStdString();
            const int run = m.captured(1).toInt();
            EXPECT_LT(run, lastRun);  // longest run first
            lastRun = run;
            EXPECT_EQ(m.captured(2).toInt(),
                      kLinePays[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(run - 2)])
                << name(s) << " run " << run;
        }
    }
    EXPECT_EQ(linePayLines(Symbol::Chief).front(), QStringLiteral("5 x 1500"));
    EXPECT_EQ(linePayLines(Symbol::Headdress).back(), QStringLiteral("2 x 2"));
    EXPECT_TRUE(linePayLines(Symbol::Tepee).isEmpty());
    EXPECT_TRUE(linePayLines(Symbol::Emblem).isEmpty());
}

TEST(PayTableText, ScatterFiguresAreThePayTablesOwn) {
    const QStringList pays = scatterPayLines();
    QStringList expected;
    for (int n = 5; n >= 0; --n) {
        if (kScatterPays[static_cast<std::size_t>(n)].factor > 0) {
            expected << QStringLiteral("%1 x %2").arg(n).arg(kScatterPays[static_cast<std::size_t>(n)].factor);
        }
    }
    EXPECT_EQ(pays, expected);
    EXPECT_EQ(pays, (QStringList{"5 x 20", "4 x 10", "3 x 5", "2 x 1"}));
    EXPECT_EQ(freeSpinLines(), (QStringList{"3 = 10 free spins", "4 = 20 free spins", "5 = 30 free spins"}));
}

}  // namespace
}  // namespace velmoran::art
