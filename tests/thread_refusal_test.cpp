// When the system gives no second thread, a conversion asked to use two reads, welds and writes
// on one, and makes the same bytes and messages. This executable refuses threads on demand by
// standing in for pthread_create, which the standard library's threads start through.
#include <dlfcn.h>
#include <pthread.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <sstream>

#include "app/converter.h"
#include "app/failure.h"
#include "codegen/corner_welding.h"
#include "eager_split_options.h"
#include "test_support.h"
#include "torus_text.h"

namespace {

std::atomic<bool> refuseThreads = false;
std::atomic<int> threadsRefused = 0;

}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                              void* (*start)(void*), void* argument) {
    if (refuseThreads.load()) {
        ++threadsRefused;
        return EAGAIN;  // what a process at its thread limit gets
    }
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto systemCreate = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    return systemCreate(thread, attributes, start, argument);
}

namespace meshwright {
namespace {

class ThreadRefusal : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override {
        refuseThreads = false;
        std::filesystem::current_path(previous_);
    }

    // Converts `name` with two threads allowed and lists short enough to be split; returns what
    // the job printed, and the output in `output`.
    static std::string convert(const std::string& name, int32_t kind, std::string& output) {
        const JobOptions options = testing::eagerSplitOptions();
        std::ostringstream console;
        DialogueReporter reporter(console);
        Converter(name, kind, reporter, options).run();
        const std::string outputName =
            name.substr(0, name.size() - 4) + (kind == 5 ? ".h" : ".cpp");
        output = testing::fileExists(outputName) ? testing::readFile(outputName) : "";
        return console.str();
    }

    testing::TempDir dir_;
    std::filesystem::path previous_;
};

TEST_F(ThreadRefusal, EveryKindConvertsOnOneThreadWhenNoOtherCanStart) {
    // 22,000 faces, 66,000 corners: when a second thread can be had, the lists are split
    // between two readers, the corners of kinds 4 and 5 are welded in two halves and every long
    // block is written in chunks.
    constexpr int32_t kFaces = 22000;
    static_assert(3 * size_t(kFaces) >= kCornersWorthTwoThreads);
    const std::string torus = testing::torusText(kFaces);
    std::string broken = testing::torusText(6000);
    broken.replace(broken.rfind("*MESH_TFACE "), 12, "*MESH_TFACE -2 ");  // an index below 0
    testing::writeFile("torus.ase", torus);
    testing::writeFile("broken.ase", broken);
    for (int32_t kind = 1; kind <= 5; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        std::string withThreads;
        std::string withThreadsRefused;
        std::string ignored;
        EXPECT_EQ(convert("torus.ase", kind, withThreads), "");
        const std::string message = convert("broken.ase", kind, ignored);

        refuseThreads = true;
        threadsRefused = 0;
        EXPECT_EQ(convert("torus.ase", kind, withThreadsRefused), "");
        EXPECT_GT(threadsRefused.load(), 0) << "no thread was asked for: nothing was tested";
        EXPECT_EQ(convert("broken.ase", kind, ignored), message);
        refuseThreads = false;

        EXPECT_FALSE(withThreads.empty());
        EXPECT_TRUE(withThreadsRefused == withThreads);  // not printed: megabytes
        EXPECT_NE(message.find("Error: broken.ase: "), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace meshwright
