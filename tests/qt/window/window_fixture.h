#pragma once
// The main window wired to scripted chance, an in-memory store, a fake
// desktop and silence, started with a short start-up pause. The machine
// reaches the window through a view that answers message boxes at once and
// adds up the pauses; the window counts its shut-downs.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <memory>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/machine.h"
#include "shell/art/art_library.h"
#include "shell/audio/cue_player.h"
#include "shell/window/main_window.h"
#include "shell/window/widgets.h"
#include "support/fakes.h"
#include "support/forwarding_view.h"

#include <gtest/gtest.h>

namespace velmoran::test {

// Reel stops of the games the window tests play.
inline constexpr std::initializer_list<int> kLosing = {16, 15, 16, 21, 13};
// Three Moccasins on line 7 and nothing else that pays.
inline constexpr std::initializer_list<int> kLineSevenWin = {8, 6, 8, 2, 1};
// Three scatters: the free spins begin.
inline constexpr std::initializer_list<int> kThreeScatters = {10, 3, 6, 6, 9};

// Waits until cond holds or ms pass, running the event loop meanwhile.
template <typename F>
bool waitFor(F cond, int ms) {
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

// The pictures are rendered once for every test.
inline const art::Library& sharedArt() {
    static const art::Library library(1.0);
    return library;
}

// The main window, counting how often it has shut down.
class TestWindow final : public shell::MainWindow {
public:
    TestWindow(const art::Library& art, audio::CuePlayer& cues) : MainWindow(art, cues) {
        connect(this, &MainWindow::closed, this, [this] { ++shutdowns_; });
    }
    [[nodiscard]] int shutdowns() const noexcept { return shutdowns_; }

private:
    int shutdowns_ = 0;
};

// Hands every call to the window's view, except the message boxes, which it
// keeps (with their line ends as the window shows them) instead of waiting
// for a click; it adds up the pauses asked for.
class ObservedView final : public ForwardingView {
public:
    using ForwardingView::ForwardingView;

    std::vector<std::tuple<QString, QString, MessageIcon>> messages;
    std::int64_t pausedMs = 0;

    void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override {
        QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        messages.emplace_back(t, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), icon);
    }
    void pause(std::int32_t ms) override {
        if (ms > 0) pausedMs += ms;
        ForwardingView::pause(ms);
    }
};

struct WindowRig {
    audio::SilentCuePlayer cues;
    ScriptedRandom random;
    MemoryStore store;
    FakeDisplay display;
    TestWindow window{sharedArt(), cues};
    ObservedView view{window.view()};
    Machine machine{view, random, store, display};
    std::vector<std::tuple<QString, QString, MessageIcon>>& messages = view.messages;

    WindowRig() {
        window.attach(machine);
        machine.startupPauseMs = 20;
    }
    ~WindowRig() {
        if (window.isVisible()) window.hide();
    }

    QWidget* w(El e) const { return window.widget(e); }
    QLabel* label(El e) const { return qobject_cast<QLabel*>(window.widget(e)); }
    QAbstractButton* button(El e) const { return qobject_cast<QAbstractButton*>(window.widget(e)); }
    QString text(El e) const { return label(e) != nullptr ? label(e)->text() : QString(); }
    void click(El e) { QTest::mouseClick(button(e), Qt::LeftButton); }
    void settle(int ms = 50) { QTest::qWait(ms); }

    // Inserts a note and plays the line 7 win on play(1).
    void playLineSevenWin() {
        click(Element::notes);
        random.pushStops(kLineSevenWin);
        random.pushRespin(1);
        click({Element::play, 1});
    }
    // Inserts a note and plays the spin that awards the free spins; the
    // sequence is then cut to `spins` losing free spins so a test stays short.
    void triggerFreeSpins(std::int16_t spins) {
        click(Element::notes);
        random.pushStops(kThreeScatters);
        random.pushRespin(1);
        click({Element::play, 1});
        auto& s = machine.state;
        ASSERT_EQ(s.freespinstotal, 11);
        ASSERT_GT(s.freespinwin, 0);
        s.freespinstotal = static_cast<std::int16_t>(s.freespinsplayed + spins);
        for (int i = 0; i < spins; ++i) {
            random.pushStops(kLosing);
            random.pushMultiplierDraw(20);
            random.pushRespin(1);
        }
    }
};

}  // namespace velmoran::test
