// Pictures of the real window in the states a player meets, kept beside the
// tests and checked by their pixels: the meters and their headings, the
// console during a game, a lit winning cell, the gamble panel and its slide,
// the free-spin caption and arrow, and the windows of the menu bar.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "shell/art/art_paint.h"
#include "shell/window/aux_windows.h"
#include "support/recording_view.h"
#include "window_fixture.h"

namespace velmoran::test {
namespace {

using E = Element;

// Pixels of `r` in `a` that differ from `b`, read at the same place less `origin`.
int differing(const QImage& a, const QImage& b, QRect r, QPoint origin = {}) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x - origin.x(), y - origin.y()) ? 1 : 0;
    return n;
}

bool onX() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void keep(const QImage& picture, const QString& name) {
    const QString file = QStringLiteral("%1_%2.png").arg(name, QGuiApplication::platformName());
    EXPECT_TRUE(picture.save(QDir(QStringLiteral(VELMORAN_TEST_ARTEFACTS)).filePath(file))) << file.toStdString();
}

// What a window shows now. On a real X server the picture is read back from
// the screen itself, so it shows what the server was given, not what the
// widgets would draw.
QImage grabbed(QWidget* w) {
    if (onX()) {
        // Paint what is on now and hand it to the server; the server reads
        // the picture back after everything sent before.
        w->repaint();
        return w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct Shot {
    QImage window;  // with the menu bar
    QImage client;  // the 646 x 476 client area
};

// The main window now, saved as <name>_<platform>.png beside the tests.
Shot capture(WindowRig& rig, const QString& name) {
    Shot s;
    s.window = grabbed(&rig.window);
    const QPoint at = rig.window.client()->mapTo(&rig.window, QPoint(0, 0));
    s.client = s.window.copy(QRect(at, QSize(646, 476)));
    keep(s.window, name);
    return s;
}

QImage backgroundPicture() {
    return sharedArt().asset(art::Asset::Background).toImage().convertToFormat(QImage::Format_RGB32);
}

// Rows 0 to 4 under the meter headings are the background's own: the
// plaque's frame and rounded corner run through them.
int headingRowsChanged(const QImage& client) {
    return differing(client, backgroundPicture(), QRect(396, 0, 209, 5));
}

// An element's place in the client area.
QRect inClient(WindowRig& rig, El e) {
    const QWidget* w = rig.w(e);
    return {w->mapTo(rig.window.client(), QPoint(0, 0)), w->size()};
}

struct Tone {
    double saturation = 0, value = 0;
};
Tone tone(const QImage& img, QRect r) {
    Tone t;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            t.saturation += c.hsvSaturationF();
            t.value += c.valueF();
            ++n;
        }
    t.saturation /= n;
    t.value /= n;
    return t;
}

// Relative luminance and contrast ratio as the accessibility guidelines
// define them.
double luminance(QColor c) {
    const auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}
double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
int distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// The contrast between lettering in `ink` and what lies round its letters,
// read from the pixels of `area`: the letters are the pixels of their own
// colour; their ground is every pixel of the letters' rows and columns
// further than two pixels from any letter and far from the ink's colour (so
// no edge blended between the two counts), taken at its darker quarter.
double letteringContrast(const QImage& img, QRect area, QColor ink, int* letterPixels) {
    QRect letters;
    std::vector<QPoint> inked;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (distance(img.pixelColor(x, y), ink) <= 12) {
                inked.emplace_back(x, y);
                letters |= QRect(x, y, 1, 1);
            }
    *letterPixels = static_cast<int>(inked.size());
    if (inked.empty()) return 0;
    std::vector<double> ground;
    for (int y = letters.top(); y <= letters.bottom(); ++y)
        for (int x = letters.left(); x <= letters.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (distance(c, ink) < 150) continue;
            bool nearLetter = false;
            for (int dy = -2; dy <= 2 && !nearLetter; ++dy)
                for (int dx = -2; dx <= 2 && !nearLetter; ++dx)
                    nearLetter =
                        letters.contains(x + dx, y + dy) && distance(img.pixelColor(x + dx, y + dy), ink) <= 60;
            if (!nearLetter) ground.push_back(luminance(c));
        }
    if (ground.empty()) return 0;
    std::sort(ground.begin(), ground.end());
    return contrast(luminance(ink), ground[ground.size() / 4]);
}

// How far a meter's figures stand from the frame of their plaque: the
// columns of plaque between the frame and the first figure, along the
// figures' middle row.
int gapBeforeFigures(const QImage& client, QRect label, const QFont& font) {
    const QFontMetrics fm(font);
    const int row = label.top() + fm.ascent() - fm.capHeight() / 2;
    // The plaque is light all along the row; the first darker pixel is the
    // edge of a figure (or, too near, the frame itself).
    int ink = -1;
    for (int x = label.left() - 4; x <= label.right() && ink < 0; ++x)
        if (client.pixelColor(x, row).lightness() < 200) ink = x;
    if (ink < 0) return -1;
    int x = ink - 1;
    while (x > 0 && client.pixelColor(x, row).lightness() >= 200) --x;
    return ink - x - 1;
}

// The box round the pixels of `r` that differ from `ground` (placed at r's corner).
QRect differingBox(const QImage& img, QRect r, const QImage& ground) {
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != ground.pixel(x - r.left(), y - r.top()))
                box |= QRect(x - r.left(), y - r.top(), 1, 1);
    return box;
}

