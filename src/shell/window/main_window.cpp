#include "shell/window/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <optional>
#include <thread>

#include "core/machine.h"
#include "shell/art/art_library.h"
#include "shell/audio/cue_player.h"
#include "shell/options/options_widget.h"
#include "shell/window/aux_windows.h"
#include "shell/window/fonts.h"
#include "shell/window/widgets.h"

namespace velmoran::shell {

namespace {

using art::Asset;
using art::Look;

constexpr double kTwipsPerPixel = 15.0;

int px(double pixels) {
    return static_cast<int>(std::lround(pixels));
}
int fromTwips(std::int32_t twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QString qs(std::string_view s) {
    // Player names are UTF-8; every other caption is plain ASCII.
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Property names kept on the widgets.
constexpr const char* kAutoSize = "velmoranAutoSize";
constexpr const char* kMeter = "velmoranMeter";  // accessible name prefix of a meter

void setColour(QWidget* w, QColor c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

QString elementName(El e) {
    QString n = qs(info(e.name).name);
    if (info(e.name).isArray()) n += QStringLiteral("(%1)").arg(e.index);
    return n;
}

// The texts of the six bet and five line buttons and the others, for screen readers.
QString buttonName(El e) {
    static const char* const kBets[] = {"Bet 1", "Bet 2", "Bet 3", "Bet 5", "Bet 10", "Bet 20"};
    static const char* const kLines[] = {"Play 1 line", "Play 5 lines", "Play 10 lines", "Play 15 lines",
                                         "Play 25 lines"};
    static const char* const kSuits[] = {"Hearts", "Clubs", "Diamonds", "Spades"};
    switch (e.name) {
        case Element::play:
            return QString::fromLatin1(kBets[e.index - 1]);
        case Element::payline:
            return QString::fromLatin1(kLines[e.index - 1]);
        case Element::COINSIN:
            return QStringLiteral("Insert 20 coins");
        case Element::notes:
            return QStringLiteral("Insert 5000 coins");
        case Element::doublebutton:
            return QStringLiteral("Double up");
        case Element::takewin:
            return QStringLiteral("Take Win");
        case Element::betred:
            return QStringLiteral("Red");
        case Element::betblack:
            return QStringLiteral("Black");
        case Element::cancelbet:
            return QStringLiteral("Take win and leave the gamble");
        case Element::suitbet:
            return QString::fromLatin1(kSuits[e.index - 1]);
        case Element::historypic:
            return QStringLiteral("Card %1 of the history").arg(e.index);
        default:
            return elementName(e);
    }
}

}  // namespace

MainWindow::MainWindow(const art::Library& art, audio::CuePlayer& cues) : art_(art), cues_(&cues) {
    installFonts();
    setObjectName(QStringLiteral("velmoran"));
    setAccessibleName(QStringLiteral("Velmoran slot machine"));
    build();
    buildMenus();
    buildTimers();
    pays_ = new PayTableWindow(art_, this);
    about_ = new AboutWindow(art_, this);
    pays_->onCloseButton = [this] {
        if (machine_ != nullptr) machine_->btnunloadpays_Click();
    };
    pays_->onClosed = [this] {
        if (machine_ != nullptr) machine_->velmoranpays_Unload();
    };
    about_->onOk = [this] {
        if (machine_ != nullptr) machine_->cmdOK_Click();
    };
    about_->onLink = [this] {
        if (machine_ != nullptr) machine_->cmdtarnby_Click();
    };
    about_->onClosed = [this] {
        if (machine_ != nullptr) machine_->aboutvelmoran_Unload();
    };
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    if (hourglass_) QGuiApplication::restoreOverrideCursor();
}

void MainWindow::attach(Machine& machine) {
    machine_ = &machine;
}

QWidget* MainWindow::client() const {
    return backdrop_;
}

void MainWindow::build() {
    backdrop_ = new Backdrop(this);
    backdrop_->setObjectName(QStringLiteral("client"));
    backdrop_->setFixedSize(kClientWidth, kClientHeight);
    backdrop_->setBackground(art_.asset(Asset::Background));
    backdrop_->setFont(layoutFont(kComic, 8.25, true));
    setCentralWidget(backdrop_);
    QWidget* c = backdrop_;

    const auto label = [&](El e, QWidget* parent, double l, double t, double w, double h, double pts,
                           const char* family, QColor colour, Qt::Alignment align, bool autoSize, const char* meter,
                           const QString& caption) {
        auto* lab = new QLabel(caption, parent);
        // A label lies beneath the other elements of its container, as in
        // the toolkit the layout was drawn for: where the free-spin caption
        // runs on under the collect button, the button stays whole.
        lab->lower();
        lab->setObjectName(elementName(e));
        lab->setGeometry(px(l), px(t), px(w), px(h));
        lab->setFont(layoutFont(family, pts, true));
        setColour(lab, colour);
        lab->setAlignment(align);
        lab->setAttribute(Qt::WA_TranslucentBackground);
        lab->setProperty(kAutoSize, autoSize);
        if (meter != nullptr) lab->setProperty(kMeter, QString::fromLatin1(meter));
        widgets_[e] = lab;
        setCaptionOf(lab, e, caption);
        return lab;
    };
    const auto box = [&](El e, QWidget* parent, double l, double t, double w, double h, bool stretch) {
        auto* b = new PictureBox(parent, stretch);
        b->setObjectName(elementName(e));
        b->setGeometry(px(l), px(t), px(w), px(h));
        widgets_[e] = b;
        return b;
    };
    const auto button = [&](El e, QWidget* parent, double l, double t, double w, double h, std::optional<Asset> face) {
        auto* b = new PictureButton(parent);
        b->setObjectName(elementName(e));
        b->setGeometry(px(l), px(t), px(w), px(h));
        b->setText(QStringLiteral(" "));
        b->setAccessibleName(buttonName(e));
        if (face)
            b->setFaces(art_.asset(*face, Look::Normal), art_.asset(*face, Look::Pressed),
                        art_.asset(*face, Look::Disabled));
        widgets_[e] = b;
        return b;
    };
    const QColor blue(0, 0, 255), navy(0, 0, 128), yellow(255, 255, 0);
    const auto left = Qt::AlignLeft | Qt::AlignTop;
    const auto centre = Qt::AlignHCenter | Qt::AlignTop;

    // Meters along the top.
    label(Element::Lblcredit, c, 133.3, 3.3, 73, 17, 9.75, kComic, blue, left, false, "Credit", {});
    label(Element::PANELBANK, c, 53, 20, 8, 27, 14.25, kComic, Qt::black, left, true, "Credit", {});
    label(Element::lblwin, c, 280, 3.3, 57, 17, 9.75, kComic, blue, left, false, "Win", {});
    label(Element::LABWIN, c, 240, 20, 8, 27, 14.25, kComic, navy, centre, true, "Win", QStringLiteral(" "));
    box(Element::LABLASTBET, c, 400, 0, 110, 25, false)->setPixmap(art_.asset(Asset::LastBetHeading));
    widgets_[Element::LABLASTBET]->setAccessibleName(QStringLiteral("Last Bet"));
    label(Element::lbllast, c, 433, 20, 9, 30, 15.75, kComic, QColor(64, 0, 64), left, true, "Last bet", {});
    auto* thisWin = box(Element::LABTHISWIN, c, 400, 0, 161, 25, false);
    thisWin->setPixmap(art_.asset(Asset::CurrentWinHeading));
    thisWin->setAccessibleName(QStringLiteral("Current Win"));
    thisWin->hide();
    label(Element::Lblcurrentwin, c, 443, 20, 11, 30, 15.75, kComic, blue, centre, true, "Current win",
          QStringLiteral(" "))
        ->hide();

    // Line markers: the left column, then the right, top to bottom.
    static constexpr std::array<double, 13> kMarkerTop{48,    71.7,  95.5,  119.2, 142.9, 166.7, 190.4,
                                                       214.1, 237.9, 261.6, 285.3, 309.1, 332.8};
    static constexpr std::array<int, 13> kLeftColumn{6, 2, 4, 12, 11, 9, 1, 8, 10, 7, 5, 3, 13};
    static constexpr std::array<int, 13> kRightColumn{14, 18, 25, 22, 21, 23, 26, 15, 17, 20, 16, 19, 24};
    for (std::size_t row = 0; row < 13; ++row) {
        const double h = row >= 10 ? 24 : 23.7;
        for (int side = 0; side < 2; ++side) {
            const int n = side == 0 ? kLeftColumn[row] : kRightColumn[row];
            auto* m = box({Element::lin, static_cast<std::int16_t>(n)}, c, side == 0 ? 8 : 604.7, kMarkerTop[row], 30,
                          h, true);
            m->setAccessibleName(n == 26 ? QStringLiteral("Line 1 marker") : QStringLiteral("Line %1 marker").arg(n));
            m->setPixmap(art_.entry(PictureList::linepics, n == 26 ? 1 : n));
        }
    }

    // Reel windows with their strips and cells.
    static constexpr std::array<double, 5> kReelLeft{53.3, 162, 272.7, 383.3, 492.7};
    static constexpr std::array<std::array<int, 3>, 5> kCells{
        {{1, 2, 3}, {6, 5, 4}, {7, 8, 9}, {12, 11, 10}, {13, 14, 15}}};
    for (int reel = 1; reel <= 5; ++reel) {
        auto* w = new ReelWindow(c);
        const El e = reelWindowElement(reel);
        w->setObjectName(elementName(e));
        w->setAccessibleName(QStringLiteral("Reel %1").arg(reel));
        w->setGeometry(px(kReelLeft[static_cast<std::size_t>(reel - 1)]), px(53.3), 100, 300);
        w->setStrip(art_.asset(art::reelAsset(reel)));
        w->setStripTop(reel == 1 ? 0 : -3);
        w->setHighlightArt(&art_, reel);
        widgets_[e] = w;
        reels_[static_cast<std::size_t>(reel - 1)] = w;
        for (int row = 0; row < 3; ++row) {
            const auto n =
                static_cast<std::int16_t>(kCells[static_cast<std::size_t>(reel - 1)][static_cast<std::size_t>(row)]);
            box({Element::flasher, n}, w, 0, row * 100, 100, 100, false)->hide();
        }
    }

    // Buttons.
    static constexpr std::array<double, 6> kColumn{9, 96.7, 184.7, 272.7, 361, 449};
    static constexpr std::array<Asset, 5> kPaylineFaces{Asset::PaylineButton1, Asset::PaylineButton5,
                                                        Asset::PaylineButton10, Asset::PaylineButton15,
                                                        Asset::PaylineButton25};
    static constexpr std::array<Asset, 6> kBetFaces{Asset::BetButton1, Asset::BetButton2,  Asset::BetButton3,
                                                    Asset::BetButton5, Asset::BetButton10, Asset::BetButton20};
    for (std::int16_t i = 1; i <= 5; ++i) {
        auto* b = button({Element::payline, i}, c, kColumn[static_cast<std::size_t>(i - 1)], 360, 88.7, 40,
                         kPaylineFaces[static_cast<std::size_t>(i - 1)]);
        connect(b, &QAbstractButton::clicked, this, [this, i] {
            if (machine_ != nullptr) machine_->payline_Click(i);
        });
    }
    auto* coins = button(Element::COINSIN, c, 449, 360, 88.7, 40, Asset::CoinsButton);
    auto* dbl = button(Element::doublebutton, c, 536, 360, 93, 40, Asset::DoubleButton);
    dbl->setEnabled(false);
    for (std::int16_t i = 1; i <= 6; ++i) {
        auto* b = button({Element::play, i}, c, kColumn[static_cast<std::size_t>(i - 1)], 400, 88.7, 40,
                         kBetFaces[static_cast<std::size_t>(i - 1)]);
        connect(b, &QAbstractButton::clicked, this, [this, i] {
            if (machine_ != nullptr) machine_->play_Click(i);
        });
    }
    auto* notes = button(Element::notes, c, 538, 400, 88.7, 40, Asset::NotesButton);
    auto* take = button(Element::takewin, c, 400, 376, 141, 40, Asset::TakeWinButton);
    take->hide();
    connect(coins, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->COINSIN_Click();
    });
    connect(notes, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->notes_Click();
    });
    connect(dbl, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->doublebutton_Click();
    });
    connect(take, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->takewin_Click();
    });

