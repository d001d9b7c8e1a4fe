// Runs a command several times and prints its median wall time, processor time and peak memory:
//   timed_run RUNS REMOVE_AFTER COMMAND ARGS...
// prints "MEDIAN_WALL_SECONDS MEDIAN_CPU_SECONDS PEAK_KIB" on one line; the processor time (user
// plus system) tells how much of the wall time was the tool's own work on a busy machine.
// REMOVE_AFTER is a file deleted after every run (outside the timed span), so each run writes a
// new file as a user's first conversion does; "-" deletes nothing. The command's standard output
// goes to /dev/null.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sample {
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKib = 0;
};

double secondsOf(const timeval& time) {
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One run of argv; false when it could not start or did not exit with status 0.
bool runOnce(char** argv, Sample& sample) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
        }
        execvp(argv[0], argv);
        std::fprintf(stderr, "timed_run: can't start %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    sample.seconds = elapsed.count();
    sample.cpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
    sample.peakKib = usage.ru_maxrss;  // kilobytes on Linux
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc >= 4 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "Usage: timed_run RUNS REMOVE_AFTER COMMAND ARGS...\n");
        return 2;
    }
    const std::string removeAfter = argv[2];
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
    long peakKib = 0;
    for (int run = 0; run < runs; ++run) {
        Sample sample;
        const bool succeeded = runOnce(argv + 3, sample);
        if (removeAfter != "-") {
            std::remove(removeAfter.c_str());
        }
        if (!succeeded) {
            std::fprintf(stderr, "timed_run: %s failed\n", argv[3]);
            return 1;
        }
        seconds.push_back(sample.seconds);
        cpuSeconds.push_back(sample.cpuSeconds);
        peakKib = std::max(peakKib, sample.peakKib);
    }
    std::printf("%.3f %.3f %ld\n", median(seconds), median(cpuSeconds), peakKib);
    return 0;
}
