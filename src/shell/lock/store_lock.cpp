#include "shell/lock/store_lock.h"

#include "shell/store/qsettings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

namespace velmoran::shell {

namespace {

// Not "<store>.lock": the settings store's own writer briefly creates and
// removes a lock file of that name around every save.
constexpr std::string_view kSuffix = ".running";

}  // namespace

std::filesystem::path StoreLock::fileFor(std::string_view application) {
    const std::filesystem::path folder =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).toStdString();
    std::string name(application);
    name += ".ini";
    name += kSuffix;
    return folder / name;
}

StoreLock::StoreLock(std::filesystem::path file) : file_(std::move(file)) {}

StoreLock::~StoreLock() {
    if (fd_ >= 0) ::close(fd_);
}

StoreLock::Outcome StoreLock::take() {
    if (fd_ >= 0) return Outcome::Taken;
    // On the very first run the configuration folder may not exist yet.
    std::error_code ignored;
    if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ignored);
    // Close-on-exec: a flock belongs to the open file, so a browser opened
    // from the About window would otherwise inherit it and keep the store
    // locked after the game has ended.
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) return Outcome::Unavailable;
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        fd_ = fd;
        return Outcome::Taken;
    }
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::Unavailable;
}

StoreLock::Outcome claimStore(StoreLock& lock, QSettingsStore& store, std::string_view application) {
    const StoreLock::Outcome outcome = lock.take();
    if (outcome == StoreLock::Outcome::Taken) store.removeUnfinishedSaves(application);
    return outcome;
}

}  // namespace velmoran::shell
