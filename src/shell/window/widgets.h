#pragma once
// The kinds of element the windows are built from: picture boxes and images,
// picture buttons, the reel windows with their strips, and the window's
// background with the win line strokes drawn on it.

#include <QAbstractButton>
#include <QColor>
#include <QLine>
#include <QPixmap>
#include <QWidget>
#include <array>

namespace velmoran::shell {

// A picture box or image: its picture at the top-left, or stretched over the
// whole element. Without a picture it is transparent.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent, bool stretch = false);
    void setPixmap(const QPixmap& p);
    [[nodiscard]] const QPixmap& pixmap() const noexcept { return pixmap_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap pixmap_;
    bool stretch_;
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

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap strip_;
    int top_ = 0;
    int frames_ = 0;  // paints so far, for the motion's measurements
};

// The client area: the background picture and, over it but under the reel
// windows, the six strokes of a winning line.
class Backdrop : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStrokes = 6;
    explicit Backdrop(QWidget* parent);
    void setBackground(const QPixmap& p) { background_ = p; }
    void setStrokeEnds(int i, QLineF line);
    void setStrokeColour(int i, QColor c);
    void setStrokeVisible(int i, bool on);
    [[nodiscard]] bool strokeVisible(int i) const { return strokes_.at(static_cast<std::size_t>(i)).visible; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    struct Stroke {
        QLineF line;
        QColor colour{Qt::black};
        bool visible = false;
    };
    void updateStroke(const Stroke& s);
    QPixmap background_;
    std::array<Stroke, kStrokes> strokes_{};
};

}  // namespace velmoran::shell
