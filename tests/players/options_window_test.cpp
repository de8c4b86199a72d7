// The options window: opening, choosing and naming a slot, Delete details,
// the preferences, the screen size and both ways of closing.
#include <gtest/gtest.h>

#include "support/rig.h"

namespace velmoran::test {
namespace {

std::string padded(std::string_view text, std::size_t blanks) {
    return std::string(text) + std::string(blanks, ' ');
}

class Options : public ::testing::Test {
protected:
    Rig rig;
    OptionsWindow& w() { return rig.options; }
    std::string caption(El e) { return rig.view.caption(e); }
    bool checked(El e) { return rig.view.at(e).checked.value_or(false); }
    void storeAnn(std::string_view section) {
        for (auto [k, v] : std::initializer_list<std::pair<const char*, const char*>>{{"winroll", "1"},
                                                                                      {"reelspeed", "8"},
                                                                                      {"amountinvested", "500"},
                                                                                      {"wager", "200"},
                                                                                      {"total", "150"},
                                                                                      {"bank", "300"},
                                                                                      {"games", "4"},
                                                                                      {"currentplayer", "Ann"}}) {
            rig.store.set(section, k, v);
        }
    }
    void open() {
        rig.machine.startupload();
        rig.machine.mnuplayer_Click();
    }
    std::int16_t enter(std::string_view text) {
        rig.view.setCaption(Element::player1, text);  // as typed into the box
        std::int16_t key = 13;
        w().player1_KeyPress(key, text);
        return key;
    }
};

TEST_F(Options, OpeningWithAnEmptyStore) {
    open();
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 124}));
    EXPECT_FALSE(rig.view.enabled(Element::doublebutton));
    EXPECT_FALSE(rig.view.enabled(Element::velmoran));
    EXPECT_TRUE(rig.view.visible(Element::frmvelmoranoptions));
    for (std::int16_t k = 1; k <= 6; ++k) EXPECT_EQ(caption({Element::machine, k}), "Vacant");
    EXPECT_TRUE(checked({Element::machine, 1}));
    EXPECT_EQ(caption({Element::wincounter, 2}), "Wincounter OFF");
    EXPECT_EQ(caption({Element::wincounter, 1}), "");
    EXPECT_TRUE(checked({Element::wincounter, 2}));
    EXPECT_FALSE(checked({Element::wincounter, 1}));
    EXPECT_TRUE(checked({Element::setspeed, 0}));
    for (std::int16_t i = 1; i <= 4; ++i) EXPECT_FALSE(checked({Element::setspeed, i}));
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 4));
    EXPECT_EQ(caption(Element::lblgames), padded("Games Played", 6));
    EXPECT_EQ(caption(Element::lblreturned), padded("Returned To Player", 5));
    EXPECT_EQ(caption(Element::lblinvested), padded("Total Invested", 6));
    EXPECT_EQ(caption(Element::Btndeletedetails), "Delete Currentplayer  () Details");
    EXPECT_EQ(caption(Element::velmoran), "Current Player       ");
    EXPECT_EQ(caption(Element::PANELBANK), "0");
    // The record is written before the names are listed.
    EXPECT_EQ(rig.store.get("player1", "reelspeed"), "1");
    EXPECT_EQ(rig.view.focus, El(Element::player1));
}

TEST_F(Options, OpeningListsStoredPlayersAndShowsTheirFigures) {
    storeAnn("player1");
    rig.store.set("player3", "currentplayer", "bob");
    open();
    EXPECT_EQ(caption({Element::machine, 1}), "ANN");
    EXPECT_EQ(caption({Element::machine, 2}), "Vacant");
    EXPECT_EQ(caption({Element::machine, 3}), "BOB");
    EXPECT_EQ(caption(Element::Btndeletedetails), "Delete Currentplayer  (Ann) Details");
    EXPECT_EQ(caption(Element::velmoran), "Current Player       ANN");
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 4) + "ANN");
    EXPECT_EQ(caption(Element::lblwinlose), padded("Winning/Losing", 11) + "-200");
    EXPECT_EQ(caption(Element::lblreturned), padded("Returned To Player     %", 1) + "75");
    EXPECT_EQ(caption({Element::wincounter, 1}), "Wincounter ON ");
    EXPECT_TRUE(checked({Element::wincounter, 1}));
    EXPECT_TRUE(checked({Element::setspeed, 3}));
    EXPECT_EQ(caption(Element::speedlab), "");
    EXPECT_EQ(caption(Element::Lblcredit), "$ 3");
}

