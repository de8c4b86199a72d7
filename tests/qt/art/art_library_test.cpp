#include <gtest/gtest.h>

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QRegularExpression>
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
    // The highlight tile: pale, grey-and-white stripes running down.
    const QImage tile = image(lib().entry(PictureList::ImageList1, 21));
    EXPECT_NE(tile.pixel(2, 50), tile.pixel(7, 50));
    EXPECT_EQ(tile.pixel(2, 10), tile.pixel(2, 90));
    EXPECT_GT(qGray(tile.pixel(2, 50)), 190);
    EXPECT_GT(qGray(tile.pixel(7, 50)), 190);
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
