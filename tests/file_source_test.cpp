// Reading the input's bytes from a descriptor: a signal that stops a read does not end the input.
#include "app/file_source.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace meshwright {
namespace {

volatile sig_atomic_t signalsSeen = 0;

void countSignal(int) {
    signalsSeen = signalsSeen + 1;
}

// A handler installed without SA_RESTART makes a blocked read(2) fail with EINTR, as a shell's
// job control or a profiler's timer can. The read must be tried again, not taken for a failure
// or for the end of the input.
TEST(FileSource, InterruptedReadResumes) {
    struct sigaction handler {
    }, previous{};
    handler.sa_handler = countSignal;
    sigemptyset(&handler.sa_mask);
    ASSERT_EQ(sigaction(SIGUSR1, &handler, &previous), 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    signalsSeen = 0;
    const pthread_t reader = pthread_self();
    std::thread writer([&] {
        // The reader is blocked in read(2) well before the signal comes, on any machine load
        // that matters; should it not be, the test passes without proving anything.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        pthread_kill(reader, SIGUSR1);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(write(pipeEnds[1], "*MESH", 5), 5);
        close(pipeEnds[1]);
    });
    FileSource source(pipeEnds[0]);
    char bytes[16];
    size_t got = 0;
    try {
        got = source.read(bytes, sizeof bytes);
    } catch (const ReadError& error) {
        ADD_FAILURE() << "an interrupted read failed: " << error.what();
    }
    writer.join();
    EXPECT_EQ(std::string(bytes, got), "*MESH");
    EXPECT_EQ(signalsSeen, 1);
    close(pipeEnds[0]);
    sigaction(SIGUSR1, &previous, nullptr);
}

}  // namespace
}  // namespace meshwright
