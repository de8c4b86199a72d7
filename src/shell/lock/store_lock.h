#pragma once
// One running copy per player store. Two copies on the same settings file
// would each keep their own record and write it whole over the other's at
// every save, so a player's money would be doubled or lost. The first copy
// holds an exclusive flock(2) on a file beside the store for as long as it
// runs; the kernel drops the lock with the process, however it ends, so a
// crash or a kill never leaves a stale lock behind.

#include <filesystem>
#include <string_view>

namespace velmoran {
class QSettingsStore;
}

namespace velmoran::shell {

class StoreLock {
public:
    enum class Outcome {
        Taken,          // this copy owns the store until the lock is destroyed
        HeldElsewhere,  // another running copy owns it
        Unavailable,    // no lock can be had here (folder not writable, no locks on the file system)
    };

    // The lock file of the settings store of `application`, beside the store
    // file itself (which the settings store keeps under $XDG_CONFIG_HOME, else
    // ~/.config).
    [[nodiscard]] static std::filesystem::path fileFor(std::string_view application);

    // Nothing is opened before take().
    explicit StoreLock(std::filesystem::path file);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    // Tries once, without waiting; taking a lock already held by this object
    // succeeds again. The folder of the lock file is created when missing.
    Outcome take();
    [[nodiscard]] bool held() const noexcept { return fd_ >= 0; }
    [[nodiscard]] const std::filesystem::path& file() const noexcept { return file_; }

private:
    std::filesystem::path file_;
    int fd_ = -1;
};

// Takes `lock` for the store of `application` as the program does at
// start-up. Once it is ours no other copy can be saving, so the half-written
// saves a killed copy left beside the file are removed.
StoreLock::Outcome claimStore(StoreLock& lock, QSettingsStore& store, std::string_view application);

}  // namespace velmoran::shell