TEST(WindowScreenshot, AtRestTheArtMeetsTheElementsAroundIt) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    const Shot rest = capture(rig, QStringLiteral("window_at_rest"));
    ASSERT_EQ(rest.client.size(), QSize(646, 476));

    // The Last Bet heading shows and leaves the meter's frame whole.
    ASSERT_TRUE(rig.w(E::LABLASTBET)->isVisible());
    EXPECT_EQ(headingRowsChanged(rest.client), 0);

    // The wood reaches the client's last column.
    for (int y = 0; y < 476; ++y) {
        ASSERT_EQ(rest.client.pixel(645, y), rest.client.pixel(644, y)) << "row " << y;
        ASSERT_NE(rest.client.pixel(645, y), qRgb(255, 255, 255)) << "row " << y;
    }

    // The menu bar in the cabinet's dark wood, its captions light.
    const QRect bar = rig.window.menuBar()->geometry();
    ASSERT_GT(bar.height(), 10);
    int light = 0;
    double lightness = 0;
    for (int y = bar.top(); y <= bar.bottom(); ++y)
        for (int x = bar.left(); x <= bar.right(); ++x) {
            const int l = rest.window.pixelColor(x, y).lightness();
            lightness += l;
            light += l > 190 ? 1 : 0;
        }
    EXPECT_LT(lightness / (bar.width() * bar.height()), 90);
    EXPECT_GT(light, 100);
}

TEST(WindowScreenshot, TheConsoleKeepsItsColoursWhileAGameLocksIt) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    rig.click(E::notes);
    rig.settle();
    const QImage rest = capture(rig, QStringLiteral("window_with_credit")).client;

    // The picture is taken while the game yields to the event loop.
    QImage during;
    bool locked = false;
    QTimer::singleShot(0, &rig.window, [&] {
        locked = !rig.button({E::play, 1})->isEnabled() && !rig.button({E::payline, 1})->isEnabled();
        during = capture(rig, QStringLiteral("window_in_game")).client;
    });
    rig.random.pushStops(kLosing);
    rig.random.pushRespin(1);
    rig.click({E::play, 1});
    ASSERT_TRUE(locked);
    ASSERT_FALSE(during.isNull());

    std::vector<El> console{E::COINSIN};
    for (std::int16_t i = 1; i <= 6; ++i) console.push_back({E::play, i});
    for (std::int16_t i = 1; i <= 5; ++i) console.push_back({E::payline, i});
    for (const El e : console) {
        const QRect r = inClient(rig, e);
        const Tone lit = tone(rest, r), dim = tone(during, r);
        EXPECT_GT(dim.saturation, lit.saturation * 0.8) << describe(e);
        EXPECT_LT(dim.value, lit.value * 0.92) << describe(e);
        EXPECT_GT(dim.value, lit.value * 0.6) << describe(e);
    }
}

