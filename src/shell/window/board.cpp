#include "shell/window/board.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "shell/art/art_library.h"
#include "shell/window/fonts.h"
#include "shell/window/layout.h"
#include "shell/window/widgets.h"

namespace velmoran::shell {

namespace {

// Property names kept on the widgets.
constexpr const char* kAutoSize = "velmoranAutoSize";
constexpr const char* kMeter = "velmoranMeter";  // accessible name prefix of a meter

int px(double pixels) {
    return static_cast<int>(std::lround(pixels));
}

QRect placed(const layout::Row& r) {
    return {px(r.x), px(r.y), px(r.w), px(r.h)};
}

QColor colourOf(Rgb c) {
    return {c.r, c.g, c.b};
}

const char* familyOf(layout::Face f) {
    return f == layout::Face::Times ? kTimes : kComic;
}

QPixmap pictureOf(const art::Library& art, const layout::Shows& s) {
    switch (s.from) {
        case layout::Shows::From::Asset:
            return art.asset(s.asset);
        case layout::Shows::From::Entry:
            return art.entry(s.list, s.index);
        case layout::Shows::From::Nothing:
            break;
    }
    return {};
}

QLabel* makeLabel(const layout::Row& r, QWidget* parent) {
    const layout::LabelStyle& style = *layout::labelStyle(r.name);
    const QString caption = style.caption != nullptr ? QString::fromLatin1(style.caption) : QString();
    auto* lab = new QLabel(caption, parent);
    // A label lies beneath the other elements of its container, as in the
    // toolkit the layout was drawn for: where the free-spin caption runs on
    // under the collect button, the button stays whole.
    lab->lower();
    lab->setGeometry(placed(r));
    lab->setFont(layoutFont(familyOf(style.face), style.points, true));
    QPalette p = lab->palette();
    p.setColor(QPalette::WindowText, colourOf(style.colour));
    lab->setPalette(p);
    lab->setAlignment((style.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    lab->setAttribute(Qt::WA_TranslucentBackground);
    lab->setProperty(kAutoSize, style.autoSize);
    if (style.meter != nullptr) lab->setProperty(kMeter, QString::fromLatin1(style.meter));
    setCaptionOf(lab, caption);
    return lab;
}

// The refusal for want of credit: a raised dark red panel over the reels,
// not a label of the layout, so it stays above its siblings.
QLabel* makePanel(const layout::Row& r, QWidget* parent) {
    const layout::LabelStyle& style = *layout::labelStyle(r.name);
    auto* panel = new QLabel(QString::fromLatin1(style.caption), parent);
    panel->setGeometry(placed(r));
    panel->setFont(layoutFont(familyOf(style.face), style.points, true));
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, QColor(128, 0, 0));
    p.setColor(QPalette::WindowText, colourOf(style.colour));
    panel->setPalette(p);
    panel->setAccessibleName(panel->text());
    return panel;
}

QWidget* makeButton(const layout::Row& r, QWidget* parent, const art::Library& art) {
    auto* b = new PictureButton(parent);
    b->setGeometry(placed(r));
    b->setText(QStringLiteral(" "));
    if (r.shows.from == layout::Shows::From::Asset) {
        b->setFaces(art.asset(r.shows.asset, art::Look::Normal), art.asset(r.shows.asset, art::Look::Pressed),
                    art.asset(r.shows.asset, art::Look::Disabled));
    } else if (r.shows.from == layout::Shows::From::Entry) {
        b->setPicture(pictureOf(art, r.shows));
    }
    return b;
}

QWidget* makeBox(const layout::Row& r, QWidget* parent, const art::Library& art) {
    auto* b = new PictureBox(parent, r.kind == layout::Kind::StretchedPicture);
    b->setGeometry(placed(r));
    if (r.shows.from != layout::Shows::From::Nothing) b->setPixmap(pictureOf(art, r.shows));
    return b;
}

ReelWindow* makeReel(const layout::Row& r, QWidget* parent, const art::Library& art, int reel) {
    auto* w = new ReelWindow(parent);
    w->setGeometry(placed(r));
    w->setStrip(art.asset(art::reelAsset(reel)));
    w->setStripTop(reel == 1 ? 0 : -3);
    w->setHighlightArt(&art, reel);
    return w;
}

}  // namespace

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString elementName(El e) {
    QString n = qs(info(e.name).name);
    if (info(e.name).isArray()) n += QStringLiteral("(%1)").arg(e.index);
    return n;
}

void setCaptionOf(QWidget* w, const QString& text) {
    if (auto* lab = qobject_cast<QLabel*>(w)) {
        lab->setText(text);
        if (lab->property(kAutoSize).toBool()) {
            // Auto-size labels keep their left edge and grow to fit.
            const int width = std::max(1, lab->fontMetrics().horizontalAdvance(text) + 2);
            lab->resize(width, std::max(lab->height(), lab->fontMetrics().height()));
        }
        const QString meter = lab->property(kMeter).toString();
        lab->setAccessibleName(meter.isEmpty() ? text.trimmed() : meter + QLatin1Char(' ') + text.trimmed());
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(text);
    }
}

QWidget* Board::widget(El e) const {
    const auto it = widgets.find(e);
    return it == widgets.end() ? nullptr : it->second;
}

Board buildBoard(QWidget* owner, const art::Library& art) {
    Board board;
    board.backdrop = new Backdrop(owner);
    board.backdrop->setObjectName(QStringLiteral("client"));
    board.backdrop->setBackground(art.asset(art::Asset::Background));
    board.backdrop->setFont(layoutFont(kComic, 8.25, true));

    QWidget* gamble = nullptr;
    const auto parentOf = [&](layout::Parent p) -> QWidget* {
        switch (p) {
            case layout::Parent::Client:
                return board.backdrop;
            case layout::Parent::Gamble:
                return gamble;
            default:
                return board.reels[static_cast<std::size_t>(p) - static_cast<std::size_t>(layout::Parent::Reel1)];
        }
    };
    for (const layout::Row& r : layout::kRows) {
        QWidget* parent = parentOf(r.parent);
        QWidget* w = nullptr;
        switch (r.kind) {
            case layout::Kind::Label:
                w = makeLabel(r, parent);
                break;
            case layout::Kind::Panel:
                w = makePanel(r, parent);
                break;
            case layout::Kind::Button:
                w = makeButton(r, parent, art);
                break;
            case layout::Kind::Picture:
            case layout::Kind::StretchedPicture:
                w = makeBox(r, parent, art);
                break;
            case layout::Kind::Reel: {
                const int reel = static_cast<int>(r.name) - static_cast<int>(reelWindowElement(1)) + 1;
                ReelWindow* rw = makeReel(r, parent, art, reel);
                board.reels[static_cast<std::size_t>(reel - 1)] = rw;
                w = rw;
                break;
            }
        }
        w->setObjectName(elementName(r.el()));
        if (r.accessible != nullptr) w->setAccessibleName(QString::fromLatin1(r.accessible));
        if (!r.enabled()) w->setEnabled(false);
        if (!r.shown()) w->hide();
        board.widgets[r.el()] = w;
        if (r.name == Element::pandouble) gamble = w;
    }

    // What only some elements do.
    board.backdrop->setCaptionPlaque(qobject_cast<QLabel*>(board.widget(Element::spinsleft)));
    // The gamble panel's box is larger than its picture: the picture's edge
    // is carried to the box's.
    qobject_cast<PictureBox*>(gamble)->setEdgeCarried(true);
    // A slide's 4791 moves, each drawn, take about a second on the screen:
    // a frame every 5 pixels, 16 ms apart, keeps that pace.
    for (Element slide : {Element::gamblewin, Element::gamblelose})
        qobject_cast<PictureBox*>(board.widget(slide))->setMovesPaced(5, 16);
    return board;
}

}  // namespace velmoran::shell
