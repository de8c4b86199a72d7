// The settings file: its place and layout, round trips through it, and what
// happens when it cannot be written or was damaged on disk. Every test works
// in a configuration folder of its own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "core/machine.h"
#include "shell/store/qsettings_store.h"
#include "support/fakes.h"
#include "support/recording_view.h"

namespace velmoran::test {
namespace {

constexpr std::string_view kApp = "duraridu";

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir home;
    QByteArray savedConfigHome;
    bool hadConfigHome = false;

    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        useConfigHome(home.path());
    }
    void TearDown() override {
        if (hadConfigHome) {
            qputenv("XDG_CONFIG_HOME", savedConfigHome);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }
    static void useConfigHome(const QString& path) { qputenv("XDG_CONFIG_HOME", QFile::encodeName(path)); }

    QString filePath() const { return home.path() + "/duraridu.ini"; }
    QByteArray fileBytes() const {
        QFile f(filePath());
        return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray();
    }
    void putFile(const QByteArray& bytes) const {
        QFile f(filePath());
        ASSERT_TRUE(f.open(QFile::WriteOnly | QFile::Truncate));
        f.write(bytes);
    }
    // The file's lines, without blank ones.
    QStringList fileLines() const {
        QStringList lines = QString::fromUtf8(fileBytes()).split(u'\n');
        lines.removeAll(QString());
        return lines;
    }
};

// A machine on the real file.
struct FileMachine {
    RecordingView view;
    ScriptedRandom random;
    QSettingsStore store;
    FakeDisplay display;
    Machine machine{view, random, store, display};
};

TEST_F(SettingsFile, LivesInTheConfigHomeAndFirstSaveWritesOnlyTheRecord) {
    {
        FileMachine m;
        EXPECT_EQ(m.store.fileName(kApp), filePath());
        m.machine.startupload();
        m.machine.saveplayer();
        // Written at the save itself, not only when the store goes.
        const QStringList lines = fileLines();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.front(), "[player1]");
        QStringList keys = lines.mid(1);
        keys.sort();
        EXPECT_EQ(keys, (QStringList{"amountinvested=0", "bank=0", "currentplayer=", "games=0", "reelspeed=1",
                                     "total=0", "wager=0", "winroll=0"}));
    }
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"duraridu.ini"});
}

TEST_F(SettingsFile, RecordRoundTripsWithPlainNumbersAndAnyName) {
    const std::vector<std::string> names{"Ann Lee",  "Smith, J", "a;b",         "say \"hi\"", "Zoë Ünal", "日本語",
                                         " padded ", "@home",    "back\\slash", "x=y",        "#1"};
    for (const auto& name : names) {
        {
            FileMachine m;
            m.machine.state.currentslot = 3;
            m.machine.state.bank = 2147483647;
            m.machine.state.amountinvested = -2147483647 - 1;
            m.machine.state.reelspeed = -32768;
            m.machine.state.currentplayer = name;
            m.machine.saveplayer();
        }
        const QByteArray bytes = fileBytes();
        EXPECT_TRUE(bytes.contains("\nbank=2147483647\n"));
        EXPECT_TRUE(bytes.contains("\namountinvested=-2147483648\n"));
        EXPECT_TRUE(bytes.contains("\nreelspeed=-32768\n"));
        FileMachine again;
        again.machine.loadplayer(3);
        EXPECT_EQ(again.machine.state.currentplayer, name);
        EXPECT_EQ(again.machine.state.bank, 2147483647);
        EXPECT_EQ(again.machine.state.amountinvested, -2147483647 - 1);
        EXPECT_EQ(again.machine.state.reelspeed, -32768);
    }
    // Names stay readable in the file: only what must be is quoted.
    EXPECT_TRUE(fileBytes().contains("currentplayer=#1") || fileBytes().contains("currentplayer=\"#1\""));
    {
        QSettingsStore store;
        store.write(kApp, "player1", "currentplayer", "Zoë Ünal");
        store.write(kApp, "player2", "currentplayer", "Smith, J");
        store.flush();
    }
    EXPECT_TRUE(fileBytes().contains("currentplayer=Zo\xc3\xab \xc3\x9cnal\n"));
    EXPECT_TRUE(fileBytes().contains("currentplayer=\"Smith, J\"\n"));
}

