// The options window's widgets driven by the real options logic: the player
// clicks and types into the widgets, the logic answers through a GameView
// that routes the options window's elements to those widgets, the way the
// main window does, and records everything else.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <algorithm>
#include <map>

#include "core/machine.h"
#include "players/options_window.h"
#include "shell/options/options_widget.h"
#include "support/fakes.h"
#include "support/recording_view.h"

namespace velmoran::test {
namespace {

using shell::OptionsWidget;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Records every call; the options window's elements also reach their widgets.
class OptionsView final : public RecordingView {
public:
    OptionsWindow* options = nullptr;
    QWidget owner;  // stands in for the main window
    QPointer<OptionsWidget> window;
    std::map<El, QWidget*> widgets;
    int opened = 0;

    QWidget* find(El e) const {
        auto it = widgets.find(e);
        return it == widgets.end() ? nullptr : it->second;
    }

    void setCaption(El e, std::string_view text) override {
        RecordingView::setCaption(e, text);
        QWidget* w = find(e);
        if (e.name == Element::frmvelmoranoptions && w != nullptr)
            w->setWindowTitle(qs(text));
        else if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(qs(text));
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(qs(text));
        else if (auto* box = qobject_cast<QLineEdit*>(w))
            box->setText(qs(text));
    }
    void setVisible(El e, bool visible) override {
        RecordingView::setVisible(e, visible);
        if (e.name == Element::frmvelmoranoptions && visible && window == nullptr) {
            window = new OptionsWidget(*options, &owner);
            widgets = window->elements();
            ++opened;
        }
        if (QWidget* w = find(e)) w->setVisible(visible);
    }
    void setEnabled(El e, bool enabled) override {
        RecordingView::setEnabled(e, enabled);
        // The owner really goes disabled: the options window must not follow.
        if (e.name == Element::velmoran) owner.setEnabled(enabled);
        if (QWidget* w = find(e)) w->setEnabled(enabled);
    }
    void setChecked(El e, bool checked) override {
        RecordingView::setChecked(e, checked);
        shell::setOptionChecked(qobject_cast<QAbstractButton*>(find(e)), checked);
    }
    void setFocus(El e) override {
        RecordingView::setFocus(e);
        if (QWidget* w = find(e)) w->setFocus(Qt::OtherFocusReason);
    }
    void unload(El e) override {
        RecordingView::unload(e);
        if (e.name != Element::frmvelmoranoptions || window == nullptr) return;
        widgets.clear();
        window->unload();
        window = nullptr;
    }
    void yield() override {
        RecordingView::yield();
        QCoreApplication::processEvents();
    }
};

class OptionsWidgetTest : public ::testing::Test {
protected:
    MemoryStore store;
    FakeDisplay display;
    ScriptedRandom random;
    OptionsView view;
    Machine machine{view, random, store, display};
    OptionsWindow options{machine};

    void SetUp() override { view.options = &options; }
    void TearDown() override { delete view.window.data(); }