    // Free spins left, the refusal panel and the arrow.
    backdrop_->setCaptionPlaque(label(Element::spinsleft, c, 266.7, 366.7, 15, 29, 21.75, kTimes, QColor(128, 64, 0),
                                      centre, true, "Free spins", {}));
    auto* panel = new QLabel(QStringLiteral("Not enough credit !"), c);
    panel->setObjectName(QStringLiteral("pannomoney"));
    panel->setGeometry(152, 176, 329, 41);
    panel->setFont(layoutFont(kComic, 14.25, true));
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    {
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, QColor(128, 0, 0));
        p.setColor(QPalette::WindowText, Qt::white);
        panel->setPalette(p);
    }
    panel->setAccessibleName(panel->text());
    panel->hide();
    widgets_[Element::pannomoney] = panel;

    auto* arrow = box(Element::arrowpicture, c, 0.7, 400, 639, 28, false);
    arrow->setPixmap(art_.asset(Asset::ArrowStrip));
    arrow->setAccessibleName(QStringLiteral("Free spins arrow"));
    arrow->hide();

    // The gamble panel and its elements.
    auto* gamble = box(Element::pandouble, c, 200, 0, 256, 352, false);
    gamble->setPixmap(art_.asset(Asset::GambleBackdrop));
    gamble->setEdgeCarried(true);
    gamble->setAccessibleName(QStringLiteral("Gamble"));
    label(Element::risklab, gamble, 32, 3.3, 193, 26.7, 18, kComic, blue, centre, false, "At risk", {});
    label(Element::lblsuit, gamble, 16, 35, 174, 27, 9.75, kTimes, yellow, left, false, nullptr, {})->hide();
    label(Element::lblblackred, gamble, 16, 50, 137, 17, 9, kTimes, yellow, left, false, nullptr, {});
    static constexpr std::array<std::array<double, 2>, 4> kSuitAt{{{16, 72}, {178.7, 72}, {16, 176}, {178.7, 176}}};
    for (std::int16_t i = 1; i <= 4; ++i) {
        const auto& at = kSuitAt[static_cast<std::size_t>(i - 1)];
        auto* b = button({Element::suitbet, i}, gamble, at[0], at[1], 54, 54, std::nullopt);
        b->setPicture(art_.entry(PictureList::imagelistcards, 5 + i));
        connect(b, &QAbstractButton::clicked, this, [this, i] {
            if (machine_ != nullptr) machine_->suitbet_Click(i);
        });
    }
    auto* card = box(Element::piccardholder, gamble, 72, 72, 104, 157, true);
    card->setPixmap(art_.entry(PictureList::imagelistcards, 5));
    card->setAccessibleName(QStringLiteral("Card"));
    auto* red = button(Element::betred, gamble, 4, 232, 68, 30, Asset::RedButton);
    auto* cancel = button(Element::cancelbet, gamble, 73.3, 232, 104, 30, Asset::GambleTakeWinButton);
    auto* black = button(Element::betblack, gamble, 178.7, 232, 68, 30, Asset::BlackButton);
    connect(red, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->betred_Click();
    });
    connect(cancel, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->cancelbet_Click();
    });
    connect(black, &QAbstractButton::clicked, this, [this] {
        if (machine_ != nullptr) machine_->betblack_Click();
    });
    for (std::int16_t i = 1; i <= 5; ++i) {
        auto* h = button({Element::historypic, i}, gamble, 24 + 40 * (i - 1), 264, 33, 33, std::nullopt);
        h->setEnabled(false);
        h->hide();
    }
    label(Element::Lblpasthistory, gamble, 40, 296, 169, 20, 12, kComic, yellow, centre, false, nullptr,
          QStringLiteral("past history"));
    auto* won = box(Element::gamblewin, gamble, 47, 316, 150, 30, false);
    won->setPixmap(art_.asset(Asset::GambleWin));
    won->setAccessibleName(QStringLiteral("Gamble won"));
    // A slide's 4791 moves, each drawn, take about a second on the screen:
    // a frame every 5 pixels, 16 ms apart, keeps that pace.
    won->setMovesPaced(5, 16);
    won->hide();
    auto* lost = box(Element::gamblelose, gamble, 48, 316, 150, 30, false);
    lost->setPixmap(art_.asset(Asset::GambleLose));
    lost->setAccessibleName(QStringLiteral("Gamble lost"));
    lost->setMovesPaced(5, 16);
    lost->hide();
    gamble->hide();
}