TEST_F(SettingsFile, MissingKeysReadEmptyAndNoSystemFileFillsThemIn) {
    QTemporaryDir system;
    ASSERT_TRUE(system.isValid());
    {
        QFile f(system.path() + "/duraridu.ini");
        ASSERT_TRUE(f.open(QFile::WriteOnly));
        f.write("[player1]\nbank=999\ncurrentplayer=System\n");
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, system.path());
    QSettingsStore store;
    EXPECT_EQ(store.read(kApp, "player1", "bank"), "");
    EXPECT_EQ(store.read(kApp, "player1", "currentplayer"), "");
    EXPECT_EQ(store.read(kApp, "player6", "games"), "");
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, "/etc/xdg");
}

TEST_F(SettingsFile, ASaveReplacesTheFileWhole) {
    putFile("[player1]\nbank=5\n");
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(filePath()).constData(), &before), 0);
    {
        QSettingsStore store;
        store.write(kApp, "player1", "bank", "6");
        store.flush();
        struct stat after {};
        ASSERT_EQ(::stat(QFile::encodeName(filePath()).constData(), &after), 0);
        // A new file renamed over the old, never the old one rewritten in place.
        EXPECT_NE(before.st_ino, after.st_ino);
    }
    EXPECT_EQ(fileLines(), (QStringList{"[player1]", "bank=6"}));
}

TEST_F(SettingsFile, TheHalfWrittenSavesOfAKilledCopyGoAndNothingElse) {
    putFile("[player1]\nbank=5\n");
    // Two temporary saves and the writer's lock, empty as a kill between its
    // making and its first write leaves it.
    const QStringList unfinished{"duraridu.ini.rjRRvy", "duraridu.ini.000aZ9", "duraridu.ini.lock"};
    // Beside them: the store's lock and a damaged copy, a save and a lock of
    // another application, names one letter short or long, a folder and the
    // file itself.
    const QStringList kept{"duraridu.ini.running", "duraridu.ini.damaged", "other.ini.rjRRvy",   "other.ini.lock",
                           "duraridu.ini.rjRRv",   "duraridu.ini.rjRRvyy", "duraridu.ini.rj-Rvy"};
    for (const QString& name : unfinished + kept) {
        QFile f(home.path() + u'/' + name);
        ASSERT_TRUE(f.open(QFile::WriteOnly));
    }
    ASSERT_TRUE(QDir(home.path()).mkdir("duraridu.ini.Folder"));
    QSettingsStore store;
    EXPECT_EQ(store.removeUnfinishedSaves(kApp), 3);
    QStringList left = QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    left.sort();
    QStringList expected = kept + QStringList{"duraridu.ini", "duraridu.ini.Folder"};
    expected.sort();
    EXPECT_EQ(left, expected);
    // The file is untouched and still read.
    EXPECT_EQ(store.read(kApp, "player1", "bank"), "5");
    EXPECT_EQ(store.removeUnfinishedSaves(kApp), 0);
}

TEST_F(SettingsFile, AnUnwritableFolderLeavesTheFileAndTheGameGoesOn) {
    putFile("[player1]\nbank=5\ncurrentplayer=Ann\n");
    const QByteArray original = fileBytes();
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool enforced = !QFile(home.path() + "/probe").open(QFile::WriteOnly);
    {
        FileMachine m;
        m.machine.startupload();
        EXPECT_EQ(m.machine.state.bank, 5);
        m.machine.COINSIN_Click();
        m.machine.COINSIN_Click();
        EXPECT_EQ(m.machine.state.bank, 45);
        EXPECT_EQ(m.view.messages.size(), enforced ? 1U : 0U);
        // What could not be written is still what the game reads.
        EXPECT_EQ(m.store.read(kApp, "player1", "bank"), "45");
        if (enforced) {
            EXPECT_EQ(fileBytes(), original);
        }
    }
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!enforced) GTEST_SKIP() << "folder permissions are not enforced for this user";
    EXPECT_EQ(fileBytes(), original);
}