    // The program's start (once), then the Options menu entry.
    void open() {
        if (view.opened == 0) {
            machine.startupload();
            store.readLog.clear();
        }
        machine.mnuplayer_Click();
        ASSERT_NE(view.window, nullptr);
        ASSERT_TRUE(view.window->isVisible());
    }
    template <typename T = QWidget>
    T* el(El e) {
        auto* w = qobject_cast<T*>(view.find(e));
        EXPECT_NE(w, nullptr) << describe(e);
        return w;
    }
    QString text(El e) {
        QWidget* w = view.find(e);
        if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
        if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
        ADD_FAILURE() << "no text element " << describe(e);
        return {};
    }
    bool checked(El e) { return el<QAbstractButton>(e)->isChecked(); }
    // Clicks an option on its indicator, which is there even without a caption.
    void select(El e) {
        auto* b = el<QRadioButton>(e);
        QStyleOptionButton opt;
        opt.initFrom(b);
        const QRect r = b->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, b);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, r.center());
    }
    void press(El e) { QTest::mouseClick(el<QAbstractButton>(e), Qt::LeftButton); }
    void enterName(const QString& name) {
        auto* box = el<QLineEdit>(Element::player1);
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void destroyUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    int cue124s() const {
        return static_cast<int>(std::count_if(view.sounds.begin(), view.sounds.end(),
                                              [](const SoundEvent& s) { return s.cue == SoundCue::Click; }));
    }
    void putPlayer(int slot, std::string_view name, std::string_view bank, std::string_view games,
                   std::string_view winroll, std::string_view reelspeed) {
        const std::string section = "player" + std::to_string(slot);
        store.set(section, "currentplayer", name);
        store.set(section, "bank", bank);
        store.set(section, "games", games);
        store.set(section, "wager", games == "0" ? "0" : "200");
        store.set(section, "total", games == "0" ? "0" : "150");
        store.set(section, "amountinvested", bank);
        store.set(section, "winroll", winroll);
        store.set(section, "reelspeed", reelspeed);
    }
};

TEST_F(OptionsWidgetTest, EveryElementOfTheWindowIsThereInItsContainer) {
    open();
    const auto all = view.window->elements();
    for (const auto& i : kElementInfo) {
        if (i.window != Window::frmvelmoranoptions) continue;
        const auto e = static_cast<Element>(&i - kElementInfo.data());
        for (int k = i.first; k <= i.last; ++k) {
            const El member{e, static_cast<std::int16_t>(k)};
            EXPECT_TRUE(all.count(member) == 1 && all.at(member) != nullptr) << describe(member);
        }
    }
    EXPECT_EQ(all.at(Element::frmvelmoranoptions), view.window.data());
    EXPECT_EQ(el(Element::player1)->parentWidget(), el(Element::Framemain));
    EXPECT_EQ(el({Element::wincounter, 2})->parentWidget(), el(Element::Framecounter));
    EXPECT_EQ(el(Element::SSOption2)->parentWidget(), el(Element::Frame1));
    EXPECT_EQ(el({Element::setspeed, 4})->parentWidget(), el(Element::Framespeed));
    EXPECT_EQ(el(Element::speedlab)->parentWidget(), el(Element::Framespeed));
    // Captions with runs of spaces and "<<<" stay plain text.
    EXPECT_EQ(el<QLabel>(Element::fastslow)->textFormat(), Qt::PlainText);
    EXPECT_EQ(text(Element::fastslow), "<<<Faster                              Slower>>>");
}

TEST_F(OptionsWidgetTest, OpensBesideADisabledMainWindowAtTheTopLeft) {
    open();
    OptionsWidget* w = view.window;
    EXPECT_EQ(w->windowTitle(), "Velmoran Options");
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_EQ(w->size(), QSize(592, 302));
    EXPECT_EQ(w->pos(), QPoint(0, 0));
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    // The logic disabled the main window; the options stay usable.
    EXPECT_FALSE(view.owner.isEnabled());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(el(Element::player1)->isEnabled());
    EXPECT_TRUE(el({Element::machine, 3})->isEnabled());
}

TEST_F(OptionsWidgetTest, AnEmptyStoreListsSixVacantSlotsAndTheDefaults) {
    open();
    for (std::int16_t k = 1; k <= 6; ++k) EXPECT_EQ(text({Element::machine, k}), "Vacant") << k;
    EXPECT_TRUE(checked({Element::machine, 1}));
    EXPECT_TRUE(checked({Element::wincounter, 2}));
    EXPECT_FALSE(checked({Element::wincounter, 1}));
    EXPECT_EQ(text({Element::wincounter, 2}), "Wincounter OFF");
    EXPECT_EQ(text({Element::wincounter, 1}), "");
    EXPECT_TRUE(checked({Element::setspeed, 0}));
    EXPECT_FALSE(checked(Element::SSOption1));
    EXPECT_FALSE(checked(Element::SSOption2));
    EXPECT_EQ(text(Element::lblgames), "Games Played      ");
    EXPECT_EQ(text(Element::lblinvested), "Total Invested      ");
    EXPECT_EQ(text(Element::lblcurrentplayer), "Current Player    ");
    EXPECT_EQ(text(Element::Btndeletedetails), "Delete Currentplayer  () Details");
    EXPECT_EQ(text(Element::speedlab), "");
    // Selecting machine(1) for the window did not choose the slot a second
    // time: slot 1 was read once.
    EXPECT_EQ(std::count(store.readLog.begin(), store.readLog.end(),
                         std::make_pair(std::string("player1"), std::string("winroll"))),
              1);
}

TEST_F(OptionsWidgetTest, NamesAreCheckedForLengthWhenEnterIsPressed) {
    putPlayer(1, "Ann", "500", "0", "0", "1");
    open();
    auto* box = el<QLineEdit>(Element::player1);
    QSignalSpy returns(box, &QLineEdit::returnPressed);

    enterName("Thirteen Char");  // 13 characters
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0].text, "Name Too Long");
    EXPECT_EQ(view.messages[0].title, "Slots_Velmoran");
    EXPECT_EQ(store.get("player1", "currentplayer"), "Ann");
    EXPECT_EQ(text({Element::machine, 1}), "ANN");
    EXPECT_EQ(box->text(), "");

    enterName("");
    ASSERT_EQ(view.messages.size(), 2U);
    EXPECT_EQ(view.messages[1].text, "Nothing Entered");

    enterName("Twelve Chars");  // 12 characters
    EXPECT_EQ(view.messages.size(), 2U);
    EXPECT_EQ(store.get("player1", "currentplayer"), "Twelve Chars");
    EXPECT_EQ(text({Element::machine, 1}), "TWELVE CHARS");
    EXPECT_EQ(box->text(), "");
    // Enter never reached the box.
    EXPECT_EQ(returns.count(), 0);
}