TEST_F(Options, MenuEntryDoesNothingDuringFreeSpinsOrTheGamble) {
    rig.s().freespinstotal = 1;
    rig.machine.mnuplayer_Click();
    rig.s().freespinstotal = 0;
    rig.s().gambleshown = true;
    rig.machine.mnuplayer_Click();
    EXPECT_TRUE(rig.view.log.empty());
    EXPECT_EQ(rig.store.writes, 0);
}

TEST_F(Options, ChoosingASlotDiscardsUnsavedPreferencesOfThePrevious) {
    storeAnn("player2");
    open();
    w().setspeed_Click(4);
    w().wincounter_Click(1);
    EXPECT_EQ(rig.s().reelspeed, 10);
    EXPECT_EQ(caption(Element::speedlab), "Current Speed =   5");
    rig.view.clearLogs();
    rig.view.setChecked({Element::machine, 2}, true);
    w().machine_Click(2);
    EXPECT_EQ(rig.store.writes, 8);  // only the save at opening
    EXPECT_EQ(rig.store.get("player1", "reelspeed"), "1");
    EXPECT_EQ(rig.s().currentslot, 2);
    EXPECT_EQ(rig.view.yields, 1);
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 3) + "ANN");
    EXPECT_EQ(caption(Element::lblgames), padded("Games Played", 12) + "4");
    EXPECT_EQ(caption(Element::PANELBANK), "300");
    EXPECT_EQ(caption({Element::machine, 2}), "ANN");
    EXPECT_TRUE(checked({Element::setspeed, 3}));
    EXPECT_FALSE(checked({Element::setspeed, 4}));

    rig.view.setChecked({Element::machine, 3}, true);
    w().machine_Click(3);  // vacant
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 4));
    EXPECT_EQ(caption(Element::lblgames), padded("Games Played", 10));
    EXPECT_EQ(caption(Element::lblreturned), padded("Returned To Player", 1));
    EXPECT_EQ(caption(Element::PANELBANK), "0");
    EXPECT_EQ(caption(Element::Lblcredit), "$ 0");
    EXPECT_EQ(rig.s().reelspeed, 1);
    EXPECT_TRUE(checked({Element::wincounter, 2}));
}

TEST_F(Options, ASlotChosenDuringTheYieldKeepsItsButtonsRight) {
    storeAnn("player2");
    rig.store.set("player3", "currentplayer", "Cy");
    open();
    rig.view.onYield = [this](int n) {
        if (n == 1) w().machine_Click(3);
    };
    rig.view.clearLogs();
    w().machine_Click(2);
    EXPECT_EQ(rig.s().currentslot, 3);
    EXPECT_EQ(caption({Element::machine, 3}), "CY");
    EXPECT_NE(caption({Element::machine, 2}), "CY");
    EXPECT_EQ(caption(Element::velmoran), "Current Player       CY");
}

TEST_F(Options, NamingAcceptsTwelveCharactersAndShowsCapitals) {
    open();
    EXPECT_EQ(enter("ann marie 12"), 0);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.s().currentplayer, "ann marie 12");
    EXPECT_EQ(rig.store.get("player1", "currentplayer"), "ann marie 12");
    EXPECT_EQ(caption({Element::machine, 1}), "ANN MARIE 12");
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 2) + "ANN MARIE 12");
    EXPECT_EQ(caption(Element::velmoran), "Current Player       ANN MARIE 12");
    EXPECT_EQ(caption(Element::Btndeletedetails), "Delete Currentplayer  (ann marie 12) Details");
    EXPECT_EQ(caption(Element::player1), "");
    // Twelve characters that take two bytes each are still twelve.
    EXPECT_EQ(enter("éééééééééééé"), 0);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(caption({Element::machine, 1}), "ÉÉÉÉÉÉÉÉÉÉÉÉ");
}