void MainWindow::buildMenus() {
    static constexpr std::array<std::pair<Element, const char*>, 5> kMenus{{
        {Element::mnuabout, "&about"},
        {Element::mnuzerocredit, "&Zero Credit"},
        {Element::mnuptble, "&Paytable"},
        {Element::mnuplayer, "Options"},
        {Element::mnuexit, "&exit"},
    }};
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);
    dressMenuBar(bar);
    for (const auto& [e, caption] : kMenus) {
        QAction* a = bar->addAction(QString::fromLatin1(caption));
        a->setObjectName(qs(info(e).name));
        menus_[e] = a;
        connect(a, &QAction::triggered, this, [this, e = e] {
            if (machine_ == nullptr) return;
            switch (e) {
                case Element::mnuabout:
                    machine_->mnuabout_Click();
                    break;
                case Element::mnuzerocredit:
                    machine_->mnuzerocredit_Click();
                    break;
                case Element::mnuptble:
                    machine_->mnuptble_Click();
                    break;
                case Element::mnuplayer:
                    machine_->mnuplayer_Click();
                    break;
                case Element::mnuexit:
                    machine_->mnuexit_Click();
                    break;
                default:
                    break;
            }
        });
    }
}

void MainWindow::buildTimers() {
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        auto* t = new QTimer(this);
        const auto timer = static_cast<Timer>(i);
        t->setObjectName(qs(info(timer).name));
        t->setInterval(info(timer).intervalMs);
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, [this, timer] { runTimer(timer); });
        timers_[i] = t;
    }
}

