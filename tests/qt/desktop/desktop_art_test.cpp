// The desktop pictures: the icon at every size is the program's own emblem
// icon, the scalable one is pure vector and looks the same in Qt's reader,
// the files land in the icon theme's layout, and the screenshot shows the
// whole window.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cstdlib>

#include "desktop_art.h"
#include "shell/art/art_library.h"
#include "shell/window/main_window.h"

namespace velmoran::test {
namespace {

// The mean difference of two images of one size over all channels, 0 to 255.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size()) return 255;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                   std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * x.width() * x.height());
}

TEST(DesktopIcon, IsTheIconTheProgramShows) {
    const art::Library library(1.0);
    const QImage own = library.asset(art::Asset::Icon).toImage();
    const QImage drawn = desktop::iconImage(own.width());
    EXPECT_LT(meanDifference(drawn, own), 0.5);
}

TEST(DesktopIcon, EverySizeShowsTheWholeIcon) {
    const QImage large = desktop::iconImage(512);
    for (const int size : desktop::kIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon = desktop::iconImage(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 64) << "rounded corners";
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size - 1)), 255) << "the frame reaches the edge";
        // The same picture as the largest one brought down to this size, not
        // a part of it or a blur of it.
        EXPECT_LT(meanDifference(icon, large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
                  12.0);
    }
}

TEST(DesktopIcon, ScalableIconIsVectorAndLooksTheSame) {
    const QByteArray svg = desktop::scalableIcon();
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_FALSE(svg.contains("<image")) << "no pictures inside";
    EXPECT_FALSE(svg.contains("<text")) << "lettering as outlines, independent of the fonts where it is shown";
    EXPECT_TRUE(svg.contains("<svg width=\"64\" height=\"64\""));

    QSvgRenderer reader(svg);
    ASSERT_TRUE(reader.isValid());
    for (const int size : {64, 256}) {
        SCOPED_TRACE(size);
        QImage shown(size, size, QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        {
            QPainter p(&shown);
            p.setRenderHint(QPainter::Antialiasing);
            reader.render(&p);
        }
        EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0) << "the corners are cut without a clip path";
        EXPECT_LT(meanDifference(shown, desktop::iconImage(size)), 3.0);
    }
}

TEST(DesktopIcon, FilesLandInTheIconThemeLayout) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QString error;
    const QStringList written = desktop::writeIcons(root.path(), QStringLiteral("org.example.Game"), &error);
    ASSERT_EQ(written.size(), static_cast<int>(desktop::kIconSizes.size()) + 1) << error.toStdString();
    for (const int size : desktop::kIconSizes) {
        const QString file = QStringLiteral("%1/hicolor/%2x%2/apps/org.example.Game.png").arg(root.path()).arg(size);
        EXPECT_TRUE(written.contains(file)) << file.toStdString();
        EXPECT_EQ(QImage(file).size(), QSize(size, size)) << file.toStdString();
    }
    const QString scalable = root.path() + QStringLiteral("/hicolor/scalable/apps/org.example.Game.svg");
    EXPECT_TRUE(written.contains(scalable));
    EXPECT_TRUE(QSvgRenderer(scalable).isValid());
}

TEST(DesktopScreenshot, ShowsTheWholeWindowWithItsMenuBar) {
    const bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const QImage shot = desktop::windowScreenshot();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(hadConfigHome, qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
    EXPECT_EQ(configHome, qgetenv("XDG_CONFIG_HOME")) << "the player's own store is left alone";
    EXPECT_EQ(shot.width(), shell::MainWindow::kClientWidth);
    EXPECT_GT(shot.height(), shell::MainWindow::kClientHeight) << "the menu bar above the client area";
    // The machine itself, not an empty window: reels, meters and buttons in
    // many colours.
    QSet<QRgb> colours;
    for (int y = shot.height() - shell::MainWindow::kClientHeight; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 2000);
}

}  // namespace
}  // namespace velmoran::test