TEST(WindowScreenshot, AWinningGameShowsReelsMetersAndItsLitLine) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    const QImage empty = rig.window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    rig.playLineSevenWin();
    ASSERT_GT(rig.machine.state.spinwin, 0);

    // A blink of line 7 with its strokes and cells on.
    const auto* back = rig.window.backdrop();
    QWidget* cell = rig.w({E::flasher, 3});
    ASSERT_TRUE(waitFor([&] { return back->strokeVisible(0) && cell->isVisible(); }, 5000));
    const QImage lit = capture(rig, QStringLiteral("window_after_win")).client;
    ASSERT_TRUE(waitFor([&] { return !cell->isVisible(); }, 5000));
    const QImage plain = capture(rig, QStringLiteral("window_after_win_blink_off")).client;

    // The reels moved: their windows show other symbols than at start-up.
    for (int reel = 1; reel <= 5; ++reel) {
        const QRect r = rig.w(reelWindowElement(reel))->geometry();
        EXPECT_GT(differing(plain, empty, r), r.width() * r.height() / 20) << "reel " << reel;
    }
    // The credit meter shows dark digits where it was empty.
    const QRect credit = rig.w(E::PANELBANK)->geometry();
    EXPECT_GT(differing(plain, empty, credit), 20);

    // A stroke of line 7 lies in its colour on the background between the
    // reel windows, where nothing was red before.
    int red = 0;
    auto isRed = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    for (int y = 0; y < lit.height(); ++y)
        for (int x = 0; x < lit.width(); ++x)
            if (isRed(lit.pixelColor(x, y)) && !isRed(empty.pixelColor(x, y))) ++red;
    EXPECT_GT(red, 30);

    // The winning cell lights up round its symbol: the frame changes, the
    // symbol stays where and what it was.
    const QRect at = inClient(rig, {E::flasher, 3});
    const QRect inside = at.adjusted(art::kHighlightFrame + 4, art::kHighlightFrame + 4, -art::kHighlightFrame - 4,
                                     -art::kHighlightFrame - 4);
    const int area = inside.width() * inside.height();
    const int changed = differing(lit, plain, inside);
    EXPECT_LT(changed, area * 85 / 100) << "the symbol is gone from the lit cell";
    EXPECT_GT(changed, area * 20 / 100) << "the lit cell's ground is the same as at rest";
    int gold = 0, ring = 0;
    // The frame inside its dark outer edge.
    for (int y = at.top() + 1; y < at.bottom(); ++y)
        for (int x = at.left() + 1; x < at.right(); ++x) {
            if (at.adjusted(5, 5, -5, -5).contains(x, y)) continue;
            ++ring;
            const QColor c = lit.pixelColor(x, y);
            gold += c.red() - c.blue() > 50 && c.lightness() > 120 ? 1 : 0;
        }
    EXPECT_GT(gold, ring * 3 / 4);

    // The Win number stands as clear of its frame as the Credit number.
    const QFont figures = qobject_cast<QLabel*>(rig.w(E::LABWIN))->font();
    const int creditGap = gapBeforeFigures(plain, inClient(rig, E::PANELBANK), figures);
    const int winGap = gapBeforeFigures(plain, inClient(rig, E::LABWIN), figures);
    std::printf("figures from their frames: credit %d px, win %d px\n", creditGap, winGap);
    EXPECT_GE(creditGap, 6);
    EXPECT_GE(winGap, 8);
    EXPECT_LE(std::abs(winGap - creditGap), 3);
}

