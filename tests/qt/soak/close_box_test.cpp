// The main window's close box as a player meets it: the window system's
// close request (WM_DELETE_WINDOW, sent to the window on a real X server as
// a window manager sends it when the box is clicked). While the pay table,
// About or the options are open the main window is disabled, and the
// request does nothing: nothing is saved, not even an option not yet
// confirmed, and the window stays. Without one, the same request shuts the
// program down and writes the record. A close the program asks for itself
// (a termination signal, the end of the session) shuts down in any case.
#include <xcb/xcb.h>

#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <cstdlib>
#include <cstring>

#include "shell/window/aux_windows.h"
#include "window_fixture.h"

namespace velmoran::test {
namespace {

using E = Element;

// A client of the X server of its own, as a window manager is.
class WindowManager {
public:
    WindowManager() : c_(xcb_connect(nullptr, nullptr)) {}
    ~WindowManager() { xcb_disconnect(c_); }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    [[nodiscard]] bool connected() const { return xcb_connection_has_error(c_) == 0; }

    // What a click on the close box of `window`'s frame sends to it.
    void requestClose(WId window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = static_cast<xcb_window_t>(window);
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, message.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        xcb_flush(c_);
    }

private:
    xcb_atom_t atom(const char* name) {
        const auto cookie = xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c_, cookie, nullptr);
        const xcb_atom_t a = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }

    xcb_connection_t* c_;
};

// The close events the main window receives, and how many of them came
// from the window system.
class CloseEvents final : public QObject {
public:
    int fromWindowSystem = 0;
    int all = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close) {
            ++all;
            if (e->spontaneous()) ++fromWindowSystem;
        }
        return false;
    }
};

class CloseBox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "needs a real X server";
        ASSERT_TRUE(wm.connected());
        ASSERT_TRUE(rig.window.start());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.window));
        rig.window.installEventFilter(&closes);
    }

    // A menu entry clicked on the menu bar.
    void choose(Element e) {
        QMenuBar* bar = rig.window.menuBar();
        const QRect r = bar->actionGeometry(rig.window.menuAction(e));
        QTest::mouseClick(rig.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          bar->mapTo(&rig.window, r.center()));
    }

    static QWidget* options() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QStringLiteral("frmvelmoranoptions") && top->isVisible()) return top;
        return nullptr;
    }

    // Sends the close box's request and waits until the window has handled it.
    void closeBox() {
        const int before = closes.fromWindowSystem;
        wm.requestClose(rig.window.winId());
        ASSERT_TRUE(waitFor([&] { return closes.fromWindowSystem > before; }, 10000))
            << "the window system's close request never reached the window";
    }

    WindowManager wm;
    WindowRig rig;
    CloseEvents closes;
    QSignalSpy ended{&rig.window, &shell::MainWindow::closed};
};

TEST_F(CloseBox, DoesNothingWhileThePayTableAboutOrTheOptionsAreOpen) {
    const std::pair<Element, const char*> windows[] = {
        {E::mnuptble, "pay table"}, {E::mnuabout, "About"}, {E::mnuplayer, "options"}};
    for (const auto& [menu, name] : windows) {
        SCOPED_TRACE(name);
        choose(menu);
        QWidget* open = menu == E::mnuptble   ? static_cast<QWidget*>(rig.window.payTable())
                        : menu == E::mnuabout ? static_cast<QWidget*>(rig.window.about())
                                              : options();
        ASSERT_NE(open, nullptr);
        ASSERT_TRUE(waitFor([&] { return open->isVisible(); }, 5000));
        const std::int16_t speed = rig.machine.state.reelspeed;
        if (menu == E::mnuplayer) {
            // A reel speed chosen and not yet confirmed.
            auto* slowest = open->findChild<QRadioButton*>(QStringLiteral("setspeed(4)"));
            ASSERT_NE(slowest, nullptr);
            QTest::mouseClick(slowest, Qt::LeftButton, Qt::NoModifier, QPoint(6, slowest->height() / 2));
            ASSERT_NE(rig.machine.state.reelspeed, speed);
        }
        const int writes = rig.store.writes;

        closeBox();
        EXPECT_TRUE(rig.window.isVisible());
        EXPECT_TRUE(open->isVisible());
        EXPECT_EQ(rig.window.shutdowns(), 0);
        EXPECT_FALSE(rig.machine.state.shutdown);
        EXPECT_EQ(ended.count(), 0);
        EXPECT_EQ(rig.store.writes, writes) << "the refused close wrote to the store";
        // Opening the options saved the record with the speed confirmed so far.
        if (menu == E::mnuplayer) {
            EXPECT_EQ(rig.store.get("player1", "reelspeed"), std::to_string(speed));
        }

        // The window closed the ordinary way, the machine is usable again.
        QAbstractButton* done = menu == E::mnuptble ? rig.window.payTable()->closeButton()
                                : menu == E::mnuabout
                                    ? rig.window.about()->okButton()
                                    : open->findChild<QAbstractButton*>(QStringLiteral("btnokplayer"));
        ASSERT_NE(done, nullptr);
        QTest::mouseClick(done, Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] { return rig.machine.state.auxwindow == AuxWindow::None; }, 5000));
        EXPECT_TRUE(rig.w({E::play, 1})->isEnabled());
    }
    EXPECT_EQ(closes.all, 3);

    // A termination signal closes the window from the program itself: with
    // the pay table open it still shuts down and writes the record.
    choose(E::mnuptble);
    ASSERT_TRUE(waitFor([&] { return rig.window.payTable()->isVisible(); }, 5000));
    const int writes = rig.store.writes;
    rig.window.close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(rig.window.shutdowns(), 1);
    EXPECT_GT(rig.store.writes, writes);
    EXPECT_FALSE(rig.window.payTable()->isVisible());
}

TEST_F(CloseBox, WithNoOtherWindowOpenShutsTheProgramDownAndWritesTheRecord) {
    rig.click(E::notes);
    rig.click(E::COINSIN);
    const std::size_t logged = rig.store.writeLog.size();

    closeBox();
    ASSERT_TRUE(waitFor([&] { return ended.count() == 1; }, 5000));
    EXPECT_EQ(rig.window.shutdowns(), 1);
    EXPECT_FALSE(rig.window.isVisible());
    // The shut-down wrote the whole record, with the credit inserted.
    ASSERT_EQ(rig.store.writeLog.size(), logged + 8);
    const PlayerRecord r = rig.store.record("player1");
    EXPECT_EQ(r.bank, 5020);
    EXPECT_EQ(r.amountinvested, 5020);
    EXPECT_EQ(std::get<1>(rig.store.writeLog[logged + 5]), "bank");
    EXPECT_EQ(std::get<2>(rig.store.writeLog[logged + 5]), "5020");
}

}  // namespace
}  // namespace velmoran::test