void MainWindow::runTimer(Timer t) {
    if (machine_ == nullptr || closing_) return;
    machine_->onTimer(t);
}

bool MainWindow::timerActive(Timer t) const {
    return timers_[static_cast<std::size_t>(t)]->isActive();
}

QAction* MainWindow::menuAction(Element e) const {
    const auto it = menus_.find(e);
    return it == menus_.end() ? nullptr : it->second;
}

QWidget* MainWindow::widget(El e) const {
    const auto it = widgets_.find(e);
    return it == widgets_.end() ? nullptr : it->second;
}

ReelWindow* MainWindow::reelWindow(int reel) const {
    if (reel < 1 || reel > 5) return nullptr;
    return reels_[static_cast<std::size_t>(reel - 1)];
}

bool MainWindow::start(const std::function<void()>& afterShown) {
    if (machine_ == nullptr) return false;
    if (!machine_->IsScreenFontSmall()) {
        // Only the message: the window never appears.
        machine_->Form_Load();
        return false;
    }
    show();
    // Let the window reach the screen before the start-up pause blocks.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() != nullptr && !windowHandle()->isExposed() && waited.elapsed() < 250)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    if (afterShown) afterShown();
    return machine_->Form_Load();
}

// --- GameView ----------------------------------------------------------

QPixmap MainWindow::pictureFor(Picture p) {
    if (p.list == PictureList::None) return {};
    if (p.overlay == 0) return art_.entry(p.list, p.index);
    const auto key = std::make_tuple(static_cast<int>(p.list), static_cast<int>(p.index), static_cast<int>(p.overlay));
    auto it = composites_.find(key);
    if (it == composites_.end()) it = composites_.emplace(key, art_.composite(p.list, p.index, p.overlay)).first;
    return it->second;
}