TEST(WindowScreenshot, TheGamblePanelHasItsOwnEdgeAndItsWinSlidesIntoPlace) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    rig.playLineSevenWin();
    ASSERT_GT(rig.machine.state.spinwin, 0);
    rig.click(E::doublebutton);
    ASSERT_TRUE(rig.w(E::pandouble)->isVisible());
    QTest::qWait(20);

    const QImage client = capture(rig, QStringLiteral("window_in_gamble")).client;
    // The card on the screen is the face-down card picture, stretched over
    // its holder where the layout puts it inside the panel.
    const QWidget* card = rig.w(E::piccardholder);
    const QRect at(card->mapTo(rig.window.client(), QPoint(0, 0)), card->size());
    const QImage picture = sharedArt()
                               .entry(PictureList::imagelistcards, 5)
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32)
                               .scaled(card->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int same = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (distance(client.pixelColor(at.topLeft() + QPoint(x, y)), picture.pixelColor(x, y)) < 24) ++same;
    EXPECT_GT(same, picture.width() * picture.height() * 8 / 10)
        << same << " of " << picture.width() * picture.height();

    // The panel's box is two pixels wider and higher than its picture; the
    // picture's last column and row carry on to the box's edge, so nothing
    // of the reels beneath shows.
    const QRect panel = inClient(rig, E::pandouble);
    ASSERT_EQ(panel.size(), QSize(256, 352));
    int seen = 0;
    for (int y = panel.top(); y <= panel.bottom(); ++y)
        for (int dx : {254, 255}) seen += client.pixel(panel.left() + dx, y) != client.pixel(panel.left() + 253, y);
    for (int x = panel.left(); x <= panel.right(); ++x)
        for (int dy : {350, 351}) seen += client.pixel(x, panel.top() + dy) != client.pixel(x, panel.top() + 349);
    EXPECT_EQ(seen, 0);

    // A won bet: the WIN picture slides down the panel in frames the eye
    // can follow, and comes to rest at the foot of the panel.
    auto* win = qobject_cast<shell::PictureBox*>(rig.w(E::gamblewin));
    const int before = win->pacedFrames();
    rig.random.pushCard(1);
    QElapsedTimer slide;
    slide.start();
    rig.click(E::betred);
    const double ms = static_cast<double>(slide.nsecsElapsed()) / 1e6;
    const int frames = win->pacedFrames() - before;
    std::printf("gamble win: %d frames in %.0f ms\n", frames, ms);
    EXPECT_EQ(rig.machine.state.atrisk, 2 * rig.machine.state.spinwin);
    EXPECT_GE(frames, 40);
    EXPECT_EQ(win->y(), 320);
    EXPECT_TRUE(win->isVisible());
    capture(rig, QStringLiteral("window_gamble_won"));
}

TEST(WindowScreenshot, FreeSpinsShowTheArrowInItsStripAndTheirCaptionOnAPlaque) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    // Three scatters, and the sequence cut short to a single free spin.
    rig.triggerFreeSpins(1);

    // The arrow flies along its strip: all of it inside the strip's box,
    // centred on its middle row.
    QWidget* strip = rig.w(E::arrowpicture);
    ASSERT_TRUE(waitFor([&] { return strip->isVisible() && rig.machine.state.arrowtick >= 3; }, 5000));
    const Shot flying = capture(rig, QStringLiteral("window_freespins_arrow"));
    const QRect box = inClient(rig, E::arrowpicture);
    ASSERT_EQ(box.size(), QSize(art::kArrowBandWidth, art::kArrowBandHeight));
    QImage ground = art::canvas(box.width(), box.height(), 1.0);
    {
        QPainter p(&ground);
        art::paintArrowGround(p, QRectF(QPointF(), box.size()));
    }
    ground = ground.convertToFormat(QImage::Format_RGB32);
    const QRect arrow = differingBox(flying.client, box, ground);
    ASSERT_FALSE(arrow.isEmpty());
    EXPECT_GE(arrow.top(), 2);
    EXPECT_LE(arrow.bottom(), box.height() - 3);
    EXPECT_NEAR((arrow.top() + arrow.bottom()) / 2.0, (box.height() - 1) / 2.0, 1.0);
    EXPECT_GT(arrow.left(), 0);
    EXPECT_LT(arrow.right(), box.width() - 1);
    // Whichever meter heading shows, the meter's frame runs whole above it.
    EXPECT_EQ(headingRowsChanged(flying.client), 0);

    // The caption in its brown stands out from its plaque.
    QWidget* caption = rig.w(E::spinsleft);
    const QColor brown(128, 64, 0);
    ASSERT_TRUE(waitFor(
        [&] { return caption->isVisible() && rig.text(E::spinsleft).contains(QLatin1String("Remaining")); }, 10000));
    const QImage remaining = capture(rig, QStringLiteral("window_in_freespins")).client;
    int letters = 0;
    const double remainingContrast = letteringContrast(remaining, inClient(rig, E::spinsleft), brown, &letters);
    std::printf("free spins remaining: contrast %.2f over %d letter pixels\n", remainingContrast, letters);
    EXPECT_GT(letters, 200);
    EXPECT_GE(remainingContrast, 4.5);

    // The collect is offered; the arrow of the award (7.5 s, longer than
    // this short sequence) has gone.
    ASSERT_TRUE(waitFor([&] { return rig.w(E::takewin)->isVisible() && !strip->isVisible(); }, 20000));
    QTest::qWait(20);
    const QImage client = capture(rig, QStringLiteral("window_freespins_completed")).client;
    // The caption runs on to the right under the button, which shows its
    // whole face.
    QWidget* button = rig.w(E::takewin);
    ASSERT_TRUE(caption->geometry().intersects(button->geometry()));
    const QImage face = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Inside its rounded corners, where the background shows through.
    const QRect inside = button->geometry().adjusted(6, 6, -6, -6);
    EXPECT_EQ(differing(client, face, inside, button->geometry().topLeft()), 0);
    // What shows of the caption left of the button is as clear.
    QRect shown = inClient(rig, E::spinsleft);
    shown.setRight(button->x() - 1);
    const double completedContrast = letteringContrast(client, shown, brown, &letters);
    std::printf("free spins completed: contrast %.2f over %d letter pixels\n", completedContrast, letters);
    EXPECT_GT(letters, 200);
    EXPECT_GE(completedContrast, 4.5);
}