TEST_F(Options, NamingRefusesEmptyAndTooLongNames) {
    storeAnn("player1");
    open();
    rig.view.clearLogs();
    const int writesBefore = rig.store.writes;
    EXPECT_EQ(enter("thirteen char"), 0);
    EXPECT_EQ(caption(Element::player1), "") << "the box is emptied for another try";
    EXPECT_EQ(enter(""), 0);
    ASSERT_EQ(rig.view.messages.size(), 2U);
    EXPECT_EQ(rig.view.messages[0].text, "Name Too Long");
    EXPECT_EQ(rig.view.messages[1].text, "Nothing Entered");
    for (const auto& m : rig.view.messages) {
        EXPECT_EQ(m.title, "Slots_Velmoran");
        EXPECT_EQ(m.icon, MessageIcon::Information);
    }
    EXPECT_EQ(rig.s().currentplayer, "Ann");
    EXPECT_EQ(rig.store.writes, writesBefore);
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 2) + "ANN");
    EXPECT_EQ(caption(Element::player1), "");
}

TEST_F(Options, OtherKeysGoIntoTheBox) {
    storeAnn("player1");
    open();
    rig.view.setCaption(Element::Btndeletedetails, "");
    std::int16_t key = 'x';
    w().player1_KeyPress(key, "bo");
    EXPECT_EQ(key, 'x');
    EXPECT_EQ(rig.s().currentplayer, "Ann");
    EXPECT_EQ(caption(Element::Btndeletedetails), "Delete Currentplayer  (Ann) Details");
}

TEST_F(Options, DeleteDetailsClearsCountersAndEmptiesTheCreditDisplays) {
    storeAnn("player1");
    open();
    rig.view.clearLogs();
    w().Btndeletedetails_Click();
    EXPECT_TRUE(rig.view.sounds.empty());
    EXPECT_EQ(rig.store.get("player1", "bank"), "0");
    EXPECT_EQ(rig.store.get("player1", "games"), "0");
    EXPECT_EQ(rig.store.get("player1", "currentplayer"), "Ann");
    EXPECT_EQ(rig.store.get("player1", "winroll"), "1");
    EXPECT_EQ(caption(Element::lblcurrentplayer), padded("Current Player", 3) + "ANN");
    EXPECT_EQ(caption(Element::lblgames), padded("Games Played", 12) + "0");
    EXPECT_EQ(caption(Element::lblwinlose), padded("Winning/Losing", 11) + "0");
    EXPECT_EQ(caption(Element::lblreturned), padded("Returned To Player     %", 1));
    EXPECT_EQ(caption(Element::lblinvested), padded("Total Invested", 13) + "0");
    EXPECT_EQ(caption(Element::PANELBANK), "");
    EXPECT_EQ(caption(Element::Lblcredit), "");
    // A new name for the emptied slot shows its credit again.
    EXPECT_EQ(enter("Bo"), 0);
    EXPECT_EQ(caption(Element::PANELBANK), "0");
    EXPECT_EQ(caption(Element::Lblcredit), "$ 0");
}

TEST_F(Options, OnlyTheSixSlotsAndTheFiveSpeedsExist) {
    storeAnn("player6");
    open();
    EXPECT_EQ(caption({Element::machine, 6}), "ANN");
    rig.view.clearLogs();
    for (const std::int16_t slot : {0, 7, -1}) w().machine_Click(slot);
    for (const std::int16_t speed : {-1, 5, 6}) w().setspeed_Click(speed);
    EXPECT_TRUE(rig.view.log.empty());
    EXPECT_EQ(rig.s().currentslot, 1);
    w().machine_Click(6);
    EXPECT_EQ(rig.s().currentslot, 6);
    EXPECT_EQ(rig.s().currentplayer, "Ann");
}