TEST_F(OptionsWidgetTest, ALowerCaseNameIsShownInCapitalsAndStoredAsTyped) {
    open();
    enterName("ann");
    EXPECT_EQ(text({Element::machine, 1}), "ANN");
    EXPECT_EQ(text(Element::lblcurrentplayer), "Current Player  ANN");
    EXPECT_EQ(view.caption(Element::velmoran), "Current Player       ANN");
    EXPECT_EQ(store.get("player1", "currentplayer"), "ann");
    EXPECT_EQ(text(Element::Btndeletedetails), "Delete Currentplayer  (ann) Details");

    // Keys other than Enter are typed; the delete button keeps the live name.
    QTest::keyClicks(el(Element::player1), "bob");
    EXPECT_EQ(text(Element::player1), "bob");
    EXPECT_EQ(text(Element::Btndeletedetails), "Delete Currentplayer  (ann) Details");
    EXPECT_EQ(machine.state.currentplayer, "ann");
}

TEST_F(OptionsWidgetTest, DeleteDetailsEmptiesTheCreditMeters) {
    putPlayer(1, "Ann", "1250", "7", "1", "2");
    open();
    EXPECT_EQ(view.caption(Element::PANELBANK), "1250");
    EXPECT_EQ(view.caption(Element::Lblcredit), "$ 12.5");
    press(Element::Btndeletedetails);
    EXPECT_EQ(view.caption(Element::PANELBANK), "");
    EXPECT_EQ(view.caption(Element::Lblcredit), "");
    EXPECT_EQ(store.get("player1", "bank"), "0");
    EXPECT_EQ(store.get("player1", "games"), "0");
    EXPECT_EQ(store.get("player1", "currentplayer"), "Ann");
    EXPECT_EQ(text(Element::lblgames), "Games Played            0");
    EXPECT_EQ(text(Element::lblreturned), "Returned To Player     % ");
}

TEST_F(OptionsWidgetTest, ChoosingASlotShowsItsRecord) {
    putPlayer(1, "Ann", "500", "3", "1", "4");
    putPlayer(3, "Cy", "900", "0", "0", "3");  // a reel speed the options do not offer
    open();
    EXPECT_EQ(text({Element::machine, 1}), "ANN");
    EXPECT_TRUE(checked({Element::wincounter, 1}));
    EXPECT_EQ(text({Element::wincounter, 1}), "Wincounter ON ");
    EXPECT_TRUE(checked({Element::setspeed, 2}));

    select({Element::machine, 2});
    EXPECT_EQ(machine.state.currentslot, 2);
    EXPECT_TRUE(checked({Element::machine, 2}));
    EXPECT_FALSE(checked({Element::machine, 1}));
    EXPECT_EQ(text({Element::machine, 2}), "Vacant");
    EXPECT_EQ(view.caption(Element::PANELBANK), "0");
    EXPECT_TRUE(checked({Element::wincounter, 2}));
    EXPECT_EQ(text({Element::wincounter, 1}), "");
    EXPECT_EQ(text({Element::wincounter, 2}), "Wincounter OFF");
    EXPECT_TRUE(checked({Element::setspeed, 0}));
    EXPECT_EQ(text(Element::lblgames), "Games Played          ");

    select({Element::machine, 3});
    EXPECT_EQ(view.caption(Element::PANELBANK), "900");
    for (std::int16_t i = 0; i <= 4; ++i) EXPECT_FALSE(checked({Element::setspeed, i})) << i;
    // The name box has the focus for a name.
    EXPECT_EQ(view.focus, El(Element::player1));
}

