#include "shell/window/widgets.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>

namespace velmoran::shell {

namespace {
constexpr int kStrokeWidth = 6;

// The look of a face while pressed or unusable, for faces that carry none.
QPixmap shaded(const QPixmap& face, QColor wash) {
    if (face.isNull()) return face;
    QPixmap out = face.copy();
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillRect(out.rect(), wash);
    return out;
}
}  // namespace

PictureBox::PictureBox(QWidget* parent, bool stretch) : QWidget(parent), stretch_(stretch) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::setPixmap(const QPixmap& p) {
    if (p.cacheKey() == pixmap_.cacheKey() && !p.isNull()) return;
    pixmap_ = p;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), pixmap_);
    } else {
        p.drawPixmap(0, 0, pixmap_);
    }
}

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureButton::setFaces(const QPixmap& normal, const QPixmap& pressed, const QPixmap& disabled) {
    normal_ = normal;
    pressed_ = pressed.isNull() ? shaded(normal, QColor(0, 0, 0, 60)) : pressed;
    disabled_ = disabled.isNull() ? shaded(normal, QColor(160, 160, 160, 150)) : disabled;
    fitted_ = false;
    update();
}

void PictureButton::setPicture(const QPixmap& picture) {
    setFaces(picture, {}, {});
    fitted_ = true;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap& face = !isEnabled() ? disabled_ : isDown() ? pressed_ : normal_;
    const QRect r = rect();
    if (fitted_) {
        // A game picture on a plain raised button.
        p.fillRect(r, palette().button());
        if (!face.isNull()) {
            const QSize s = face.deviceIndependentSize().toSize().scaled(r.size() - QSize(4, 4), Qt::KeepAspectRatio);
            const QRect target(QPoint(r.center().x() - s.width() / 2 + 1, r.center().y() - s.height() / 2 + 1), s);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(target.translated(isDown() ? 1 : 0, isDown() ? 1 : 0), face);
        }
        p.setPen(isDown() ? palette().dark().color() : palette().light().color());
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(isDown() ? palette().light().color() : palette().dark().color());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    } else if (!face.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(r, face);
    }
    if (!text().isEmpty() && text() != QStringLiteral(" ")) {
        p.setPen(isEnabled() ? palette().buttonText().color() : palette().mid().color());
        p.drawText(r, Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        QPen pen(QColor(0, 0, 0, 140));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

ReelWindow::ReelWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReelWindow::setStripTop(int pixels) {
    if (pixels == top_) return;
    top_ = pixels;
    update();
}

void ReelWindow::paintEvent(QPaintEvent* e) {
    ++frames_;
    QPainter p(this);
    if (strip_.isNull()) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    // Only the band of the strip inside the window is drawn.
    const QRect clip = e->rect();
    const qreal dpr = strip_.devicePixelRatio();
    const QRectF source(0, (clip.top() - top_) * dpr, clip.width() * dpr, clip.height() * dpr);
    p.drawPixmap(QRectF(clip.left(), clip.top(), clip.width(), clip.height()), strip_,
                 source.translated(clip.left() * dpr, 0));
}

Backdrop::Backdrop(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Backdrop::updateStroke(const Stroke& s) {
    const QRectF box = QRectF(s.line.p1(), s.line.p2()).normalized();
    update(box.toAlignedRect().adjusted(-kStrokeWidth, -kStrokeWidth, kStrokeWidth, kStrokeWidth));
}

void Backdrop::setStrokeEnds(int i, QLineF line) {
    if (i < 0 || i >= kStrokes) return;
    auto& s = strokes_[static_cast<std::size_t>(i)];
    if (s.visible) updateStroke(s);
    s.line = line;
    if (s.visible) updateStroke(s);
}

void Backdrop::setStrokeColour(int i, QColor c) {
    if (i < 0 || i >= kStrokes) return;
    auto& s = strokes_[static_cast<std::size_t>(i)];
    if (s.colour == c) return;
    s.colour = c;
    if (s.visible) updateStroke(s);
}

void Backdrop::setStrokeVisible(int i, bool on) {
    if (i < 0 || i >= kStrokes) return;
    auto& s = strokes_[static_cast<std::size_t>(i)];
    if (s.visible == on) return;
    s.visible = on;
    updateStroke(s);
}

void Backdrop::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), Qt::white);
    if (!background_.isNull()) p.drawPixmap(0, 0, background_);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& s : strokes_) {
        if (!s.visible) continue;
        p.setPen(QPen(s.colour, kStrokeWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s.line);
    }
}

}  // namespace velmoran::shell
