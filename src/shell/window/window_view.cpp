#include "shell/window/window_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <thread>

#include "core/machine.h"
#include "players/options_window.h"
#include "shell/art/art_library.h"
#include "shell/audio/cue_player.h"
#include "shell/options/options_widget.h"
#include "shell/window/aux_windows.h"
#include "shell/window/board.h"
#include "shell/window/main_window.h"
#include "shell/window/widgets.h"

namespace velmoran::shell {

namespace {

constexpr double kTwipsPerPixel = 15.0;

int fromTwips(std::int32_t twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace

WindowView::WindowView(MainWindow& window, Board& board, const art::Library& art, audio::CuePlayer& cues)
    : window_(window), board_(board), art_(art), cues_(&cues) {
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        auto* t = new QTimer(&window_);
        const auto timer = static_cast<Timer>(i);
        t->setObjectName(qs(info(timer).name));
        t->setInterval(info(timer).intervalMs);
        t->setTimerType(Qt::PreciseTimer);
        QObject::connect(t, &QTimer::timeout, &window_, [this, timer] {
            if (machine_ != nullptr && !closing_) machine_->onTimer(timer);
        });
        timers_[i] = t;
    }
}

WindowView::~WindowView() {
    if (hourglass_) QGuiApplication::restoreOverrideCursor();
}

void WindowView::attach(Machine& machine) {
    machine_ = &machine;
    optionsLogic_ = std::make_unique<OptionsWindow>(machine);
}

bool WindowView::timerActive(Timer t) const {
    return timers_[static_cast<std::size_t>(t)]->isActive();
}

void WindowView::windDown() {
    closing_ = true;
    for (auto* t : timers_) t->stop();
    closeOptions();
}

// --- GameView ----------------------------------------------------------

QPixmap WindowView::pictureFor(Picture p) const {
    if (p.list == PictureList::None) return {};
    if (p.overlay == 0) return art_.entry(p.list, p.index);
    return art_.composite(p.list, p.index, p.overlay);
}

void WindowView::setPicture(El e, Picture p) {
    if (!e.valid() || !p.valid()) return;
    QWidget* w = board_.widget(e);
    if (w == nullptr) return;
    const QPixmap pix = pictureFor(p);
    if (auto* b = qobject_cast<PictureBox*>(w)) {
        b->setPixmap(pix);
    } else if (auto* btn = qobject_cast<PictureButton*>(w)) {
        btn->setPicture(pix);
    }
}

void WindowView::setCaption(El e, std::string_view text) {
    if (!e.valid()) return;
    const QString t = qs(text);
    switch (e.name) {
        case Element::velmoran:
            window_.setWindowTitle(t);
            return;
        case Element::velmoranpays:
            window_.payTable()->setWindowTitle(t);
            return;
        case Element::aboutvelmoran:
            window_.about()->setWindowTitle(t);
            return;
        default:
            break;
    }
    if (QAction* a = window_.menuAction(e.name)) {
        a->setText(t);
        return;
    }
    if (QWidget* w = board_.widget(e))
        setCaptionOf(w, t);
    else if (e.name == Element::lblTitle)
        window_.about()->title()->setText(t);
}

void WindowView::setVisible(El e, bool visible) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            window_.setVisible(visible);
            return;
        case Element::velmoranpays:
            window_.payTable()->setVisible(visible);
            return;
        case Element::frmvelmoranoptions:
            if (visible) {
                openOptions();
            } else if (options_ != nullptr) {
                options_->hide();
            }
            return;
        case Element::aboutvelmoran:
            window_.about()->setVisible(visible);
            return;
        case Element::lblTitle:
            window_.about()->title()->setVisible(visible);
            return;
        case Element::Lineflash:
            board_.backdrop->setStrokeVisible(e.index - 1, visible);
            return;
        default:
            break;
    }
    if (QAction* a = window_.menuAction(e.name)) {
        a->setVisible(visible);
        return;
    }
    if (QWidget* w = board_.widget(e)) {
        if (!visible) keepFocusOff(w);
        w->setVisible(visible);
    }
}

void WindowView::keepFocusOff(QWidget* w) {
    // Left to itself, Qt hands the focus of a control that is hidden or
    // disabled to the next one in the chain, where a key would press a
    // button the player never chose (the banknote, say). The window itself
    // takes it instead.
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && (focused == w || w->isAncestorOf(focused)))
        board_.backdrop->setFocus(Qt::OtherFocusReason);
}

void WindowView::setEnabled(El e, bool enabled) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            // The client and the menu bar: the pay table and About windows,
            // which belong to this window, stay usable.
            board_.backdrop->setEnabled(enabled);
            window_.menuBar()->setEnabled(enabled);
            return;
        case Element::velmoranpays:
            window_.payTable()->setEnabled(enabled);
            return;
        case Element::aboutvelmoran:
            window_.about()->setEnabled(enabled);
            return;
        default:
            break;
    }
    if (QAction* a = window_.menuAction(e.name)) {
        a->setEnabled(enabled);
        return;
    }
    if (QWidget* w = board_.widget(e)) {
        if (!enabled) keepFocusOff(w);
        w->setEnabled(enabled);
    }
}

void WindowView::setChecked(El e, bool checked) {
    if (e.valid()) setOptionChecked(qobject_cast<QAbstractButton*>(board_.widget(e)), checked);
}