void MainWindow::setPicture(El e, Picture p) {
    if (!e.valid() || !p.valid()) return;
    QWidget* w = widget(e);
    if (w == nullptr) return;
    const QPixmap pix = pictureFor(p);
    if (auto* b = qobject_cast<PictureBox*>(w)) {
        b->setPixmap(pix);
    } else if (auto* btn = qobject_cast<PictureButton*>(w)) {
        btn->setPicture(pix);
    }
}

void MainWindow::setCaptionOf(QWidget* w, El e, const QString& text) {
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
    (void)e;
}

void MainWindow::setCaption(El e, std::string_view text) {
    if (!e.valid()) return;
    const QString t = qs(text);
    switch (e.name) {
        case Element::velmoran:
            setWindowTitle(t);
            return;
        case Element::velmoranpays:
            pays_->setWindowTitle(t);
            return;
        case Element::aboutvelmoran:
            about_->setWindowTitle(t);
            return;
        default:
            break;
    }
    if (QAction* a = menuAction(e.name)) {
        a->setText(t);
        return;
    }
    if (QWidget* w = widget(e))
        setCaptionOf(w, e, t);
    else if (e.name == Element::lblTitle)
        about_->title()->setText(t);
}

void MainWindow::setVisible(El e, bool visible) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            QMainWindow::setVisible(visible);
            return;
        case Element::velmoranpays:
            pays_->setVisible(visible);
            return;
        case Element::frmvelmoranoptions:
            if (visible) {
                openOptions();
            } else if (options_ != nullptr) {
                options_->hide();
            }
            return;
        case Element::aboutvelmoran:
            about_->setVisible(visible);
            return;
        case Element::lblTitle:
            about_->title()->setVisible(visible);
            return;
        case Element::Lineflash:
            backdrop_->setStrokeVisible(e.index - 1, visible);
            return;
        default:
            break;
    }
    if (QAction* a = menuAction(e.name)) {
        a->setVisible(visible);
        return;
    }
    if (QWidget* w = widget(e)) {
        if (!visible) keepFocusOff(w);
        w->setVisible(visible);
    }
}