TEST_F(OptionsWidgetTest, EveryClickOfThePlayerReachesTheLogicAndNoSelectionOfTheGame) {
    open();
    select({Element::setspeed, 3});
    EXPECT_EQ(machine.state.reelspeed, 8);
    EXPECT_EQ(text(Element::speedlab), "Current Speed =   4");

    select({Element::wincounter, 1});
    EXPECT_EQ(machine.state.winroll, 1);
    EXPECT_EQ(text({Element::wincounter, 1}), "Wincounter ON");
    EXPECT_EQ(text({Element::wincounter, 2}), "");
    select({Element::wincounter, 2});
    EXPECT_EQ(machine.state.winroll, 0);
    EXPECT_EQ(text({Element::wincounter, 2}), "Wincounter OFF");

    select(Element::SSOption1);
    select(Element::SSOption2);
    const std::vector<std::pair<std::int32_t, std::int32_t>> modes{{800, 600}, {640, 480}};
    EXPECT_EQ(display.modes, modes);
    // Only one of the two sizes shows as chosen.
    EXPECT_FALSE(checked(Element::SSOption1));

    // Clicking the option already selected is a choice as well: the size is
    // asked for again, and the current slot is read again, which drops the
    // reel speed chosen since the window opened (it saved speed 1).
    select(Element::SSOption2);
    const std::vector<std::pair<std::int32_t, std::int32_t>> again{{800, 600}, {640, 480}, {640, 480}};
    EXPECT_EQ(display.modes, again);
    ASSERT_TRUE(checked({Element::machine, 1}));
    const int reads = store.reads;
    select({Element::machine, 1});
    EXPECT_GT(store.reads, reads);
    EXPECT_EQ(machine.state.reelspeed, 1);
    EXPECT_TRUE(checked({Element::setspeed, 0}));
    select({Element::setspeed, 0});
    EXPECT_EQ(text(Element::speedlab), "Current Speed =   1");

    // The game's own selection runs no handler.
    shell::setOptionChecked(el<QAbstractButton>({Element::setspeed, 1}), true);
    EXPECT_EQ(machine.state.reelspeed, 1);
    EXPECT_TRUE(checked({Element::setspeed, 1}));
    EXPECT_FALSE(checked({Element::setspeed, 0}));
}

TEST_F(OptionsWidgetTest, TheCloseBoxSavesAndEnablesTheMainWindowOnce) {
    open();
    select({Element::setspeed, 4});
    view.clearLogs();
    view.sounds.clear();
    QPointer<OptionsWidget> w = view.window;
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(view.owner.isEnabled());
    EXPECT_TRUE(view.enabled(Element::velmoran, false));
    EXPECT_EQ(store.get("player1", "reelspeed"), "10");
    // The closing steps ran once: their sound is heard once.
    EXPECT_EQ(cue124s(), 1);
    destroyUnloaded();
    EXPECT_EQ(w, nullptr);

    // It opens again as a new window, with no screen size chosen.
    open();
    EXPECT_EQ(view.opened, 2);
    EXPECT_FALSE(checked(Element::SSOption1));
    EXPECT_TRUE(checked({Element::setspeed, 4}));
}

TEST_F(OptionsWidgetTest, TheOkButtonSavesAndEnablesTheMainWindow) {
    putPlayer(1, "Ann", "500", "0", "0", "1");
    open();
    select({Element::wincounter, 1});
    view.sounds.clear();
    QPointer<OptionsWidget> w = view.window;
    press(Element::btnokplayer);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(view.owner.isEnabled());
    EXPECT_EQ(store.get("player1", "winroll"), "1");
    // The button's sound and the closing steps' sound; unloading the window
    // does not run the closing steps again.
    EXPECT_EQ(cue124s(), 2);
    destroyUnloaded();
    EXPECT_EQ(w, nullptr);
}

TEST_F(OptionsWidgetTest, TheWindowGoesWithItsOwner) {
    auto owner = std::make_unique<QWidget>();
    QPointer<OptionsWidget> w = new OptionsWidget(options, owner.get());
    owner.reset();
    EXPECT_EQ(w, nullptr);
}

}  // namespace
}  // namespace velmoran::test
