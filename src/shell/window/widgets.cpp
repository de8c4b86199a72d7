#include "shell/window/widgets.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QWindow>
#include <thread>

#include "shell/art/art_library.h"
#include "shell/art/art_paint.h"

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

// `picture` at the top-left of a box of `size`; where the box is larger, the
// picture's last column and row (and its last pixel in the corner) carry on.
void drawCarried(QPainter& p, const QPixmap& picture, QSize size) {
    p.drawPixmap(0, 0, picture);
    const QSize own = picture.deviceIndependentSize().toSize();
    const int extraW = size.width() - own.width(), extraH = size.height() - own.height();
    if (extraW <= 0 && extraH <= 0) return;
    const int lastX = picture.width() - 1, lastY = picture.height() - 1;
    const qreal dpr = picture.devicePixelRatio();
    const qreal w = own.width(), h = own.height();
    if (extraW > 0) p.drawPixmap(QRectF(w, 0, extraW, h), picture, QRectF(lastX, 0, 1, h * dpr));
    if (extraH > 0) p.drawPixmap(QRectF(0, h, w, extraH), picture, QRectF(0, lastY, w * dpr, 1));
    if (extraW > 0 && extraH > 0) p.drawPixmap(QRectF(w, h, extraW, extraH), picture, QRectF(lastX, lastY, 1, 1));
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

void PictureBox::setEdgeCarried(bool on) {
    edgeCarried_ = on;
    update();
}

void PictureBox::setMovesPaced(int pixels, int frameMs) {
    paceStep_ = std::max(0, pixels);
    paceFrame_ = std::chrono::milliseconds(std::max(0, frameMs));
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull()) return;
    QPainter p(this);
    if (const auto* reel = qobject_cast<const ReelWindow*>(parentWidget());
        reel != nullptr && reel->lightsWith(pixmap_)) {
        reel->paintLitCell(p, geometry());
    } else if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), pixmap_);
    } else if (edgeCarried_) {
        drawCarried(p, pixmap_, size());
    } else {
        p.drawPixmap(0, 0, pixmap_);
    }
}

