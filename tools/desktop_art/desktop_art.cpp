#include "desktop_art.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <climits>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "core/machine.h"
#include "core/ports/display_environment.h"
#include "core/ports/random_source.h"
#include "players/player_store.h"
#include "shell/art/art_library.h"
#include "shell/art/art_paint.h"
#include "shell/art/art_symbols.h"
#include "shell/audio/cue_player.h"
#include "shell/store/qsettings_store.h"
#include "shell/window/main_window.h"

namespace velmoran::desktop {

namespace {

int iconLayoutSize() {
    return art::layoutSize(art::Asset::Icon).width();
}

// Qt's SVG writer leaves out the painter's clip, and Qt's SVG reader would
// not honour a clip path either. This device cuts every shape drawn under a
// clip to it and hands the cut shapes to the writer, so the drawing looks the
// same in every reader. Shapes drawn without a clip pass through unchanged.
class ClippingEngine final : public QPaintEngine {
public:
    // Draws the vector source of a picture in its place; false when the
    // picture is not one it knows.
    using Figure = std::function<bool(QPainter& p, const QRectF& r, const QImage& picture)>;

    ClippingEngine(QPainter& target, Figure figure)
        : QPaintEngine(QPaintEngine::AllFeatures), target_(target), figure_(std::move(figure)) {}

    // Pictures drawn, and those that had no vector source.
    int pictures = 0;
    int unknownPictures = 0;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& s) override {
        const DirtyFlags dirty = s.state();
        if (dirty & DirtyTransform) target_.setTransform(s.transform());
        if (dirty & DirtyPen) pen_ = s.pen();
        if (dirty & DirtyBrush) brush_ = s.brush();
        if (dirty & DirtyBrushOrigin) target_.setBrushOrigin(s.brushOrigin());
        if (dirty & DirtyOpacity) target_.setOpacity(s.opacity());
        if (dirty & DirtyHints) target_.setRenderHints(s.renderHints());
        if (dirty & DirtyFont) target_.setFont(s.font());
        if (dirty & DirtyClipEnabled) clipEnabled_ = s.isClipEnabled();
        if (dirty & DirtyClipPath) clip(s.transform().map(s.clipPath()), s.clipOperation());
        if (dirty & DirtyClipRegion) {
            QPainterPath region;
            region.addRegion(s.clipRegion());
            clip(s.transform().map(region), s.clipOperation());
        }
    }

    void drawPath(const QPainterPath& path) override {
        const bool clipped = clipEnabled_ && hasClip_;
        const QPainterPath clip = clipped ? target_.transform().inverted().map(clip_) : QPainterPath();
        if (brush_.style() != Qt::NoBrush) target_.fillPath(clipped ? path.intersected(clip) : path, brush_);
        if (pen_.style() == Qt::NoPen) return;
        // The writer strokes with plain colours only: a gradient pen, like a
        // clipped one, becomes the filled outline of its stroke.
        if (!clipped && pen_.brush().style() == Qt::SolidPattern) {
            target_.strokePath(path, pen_);
            return;
        }
        const QPainterPath stroke = QPainterPathStroker(pen_).createStroke(path);
        target_.fillPath(clipped ? stroke.intersected(clip) : stroke, pen_.brush());
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 1) return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode == PolylineMode) {
            const QBrush brush = std::exchange(brush_, QBrush());
            drawPath(path);
            brush_ = brush;
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        drawPath(path);
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }
    // The painters draw vector figures from pictures rendered off their
    // sources; the drawing takes the source itself, through this device
    // again, so its text becomes outlines and needs no font where it is shown.
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        ++pictures;
        if (source == QRectF(image.rect()) && painter() != nullptr && figure_(*painter(), r, image)) return;
        ++unknownPictures;
        target_.drawImage(r, image, source, flags);
    }

private:
    void clip(const QPainterPath& deviceClip, Qt::ClipOperation operation) {
        if (operation == Qt::NoClip) {
            hasClip_ = false;
            return;
        }
        clip_ = operation == Qt::IntersectClip && hasClip_ ? clip_.intersected(deviceClip) : deviceClip;
        hasClip_ = true;
        clipEnabled_ = true;
    }

    QPainter& target_;
    Figure figure_;
    QPen pen_;
    QBrush brush_;
    QPainterPath clip_;  // in device coordinates
    bool hasClip_ = false;
    bool clipEnabled_ = false;
};