TEST_F(Options, PreferencesAndScreenSize) {
    open();
    w().wincounter_Click(1);
    EXPECT_EQ(rig.s().winroll, 1);
    EXPECT_EQ(caption({Element::wincounter, 1}), "Wincounter ON");
    EXPECT_EQ(caption({Element::wincounter, 2}), "");
    w().wincounter_Click(2);
    EXPECT_EQ(rig.s().winroll, 0);
    EXPECT_EQ(caption({Element::wincounter, 2}), "Wincounter OFF");
    EXPECT_EQ(caption({Element::wincounter, 1}), "");
    const std::array<std::int16_t, 5> levels{1, 2, 4, 8, 10};
    for (std::int16_t i = 0; i < 5; ++i) {
        w().setspeed_Click(i);
        EXPECT_EQ(rig.s().reelspeed, levels[static_cast<std::size_t>(i)]);
        EXPECT_EQ(caption(Element::speedlab), "Current Speed =   " + std::to_string(i + 1));
    }
    w().SSOption2_Click();
    w().SSOption1_Click();
    EXPECT_EQ(rig.display.modes, (std::vector<std::pair<std::int32_t, std::int32_t>>{{640, 480}, {800, 600}}));
    auto& main = rig.view.at(Element::velmoran);
    EXPECT_EQ(main.width, 9765);
    EXPECT_EQ(main.height, 7365);
    EXPECT_EQ(main.left, 0);
    EXPECT_EQ(main.top, 0);
    EXPECT_EQ(main.moves, 2);
}

TEST_F(Options, OkButtonSavesAndClosesThroughTheCloseSteps) {
    storeAnn("player1");
    open();
    rig.s().reelspeed = 0;
    rig.view.setVisible({Element::flasher, 7}, true);
    rig.view.clearLogs();
    w().btnokplayer_Click();
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124, 124}));
    EXPECT_EQ(rig.s().reelspeed, 1);
    EXPECT_EQ(rig.store.get("player1", "reelspeed"), "1");
    EXPECT_EQ(rig.store.writes, 8 + 16);
    EXPECT_TRUE(rig.view.enabled(Element::velmoran));
    EXPECT_FALSE(rig.view.enabled(Element::doublebutton));
    EXPECT_FALSE(rig.view.visible({Element::flasher, 7}, true));
    EXPECT_EQ(rig.view.unloads, (std::vector<El>{Element::frmvelmoranoptions}));
    EXPECT_FALSE(rig.view.visible(Element::frmvelmoranoptions, true));
    EXPECT_FALSE(rig.view.fronts.empty());
    EXPECT_EQ(rig.view.log.back(), "unload frmvelmoranoptions");
}

TEST_F(Options, CloseBoxSavesOnce) {
    open();
    w().setspeed_Click(2);
    rig.view.clearLogs();
    const int writesBefore = rig.store.writes;
    w().Form_Unload();
    EXPECT_EQ(rig.view.soundNumbers(), (std::vector<int>{124}));
    EXPECT_EQ(rig.store.writes - writesBefore, 8);
    EXPECT_EQ(rig.store.get("player1", "reelspeed"), "4");
    EXPECT_TRUE(rig.view.enabled(Element::velmoran, false));
    EXPECT_EQ(rig.view.unloads.size(), 1U);
}

TEST_F(Options, ASlotStoredWithoutASpeedIsSavedAtTheFirstSpeedOnClosing) {
    storeAnn("player2");
    rig.store.set("player2", "reelspeed", "0");
    open();
    w().machine_Click(2);
    ASSERT_EQ(rig.s().reelspeed, 0);
    w().Form_Unload();
    EXPECT_EQ(rig.s().reelspeed, 1);
    EXPECT_EQ(rig.store.get("player2", "reelspeed"), "1");
}

}  // namespace
}  // namespace velmoran::test
