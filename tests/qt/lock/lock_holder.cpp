// lock_holder LOCK_FILE
// Another running copy, for the store lock's tests: takes the lock, starts a
// child of its own that outlives it (as a browser opened from the About
// window would), prints the child's process id and waits to be killed.
#include <spawn.h>
#include <unistd.h>

#include <cstdio>

#include "shell/lock/store_lock.h"

extern char** environ;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    velmoran::shell::StoreLock lock(argv[1]);
    if (lock.take() != velmoran::shell::StoreLock::Outcome::Taken) {
        std::puts("refused");
        return 1;
    }
    char sleepName[] = "sleep";
    char seconds[] = "120";
    char* args[] = {sleepName, seconds, nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "sleep", nullptr, nullptr, args, environ) != 0) return 1;
    std::printf("%d\n", static_cast<int>(child));
    std::fflush(stdout);
    for (;;) pause();
}