class ClippingDevice final : public QPaintDevice {
public:
    ClippingDevice(QPainter& target, int size, ClippingEngine::Figure figure)
        : engine_(target, std::move(figure)), size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    [[nodiscard]] const ClippingEngine& engine() const noexcept { return engine_; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth:
            case PdmHeight:
                return size_;
            case PdmWidthMM:
            case PdmHeightMM:
                return qRound(size_ * 25.4 / 96);
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return INT_MAX;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable ClippingEngine engine_;
    int size_;
};

// The screen the program expects (96 pixels per inch); no mode changes, no links.
class SteadyDesktop final : public DisplayEnvironment {
public:
    std::int32_t pixelsPerInch() override { return 96; }
    void requestDisplayMode(std::int32_t, std::int32_t) override {}
    LinkResult openLink(std::string_view) override { return {}; }
};

}  // namespace

QImage iconImage(int pixels) {
    // Painted as the picture library paints it, scaled to the size; the
    // library itself takes only screens of a pixel ratio of 1 or more.
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        const qreal scale = pixels / static_cast<qreal>(iconLayoutSize());
        p.scale(scale, scale);
        const art::SymbolArt symbols;
        art::paintIcon(p, iconLayoutSize(), symbols);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray scalableIcon() {
    const int size = iconLayoutSize();
    // The emblem's picture as the symbol painter renders it, to know it when
    // the icon painter draws it.
    QSvgRenderer emblem(QString::fromLatin1(art::symbolSource(Symbol::Emblem)));
    const auto figure = [&emblem](QPainter& p, const QRectF& r, const QImage& picture) {
        QImage expected(picture.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        {
            QPainter ep(&expected);
            ep.setRenderHint(QPainter::Antialiasing);
            emblem.render(&ep, QRectF(QPointF(0, 0), picture.size()));
        }
        if (expected != picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)) return false;
        emblem.render(&p, r);
        return true;
    };

    QBuffer painted;
    painted.open(QIODevice::WriteOnly);
    bool complete = false;
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&painted);
        generator.setSize(QSize(size, size));
        generator.setViewBox(QRect(0, 0, size, size));
        generator.setTitle(QStringLiteral("Velmoran"));
        QPainter svg(&generator);
        ClippingDevice device(svg, size, figure);
        {
            QPainter p(&device);
            const art::SymbolArt symbols;
            art::paintIcon(p, size, symbols);
        }
        complete = emblem.isValid() && device.engine().pictures == 1 && device.engine().unknownPictures == 0;
    }
    if (!complete) return {};
    // The writer sizes the drawing in millimetres; an icon is sized in pixels.
    QByteArray svg = painted.data();
    static const QRegularExpression extent(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\""));
    const QByteArray pixels = QStringLiteral("<svg width=\"%1\" height=\"%1\"").arg(size).toUtf8();
    const QRegularExpressionMatch m = extent.match(QString::fromUtf8(svg));
    if (!m.hasMatch()) return {};
    svg.replace(m.capturedStart(), m.capturedLength(), pixels);
    return svg;
}

QImage windowScreenshot() {
    QTemporaryDir config;
    if (!config.isValid()) return {};
    const bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

    QImage shot;
    {
        QSettingsStore store;
        // A player with a note's worth of credit on the meters.
        const std::array<std::string_view, 8> values{"1", "1", "5000", "0", "0", "5000", "0", "Ann"};
        for (std::size_t i = 0; i < values.size(); ++i)
            store.write(players::kApplication, "player1", players::kRecordKeys[i], values[i]);
        store.flush();

        const art::Library library(1.0);
        audio::SilentCuePlayer silence;
        SteadyDesktop desktop;
        SystemRandom random(1);
        shell::MainWindow window(library, silence);
        Machine machine(window.view(), random, store, desktop);
        window.attach(machine);
        machine.startupPauseMs = 0;
        if (window.start()) {
            QCoreApplication::processEvents();
            shot = window.grab().toImage();
        }
        window.hide();
    }

    if (hadConfigHome) {
        qputenv("XDG_CONFIG_HOME", configHome);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
    return shot;
}

QStringList writeIcons(const QString& iconRoot, const QString& id, QString* error) {
    const auto fail = [error](const QString& what) {
        if (error != nullptr) *error = what;
        return QStringList();
    };
    QStringList written;
    for (const int size : kIconSizes) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(iconRoot).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, id);
        const QImage image = iconImage(size);
        if (image.size() != QSize(size, size)) return fail(QStringLiteral("the %1 px icon came out wrong").arg(size));
        if (!QDir().mkpath(folder) || !image.save(file)) return fail(QStringLiteral("cannot write %1").arg(file));
        written << file;
    }
    const QByteArray svg = scalableIcon();
    if (svg.isEmpty()) return fail(QStringLiteral("the icon painter's output has no single emblem picture to replace"));
    const QString folder = QStringLiteral("%1/hicolor/scalable/apps").arg(iconRoot);
    QFile file(QStringLiteral("%1/%2.svg").arg(folder, id));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(svg) != svg.size()) {
        return fail(QStringLiteral("cannot write %1").arg(file.fileName()));
    }
    written << file.fileName();
    return written;
}

}  // namespace velmoran::desktop
