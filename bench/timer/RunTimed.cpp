// Runs a command and appends to a file, as one line, its wall time, user
// and system CPU time (seconds, to the microsecond) and peak resident memory
// (KiB): the figures of `/usr/bin/time -f "%e %U %S %M"`, which rounds times
// to 10 ms, too coarse for programs that start in less than 100 ms.
//
// Usage: run_timed OUTPUT-FILE COMMAND [ARGUMENT]...
// Exits with the command's status (1 if it could not run or was killed).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: run_timed OUTPUT-FILE COMMAND [ARGUMENT]...\n");
        return 1;
    }
    const double start = Now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("run_timed: fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::fprintf(stderr, "run_timed: %s: %s\n", argv[2], std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("run_timed: wait4");
            return 1;
        }
    }
    const double wall = Now() - start;
    std::FILE* out = std::fopen(argv[1], "a");
    if (!out) {
        std::fprintf(stderr, "run_timed: %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    std::fprintf(out, "%.6f %.6f %.6f %ld\n", wall, Seconds(usage.ru_utime),
                 Seconds(usage.ru_stime), usage.ru_maxrss);
    if (std::fclose(out) != 0) {
        std::fprintf(stderr, "run_timed: %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