TEST_F(SettingsFile, AConfigHomeThatCannotExistIsNoObstacle) {
    {
        QFile blocker(home.path() + "/notafolder");
        ASSERT_TRUE(blocker.open(QFile::WriteOnly));
    }
    useConfigHome(home.path() + "/notafolder/config");
    FileMachine m;
    m.machine.startupload();
    m.machine.notes_Click();
    m.machine.saveplayer();
    EXPECT_EQ(m.machine.state.bank, 5000);
    EXPECT_EQ(m.store.read(kApp, "player1", "bank"), "5000");
    // The player hears of it once, and plays on.
    ASSERT_EQ(m.view.messages.size(), 1U);
    EXPECT_EQ(m.view.messages.front().text, "Your progress cannot be saved.");
    EXPECT_EQ(m.view.messages.front().title, "Slots_Velmoran");
    EXPECT_FALSE(QFile::exists(home.path() + "/notafolder/config/duraridu.ini"));
}

TEST_F(SettingsFile, DamagedAndTruncatedFilesGiveWhatIsReadable) {
    putFile(
        QByteArray("[player1]\nwinroll=1\nreelspeed=4\ngarbage line\n\x01\xff=3\nwager=1,2\ngames=@Variant(\\0)\n"
                   "bank=12"));
    {
        FileMachine m;
        m.machine.loadplayer(1);
        EXPECT_EQ(m.machine.state.winroll, 1);
        EXPECT_EQ(m.machine.state.wager, 0);
        EXPECT_EQ(m.machine.state.games, 0);
        EXPECT_EQ(m.machine.state.bank, 12);
        EXPECT_EQ(m.machine.state.reelspeed, 1);  // the damaged keys after it
        m.machine.state.bank = 40;
        m.machine.saveplayer();
    }
    // What could not be read whole was set aside, byte for byte, before the
    // save wrote the file anew.
    QFile aside(filePath() + ".damaged");
    ASSERT_TRUE(aside.open(QFile::ReadOnly));
    EXPECT_TRUE(aside.readAll().startsWith("[player1]\nwinroll=1\nreelspeed=4\ngarbage line\n"));
    FileMachine again;
    again.machine.loadplayer(1);
    EXPECT_EQ(again.machine.state.bank, 40);
    EXPECT_EQ(again.machine.state.winroll, 1);
    // The save wrote the record whole again, damaged keys included.
    EXPECT_EQ(again.store.read(kApp, "player1", "wager"), "0");
    EXPECT_EQ(again.store.read(kApp, "player1", "games"), "0");
    EXPECT_EQ(again.store.read(kApp, "player1", "reelspeed"), "1");

    putFile(QByteArray("[player1]\nbank=77\ncurrentplayer=Bo", 34));
    FileMachine cut;
    cut.machine.startupload();
    EXPECT_EQ(cut.machine.state.bank, 77);
    EXPECT_EQ(cut.machine.state.currentplayer, "Bo");
    // A file read whole is not set aside, and the second damaged copy gets a
    // name of its own.
    cut.machine.saveplayer();
    EXPECT_FALSE(QFile::exists(filePath() + ".damaged.2"));
    putFile("[player1]\nbank=@Variant(\\0)\n");
    FileMachine odd;
    odd.machine.saveplayer();
    EXPECT_TRUE(QFile::exists(filePath() + ".damaged.2"));
}

TEST_F(SettingsFile, UnknownSectionsAndKeysAreKept) {
    putFile("[backup]\nnote=made by hand\n\n[player1]\nbank=5\ncolour=red\n\n[player2]\ncurrentplayer=Bo\n");
    {
        FileMachine m;
        m.machine.startupload();
        m.machine.COINSIN_Click();
    }
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains("[backup]\nnote=made by hand\n"));
    EXPECT_TRUE(bytes.contains("colour=red\n"));
    EXPECT_TRUE(bytes.contains("[player2]\ncurrentplayer=Bo\n"));
    EXPECT_TRUE(bytes.contains("bank=25\n"));
}

TEST_F(SettingsFile, ChangesMadeByHandBetweenSavesAreMerged) {
    FileMachine m;
    m.machine.startupload();
    m.machine.saveplayer();
    {
        QSettings other(filePath(), QSettings::IniFormat);
        other.setValue("player4/currentplayer", "Di");
    }
    m.machine.state.bank = 9;
    m.machine.saveplayer();
    EXPECT_EQ(m.store.read(kApp, "player4", "currentplayer"), "Di");
    EXPECT_TRUE(fileBytes().contains("[player4]\ncurrentplayer=Di\n"));
    EXPECT_TRUE(fileBytes().contains("bank=9\n"));
}

}  // namespace
}  // namespace velmoran::test