void MainWindow::keepFocusOff(QWidget* w) {
    // Left to itself, Qt hands the focus of a control that is hidden or
    // disabled to the next one in the chain, where a key would press a
    // button the player never chose (the banknote, say). The window itself
    // takes it instead.
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && (focused == w || w->isAncestorOf(focused))) backdrop_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::setEnabled(El e, bool enabled) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            // The client and the menu bar: the pay table and About windows,
            // which belong to this window, stay usable.
            backdrop_->setEnabled(enabled);
            menuBar()->setEnabled(enabled);
            return;
        case Element::velmoranpays:
            pays_->setEnabled(enabled);
            return;
        case Element::aboutvelmoran:
            about_->setEnabled(enabled);
            return;
        default:
            break;
    }
    if (QAction* a = menuAction(e.name)) {
        a->setEnabled(enabled);
        return;
    }
    if (QWidget* w = widget(e)) {
        if (!enabled) keepFocusOff(w);
        w->setEnabled(enabled);
    }
}

void MainWindow::setChecked(El e, bool checked) {
    if (e.valid()) setOptionChecked(qobject_cast<QAbstractButton*>(widget(e)), checked);
}

void MainWindow::openOptions() {
    if (options_ == nullptr) {
        options_ = new OptionsWidget(machine_->options, this);
        for (const auto& [el, w] : options_->elements()) widgets_[el] = w;
    }
    options_->show();
    options_->raise();
    options_->activateWindow();
}

