// The store lock: one holder at a time, released with its holder however
// that ends, never kept by the holder's children, beside the settings file
// without getting in the way of its saves.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>

#include "players/player_store.h"
#include "shell/lock/store_lock.h"
#include "shell/store/qsettings_store.h"

namespace velmoran::test {
namespace {

using shell::StoreLock;
using Outcome = StoreLock::Outcome;

class StoreLockTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::filesystem::path at(const char* name) const { return std::filesystem::path(dir.path().toStdString()) / name; }
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
};

TEST_F(StoreLockTest, OneHolderAtATimeUntilItLetsGo) {
    const auto file = at("duraridu.ini.running");
    auto first = std::make_unique<StoreLock>(file);
    StoreLock second(file);
    EXPECT_FALSE(first->held());
    ASSERT_EQ(first->take(), Outcome::Taken);
    EXPECT_TRUE(first->held());
    EXPECT_EQ(first->take(), Outcome::Taken) << "the holder may ask again";
    EXPECT_EQ(second.take(), Outcome::HeldElsewhere);
    EXPECT_FALSE(second.held());
    EXPECT_EQ(second.take(), Outcome::HeldElsewhere) << "a refusal is not remembered as a hold";

    first.reset();
    EXPECT_EQ(second.take(), Outcome::Taken);
    EXPECT_TRUE(std::filesystem::exists(file)) << "the file stays; only the lock on it goes";
}

TEST_F(StoreLockTest, TheConfigurationFolderIsMadeOnTheFirstRun) {
    const auto file = at("config/nested/duraridu.ini.running");
    StoreLock lock(file);
    EXPECT_EQ(lock.take(), Outcome::Taken);
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
}

TEST_F(StoreLockTest, NoPlaceForTheFileIsNotAnotherCopy) {
    // A regular file where the folder should be: the lock cannot exist, and
    // that must not be reported as a running copy.
    std::ofstream(at("config")) << "not a folder";
    StoreLock lock(at("config/duraridu.ini.running"));
    EXPECT_EQ(lock.take(), Outcome::Unavailable);
    EXPECT_FALSE(lock.held());
}

TEST_F(StoreLockTest, AKilledHolderLeavesNoLockEvenWhileItsChildrenRun) {
    const auto file = at("duraridu.ini.running");
    QProcess holder;
    holder.start(QStringLiteral(VELMORAN_LOCK_HOLDER), {QString::fromStdString(file.string())});
    ASSERT_TRUE(holder.waitForStarted(10000));
    QByteArray line;
    while (!line.contains('\n') && holder.waitForReadyRead(10000)) line += holder.readAllStandardOutput();
    const pid_t child = static_cast<pid_t>(line.trimmed().toInt());
    ASSERT_GT(child, 0) << "the holder said: " << line.toStdString();
    struct ChildGuard {
        pid_t pid;
        ~ChildGuard() { ::kill(pid, SIGKILL); }
    } guard{child};

    StoreLock lock(file);
    EXPECT_EQ(lock.take(), Outcome::HeldElsewhere);

    holder.kill();  // SIGKILL: no chance to clean up
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_EQ(::kill(child, 0), 0) << "the holder's child still runs";
    EXPECT_TRUE(std::filesystem::exists(file)) << "the killed holder's file is left behind";
    EXPECT_EQ(lock.take(), Outcome::Taken);
}

// The user's configuration folder, for as long as it lives.
class ConfigHome {
public:
    explicit ConfigHome(const QString& path)
        : had_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), saved_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path));
    }
    ~ConfigHome() {
        if (had_) {
            qputenv("XDG_CONFIG_HOME", saved_);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

private:
    bool had_;
    QByteArray saved_;
};

TEST_F(StoreLockTest, SitsBesideTheSettingsFileAndLetsItBeSaved) {
    const ConfigHome home(dir.path() + QStringLiteral("/config"));
    QSettingsStore store;
    const QString storeFile = store.fileName(players::kApplication);
    const auto lockFile = StoreLock::fileFor(players::kApplication);
    EXPECT_EQ(lockFile.string(), QFile::encodeName(storeFile).toStdString() + ".running");

    StoreLock lock(lockFile);
    ASSERT_EQ(lock.take(), Outcome::Taken);
    store.write(players::kApplication, "player1", "bank", "1250");
    store.flush();
    QSettings written(storeFile, QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("player1/bank")).toString(), QStringLiteral("1250"));
}

TEST_F(StoreLockTest, ClaimingTheStoreClearsAKilledCopysHalfSavesOnlyOnceItIsOurs) {
    const ConfigHome home(dir.path());
    QSettingsStore store;
    const QString unfinished = store.fileName(players::kApplication) + QStringLiteral(".rjRRvy");
    ASSERT_TRUE(QFile(unfinished).open(QFile::WriteOnly));

    // Another copy runs: what lies beside the file may be its save in flight.
    auto running = std::make_unique<StoreLock>(StoreLock::fileFor(players::kApplication));
    ASSERT_EQ(running->take(), Outcome::Taken);
    StoreLock second(StoreLock::fileFor(players::kApplication));
    EXPECT_EQ(shell::claimStore(second, store, players::kApplication), Outcome::HeldElsewhere);
    EXPECT_TRUE(QFile::exists(unfinished));

    // No place for a lock at all: nothing is known of other copies either.
    StoreLock nowhere(at("afile/duraridu.ini.running"));
    ASSERT_TRUE(QFile(QString::fromStdString(at("afile").string())).open(QFile::WriteOnly));
    EXPECT_EQ(shell::claimStore(nowhere, store, players::kApplication), Outcome::Unavailable);
    EXPECT_TRUE(QFile::exists(unfinished));

    // Once the other copy has ended, the claim is ours and the leftover goes.
    running.reset();
    EXPECT_EQ(shell::claimStore(second, store, players::kApplication), Outcome::Taken);
    EXPECT_FALSE(QFile::exists(unfinished));
}

}  // namespace
}  // namespace velmoran::test
