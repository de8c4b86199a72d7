#pragma once
// The kinds of element the windows are built from: picture boxes and images,
// picture buttons, the reel windows with their strips, and the window's
// background with the win line strokes drawn on it.

#include <QAbstractButton>
#include <QColor>
#include <QLine>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <chrono>

class QLabel;
class QMenuBar;

namespace velmoran::art {
class Library;
}

namespace velmoran::shell {

// A picture box or image: its picture at the top-left, or stretched over the
// whole element. Without a picture it is transparent.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent, bool stretch = false);
    void setPixmap(const QPixmap& p);
    [[nodiscard]] const QPixmap& pixmap() const noexcept { return pixmap_; }

    // A box larger than its picture carries the picture's last column and
    // row on to its own edge, instead of letting what lies beneath show.
    void setEdgeCarried(bool on);

    // Moves made back to back, with no event loop between them, reach the
    // screen as frames: every `pixels` of travel the box waits for the next
    // frame time, `frameMs` after the last, and puts itself on the screen.
    // 0 pixels: moves are only drawn when the event loop next paints.
    void setMovesPaced(int pixels, int frameMs);
    // Frames put on the screen by paced moves so far.
    [[nodiscard]] int pacedFrames() const noexcept { return pacedFrames_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void moveEvent(QMoveEvent*) override;

private:
    QPixmap pixmap_;
    bool stretch_;
    bool edgeCarried_ = false;
    int paceStep_ = 0;
    std::chrono::milliseconds paceFrame_{0};
    std::chrono::steady_clock::time_point lastFrameAt_{};
    QPoint lastFramePos_;
    int pacedFrames_ = 0;
};

// A picture button: its face fills the button; pressed and disabled looks
// come with the face, or are made from it for pictures set while playing.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent);
    void setFaces(const QPixmap& normal, const QPixmap& pressed, const QPixmap& disabled);
    // A picture set by the game (a card): drawn centred, with made-up looks.
    void setPicture(const QPixmap& picture);
    [[nodiscard]] QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap normal_, pressed_, disabled_;
    bool fitted_ = false;  // the face is a picture to centre, not a face to fill
};

// A reel window: white, with its strip drawn at the strip's top; the strip is
// one picture that only moves, so a frame of the motion costs one blit.
class ReelWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReelWindow(QWidget* parent);
    void setStrip(const QPixmap& strip) { strip_ = strip; }
    void setStripTop(int pixels);
    [[nodiscard]] int stripTop() const noexcept { return top_; }
    [[nodiscard]] int frames() const noexcept { return frames_; }

    // Where this window's highlight tile and symbols come from: a cell box
    // showing the tile lights its symbol up instead of hiding it.
    void setHighlightArt(const art::Library* art, int reel);
    [[nodiscard]] bool lightsWith(const QPixmap& picture) const;
    // Paints cell box `cell` (its geometry in this window) lit: the tile,
    // and inside its frame the symbol lying under the box.
    void paintLitCell(QPainter& p, const QRect& cell) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap strip_;
    int top_ = 0;
    int frames_ = 0;  // paints so far, for the motion's measurements
    const art::Library* art_ = nullptr;
    int reel_ = 0;
};

// The client area: the background picture and, over it but under the reel
// windows, the six strokes of a winning line.
class Backdrop : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStrokes = 6;
    explicit Backdrop(QWidget* parent);
    // Drawn from the top-left; a picture narrower or lower than the client
    // carries its last column and row on to the edge.
    void setBackground(const QPixmap& p) { background_ = p; }
    // While `label` shows a caption, a cream plaque lies under its letters.
    void setCaptionPlaque(QLabel* label);
    void setStrokeEnds(int i, QLineF line);
    void setStrokeColour(int i, QColor c);
    void setStrokeVisible(int i, bool on);
    [[nodiscard]] bool strokeVisible(int i) const { return strokes_.at(static_cast<std::size_t>(i)).visible; }

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    [[nodiscard]] QRect plaqueRect() const;
    struct Stroke {
        QLineF line;
        QColor colour{Qt::black};
        bool visible = false;
    };
    void updateStroke(const Stroke& s);
    QPixmap background_;
    std::array<Stroke, kStrokes> strokes_{};
    QPointer<QLabel> plaqueLabel_;
    QRect plaque_;  // where the plaque was last asked to be painted
};

// The menu bar in the cabinet's wood and gold, at its usual height.
void dressMenuBar(QMenuBar* bar);

}  // namespace velmoran::shell