void MainWindow::closeOptions() {
    std::erase_if(widgets_, [](const auto& kv) { return info(kv.first.name).window == Window::frmvelmoranoptions; });
    if (options_ != nullptr) options_->unload();
    options_ = nullptr;
}

void MainWindow::move(El e, std::int32_t left, std::int32_t top) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            QMainWindow::move(fromTwips(left), fromTwips(top));
            return;
        case Element::velmoranpays:
            pays_->move(fromTwips(left), fromTwips(top));
            return;
        case Element::aboutvelmoran:
            if (!(isMinimized() || isMaximized())) about_->move(fromTwips(left), fromTwips(top));
            return;
        case Element::reel1:
        case Element::reel2:
        case Element::reel3:
        case Element::reel4:
        case Element::reel5:
            reels_[static_cast<std::size_t>(static_cast<int>(e.name) - static_cast<int>(Element::reel1))]->setStripTop(
                fromTwips(top));
            return;
        default:
            break;
    }
    if (QWidget* w = widget(e)) w->move(fromTwips(left), fromTwips(top));
}

void MainWindow::resize(El e, std::int32_t width, std::int32_t height) {
    if (!e.valid()) return;
    if (e.name == Element::velmoran) return;  // the client area is fixed
    if (e.name == Element::aboutvelmoran) {
        if (height != kKeep) about_->setFrameHeight(fromTwips(height));
        return;
    }
    if (QWidget* w = widget(e)) {
        w->resize(width == kKeep ? w->width() : fromTwips(width), height == kKeep ? w->height() : fromTwips(height));
    }
}

void MainWindow::setLineEnds(El e, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (!e.valid() || e.name != Element::Lineflash) return;
    backdrop_->setStrokeEnds(
        e.index - 1, QLineF(x1 / kTwipsPerPixel, y1 / kTwipsPerPixel, x2 / kTwipsPerPixel, y2 / kTwipsPerPixel));
}

void MainWindow::setLineColour(El e, Rgb colour) {
    if (!e.valid() || e.name != Element::Lineflash) return;
    backdrop_->setStrokeColour(e.index - 1, QColor(colour.r, colour.g, colour.b));
}

void MainWindow::setFocus(El e) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            backdrop_->setFocus(Qt::OtherFocusReason);
            return;
        case Element::velmoranpays:
            pays_->activateWindow();
            return;
        case Element::aboutvelmoran:
            about_->activateWindow();
            return;
        default:
            break;
    }
    if (QWidget* w = widget(e)) w->setFocus(Qt::OtherFocusReason);
}

void MainWindow::setKeyPreview(bool on) {
    keyPreview_ = on;
}

void MainWindow::bringToFront(El window) {
    QWidget* w = window.name == Element::velmoran        ? static_cast<QWidget*>(this)
                 : window.name == Element::velmoranpays  ? static_cast<QWidget*>(pays_)
                 : window.name == Element::aboutvelmoran ? static_cast<QWidget*>(about_)
                                                         : nullptr;
    if (w == nullptr) return;
    w->raise();
    w->activateWindow();
}

void MainWindow::unload(El window) {
    switch (window.name) {
        case Element::velmoran:
            close();
            return;
        case Element::velmoranpays:
            pays_->unload();
            return;
        case Element::aboutvelmoran:
            about_->unload();
            return;
        case Element::frmvelmoranoptions:
            closeOptions();
            return;
        default:
            return;
    }
}

