// The player's record in the settings store: reading stored numbers, loading
// a slot, the start-up read, saving and clearing.
#include <gtest/gtest.h>
#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <ios>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "players/names.h"
#include "players/player_store.h"
#include "support/rig.h"

namespace velmoran::test {
namespace {

using players::parseStoredNumber;
using players::storedInteger;

TEST(StoredNumber, AcceptsPlainDecimalsAndRoundsFractionsToEven) {
    EXPECT_EQ(parseStoredNumber("1250"), 1250);
    EXPECT_EQ(parseStoredNumber("-500"), -500);
    EXPECT_EQ(parseStoredNumber("  7\t"), 7);
    EXPECT_EQ(parseStoredNumber(" 8"), 8);
    EXPECT_EQ(parseStoredNumber("\n-9 \r"), -9);
    EXPECT_EQ(parseStoredNumber("-0"), 0);
    EXPECT_EQ(parseStoredNumber("000042"), 42);
    EXPECT_EQ(parseStoredNumber("2.5"), 2);
    EXPECT_EQ(parseStoredNumber("3.5"), 4);
    EXPECT_EQ(parseStoredNumber("-2.5"), -2);
    EXPECT_EQ(parseStoredNumber("-3.5"), -4);
    EXPECT_EQ(parseStoredNumber("2.50001"), 3);
    EXPECT_EQ(parseStoredNumber("2.4999"), 2);
    EXPECT_EQ(parseStoredNumber("2.500"), 2);
    EXPECT_EQ(parseStoredNumber("2.510"), 3);
    EXPECT_EQ(parseStoredNumber("999999999999999999"), 999999999999999999);
    EXPECT_EQ(parseStoredNumber(".5"), 0);
    EXPECT_EQ(parseStoredNumber(".6"), 1);
    EXPECT_EQ(parseStoredNumber("7."), 7);
}

TEST(StoredNumber, RejectsAnythingElse) {
    for (const char* text : {"", " ", "-", ".", "-.", "+5", "1e3", "0x10", "1,000", "1 000", "five", "--1", "1.2.3",
                             "12a", "\xef\xbc\x91", "1-"}) {
        EXPECT_EQ(parseStoredNumber(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(StoredNumber, RangeIsCheckedAfterRounding) {
    EXPECT_EQ(storedInteger<std::int16_t>("32767"), 32767);
    EXPECT_EQ(storedInteger<std::int16_t>("-32768"), -32768);
    EXPECT_EQ(storedInteger<std::int16_t>("32768"), std::nullopt);
    EXPECT_EQ(storedInteger<std::int16_t>("32767.5"), std::nullopt);
    EXPECT_EQ(storedInteger<std::int16_t>("-32768.5"), -32768);
    EXPECT_EQ(storedInteger<std::int32_t>("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(storedInteger<std::int32_t>("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(storedInteger<std::int32_t>("2147483648"), std::nullopt);
    EXPECT_EQ(storedInteger<std::int32_t>("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(storedInteger<std::int32_t>("0000000000000000000000000001"), 1);
    // No number is no value at any width, the widest included, where no
    // range check could turn it away.
    EXPECT_EQ(storedInteger<std::int64_t>("five"), std::nullopt);
    EXPECT_EQ(storedInteger<std::int16_t>(""), std::nullopt);
}

TEST(PlayerNames, LengthInCharactersAndCapitals) {
    EXPECT_EQ(players::nameLength("ann"), 3U);
    EXPECT_EQ(players::nameLength("Zoë Ünal"), 8U);
    EXPECT_EQ(players::nameLength("ßüöäéèàçñøåæ"), 12U);
    EXPECT_EQ(players::nameLength("\xff\xfe"), 2U);  // stray bytes count one each
    EXPECT_EQ(players::upperName("ann-marie o'neil 2"), "ANN-MARIE O'NEIL 2");
    EXPECT_EQ(players::upperName("zoë ünal çà ÿ"), "ZOË ÜNAL ÇÀ Ÿ");
    EXPECT_EQ(players::upperName("straße ÷"), "STRAßE ÷");
    EXPECT_EQ(players::upperName("łódź"), "ŁÓDŹ");
    EXPECT_EQ(players::upperName("ирина σοφία"), "ИРИНА ΣΟΦΊΑ");
    EXPECT_EQ(players::upperName("a\xff"), "A\xff");
}

// Code point c in UTF-8.
std::string utf8(char32_t c) {
    std::string out;
    const auto put = [&out](char32_t v) { out.push_back(static_cast<char>(static_cast<unsigned char>(v))); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
    return out;
}

// The bytes of the well-formed UTF-8 sequence that starts `s`, 0 when none
// does: the Unicode standard's table of well-formed byte sequences, row by row.
std::size_t wellFormed(std::string_view s) {
    struct Row {
        unsigned char leadFrom, leadTo, secondFrom, secondTo;
        std::size_t size;
    };
    static constexpr Row kRows[] = {
        {0x00, 0x7F, 0x00, 0x00, 1}, {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3},
        {0xE1, 0xEC, 0x80, 0xBF, 3}, {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3},
        {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    for (const Row& row : kRows) {
        if (byte(0) < row.leadFrom || byte(0) > row.leadTo) continue;
        if (row.size == 1) return 1;
        if (s.size() < row.size || byte(1) < row.secondFrom || byte(1) > row.secondTo) return 0;
        for (std::size_t i = 2; i < row.size; ++i)
            if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
        return row.size;
    }
    return 0;
}

std::size_t referenceLength(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < s.size(); ++count) at += std::max<std::size_t>(1, wellFormed(s.substr(at)));
    return count;
}

TEST(PlayerNames, WellFormedSequencesCountOnceAndEveryOtherByteAlone) {
    // Every text of two bytes, then texts of three and four bytes after each
    // lead byte of a longer sequence, from bytes at the edges of the table.
    const std::vector<unsigned char> edges{0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                           0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xED, 0xF0, 0xF4, 0xF5};
    std::vector<std::string> texts;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) texts.push_back({static_cast<char>(a), static_cast<char>(b)});
    for (int lead = 0xE0; lead <= 0xFF; ++lead) {
        for (const unsigned char b : edges) {
            for (const unsigned char c : edges) {
                texts.push_back({static_cast<char>(lead), static_cast<char>(b), static_cast<char>(c)});
                if (lead < 0xF0) continue;
                for (const unsigned char d : edges)
                    texts.push_back(
                        {static_cast<char>(lead), static_cast<char>(b), static_cast<char>(c), static_cast<char>(d)});
            }
        }
    }
    std::size_t wrong = 0;
    for (const std::string& text : texts) {
        const std::string withTail = text + "A";
        if (players::nameLength(withTail) != referenceLength(withTail) && ++wrong <= 5)
            ADD_FAILURE() << "length of " << ::testing::PrintToString(withTail);
        // The longer texts hold no letter with a capital: they come back as
        // they were, stray bytes and all.
        if (text.size() > 2 && players::upperName(withTail) != withTail && ++wrong <= 5)
            ADD_FAILURE() << "capitals of " << ::testing::PrintToString(withTail);
    }
    EXPECT_EQ(wrong, 0U);
}

TEST(PlayerNames, CapitalsAgreeWithTheSystemsCaseMapping) {
    // The C library's simple case mapping is the reference over the letters
    // the game raises (Latin-1, Latin Extended-A, basic Greek and Cyrillic),
    // and a few characters of two, three and four bytes that have no capital.
    const locale_t utf = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    ASSERT_NE(utf, locale_t{});
    for (const auto& [from, to] : {std::pair<char32_t, char32_t>{0x20, 0x17F},
                                   {0x386, 0x3CE},
                                   {0x400, 0x45F},
                                   {0x7F0, 0x810},
                                   {0x10000, 0x10010},
                                   {0x10FFF0, 0x10FFFF}}) {
        for (char32_t c = from; c <= to; ++c) {
            const auto upper = static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), utf));
            EXPECT_EQ(players::upperName(utf8(c)), utf8(upper)) << std::hex << static_cast<unsigned>(c);
            EXPECT_EQ(players::nameLength(utf8(c) + utf8(upper)), 2U) << std::hex << static_cast<unsigned>(c);
        }
    }
    // Outside those letters every character, of any length, is kept: the
    // neighbours of each block first.
    for (const char32_t c : {0x180, 0x385, 0x3CF, 0x3FF, 0x460, 0x461})
        EXPECT_EQ(players::upperName(utf8(c)), utf8(c)) << std::hex << static_cast<unsigned>(c);
    for (char32_t c = 0x180; c <= 0x10FFFF; c += 61) {
        const bool raised = (c >= 0x386 && c <= 0x3CE) || (c >= 0x400 && c <= 0x45F);
        if (raised || (c >= 0xD800 && c <= 0xDFFF)) continue;
        EXPECT_EQ(players::upperName(utf8(c)), utf8(c)) << std::hex << static_cast<unsigned>(c);
    }
    freelocale(utf);
}

class Record : public ::testing::Test {
protected:
    Rig rig;
    MachineState& s() { return rig.s(); }
    void storeFull(std::string_view section) {
        rig.store.set(section, "winroll", "1");
        rig.store.set(section, "reelspeed", "4");
        rig.store.set(section, "amountinvested", "5000");
        rig.store.set(section, "wager", "800");
        rig.store.set(section, "total", "600");
        rig.store.set(section, "bank", "4800");
        rig.store.set(section, "games", "40");
        rig.store.set(section, "currentplayer", "Ann");
    }
    std::vector<std::tuple<std::string, std::string, std::string>> written(std::string_view section) {
        std::vector<std::tuple<std::string, std::string, std::string>> out;
        for (const auto& w : rig.store.writeLog)
            if (std::get<0>(w) == section) out.push_back(w);
        return out;
    }
};

TEST_F(Record, EmptyStoreStartsSlotOneAndFirstSaveWritesDefaults) {
    rig.machine.startupload();
    EXPECT_EQ(s().currentslot, 1);
    EXPECT_EQ(s().bank, 0);
    EXPECT_EQ(s().winroll, 0);
    EXPECT_EQ(s().reelspeed, 1);
    EXPECT_EQ(s().games, 0);
    EXPECT_EQ(s().currentplayer, "");
    rig.machine.saveplayer();
    const std::vector<std::tuple<std::string, std::string, std::string>> expected{
        {"player1", "winroll", "0"}, {"player1", "reelspeed", "1"},    {"player1", "amountinvested", "0"},
        {"player1", "wager", "0"},   {"player1", "total", "0"},        {"player1", "bank", "0"},
        {"player1", "games", "0"},   {"player1", "currentplayer", ""},
    };
    EXPECT_EQ(rig.store.writeLog, expected);
}

TEST_F(Record, StartupReadsOnlySlotOne) {
    storeFull("player1");
    storeFull("player4");
    s().currentslot = 4;
    rig.machine.startupload();
    EXPECT_EQ(s().currentslot, 1);
    EXPECT_EQ(s().bank, 4800);
    EXPECT_EQ(s().currentplayer, "Ann");
    for (const auto& [section, key] : rig.store.readLog) EXPECT_EQ(section, "player1");
    EXPECT_EQ(rig.store.reads, 8);
}

TEST_F(Record, EverySaveWritesTheEightKeysInOrderToTheCurrentSlot) {
    s().currentslot = 5;
    s().bank = 1250;
    rig.machine.saveplayer();
    s().bank = 1230;
    rig.machine.saveplayer();
    const auto w = written("player5");
    ASSERT_EQ(w.size(), 16U);
    for (std::size_t i = 0; i < w.size(); ++i) EXPECT_EQ(std::get<1>(w[i]), players::kRecordKeys[i % 8]);
    EXPECT_EQ(std::get<2>(w[5]), "1250");
    EXPECT_EQ(std::get<2>(w[13]), "1230");
    EXPECT_EQ(rig.store.writes, 16);
}

TEST_F(Record, VacantSlotGivesZerosAndSpeedOne) {
    storeFull("player1");
    rig.machine.loadplayer(1);
    rig.machine.loadplayer(3);
    EXPECT_EQ(s().currentslot, 3);
    EXPECT_EQ(s().winroll, 0);
    EXPECT_EQ(s().reelspeed, 1);
    EXPECT_EQ(s().bank, 0);
    EXPECT_EQ(s().amountinvested, 0);
    EXPECT_EQ(s().wager, 0);
    EXPECT_EQ(s().total, 0);
    EXPECT_EQ(s().games, 0);
    EXPECT_EQ(s().currentplayer, "");
    EXPECT_EQ(rig.store.writes, 0);  // choosing a slot writes nothing
}

TEST_F(Record, SlotOutsideOneToSixIsIgnored) {
    storeFull("player1");
    rig.machine.loadplayer(1);
    rig.machine.loadplayer(7);
    rig.machine.loadplayer(0);
    EXPECT_EQ(s().currentslot, 1);
    EXPECT_EQ(s().bank, 4800);
}

TEST_F(Record, NegativeAndExtremeValuesRoundTrip) {
    s().currentslot = 2;
    s().winroll = 1;
    s().reelspeed = std::numeric_limits<std::int16_t>::min();
    s().amountinvested = std::numeric_limits<std::int32_t>::min();
    s().wager = std::numeric_limits<std::int32_t>::max();
    s().total = -1;
    s().bank = std::numeric_limits<std::int32_t>::max();
    s().games = 2147483600;
    s().currentplayer = "Zoë, \"J\"; x";
    rig.machine.saveplayer();
    EXPECT_EQ(rig.store.get("player2", "amountinvested"), "-2147483648");
    EXPECT_EQ(rig.store.get("player2", "bank"), "2147483647");

    Rig other;
    other.store.values = rig.store.values;
    other.machine.loadplayer(2);
    const auto& o = other.s();
    EXPECT_EQ(o.winroll, 1);
    EXPECT_EQ(o.reelspeed, std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(o.amountinvested, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(o.wager, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(o.total, -1);
    EXPECT_EQ(o.bank, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(o.games, 2147483600);
    EXPECT_EQ(o.currentplayer, "Zoë, \"J\"; x");
}

TEST_F(Record, ClearingKeepsNameAndPreferences) {
    storeFull("player2");
    rig.machine.loadplayer(2);
    rig.machine.clearplayerdetails();
    EXPECT_EQ(s().currentplayer, "Ann");
    EXPECT_EQ(s().winroll, 1);
    EXPECT_EQ(s().reelspeed, 4);
    for (auto key : {"amountinvested", "wager", "total", "bank", "games"})
        EXPECT_EQ(rig.store.get("player2", key), "0");
    EXPECT_EQ(rig.store.get("player2", "currentplayer"), "Ann");
    EXPECT_EQ(rig.store.get("player2", "reelspeed"), "4");
}

// One numeric key damaged in a record that is otherwise whole.
struct Damage {
    const char* key;
    const char* text;
};

class DamagedKey : public ::testing::TestWithParam<Damage> {
protected:
    Rig rig;
    void SetUp() override {
        const std::vector<std::pair<const char*, const char*>> record{
            {"winroll", "1"}, {"reelspeed", "4"}, {"amountinvested", "5000"}, {"wager", "800"}, {"total", "600"},
            {"bank", "4800"}, {"games", "40"},    {"currentplayer", "Ann"},
        };
        for (const auto& [k, v] : record)
            rig.store.set("player1", k, std::string(k) == GetParam().key ? GetParam().text : v);
        if (std::string(GetParam().text) == "<missing>")
            rig.store.values.erase({"duraridu", "player1", GetParam().key});
    }
    // The field of the damaged key, read through its width.
    std::int64_t field() {
        const std::string k = GetParam().key;
        auto& s = rig.s();
        if (k == "winroll") return s.winroll;
        if (k == "reelspeed") return s.reelspeed;
        if (k == "amountinvested") return s.amountinvested;
        if (k == "wager") return s.wager;
        if (k == "total") return s.total;
        if (k == "bank") return s.bank;
        return s.games;
    }
};

TEST_P(DamagedKey, LoadingZeroesTheFieldAndMaySetSpeedOne) {
    rig.s().bank = 77;
    rig.machine.loadplayer(1);
    if (std::string(GetParam().key) != "reelspeed") {
        EXPECT_EQ(field(), 0);
    }
    // A failure sets reelspeed to 1; only a later good read of reelspeed
    // itself (after a bad winroll) puts the stored speed back.
    EXPECT_EQ(rig.s().reelspeed, std::string(GetParam().key) == "winroll" ? 4 : 1);
    EXPECT_EQ(rig.s().currentplayer, "Ann");
    if (std::string(GetParam().key) != "bank") {
        EXPECT_EQ(rig.s().bank, 4800);
    }
    if (std::string(GetParam().key) != "games") {
        EXPECT_EQ(rig.s().games, 40);
    }
}

TEST_P(DamagedKey, StartupLeavesTheFieldAsItWas) {
    auto& s = rig.s();
    s.winroll = 5, s.reelspeed = 8, s.amountinvested = 11, s.wager = 12, s.total = 13, s.bank = 14, s.games = 15;
    const std::int64_t before = field();
    rig.machine.startupload();
    EXPECT_EQ(field(), before);
    EXPECT_EQ(s.reelspeed, std::string(GetParam().key) == "reelspeed" ? 8 : 4);
    EXPECT_EQ(s.currentplayer, "Ann");
}

INSTANTIATE_TEST_SUITE_P(EveryKey, DamagedKey,
                         ::testing::Values(Damage{"winroll", "on"}, Damage{"reelspeed", "40000"},
                                           Damage{"amountinvested", ""}, Damage{"wager", "1e3"},
                                           Damage{"total", "2147483648"}, Damage{"bank", "12,50"},
                                           Damage{"games", "<missing>"}, Damage{"reelspeed", "+2"}),
                         [](const auto& p) { return std::string(p.param.key) + std::to_string(p.index); });

TEST(StartupSpeed, BelowOneBecomesOne) {
    for (const char* stored : {"0", "-3", "0.4"}) {
        Rig rig;
        rig.store.set("player1", "reelspeed", stored);
        rig.machine.startupload();
        EXPECT_EQ(rig.s().reelspeed, 1) << stored;
    }
    Rig rig;
    rig.store.set("player1", "reelspeed", "9.5");  // a tie goes to the even 10
    rig.machine.startupload();
    EXPECT_EQ(rig.s().reelspeed, 10);
}

}  // namespace
}  // namespace velmoran::test