TEST(WindowScreenshot, TheWindowsOfTheMenuBarAreWholeToTheirEdges) {
    WindowRig rig;
    ASSERT_TRUE(rig.window.start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
    // Over the window, as the player sees them.
    const auto alongside = [&](QWidget* w, const QString& name) {
        if (onX()) {
            w->repaint();
            rig.window.repaint();
            const QRect both = rig.window.frameGeometry() | w->frameGeometry();
            keep(rig.window.screen()->grabWindow(0, both.x(), both.y(), both.width(), both.height()).toImage(), name);
        }
    };

    rig.window.menuAction(E::mnuptble)->trigger();
    shell::PayTableWindow* pays = rig.window.payTable();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pays));
    QTest::qWait(20);
    const QImage table = grabbed(pays);
    keep(table, QStringLiteral("paytable"));
    alongside(pays, QStringLiteral("window_with_paytable"));
    ASSERT_EQ(table.size(), QSize(501, 379));
    // The picture's last column and row carry on to the window's edge.
    for (int y = 0; y < 379; ++y) ASSERT_EQ(table.pixel(500, y), table.pixel(499, y)) << y;
    for (int x = 0; x < 501; ++x) ASSERT_EQ(table.pixel(x, 378), table.pixel(x, 377)) << x;
    // Round the Close Paytable button lies the dark wood of the footer: the
    // table's sheet and its gold border end above it.
    const QRect close = pays->closeButton()->geometry();
    ASSERT_EQ(close, QRect(300, 353, 165, 21));
    int bright = 0;
    for (int y = close.top() - 4; y <= std::min(close.bottom() + 4, 378); ++y)
        for (int x = close.left() - 4; x <= close.right() + 4; ++x)
            if (!close.contains(x, y)) bright += table.pixelColor(x, y).lightness() > 130 ? 1 : 0;
    EXPECT_EQ(bright, 0);
    pays->closeButton()->click();
    ASSERT_TRUE(waitFor([&] { return !pays->isVisible(); }, 2000));

    rig.window.menuAction(E::mnuabout)->trigger();
    shell::AboutWindow* about = rig.window.about();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    QTest::qWait(20);
    keep(grabbed(about), QStringLiteral("about"));
    alongside(about, QStringLiteral("window_with_about"));
    about->okButton()->click();
    ASSERT_TRUE(waitFor([&] { return !about->isVisible(); }, 2000));

    rig.window.menuAction(E::mnuplayer)->trigger();
    QWidget* options = rig.w(E::frmvelmoranoptions);
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(options));
    QTest::qWait(20);
    keep(grabbed(options), QStringLiteral("options"));
    alongside(options, QStringLiteral("window_with_options"));
    options->close();
}

}  // namespace
}  // namespace velmoran::test