void MainWindow::setMousePointer(MousePointer pointer) {
    const bool wait = pointer == MousePointer::Hourglass;
    if (wait == hourglass_) return;
    hourglass_ = wait;
    if (wait)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void MainWindow::setTimer(Timer t, bool enabled) {
    QTimer* timer = timers_[static_cast<std::size_t>(t)];
    if (enabled && !closing_) {
        if (!timer->isActive()) timer->start();
    } else {
        timer->stop();
    }
}

void MainWindow::playsound(SoundCue cue) {
    cues_->play(cue, false);
}
void MainWindow::playsoundlooped(SoundCue cue) {
    cues_->play(cue, true);
}

void MainWindow::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
    QString t = qs(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (messageHook) {
        messageHook(t, qs(title), icon);
        return;
    }
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon, qs(title), t,
                    QMessageBox::Ok, isVisible() ? this : nullptr);
    box.exec();
}

void MainWindow::yield() {
    QCoreApplication::processEvents();
}

void MainWindow::flushScreen() {
    // Repainting any part of the window paints every region marked dirty so
    // far and puts it on the screen at once.
    if (isVisible() && backdrop_ != nullptr) backdrop_->repaint(QRect(0, 0, 1, 1));
}

namespace {

// Blocks until `ms` milliseconds from now. The system's sleep wakes a little
// late, and over the hundreds of frames of a spin that adds up; so the last
// fraction of a millisecond is waited out by yielding the processor.
void sleepFor(std::int32_t ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    constexpr auto kSpin = std::chrono::microseconds(300);
    if (ms > 1) std::this_thread::sleep_until(deadline - kSpin);
    while (Clock::now() < deadline) std::this_thread::yield();
}

}  // namespace

void MainWindow::pause(std::int32_t ms) {
    if (ms > 0) pausedMs_ += ms;
    flushScreen();
    // After shut-down a game still running finishes without waiting.
    if (ms > 0 && !closing_) sleepFor(ms);
}

// --- closing and keys ----------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* e) {
    // The close box (a close the window system delivers) is refused while an
    // auxiliary window has disabled this one; a close the program asks for
    // (the exit menu, the end of the session, a termination signal) never is.
    std::int16_t cancel = 0;
    if (machine_ != nullptr)
        machine_->Form_QueryUnload(cancel, e->spontaneous() ? UnloadMode::ControlMenu : UnloadMode::Code);
    if (cancel != 0) {
        e->ignore();
        return;
    }
    ++shutdowns_;
    closing_ = true;
    for (auto* t : timers_) t->stop();
    // The auxiliary windows go with the main window, without their own steps.
    pays_->hide();
    about_->hide();
    closeOptions();
    e->accept();
    emit closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !keyPreview_ || forwarding_ || machine_ == nullptr || closing_) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // Keys of this window only, and none while it is disabled.
    if (w == nullptr || w->window() != this || !backdrop_->isEnabled()) return false;
    // A key an element ignores travels on to its parents: the handler sees
    // it once, at its first receiver.
    QWidget* first = QApplication::focusWidget();
    if (w != (first != nullptr ? first : static_cast<QWidget*>(this))) return false;
    auto* key = static_cast<QKeyEvent*>(e);
    const QString text = key->text();
    if (text.isEmpty()) return false;  // no character: arrows, shifts, function keys
    const char16_t ch = text.at(0).unicode();
    if (ch > 255) return false;
    std::int16_t keyascii = static_cast<std::int16_t>(ch);
    const std::int16_t before = keyascii;
    machine_->Form_KeyPress(keyascii);
    if (keyascii == 0) return true;
    if (keyascii == before) {
        // A space that reached the handler has done its work there: handing
        // it on would press the focused button a second time.
        return before == 32;
    }
    if (keyascii == 32) {
        // A replaced key goes on to the focused element as a space.
        QWidget* target = QApplication::focusWidget();
        if (target != nullptr && target->window() == this) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            forwarding_ = true;  // the handler has seen this key already
            QCoreApplication::sendEvent(target, &press);
            QCoreApplication::sendEvent(target, &release);
            forwarding_ = false;
        }
        return true;
    }
    return true;
}

}  // namespace velmoran::shell