void PictureBox::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (paceStep_ <= 0 || !isVisible()) return;
    const QWindow* shown = window()->windowHandle();
    if (shown == nullptr || !shown->isExposed()) return;
    if ((pos() - lastFramePos_).manhattanLength() < paceStep_) return;
    using Clock = std::chrono::steady_clock;
    const auto now = Clock::now();
    // The first move after a rest is shown at once; later ones keep to the
    // frame times, and a frame that came late does not hurry the next.
    if (now - lastFrameAt_ > 4 * paceFrame_)
        lastFrameAt_ = now;
    else
        lastFrameAt_ = std::max(lastFrameAt_ + paceFrame_, now);
    std::this_thread::sleep_until(lastFrameAt_);
    // Painting any part of the window paints every region marked dirty so
    // far, the place left behind included, and hands it to the screen.
    repaint();
    lastFramePos_ = pos();
    ++pacedFrames_;
}

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureButton::setFaces(const QPixmap& normal, const QPixmap& pressed, const QPixmap& disabled) {
    normal_ = normal;
    pressed_ = pressed.isNull() ? shaded(normal, QColor(0, 0, 0, 60)) : pressed;
    disabled_ = disabled.isNull() ? shaded(normal, art::palette::kDisabledShade) : disabled;
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
        // A game picture (a card) on a seat of the gamble's felt, rimmed in
        // gold; pressed, the felt sinks and the rim darkens.
        using namespace art::palette;
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF seat = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
        const QColor light(0x2e, 0x72, 0x42), dark(0x12, 0x3c, 0x20);
        QLinearGradient felt(seat.topLeft(), seat.bottomLeft());
        felt.setColorAt(0, isDown() ? dark : light);
        felt.setColorAt(1, isDown() ? light : dark);
        p.setPen(QPen(isDown() ? kGoldDark : kGold, 1.0));
        p.setBrush(felt);
        p.drawRoundedRect(seat, 4, 4);
        if (!face.isNull()) {
            const QSize s = face.deviceIndependentSize().toSize().scaled(r.size() - QSize(6, 6), Qt::KeepAspectRatio);
            const QRect target(QPoint(r.center().x() - s.width() / 2 + 1, r.center().y() - s.height() / 2 + 1), s);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(target.translated(isDown() ? 1 : 0, isDown() ? 1 : 0), face);
        }
    } else if (!face.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(r, face);
    }
    if (!text().isEmpty() && text() != QStringLiteral(" ")) {
        p.setPen(isEnabled() ? palette().buttonText().color() : palette().mid().color());
        p.drawText(r, Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        QPen pen(fitted_ ? art::palette::kGoldLight : QColor(0, 0, 0, 140));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

ReelWindow::ReelWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReelWindow::setHighlightArt(const art::Library* art, int reel) {
    art_ = art;
    reel_ = reel;
}

bool ReelWindow::lightsWith(const QPixmap& picture) const {
    return art_ != nullptr && !picture.isNull() && picture.cacheKey() == art_->highlightTile().cacheKey();
}

void ReelWindow::paintLitCell(QPainter& p, const QRect& cell) const {
    p.drawPixmap(0, 0, art_->highlightTile());
    // Inside the frame, the symbol exactly where it lies on the strip, so a
    // blinking cell changes its light, never its symbol.
    const QPixmap& figures = art_->stripFigures(reel_);
    const QRect inside =
        QRect(QPoint(0, 0), cell.size())
            .adjusted(art::kHighlightFrame, art::kHighlightFrame, -art::kHighlightFrame, -art::kHighlightFrame);
    const qreal dpr = figures.devicePixelRatio();
    const QRectF source((cell.left() + inside.left()) * dpr, (cell.top() + inside.top() - top_) * dpr,
                        inside.width() * dpr, inside.height() * dpr);
    p.drawPixmap(QRectF(inside), figures, source);
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

void Backdrop::setCaptionPlaque(QLabel* label) {
    if (plaqueLabel_ != nullptr) plaqueLabel_->removeEventFilter(this);
    plaqueLabel_ = label;
    if (label != nullptr) label->installEventFilter(this);
}

QRect Backdrop::plaqueRect() const {
    const QLabel* label = plaqueLabel_;
    if (label == nullptr || !label->isVisibleTo(this)) return {};
    const QString text = label->text();
    const QString letters = text.trimmed();
    if (letters.isEmpty()) return {};
    // Where the label sets its one line: at its top, centred or at its left.
    const QFontMetricsF fm(label->font());
    const QRect g = label->geometry();
    const qreal lineLeft = label->alignment().testFlag(Qt::AlignHCenter)
                               ? g.left() + (g.width() - fm.horizontalAdvance(text)) / 2
                               : g.left();
    const qreal left = lineLeft + fm.horizontalAdvance(text.left(text.indexOf(letters)));
    const qreal right = left + fm.horizontalAdvance(letters);
    const qreal baseline = g.top() + fm.ascent();
    return QRectF(QPointF(left - 10, baseline - fm.capHeight() - 7), QPointF(right + 10, baseline + fm.descent() + 3))
        .toAlignedRect();
}

bool Backdrop::eventFilter(QObject* watched, QEvent* e) {
    if (watched == plaqueLabel_) {
        switch (e->type()) {
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Paint: {
                // A new caption repaints its label; the plaque follows it
                // (it is drawn here, under every element of the window).
                const QRect now = plaqueRect();
                if (now != plaque_) {
                    update(plaque_.adjusted(-2, -2, 2, 2));
                    update(now.adjusted(-2, -2, 2, 2));
                    plaque_ = now;
                }
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void Backdrop::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (background_.isNull())
        p.fillRect(e->rect(), Qt::white);
    else
        drawCarried(p, background_, size());
    if (const QRect plaque = plaqueRect(); !plaque.isEmpty()) art::paintPlaque(p, plaque, 6);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& s : strokes_) {
        if (!s.visible) continue;
        p.setPen(QPen(s.colour, kStrokeWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s.line);
    }
}

void dressMenuBar(QMenuBar* bar) {
    if (bar == nullptr) return;
    // Only colours: the padding is the style's own, so the bar keeps its
    // height and the window its size.
    bar->setStyleSheet(
        QStringLiteral("QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6a341a, stop:1 #2e140a);"
                       " color: #fbefd5; border-bottom: 1px solid #9a6316; }"
                       "QMenuBar::item { background: transparent; color: #fbefd5; }"
                       "QMenuBar::item:selected { background: #e8a93a; color: #2a160b; }"
                       "QMenuBar::item:pressed { background: #9a6316; color: #fbefd5; }"
                       "QMenuBar::item:disabled { color: #a07a5e; }"));
}

}  // namespace velmoran::shell