void WindowView::openOptions() {
    if (options_ == nullptr) {
        options_ = new OptionsWidget(*optionsLogic_, &window_);
        for (const auto& [el, w] : options_->elements()) board_.widgets[el] = w;
    }
    options_->show();
    options_->raise();
    options_->activateWindow();
}

void WindowView::closeOptions() {
    std::erase_if(board_.widgets,
                  [](const auto& kv) { return info(kv.first.name).window == Window::frmvelmoranoptions; });
    if (options_ != nullptr) options_->unload();
    options_ = nullptr;
}

void WindowView::move(El e, std::int32_t left, std::int32_t top) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            window_.move(fromTwips(left), fromTwips(top));
            return;
        case Element::velmoranpays:
            window_.payTable()->move(fromTwips(left), fromTwips(top));
            return;
        case Element::aboutvelmoran:
            if (!(window_.isMinimized() || window_.isMaximized()))
                window_.about()->move(fromTwips(left), fromTwips(top));
            return;
        case Element::reel1:
        case Element::reel2:
        case Element::reel3:
        case Element::reel4:
        case Element::reel5:
            board_.reels[static_cast<std::size_t>(static_cast<int>(e.name) - static_cast<int>(Element::reel1))]
                ->setStripTop(fromTwips(top));
            return;
        default:
            break;
    }
    if (QWidget* w = board_.widget(e)) w->move(fromTwips(left), fromTwips(top));
}

void WindowView::resize(El e, std::int32_t width, std::int32_t height) {
    if (!e.valid()) return;
    if (e.name == Element::velmoran) return;  // the client area is fixed
    if (e.name == Element::aboutvelmoran) {
        if (height != kKeep) window_.about()->setFrameHeight(fromTwips(height));
        return;
    }
    if (QWidget* w = board_.widget(e)) {
        w->resize(width == kKeep ? w->width() : fromTwips(width), height == kKeep ? w->height() : fromTwips(height));
    }
}

void WindowView::setLineEnds(El e, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (!e.valid() || e.name != Element::Lineflash) return;
    board_.backdrop->setStrokeEnds(
        e.index - 1, QLineF(x1 / kTwipsPerPixel, y1 / kTwipsPerPixel, x2 / kTwipsPerPixel, y2 / kTwipsPerPixel));
}

void WindowView::setLineColour(El e, Rgb colour) {
    if (!e.valid() || e.name != Element::Lineflash) return;
    board_.backdrop->setStrokeColour(e.index - 1, QColor(colour.r, colour.g, colour.b));
}

void WindowView::setFocus(El e) {
    if (!e.valid()) return;
    switch (e.name) {
        case Element::velmoran:
            board_.backdrop->setFocus(Qt::OtherFocusReason);
            return;
        case Element::velmoranpays:
            window_.payTable()->activateWindow();
            return;
        case Element::aboutvelmoran:
            window_.about()->activateWindow();
            return;
        default:
            break;
    }
    if (QWidget* w = board_.widget(e)) w->setFocus(Qt::OtherFocusReason);
}

void WindowView::setKeyPreview(bool on) {
    keyPreview_ = on;
}

void WindowView::bringToFront(El window) {
    QWidget* w = window.name == Element::velmoran        ? static_cast<QWidget*>(&window_)
                 : window.name == Element::velmoranpays  ? static_cast<QWidget*>(window_.payTable())
                 : window.name == Element::aboutvelmoran ? static_cast<QWidget*>(window_.about())
                                                         : nullptr;
    if (w == nullptr) return;
    w->raise();
    w->activateWindow();
}

void WindowView::unload(El window) {
    switch (window.name) {
        case Element::velmoran:
            window_.close();
            return;
        case Element::velmoranpays:
            window_.payTable()->unload();
            return;
        case Element::aboutvelmoran:
            window_.about()->unload();
            return;
        case Element::frmvelmoranoptions:
            closeOptions();
            return;
        default:
            return;
    }
}

void WindowView::setMousePointer(MousePointer pointer) {
    const bool wait = pointer == MousePointer::Hourglass;
    if (wait == hourglass_) return;
    hourglass_ = wait;
    if (wait)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void WindowView::setTimer(Timer t, bool enabled) {
    QTimer* timer = timers_[static_cast<std::size_t>(t)];
    if (enabled && !closing_) {
        if (!timer->isActive()) timer->start();
    } else {
        timer->stop();
    }
}

void WindowView::playsound(SoundCue cue) {
    cues_->play(cue, false);
}
void WindowView::playsoundlooped(SoundCue cue) {
    cues_->play(cue, true);
}

void WindowView::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
    QString t = qs(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon, qs(title), t,
                    QMessageBox::Ok, window_.isVisible() ? &window_ : nullptr);
    box.exec();
}

void WindowView::yield() {
    QCoreApplication::processEvents();
}

void WindowView::flushScreen() {
    // Repainting any part of the window paints every region marked dirty so
    // far and puts it on the screen at once.
    if (window_.isVisible() && board_.backdrop != nullptr) board_.backdrop->repaint(QRect(0, 0, 1, 1));
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

void WindowView::pause(std::int32_t ms) {
    flushScreen();
    // After shut-down a game still running finishes without waiting.
    if (ms > 0 && !closing_) sleepFor(ms);
}

}  // namespace velmoran::shell
